// merge.cpp - merge_node: folds node B into node A and frees B.

#include "find_last.h"
#include "graph.h"
#include "index.h"

namespace {

bool has_entry_to(const Node* node, const Node* target) {
    for (const Edge* e = node->edges; e; e = e->next)
        if (e->to == target) return true;
    return false;
}

// Frees a chain of entries.
void free_chain(Graph* graph, Edge* e) {
    while (e) {
        Edge* next = e->next;
        free_entry(graph, e);
        e = next;
    }
}

// The entries the merge will link: two for every neighbour K of B, other than A and B, that A
// is not joined to yet, chained into *spare. False, with nothing allocated, when memory ran
// out.
bool allocate_spares(Graph* graph, const Node* a, const Node* b, Edge** spare) {
    *spare = nullptr;
    for (const Edge* e = b->edges; e; e = e->next) {
        if (e->to == a || e->to == b || has_entry_to(a, e->to)) continue;
        for (int side = 0; side < 2; ++side) {
            Edge* s = new_entry(graph);
            if (!s) {
                free_chain(graph, *spare);
                *spare = nullptr;
                return false;
            }
            s->next = *spare;
            *spare = s;
        }
    }
    return true;
}

}  // namespace

bool merge_node(Graph* graph, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    Node* a;
    Node* b;
    Node** link_to_b = find_last_pair(graph, ax, ay, bx, by, &a, &b);
    if (!a || !b) return true;

    Edge* spare;  // the merge's only allocations: the index's room grows with the nodes alone
    if (!allocate_spares(graph, a, b, &spare)) return false;  // nothing has changed yet

    // B's list is only read here; B's entries to itself are skipped, so nothing unlinks from
    // the list being walked, and they go with B below.
    for (Edge* e = b->edges; e; e = e->next) {
        Node* k = e->to;
        if (k == b) continue;
        if (k != a) {
            std::int32_t d = node_distance(a, k);
            Edge* to_k = link_edge(a, k, d, &spare);
            Edge* back = link_edge(k, a, d, &spare);
#if GRAPH_ENGINE
            if (to_k && back) {  // a new edge: numbered, A its first end
                to_k->made = 2 * graph->next_edge;
                back->made = 2 * graph->next_edge++ + 1;
            }
#else
            (void)to_k;
            (void)back;
#endif
        }
        unlink_edge(graph, k, b);
    }
    free_chain(graph, spare);  // none is left over unless the graph broke its pairing
    free_chain(graph, b->edges);
#if GRAPH_INDEXED
    (void)link_to_b;
    index_remove(graph, b);
#else
    *link_to_b = b->next;  // the list itself has not changed since the walk
    delete b;
#endif
    return true;
}
