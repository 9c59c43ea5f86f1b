// graph.h - the graph store: the records Node, Edge and Graph, and the operations on them.
//
// A graph is a singly linked list of nodes in creation order; each node heads a singly linked
// adjacency list of entries in creation order. An undirected edge is two entries, one in the
// list of each end. Nodes are named from outside only by their (x, y) position.
//
// Operations that may allocate return false when memory runs out, and then have changed
// nothing: every record they need is allocated before anything is linked.
//
// One build switch, GRAPH_INDEXED, chooses how the store finds things. Off (the default, the
// reference), every lookup walks the list and the search scans it for every node it settles.
// On, a position index answers lookups, a tail link appends, a heap orders the search and the
// records come from blocks of the store's own (index.h, search_heap.h, node_pool.h,
// entry_pool.h); every answer stays the same.
//
// Every operation takes the graph it works on: changes take its address, lookups a const one.
// Graphs share nothing, so any number of them live side by side; a plug-in keeps one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "node_ref.h"

#ifndef GRAPH_INDEXED
#define GRAPH_INDEXED 0
#endif
constexpr bool HAS_INDEX = GRAPH_INDEXED;

// The engine (engine/) builds the indexed store with GRAPH_ENGINE: its graphs number their
// edges, and its searches keep a queue of their own, so the store keeps no heap room for them.
#ifndef GRAPH_ENGINE
#define GRAPH_ENGINE 0
#endif
#if GRAPH_ENGINE && !GRAPH_INDEXED
#error "the engine is built on the indexed store"
#endif

#if GRAPH_INDEXED
#include "entry_pool.h"
#include "index.h"
#include "node_pool.h"
#include "search_heap.h"
using NodeLink = NodeRef;
#else
using NodeLink = Node*;
#endif

// A vertex. The graph that holds it owns it: add_node creates it, merge_node and
// release_graph destroy it. Positions are unique except after move_node, which may put several
// nodes on one position. dist, done and prev belong to the search and mean nothing between
// searches; code outside the search reads them through search_dist, search_done and
// search_prev, since in the indexed build a search writes only the nodes it reaches. The links
// next and prev are read through next_node and search_prev, which serve both builds.
struct Node {
    NodeLink     next;   // next node in list order; none at the tail
    std::int32_t x;      // position: the node's only name
    std::int32_t y;
#if GRAPH_INDEXED
    std::int32_t value;  // given at creation, never changed (here, the record packs tight)
#endif
    Edge*        edges;  // adjacency list, owned; null while the node has no neighbour
    std::int32_t dist;   // search: cheapest known cost from the start
    std::uint8_t done;   // search: 1 once settled
#if GRAPH_INDEXED
    std::uint16_t search;  // the search that wrote dist, done and prev (search_number)
#endif
    NodeLink     prev;   // search: where the cheapest known path arrives from; none for none
#if !GRAPH_INDEXED
    std::int32_t value;  // given at creation, never changed
#else
    // The index's links (index.h): creation numbers rise along the list; the nodes at one
    // position form a ring in list order, entered at its last node.
    std::uint32_t order;      // creation number
    NodeRef       list_prev;  // previous node in list order; none at the head
    NodeRef       same_next;  // next node at this position; the last's is the first
#endif
};

// One direction of an undirected edge, owned by the node whose list holds it.
// Pairing: for every entry X->Y there is an entry Y->X with the same weight when made.
// A list holds at most one entry per neighbour, except the two entries of a self-loop.
struct Edge {
    Edge*         next;    // next entry of the same list; null at the tail
    std::int32_t  weight;  // cost of going along this entry
#if GRAPH_ENGINE
    std::uint32_t made;    // 2 * the edge's number in its graph, + 1 on the entry of its B end
#endif
    Node*         to;      // the neighbour; a reference, not an owner
};

