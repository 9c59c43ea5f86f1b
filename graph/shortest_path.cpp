// shortest_path.cpp - Dijkstra's search over the node list, leaving the path, goal first, in
// path_buf. The default build chooses each node by a scan of the list (pick_next); the indexed
// build takes the same node from a heap, finds start and goal in the index, and touches only
// the nodes the search reaches.
#include <cstdint>
#include <limits>

#include "graph.h"
#include "index.h"
#include "search_heap.h"
#include "settings.h"

double path_buf[PATH_CAP];

bool pick_next(const Graph* graph, Node** chosen) {
    Node* best = nullptr;
    std::int32_t bound = DIST_CUTOFF;
    for (Node* n = graph->node_list; n; n = next_node(graph, n)) {
        // No branch on done: along the list, settled and unsettled nodes alternate wherever the
        // search's frontier crosses a row, and a branch there mispredicts. A settled node's key
        // is the cutoff, which never beats the bound.
        const std::int32_t settled = -static_cast<std::int32_t>(search_done(graph, n));  // 0 or all ones
        const std::int32_t key = (search_dist(graph, n) & ~settled) | (DIST_CUTOFF & settled);
        const bool take = key < bound;  // strict: the first of equals stays chosen
        bound = take ? key : bound;
        best = take ? n : best;
    }
    *chosen = best;
    return best != nullptr;
}

namespace {

#if GRAPH_INDEXED
// Makes node's search fields this search's, as never reached, unless they are already.
inline void reach(std::uint16_t search_number, Node* node) {
    if (node->search == search_number) return;
    node->search = search_number;
    node->dist = DIST_UNSET;
    node->done = 0;
    node->prev = 0;
}

// Numbers a new search; when the numbers have run out, first forgets every node's.
void number_search(Graph* graph) {
    if (graph->search_number == UINT16_MAX) {
        for (Node* n = graph->node_list; n; n = next_node(graph, n)) n->search = 0;
        graph->search_number = 0;
    }
    ++graph->search_number;
}
#endif

// Offers current's cost plus each entry's weight to the entry's neighbour, settled or not. The
// sum is formed in 64 bits so no weight can overflow it; current's dist is read afresh for
// every entry, since a negative self-loop lowers it on the way. The indexed build queues every
// node that may still be chosen at its new dist.
void relax_entries(Graph* graph, Node* current, NodeLink from) {
#if GRAPH_INDEXED
    const std::uint16_t search_number = graph->search_number;
#else
    (void)graph;
#endif
    for (Edge* e = current->edges; e; e = e->next) {
        std::int64_t candidate = static_cast<std::int64_t>(current->dist) + e->weight;
        Node* to = e->to;
#if GRAPH_INDEXED
        reach(search_number, to);
#endif
        if (candidate < to->dist) {
            constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
#if GRAPH_INDEXED
            const std::int32_t was = to->dist;
#endif
            to->dist = static_cast<std::int32_t>(candidate < lowest ? lowest : candidate);
            to->prev = from;
#if GRAPH_INDEXED
            // Offered again only at a lower dist: at the lowest one the item is already there.
            if (!to->done && to->dist < DIST_CUTOFF && to->dist < was) {
                // Its first entry is read when it is settled: fetched from now on.
                __builtin_prefetch(to->edges);
                heap_push(&graph->heap, to);
            }
#endif
        }
    }
}

// The next node to settle, as pick_next chooses it, and what a prev holds to name it.
bool choose_next(Graph* graph, Node** chosen, NodeLink* link) {
#if GRAPH_INDEXED
    *chosen = heap_pop_next(&graph->heap);
    *link = *chosen ? ref_of(graph, *chosen) : 0;
#else
    pick_next(graph, chosen);
    *link = *chosen;
#endif
    return *chosen != nullptr;
}

}  // namespace

const double* shortest_path(Graph* graph, std::int32_t ax, std::int32_t ay, std::int32_t bx,
                            std::int32_t by) {
    if (!graph->node_list) return nullptr;

    Node* start = nullptr;
    Node* goal = nullptr;
#if GRAPH_INDEXED
    number_search(graph);  // from here on every node reads as never reached
    start = index_last(graph, ax, ay);
    goal = index_last(graph, bx, by);
    if (!start) return nullptr;
    if (!goal) {  // the search would end exhausted, leaving the empty path
        for (int i = 0; i < PATH_CAP; ++i) path_buf[i] = 0.0;
        return path_buf;
    }
    reach(graph->search_number, start);
    start->dist = 0;
    heap_clear(&graph->heap);
    heap_push(&graph->heap, start);
#else
    for (Node* n = graph->node_list; n; n = n->next) {  // a later match replaces an earlier one
        n->dist = DIST_UNSET;
        n->done = 0;
        n->prev = nullptr;
        if (n->x == ax && n->y == ay) start = n;
        if (n->x == bx && n->y == by) goal = n;
    }
    if (!start) return nullptr;  // no start, no path: nothing is written through it
    start->dist = 0;
#endif

    Node* current;
    NodeLink current_link;
    while (choose_next(graph, &current, &current_link)) {
        if (current == goal) break;  // the goal is neither relaxed nor marked done
#if GRAPH_INDEXED
        heap_prefetch_top(graph->heap);
#endif
        relax_entries(graph, current, current_link);
        current->done = 1;
    }
    if (current != goal) return nullptr;  // a missing goal matches the exhausted search

    for (int i = 0; i < PATH_CAP; ++i) path_buf[i] = 0.0;
    int i = 0;
    for (Node* n = goal; n && i < PATH_CAP; n = search_prev(graph, n)) {  // prev cycles fill the buffer
        path_buf[i] = n->x;
        path_buf[i + 1] = n->y;
        i += 2;
    }
    return path_buf;
}
