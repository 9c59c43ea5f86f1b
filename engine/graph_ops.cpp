// graph_ops.cpp - the engine's operations that make, copy and change graphs. Each reads and
// checks every input, makes its outputs, takes all the memory the change needs, and only then
// changes the graph, so that a refused call leaves it as it was.
#include <new>

#include "engine_ops.h"

namespace {

void reserve(EngineGraph* g, std::size_t nodes, std::size_t entries) {
    if (!reserve_room(&g->graph, nodes, entries)) out_of_memory();
}

// The rows of p at which no node stands: the most nodes a batch of them can make. Counting
// them, and not the rows, keeps the index's table the size of the graph.
std::size_t missing(const Graph* graph, const Rows& p) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < p.n; ++i) n += !index_first(graph, p.x(i), p.y(i));
    return n;
}

// Copies every node and entry of from into the empty graph to, in order; false when memory ran
// out (to then holds part of the copy, which the caller frees).
bool copy_into(const Graph* from, Graph* to) {
    const std::size_t refs = from->nodes.fresh;
    auto* copy_of = static_cast<Node**>(scratch(refs * sizeof(Node*)));  // by the original's ref
    if (!copy_of || !reserve_room(to, from->index.nodes, from->entries.live)) return false;
    for (const Node* n = from->node_list; n; n = next_node(from, n))
        copy_of[ref_of(from, n)] = append_node(to, n->x, n->y, n->value);  // reserved: no failure
    for (const Node* n = from->node_list; n; n = next_node(from, n)) {
        Edge** tail = &copy_of[ref_of(from, n)]->edges;
        for (const Edge* e = n->edges; e; e = e->next) {
            Edge* c = new_entry(to);
            c->next = nullptr;
            c->weight = e->weight;
            c->made = e->made;
            c->to = copy_of[ref_of(from, e->to)];
            *tail = c;
            tail = &c->next;
        }
    }
    to->next_edge = from->next_edge;
    return true;
}

// The last node at (x, y), made with value 1 where there is none.
Node* last_or_new(Graph* graph, std::int32_t x, std::int32_t y) {
    Node* n = index_last(graph, x, y);
    return n ? n : append_node(graph, x, y, 1);
}

// Whether a has an entry to a node at b's position, b being the last node there. Where b
// stands alone, only an entry to b itself can be one, which spares reading every neighbour.
bool joined(const Graph* graph, const Node* a, const Node* b) {
    if (b->same_next != ref_of(graph, b)) return entry_to(a, b->x, b->y) != nullptr;
    for (const Edge* e = a->edges; e; e = e->next)
        if (e->to == b) return true;
    return false;
}

}  // namespace

std::size_t entry_count(const Node* node) {
    std::size_t n = 0;
    for (const Edge* e = node->edges; e; e = e->next) ++n;
    return n;
}

const Edge* entry_to(const Node* node, std::int32_t x, std::int32_t y) {
    for (const Edge* e = node->edges; e; e = e->next)
        if (e->to->x == x && e->to->y == y) return e;
    return nullptr;
}

void op_new(const EngineCall& call) {
    expect_inputs(call, 1, "new (OP 1)");
    double* out = output(call, 0, 1, 1);
    EngineGraph* g = graph_new();
    if (!g) out_of_memory();
    out[0] = g->handle;
}

void op_free(const EngineCall& call) {
    expect_inputs(call, 2, "free (OP 2, H)");
    const HostArray* a = call.prhs[1];
    if (!host_is_real_double(a) || host_element_count(a) != 1)
        raise_error("badArgument", "engine: input 2 must be the handle of a graph");
    double* out = output(call, 0, 1, 1);
    EngineGraph* g = graph_find(host_data(a)[0]);
    if (g) graph_free(g);
    out[0] = g != nullptr;
}

void op_copy(const EngineCall& call) {
    expect_inputs(call, 2, "copy (OP 3, H)");
    const EngineGraph* from = graph_input(call);
    double* out = output(call, 0, 1, 1);
    EngineGraph* to = graph_new();
    if (!to) out_of_memory();
    if (!copy_into(&from->graph, &to->graph)) {
        graph_free(to);
        out_of_memory();
    }
    out[0] = to->handle;
}

void op_clear(const EngineCall& call) {
    expect_inputs(call, 2, "clear (OP 4, H)");
    EngineGraph* g = graph_input(call);
    release_graph(&g->graph);
}

void op_counts(const EngineCall& call) {
    expect_inputs(call, 2, "counts (OP 5, H)");
    const EngineGraph* g = graph_input(call);
    double* nodes = output(call, 0, 1, 1);
    double* edges = output(call, 1, 1, 1);
    nodes[0] = static_cast<double>(g->graph.index.nodes);
    if (edges) edges[0] = static_cast<double>(g->graph.entries.live / 2);
}

void op_add_nodes(const EngineCall& call) {
    expect_inputs(call, 4, "addNodes (OP 10, H, P, V)");
    EngineGraph* g = graph_input(call);
    const Rows p = rows_input(call, 3, "P");
    const Numbers v = numbers_input(call, 4, p.n, "V", false);
    double* made = output(call, 0, p.n, 1);
    reserve(g, missing(&g->graph, p), 0);
    for (std::size_t i = 0; i < p.n; ++i) {
        bool created = false;
        (void)add_node(&g->graph, p.x(i), p.y(i), v[i], &created);  // reserved: no failure
        made[i] = created;
    }
}

