% demo_session.m - a session with the graph plug-in main through the GraphPlugin wrapper: a
% grid map with walls and mud, its cheapest path, a merge that knocks through a wall, a move
% into the wall and a weight refresh, shown as text and saved as a picture (build/demo/graph.png);
% then the README's example, a graph of its own with walls, saved as build/demo/walls.png.
%
% Run it with: octave-cli --norc --no-gui --no-history demo/demo_session.m (after scripts/demo.sh or
% build_plugins). GRAPH_PLUGIN_DIR names the folder of the plug-ins, GRAPH_DEMO_OUT the folder
% of the picture, when they are not the project's build/octave (or build/mex) and build/demo.

here = fileparts(mfilename('fullpath'));
root = fileparts(here);
addpath(here);
addpath(fullfile(root, 'toolbox'));
plugin_dir = getenv('GRAPH_PLUGIN_DIR');
if isempty(plugin_dir)
  plugin_dir = fullfile(root, 'build', 'octave');
  if ~exist(fullfile(plugin_dir, ['main.' mexext()]), 'file')
    plugin_dir = fullfile(root, 'build', 'mex');  % where build_plugins puts them
  end
end
addpath(plugin_dir);
out_dir = getenv('GRAPH_DEMO_OUT');
if isempty(out_dir)
  out_dir = fullfile(root, 'build', 'demo');
end

% The map, top row first: '.' floor, '~' mud, '#' wall. Row r is y = height + 1 - r, so every
% node has x >= 1 and y >= 1: a 0 would end the plug-in's answers early.
map = ['................'
       '......#.........'
       '......#....#....'
       '..~~~.#....#....'
       '..~~~.#....#....'
       '..~~~.#....#....'
       '..~~~.#....#....'
       '...........#....'];
[height, width] = size(map);
cell_at = @(x, y) map(height + 1 - y, x);
cost = @(ch) 1 + 4 * (ch == '~');  % what entering a cell costs: mud 5, floor 1
start = [1 5];
goal = [15 2];

[fig, why_not] = open_figure();

g = GraphPlugin('main');
g.reset();  % a fresh, empty graph
fprintf('GraphPlugin(''%s''): paths up to %d points, lists up to %d nodes, code 7: %s\n\n', ...
        g.Name, g.MaxPathPoints, g.MaxListed, g.Command7);

% A node per open cell, its value the cost of entering it; an edge to the open cell on the
% right and to the one above, weighing the dearer of the two costs.
walls = zeros(2, 0);
for y = 1:height
  for x = 1:width
    if cell_at(x, y) == '#'
      walls(:, end + 1) = [x; y];  %#ok<AGROW>
    else
      g.addNode([x y], cost(cell_at(x, y)));
    end
  end
end
edges = 0;
for y = 1:height
  for x = 1:width
    if cell_at(x, y) == '#'
      continue;
    end
    if x < width && cell_at(x + 1, y) ~= '#'
      g.addEdge([x y], [x + 1, y], max(cost(cell_at(x, y)), cost(cell_at(x + 1, y))));
      edges = edges + 1;
    end
    if y < height && cell_at(x, y + 1) ~= '#'
      g.addEdge([x y], [x, y + 1], max(cost(cell_at(x, y)), cost(cell_at(x, y + 1))));
      edges = edges + 1;
    end
  end
end
nodes = g.listNodes();
fprintf('1. The map: %d nodes, %d edges, %d walls. Mud (~) costs 5 to enter, floor (.) 1.\n', ...
        size(nodes, 1), edges, size(walls, 2));
mud = find(nodes(:, 3) > 1, 2);
fprintf('   listNodes() is %d-by-3, [x y value] per node; the first two and two mud cells:\n', ...
        size(nodes, 1));
