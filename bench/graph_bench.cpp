// graph_bench.cpp - what each operation of the graph store costs on the grids of side 17, 50
// and 129, and the floor probe it is measured against.
//
// Every benchmark reports the node visits one operation needs at least: one walk of the node
// list per lookup, and for the search one initialisation pass plus one full pass per choice.
// Time per visit next to the floor probe's shows the constant factor of each walk; a factor
// well above 1 means a walk does more than it must, walks more often, or walks records that
// lie far apart.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "alloc_count.h"
#include "floor_probe.h"
#include "grid_graph.h"
#include "settings.h"

namespace {

constexpr int kSides[] = {17, 50, 129};
constexpr BuildOrder kOrders[] = {BuildOrder::Rows, BuildOrder::NodesFirst};

// Everything a size needs, made before the first benchmark runs: the benchmarks that build
// and release graphs leave freed records behind, and records allocated later would land
// wherever those lay.
struct Fixture {
    int          side = 0;
    ProbeRecord* probe = nullptr;
    Graph        grid[2] = {EMPTY_GRAPH, EMPTY_GRAPH};  // by BuildOrder; never changed
    Graph        scratch = EMPTY_GRAPH;                 // row by row; changed and put back
};
Fixture fixtures[3];

long nodes_of(int side) { return static_cast<long>(side) * side; }

void set_counters(benchmark::State& state, long nodes, double visits_per_op) {
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["visits"] = visits_per_op;
}

double seconds_since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void bm_probe(benchmark::State& state, const Fixture* f) {
    for (auto _ : state) benchmark::DoNotOptimize(probe_min(f->probe));
    set_counters(state, nodes_of(f->side), static_cast<double>(nodes_of(f->side)));
}

// Builds a whole grid per iteration; only the build is timed, not the release after it.
void bm_build(benchmark::State& state, int side, BuildOrder order) {
    for (auto _ : state) {
        Graph graph = EMPTY_GRAPH;
        auto t0 = std::chrono::steady_clock::now();
        bool ok = build_grid(&graph, side, order);
        state.SetIterationTime(seconds_since(t0));
        release_graph(&graph);
        if (!ok) state.SkipWithError("out of memory");
    }
    set_counters(state, nodes_of(side), static_cast<double>(build_visits(side, order)));
}

// The share of nodes whose fields next to done, all that a pick_next pass reads, lie on two
// cache lines: set by where the allocator put them, it slows every walk.
double split_share(const Graph* graph) {
    long split = 0, count = 0;
    for (const Node* n = graph->node_list; n; n = next_node(graph, n), ++count) {
        auto first = reinterpret_cast<std::uintptr_t>(n);
        auto last = reinterpret_cast<std::uintptr_t>(&n->done);
        split += first / 64 != last / 64;
    }
    return count ? static_cast<double>(split) / static_cast<double>(count) : 0.0;
}

void bm_search(benchmark::State& state, Graph* list, int side, Goal goal) {
    std::int32_t gx, gy;
    goal_position(side, goal, &gx, &gy);
    if (!shortest_path(list, 1, 1, gx, gy)) {
        state.SkipWithError("no path");
        return;
    }
    SearchWork work = count_search_work(list);
    long before = allocation_count();
    for (auto _ : state) benchmark::DoNotOptimize(shortest_path(list, 1, 1, gx, gy));
    state.counters["allocs"] = benchmark::Counter(
        static_cast<double>(allocation_count() - before), benchmark::Counter::kAvgIterations);
    state.counters["settled"] = static_cast<double>(work.settled);
    state.counters["split"] = split_share(list);
    set_counters(state, work.nodes, static_cast<double>(work.visits));
}

// The last node: a walk of the whole list.
void bm_find_last(benchmark::State& state, const Graph* list, int side) {
    for (auto _ : state) benchmark::DoNotOptimize(find_node(list, side, side));
    set_counters(state, nodes_of(side), static_cast<double>(nodes_of(side)));
}

// A node at a new position, appended after a walk of the whole list; removed untimed, by
// merging it into itself.
void bm_add_node(benchmark::State& state, Fixture* f) {
    const int p = f->side + 1;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        bool ok = add_node(&f->scratch, p, p, 1);
        state.SetIterationTime(seconds_since(t0));
        if (!ok || !merge_node(&f->scratch, p, p, p, p)) state.SkipWithError("out of memory");
    }
    set_counters(state, nodes_of(f->side), static_cast<double>(nodes_of(f->side)));
}

