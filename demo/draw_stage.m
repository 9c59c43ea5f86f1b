function [fig, why_not] = draw_stage(fig, k, g, walls, path, caption, width, height, why_not)
% DRAW_STAGE  Draw stage K of the demo in panel K of FIG (nothing without a figure).
%   [FIG, WHY_NOT] = draw_stage(FIG, K, ...) returns FIG, or [] and the reason when the host
%   cannot draw (a font or a renderer missing): the demo then goes on without a picture.
  if isempty(fig)
    return;
  end
  try
    set(0, 'CurrentFigure', fig);
    axes('Position', [0.02 + (k - 1) / 3, 0.08, 0.3, 0.8]);  % three panels, little margin
    plot_graph(g, walls, path, caption, width, height);
  catch err
    why_not = sprintf('drawing failed: %s', err.message);
    if ~isempty(strfind(err.message, 'ft_'))  % Octave's FreeType renderer found no font
      why_not = [why_not ' (no font to draw text with; Debian: fonts-freefont-otf)'];
    end
    try
      close(fig);
    catch
    end
    fig = [];
  end
end
