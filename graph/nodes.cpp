// nodes.cpp - node_list and the node operations: find, add, move, release.
#include <new>

#include "graph.h"
#include "index.h"

Node* node_list = nullptr;

Node* find_node(Node* head, std::int32_t x, std::int32_t y) {
    if constexpr (HAS_INDEX) return index_first(x, y);
    for (Node* n = head; n; n = n->next)
        if (n->x == x && n->y == y) return n;
    return nullptr;
}

bool add_node(Node** list, std::int32_t x, std::int32_t y, std::int32_t value) {
    bool created;
    return add_node(list, x, y, value, &created);
}

bool add_node(Node** list, std::int32_t x, std::int32_t y, std::int32_t value, bool* created) {
    *created = false;
    Node** link = list;  // where the new node goes: the null link at the tail
    if constexpr (HAS_INDEX) {
        if (index_first(x, y)) return true;  // position taken: the old node keeps its value
        if (!index_reserve_node()) return false;
    } else {
        for (Node* n = *list; n; n = n->next) {
            if (n->x == x && n->y == y) return true;  // position taken, as above
            link = &n->next;
        }
    }
    Node* n = new (std::nothrow) Node;
    if (!n) return false;
    n->next = nullptr;
    n->x = x;
    n->y = y;
    n->edges = nullptr;
    n->dist = DIST_UNSET;  // never reached; the default build's search sets these again
    n->done = 0;
    n->prev = nullptr;
#if GRAPH_INDEXED
    n->search = search_number;
#endif
    n->value = value;
    if constexpr (HAS_INDEX)
        index_append(list, n);
    else
        *link = n;  // linked only once fully made
    *created = true;
    return true;
}

void move_node(Node** list, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    if constexpr (HAS_INDEX) return index_move(ax, ay, bx, by);
    for (Node* n = *list; n; n = n->next) {
        if (n->x == ax && n->y == ay) {
            n->x = bx;
            n->y = by;
        }
    }
}

void release_graph(Node** list) {
    Node* n = *list;
    *list = nullptr;
    while (n) {
        Edge* e = n->edges;
        while (e) {
            Edge* next_edge = e->next;
            delete e;
            e = next_edge;
        }
        Node* next_node = n->next;
        delete n;
        n = next_node;
    }
#if GRAPH_INDEXED
    index_release();
    search_number = GRAPH_FIRST_SEARCH;
#endif
}
