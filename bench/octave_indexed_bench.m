% octave_indexed_bench.m - the two builds of ombrik through Octave against each other, against
% the call floor and against the peer search: building the grids with command 0, and command 4
% on the queries that bench/boost_peer.cpp times. Prints rows of the table of scripts/bench.sh.
%
%   octave-cli --norc --no-gui --no-history bench/octave_indexed_bench.m DEFAULT_DIR INDEXED_DIR PEER [quick]
%
% DEFAULT_DIR and INDEXED_DIR hold the two builds of ombrik.mex (build/octave and
% build/octave-indexed); PEER is the boost_peer program. The call floor of a build is the same
% loop of calls sent to the trivial MEX file. Every figure is the best of several turns, and the
% turns take each measurement in rotation, the peer's too, so that a machine busy with other
% work slows all of them alike. "quick" runs the side-17 grid only, once: a check that the
% script still works, not a measurement.

1;  % a script file, not a function file

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

% The peer's seconds for the grid of the given side: build, mean of the six queries, far.
% system() forks Octave: until each page has been written once more, the first writes to the
% graph's pages after it fault and copy them. Callers make an untimed search before timing one.
function t = peer_times(peer, side)
  [status, out] = system(sprintf('"%s" %d', peer, side));
  t = sscanf(out, '%f');
  if status ~= 0 || numel(t) ~= 4
    error('octave_indexed_bench:peer', 'boost_peer %d failed:\n%s', side, out);
  end
  t = t(2:4).';
end

% Builds the grid of the given side in each of the plug-in folders dirs(which), against the
% call floor; `turns` turns. Returns the seconds of the floor and of each build; the last build
% made is that of the last folder.
function [floor_t, build_t] = builds(dirs, which, side, turns)
  floor_t = Inf; build_t = Inf(1, numel(which));
  for r = 1:turns
    clear trivial_mex;
    floor_t = min(floor_t, timed_build(@trivial_mex, side));
    for b = 1:numel(which)
      f = use_ombrik(dirs{which(b)}, dirs);
      build_t(b) = min(build_t(b), timed_build(f, side));
    end
  end
end

args = argv();
default_dir = make_absolute_filename(args{1});
indexed_dir = make_absolute_filename(args{2});
peer = args{3};
quick = numel(args) > 3 && strcmp(args{4}, 'quick');
here = fileparts(mfilename('fullpath'));
addpath(here);  % load_grid_rows, build_trivial_mex, table_row
tmp = build_trivial_mex();
addpath(tmp);
dirs = {default_dir, indexed_dir};
names = {'default', 'indexed'};
if quick
  side = 17; large = []; turns = 1;
else
  side = 129; large = 500; turns = 5;
end

% Both builds on the side-129 grid. The default store's searches take seconds each: two turns
% of them; the others in every turn.
nodes = side * side;
[floor_t, build_t] = builds(dirs, [1 2], side, min(turns, 3));
calls = load_grid_rows(@trivial_mex, side);
table_row(sprintf('Octave call floor, grid %d', side), nodes, floor_t, '1.00x', ...
          sprintf('the build loop of %d calls sent to the trivial MEX file', calls));
for b = 1:2
  table_row(sprintf('Octave build grid %d, %s', side, names{b}), nodes, build_t(b), ...
            sprintf('%.2fx', build_t(b) / floor_t), 'against the call floor');
end
f_indexed = @ombrik;  % the indexed build, loaded last: it holds the grid
boost = Inf(1, 3); q_mean = Inf(1, 2); q_far = Inf(1, 2);
for r = 1:turns
  boost = min(boost, peer_times(peer, side));
  queries(f_indexed, side, 1);  % untimed: after the fork, see peer_times
  [m, fa, cols] = queries(f_indexed, side, 1);
  q_mean(2) = min(q_mean(2), m); q_far(2) = min(q_far(2), fa);
end
f_default = use_ombrik(default_dir, dirs);
load_grid_rows(f_default, side);
for r = 1:min(turns, 2)  % after the fork of the last turn: the first search is not timed
  [m, fa] = queries(f_default, side, 1);
  q_mean(1) = min(q_mean(1), m); q_far(1) = min(q_far(1), fa);
end
table_row(sprintf('Boost build grid %d (C++)', side), nodes, boost(1), '', ...
          'adjacency_list of vectors; for reference');
table_row('Boost search, 6 queries (C++)', nodes, boost(2), '1.00x', ...
          'dijkstra_shortest_paths, stopped at the goal: mean of (1, 1) to (k, k) along the diagonal');
for b = 1:2
  table_row(sprintf('Octave command 4, 6 queries, %s', names{b}), nodes, q_mean(b), ...
            sprintf('%.2fx', q_mean(b) / boost(2)), ...
            sprintf('against Boost; indexed %.0fx faster than default', q_mean(1) / q_mean(2)));
end
table_row('Boost search, far (C++)', nodes, boost(3), '1.00x', sprintf('(1, 1) to (%d, %d)', side, side));
for b = 1:2
  table_row(sprintf('Octave command 4, far, %s', names{b}), nodes, q_far(b), ...
            sprintf('%.2fx', q_far(b) / boost(3)), ...
            sprintf('against Boost; %d columns; indexed %.0fx faster than default', cols, q_far(1) / q_far(2)));
end

% The largest grid, indexed build only: the default build would take about a quarter of an
% hour to build it and minutes for each search.
for side = large
  nodes = side * side;
  [floor_t, build_t] = builds(dirs, 2, side, 2);
  f = @ombrik;  % the indexed build, which holds the grid
  table_row(sprintf('Octave call floor, grid %d', side), nodes, floor_t, '1.00x', ...
            sprintf('the build loop of %d calls sent to the trivial MEX file', load_grid_rows(@trivial_mex, side)));
  table_row(sprintf('Octave build grid %d, indexed', side), nodes, build_t, ...
            sprintf('%.2fx', build_t / floor_t), 'against the call floor');
  boost = Inf(1, 3); far_t = Inf;
  for r = 1:turns
    boost = min(boost, peer_times(peer, side));
    f(1, 1, side, side, 0, 4, 0);  % untimed: after the fork, see peer_times
    tic;
    p = f(1, 1, side, side, 0, 4, 0);
    far_t = min(far_t, toc);
  end
  table_row(sprintf('Boost build grid %d (C++)', side), nodes, boost(1), '', 'for reference');
  table_row('Boost search, far (C++)', nodes, boost(3), '1.00x', sprintf('(1, 1) to (%d, %d)', side, side));
  table_row('Octave command 4, far, indexed', nodes, far_t, sprintf('%.2fx', far_t / boost(3)), ...
            sprintf('against Boost; %d columns (the 401 nearest the goal)', columns(p)));
end

clear ombrik trivial_mex;
rmpath(tmp);
confirm_recursive_rmdir(false);
rmdir(tmp, 's');
