% octave_bench.m - what calls through the real host cost: per-call overhead against a trivial
% MEX file of the same shape, loading the side-129 grid with command 0, and command 4 at each
% size. Prints rows of the table of scripts/bench.sh.
%
%   octave-cli --norc --no-gui bench/octave_bench.m MEXDIR [quick]
%
% MEXDIR holds ombrik.mex (build/octave). "quick" runs the side-17 grid only, with few calls:
% a check that the script still works, not a measurement.

1;  % a script file, not a function file

function s = format_time(seconds)
  ns = seconds * 1e9;
  if ns < 1e3
    s = sprintf('%.3g ns', ns);
  elseif ns < 1e6
    s = sprintf('%.3g µs', ns / 1e3);
  elseif ns < 1e9
    s = sprintf('%.3g ms', ns / 1e6);
  else
    s = sprintf('%.3g s', ns / 1e9);
  end
end

function row(what, nodes, seconds, ratio, note)
  printf('| %s | %s | %s |  | %s | %s |\n', what, nodes, format_time(seconds), ratio, note);
end

% The best of `reps` timed loops of `calls` calls of f(1, 1, 0, 0, 0, code, 0), per call.
function t = per_call(f, code, calls, reps)
  t = Inf;
  for r = 1:reps
    tic;
    for i = 1:calls
      f(1, 1, 0, 0, 0, code, 0);
    end
    t = min(t, toc / calls);
  end
end

% The grid of the C++ benchmark, sent row by row: command 0 adds each node with an edge to its
% left neighbour (none in column 1), a second command 0 joins it to its upper neighbour.
% Returns the number of calls made.
function calls = load_grid_rows(f, side)
  calls = 0;
  for y = 1:side
    for x = 1:side
      v = mod(x * 7 + y * 3, 97) + 1;
      if x > 1
        f(x, y, x - 1, y, mod(x * 31 + y * 17, 9) + 1, 0, v);
      else
        f(x, y, 0, 0, 0, 0, v);
      end
      if y > 1
        f(x, y, x, y - 1, mod(x * 31 + y * 17 + 7, 9) + 1, 0, v);
        calls = calls + 1;
      end
      calls = calls + 1;
    end
  end
end

args = argv();
mexdir = args{1};
quick = numel(args) > 1 && strcmp(args{2}, 'quick');
if quick
  sides = 17; calls = 200; reps = 2;
else
  sides = [17 50 129]; calls = 20000; reps = 7;
end

% The trivial MEX file, built where it cannot shadow anything.
here = fileparts(mfilename('fullpath'));
tmp = tempname();
mkdir(tmp);
[status, out] = system(sprintf('mkoctfile --mex -o "%s" "%s"', ...
                               fullfile(tmp, 'trivial_mex.mex'), fullfile(here, 'trivial_mex.c')));
if status ~= 0
  error('octave_bench:build', 'mkoctfile failed:\n%s', out);
end
addpath(tmp);
addpath(mexdir);

% Per-call overhead: code 1 at a position without a node answers a 1-by-1 zero, as the
% trivial file does. Both are timed in turns, so a busy machine slows both alike.
clear ombrik;
t_trivial = Inf; t_ombrik = Inf;
for r = 1:reps
  t_trivial = min(t_trivial, per_call(@trivial_mex, 1, calls, 1));
  t_ombrik = min(t_ombrik, per_call(@ombrik, 1, calls, 1));
end
row('Octave trivial MEX file', '', t_trivial, '1.00x', 'seven scalars in, 1-by-1 out');
row('Octave ombrik, code 1 at an empty position', '0', t_ombrik, ...
    sprintf('%.2fx', t_ombrik / t_trivial), 'per call, against the trivial MEX file');

for side = sides
  clear ombrik;  % a fresh, empty graph
  tic;
  n_calls = load_grid_rows(@ombrik, side);
  t_load = toc;
  nodes = sprintf('%d', side * side);
  if side == max(sides)
    row(sprintf('Octave load grid %d, command 0', side), nodes, t_load, '', ...
        sprintf('%d calls, %s per call', n_calls, format_time(t_load / n_calls)));
  end
  t_path = Inf; spent = 0; done = 0;
  while done < 1 || (spent < 1 && done < 10)
    tic;
    r = ombrik(1, 1, side, side, 0, 4, 0);
    t = toc;
    t_path = min(t_path, t); spent = spent + t; done = done + 1;
  end
  if ~isequal(r(:, 1), [side; side]) || ~isequal(r(:, end), [1; 1])
    error('octave_bench:path', 'command 4 on the side-%d grid gave a wrong path', side);
  end
  row('Octave command 4, far (row by row)', nodes, t_path, '', ...
      sprintf('(1, 1) to (%d, %d); %d columns', side, side, columns(r)));
end
clear ombrik trivial_mex;
rmpath(tmp);
confirm_recursive_rmdir(false);
rmdir(tmp, 's');
