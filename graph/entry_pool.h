// entry_pool.h - the indexed build's adjacency entries: blocks of ENTRY_BLOCK entries that
// never move, so that an entry costs its own bytes and no allocator header, and the entries
// made one after the other lie together, away from whatever else the host allocates.
//
// What holds between operations: blocks[0 .. blocks) are allocated; the first `used` entries
// of the last block and all of the others have been handed out, and each of those is either
// in a node's list or on the chain of free entries (linked through next), never both. The
// blocks and their table are the pool's own, allocated with new[] and freed by
// entry_pool_release.
#pragma once

#include <cstddef>

#include "graph.h"

constexpr std::size_t ENTRY_BLOCK = 512;

struct EntryPool {
    Edge**      blocks_at;  // the blocks
    std::size_t blocks;     // blocks allocated
    std::size_t room;       // entries of blocks_at allocated
    std::size_t used;       // entries of the last block handed out
    Edge*       free_head;  // a freed entry, the chain of them linked through next; null for none
};

// The pool, for the invariant checker to read.
const EntryPool& entry_pool();

// Frees every block: the graph has been released.
void entry_pool_release();