disp(nodes([1 2 mud.'], :));
[path1, ~, status] = g.shortestPath(start, goal);
fprintf('   shortestPath([%d %d], [%d %d]): %s, %d points, around the mud\n', ...
        start, goal, status, size(path1, 1));
show_map(g, width, height, path1);
[fig, why_not] = draw_stage(fig, 1, g, walls, path1, '1. the map and its cheapest path', width, height, why_not);

% Folding (13, 3) into (11, 3) gives (11, 3) the neighbours of (13, 3) beyond the wall at
% x = 12, each new edge weighing its length; (13, 3) itself is gone.
keep = [11 3];
fold = [13 3];
g.mergeNodes(keep, fold);
fprintf('\n2. mergeNodes([%d %d], [%d %d]) knocks through the wall; neighbors([%d %d]):\n', ...
        keep, fold, keep);
disp(g.neighbors(keep));
[path2, ~, status] = g.shortestPath(start, goal);
fprintf('   shortestPath: %s, %d points, through the new opening\n', status, size(path2, 1));
show_map(g, width, height, path2);
[fig, why_not] = draw_stage(fig, 2, g, walls, path2, '2. (13,3) merged into (11,3)', width, height, why_not);

% The merged node moves into the opening at (12, 3). Its edges go with it and keep their
% weights until the refresh makes every weight the length of its edge: mud costs no more than
% floor then.
door = [12 3];
g.moveNode(keep, door);
fprintf('\n3. moveNode([%d %d], [%d %d]): the node keeps its edges; neighbors([%d %d]):\n', ...
        keep, door, door);
disp(g.neighbors(door));
g.refreshWeights();
[path3, ~, status] = g.shortestPath(start, goal);
via = 'not via';
if ismember(door, path3, 'rows')
  via = 'via';
end
fprintf(['   refreshWeights() makes each weight its edge''s length (mud included);\n' ...
         '   shortestPath: %s, %d points, %s the moved node\n'], status, size(path3, 1), via);
show_map(g, width, height, path3);
[fig, why_not] = draw_stage(fig, 3, g, walls, path3, '3. moved into the wall, weights refreshed', width, height, why_not);

[path, ~, status] = g.shortestPath(start, [40 40]);
fprintf('\n4. No node at the goal: status %s, path %d-by-%d\n', status, size(path));
g.addNode([30 30], 1);
[path, ~, status] = g.shortestPath(start, [30 30]);
fprintf('   a goal no edge reaches: status %s, path %d-by-%d\n\n', status, size(path));

can_draw = ~isempty(fig);
if isempty(fig)
  fprintf('no picture: %s\n', why_not);
else
  if ~exist(out_dir, 'dir')
    mkdir(out_dir);
  end
  picture = fullfile(out_dir, 'graph.png');
  try
    print(fig, picture, '-dpng', '-r80');
    fprintf('picture saved: %s\n', picture);
  catch err
    fprintf('no picture: %s\n', err.message);
  end
  try
    close(fig);
  catch
  end
end
% The README's example: a graph of its own, GraphPlugin(), with no bounds and paths with their
% costs, drawn by its plot method into a picture of its own (build/demo/walls.png). It runs in
% the output folder, where it saves the picture, and takes over the names it sets (map, g, ...).
fprintf('\n5. A graph of its own, GraphPlugin(): the README''s example (demo/walls_example.m)\n');
demo_dir = pwd();
try
  if ~can_draw
    error('demo:noPicture', '%s', why_not);  % the example ends with its picture
  end
  if ~exist(out_dir, 'dir')
    mkdir(out_dir);
  end
  cd(out_dir);
  walls_example;
  fprintf('   %s\n', strtrim(evalc('disp(g)')));
  fprintf('   shortestPath([1 1], [10 1]): %d points, cost %d, round the walls\n', size(p, 1), d);
  fprintf('   two paths in one call: costs %d and %d\n', costs);
  fprintf('   nearest([5 3], 2): %d cells, costs %s\n', size(near, 1), mat2str(c.'));
  fprintf('   picture saved: %s\n', fullfile(out_dir, 'walls.png'));
  close(gcf());
catch err
  fprintf('   not run: %s\n', err.message);
end
cd(demo_dir);
fprintf('demo finished\n');
