// load_grid.cpp - the grids of zelmot and ombrik and their import.
#include <cstring>

#include "grid.h"
#include "truncate.h"

std::int32_t cost_grid[GRID_SIDE * GRID_SIDE];
std::uint8_t mark_grid[GRID_SIDE * GRID_SIDE];

void load_grid(const double* xs, const double* ys, const double* values, std::uint32_t count,
               std::int32_t* cost, std::uint8_t* mark) {
    std::memset(cost, 0, sizeof(std::int32_t) * GRID_SIDE * GRID_SIDE);  // every cell 0
    std::memset(mark, 0, sizeof(std::uint8_t) * GRID_SIDE * GRID_SIDE);
    for (std::uint32_t k = 0; k < count; ++k) {
        std::int32_t x = to_int32(xs[k]);
        std::int32_t y = to_int32(ys[k]);
        cost[y * GRID_SIDE + x] = to_int32(values[k]);
    }
}
