// cost_search.h - the engine's searches: Dijkstra's over a graph's records, with costs summed
// in 64 bits and no bound on them.
//
// Nodes are settled in order of cost, ties in creation order, and a node's prev is the first
// settled node that offered its final cost: the plug-ins' search in the indexed build, so that
// every path it finds below their cost bound is theirs. Weights are 0 or more (the engine
// refuses others), so no settled node is offered a lower cost again, and the costs a search has
// yet to settle lie within 2^31 above the last one settled: a node keeps its cost's lower 32
// bits in its dist field and the queue keeps the whole. A search writes only the nodes it
// reaches (Graph::search_number) and allocates only to grow its graph's queue.
#pragma once

#include <cstdint>

#include "engine_graph.h"

constexpr CostHeap EMPTY_COST_HEAP = {nullptr, 0, 0};

// Frees the queue's storage.
void cost_heap_release(CostHeap* heap);

enum class SearchEnd { Settled, Exhausted, OutOfMemory };

// Settles nodes from start on until it settles goal (its cost then in *cost: Settled), or no
// node is left (Exhausted). Afterwards search_prev leads from each settled node back to start.
SearchEnd search_to(EngineGraph* g, Node* start, const Node* goal, std::int64_t* cost);

// Settles nodes from start on while their cost is at most bound, calling settled(node, cost,
// context) for each in turn, start first; Exhausted when it is done, OutOfMemory when the
// queue could not grow (the calls made so far stand).
SearchEnd search_within(EngineGraph* g, Node* start, std::int64_t bound,
                        void (*settled)(const Node* node, std::int64_t cost, void* context),
                        void* context);
