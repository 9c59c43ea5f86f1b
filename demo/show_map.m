function show_map(g, width, height, path)
% SHOW_MAP  Print the graph of G as text, one character per position.
%   show_map(G, WIDTH, HEIGHT, PATH) prints positions 1..WIDTH by 1..HEIGHT,
%   top row first: '#' no node, '.' a node of value 1, '~' a node of a
%   higher value, 'o' a node on PATH (m-by-2 rows [x y], start first), 'G'
%   its goal and 'S' its start; then the path itself from S to G.
  lines = repmat('#', height, width);
  nodes = g.listNodes();
  for c = 1:size(nodes, 1)
    [x, y] = deal(nodes(c, 1), nodes(c, 2));
    if x >= 1 && x <= width && y >= 1 && y <= height
      mark = '.';
      if nodes(c, 3) > 1
        mark = '~';
      end
      lines(height + 1 - y, x) = mark;
    end
  end
  for c = 1:size(path, 1)
    mark = 'o';
    if c == 1
      mark = 'S';
    elseif c == size(path, 1)
      mark = 'G';
    end
    lines(height + 1 - path(c, 2), path(c, 1)) = mark;
  end
  for r = 1:height
    fprintf('     %s\n', lines(r, :));
  end
  steps = sprintf('(%d,%d) ', path.');
  fprintf('   S to G: %s\n', strtrim(steps));
end
