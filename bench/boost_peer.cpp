// boost_peer.cpp - the peer the indexed store is measured against: Boost Graph Library's
// dijkstra_shortest_paths (a heap search over adjacency vectors) on the grids and queries of
// octave_indexed_bench.m, in C++.
//
//   boost_peer SIDE...
//
// For each side, one line "side build near mid far settled_near settled_mid settled_far":
// seconds for building the graph and for the queries from (1, 1) to (4, 4), to the middle
// (side/2, side/2, rounded up) and to the far corner (side, side), each the best of several
// runs, then how many nodes each query settled. Every query stops when its goal is settled, as
// command 4 does, and its path is checked to be no shorter than the grid allows.
#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/dijkstra_shortest_paths.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Graph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS, boost::no_property,
                                    boost::property<boost::edge_weight_t, int>>;
using Vertex = boost::graph_traits<Graph>::vertex_descriptor;

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The grid of octave_bench.m: nodes (x, y), x and y = 1..side; each joined to its left
// neighbour with weight (31x + 17y) mod 9 + 1 and to its upper one with (31x + 17y + 7) mod 9 + 1.
Graph build_grid(int side) {
    Graph g(static_cast<std::size_t>(side) * side);
    auto id = [side](int x, int y) { return static_cast<Vertex>((y - 1) * side + (x - 1)); };
    for (int y = 1; y <= side; ++y)
        for (int x = 1; x <= side; ++x) {
            if (x > 1) boost::add_edge(id(x, y), id(x - 1, y), (x * 31 + y * 17) % 9 + 1, g);
            if (y > 1) boost::add_edge(id(x, y), id(x, y - 1), (x * 31 + y * 17 + 7) % 9 + 1, g);
        }
    return g;
}

struct GoalReached {};

// Stops the search once the goal is settled, counting the nodes settled before it.
struct StopAtGoal : boost::default_dijkstra_visitor {
    Vertex goal;
    long*  settled;
    StopAtGoal(Vertex g, long* s) : goal(g), settled(s) {}
    void examine_vertex(Vertex u, const Graph&) const {
        ++*settled;
        if (u == goal) throw GoalReached{};
    }
};

// One query from (1, 1) to (k, k); returns the number of points on the path, and the nodes
// settled in *settled.
std::size_t query(const Graph& g, int side, int k, std::vector<int>& dist, std::vector<Vertex>& pred,
                  long* settled) {
    const Vertex start = 0, goal = static_cast<Vertex>((k - 1) * side + (k - 1));
    *settled = 0;
    try {
        boost::dijkstra_shortest_paths(
            g, start,
            boost::predecessor_map(boost::make_iterator_property_map(pred.begin(), boost::get(boost::vertex_index, g)))
                .distance_map(boost::make_iterator_property_map(dist.begin(), boost::get(boost::vertex_index, g)))
                .visitor(StopAtGoal(goal, settled)));
    } catch (const GoalReached&) {
    }
    std::size_t points = 1;
    for (Vertex v = goal; v != start; v = pred[v]) ++points;
    return points;
}

// The goals of the near, the mid and the far query: (k, k) for these k.
std::vector<int> query_goals(int side) { return {4, (side + 1) / 2, side}; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: boost_peer SIDE...\n");
        return 2;
    }
    for (int a = 1; a < argc; ++a) {
        const int side = std::atoi(argv[a]);
        const int reps = side > 200 ? 3 : 10;
        const std::vector<int> goals = query_goals(side);
        double build = 1e9;
        std::vector<double> best(goals.size(), 1e9);
        std::vector<long> settled(goals.size());
        for (int r = 0; r < reps; ++r) {
            double t = now();
            Graph g = build_grid(side);
            build = std::min(build, now() - t);
            std::vector<int> dist(boost::num_vertices(g));
            std::vector<Vertex> pred(boost::num_vertices(g));
            for (std::size_t q = 0; q < goals.size(); ++q) {
                const int k = goals[q];
                // The near query is timed over many runs: one takes about as long as the clock's
                // own reading.
                const int runs = q == 0 ? 20 : 1;
                t = now();
                std::size_t points = 0;
                for (int i = 0; i < runs; ++i) points = query(g, side, k, dist, pred, &settled[q]);
                best[q] = std::min(best[q], (now() - t) / runs);
                if (points < static_cast<std::size_t>(2 * k - 1)) return 1;  // a path is no shorter
            }
        }
        std::printf("%d %.9g %.9g %.9g %.9g %ld %ld %ld\n", side, build, best[0], best[1], best[2],
                    settled[0], settled[1], settled[2]);
    }
    return 0;
}
