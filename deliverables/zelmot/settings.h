// settings.h - zelmot: the small capacities and the grid import as command 7.
#pragma once

#define DELIVERABLE_NAME "zelmot"  // first half of every error identifier
#define HAS_GRID 1                 // command 7 is the grid import; the grids are built in

constexpr int  PATH_CAP         = 200;    // doubles in path_buf: 100 (x, y) pairs
constexpr int  PATH_COPY_LIMIT  = 80;     // last even index command 4 copies: 41 points
constexpr int  SCRATCH_LEN      = 50;     // doubles in command 1's scratch: 25 pairs
constexpr int  LIST_CAP         = 900;    // doubles in list_buf: 300 nodes
constexpr bool REFUSE_SELF_LOOP = false;  // add_edge joins a node to itself
