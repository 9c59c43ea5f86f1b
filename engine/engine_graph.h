// engine_graph.h - one graph of the engine, the table that finds it by its handle, and the
// engine's scratch memory.
//
// Every EngineGraph is the table's: graph_new makes it, graph_free and graphs_release free it
// with everything its Graph and its queue hold. The table holds the live graphs by rising
// handle. Nothing here is owned by a frame: the host may leave any call by a longjmp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "graph.h"

struct CostItem;  // cost_search.cpp

// The queue of the engine's searches: a heap of (cost, creation number) in 64 and 32 bits,
// grown as a search needs and kept with its graph.
struct CostHeap {
    CostItem*   items;     // capacity items and the sentinels after them; null before a search
    std::size_t capacity;
    std::size_t size;
};

struct EngineGraph {
    double   handle;  // the number that names it to GraphPlugin; never reused in a process
    Graph    graph;
    CostHeap heap;
};

// The graph named by handle, or null.
EngineGraph* graph_find(double handle);

// A new, empty graph with the next handle; null when memory ran out.
EngineGraph* graph_new();

// Frees g and everything it holds, and forgets its handle.
void graph_free(EngineGraph* g);

// Frees every graph: the host is clearing the engine.
void graphs_release();

// Room for `bytes` bytes of the engine's scratch, which holds an answer while it is worked
// out: the same memory for every call, grown keeping what it holds, freed by graphs_release.
// Null when memory ran out; what it held is then still where it was.
void* scratch(std::size_t bytes);

// Frees the scratch when it has grown past a few pages, so that a large answer does not hold
// its memory between calls; the engine's entry calls it as each call ends.
void scratch_trim();
