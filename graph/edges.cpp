// edges.cpp - adjacency entries: link, unlink, add an edge, set a weight.
#include <new>

#include "find_last.h"
#include "graph.h"
#include "index.h"
#include "settings.h"

namespace {

// The address of the null link at the tail of node's list.
Edge** list_tail(Node* node) {
    Edge** link = &node->edges;
    while (*link) link = &(*link)->next;
    return link;
}

// The first entry of node that leads to a node at (x, y), or null.
Edge* entry_to_position(Node* node, std::int32_t x, std::int32_t y) {
    for (Edge* e = node->edges; e; e = e->next)
        if (e->to->x == x && e->to->y == y) return e;
    return nullptr;
}

}  // namespace

#if !GRAPH_INDEXED
Edge* new_entry(Graph*) { return new (std::nothrow) Edge; }

void free_entry(Graph*, Edge* e) { delete e; }
#endif

Edge* link_edge(Node* node, Node* target, std::int32_t weight, Edge** spare) {
    Edge** link = &node->edges;
    for (Edge* e = node->edges; e; e = e->next) {
        if (e->to == target) return nullptr;  // joined already: the entry keeps its weight
        link = &e->next;
    }
    Edge* e = *spare;
    if (!e) return nullptr;  // the caller counted the entries it needs; none is missing
    *spare = e->next;
    e->next = nullptr;
    e->weight = weight;
    e->to = target;
    *link = e;
    return e;
}

void unlink_edge(Graph* graph, Node* node, const Node* target) {
    for (Edge** link = &node->edges; *link; link = &(*link)->next) {
        Edge* e = *link;
        if (e->to == target) {
            *link = e->next;
            free_entry(graph, e);
            return;
        }
    }
}

bool add_edge(Graph* graph, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by,
              std::int32_t w) {
    Node* a;
    Node* b;
    find_last_pair(graph, ax, ay, bx, by, &a, &b);
    if (!a || !b) return true;
    if (REFUSE_SELF_LOOP && a == b) return true;
    if (entry_to_position(a, bx, by)) return true;  // B's list is not examined
    return join_nodes(graph, a, b, w);
}

bool join_nodes(Graph* graph, Node* a, Node* b, std::int32_t w) {
    Edge* to_b = new_entry(graph);
    Edge* to_a = to_b ? new_entry(graph) : nullptr;
    if (!to_a) {  // both or neither: the pairing is never broken
        if (to_b) free_entry(graph, to_b);
        return false;
    }
    to_b->next = nullptr;
    to_b->weight = w;
    to_b->to = b;
    *list_tail(a) = to_b;
    to_a->next = nullptr;
    to_a->weight = w;
    to_a->to = a;
    *list_tail(b) = to_a;  // after A's entry, so a self-loop's two entries keep their order
#if GRAPH_ENGINE
    to_b->made = 2 * graph->next_edge;
    to_a->made = 2 * graph->next_edge++ + 1;
#endif
    return true;
}

void set_edge_weight(Graph* graph, std::int32_t ax, std::int32_t ay, std::int32_t bx,
                     std::int32_t by, std::int32_t w) {
    Node* a = nullptr;  // the first node at each position
    Node* b = nullptr;
    if constexpr (HAS_INDEX) {
        a = index_first(graph, ax, ay);
        b = index_first(graph, bx, by);
    } else {
        for (Node* n = graph->node_list; n && !(a && b); n = next_node(graph, n)) {  // both in one walk
            if (!a && n->x == ax && n->y == ay) a = n;
            if (!b && n->x == bx && n->y == by) b = n;
        }
    }
    if (a)
        if (Edge* e = entry_to_position(a, bx, by)) e->weight = w;
    if (b)
        if (Edge* e = entry_to_position(b, ax, ay)) e->weight = w;
}
