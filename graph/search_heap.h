// search_heap.h - the search's queue in the indexed build: a heap of nodes keyed by
// (dist, creation number), so that the node it gives next is the one the list scan would
// choose (least dist below the cutoff, first in list order among equals).
//
// Items go stale when their node's dist drops again or the node is settled; they stay in the
// heap and are passed over when they come to the top. A node has at most one item that is not
// stale (a node is offered again only at a lower dist), so when a search fills the heap, the
// stale items are dropped: room for heap_room(n) items serves a graph of n nodes, a ninth of it
// or more free after each clearing. The position index keeps that much room
// (index_reserve_node) and the search never allocates. Each graph has its own heap; its
// storage is the graph's, freed by heap_release.
#pragma once

#include <cstddef>

#include "node_ref.h"

struct HeapItem;  // search_heap.cpp

struct SearchHeap {
    HeapItem*   items;     // capacity items and the sentinels after them; null before the first
    std::size_t capacity;  // items there is room for
    std::size_t size;      // items in the heap
};

constexpr SearchHeap EMPTY_HEAP = {nullptr, 0, 0};

// The items a graph of `nodes` nodes needs room for.
constexpr std::size_t heap_room(std::size_t nodes) { return nodes + nodes / 8 + 1; }

// Makes room for at least `items` items. False only when memory ran out; the heap is then as
// it was.
[[nodiscard]] bool heap_reserve(SearchHeap* heap, std::size_t items);

// Empties the heap at the start of a search.
void heap_clear(SearchHeap* heap);

// Offers node at its current dist, lower than at its last offer in this search.
void heap_push(SearchHeap* heap, Node* node);

// The not-done node with the least (dist, creation number) among the items that are not
// stale, taken out of the heap; null when none is left.
Node* heap_pop_next(SearchHeap* heap);

// Fetches into the cache what settling the node now at the top will read first.
void heap_prefetch_top(const SearchHeap& heap);

// Frees the storage.
void heap_release(SearchHeap* heap);