// A graph: its node list and, in the indexed build, everything that serves that list. It owns
// every record reachable from node_list and all the storage of its parts; release_graph frees
// them. A graph is made as EMPTY_GRAPH and is empty again after release_graph.
struct Graph {
    Node*         node_list;      // first node in list order; null while the graph is empty
#if GRAPH_INDEXED
    PositionIndex index;          // positions, list links, creation numbers (index.h)
    NodePool      nodes;          // the node records (node_pool.h)
    EntryPool     entries;        // the adjacency entries (entry_pool.h)
    SearchHeap    heap;           // the search's queue (search_heap.h)
    std::uint16_t search_number;  // the latest search's number (search_dist)
#endif
#if GRAPH_ENGINE
    std::uint32_t next_edge;      // the number of the next edge made; edges are numbered in the
                                  // order made, 2^31 of them in a graph's life
#endif
};

#if GRAPH_INDEXED
// The indexed build's search numbers: a search leaves the nodes it does not reach alone, and a
// node's dist, done and prev are the latest search's only while its search field holds the
// graph's search_number; otherwise they read as never reached (DIST_UNSET, 0, null). A new node
// carries the number of its time with those values. When the numbers run out, the next search
// sets every node's field to 0 and numbers itself 1 again; a release starts over at
// GRAPH_FIRST_SEARCH.
#ifndef GRAPH_FIRST_SEARCH
#define GRAPH_FIRST_SEARCH 0  // tests start near 65535 to reach the renumbering
#endif
#if GRAPH_ENGINE
constexpr Graph EMPTY_GRAPH = {nullptr, EMPTY_INDEX, EMPTY_NODE_POOL, EMPTY_ENTRY_POOL, EMPTY_HEAP,
                               GRAPH_FIRST_SEARCH, 0};
#else
constexpr Graph EMPTY_GRAPH = {nullptr, EMPTY_INDEX, EMPTY_NODE_POOL, EMPTY_ENTRY_POOL, EMPTY_HEAP,
                               GRAPH_FIRST_SEARCH};
#endif
#else
constexpr Graph EMPTY_GRAPH = {nullptr};
#endif

// A new entry of graph's, its fields unset; null when memory ran out. The default build
// allocates each entry on its own; the indexed build takes them from the graph's blocks.
Edge* new_entry(Graph* graph);

// Frees an entry of graph's that no list holds any more.
void free_entry(Graph* graph, Edge* e);

#if GRAPH_INDEXED
// The record of pool's that r, a ref it handed out, names.
inline Node* pool_record(const NodePool* pool, NodeRef r) {
    return pool->blocks_at[r >> POOL_BLOCK_BITS] + (r & (POOL_BLOCK - 1));
}

// The node of graph's that r names, or null for 0.
inline Node* node_at(const Graph* graph, NodeRef r) {
    return r ? pool_record(&graph->nodes, r) : nullptr;
}
#endif

// The node after n in list order, or null.
inline Node* next_node(const Graph* graph, const Node* n) {
#if GRAPH_INDEXED
    return node_at(graph, n->next);
#else
    (void)graph;
    return n->next;
#endif
}

// The first node in list order at (x, y), or null.
Node* find_node(const Graph* graph, std::int32_t x, std::int32_t y);

// Appends a node at (x, y) with the given value. A taken position changes nothing: the node
// there keeps its value. False only when memory ran out.
[[nodiscard]] bool add_node(Graph* graph, std::int32_t x, std::int32_t y, std::int32_t value);

// As above, and sets *created to whether a node was made.
[[nodiscard]] bool add_node(Graph* graph, std::int32_t x, std::int32_t y, std::int32_t value,
                            bool* created);

#if GRAPH_INDEXED
// Appends a node at (x, y) even where nodes stand already, as a copy of a graph with shared
// positions needs; returns it, or null when memory ran out (nothing has then changed).
Node* append_node(Graph* graph, std::int32_t x, std::int32_t y, std::int32_t value);

// Makes room for `nodes` more nodes at new positions and `entries` more entries, so that the
// operations of a batch that needs no more cannot run out of memory. False only when memory
// ran out; the graph is then as it was, though its pools may have grown.
[[nodiscard]] bool reserve_room(Graph* graph, std::size_t nodes, std::size_t entries);
#endif

// Moves every node at (ax, ay) to (bx, by), edges and place in the list with it. The new
// position need not be free. Weights are not recomputed.
void move_node(Graph* graph, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by);

// Gives node an entry to target (by identity) with the given weight unless it has one, and
// returns it (null when it had one). The entry is taken from the chain of spare entries *spare,
// which the caller has allocated.
Edge* link_edge(Node* node, Node* target, std::int32_t weight, Edge** spare);

