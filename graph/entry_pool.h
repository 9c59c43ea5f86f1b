// entry_pool.h - the indexed build's adjacency entries: blocks of ENTRY_BLOCK entries that
// never move, so that an entry costs its own bytes and no allocator header, and the entries
// made one after the other lie together, away from whatever else the host allocates.
//
// What holds between operations: blocks_at[0 .. blocks) are allocated; the first `used`
// entries of the last block and all of the others have been handed out, and each of those is
// either in a node's list or on the chain of free entries (linked through next), never both.
// The blocks and their table are the pool's own, allocated with new[] and freed by
// entry_pool_release. Each graph has its own pool; new_entry and free_entry (graph.h) use it.
#pragma once

#include <cstddef>

#include "node_ref.h"

constexpr std::size_t ENTRY_BLOCK = 512;

struct EntryPool {
    Edge**      blocks_at;  // the blocks
    std::size_t blocks;     // blocks allocated
    std::size_t room;       // entries of blocks_at allocated
    std::size_t used;       // entries of the last block handed out
    Edge*       free_head;  // a freed entry, the chain of them linked through next; null for none
    std::size_t live;       // entries handed out and not given back: those in the lists
};

// A pool that holds nothing: its last block reads as full, so the first entry takes a block.
constexpr EntryPool EMPTY_ENTRY_POOL = {nullptr, 0, 0, ENTRY_BLOCK, nullptr, 0};

// A new entry from the pool, its fields unset; null when memory ran out.
Edge* entry_take(EntryPool* pool);

// Takes back an entry that no list holds any more.
void entry_give(EntryPool* pool, Edge* e);

// Frees every block: the graph has been released.
void entry_pool_release(EntryPool* pool);
