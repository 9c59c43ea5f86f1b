// load_grid.cpp - the grids of zelmot and ombrik and their import.
#include "grid.h"
#include "truncate.h"

std::int32_t cost_grid[GRID_SIDE * GRID_SIDE];
std::uint8_t mark_grid[GRID_SIDE * GRID_SIDE];

void load_grid(const double* xs, const double* ys, const double* values, std::uint32_t count,
               std::int32_t* cost, std::uint8_t* mark) {
    for (int i = 0; i < GRID_SIDE * GRID_SIDE; ++i) cost[i] = 0;
    for (int i = 0; i < GRID_SIDE * GRID_SIDE; ++i) mark[i] = 0;
    for (std::uint32_t k = 0; k < count; ++k) {
        std::int32_t x = to_int32(xs[k]);
        std::int32_t y = to_int32(ys[k]);
        cost[y * GRID_SIDE + x] = to_int32(values[k]);
    }
}