// Removes and frees the first entry of node, a node of graph's, that leads to target, if there
// is one.
void unlink_edge(Graph* graph, Node* node, const Node* target);

// Joins the last node at (ax, ay) and the last node at (bx, by) with weight w, one entry at
// the tail of each list. Changes nothing if either node is missing, if A already has an entry
// to a node at (bx, by), or, where the build refuses self-loops, if A and B are one node.
// False only when memory ran out.
[[nodiscard]] bool add_edge(Graph* graph, std::int32_t ax, std::int32_t ay,
                            std::int32_t bx, std::int32_t by, std::int32_t w);

// The second half of add_edge: appends an entry to b at the tail of a's list, then one to a at
// the tail of b's, both of weight w, whatever the lists hold. False only when memory ran out,
// and then nothing has changed.
[[nodiscard]] bool join_nodes(Graph* graph, Node* a, Node* b, std::int32_t w);

// Sets to w the weight of the first entry, of the first node at (ax, ay), that leads to a node
// at (bx, by); then likewise from (bx, by) to (ax, ay). A step whose node or entry is missing
// changes nothing.
void set_edge_weight(Graph* graph, std::int32_t ax, std::int32_t ay,
                     std::int32_t bx, std::int32_t by, std::int32_t w);

// Folds the last node B at (bx, by) into the last node A at (ax, ay), then frees B. Every
// neighbour K of B other than A becomes A's neighbour, with the distance between A and K as
// weight unless A and K were joined already; B's entries to A and to itself are dropped. When
// A is B the node leaves the graph with all its edges. Changes nothing if either is missing.
// False only when memory ran out.
[[nodiscard]] bool merge_node(Graph* graph, std::int32_t ax, std::int32_t ay,
                              std::int32_t bx, std::int32_t by);

// Frees every node, entry and part of the graph and leaves it empty, as EMPTY_GRAPH.
void release_graph(Graph* graph);

// The Euclidean distance between the positions of a and b, truncated toward zero; distances of
// 2^31 or more give 2147483647. Symmetric.
std::int32_t node_distance(const Node* a, const Node* b);

// Search state limits: a search sets every dist to DIST_UNSET, and never settles a node whose
// dist is DIST_CUTOFF or more.
constexpr std::int32_t DIST_UNSET  = 32000;
constexpr std::int32_t DIST_CUTOFF = 30000;

// A node's search fields as the latest search of its graph left them.
inline std::int32_t search_dist(const Graph* graph, const Node* n) {
#if GRAPH_INDEXED
    if (n->search != graph->search_number) return DIST_UNSET;
#else
    (void)graph;
#endif
    return n->dist;
}
inline std::uint8_t search_done(const Graph* graph, const Node* n) {
#if GRAPH_INDEXED
    if (n->search != graph->search_number) return 0;
#else
    (void)graph;
#endif
    return n->done;
}
inline Node* search_prev(const Graph* graph, const Node* n) {
#if GRAPH_INDEXED
    if (n->search != graph->search_number) return nullptr;
    return node_at(graph, n->prev);
#else
    (void)graph;
    return n->prev;
#endif
}

// The path the last successful search found, as (x, y) pairs from the goal back to the start,
// then zeros. PATH_CAP doubles; all zero at load. One per plug-in, whatever graph was searched.
extern double path_buf[];

// Chooses the not-done node of graph with the smallest dist below DIST_CUTOFF, the first in
// list order among equals. True when a node was chosen.
bool pick_next(const Graph* graph, Node** chosen);

// Cheapest path from the last node at (ax, ay) to the last node at (bx, by). Returns path_buf,
// filled goal first, or null for no path (empty graph, no start, goal unreachable or at a cost
// of DIST_CUTOFF or more); path_buf then keeps its contents. A missing goal gives the empty
// path: path_buf all zeros. Overwrites the search fields of every node (search_dist, ...).
const double* shortest_path(Graph* graph, std::int32_t ax, std::int32_t ay,
                            std::int32_t bx, std::int32_t by);

// Sets the weight of every entry to the distance between its two ends.
void refresh_weights(Graph* graph);
