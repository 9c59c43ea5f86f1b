% octave_indexed_bench.m - the two builds of ombrik through Octave against each other, against
% the call floor and against the peer search: building the grids with command 0, and command 4
% on the near, mid and far queries that bench/boost_peer.cpp times, from (1, 1) to (4, 4), to
% the middle and to the far corner. Prints rows of the table of scripts/bench.sh.
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

% The goals of the near, the mid and the far query, (k, k), as boost_peer takes them.
function goals = query_goals(side)
  goals = [4, floor((side + 1) / 2), side];
end

% Command 4 from (1, 1) to (k, k) for each goal: the best of `reps` rounds of the three, as
% the peer takes the best of its rounds (the near query timed over `near_runs` calls, as one call
% takes little more than the clock's reading), and the number of columns of the far path.
function [best, far_cols] = queries(f, side, reps, near_runs)
  goals = query_goals(side);
  best = Inf(size(goals));
  for r = 1:reps
    for q = 1:numel(goals)
      k = goals(q);
      runs = 1;
      if q == 1
        runs = near_runs;
      end
      tic;
      for i = 1:runs
        p = f(1, 1, k, k, 0, 4, 0);
      end
      best(q) = min(best(q), toc / runs);
      if ~isequal(p(:, 1), [k; k])
        error('octave_indexed_bench:path', 'no path to (%d, %d) on the side-%d grid', k, k, side);
      end
    end
  end
  far_cols = columns(p);
end

function t = timed_build(f, side)
  tic;
  load_grid_rows(f, side);
  t = toc;
end

% The rows of the near, mid and far query: Boost's, then each build's against it. q_best(b, q)
% is build b's time of query q, NaN for a build not measured.
function query_rows(side, boost, settled, q_best, names)
  goals = query_goals(side);
  labels = {'near', 'mid', 'far'};
  for q = 1:3
    table_row(sprintf('Boost search, %s (C++)', labels{q}), side * side, boost(q + 1), '1.00x', ...
              sprintf('(1, 1) to (%d, %d), %d nodes settled', goals(q), goals(q), settled(q)));
    for b = 1:numel(names)
      if isnan(q_best(b, q))
        continue;
      end
      note = 'against Boost';
      if b == 2 && ~isnan(q_best(1, q))
        note = sprintf('against Boost; indexed %.0fx faster than default', q_best(1, q) / q_best(2, q));
      end
      table_row(sprintf('Octave command 4, %s, %s', labels{q}, names{b}), side * side, q_best(b, q), ...
                sprintf('%.2fx', q_best(b, q) / boost(q + 1)), note);
    end
  end
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
near_runs = 100;
boost = Inf(1, 4); q_best = Inf(2, 3);
for r = 1:turns
  [t, settled] = peer_times(peer, side);
  boost = min(boost, t);
  q_best(2, :) = min(q_best(2, :), queries(f_indexed, side, 3, near_runs));
end
f_default = use_ombrik(default_dir, dirs);
load_grid_rows(f_default, side);
for r = 1:min(turns, 2)  % after the fork of the last turn: the first search is not timed
  q_best(1, :) = min(q_best(1, :), queries(f_default, side, 1, 5));
end
table_row(sprintf('Boost build grid %d (C++)', side), nodes, boost(1), '', ...
          'adjacency_list of vectors; for reference');
query_rows(side, boost, settled, q_best, names);

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
  boost = Inf(1, 4); q_best = [NaN(1, 3); Inf(1, 3)];
  for r = 1:turns
    [t, settled] = peer_times(peer, side);
    boost = min(boost, t);
    q_best(2, :) = min(q_best(2, :), queries(f, side, 3, near_runs));
  end
  table_row(sprintf('Boost build grid %d (C++)', side), nodes, boost(1), '', 'for reference');
  query_rows(side, boost, settled, q_best, names);
end

clear ombrik trivial_mex;
rmpath(tmp);
confirm_recursive_rmdir(false);
rmdir(tmp, 's');
