% octave_engine_bench.m - GraphPlugin's own graphs, on the engine, against the indexed ombrik
% and against the peer: building the 500 x 500 grid with the vector forms of addNode and
% addEdge, many queries in one shortestPath call on the grids of side 129 and 500 (near, mid
% and far, as bench/boost_peer.cpp times them), and making and deleting 10,000 graphs. Prints
% rows of the table of scripts/bench.sh.
%
%   octave-cli --norc --no-gui --no-history bench/octave_engine_bench.m INDEXED_DIR PEER [quick]
%
% INDEXED_DIR holds the indexed ombrik.mex and graphplugin_engine.mex (build/octave-indexed),
% PEER is the boost_peer program. Every figure is the best of several turns, the peer's too,
% taken in rotation. "quick" runs small grids once: a check that the script works.

1;  % a script file, not a function file

% Seconds to build the grid of the given side into g with one addNode and one addEdge call.
function t = build(g, side)
  [P, values, A, B, w] = grid_rows(side);
  tic;
  g.addNode(P, values);
  g.addEdge(A, B, w);
  t = toc;
end

% Per query, the best of `turns` calls of `count` queries from (1, 1) to (k, k) for each goal.
function best = queries(g, goals, counts, turns)
  best = Inf(size(goals));
  for r = 1:turns
    for q = 1:numel(goals)
      from = repmat([1 1], counts(q), 1);
      to = repmat(goals(q) * [1 1], counts(q), 1);
      tic;
      [paths, d] = g.shortestPath(from, to);
      best(q) = min(best(q), toc / counts(q));
      if ~isequal(paths{end}(end, :), goals(q) * [1 1]) || ~isfinite(d(end))
        error('octave_engine_bench:path', 'no path to (%d, %d)', goals(q), goals(q));
      end
    end
  end
end

function kb = rss_kb()
  status = fileread('/proc/self/status');
  kb = str2double(regexp(status, 'VmRSS:\s*(\d+)', 'tokens', 'once'){1});
end

args = argv();
indexed_dir = make_absolute_filename(args{1});
peer = args{2};
quick = numel(args) > 2 && strcmp(args{3}, 'quick');
here = fileparts(mfilename('fullpath'));
addpath(here);  % grid_rows, peer_times, table_row, format_time
addpath(fullfile(fileparts(here), 'toolbox'));
addpath(indexed_dir);
if quick
  sides = 17; turns = 1; counts = [10 10 10]; graphs = 100;
else
  sides = [129 500]; turns = 3; counts = [1000 1000 1000]; graphs = 10000;
end

for side = sides
  nodes = side * side;
  goals = [4, floor((side + 1) / 2), side];
  [P, ~, A] = grid_rows(side);
  g = GraphPlugin();
  t_engine = Inf;
  for r = 1:turns
    g.reset();
    t_engine = min(t_engine, build(g, side));
  end
  boost = Inf(1, 4);
  q_best = Inf(1, 3);
  for r = 1:turns
    [t, settled] = peer_times(peer, side);
    boost = min(boost, t);
    here_counts = counts;
    if side > 200
      here_counts(2:3) = counts(2:3) / 10;  % a far query on 250,000 nodes takes tens of ms
    end
    q_best = min(q_best, queries(g, goals, here_counts, 1));
  end
  o = GraphPlugin('ombrik');
  o.reset();
  t_ombrik = build(o, side);  % once: seconds on the large grid
  o.reset();
  table_row(sprintf('Octave GraphPlugin build grid %d, engine', side), nodes, t_engine, ...
            sprintf('%.2fx', t_engine / boost(1)), sprintf(['against Boost''s build (%s); ' ...
            'the same vector calls on the indexed ombrik: %s, %.1fx slower'], ...
            format_time(boost(1)), format_time(t_ombrik), t_ombrik / t_engine));
  labels = {'near', 'mid', 'far'};
  for q = 1:3
    n = counts(q);
    if side > 200 && q > 1
      n = counts(q) / 10;
    end
    table_row(sprintf('Octave GraphPlugin.shortestPath, %s, engine', labels{q}), nodes, q_best(q), ...
              sprintf('%.2fx', q_best(q) / boost(q + 1)), sprintf(['per query of %d in one call, ' ...
              'against Boost''s %s ((1, 1) to (%d, %d), %d nodes settled)'], n, ...
              format_time(boost(q + 1)), goals(q), goals(q), settled(q)));
  end
  delete(g);
end

% Graphs made and deleted: the process's memory after a warm-up of a tenth of them, and after
% all of them.
for k = 1:graphs / 10
  g = GraphPlugin();
  g.addEdge([1 1; 2 1], [2 1; 3 1], 1);
  delete(g);
end
before = rss_kb();
tic;
for k = 1:graphs
  g = GraphPlugin();
  g.addEdge([1 1; 2 1], [2 1; 3 1], 1);
  delete(g);
end
t = toc;
table_row(sprintf('Octave GraphPlugin() and delete, %d graphs', graphs), 3, t / graphs, '', ...
          sprintf('per graph, with two edges; VmRSS %+d kB over them', rss_kb() - before));
