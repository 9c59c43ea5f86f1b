// entry_pool.cpp - the indexed build's adjacency entries, in blocks that never move.
#include "entry_pool.h"

#include "block_table.h"

namespace {

EntryPool pool = {nullptr, 0, 0, ENTRY_BLOCK, nullptr};  // a full last block: the first entry needs one

static_assert(offsetof(Edge, next) == 0, "a free entry's link leads it");

}  // namespace

const EntryPool& entry_pool() { return pool; }

Edge* new_entry() {
    Edge* e = pool.free_head;
    if (e) {
        pool.free_head = e->next;
    } else {
        if (pool.used == ENTRY_BLOCK) {
            if (!room_for_block(&pool.blocks_at, pool.blocks, &pool.room) ||
                !add_block(pool.blocks_at, &pool.blocks, ENTRY_BLOCK))
                return nullptr;
            pool.used = 0;
        }
        e = pool.blocks_at[pool.blocks - 1] + pool.used++;
    }
    mark_taken(e);
    return e;
}

void free_entry(Edge* e) {
    mark_free(e, sizeof e->next);
    e->next = pool.free_head;
    pool.free_head = e;
}

void entry_pool_release() {
    free_blocks(pool.blocks_at, pool.blocks, ENTRY_BLOCK);
    pool = EntryPool{nullptr, 0, 0, ENTRY_BLOCK, nullptr};
}
