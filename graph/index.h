// index.h - the position index of the indexed build: which nodes stand at a position, the
// list's tail, creation numbers and the count of nodes.
//
// It serves node_list alone, and only the store's operations change it, each in step with the
// list. What holds between operations:
// - every node of the list is in exactly one chain, the chain of its position, and a chain
//   holds its nodes in list order; the table has one slot per occupied position, naming the
//   chain's first node, whose same_prev is the chain's last;
// - list_prev is the node before in list order, tail the last node, and creation numbers rise
//   strictly along the list;
// - nodes is the number of nodes in the list, and the search heap has room for
//   heap_room(nodes) items (search_heap.h).
// The table and the heap are the index's own storage, allocated with new[] and freed by
// index_release; nothing else owns them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "graph.h"

// A slot of the open-addressing table: a position and the first node there; first is null in
// an empty slot.
struct IndexSlot {
    std::int32_t x, y;
    Node*        first;
};

// Creation numbers start here after a release; tests start near 2^32 to reach the renumbering.
#ifndef GRAPH_FIRST_ORDER
#define GRAPH_FIRST_ORDER 0
#endif

struct PositionIndex {
    IndexSlot*    slots;       // capacity slots, linear probing; null before the first node
    std::size_t   capacity;    // a power of two, or 0
    std::size_t   used;        // occupied slots: the number of distinct positions
    Node*         tail;        // last node of node_list; null when it is empty
    std::uint32_t next_order;  // creation number of the next node
    std::size_t   nodes;       // nodes in node_list
};

// The index of node_list, for the invariant checker to read.
const PositionIndex& position_index();

// The first and the last node in list order at (x, y), or null.
Node* index_first(std::int32_t x, std::int32_t y);
Node* index_last(std::int32_t x, std::int32_t y);

// Makes room for one more node: a slot for a new position and heap room stay available. False
// only when memory ran out, and then nothing has changed.
[[nodiscard]] bool index_reserve_node();

// Appends node, fully made, at the tail of *list and enters it at its position. Needs the
// room that index_reserve_node made.
void index_append(Node** list, Node* node);

// Takes node out of *list and out of its position's chain; the caller frees it.
void index_unlink(Node** list, Node* node);

// Moves every node at (ax, ay) to (bx, by), joining them to the nodes there in list order.
void index_move(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by);

// Forgets every node and frees the index's storage: the graph has been released.
void index_release();
