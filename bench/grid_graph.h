// grid_graph.h - the square grid graphs the benchmarks run on, built through the store's own
// operations in the order a script sending command 0 would use.
//
// A grid of side s has the s * s nodes (x, y), x and y = 1..s, each joined to its four
// neighbours. Weights and values are fixed functions of the position, so every run builds the
// same graph and every search visits the same nodes.
#pragma once

#include <cstdint>

#include "graph.h"

// Weight 1..9 of the edge that leaves (x, y) towards its left (dir 0) or upper (dir 1)
// neighbour.
std::int32_t grid_weight(std::int32_t x, std::int32_t y, int dir);

// Nonzero value of the node at (x, y).
std::int32_t grid_value(std::int32_t x, std::int32_t y);

// The two orders in which a script may send its commands 0. They build the same graph, but the
// allocator places the records differently: row by row, each node's entries are allocated
// right after it and the nodes lie about 192 bytes apart; nodes first, the nodes lie side by
// side and the entries after them all.
enum class BuildOrder {
    Rows,        // row by row, for each node: command 0 adds it with an edge to its left
                 // neighbour, then a second command 0 at its position (taken, so only the edge
                 // is made) joins it to its upper neighbour
    NodesFirst,  // every node by command 0 without an edge, then the edges by command 0 at
                 // taken positions, in the same row-by-row order
};
const char* order_name(BuildOrder order);

// Builds the grid of the given side into graph, which must be empty. False when memory ran
// out.
bool build_grid(Graph* graph, int side, BuildOrder order);

// Node visits the build needs at least: each add_node walks the nodes before it, to the end
// when the position is new and up to the node when it is taken; each add_edge walks the whole
// list, since it takes the last node at each position.
long build_visits(int side, BuildOrder order);

// Where a benchmark's search starts and ends. Every search starts in the corner (1, 1).
enum class Goal { Near, Middle, Far };
const char* goal_name(Goal g);
void goal_position(int side, Goal g, std::int32_t* x, std::int32_t* y);

// Node visits of the search that just ran on list: the initialisation pass plus one full
// pick_next pass per choice. Every settled node was chosen once, and so was the goal, and one
// more pass chose the first of them (the start): settled + 1 choices, the last of which picked
// the goal. So nodes * (settled + 2).
struct SearchWork {
    long nodes;    // length of the list
    long settled;  // nodes marked done
    long visits;   // node visits, as above
};
SearchWork count_search_work(const Graph* graph);
