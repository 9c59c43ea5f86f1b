## host_checks.m - what only the real host can show about a built plug-in: clearing it empties
## its graph, each plug-in keeps its own graph, a call without an output still gives ans, and
## errors reach the caller with their identifiers and readable messages. Also checks that
## run_scenarios reports what it is there to catch.
##
##   host_checks ('zelmot', 'build/octave', 'tests/scenarios')
##
## Raises an error listing every failed check.

function host_checks (name, mexdir, scndir)
  addpath (mexdir);
  f = @(varargin) feval (name, varargin{:});
  failures = {};

  ## clear NAME runs the exit hook: the graph is gone, and the plug-in works afterwards.
  for how = {"name", "functions"}
    clear (name);
    f (1, 1, 0, 0, 0, 0, 5);
    f (2, 2, 1, 1, 3, 0, 6);
    switch (how{1})
      case "name"
        clear (name);
      case "functions"
        clear functions;
    endswitch
    failures = expect (failures, isequal (f (0, 0, 0, 0, 0, 6, 0), 0), ["clear " how{1} " leaves the graph"]);
    f (3, 3, 0, 0, 0, 0, 7);
    failures = expect (failures, isequal (f (0, 0, 0, 0, 0, 6, 0), [3; 3; 7]), ["no new graph after clear " how{1}]);
  endfor

  ## Each loaded plug-in has its own graph.
  others = setdiff ({"zelmot", "ombrik", "main"}, {name});
  for k = 1:numel (others)
    if (! isempty (which (others{k})))
      clear (others{k});
      failures = expect (failures, isequal (feval (others{k}, 0, 0, 0, 0, 0, 6, 0), 0), ...
                         [others{k} " sees the graph of " name]);
      feval (others{k}, 8, 8, 0, 0, 0, 0, 8);
      clear (others{k});
    endif
  endfor
  failures = expect (failures, isequal (f (0, 0, 0, 0, 0, 6, 0), [3; 3; 7]), ...
                     "clearing another plug-in touched this graph");

  ## A call without an output: answering commands still give ans, the others give none and
  ## raise nothing.
  clear (name);
  clear ans;
  eval ([name "(1, 1, 0, 0, 0, 0, 5);"]);
  failures = expect (failures, ! exist ("ans", "var"), "command 0 with nargout 0 set ans");
  eval ([name "(2, 2, 1, 1, 3, 0, 6);"]);
  eval ([name "(0, 0, 0, 0, 0, 6, 0);"]);
  failures = expect (failures, exist ("ans", "var") && isequal (ans, [1 2; 1 2; 5 6]), ...
                     "command 6 with nargout 0 gave no ans");
  eval ([name "(2, 2, 0, 0, 0, 1, 0);"]);
  failures = expect (failures, isequal (ans, [1; 1]), "command 1 with nargout 0 gave no ans");
  eval ([name "(1, 1, 2, 2, 0, 4, 0);"]);
  failures = expect (failures, isequal (ans, [2 1; 2 1]), "command 4 with nargout 0 gave no ans");
  clear ans;
  eval ([name "(1, 1, 2, 2, 4, 3, 0);"]);
  eval ([name "(1, 1, 9, 9, 0, 2, 0);"]);
  eval ([name "(9, 9, 2, 2, 0, 5, 0);"]);
  eval ([name "(1, 1, 0, 0, 0, 8, 0);"]);
  failures = expect (failures, ! exist ("ans", "var"), "a silent command with nargout 0 set ans");

  ## Errors: identifier NAME:mnemonic and a message that says what was wrong.
  clear (name);
  failures = expect_error (failures, @() f (1, 1, 0, 0, 0, 6), [name ":tooFewInputs"], "7");
  failures = expect_error (failures, @() f (1, 1, 0, 0, 0, "x", 0), [name ":badInput"], "input 6");
  failures = expect_error (failures, @() f (1, int32 (1), 0, 0, 0, 1, 0), [name ":badInput"], "input 2");
  failures = expect_error (failures, @() f (1, 1, 1, 1, [], 0, 0), [name ":badInput"], "input 5");
  if (any (strcmp (name, {"zelmot", "ombrik"})))
    failures = expect_error (failures, @() f ([1 600], [1 1], [1 1], 0, 0, 7, 0), [name ":badGrid"], "600");
    failures = expect_error (failures, @() f ([1 2 3], [1 2], [1 2 3], 0, 0, 7, 0), [name ":badGrid"], "3");
  endif
  ## lasterror-style handling works too: the identifier survives rethrowing.
  try
    f (1);
  catch err
    try
      rethrow (err);
    catch again
      failures = expect (failures, strcmp (again.identifier, [name ":tooFewInputs"]), "rethrow lost the identifier");
    end_try_catch
  end_try_catch
  failures = expect (failures, isequal (f (0, 0, 0, 0, 0, 6, 0), 0), "a failed call changed the graph");

  ## The runner fails on each kind of wrong expectation and passes the right ones.
  failures = check_runner (failures, name, mexdir);
  clear (name);

  if (! isempty (failures))
    error ("host_checks:failed", "%s: %d host checks failed:\n  %s", name, numel (failures), ...
           strjoin (failures, "\n  "));
  endif
  printf ("%s: host checks passed\n", name);
