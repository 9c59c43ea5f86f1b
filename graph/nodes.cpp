// nodes.cpp - the node operations: find, add, move, release.
#include <new>

#include "graph.h"
#include "index.h"

Node* find_node(const Graph* graph, std::int32_t x, std::int32_t y) {
    if constexpr (HAS_INDEX) return index_first(graph, x, y);
    for (Node* n = graph->node_list; n; n = next_node(graph, n))
        if (n->x == x && n->y == y) return n;
    return nullptr;
}

bool add_node(Graph* graph, std::int32_t x, std::int32_t y, std::int32_t value) {
    bool created;
    return add_node(graph, x, y, value, &created);
}

namespace {

// A new node's fields, all but the links the list and the index set.
void make_node(const Graph* graph, Node* n, std::int32_t x, std::int32_t y, std::int32_t value) {
    n->x = x;
    n->y = y;
    n->edges = nullptr;
    n->dist = DIST_UNSET;  // never reached; the default build's search sets these again
    n->done = 0;
    n->prev = {};
#if GRAPH_INDEXED
    n->search = graph->search_number;
#else
    (void)graph;
#endif
    n->value = value;
}

}  // namespace

bool add_node(Graph* graph, std::int32_t x, std::int32_t y, std::int32_t value, bool* created) {
    *created = false;
#if GRAPH_INDEXED
    if (index_first(graph, x, y)) return true;  // position taken: the old node keeps its value
    if (!index_reserve_node(graph)) return false;
    const NodeRef r = pool_take(&graph->nodes);
    make_node(graph, node_at(graph, r), x, y, value);
    index_append(graph, r);
#else
    Node** link = &graph->node_list;  // where the new node goes: the null link at the tail
    for (Node* n = graph->node_list; n; n = n->next) {
        if (n->x == x && n->y == y) return true;  // position taken, as above
        link = &n->next;
    }
    Node* n = new (std::nothrow) Node;
    if (!n) return false;
    n->next = nullptr;
    make_node(graph, n, x, y, value);
    *link = n;  // linked only once fully made
#endif
    *created = true;
    return true;
}

#if GRAPH_INDEXED
Node* append_node(Graph* graph, std::int32_t x, std::int32_t y, std::int32_t value) {
    if (!index_reserve_node(graph)) return nullptr;
    const NodeRef r = pool_take(&graph->nodes);
    Node* n = node_at(graph, r);
    make_node(graph, n, x, y, value);
    index_append(graph, r);
    return n;
}
#endif

void move_node(Graph* graph, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    if constexpr (HAS_INDEX) return index_move(graph, ax, ay, bx, by);
    for (Node* n = graph->node_list; n; n = next_node(graph, n)) {
        if (n->x == ax && n->y == ay) {
            n->x = bx;
            n->y = by;
        }
    }
}

void release_graph(Graph* graph) {
#if GRAPH_INDEXED
    index_release(graph);  // the records go with their pools
    entry_pool_release(&graph->entries);
#else
    Node* n = graph->node_list;
    while (n) {
        Edge* e = n->edges;
        while (e) {
            Edge* next_edge = e->next;
            delete e;
            e = next_edge;
        }
        Node* after = n->next;
        delete n;
        n = after;
    }
#endif
    *graph = EMPTY_GRAPH;
}
