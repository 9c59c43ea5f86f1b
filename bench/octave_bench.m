% octave_bench.m - what calls through the real host cost: per-call overhead against a trivial
% MEX file of the same shape, loading the side-129 grid with command 0, command 4 at each
% size, and GraphPlugin's methods against direct calls. Prints rows of the table of
% scripts/bench.sh.
%
%   octave-cli --norc --no-gui --no-history bench/octave_bench.m MEXDIR [quick]
%
% MEXDIR holds ombrik.mex (build/octave). "quick" runs the side-17 grid only, with few calls:
% a check that the script still works, not a measurement.

1;  % a script file, not a function file

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

% ---- The toolbox: GraphPlugin's methods against direct calls of the plug-in ----------------

% One build of the grid, nodes first, in an Octave loop of direct calls: seconds for the nodes
% and for the edges. Loading the plug-in again after the clear (about 0.5 ms) is not timed.
function [t_nodes, t_edges] = build_direct(P, values, A, B, w)
  clear ombrik;
  ombrik(0, 0, 0, 0, 0, -1, 0);  % code -1 does nothing
  x = P(:, 1); y = P(:, 2);
  tic;
  for k = 1:numel(x)
    ombrik(x(k), y(k), 0, 0, 0, 0, values(k));
  end
  t_nodes = toc;
  ax = A(:, 1); ay = A(:, 2); bx = B(:, 1); by = B(:, 2);
  tic;
  for k = 1:numel(ax)
    ombrik(ax(k), ay(k), bx(k), by(k), w(k), 0, 1);
  end
  t_edges = toc;
end

% The same build through the vector forms: one addNode and one addEdge call.
function [t_nodes, t_edges] = build_vector(g, P, values, A, B, w)
  g.reset();
  ombrik(0, 0, 0, 0, 0, -1, 0);
  tic;
  g.addNode(P, values);
  t_nodes = toc;
  tic;
  g.addEdge(A, B, w);
  t_edges = toc;
end

% Per call, in a three-node graph where the plug-in has least to do: addNode at the taken
% position of the first node, and neighbors of the middle node, each against the same
% direct call; and the floor under addNode, a method that forwards without checks
% (ForwardOnly.m). Each is timed in many short turns of `calls` calls, in rotation, and the
% best turn counts: on a busy machine a short turn is more often undisturbed, and turns of
% direct calls, being shorter, would otherwise win more often.
function toolbox_per_call(g, calls, turns)
  g.reset();
  g.addNode([1 1], 10); g.addNode([2 1], 20); g.addNode([3 1], 30);
  g.addEdge([1 1], [2 1], 4); g.addEdge([2 1], [3 1], 4);
  if ~isequal(g.neighbors([2 1]), [1 1; 3 1])
    error('octave_bench:toolbox', 'GraphPlugin.neighbors gave a wrong answer');
  end
  p = [1 1]; q = [2 1];
  forward = ForwardOnly();
  t = Inf(1, 5);
  for r = 1:turns
    tic; for i = 1:calls, ombrik(1, 1, 0, 0, 0, 0, 10); end; t(1) = min(t(1), toc / calls);
    tic; for i = 1:calls, g.addNode(p, 10); end;               t(2) = min(t(2), toc / calls);
    tic; for i = 1:calls, ombrik(2, 1, 0, 0, 0, 1, 0); end;  t(3) = min(t(3), toc / calls);
    tic; for i = 1:calls, g.neighbors(q); end;                t(4) = min(t(4), toc / calls);
    tic; for i = 1:calls, forward.addNode(p, 10); end;         t(5) = min(t(5), toc / calls);
  end
  table_row('Octave GraphPlugin.addNode, one node', '3', t(2), sprintf('%.2fx', t(2) / t(1)), ...
      sprintf('per call, at a taken position, against the direct call: %s', format_time(t(1))));
  table_row('Octave GraphPlugin.neighbors, one node', '3', t(4), sprintf('%.2fx', t(4) / t(3)), ...
      sprintf('per call, two neighbours, against the direct call: %s', format_time(t(3))));
  table_row('Octave classdef method, forwarding only', '3', t(5), sprintf('%.2fx', t(5) / t(1)), ...
      'the floor under addNode: a method call and a property read, no checks');
end

% Per element: the vector addNode and addEdge building the grid of the given side, nodes
% first, against an Octave loop of direct calls over the same rows; the best of `builds`
% builds of each, in turns. Both builds must give the same graph.
function toolbox_vectors(g, side, builds, note)
  [P, values, A, B, w] = grid_rows(side);
  t = Inf(1, 4);
  for r = 1:builds
    [tn, te] = build_direct(P, values, A, B, w);
    t(1) = min(t(1), tn); t(2) = min(t(2), te);
    direct_nodes = ombrik(0, 0, 0, 0, 0, 6, 0);
    direct_middle = ombrik(2, 2, 0, 0, 0, 1, 0);
    [tn, te] = build_vector(g, P, values, A, B, w);
    t(3) = min(t(3), tn); t(4) = min(t(4), te);
    if ~isequal(g.listNodes(), direct_nodes.') || ~isequal(g.neighbors([2 2]), direct_middle.')
      error('octave_bench:toolbox', 'the vector forms built another grid than direct calls');
    end
  end
  n = size(P, 1); m = size(A, 1);
  nodes = sprintf('%d', n);
  table_row(sprintf('Octave GraphPlugin.addNode, %d rows', n), nodes, t(3) / n, ...
      sprintf('%.2fx', t(3) / t(1)), sprintf('per node, grid %d; direct loop %s; %s', ...
      side, format_time(t(1) / n), note));
  table_row(sprintf('Octave GraphPlugin.addEdge, %d rows', m), nodes, t(4) / m, ...
      sprintf('%.2fx', t(4) / t(2)), sprintf('per edge, grid %d; direct loop %s; %s', ...
      side, format_time(t(2) / m), note));
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
addpath(here);  % load_grid_rows, build_trivial_mex, ForwardOnly
tmp = build_trivial_mex();
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
table_row('Octave trivial MEX file', '', t_trivial, '1.00x', 'seven scalars in, 1-by-1 out');
table_row('Octave ombrik, code 1 at an empty position', '0', t_ombrik, ...
    sprintf('%.2fx', t_ombrik / t_trivial), 'per call, against the trivial MEX file');

for side = sides
  clear ombrik;  % a fresh, empty graph
  tic;
  n_calls = load_grid_rows(@ombrik, side);
  t_load = toc;
  nodes = sprintf('%d', side * side);
  if side == max(sides)
    table_row(sprintf('Octave load grid %d, command 0', side), nodes, t_load, '', ...
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
  table_row('Octave command 4, far (row by row)', nodes, t_path, '', ...
      sprintf('(1, 1) to (%d, %d); %d columns', side, side, columns(r)));
end
% ---- The toolbox rows: on a small graph the plug-in's own work is least, so the ratios show
% the wrapper's overhead; on the side-129 grid they show what a user's build costs.
addpath(fullfile(fileparts(here), 'toolbox'));
g = GraphPlugin('ombrik');
toolbox_per_call(g, 20, calls / 40);
if quick
  toolbox_vectors(g, 17, 1, 'best of 1 build');
else
  toolbox_vectors(g, 17, 20, 'best of 20 builds of this small graph: the overhead');
  toolbox_vectors(g, 129, 2, 'best of 2 builds: the plug-in''s list walks dominate');
end
g.reset();
rmpath(here);
clear ombrik trivial_mex;
rmpath(tmp);
confirm_recursive_rmdir(false);
rmdir(tmp, 's');