void op_add_edges(const EngineCall& call) {
    expect_inputs(call, 5, "addEdges (OP 11, H, A, B, W)");
    EngineGraph* g = graph_input(call);
    const auto [a, b] = pair_inputs(call, "A", "B");
    const Numbers w = numbers_input(call, 5, a.n, "W", true);
    double* had = output(call, 0, a.n, 1);
    // The ends found before anything changes: what is missing is reserved, and what is there
    // is not looked up again (nodes never move, and none is made where one stands).
    auto** ends = static_cast<Node**>(scratch(2 * a.n * sizeof(Node*) + 1));
    if (!ends) out_of_memory();
    std::size_t missing_ends = 0;
    for (std::size_t i = 0; i < a.n; ++i) {
        ends[2 * i] = index_last(&g->graph, a.x(i), a.y(i));
        ends[2 * i + 1] = index_last(&g->graph, b.x(i), b.y(i));
        missing_ends += !ends[2 * i] + !ends[2 * i + 1];
    }
    reserve(g, missing_ends, 2 * a.n);
    for (std::size_t i = 0; i < a.n; ++i) {  // reserved: nothing below fails
        Node* from = ends[2 * i] ? ends[2 * i] : last_or_new(&g->graph, a.x(i), a.y(i));
        Node* to = ends[2 * i + 1] ? ends[2 * i + 1] : last_or_new(&g->graph, b.x(i), b.y(i));
        had[i] = joined(&g->graph, from, to);
        if (!had[i]) (void)join_nodes(&g->graph, from, to, w[i]);
    }
}

void op_set_weights(const EngineCall& call) {
    expect_inputs(call, 5, "setWeights (OP 12, H, A, B, W)");
    EngineGraph* g = graph_input(call);
    const auto [a, b] = pair_inputs(call, "A", "B");
    const Numbers w = numbers_input(call, 5, a.n, "W", true);
    double* found = output(call, 0, a.n, 1);
    for (std::size_t i = 0; i < a.n; ++i) {
        const Node* first = find_node(&g->graph, a.x(i), a.y(i));
        found[i] = first && entry_to(first, b.x(i), b.y(i));
        set_edge_weight(&g->graph, a.x(i), a.y(i), b.x(i), b.y(i), w[i]);
    }
}

void op_remove_edges(const EngineCall& call) {
    expect_inputs(call, 4, "removeEdges (OP 13, H, A, B)");
    EngineGraph* g = graph_input(call);
    const auto [a, b] = pair_inputs(call, "A", "B");
    double* found = output(call, 0, a.n, 1);
    for (std::size_t i = 0; i < a.n; ++i) {
        Node* first = find_node(&g->graph, a.x(i), a.y(i));
        const Edge* e = first ? entry_to(first, b.x(i), b.y(i)) : nullptr;
        found[i] = e != nullptr;
        if (!e) continue;
        Node* other = e->to;  // both entries go, so the pairing holds
        unlink_edge(&g->graph, first, other);
        unlink_edge(&g->graph, other, first);
    }
}

void op_remove_nodes(const EngineCall& call) {
    expect_inputs(call, 3, "removeNodes (OP 14, H, P)");
    EngineGraph* g = graph_input(call);
    const Rows p = rows_input(call, 3, "P");
    double* found = output(call, 0, p.n, 1);
    for (std::size_t i = 0; i < p.n; ++i) {
        found[i] = index_last(&g->graph, p.x(i), p.y(i)) != nullptr;
        (void)merge_node(&g->graph, p.x(i), p.y(i), p.x(i), p.y(i));  // into itself: no memory
    }
}

void op_move_nodes(const EngineCall& call) {
    expect_inputs(call, 4, "moveNodes (OP 15, H, FROM, TO)");
    EngineGraph* g = graph_input(call);
    const auto [from, to] = pair_inputs(call, "FROM", "TO");
    for (std::size_t i = 0; i < from.n; ++i)
        move_node(&g->graph, from.x(i), from.y(i), to.x(i), to.y(i));
}

void op_merge_nodes(const EngineCall& call) {
    expect_inputs(call, 4, "mergeNodes (OP 16, H, KEEP, FOLD)");
    EngineGraph* g = graph_input(call);
    const auto [keep, fold] = pair_inputs(call, "KEEP", "FOLD");
    // A merge takes at most two entries per entry of the node it folds, and frees as many as it
    // takes, so the entries of one fold serve one row and all the entries of the graph any rows.
    std::size_t entries = g->graph.entries.live;
    if (fold.n == 1) {
        const Node* b = index_last(&g->graph, fold.x(0), fold.y(0));
        entries = b ? 2 * entry_count(b) : 0;
    }
    reserve(g, 0, entries);
    for (std::size_t i = 0; i < keep.n; ++i)
        (void)merge_node(&g->graph, keep.x(i), keep.y(i), fold.x(i), fold.y(i));
}

void op_refresh(const EngineCall& call) {
    expect_inputs(call, 2, "refresh (OP 17, H)");
    refresh_weights(&graph_input(call)->graph);
}
