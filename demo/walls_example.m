% walls_example.m - the example of the README's GraphPlugin section, as it stands there: a map
% with walls as a graph of its own, paths with their costs, and a picture saved as walls.png
% in the current folder. demo_session.m runs it as its last stage.

map = ['..........'
       '...#......'
       '...#..#...'
       '...#..#...'
       '......#...'];                         % '#' a wall; the last row is y = 1
[y, x] = find(flipud(map) == '.');            % every open cell, [x y]
g = GraphPlugin();                            % a new, empty graph of its own
g.addNode([x y]);
right = ismember([x + 1, y], [x y], 'rows');  % an open cell to the right
up = ismember([x, y + 1], [x y], 'rows');     % an open cell above
g.addEdge([x(right) y(right); x(up) y(up)], [x(right) + 1, y(right); x(up), y(up) + 1], 1);
[p, d] = g.shortestPath([1 1], [10 1]);       % round the walls: 16 points, cost 15
[paths, costs] = g.shortestPath([1 1; 5 3], [5 3; 8 1]);  % two at once: costs [6; 7]
[near, c] = g.nearest([5 3], 2);              % the cells at most 2 steps from (5, 3)
figure('visible', 'off');                     % off screen; plot draws into any axes
g.plot(p);
axis equal
print('-dpng', 'walls.png');
