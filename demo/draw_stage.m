function draw_stage(fig, k, g, walls, path, caption, width, height)
% DRAW_STAGE  Draw stage K of the demo in panel K of FIG (nothing without a figure).
  if isempty(fig)
    return;
  end
  set(0, 'CurrentFigure', fig);
  axes('Position', [0.02 + (k - 1) / 3, 0.08, 0.3, 0.8]);  % three panels, little margin
  plot_graph(g, walls, path, caption, width, height);
end