// The last node, moved away and back in turn: each call walks the whole list.
void bm_move(benchmark::State& state, Fixture* f) {
    const int s = f->side;
    bool away = true;
    for (auto _ : state) {
        if (away) move_node(&f->scratch, s, s, s + 1, s + 1);
        else move_node(&f->scratch, s + 1, s + 1, s, s);
        away = !away;
    }
    if (!away) move_node(&f->scratch, s + 1, s + 1, s, s);
    set_counters(state, nodes_of(s), static_cast<double>(nodes_of(s)));
}

// Folds the corner (side, side), the last node, into its left neighbour, and puts it back
// untimed: re-added at the tail with its two edges, it is the last node again.
void bm_merge(benchmark::State& state, Fixture* f) {
    const int s = f->side;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        bool ok = merge_node(&f->scratch, s - 1, s, s, s);
        state.SetIterationTime(seconds_since(t0));
        ok = ok && add_node(&f->scratch, s, s, grid_value(s, s)) &&
             add_edge(&f->scratch, s, s, s - 1, s, grid_weight(s, s, 0)) &&
             add_edge(&f->scratch, s, s, s, s - 1, grid_weight(s, s, 1));
        if (!ok) state.SkipWithError("out of memory");
    }
    set_counters(state, nodes_of(s), static_cast<double>(nodes_of(s)));
}

// The listing of command 6: every node's triple into list_buf, while it fits.
double list_buf[LIST_CAP];

int list_nodes(const Graph* graph) {
    int filled = 0;
    for (const Node* n = graph->node_list; n; n = next_node(graph, n)) {
        if (filled + 3 > LIST_CAP) break;
        list_buf[filled] = n->x;
        list_buf[filled + 1] = n->y;
        list_buf[filled + 2] = n->value;
        filled += 3;
    }
    return filled;
}

void bm_listing(benchmark::State& state, const Graph* list, int side) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(list_nodes(list));
        benchmark::ClobberMemory();
    }
    set_counters(state, nodes_of(side), static_cast<double>(nodes_of(side)));
}

// Clearing path_buf, which every search that finds a path does once: its fixed part.
void bm_clear_path_buf(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < PATH_CAP; ++i) path_buf[i] = 0.0;
        benchmark::ClobberMemory();
    }
}

std::vector<std::string> registered;  // every benchmark's name, in the order of the table

template <class... Args>
benchmark::internal::Benchmark* add(const std::string& n, Args&&... args) {
    registered.push_back(n);
    return benchmark::RegisterBenchmark(n.c_str(), std::forward<Args>(args)...);
}

std::string name(const std::string& what, BuildOrder order, int side) {
    return what + " (" + order_name(order) + ")/" + std::to_string(side);
}

}  // namespace

const std::vector<std::string>& registered_benchmarks() { return registered; }

// False when memory ran out while making the fixtures.
bool register_graph_benchmarks(int largest_side) {
    for (int i = 0; i < 3; ++i) {
        Fixture& f = fixtures[i];
        if (kSides[i] > largest_side) continue;
        f.side = kSides[i];
        align_next_record();
        f.probe = make_probe_list(nodes_of(f.side));
        for (BuildOrder order : kOrders) {
            align_next_record();
            if (!build_grid(&f.grid[static_cast<int>(order)], f.side, order)) return false;
        }
        align_next_record();
        if (!build_grid(&f.scratch, f.side, BuildOrder::Rows)) return false;
    }
    for (Fixture& f : fixtures) {
        if (f.side == 0) continue;  // larger than asked for
        const std::string s = std::to_string(f.side);
        add("floor probe/" + s, bm_probe, &f);
        for (BuildOrder order : kOrders) {
            Graph* grid = &f.grid[static_cast<int>(order)];
            if (order == BuildOrder::Rows)  // nodes first walks twice as much: minutes at 129
                add(name("build", order, f.side), bm_build, f.side, order)->UseManualTime();
            add(name("find_node, last", order, f.side), bm_find_last, grid, f.side);
            add(name("listing", order, f.side), bm_listing, grid, f.side);
            for (Goal g : {Goal::Near, Goal::Middle, Goal::Far})
                add(name(std::string("search ") + goal_name(g), order, f.side), bm_search, grid,
                    f.side, g);
        }
        add("add_node, new (row by row)/" + s, bm_add_node, &f)->UseManualTime();
        add("move_node, last (row by row)/" + s, bm_move, &f);
        add("merge_node, last (row by row)/" + s, bm_merge, &f)->UseManualTime();
    }
    add("clear path_buf", bm_clear_path_buf);
    return true;
}
