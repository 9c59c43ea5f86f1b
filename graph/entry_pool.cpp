// entry_pool.cpp - the indexed build's adjacency entries, in blocks that never move.
#include "entry_pool.h"

#include <new>

#include "block_table.h"
#include "poison.h"

namespace {

EntryPool pool = {nullptr, 0, 0, ENTRY_BLOCK, nullptr};  // a full last block: the first entry needs one

// A free entry keeps its link (next) readable.
void poison_free_entry(Edge* e) {
    static_assert(offsetof(Edge, next) == 0, "the free link leads the entry");
    POOL_POISON(reinterpret_cast<char*>(e) + sizeof e->next, sizeof(Edge) - sizeof e->next);
}

bool add_block() {
    if (!room_for_block(&pool.blocks_at, pool.blocks, &pool.room)) return false;
    auto* block = new (std::nothrow) Edge[ENTRY_BLOCK];
    if (!block) return false;
    POOL_POISON(block, sizeof(Edge) * ENTRY_BLOCK);
    pool.blocks_at[pool.blocks++] = block;
    pool.used = 0;
    return true;
}

}  // namespace

const EntryPool& entry_pool() { return pool; }

Edge* new_entry() {
    Edge* e = pool.free_head;
    if (e) {
        pool.free_head = e->next;
    } else {
        if (pool.used == ENTRY_BLOCK && !add_block()) return nullptr;
        e = pool.blocks_at[pool.blocks - 1] + pool.used++;
    }
    POOL_UNPOISON(e, sizeof(Edge));
    return e;
}

void free_entry(Edge* e) {
    POOL_UNPOISON(e, sizeof e->next);
    e->next = pool.free_head;
    pool.free_head = e;
    poison_free_entry(e);
}

void entry_pool_release() {
    for (std::size_t i = 0; i < pool.blocks; ++i) {
        POOL_UNPOISON(pool.blocks_at[i], sizeof(Edge) * ENTRY_BLOCK);
        delete[] pool.blocks_at[i];
    }
    delete[] pool.blocks_at;
    pool = EntryPool{nullptr, 0, 0, ENTRY_BLOCK, nullptr};
}
