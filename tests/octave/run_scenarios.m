## run_scenarios.m - runs the protocol scenarios of tests/scenarios against a built plug-in in
## Octave, the real host: each scenario starts with `clear NAME`, each call asks for one result,
## errors are caught and compared by identifier. Octave builds are 64-bit, so only the scenarios
## for NAME at width 64 run.
##
##   failed = run_scenarios ('zelmot', 'build/octave', 'tests/scenarios')
##   failed = run_scenarios ('zelmot', 'build/octave', 'tests/scenarios', 'merge')
##
## The optional fourth argument keeps only scenarios whose file or name contains it.
## Returns the number of failed scenarios (0 when all passed); a file that cannot be read or
## parsed, or a run in which no scenario ran, is an error.

function failed = run_scenarios (name, mexdir, scndir, filter)
  if (nargin < 4)
    filter = "";
  endif
  addpath (mexdir);
  where = which (name);
  if (isempty (where) || ! strncmp (where, canonicalize_file_name (mexdir), numel (canonicalize_file_name (mexdir))))
    error ("run_scenarios:notFound", "%s is not loaded from %s (which: '%s')", name, mexdir, where);
  endif


  files = dir (fullfile (scndir, "*.scn"));
  names = sort ({files.name});
  if (isempty (names))
    error ("run_scenarios:noFiles", "no .scn file in %s", scndir);
  endif

  failed = 0;
  ran = 0;
  calls = 0;
  for f = 1:numel (names)
    keep = @(sc_name, only) runs_on (only, name, 64) && (isempty (filter) ...
             || ! isempty (strfind (sc_name, filter)) || ! isempty (strfind (names{f}, filter)));
    scenarios = read_scenarios (fullfile (scndir, names{f}), names{f}, keep);
    for s = 1:numel (scenarios)
      sc = scenarios{s};
      if (! sc.kept)
        continue;
      endif
      ran += 1;
      clear (name);  # every scenario starts from an empty graph, freshly loaded
      for k = 1:numel (sc.steps)
        st = sc.steps{k};
        if (strcmp (st.kind, "unload"))
          clear (name);
          continue;
        endif
        calls += 1;
        mismatch = check (st.expect, call_once (name, st.args), name);
        if (! isempty (mismatch))
          printf ("FAIL %s:%d scenario %s: %s\n", names{f}, st.line, sc.name, mismatch);
          failed += 1;
          break;  # later steps build on the graph this one left
        endif
      endfor
    endfor
  endfor
  clear (name);
  printf ("%s in Octave: %d scenarios, %d calls, %d failed\n", name, ran, calls, failed);
  if (ran == 0)
    error ("run_scenarios:nothingRan", "no scenario of %s ran", name);
  endif
endfunction

## ---- running one call ----

## The outcome of one call with nargout 1: kind "stored", "none" or "raised".
function out = call_once (name, args)
  out = struct ("kind", "stored", "value", [], "id", "", "message", "");
  try
    out.value = feval (name, args{:});
  catch err
    if (strncmp (err.identifier, [name ":"], numel (name) + 1))
      out.kind = "raised";
      out.id = err.identifier;
      out.message = err.message;
    elseif (isempty (err.identifier) && ! isempty (strfind (err.message, "undefined")))
      out.kind = "none";  # Octave's complaint that the plug-in stored no result
    else
      out.kind = "raised";
      out.id = err.identifier;
      out.message = err.message;
    endif
  end_try_catch
endfunction

