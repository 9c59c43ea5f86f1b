// index.h - the position index of the indexed build: which nodes stand at a position, the
// list's head and tail, creation numbers and the count of nodes.
//
// Each graph has its own (Graph::index), and only the store's operations change it, each in
// step with the graph's list. What holds between operations:
// - every node of the list is in exactly one ring, the ring of its position, which holds its
//   nodes in list order through same_next, the last one's leading back to the first; the table
//   has one slot per occupied position, naming the ring's last node;
// - list_prev is the node before in list order, head and tail the first and last nodes, and
//   creation numbers rise strictly along the list;
// - nodes is the number of nodes in the list, the graph's search heap has room for
//   heap_room(nodes) items (search_heap.h), and its pool holds their records (node_pool.h).
// The table is the index's own storage, allocated with new[] and freed by index_release; nothing
// else owns it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "node_ref.h"

// Creation numbers start here after a release; tests start near 2^32 to reach the renumbering.
#ifndef GRAPH_FIRST_ORDER
#define GRAPH_FIRST_ORDER 0
#endif

struct PositionIndex {
    NodeRef*      slots;       // capacity slots, linear probing, 0 when empty; null before the
                               // first node. A slot keeps no position: its node's is read.
    std::size_t   capacity;    // a power of two, or 0
    std::size_t   used;        // occupied slots: the number of distinct positions
    NodeRef       head;        // first node of the list; 0 when it is empty
    NodeRef       tail;        // last node of the list; 0 when it is empty
    std::uint32_t next_order;  // creation number of the next node
    std::size_t   nodes;       // nodes in the list
};

constexpr PositionIndex EMPTY_INDEX = {nullptr, 0, 0, 0, 0, GRAPH_FIRST_ORDER, 0};

// The first and the last node in list order at (x, y), or null.
Node* index_first(const Graph* graph, std::int32_t x, std::int32_t y);
Node* index_last(const Graph* graph, std::int32_t x, std::int32_t y);

// The slot where the probe for (x, y) starts, in a table of nonzero capacity; the invariant
// checker measures from it how far probes run.
std::size_t home_slot(const PositionIndex& index, std::int32_t x, std::int32_t y);

// The ref of a node of graph's, read from its neighbour in the list.
NodeRef ref_of(const Graph* graph, const Node* node);

// Makes room for one more node: a record, a slot for a new position and heap room stay
// available. False only when memory ran out, and then the graph is as it was.
[[nodiscard]] bool index_reserve_node(Graph* graph);

// Appends the node r names, fully made, at the tail of the graph's list and enters it at its
// position. Needs the room that index_reserve_node made.
void index_append(Graph* graph, NodeRef r);

// Takes node out of the list and out of its position's ring, and gives its record back to the
// pool. Costs a walk of the ring: one step where the position holds one node.
void index_remove(Graph* graph, Node* node);

// Moves every node at (ax, ay) to (bx, by), joining them to the nodes there in list order.
void index_move(Graph* graph, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by);

// Forgets every node and frees the index's storage, the heap and the node pool: the graph has
// been released.
void index_release(Graph* graph);
