// store_under_test.cpp - the exported record of a plug-in built as a shared library
// (store_under_test.h). STORE_SYMBOL names the record: reference_store or indexed_store.
#include "store_under_test.h"

#include "graph.h"
#include "invariants.h"
#include "settings.h"

#include <unordered_map>

namespace {

void read_state(StoreState* out) {
    std::unordered_map<const Node*, std::size_t> place;
    out->nodes.clear();
    for (const Node* n = node_list; n; n = n->next) {
        place.emplace(n, out->nodes.size());
        out->nodes.push_back({n->x, n->y, n->value, {}});
    }
    std::size_t i = 0;
    for (const Node* n = node_list; n; n = n->next, ++i)
        for (const Edge* e = n->edges; e; e = e->next)
            out->nodes[i].entries.emplace_back(place.at(e->to), e->weight);
}

const double* path() { return path_buf; }

std::size_t node_count() {
    std::size_t n = 0;
    for (const Node* node = node_list; node; node = node->next) ++n;
    return n;
}

const char* violation() {
    static std::string fault;
    fault = graph_invariant_violation(node_list, !REFUSE_SELF_LOOP);
    if (fault.empty()) fault = index_violation(node_list);
    return fault.c_str();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const StoreUnderTest STORE_SYMBOL = {
    GRAPH_INDEXED ? "indexed" : "default", mexFunction, read_state, node_count, path, PATH_CAP,
    violation};
