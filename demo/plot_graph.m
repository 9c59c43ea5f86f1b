function plot_graph(g, walls, path, caption, width, height)
% PLOT_GRAPH  Draw the graph of G in the current axes with PATH on top.
%   plot_graph(G, WALLS, PATH, CAPTION, WIDTH, HEIGHT) draws positions 1..WIDTH
%   by 1..HEIGHT. WALLS is 2-by-k wall positions, drawn as dark squares
%   where no node stands; every edge is a grey line, every node a dot (a
%   brown one where its value is above 1), and PATH (m-by-2 rows, start
%   first) a thick red line from S to G.
  nodes = g.listNodes();
  if ~isempty(walls) && ~isempty(nodes)
    walls = walls(:, ~ismember(walls.', nodes(:, 1:2), 'rows'));  % a node may stand there now
  end
  hold on;
  if ~isempty(walls)
    plot(walls(1, :), walls(2, :), 's', 'MarkerSize', 9, ...
         'MarkerFaceColor', [0.25 0.25 0.3], 'MarkerEdgeColor', [0.25 0.25 0.3]);
  end
  % All edges as one line, NaN between segments: one object draws fast in every toolkit.
  xs = [];
  ys = [];
  for c = 1:size(nodes, 1)
    p = nodes(c, 1:2);
    near = g.neighbors(p);
    for k = 1:size(near, 1)
      xs = [xs, p(1), near(k, 1), NaN];  %#ok<AGROW>
      ys = [ys, p(2), near(k, 2), NaN];  %#ok<AGROW>
    end
  end
  if ~isempty(xs)
    plot(xs, ys, '-', 'Color', [0.7 0.7 0.7]);
  end
  plain = nodes(:, 3) <= 1;
  plot(nodes(plain, 1), nodes(plain, 2), 'o', 'MarkerSize', 3, ...
       'MarkerFaceColor', [0.2 0.4 0.8], 'MarkerEdgeColor', [0.2 0.4 0.8]);
  plot(nodes(~plain, 1), nodes(~plain, 2), 'o', 'MarkerSize', 4, ...
       'MarkerFaceColor', [0.6 0.4 0.1], 'MarkerEdgeColor', [0.6 0.4 0.1]);
  if ~isempty(path)
    plot(path(:, 1), path(:, 2), '-', 'Color', [0.85 0.1 0.1], 'LineWidth', 2.5);
    text(path(1, 1), path(1, 2) + 0.45, 'S', 'FontWeight', 'bold');
    text(path(end, 1), path(end, 2) + 0.45, 'G', 'FontWeight', 'bold');
  end
  hold off;
  axis equal;
  axis([0, width + 1, 0, height + 1]);
  title(caption);
end
