// graph_queries.cpp - the engine's operations that read a graph: neighbours, listings, edges,
// degrees, paths and reaches. None changes the graph (a search writes only its own fields).
#include <algorithm>
#include <cmath>

#include "cost_search.h"
#include "engine_ops.h"

namespace {

// Rows as the host lays them out: x of every row, then y of every row.
void put_position(double* out, std::size_t rows, std::size_t i, const Node* n) {
    out[i] = n->x;
    out[rows + i] = n->y;
}

// Raises noNode at the first row of p without a node.
void expect_nodes(const Graph* graph, const Rows& p, const char* name) {
    for (std::size_t i = 0; i < p.n; ++i)
        if (!index_last(graph, p.x(i), p.y(i))) no_node(p, i, name);
}

// Room in the scratch for `count` values of T, or outOfMemory.
template <typename T>
T* scratch_of(std::size_t count) {
    T* room = static_cast<T*>(scratch(count * sizeof(T) + 1));
    if (!room) out_of_memory();
    return room;
}

}  // namespace

void op_neighbours(const EngineCall& call) {
    expect_inputs(call, 3, "neighbours (OP 20, H, P)");
    const Graph* graph = &graph_input(call)->graph;
    const Rows p = rows_input(call, 3, "P");
    std::size_t total = 0;
    for (std::size_t i = 0; i < p.n; ++i)
        if (const Node* n = find_node(graph, p.x(i), p.y(i))) total += entry_count(n);
    double* r = output(call, 0, total, 2);
    double* k = output(call, 1, p.n, 1);
    std::size_t at = 0;
    for (std::size_t i = 0; i < p.n; ++i) {
        const Node* n = find_node(graph, p.x(i), p.y(i));
        const std::size_t before = at;
        for (const Edge* e = n ? n->edges : nullptr; e; e = e->next) put_position(r, total, at++, e->to);
        if (k) k[i] = static_cast<double>(at - before);
    }
}

void op_list(const EngineCall& call) {
    expect_inputs(call, 2, "list (OP 21, H)");
    const Graph* graph = &graph_input(call)->graph;
    const std::size_t n = graph->index.nodes;
    double* out = output(call, 0, n, 3);
    std::size_t i = 0;
    for (const Node* node = graph->node_list; node; node = next_node(graph, node), ++i) {
        put_position(out, n, i, node);
        out[2 * n + i] = node->value;
    }
}

void op_find_nodes(const EngineCall& call) {
    expect_inputs(call, 3, "findNodes (OP 22, H, P)");
    const Graph* graph = &graph_input(call)->graph;
    const Rows p = rows_input(call, 3, "P");
    double* out = output(call, 0, p.n, 1);
    for (std::size_t i = 0; i < p.n; ++i) out[i] = find_node(graph, p.x(i), p.y(i)) != nullptr;
}

void op_find_edges(const EngineCall& call) {
    expect_inputs(call, 4, "findEdges (OP 23, H, A, B)");
    const Graph* graph = &graph_input(call)->graph;
    const auto [a, b] = pair_inputs(call, "A", "B");
    double* out = output(call, 0, a.n, 1);
    for (std::size_t i = 0; i < a.n; ++i) {
        const Node* first = find_node(graph, a.x(i), a.y(i));
        out[i] = first && entry_to(first, b.x(i), b.y(i));
    }
}

void op_edges(const EngineCall& call) {
    expect_inputs(call, 2, "edges (OP 24, H)");
    const Graph* graph = &graph_input(call)->graph;
    // Each edge once, by the entry of its A end (an even number), in the order of the numbers.
    struct Made {
        std::uint32_t made;
        const Node*   a;
        const Edge*   e;
        bool operator<(const Made& o) const { return made < o.made; }
    };
    const std::size_t count = graph->entries.live / 2;
    Made* edges = scratch_of<Made>(count);
    std::size_t k = 0;
    for (const Node* n = graph->node_list; n; n = next_node(graph, n))
        for (const Edge* e = n->edges; e; e = e->next)
            if (e->made % 2 == 0 && k < count) edges[k++] = Made{e->made, n, e};
    std::sort(edges, edges + k);
    double* out = output(call, 0, k, 5);
    for (std::size_t i = 0; i < k; ++i) {
        put_position(out, k, i, edges[i].a);
        put_position(out + 2 * k, k, i, edges[i].e->to);
        out[4 * k + i] = edges[i].e->weight;
    }
}

