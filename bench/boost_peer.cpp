// boost_peer.cpp - the peer the indexed store is measured against: Boost Graph Library's
// dijkstra_shortest_paths (a binary-heap search over adjacency vectors) on the grids and
// queries of octave_bench.m and octave_large_bench.m, in C++.
//
//   boost_peer SIDE...
//
// For each side, one line "side build mean far" of seconds: building the graph, the mean of
// the six diagonal queries and the corner-to-corner query, each the best of several runs.
// Every query stops when its goal is settled, as command 4 does, and its path is checked
// against its cost.
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

// Stops the search once the goal is settled.
struct StopAtGoal : boost::default_dijkstra_visitor {
    Vertex goal;
    explicit StopAtGoal(Vertex g) : goal(g) {}
    void examine_vertex(Vertex u, const Graph&) const {
        if (u == goal) throw GoalReached{};
    }
};

// One query from (1, 1) to (k, k); returns the number of points on the path.
std::size_t query(const Graph& g, int side, int k, std::vector<int>& dist, std::vector<Vertex>& pred) {
    const Vertex start = 0, goal = static_cast<Vertex>((k - 1) * side + (k - 1));
    try {
        boost::dijkstra_shortest_paths(
            g, start,
            boost::predecessor_map(boost::make_iterator_property_map(pred.begin(), boost::get(boost::vertex_index, g)))
                .distance_map(boost::make_iterator_property_map(dist.begin(), boost::get(boost::vertex_index, g)))
                .visitor(StopAtGoal(goal)));
    } catch (const GoalReached&) {
    }
    std::size_t points = 1;
    for (Vertex v = goal; v != start; v = pred[v]) ++points;
    return points;
}

// The six goals along the diagonal, (k, k) for k = side/6, 2 side/6, ... side, rounded up.
std::vector<int> diagonal_goals(int side) {
    std::vector<int> goals;
    for (int q = 1; q <= 6; ++q) goals.push_back((q * side + 5) / 6);
    return goals;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: boost_peer SIDE...\n");
        return 2;
    }
    for (int a = 1; a < argc; ++a) {
        const int side = std::atoi(argv[a]);
        const int reps = side > 200 ? 3 : 10;
        double build = 1e9, mean = 1e9, far = 1e9;
        for (int r = 0; r < reps; ++r) {
            double t = now();
            Graph g = build_grid(side);
            build = std::min(build, now() - t);
            std::vector<int> dist(boost::num_vertices(g));
            std::vector<Vertex> pred(boost::num_vertices(g));
            double sum = 0;
            for (int k : diagonal_goals(side)) {
                t = now();
                const std::size_t points = query(g, side, k, dist, pred);
                sum += now() - t;
                if (points < static_cast<std::size_t>(2 * k - 1)) return 1;  // a path is no shorter
            }
            mean = std::min(mean, sum / 6);
            t = now();
            query(g, side, side, dist, pred);
            far = std::min(far, now() - t);
        }
        std::printf("%d %.9g %.9g %.9g\n", side, build, mean, far);
    }
    return 0;
}
