function calls = load_grid_rows(f, side)
% LOAD_GRID_ROWS  Send the benchmark grid of the given side to the plug-in f, row by row.
%   CALLS = load_grid_rows(F, SIDE): command 0 adds each node (x, y), x and y = 1..SIDE, with
%   an edge to its left neighbour (none in column 1); a second command 0 at its position joins
%   it to its upper neighbour. Weights 1..9 and values are fixed by the position, as in the
%   C++ benchmarks and bench/boost_peer.cpp. Returns the number of calls made.
  calls = 0;
  for y = 1:side
    for x = 1:side
      v = mod(x * 7 + y * 3, 97) + 1;
      if x > 1
        f(x, y, x - 1, y, mod(x * 31 + y * 17, 9) + 1, 0, v);
      else
        f(x, y, 0, 0, 0, 0, v);
      end
      if y > 1
        f(x, y, x, y - 1, mod(x * 31 + y * 17 + 7, 9) + 1, 0, v);
        calls = calls + 1;
      end
      calls = calls + 1;
    end
  end
end