## Empty when the outcome meets the expectation; otherwise what was expected and what came.
function mismatch = check (e, out, name)
  mismatch = "";
  switch (e.kind)
    case "any"
      return;
    case "none"
      ok = strcmp (out.kind, "none");
    case "error"
      ok = strcmp (out.kind, "raised") && strcmp (out.id, [name ":" e.mnemonic]) ...
           && ! isempty (out.message) ...
           && (isempty (e.mention) || ! isempty (strfind (out.message, e.mention)));
    otherwise
      v = out.value;
      ok = strcmp (out.kind, "stored") && isa (v, "double") && isreal (v) && ! issparse (v) ...
           && isequal (size (v), [e.rows e.cols]);
      if (ok && strcmp (e.kind, "exact"))
        ok = isequal (v(:)', e.values);
      elseif (ok && strcmp (e.kind, "ends"))
        ok = isequal (v(:,1)', e.first) && isequal (v(:,end)', e.last);
      endif
  endswitch
  if (! ok)
    mismatch = sprintf ("expected %s, got %s", e.token, describe (out));
  endif
endfunction

function s = describe (out)
  switch (out.kind)
    case "none"
      s = "no result";
    case "raised"
      s = sprintf ("error %s: %s", out.id, out.message);
    otherwise
      v = out.value;
      shown = v(1:min (numel (v), 12));
      s = sprintf ("%s %dx%d:%s", class (v), rows (v), columns (v), strjoin (arrayfun (@num2str, shown(:)', "UniformOutput", false), ","));
      if (numel (v) > 12)
        s = [s ",..."];
      endif
  endswitch
endfunction

function ok = runs_on (only, name, width)
  ok = isempty (only) || any (strcmp (only, name)) || any (strcmp (only, sprintf ("%s%d", name, width)));
endfunction

## ---- reading the files ----

## keep (name, only) says whether a scenario will run; the steps of the others are not read.
function scenarios = read_scenarios (path, file, keep)
  text = fileread (path);
  lines = strsplit (text, "\n");
  scenarios = {};
  seen = {};
  for n = 1:numel (lines)
    line = lines{n};
    hash = find (line == "#", 1);
    if (! isempty (hash))
      line = line(1:hash-1);
    endif
    words = strsplit (strtrim (line));
    if (isempty (words) || isempty (words{1}))
      continue;
    endif
    at = sprintf ("%s:%d", file, n);
    switch (words{1})
      case "scenario"
        if (numel (words) < 2)
          error ("run_scenarios:syntax", "%s: scenario needs a name", at);
        endif
        only = {};
        if (numel (words) > 2)
          if (! strcmp (words{3}, "only") || numel (words) == 3)
            error ("run_scenarios:syntax", "%s: expected 'only TAG ...'", at);
          endif
          only = words(4:end);
        endif
        if (any (strcmp (seen, words{2})))
          error ("run_scenarios:syntax", "%s: scenario %s appears twice", at, words{2});
        endif
        seen{end+1} = words{2};
        scenarios{end+1} = struct ("name", words{2}, "only", {only}, "steps", {{}}, ...
                                   "kept", keep (words{2}, only));
      case "call"
        need_scenario (scenarios, at);
        if (scenarios{end}.kept)
          scenarios{end}.steps{end+1} = parse_call (words(2:end), n, at);
        endif
      case "repeat"
        need_scenario (scenarios, at);
        if (numel (words) < 5 || ! strcmp (words{2}, "I") || ! strcmp (words{5}, "call"))
          error ("run_scenarios:syntax", "%s: expected 'repeat I FROM TO call ...'", at);
        endif
        if (scenarios{end}.kept)
          scenarios{end}.steps = [scenarios{end}.steps ...
                                  repeat_calls(str2double (words{3}), str2double (words{4}), words(6:end), n, at)];
        endif
      case "unload"
        need_scenario (scenarios, at);
        scenarios{end}.steps{end+1} = struct ("kind", "unload", "line", n);
      otherwise
        error ("run_scenarios:syntax", "%s: unknown line '%s'", at, words{1});
    endswitch
  endfor
endfunction

function need_scenario (scenarios, at)
  if (isempty (scenarios))
    error ("run_scenarios:syntax", "%s: a step before the first scenario", at);
  endif
endfunction

function st = parse_call (words, line, at)
  arrow = find (strcmp (words, "->"), 1);
  if (isempty (arrow))
    error ("run_scenarios:syntax", "%s: a call needs '-> EXPECT'", at);
  endif
  args = cell (1, arrow - 1);
  for k = 1:arrow-1
    args{k} = parse_arg (words{k}, at);
  endfor
  st = struct ("kind", "call", "line", line, "args", {args}, ...
               "expect", parse_expect (words(arrow+1:end), at));
endfunction

## The calls of a repeat line for I = from..to. Tokens without a placeholder are read once, and
## a token that is only a placeholder becomes its number without being written out: a repeat
## may make thousands of calls.
function steps = repeat_calls (from, to, template, line, at)
  arrow = find (strcmp (template, "->"), 1);
  if (isempty (arrow))
    error ("run_scenarios:syntax", "%s: a call needs '-> EXPECT'", at);
  endif
  tokens = template(1:arrow-1);
  expect_words = template(arrow+1:end);
  fixed = cell (1, numel (tokens));
  how = zeros (1, numel (tokens));  # 0 fixed, 1 plain placeholder, 2 written out
  op = repmat (" ", 1, numel (tokens));
  K = zeros (1, numel (tokens));
  for k = 1:numel (tokens)
    t = regexp (tokens{k}, '^\{i(?:([+\-*])(-?\d+))?\}$', "tokens", "once");
    if (! any (tokens{k} == "{"))
      fixed{k} = parse_arg (tokens{k}, at);
    elseif (! isempty (t))
      how(k) = 1;
      if (! isempty (t{1}))
        op(k) = t{1};
        K(k) = str2double (t{2});
      endif
    else
      how(k) = 2;
    endif
  endfor
  expect_fixed = ! any (cellfun (@(w) any (w == "{"), expect_words));
  if (expect_fixed)
    expect = parse_expect (expect_words, at);
  endif
  step = 1 - 2 * (to < from);
  steps = cell (1, abs (to - from) + 1);
  n = 0;
  for i = from:step:to
    args = fixed;
    for k = find (how)
      if (how(k) == 1)
        switch (op(k))
          case "+"
            args{k} = i + K(k);
          case "-"
            args{k} = i - K(k);
          case "*"
            args{k} = i * K(k);
          otherwise
            args{k} = i;
        endswitch
      else
        args{k} = parse_arg (expand (tokens{k}, i, at), at);
      endif
    endfor
    if (! expect_fixed)
      expect = parse_expect (cellfun (@(w) expand (w, i, at), expect_words, "UniformOutput", false), at);
    endif
    n += 1;
    steps{n} = struct ("kind", "call", "line", line, "args", {args}, "expect", expect);
  endfor
endfunction

## Replaces {i}, {i+K}, {i-K} and {i*K} by their value for I = i.
function w = expand (w, i, at)
  while (true)
    open = find (w == "{", 1);
    if (isempty (open))
      return;
    endif
    close = open + find (w(open:end) == "}", 1) - 1;
    inner = w(open+1:close-1);
    if (isempty (inner) || inner(1) != "i")
      error ("run_scenarios:syntax", "%s: unknown placeholder {%s}", at, inner);
    endif
    v = i;
    if (numel (inner) > 1)
      K = str2double (inner(3:end));
      switch (inner(2))
        case "+"
          v = i + K;
        case "-"
          v = i - K;
        case "*"
          v = i * K;
        otherwise
          error ("run_scenarios:syntax", "%s: unknown placeholder {%s}", at, inner);
      endswitch
    endif
    w = [w(1:open-1) sprintf("%d", v) w(close+1:end)];
  endwhile
endfunction

function v = number (s, at)
  v = str2double (s);
  if (isnan (v) && ! strcmpi (s, "nan"))
    error ("run_scenarios:syntax", "%s: not a number: '%s'", at, s);
  endif
  if (strcmp (s, "-0"))
    v = -0;
  endif
endfunction

function v = numbers (list, at)
  if (isempty (list))
    v = zeros (1, 0);
    return;
  endif
  parts = strsplit (list, ",");
  v = zeros (1, numel (parts));
  for k = 1:numel (parts)
    v(k) = number (parts{k}, at);
  endfor
endfunction

## "RxC:v1,..." into a matrix; empty when s has no shape prefix.
function [m, is_matrix] = matrix_token (s, at)
  m = [];
  t = regexp (s, '^(\d+)x(\d+):(.*)$', "tokens", "once");
  is_matrix = ! isempty (t);
  if (is_matrix)
    r = str2double (t{1});
    c = str2double (t{2});
    v = numbers (t{3}, at);
    if (numel (v) != r * c)
      error ("run_scenarios:syntax", "%s: '%s' holds %d values, not %d", at, s, numel (v), r * c);
    endif
    m = reshape (v, r, c);
  endif
endfunction

function a = parse_arg (s, at)
  if (numel (s) >= 2 && s(1) == "[" && s(end) == "]")
    a = numbers (s(2:end-1), at);
    if (isempty (a))
      a = [];
    endif
    return;
  endif
  [a, is_matrix] = matrix_token (s, at);
  if (is_matrix)
    return;
  endif
  colon = find (s == ":", 1);
  if (isempty (colon))
    a = number (s, at);
    return;
  endif
  cls = s(1:colon-1);
  v = s(colon+1:end);
  switch (cls)
    case "char"
      a = v;
    case "single"
      a = single (number (v, at));
    case "int32"
      a = int32 (number (v, at));
    case "logical"
      a = logical (number (v, at));
    case "complex"
      a = complex (number (v, at), 1);
    case "sparse"
      a = sparse (number (v, at));
    otherwise
      error ("run_scenarios:syntax", "%s: unknown argument class '%s'", at, cls);
  endswitch
endfunction

function e = parse_expect (words, at)
  e = struct ("kind", "", "token", strjoin (words, " "), "mnemonic", "", "mention", "", "rows", 0, "cols", 0, ...
              "values", [], "first", [], "last", []);
  if (isempty (words))
    error ("run_scenarios:syntax", "%s: nothing after ->", at);
  endif
  head = words{1};
  if (any (strcmp (head, {"none", "any"})))
    e.kind = head;
  elseif (strcmp (head, "error"))
    e.kind = "error";
    e.mnemonic = words{2};
    if (numel (words) == 3)
      e.mention = strrep (words{3}, "_", " ");
    elseif (numel (words) != 2)
      error ("run_scenarios:syntax", "%s: error takes a mnemonic and, if need be, what the message mentions", at);
    endif
  else
    [m, is_matrix] = matrix_token (head, at);
    if (is_matrix)
      e.kind = "exact";
      [e.rows, e.cols] = size (m);
      e.values = m(:)';
      return;
    endif
    t = regexp (head, '^(\d+)x(\d+)$', "tokens", "once");
    if (isempty (t))
      error ("run_scenarios:syntax", "%s: unknown expectation '%s'", at, head);
    endif
    e.rows = str2double (t{1});
    e.cols = str2double (t{2});
    e.kind = "shape";
    if (numel (words) == 3)
      e.kind = "ends";
      e.first = numbers (regexprep (words{2}, '^first=', ""), at);
      e.last = numbers (regexprep (words{3}, '^last=', ""), at);
    elseif (numel (words) != 1)
      error ("run_scenarios:syntax", "%s: a shape takes first=... last=... or nothing", at);
    endif
  endif
endfunction