void op_degree(const EngineCall& call) {
    expect_inputs(call, 3, "degree (OP 25, H, P)");
    const Graph* graph = &graph_input(call)->graph;
    const Rows p = rows_input(call, 3, "P");
    double* out = output(call, 0, p.n, 1);
    for (std::size_t i = 0; i < p.n; ++i) {
        const Node* n = find_node(graph, p.x(i), p.y(i));
        out[i] = n ? static_cast<double>(entry_count(n)) : 0;
    }
}

void op_paths(const EngineCall& call) {
    expect_inputs(call, 4, "paths (OP 30, H, FROM, TO)");
    EngineGraph* g = graph_input(call);
    const auto [from, to] = pair_inputs(call, "FROM", "TO");
    expect_nodes(&g->graph, from, "FROM");
    expect_nodes(&g->graph, to, "TO");

    // The scratch holds, per query, its point count and its cost, then the points of every
    // path, goal first, as refs: the searches overwrite each other's prev links.
    const std::size_t k = from.n;
    std::size_t used = 2 * k;  // in units of double
    double* room = scratch_of<double>(used);
    for (std::size_t q = 0; q < k; ++q) {
        Node* start = index_last(&g->graph, from.x(q), from.y(q));
        const Node* goal = index_last(&g->graph, to.x(q), to.y(q));
        std::int64_t cost = 0;
        const SearchEnd end = search_to(g, start, goal, &cost);
        if (end == SearchEnd::OutOfMemory) out_of_memory();
        std::size_t points = 0;
        if (end == SearchEnd::Settled)
            for (const Node* n = goal; n; n = search_prev(&g->graph, n)) ++points;
        room = static_cast<double*>(scratch((used + points) * sizeof(double)));
        if (!room) out_of_memory();
        room[q] = static_cast<double>(points);
        room[k + q] = end == SearchEnd::Settled ? static_cast<double>(cost) : INFINITY;
        std::size_t i = used + points;
        for (const Node* n = points ? goal : nullptr; n; n = search_prev(&g->graph, n))
            room[--i] = static_cast<double>(ref_of(&g->graph, n));
        used += points;
    }
    const std::size_t total = used - 2 * k;
    double* r = output(call, 0, total, 2);
    double* m = output(call, 1, k, 1);
    double* c = output(call, 2, k, 1);
    for (std::size_t i = 0; i < total; ++i)
        put_position(r, total, i, node_at(&g->graph, static_cast<NodeRef>(room[2 * k + i])));
    for (std::size_t q = 0; q < k; ++q) {
        if (m) m[q] = room[q];
        if (c) c[q] = room[k + q];
    }
}

namespace {

// What a reach gathers: the nodes it settles, after its start, with their costs.
struct Reach {
    const Node* start;
    std::size_t count;
    bool        out_of_memory;
};

struct Reached {
    const Node*  node;
    std::int64_t cost;
};

void gather(const Node* node, std::int64_t cost, void* context) {
    auto* reach = static_cast<Reach*>(context);
    if (node == reach->start || reach->out_of_memory) return;
    auto* room = static_cast<Reached*>(scratch((reach->count + 1) * sizeof(Reached)));
    if (!room) {
        reach->out_of_memory = true;
        return;
    }
    room[reach->count++] = Reached{node, cost};
}

}  // namespace

void op_nearest(const EngineCall& call) {
    expect_inputs(call, 4, "nearest (OP 31, H, P, maxCost)");
    EngineGraph* g = graph_input(call);
    const Rows p = rows_input(call, 3, "P");
    if (p.n != 1) raise_error("badArgument", "P must be one position [x y]");
    const double bound = bound_input(call, 4, "maxCost");
    expect_nodes(&g->graph, p, "P");
    Node* start = index_last(&g->graph, p.x(0), p.y(0));
    const std::int64_t limit = bound >= 9.2e18 ? INT64_MAX : static_cast<std::int64_t>(std::floor(bound));
    Reach reach{start, 0, false};
    if (search_within(g, start, limit, gather, &reach) == SearchEnd::OutOfMemory ||
        reach.out_of_memory)
        out_of_memory();
    const auto* found = static_cast<const Reached*>(scratch(reach.count * sizeof(Reached) + 1));
    double* r = output(call, 0, reach.count, 2);
    double* c = output(call, 1, reach.count, 1);
    for (std::size_t i = 0; i < reach.count; ++i) {
        put_position(r, reach.count, i, found[i].node);
        if (c) c[i] = static_cast<double>(found[i].cost);
    }
}
