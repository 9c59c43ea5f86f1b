// refresh_weights.cpp - command 7 of the 64-bit main: every weight from the positions it joins.
#include "commands.h"
#include "graph.h"

void refresh_weights(Graph* graph) {
    for (Node* n = graph->node_list; n; n = next_node(graph, n))
        for (Edge* e = n->edges; e; e = e->next) e->weight = node_distance(n, e->to);
}

void cmd_refresh(const Call&) { refresh_weights(&plugin_graph); }  // reads no input but the code
