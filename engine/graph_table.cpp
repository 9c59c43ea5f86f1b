// graph_table.cpp - the engine's graphs by handle: a sorted array of the live ones, searched by
// halving. Handles rise, so a new graph goes at the end; a freed one closes its gap.
#include <chrono>
#include <cstring>
#include <new>

#include "cost_search.h"
#include "engine_graph.h"

namespace {

EngineGraph** table = nullptr;  // `live` graphs by rising handle, room for `room`
std::size_t live = 0;
std::size_t room = 0;
double next_handle = 0;  // 0: not yet started in this load

void* scratch_memory = nullptr;
std::size_t scratch_room = 0;

// A load's first handle is the microsecond of a steady clock, which every call of the host
// outlasts: no load numbers a graph that an earlier load of this process numbered.
double first_handle() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return 1.0 + static_cast<double>(
                     std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

// The place of the first graph whose handle is not below handle.
std::size_t place_of(double handle) {
    std::size_t lo = 0, hi = live;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (table[mid]->handle < handle)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

}  // namespace

EngineGraph* graph_find(double handle) {
    const std::size_t at = place_of(handle);
    return at < live && table[at]->handle == handle ? table[at] : nullptr;
}

EngineGraph* graph_new() {
    if (live == room) {
        const std::size_t bigger = room ? 2 * room : 16;
        auto* grown = new (std::nothrow) EngineGraph*[bigger];
        if (!grown) return nullptr;
        for (std::size_t i = 0; i < live; ++i) grown[i] = table[i];
        delete[] table;
        table = grown;
        room = bigger;
    }
    auto* g = new (std::nothrow) EngineGraph;
    if (!g) return nullptr;
    if (next_handle == 0) next_handle = first_handle();
    g->handle = next_handle++;
    g->graph = EMPTY_GRAPH;
    g->heap = EMPTY_COST_HEAP;
    table[live++] = g;
    return g;
}

void graph_free(EngineGraph* g) {
    const std::size_t at = place_of(g->handle);
    for (std::size_t i = at + 1; i < live; ++i) table[i - 1] = table[i];
    --live;
    release_graph(&g->graph);
    cost_heap_release(&g->heap);
    delete g;
}

void graphs_release() {
    while (live > 0) graph_free(table[live - 1]);
    delete[] table;
    table = nullptr;
    room = 0;
    ::operator delete(scratch_memory, std::nothrow);
    scratch_memory = nullptr;
    scratch_room = 0;
}

void scratch_trim() {
    constexpr std::size_t KEPT = 64 * 1024;
    if (scratch_room <= KEPT) return;
    ::operator delete(scratch_memory, std::nothrow);
    scratch_memory = nullptr;
    scratch_room = 0;
}

void* scratch(std::size_t bytes) {
    if (bytes <= scratch_room) return scratch_memory;
    const std::size_t bigger = bytes + bytes / 2;
    void* grown = ::operator new(bigger, std::nothrow);
    if (!grown) return nullptr;
    if (scratch_room) std::memcpy(grown, scratch_memory, scratch_room);
    ::operator delete(scratch_memory, std::nothrow);
    scratch_memory = grown;
    scratch_room = bigger;
    return grown;
}
