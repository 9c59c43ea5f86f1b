// path_command.cpp - command 4: the cheapest path from A to B as a 2-by-m result, goal first.
#include "commands.h"
#include "graph.h"
#include "settings.h"

void cmd_path(const Call& call) {
    const std::int32_t ax = int_input(call, 1), ay = int_input(call, 2);
    const std::int32_t bx = int_input(call, 3), by = int_input(call, 4);
    const double* path = shortest_path(&plugin_graph, ax, ay, bx, by);
    if (!path) return nothing_to_report(call);

    // Pairs start at the even positions 0 .. PATH_COPY_LIMIT; a pair after the first whose x
    // is 0.0 ends the path. The copy never needs more than PATH_COPY_LIMIT + 2 doubles.
    double path_copy[PATH_COPY_LIMIT + 2] = {};
    int i = 0;
    for (;;) {
        path_copy[i] = path[i];
        path_copy[i + 1] = path[i + 1];
        i += 2;
        if (i > PATH_COPY_LIMIT || path[i] == 0.0) break;
    }
    double* result = new_result(call, 2, i / 2);
    for (int e = 0; e < i; ++e) result[e] = path_copy[e];
}
