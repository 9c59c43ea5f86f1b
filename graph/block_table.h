// block_table.h - what the record pools of the indexed build share: the blocks of records,
// which never move, the table that names them, and, under the address sanitizer, the marks
// that make a record no node or entry holds unreadable, as a freed record is in the default
// build (poison.h).
#pragma once

#include <cstddef>
#include <new>

#include "poison.h"

// Makes room in *table, which holds `used` of its `*room` entries, for one more block. False
// only when memory ran out, and then the table is as it was.
template <typename Record>
bool room_for_block(Record*** table, std::size_t used, std::size_t* room) {
    if (used < *room) return true;
    const std::size_t bigger = *room ? 2 * *room : 16;
    auto* grown = new (std::nothrow) Record*[bigger];
    if (!grown) return false;
    for (std::size_t i = 0; i < used; ++i) grown[i] = (*table)[i];
    delete[] *table;
    *table = grown;
    *room = bigger;
    return true;
}

// Appends to *table a new block of `per_block` records, none of them handed out yet; the
// table has room. False only when memory ran out.
template <typename Record>
bool add_block(Record** table, std::size_t* used, std::size_t per_block) {
    auto* block = new (std::nothrow) Record[per_block];
    if (!block) return false;
    POOL_POISON(block, sizeof(Record) * per_block);
    table[(*used)++] = block;
    return true;
}

// Frees the `used` blocks of `per_block` records in table, and the table.
template <typename Record>
void free_blocks(Record** table, std::size_t used, std::size_t per_block) {
    for (std::size_t i = 0; i < used; ++i) {
        POOL_UNPOISON(table[i], sizeof(Record) * per_block);
        delete[] table[i];
    }
    delete[] table;
}

// A record handed out: readable again.
template <typename Record>
void mark_taken(Record* r) {
    POOL_UNPOISON(r, sizeof(Record));
}

// A record given back: only its first link_size bytes, its link to the next free record,
// stay readable.
template <typename Record>
void mark_free(Record* r, std::size_t link_size) {
    POOL_UNPOISON(r, link_size);
    POOL_POISON(reinterpret_cast<char*>(r) + link_size, sizeof(Record) - link_size);
}
