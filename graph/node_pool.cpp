// node_pool.cpp - the indexed build's node records, in blocks that never move.
#include "node_pool.h"

#include <cstddef>
#include <cstdint>

#include "block_table.h"
#include "graph.h"

namespace {

static_assert(offsetof(Node, next) == 0, "a free record's link leads it");

// The memory a node costs rests on this: four links of 32 bits and one pointer pack with the
// fields into 48 bytes where pointers are 8.
static_assert(sizeof(void*) != 8 || sizeof(Node) == 48, "a node record no longer packs into 48 bytes");

}  // namespace

bool pool_reserve(NodePool* pool) {
    if (pool->free_head || pool->fresh < pool->blocks * POOL_BLOCK) return true;
    constexpr std::size_t ALL_REFS = std::size_t{UINT32_MAX} / POOL_BLOCK;  // blocks refs can name
    return pool->blocks < ALL_REFS && room_for_block(&pool->blocks_at, pool->blocks, &pool->room) &&
           add_block(pool->blocks_at, &pool->blocks, POOL_BLOCK);
}

NodeRef pool_take(NodePool* pool) {
    NodeRef r = pool->fresh;
    if (pool->free_head) {
        r = pool->free_head;
        pool->free_head = pool_record(pool, r)->next;
    } else {
        ++pool->fresh;
    }
    mark_taken(pool_record(pool, r));
    return r;
}

void pool_give(NodePool* pool, NodeRef r) {
    Node* n = pool_record(pool, r);
    mark_free(n, sizeof n->next);
    n->next = pool->free_head;
    pool->free_head = r;
}

void pool_release(NodePool* pool) {
    free_blocks(pool->blocks_at, pool->blocks, POOL_BLOCK);
    *pool = EMPTY_NODE_POOL;
}
