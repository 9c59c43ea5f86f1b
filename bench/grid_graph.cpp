// grid_graph.cpp - building the benchmark grids and counting what a search on them visited.
#include "grid_graph.h"

std::int32_t grid_weight(std::int32_t x, std::int32_t y, int dir) {
    return (x * 31 + y * 17 + dir * 7) % 9 + 1;
}

std::int32_t grid_value(std::int32_t x, std::int32_t y) { return (x * 7 + y * 3) % 97 + 1; }

const char* order_name(BuildOrder order) {
    return order == BuildOrder::Rows ? "row by row" : "nodes first";
}

namespace {

bool add_edges_of(Graph* list, std::int32_t x, std::int32_t y, bool readd) {
    std::int32_t v = grid_value(x, y);
    if (x > 1) {
        if (readd && !add_node(list, x, y, v)) return false;
        if (!add_edge(list, x, y, x - 1, y, grid_weight(x, y, 0))) return false;
    }
    if (y > 1) {
        if (!add_node(list, x, y, v)) return false;  // taken: the command 0 of this edge
        if (!add_edge(list, x, y, x, y - 1, grid_weight(x, y, 1))) return false;
    }
    return true;
}

}  // namespace

bool build_grid(Graph* list, int side, BuildOrder order) {
    for (std::int32_t y = 1; y <= side; ++y) {
        for (std::int32_t x = 1; x <= side; ++x) {
            if (!add_node(list, x, y, grid_value(x, y))) return false;
            if (order == BuildOrder::Rows && !add_edges_of(list, x, y, false)) return false;
        }
    }
    if (order == BuildOrder::NodesFirst)
        for (std::int32_t y = 1; y <= side; ++y)
            for (std::int32_t x = 1; x <= side; ++x)
                if (!add_edges_of(list, x, y, true)) return false;
    return true;
}

long build_visits(int side, BuildOrder order) {
    const long n = static_cast<long>(side) * side;
    long visits = 0, k = 0;  // k: nodes in the list before this one
    for (int y = 1; y <= side; ++y) {
        for (int x = 1; x <= side; ++x, ++k) {
            visits += k;  // add_node, new position
            long edges = (x > 1) + (y > 1);
            if (order == BuildOrder::Rows)  // the node is the last; its second command 0 too
                visits += edges * (k + 1) + (y > 1) * (k + 1);
            else  // every command 0 of an edge finds its node at place k + 1 of n
                visits += edges * (n + k + 1);
        }
    }
    return visits;
}

const char* goal_name(Goal g) {
    switch (g) {
    case Goal::Near: return "near";
    case Goal::Middle: return "middle";
    case Goal::Far: return "far";
    }
    return "?";
}

void goal_position(int side, Goal g, std::int32_t* x, std::int32_t* y) {
    switch (g) {
    case Goal::Near: *x = 3; *y = 2; return;  // three steps from the corner
    case Goal::Middle: *x = *y = (side + 1) / 2; return;
    case Goal::Far: *x = *y = side; return;
    }
}

SearchWork count_search_work(const Graph* graph) {
    SearchWork w{0, 0, 0};
    for (const Node* n = graph->node_list; n; n = next_node(graph, n)) {
        ++w.nodes;
        w.settled += n->done;
    }
    w.visits = w.nodes * (w.settled + 2);
    return w;
}
