// refresh_weights.cpp - every weight from the positions it joins: command 7 of the 64-bit main
// (refresh_command.cpp) and the engine's refresh.
#include "graph.h"

void refresh_weights(Graph* graph) {
    for (Node* n = graph->node_list; n; n = next_node(graph, n))
        for (Edge* e = n->edges; e; e = e->next) e->weight = node_distance(n, e->to);
}
