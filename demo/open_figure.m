function [fig, why_not] = open_figure()
% OPEN_FIGURE  An invisible figure for the demo's picture, or [] and the reason.
%   Octave draws it with gnuplot, which needs no display.
  fig = [];
  why_not = '';
  try
    if exist('OCTAVE_VERSION', 'builtin')
      if ~any(strcmp(available_graphics_toolkits(), 'gnuplot')) || isempty(file_in_path(getenv('PATH'), 'gnuplot'))
        why_not = 'gnuplot is not installed (Debian: gnuplot-nox)';
        return;
      end
      warning('off', 'Octave:gnuplot-graphics');
      graphics_toolkit('gnuplot');
    end
    fig = figure('Visible', 'off', 'Position', [0 0 1500 330]);
  catch err
    fig = [];
    why_not = err.message;
  end
end
