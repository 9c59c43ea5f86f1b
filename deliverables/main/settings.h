// settings.h - main: the small capacities, no grids; the 64-bit build differs from the 32-bit
// one in two ways, fixed by the pointer width of the target it is compiled for.
#pragma once

#include <cstdint>

#define DELIVERABLE_NAME "main"  // first half of every error identifier
#define HAS_GRID 0

#if UINTPTR_MAX > 0xFFFFFFFFu
#define HAS_REFRESH 1            // 64-bit: command 7 recomputes every weight
#else
#define HAS_REFRESH 0            // 32-bit: 7 is an unrecognised code
#endif

constexpr int  PATH_CAP         = 200;            // doubles in path_buf: 100 (x, y) pairs
constexpr int  PATH_COPY_LIMIT  = 80;             // last even index command 4 copies: 41 points
constexpr int  SCRATCH_LEN      = 50;             // doubles in command 1's scratch: 25 pairs
constexpr int  LIST_CAP         = 900;            // doubles in list_buf: 300 nodes
constexpr bool REFUSE_SELF_LOOP = HAS_REFRESH;    // 64-bit: add_edge never joins a node to itself
