// find_last.h - the lookup of add_edge and merge_node: the last node at each of two positions.
#pragma once

#include "graph.h"

// Sets *a to the last node in list order at (ax, ay) and *b to the last at (bx, by), null where
// there is none, in one walk of the list.
inline void find_last_pair(Node* head, std::int32_t ax, std::int32_t ay, std::int32_t bx,
                           std::int32_t by, Node** a, Node** b) {
    *a = nullptr;
    *b = nullptr;
    for (Node* n = head; n; n = n->next) {
        if (n->x == ax && n->y == ay) *a = n;
        if (n->x == bx && n->y == by) *b = n;
    }
}