endfunction

function failures = expect (failures, ok, what)
  if (! ok)
    failures{end+1} = what;
  endif
endfunction

function failures = expect_error (failures, fn, id, in_message)
  try
    fn ();
    failures{end+1} = sprintf ("no error; expected %s", id);
  catch err
    if (! strcmp (err.identifier, id))
      failures{end+1} = sprintf ("error '%s' (%s); expected %s", err.identifier, err.message, id);
    elseif (isempty (strfind (err.message, in_message)))
      failures{end+1} = sprintf ("the message of %s does not mention '%s': %s", id, in_message, err.message);
    endif
  end_try_catch
endfunction

## One right scenario and one wrong one per kind of expectation: the runner must count exactly
## the wrong ones.
function failures = check_runner (failures, name, mexdir)
  tmp = tempname ();
  mkdir (tmp);
  text = [
    "scenario right\n" ...
    "call 1 1 0 0 0 0 5 -> none\n" ...
    "call 2 2 1 1 3 0 6 -> none\n" ...
    "call 0 0 0 0 0 6 0 -> 3x2:1,1,5,2,2,6\n" ...
    "call 0 0 0 0 0 6 0 -> 3x2\n" ...
    "call 0 0 0 0 0 6 0 -> 3x2 first=1,1,5 last=2,2,6\n" ...
    "repeat I 3 5 call {i} {i} {i-1} {i-1} 1 0 {i*2} -> none\n" ...
    "call 5 5 0 0 0 1 0 -> 2x1:4,4\n" ...
    "call 1 1 0 0 0 6 -> error tooFewInputs\n" ...
    "call 1 1 0 0 0 char:x 0 -> error badInput input_6_(code)\n" ...
    "call 1 1 0 0 0 0 5 -> any\n" ...
    "unload\n" ...
    "call 0 0 0 0 0 6 0 -> 1x1:0\n" ...
    "scenario wrong_none\n" ...
    "call 0 0 0 0 0 6 0 -> none\n" ...
    "scenario wrong_values\n" ...
    "call 1 1 0 0 0 0 5 -> none\n" ...
    "call 0 0 0 0 0 6 0 -> 3x1:1,1,6\n" ...
    "scenario wrong_shape\n" ...
    "call 0 0 0 0 0 6 0 -> 1x2\n" ...
    "scenario wrong_ends\n" ...
    "call 1 1 0 0 0 0 5 -> none\n" ...
    "call 0 0 0 0 0 6 0 -> 3x1 first=1,1,5 last=1,1,4\n" ...
    "scenario wrong_error\n" ...
    "call 1 1 0 0 0 6 -> error badInput\n" ...
    "scenario wrong_mention\n" ...
    "call 1 1 0 0 0 char:x 0 -> error badInput input_5\n" ...
    "scenario wrong_no_error\n" ...
    "call 1 1 0 0 0 6 0 -> error badInput\n" ...
    "scenario wrong_result_instead_of_none\n" ...
    "call 1 1 0 0 0 0 5 -> 1x1:0\n" ...
    "scenario wrong_tag_skipped only zelmot32 ombrik32 main32\n" ...
    "call 1 1 0 0 0 0 5 -> 1x1:0\n"];
  fid = fopen (fullfile (tmp, "runner.scn"), "w");
  fputs (fid, text);
  fclose (fid);
  failed = -1;
  evalc ("failed = run_scenarios (name, mexdir, tmp);");
  confirm_recursive_rmdir (false, "local");
  rmdir (tmp, "s");
  failures = expect (failures, failed == 8, sprintf ("run_scenarios counted %d wrong scenarios, not 8", failed));
endfunction
