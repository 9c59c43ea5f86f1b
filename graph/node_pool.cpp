// node_pool.cpp - the indexed build's node records, in blocks that never move.
#include "node_pool.h"

#include <cstddef>
#include <cstdint>
#include <new>

#include "block_table.h"
#include "poison.h"

Node** pool_blocks = nullptr;

namespace {

// Under the address sanitizer a record that is no node's cannot be read, as a freed one could
// not be in the default build; a free record keeps its link (next) readable.
void poison_free_record(Node* n) {
    static_assert(offsetof(Node, next) == 0, "the free link leads the record");
    POOL_POISON(reinterpret_cast<char*>(n) + sizeof n->next, sizeof(Node) - sizeof n->next);
}

NodePool pool = {0, 0, 1, 0};  // ref 0 is never handed out: it names no node

}  // namespace

const NodePool& node_pool() { return pool; }

bool pool_reserve() {
    if (pool.free_head || pool.fresh < pool.blocks * POOL_BLOCK) return true;
    constexpr std::size_t ALL_REFS = std::size_t{UINT32_MAX} / POOL_BLOCK;  // blocks refs can name
    if (pool.blocks >= ALL_REFS || !room_for_block(&pool_blocks, pool.blocks, &pool.room)) return false;
    auto* block = new (std::nothrow) Node[POOL_BLOCK];
    if (!block) return false;
    POOL_POISON(block, sizeof(Node) * POOL_BLOCK);
    pool_blocks[pool.blocks++] = block;
    return true;
}

NodeRef pool_take() {
    NodeRef r = pool.fresh;
    if (pool.free_head) {
        r = pool.free_head;
        pool.free_head = node_at(r)->next;
    } else {
        ++pool.fresh;
    }
    POOL_UNPOISON(node_at(r), sizeof(Node));
    return r;
}

void pool_give(NodeRef r) {
    Node* n = node_at(r);
    POOL_UNPOISON(n, sizeof n->next);
    n->next = pool.free_head;
    pool.free_head = r;
    poison_free_record(n);
}

void pool_release() {
    for (std::size_t i = 0; i < pool.blocks; ++i) {
        POOL_UNPOISON(pool_blocks[i], sizeof(Node) * POOL_BLOCK);
        delete[] pool_blocks[i];
    }
    delete[] pool_blocks;
    pool_blocks = nullptr;
    pool = NodePool{0, 0, 1, 0};
}

// The memory a node costs rests on this: four links of 32 bits and one pointer pack with the
// fields into 48 bytes where pointers are 8.
static_assert(sizeof(void*) != 8 || sizeof(Node) == 48, "a node record no longer packs into 48 bytes");
