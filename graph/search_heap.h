// search_heap.h - the search's queue in the indexed build: a binary heap of nodes keyed by
// (dist, creation number), so that the node it gives next is the one the list scan would
// choose (least dist below the cutoff, first in list order among equals).
//
// Items go stale when their node's dist drops again or the node is settled; they stay in the
// heap and are passed over when they come to the top. A search pushes at most once per entry
// it relaxes, plus the start, so room for entries + 1 items suffices: the position index keeps
// that much (index_reserve_node, index_reserve_entries) and the search never allocates. The
// storage is the index's, freed by heap_release.
#pragma once

#include <cstddef>

#include "graph.h"

// Makes room for at least `items` items. False only when memory ran out; the heap is then as
// it was.
[[nodiscard]] bool heap_reserve(std::size_t items);

// Items the heap has room for.
std::size_t heap_capacity();

// Empties the heap at the start of a search.
void heap_clear();

// Offers node at its current dist.
void heap_push(Node* node);

// The not-done node with the least (dist, creation number) among the items that are not
// stale, taken out of the heap; null when none is left.
Node* heap_pop_next();

// Frees the storage.
void heap_release();
