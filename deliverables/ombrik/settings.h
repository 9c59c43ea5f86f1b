// settings.h - ombrik: the large capacities and the grid import as command 7.
#pragma once

#define DELIVERABLE_NAME "ombrik"  // first half of every error identifier
#define HAS_GRID 1                 // command 7 is the grid import; the grids are built in

constexpr int  PATH_CAP         = 20000;  // doubles in path_buf: 10000 (x, y) pairs
constexpr int  PATH_COPY_LIMIT  = 800;    // last even index command 4 copies: 401 points
constexpr int  SCRATCH_LEN      = 50;     // doubles in command 1's scratch: 25 pairs
constexpr int  LIST_CAP         = 50000;  // doubles in list_buf: 16,666 nodes
constexpr bool REFUSE_SELF_LOOP = false;  // add_edge joins a node to itself
