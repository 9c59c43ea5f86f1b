// find_last.h - the lookup of add_edge and merge_node: the last node at each of two positions.
#pragma once

#include "graph.h"
#include "index.h"

// Sets *a to the last node in list order at (ax, ay) and *b to the last at (bx, by), null where
// there is none, in one walk of the list. Returns the link that points at *b (the head or its
// predecessor's next), so that merge_node can take B out without a second walk; the indexed
// build asks the index instead and returns null, as B leaves through the index.
inline Node** find_last_pair(Graph* graph, std::int32_t ax, std::int32_t ay, std::int32_t bx,
                             std::int32_t by, Node** a, Node** b) {
#if GRAPH_INDEXED
    *a = index_last(graph, ax, ay);
    *b = index_last(graph, bx, by);
    return nullptr;
#else
    Node** link_to_b = nullptr;
    *a = nullptr;
    *b = nullptr;
    for (Node** link = &graph->node_list; *link; link = &(*link)->next) {
        Node* n = *link;
        if (n->x == ax && n->y == ay) *a = n;
        if (n->x == bx && n->y == by) {
            *b = n;
            link_to_b = link;
        }
    }
    return link_to_b;
#endif
}
