// node_pool.cpp - the indexed build's node records, in blocks that never move.
#include "node_pool.h"

#include <cstddef>
#include <cstdint>

#include "block_table.h"

Node** pool_blocks = nullptr;

namespace {

NodePool pool = {0, 0, 1, 0};  // ref 0 is never handed out: it names no node

static_assert(offsetof(Node, next) == 0, "a free record's link leads it");

// The memory a node costs rests on this: four links of 32 bits and one pointer pack with the
// fields into 48 bytes where pointers are 8.
static_assert(sizeof(void*) != 8 || sizeof(Node) == 48, "a node record no longer packs into 48 bytes");

}  // namespace

const NodePool& node_pool() { return pool; }

bool pool_reserve() {
    if (pool.free_head || pool.fresh < pool.blocks * POOL_BLOCK) return true;
    constexpr std::size_t ALL_REFS = std::size_t{UINT32_MAX} / POOL_BLOCK;  // blocks refs can name
    return pool.blocks < ALL_REFS && room_for_block(&pool_blocks, pool.blocks, &pool.room) &&
           add_block(pool_blocks, &pool.blocks, POOL_BLOCK);
}

NodeRef pool_take() {
    NodeRef r = pool.fresh;
    if (pool.free_head) {
        r = pool.free_head;
        pool.free_head = node_at(r)->next;
    } else {
        ++pool.fresh;
    }
    mark_taken(node_at(r));
    return r;
}

void pool_give(NodeRef r) {
    Node* n = node_at(r);
    mark_free(n, sizeof n->next);
    n->next = pool.free_head;
    pool.free_head = r;
}

void pool_release() {
    free_blocks(pool_blocks, pool.blocks, POOL_BLOCK);
    pool_blocks = nullptr;
    pool = NodePool{0, 0, 1, 0};
}
