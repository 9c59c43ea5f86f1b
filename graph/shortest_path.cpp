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

#if GRAPH_INDEXED
std::uint16_t search_number = GRAPH_FIRST_SEARCH;
#endif

bool pick_next(Node* list, Node** chosen) {
    Node* best = nullptr;
    std::int32_t bound = DIST_CUTOFF;
    for (Node* n = list; n; n = next_node(n)) {
        // No branch on done: along the list, settled and unsettled nodes alternate wherever the
        // search's frontier crosses a row, and a branch there mispredicts. A settled node's key
        // is the cutoff, which never beats the bound.
        const std::int32_t settled = -static_cast<std::int32_t>(search_done(n));  // 0 or all ones
        const std::int32_t key = (search_dist(n) & ~settled) | (DIST_CUTOFF & settled);
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
inline void reach(Node* node) {
    if (node->search == search_number) return;
    node->search = search_number;
    node->dist = DIST_UNSET;
    node->done = 0;
    node->prev = 0;
}

// Numbers a new search; when the numbers have run out, first forgets every node's.
void number_search(Node* list) {
    if (search_number == UINT16_MAX) {
        for (Node* n = list; n; n = next_node(n)) n->search = 0;
        search_number = 0;
    }
    ++search_number;
}
#endif

// Offers current's cost plus each entry's weight to the entry's neighbour, settled or not. The
// sum is formed in 64 bits so no weight can overflow it; current's dist is read afresh for
// every entry, since a negative self-loop lowers it on the way. The indexed build queues every
// node that may still be chosen at its new dist.
void relax_entries(Node* current, NodeLink from) {
    for (Edge* e = current->edges; e; e = e->next) {
        std::int64_t candidate = static_cast<std::int64_t>(current->dist) + e->weight;
        Node* to = e->to;
#if GRAPH_INDEXED
        reach(to);
#endif
        if (candidate < to->dist) {
            constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
            const std::int32_t was = to->dist;
            to->dist = static_cast<std::int32_t>(candidate < lowest ? lowest : candidate);
            to->prev = from;
            // Offered again only at a lower dist: at the lowest one the item is already there.
            if constexpr (HAS_INDEX)
                if (!to->done && to->dist < DIST_CUTOFF && to->dist < was) {
                    // Its first entry is read when it is settled: fetched from now on.
                    __builtin_prefetch(to->edges);
                    heap_push(to);
                }
        }
    }
}

// The next node to settle, as pick_next chooses it, and what a prev holds to name it.
bool choose_next(Node* list, Node** chosen, NodeLink* link) {
#if GRAPH_INDEXED
    (void)list;
    *chosen = heap_pop_next();
    *link = *chosen ? ref_of(*chosen) : 0;
#else
    pick_next(list, chosen);
    *link = *chosen;
#endif
    return *chosen != nullptr;
}

}  // namespace

const double* shortest_path(Node* list, std::int32_t ax, std::int32_t ay, std::int32_t bx,
                            std::int32_t by) {
    if (!list) return nullptr;

    Node* start = nullptr;
    Node* goal = nullptr;
#if GRAPH_INDEXED
    number_search(list);  // from here on every node reads as never reached
    start = index_last(ax, ay);
    goal = index_last(bx, by);
    if (!start) return nullptr;
    if (!goal) {  // the search would end exhausted, leaving the empty path
        for (int i = 0; i < PATH_CAP; ++i) path_buf[i] = 0.0;
        return path_buf;
    }
    reach(start);
    start->dist = 0;
    heap_clear();
    heap_push(start);
#else
    for (Node* n = list; n; n = n->next) {  // a later match replaces an earlier one
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
    while (choose_next(list, &current, &current_link)) {
        if (current == goal) break;  // the goal is neither relaxed nor marked done
        if constexpr (HAS_INDEX) heap_prefetch_top();
        relax_entries(current, current_link);
        current->done = 1;
    }
    if (current != goal) return nullptr;  // a missing goal matches the exhausted search

    for (int i = 0; i < PATH_CAP; ++i) path_buf[i] = 0.0;
    int i = 0;
    for (Node* n = goal; n && i < PATH_CAP; n = search_prev(n)) {  // prev cycles fill the buffer
        path_buf[i] = n->x;
        path_buf[i + 1] = n->y;
        i += 2;
    }
    return path_buf;
}
