function [P, values, A, B, w] = grid_rows(side)
% GRID_ROWS  The grid of load_grid_rows as rows for the vector forms: P and values for every
%   node, row by row; A, B and w for every edge, each node's left edge before its upper one.
  [x, y] = meshgrid(1:side, 1:side);
  x = reshape(x.', [], 1);
  y = reshape(y.', [], 1);
  P = [x y];
  values = mod(x * 7 + y * 3, 97) + 1;
  keep = [x > 1, y > 1].';
  ax = [x x].';  ay = [y y].';
  bx = [x - 1, x].';  by = [y, y - 1].';
  ww = [mod(x * 31 + y * 17, 9) + 1, mod(x * 31 + y * 17 + 7, 9) + 1].';
  A = [ax(keep) ay(keep)];
  B = [bx(keep) by(keep)];
  w = ww(keep);
end
