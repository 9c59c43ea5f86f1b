// block_table.h - the table of blocks a record pool of the indexed build keeps: an array of
// block pointers that doubles when full.
#pragma once

#include <cstddef>
#include <new>

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
