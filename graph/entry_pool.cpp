// entry_pool.cpp - the indexed build's adjacency entries, in blocks that never move.
#include "entry_pool.h"

#include "block_table.h"
#include "graph.h"

namespace {

static_assert(offsetof(Edge, next) == 0, "a free entry's link leads it");

}  // namespace

Edge* entry_take(EntryPool* pool) {
    Edge* e = pool->free_head;
    if (e) {
        pool->free_head = e->next;
    } else {
        if (pool->used == ENTRY_BLOCK) {
            if (!room_for_block(&pool->blocks_at, pool->blocks, &pool->room) ||
                !add_block(pool->blocks_at, &pool->blocks, ENTRY_BLOCK))
                return nullptr;
            pool->used = 0;
        }
        e = pool->blocks_at[pool->blocks - 1] + pool->used++;
    }
    mark_taken(e);
    ++pool->live;
    return e;
}

void entry_give(EntryPool* pool, Edge* e) {
    mark_free(e, sizeof e->next);
    e->next = pool->free_head;
    pool->free_head = e;
    --pool->live;
}

void entry_pool_release(EntryPool* pool) {
    free_blocks(pool->blocks_at, pool->blocks, ENTRY_BLOCK);
    *pool = EMPTY_ENTRY_POOL;
}

Edge* new_entry(Graph* graph) { return entry_take(&graph->entries); }

void free_entry(Graph* graph, Edge* e) { entry_give(&graph->entries, e); }
