// refresh_weights.cpp - command 7 of the 64-bit main: every weight from the positions it joins.
#include "commands.h"
#include "graph.h"

void refresh_weights(Node* list) {
    for (Node* n = list; n; n = next_node(n))
        for (Edge* e = n->edges; e; e = e->next) e->weight = node_distance(n, e->to);
}

void cmd_refresh(const Call&) { refresh_weights(node_list); }  // reads no input but the code
