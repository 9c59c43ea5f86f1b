// grid_graph_test.cpp - the benchmark grids are the graphs they claim to be, the search finds
// the cheapest paths on them, and the visit counts are those of the search's passes.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <queue>
#include <set>
#include <tuple>
#include <vector>

#include "floor_probe.h"
#include "grid_graph.h"

namespace {

using Pos = std::pair<std::int32_t, std::int32_t>;

class GridGraph : public ::testing::TestWithParam<std::tuple<BuildOrder, int>> {
protected:
    void SetUp() override { ASSERT_TRUE(build_grid(&graph, side(), order())); }
    void TearDown() override { release_graph(&graph); }
    BuildOrder order() const { return std::get<0>(GetParam()); }
    int side() const { return std::get<1>(GetParam()); }

    // The weight the grid gives the edge between two 4-neighbours.
    static std::int32_t expected_weight(Pos a, Pos b) {
        if (a > b) std::swap(a, b);  // b is right of or below a
        return b.second == a.second ? grid_weight(b.first, b.second, 0)
                                    : grid_weight(b.first, b.second, 1);
    }

    // Cheapest cost from (1, 1) to every position, by a textbook heap-based Dijkstra over the
    // grid itself, independent of the store.
    std::map<Pos, std::int32_t> reference_costs() const {
        std::map<Pos, std::int32_t> cost;
        using Item = std::pair<std::int32_t, Pos>;
        std::priority_queue<Item, std::vector<Item>, std::greater<Item>> heap;
        heap.push({0, {1, 1}});
        while (!heap.empty()) {
            auto [c, p] = heap.top();
            heap.pop();
            if (cost.count(p)) continue;
            cost[p] = c;
            const Pos steps[] = {{p.first - 1, p.second}, {p.first + 1, p.second},
                                 {p.first, p.second - 1}, {p.first, p.second + 1}};
            for (Pos q : steps)
                if (q.first >= 1 && q.first <= side() && q.second >= 1 && q.second <= side() &&
                    !cost.count(q))
                    heap.push({c + expected_weight(p, q), q});
        }
        return cost;
    }

    Graph graph = EMPTY_GRAPH;
    Node*& list = graph.node_list;  // the default store's graph is its list
};

TEST_P(GridGraph, HoldsEveryPositionOnceInRowOrderWithItsFourNeighbours) {
    std::int32_t x = 1, y = 1;
    long count = 0;
    for (const Node* n = list; n; n = next_node(&graph, n), ++count) {
        ASSERT_EQ(Pos(n->x, n->y), Pos(x, y));
        EXPECT_EQ(n->value, grid_value(x, y));
        std::set<Pos> seen;
        for (const Edge* e = n->edges; e; e = e->next) {
            Pos to{e->to->x, e->to->y};
            EXPECT_EQ(std::abs(to.first - x) + std::abs(to.second - y), 1);
            EXPECT_EQ(e->weight, expected_weight({x, y}, to));
            EXPECT_GE(e->weight, 1);
            EXPECT_LE(e->weight, 9);
            EXPECT_TRUE(seen.insert(to).second) << "two entries to one neighbour";
        }
        std::size_t inner = 4 - (x == 1) - (x == side()) - (y == 1) - (y == side());
        EXPECT_EQ(seen.size(), inner) << "at (" << x << ", " << y << ")";
        if (++x > side()) x = 1, ++y;
    }
    EXPECT_EQ(count, static_cast<long>(side()) * side());
}

TEST_P(GridGraph, SearchFindsTheCheapestPathToEveryGoal) {
    const auto cost = reference_costs();
    for (Goal g : {Goal::Near, Goal::Middle, Goal::Far}) {
        std::int32_t gx, gy;
        goal_position(side(), g, &gx, &gy);
        const double* path = shortest_path(&graph, 1, 1, gx, gy);
        ASSERT_NE(path, nullptr) << goal_name(g);
        ASSERT_EQ(Pos(path[0], path[1]), Pos(gx, gy));
        std::int32_t total = 0;
        int i = 0;
        for (; path[i + 2] != 0.0; i += 2)
            total += expected_weight({path[i], path[i + 1]}, {path[i + 2], path[i + 3]});
        EXPECT_EQ(Pos(path[i], path[i + 1]), Pos(1, 1)) << goal_name(g);
        EXPECT_EQ(total, cost.at({gx, gy})) << goal_name(g);
    }
}

// The search settles, in order of cost, every node cheaper than the goal and some of those
// as cheap; the far corner is the most expensive node, so all others are settled before it.
TEST_P(GridGraph, CountsOnePassPerChoicePlusTheInitialisation) {
    const auto cost = reference_costs();
    const long n = static_cast<long>(side()) * side();
    ASSERT_NE(shortest_path(&graph, 1, 1, side(), side()), nullptr);
    SearchWork far = count_search_work(&graph);
    EXPECT_EQ(far.nodes, n);
    EXPECT_EQ(far.settled, n - 1);
    EXPECT_EQ(far.visits, n * (n + 1));

    std::int32_t mx, my;
    goal_position(side(), Goal::Middle, &mx, &my);
    ASSERT_NE(shortest_path(&graph, 1, 1, mx, my), nullptr);
    SearchWork middle = count_search_work(&graph);
    long cheaper = 0, as_cheap = 0;
    for (const auto& [p, c] : cost) {
        cheaper += c < cost.at({mx, my});
        as_cheap += c == cost.at({mx, my}) && p != Pos(mx, my);
    }
    EXPECT_GE(middle.settled, cheaper);
    EXPECT_LE(middle.settled, cheaper + as_cheap);
    EXPECT_EQ(middle.visits, n * (middle.settled + 2));
}

INSTANTIATE_TEST_SUITE_P(Orders, GridGraph,
                         ::testing::Combine(::testing::Values(BuildOrder::Rows,
                                                              BuildOrder::NodesFirst),
                                            ::testing::Values(3, 7, 17)));

// The sum of the walks each build makes, counted by hand for the smallest grids.
TEST(BuildVisits, AddsOneWalkPerLookup) {
    struct Case {
        int side;
        BuildOrder order;
        long visits;
    };
    const Case cases[] = {
        // side 1: one add_node on an empty list
        {1, BuildOrder::Rows, 0},
        {1, BuildOrder::NodesFirst, 0},
        // side 2, row by row: (1,1) 0; (2,1) 1 + edge 2; (1,2) 2 + re-add 3 + edge 3;
        // (2,2) 3 + edge 4 + re-add 4 + edge 4
        {2, BuildOrder::Rows, 0 + 3 + 8 + 15},
        // side 2, nodes first: adds 0+1+2+3; then per edge a re-add to place k+1 and a walk
        // of 4: (2,1) 2+4; (1,2) 3+4; (2,2) twice 4+4
        {2, BuildOrder::NodesFirst, 6 + 6 + 7 + 16},
    };
    for (const Case& c : cases)
        EXPECT_EQ(build_visits(c.side, c.order), c.visits)
            << "side " << c.side << ", " << order_name(c.order);
}

TEST(FloorProbe, FindsTheSmallestKeyOfRecordsAllocatedOneByOne) {
    for (long count : {1L, 2L, 289L, 2500L}) {
        ProbeRecord* head = make_probe_list(count);
        long length = 0;
        std::int32_t smallest = INT_MAX;
        for (const ProbeRecord* r = head; r; r = r->next, ++length)
            smallest = std::min(smallest, r->key);
        EXPECT_EQ(length, count);
        EXPECT_EQ(probe_min(head), smallest);
        EXPECT_GE(smallest, 0);
        free_probe_list(head);
    }
}

}  // namespace
