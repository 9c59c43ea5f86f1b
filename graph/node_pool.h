// node_pool.h - the indexed build's node records: blocks of POOL_BLOCK records, handed out
// by NodeRef and taken back for reuse, so that a record costs its own bytes and no allocator
// header, and a link costs 32 bits (graph.h: node_at).
//
// What holds between operations: blocks_at[0 .. blocks) are allocated, each with POOL_BLOCK
// records; refs below `fresh` have been handed out, except 0, which names no node; a ref is
// either a live node's or on the chain of free records (linked through next), never both.
// Nothing but the pool allocates or frees the blocks and the table that names them; both are
// the pool's own, allocated with new[] and freed by pool_release. Each graph has its own pool.
#pragma once

#include <cstddef>

#include "node_ref.h"

// Where a pool keeps record r: slot r % POOL_BLOCK of block r / POOL_BLOCK. Blocks never
// move, so a Node* stays good while its node lives.
constexpr unsigned POOL_BLOCK_BITS = 8;
constexpr NodeRef POOL_BLOCK = NodeRef{1} << POOL_BLOCK_BITS;

struct NodePool {
    Node**      blocks_at;  // the blocks
    std::size_t blocks;     // blocks allocated
    std::size_t room;       // entries of blocks_at allocated
    NodeRef     fresh;      // the first ref never handed out
    NodeRef     free_head;  // a freed record, the chain of them linked through next; 0 for none
};

// A pool that holds nothing; ref 0 is never handed out, since it names no node.
constexpr NodePool EMPTY_NODE_POOL = {nullptr, 0, 0, 1, 0};

// Makes sure pool_take has a record to give. False only when memory ran out, or when every
// ref is taken; nothing has then changed.
[[nodiscard]] bool pool_reserve(NodePool* pool);

// A record for a new node, its fields unset; needs the room pool_reserve made.
NodeRef pool_take(NodePool* pool);

// Takes back the record of a node that has left the graph.
void pool_give(NodePool* pool, NodeRef r);

// Frees every block: the graph has been released.
void pool_release(NodePool* pool);
