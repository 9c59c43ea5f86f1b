// grid.h - the two 500-by-500 grids of zelmot and ombrik and their import (command 7).
//
// Both grids are statics of the loaded plug-in, all zero at load and stored row by row: the
// cell (x, y) is element y * GRID_SIDE + x. Only command 7 touches them; nothing reads them.
#pragma once

#include <cstdint>

constexpr int GRID_SIDE = 500;

extern std::int32_t cost_grid[GRID_SIDE * GRID_SIDE];
extern std::uint8_t mark_grid[GRID_SIDE * GRID_SIDE];

// Clears both grids, then stores, for k = 0 .. count - 1 in order, the k-th value truncated to
// int32 in the cell at the k-th (x, y) truncated; a later entry for a cell wins. The caller
// has checked that every x and y truncates into 0 .. GRID_SIDE - 1.
void load_grid(const double* xs, const double* ys, const double* values, std::uint32_t count,
               std::int32_t* cost, std::uint8_t* mark);
