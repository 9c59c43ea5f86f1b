// commands.cpp - the graph commands 0, 1, 2, 3, 5 and 6.
// Each reads and checks all its inputs first, then calls the store, then makes its answer.
#include "commands.h"

#include "graph.h"
#include "settings.h"

namespace {

double list_buf[LIST_CAP];  // command 6 assembles the listing here

void out_of_memory() {
    raise_error("outOfMemory", "out of memory; the graph is unchanged");
}

}  // namespace

void cmd_add(const Call& call) {
    const std::int32_t ax = int_input(call, 1), ay = int_input(call, 2), val = int_input(call, 7);
    const double bx_raw = scalar_input(call, 3);
    const bool edge = bx_raw != 0.0;  // NaN and 0.5 ask for an edge too; -0.0 does not
    std::int32_t by = 0, w = 0;
    if (edge) {
        by = int_input(call, 4);
        w = int_input(call, 5);
    }
    bool created;
    if (!add_node(&plugin_graph, ax, ay, val, &created)) out_of_memory();
    if (edge && !add_edge(&plugin_graph, ax, ay, to_int32(bx_raw), by, w)) {
        // The call fails whole: a node it made leaves again. Alone at its position and without
        // entries, it is removed by merging it into itself, which allocates nothing.
        if (created) (void)merge_node(&plugin_graph, ax, ay, ax, ay);
        out_of_memory();
    }
}

void cmd_neighbours(const Call& call) {
    const std::int32_t ax = int_input(call, 1), ay = int_input(call, 2);
    const Node* node = find_node(&plugin_graph, ax, ay);
    if (!node || !node->edges) return nothing_to_report(call);

    double scratch[SCRATCH_LEN] = {};  // 25 pairs: most nodes have fewer neighbours
    int k = 0;
    for (const Edge* e = node->edges; e; e = e->next, ++k) {
        if (2 * k + 1 < SCRATCH_LEN) {
            scratch[2 * k] = e->to->x;
            scratch[2 * k + 1] = e->to->y;
        }
    }
    double* result = new_result(call, 2, k);
    if (2 * k <= SCRATCH_LEN) return copy_until_zero(result, scratch, 2 * k);

    // More entries than scratch holds: all of them go straight into the result, with the
    // same rule that a 0.0 at position 1 or later ends the copy.
    int e = 0;
    for (const Edge* entry = node->edges; entry; entry = entry->next) {
        const double pair[2] = {static_cast<double>(entry->to->x),
                                static_cast<double>(entry->to->y)};
        for (double v : pair) {
            if (e > 0 && v == 0.0) return;
            result[e++] = v;
        }
    }
}

void cmd_move(const Call& call) {
    const std::int32_t ax = int_input(call, 1), ay = int_input(call, 2);
    const std::int32_t bx = int_input(call, 3), by = int_input(call, 4);
    move_node(&plugin_graph, ax, ay, bx, by);
}

void cmd_set_weight(const Call& call) {
    const std::int32_t ax = int_input(call, 1), ay = int_input(call, 2);
    const std::int32_t bx = int_input(call, 3), by = int_input(call, 4), w = int_input(call, 5);
    set_edge_weight(&plugin_graph, ax, ay, bx, by, w);
}

void cmd_merge(const Call& call) {
    const std::int32_t ax = int_input(call, 1), ay = int_input(call, 2);
    const std::int32_t bx = int_input(call, 3), by = int_input(call, 4);
    if (!merge_node(&plugin_graph, ax, ay, bx, by)) out_of_memory();
}

void cmd_list(const Call& call) {
    const Graph* graph = &plugin_graph;
    if (!graph->node_list) return nothing_to_report(call);
    int n = 0;
    for (const Node* node = graph->node_list; node && n + 3 <= LIST_CAP;
         node = next_node(graph, node)) {
        list_buf[n] = node->x;
        list_buf[n + 1] = node->y;
        list_buf[n + 2] = node->value;
        n += 3;
    }
    copy_until_zero(new_result(call, 3, n / 3), list_buf, n);
}
