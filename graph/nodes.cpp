// nodes.cpp - node_list and the node operations: find, add, move, release.
#include <new>

#include "graph.h"
#include "entry_pool.h"
#include "index.h"
#include "node_pool.h"

Node* node_list = nullptr;

Node* find_node(Node* head, std::int32_t x, std::int32_t y) {
    if constexpr (HAS_INDEX) return index_first(x, y);
    for (Node* n = head; n; n = next_node(n))
        if (n->x == x && n->y == y) return n;
    return nullptr;
}

bool add_node(Node** list, std::int32_t x, std::int32_t y, std::int32_t value) {
    bool created;
    return add_node(list, x, y, value, &created);
}

namespace {

// A new node's fields, all but the links the list and the index set.
void make_node(Node* n, std::int32_t x, std::int32_t y, std::int32_t value) {
    n->x = x;
    n->y = y;
    n->edges = nullptr;
    n->dist = DIST_UNSET;  // never reached; the default build's search sets these again
    n->done = 0;
    n->prev = {};
#if GRAPH_INDEXED
    n->search = search_number;
#endif
    n->value = value;
}

}  // namespace

bool add_node(Node** list, std::int32_t x, std::int32_t y, std::int32_t value, bool* created) {
    *created = false;
#if GRAPH_INDEXED
    if (index_first(x, y)) return true;  // position taken: the old node keeps its value
    if (!index_reserve_node()) return false;
    const NodeRef r = pool_take();
    make_node(node_at(r), x, y, value);
    index_append(list, r);
#else
    Node** link = list;  // where the new node goes: the null link at the tail
    for (Node* n = *list; n; n = n->next) {
        if (n->x == x && n->y == y) return true;  // position taken, as above
        link = &n->next;
    }
    Node* n = new (std::nothrow) Node;
    if (!n) return false;
    n->next = nullptr;
    make_node(n, x, y, value);
    *link = n;  // linked only once fully made
#endif
    *created = true;
    return true;
}

void move_node(Node** list, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    if constexpr (HAS_INDEX) return index_move(ax, ay, bx, by);
    for (Node* n = *list; n; n = next_node(n)) {
        if (n->x == ax && n->y == ay) {
            n->x = bx;
            n->y = by;
        }
    }
}

void release_graph(Node** list) {
#if GRAPH_INDEXED
    *list = nullptr;
    index_release();  // the records go with their pools
    entry_pool_release();
    search_number = GRAPH_FIRST_SEARCH;
#else
    Node* n = *list;
    *list = nullptr;
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
}
