// invariants.h - the invariant checker of the graph store, for the tests and the fuzzer alike.
//
// Every check returns "" when all holds, else one line that names the first fault found.
// The walks are bounded and remember what they have seen, so a corrupted graph (a cycle in a
// list, an entry shared by two lists) gives a message rather than a hang. Nothing here depends
// on a test framework.
#pragma once

#include <string>
#include <vector>

#include "graph.h"

// What holds after any sequence of operations:
// - the node list and every adjacency list end (no cycle), and no entry sits in two lists;
// - every entry leads to a node of the list (none to a released node);
// - pairing: for nodes X != Y, X holds as many entries to Y as Y holds to X, and that is at
//   most one;
// - a node holds no entry to itself, or, where self_loops_allowed, none or exactly two.
std::string graph_invariant_violation(const Graph* graph, bool self_loops_allowed);

// Equal weights: both entries of every edge between two distinct nodes carry one weight.
// Holds while no two nodes share a position (set_edge_weight picks nodes by position, so on a
// shared position it may write one entry of an edge and one of another) and after a refresh.
std::string weight_pairing_violation(const Graph* graph);

// Both of the above in one walk: the invariants, and equal weights where weights_paired.
std::string graph_and_weight_violation(const Graph* graph, bool self_loops_allowed,
                                       bool weights_paired);

// The shape of the graph at one moment: the nodes in list order and, for each, its entries
// in list order. Compared with the graph after one operation to check creation order.
struct GraphSnapshot {
    std::vector<const Node*>              nodes;
    std::vector<std::vector<const Edge*>> entries;  // entries[i] belongs to nodes[i]
};

GraphSnapshot snapshot_graph(const Graph* graph);

// Creation order across one operation: the nodes that remain keep their relative order and
// any new node comes after all of them; likewise the entries of each remaining node's list.
// Compare only across a single operation: a record freed and a new one made at the same
// address by several operations would look like the old one.
std::string order_violation(const GraphSnapshot& before, const Graph* graph);

// The indexed store's index and pools against the list they serve (index.h, node_pool.h,
// entry_pool.h): each node in the ring of its position, rings in list order and complete, one
// slot per position that probing finds, list_prev, head and tail, rising creation numbers, no
// search number ahead of the latest search's, the count of nodes and room in the search heap
// for heap_room of them; every ref and entry handed out a node's or in a list, or free, once.
// "" in the default store, which has none of them.
std::string index_violation(const Graph* graph);

// The mean number of slots a probe of the indexed store's table passes before it finds a node
// that is there (0 when each stands in its home slot); 0 in the default store, which has no
// table. A good hash keeps it near 1 at any pattern of positions.
double mean_probe_length(const Graph* graph);

// After a search over weights that are all zero or more, reading the fields as search_dist,
// search_done and search_prev give them: every settled node has a dist below
// DIST_CUTOFF, and for each of its entries u->v, v.dist <= u.dist + weight; a node that has a
// prev has a dist other than DIST_UNSET, and its prev is a settled node of the list with an
// entry to it whose weight makes prev.dist + weight == dist; a node with dist DIST_UNSET is
// neither settled nor has a prev.
std::string search_state_violation(const Graph* graph);
