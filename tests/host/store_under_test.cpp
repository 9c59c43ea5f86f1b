// store_under_test.cpp - the exported record of a plug-in built as a shared library
// (store_under_test.h). STORE_SYMBOL names the record: reference_store or indexed_store.
#include "store_under_test.h"

#include "plugin_graph.h"
#include "graph.h"
#include "invariants.h"
#include "settings.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

void read_state(StoreState* out) {
    std::vector<std::pair<const Node*, std::size_t>> place;  // sorted by address
    out->nodes.clear();
    out->entries.clear();
    for (const Node* n = plugin_graph.node_list; n; n = next_node(&plugin_graph, n)) {
        place.emplace_back(n, out->nodes.size());
        std::size_t count = 0;
        for (const Edge* e = n->edges; e; e = e->next) ++count;
        out->nodes.push_back({n->x, n->y, n->value, count});
    }
    std::sort(place.begin(), place.end());
    for (const Node* n = plugin_graph.node_list; n; n = next_node(&plugin_graph, n))
        for (const Edge* e = n->edges; e; e = e->next) {
            const auto it = std::lower_bound(place.begin(), place.end(),
                                             std::make_pair(static_cast<const Node*>(e->to), std::size_t{0}));
            out->entries.push_back({it->second, e->weight});
        }
}

const double* path() { return path_buf; }

std::size_t node_count() {
    std::size_t n = 0;
    for (const Node* node = plugin_graph.node_list; node; node = next_node(&plugin_graph, node)) ++n;
    return n;
}

const char* violation() {
    static std::string fault;
    fault = graph_invariant_violation(&plugin_graph, !REFUSE_SELF_LOOP);
    if (fault.empty()) fault = index_violation(&plugin_graph);
    return fault.c_str();
}

const char* search_violation() {
    static std::string fault;
    fault = search_state_violation(&plugin_graph);
    return fault.c_str();
}

double probe_length() { return mean_probe_length(&plugin_graph); }

PoolCounts pool_counts() {
    PoolCounts c{};
#if GRAPH_INDEXED
    const NodePool& nodes = plugin_graph.nodes;
    c.node_blocks = nodes.blocks;
    c.nodes_left = nodes.blocks * POOL_BLOCK - (nodes.blocks ? nodes.fresh : 0);
    for (NodeRef r = nodes.free_head; r; r = node_at(&plugin_graph, r)->next) ++c.free_nodes;
    const EntryPool& entries = plugin_graph.entries;
    c.entry_blocks = entries.blocks;
    c.entries_left = ENTRY_BLOCK - entries.used;
    for (const Edge* e = entries.free_head; e; e = e->next) ++c.free_entries;
#endif
    return c;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const StoreUnderTest STORE_SYMBOL = {
    GRAPH_INDEXED ? "indexed" : "default", mexFunction, read_state, node_count, path, PATH_CAP,
    violation, search_violation, probe_length, pool_counts};
