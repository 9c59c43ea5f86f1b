% octave_indexed_bench.m - the two builds of ombrik through Octave against each other, against
% the call floor and against the peer search: building the grids with command 0, and command 4
% on the queries that bench/boost_peer.cpp times. Prints rows of the table of scripts/bench.sh.
%
%   octave-cli --norc --no-gui bench/octave_indexed_bench.m DEFAULT_DIR INDEXED_DIR PEER [quick]
%
% DEFAULT_DIR and INDEXED_DIR hold the two builds of ombrik.mex (build/octave and
% build/octave-indexed); PEER is a file of boost_peer's lines "side build mean far". The call
% floor of a build is the same loop of calls sent to the trivial MEX file. "quick" runs the
% side-17 grid only: a check that the script still works, not a measurement.

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
  printf('| %s | %d | %s |  | %s | %s |\n', what, nodes, format_time(seconds), ratio, note);
end

% The plug-in ombrik of the given folder, freshly loaded: a handle and its file.
function f = use_ombrik(folder, others)
  clear ombrik;
  for k = 1:numel(others)
    if any(strcmp(strsplit(path(), pathsep()), others{k}))
      rmpath(others{k});
    end
  end
  addpath(folder);
  f = @ombrik;
  where = which('ombrik');
  if ~strncmp(where, folder, numel(folder))
    error('octave_indexed_bench:path', 'ombrik comes from %s, not %s', where, folder);
  end
end

% The six goals along the diagonal, as boost_peer takes them.
function goals = diagonal_goals(side)
  goals = floor(((1:6) * side + 5) / 6);
end

% Command 4 from (1, 1) to (k, k) for each goal: the best of `reps` runs of each, and the
% mean of those; and the path to the far corner.
function [mean_t, far_t, far_cols] = queries(f, side, reps)
  goals = diagonal_goals(side);
  best = Inf(size(goals));
  for r = 1:reps
    for q = 1:numel(goals)
      k = goals(q);
      tic;
      p = f(1, 1, k, k, 0, 4, 0);
      best(q) = min(best(q), toc);
      if ~isequal(p(:, 1), [k; k])
        error('octave_indexed_bench:path', 'no path to (%d, %d) on the side-%d grid', k, k, side);
      end
    end
  end
  mean_t = mean(best);
  far_t = best(end);
  far_cols = columns(f(1, 1, side, side, 0, 4, 0));
end

function t = timed_build(f, side)
  tic;
  load_grid_rows(f, side);
  t = toc;
end

args = argv();
default_dir = make_absolute_filename(args{1});
indexed_dir = make_absolute_filename(args{2});
peer = load(args{3});  % side, build, mean, far per row
quick = numel(args) > 3 && strcmp(args{4}, 'quick');
here = fileparts(mfilename('fullpath'));
addpath(here);  % load_grid_rows, build_trivial_mex
tmp = build_trivial_mex();
addpath(tmp);
dirs = {default_dir, indexed_dir};

if quick
  sides = 17; large = []; reps = 1;
else
  sides = 129; large = 500; reps = 5;
end

for side = sides
  nodes = side * side;
  boost = peer(peer(:, 1) == side, :);
  floor_t = Inf; build_t = Inf(1, 2);
  for r = 1:3  % in turns, so a busy machine slows all three alike
    clear trivial_mex;
    floor_t = min(floor_t, timed_build(@trivial_mex, side));
    for b = 1:2
      f = use_ombrik(dirs{b}, dirs);
      build_t(b) = min(build_t(b), timed_build(f, side));
    end
  end
  calls = load_grid_rows(@trivial_mex, side);
  row(sprintf('Octave call floor, grid %d', side), nodes, floor_t, '1.00x', ...
      sprintf('the build loop of %d calls sent to the trivial MEX file', calls));
  names = {'default', 'indexed'};
  for b = 1:2
    row(sprintf('Octave build grid %d, %s', side, names{b}), nodes, build_t(b), ...
        sprintf('%.2fx', build_t(b) / floor_t), 'against the call floor');
  end
  % The builds are loaded and hold the grid: the last one built is the indexed one.
  q_mean = zeros(1, 2); q_far = zeros(1, 2);
  for b = [2 1]
    if b == 1
      f = use_ombrik(dirs{1}, dirs);
      load_grid_rows(f, side);
      [q_mean(b), q_far(b), cols] = queries(f, side, 1);  % seconds each: one run is enough
    else
      [q_mean(b), q_far(b), cols] = queries(f, side, reps);
    end
  end
  row(sprintf('Boost build grid %d (C++)', side), nodes, boost(2), '', ...
      'adjacency_list of vectors; for reference');
  row('Boost search, 6 queries (C++)', nodes, boost(3), '1.00x', ...
      'dijkstra_shortest_paths, stopped at the goal: mean of (1, 1) to (k, k) along the diagonal');
  for b = 1:2
    row(sprintf('Octave command 4, 6 queries, %s', names{b}), nodes, q_mean(b), ...
        sprintf('%.2fx', q_mean(b) / boost(3)), ...
        sprintf('against Boost; indexed %.0fx faster than default', q_mean(1) / q_mean(2)));
  end
  row('Boost search, far (C++)', nodes, boost(4), '1.00x', sprintf('(1, 1) to (%d, %d)', side, side));
  for b = 1:2
    row(sprintf('Octave command 4, far, %s', names{b}), nodes, q_far(b), ...
        sprintf('%.2fx', q_far(b) / boost(4)), ...
        sprintf('against Boost; %d columns; indexed %.0fx faster than default', cols, q_far(1) / q_far(2)));
  end
end

% The largest grid, indexed build only: the default build would take about a quarter of an
% hour to build it and minutes for each search.
for side = large
  nodes = side * side;
  boost = peer(peer(:, 1) == side, :);
  clear trivial_mex;
  floor_t = timed_build(@trivial_mex, side);
  f = use_ombrik(indexed_dir, dirs);
  build_t = timed_build(f, side);
  row(sprintf('Octave call floor, grid %d', side), nodes, floor_t, '1.00x', ...
      sprintf('the build loop of %d calls sent to the trivial MEX file', load_grid_rows(@trivial_mex, side)));
  row(sprintf('Octave build grid %d, indexed', side), nodes, build_t, ...
      sprintf('%.2fx', build_t / floor_t), 'against the call floor');
  far_t = Inf;
  for r = 1:reps
    tic;
    p = f(1, 1, side, side, 0, 4, 0);
    far_t = min(far_t, toc);
  end
  row(sprintf('Boost build grid %d (C++)', side), nodes, boost(2), '', 'for reference');
  row('Boost search, far (C++)', nodes, boost(4), '1.00x', sprintf('(1, 1) to (%d, %d)', side, side));
  row('Octave command 4, far, indexed', nodes, far_t, sprintf('%.2fx', far_t / boost(4)), ...
      sprintf('against Boost; %d columns (the 401 nearest the goal)', columns(p)));
end

clear ombrik trivial_mex;
rmpath(tmp);
confirm_recursive_rmdir(false);
rmdir(tmp, 's');
