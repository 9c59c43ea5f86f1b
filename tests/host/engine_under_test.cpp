// engine_under_test.cpp - the exported record of the engine built as a shared library
// (engine_under_test.h).
#include "engine_under_test.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine_graph.h"
#include "invariants.h"

namespace {

bool has_graph(double handle) { return graph_find(handle) != nullptr; }

void read_state(double handle, StoreState* out) {
    out->nodes.clear();
    out->entries.clear();
    const EngineGraph* g = graph_find(handle);
    if (!g) return;
    const Graph* graph = &g->graph;
    std::vector<std::pair<const Node*, std::size_t>> place;  // sorted by address
    for (const Node* n = graph->node_list; n; n = next_node(graph, n)) {
        place.emplace_back(n, out->nodes.size());
        std::size_t count = 0;
        for (const Edge* e = n->edges; e; e = e->next) ++count;
        out->nodes.push_back({n->x, n->y, n->value, count});
    }
    std::sort(place.begin(), place.end());
    for (const Node* n = graph->node_list; n; n = next_node(graph, n))
        for (const Edge* e = n->edges; e; e = e->next) {
            const auto it = std::lower_bound(place.begin(), place.end(),
                                             std::make_pair(static_cast<const Node*>(e->to), std::size_t{0}));
            out->entries.push_back({it->second, e->weight});
        }
}

const char* violation(double handle) {
    static std::string fault;
    fault.clear();
    if (const EngineGraph* g = graph_find(handle)) {
        fault = graph_invariant_violation(&g->graph, true);
        if (fault.empty()) fault = index_violation(&g->graph);
    }
    return fault.c_str();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const EngineUnderTest engine_under_test = {
    mexFunction, has_graph, read_state, violation};
