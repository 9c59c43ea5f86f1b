// shortest_path_test.cpp - the search: which path, tie-breaks, the cutoff, no path against the
// empty path, what path_buf keeps, PATH_CAP, negative weights and the int32 limits.
#include <algorithm>

#include "graph_test.h"

namespace {

// The pairs a search leaves in path_buf: every entry up to PATH_CAP, as (x, y).
std::vector<Position> buffer_pairs() {
    std::vector<Position> out;
    for (int i = 0; i + 1 < PATH_CAP; i += 2)
        out.emplace_back(static_cast<std::int32_t>(path_buf[i]),
                         static_cast<std::int32_t>(path_buf[i + 1]));
    return out;
}

// path as the pairs expected first, then zeros up to PATH_CAP.
std::vector<Position> padded(std::vector<Position> path) {
    path.resize(PATH_CAP / 2, Position(0, 0));
    return path;
}

std::vector<Position> line(int from, int count) {  // (from, 1), (from + 1, 1), ...
    std::vector<Position> out;
    for (int i = 0; i < count; ++i) out.emplace_back(from + i, 1);
    return out;
}

}  // namespace

class ShortestPath : public GraphTest {
protected:
    bool negative_weights = false;  // the search-state check holds only without them

    // Searches and checks that the search changed no key, edge or link and left a sound
    // search state behind.
    const double* search(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
        std::string before = describe_graph(&graph);
        const double* p = shortest_path(&graph, ax, ay, bx, by);
        EXPECT_EQ(describe_graph(&graph), before);
        if (p) {
            EXPECT_EQ(p, path_buf);
        }
        if (!negative_weights) {
            EXPECT_EQ(search_state_violation(&graph), "");
        }
        return p;
    }

    // Fills path_buf with a path that no test expects, so that clearing is visible.
    void soil_path_buf() {
        std::fill(path_buf, path_buf + PATH_CAP, -7.0);
    }
};

TEST_F(ShortestPath, TakesTheCheaperDetour) {
    add(1, 1);  // A
    add(5, 5);  // P
    add(9, 9);  // B
    edge(1, 1, 5, 5, 2);
    edge(5, 5, 9, 9, 2);
    edge(1, 1, 9, 9, 5);
    soil_path_buf();
    ASSERT_NE(search(1, 1, 9, 9), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{9, 9}, {5, 5}, {1, 1}}));
    EXPECT_EQ(at(9, 9)->dist, 4);
}

// Two routes A-P-B and A-Q-B of equal cost: the node earlier in the list is settled first and
// offers the cost first; a later equal offer does not replace it.
struct TieCase {
    const char* name;
    bool        p_first;
    Position    via;
};
class ShortestPathTie : public ShortestPath, public ::testing::WithParamInterface<TieCase> {};

TEST_P(ShortestPathTie, GoesThroughTheNodeMadeFirst) {
    const TieCase& c = GetParam();
    add(1, 1);  // A
    if (c.p_first) {
        add(2, 2);  // P
        add(3, 3);  // Q
    } else {
        add(3, 3);
        add(2, 2);
    }
    add(9, 9);  // B
    edge(1, 1, 2, 2, 1);
    edge(1, 1, 3, 3, 1);
    edge(2, 2, 9, 9, 1);
    edge(3, 3, 9, 9, 1);
    ASSERT_NE(search(1, 1, 9, 9), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{9, 9}, c.via, {1, 1}}));
}

INSTANTIATE_TEST_SUITE_P(
    BothOrders, ShortestPathTie,
    ::testing::Values(TieCase{"PMadeFirst", true, {2, 2}}, TieCase{"QMadeFirst", false, {3, 3}}),
    [](const ::testing::TestParamInfo<TieCase>& i) { return std::string(i.param.name); });

TEST_F(ShortestPath, TieBreakFollowsListOrderNotEdgeOrder) {
    // A's entries lead to Q before P, but P is earlier in the list.
    add(1, 1);  // A
    add(2, 2);  // P
    add(3, 3);  // Q
    add(9, 9);  // B
    edge(1, 1, 3, 3, 1);
    edge(1, 1, 2, 2, 1);
    edge(3, 3, 9, 9, 1);
    edge(2, 2, 9, 9, 1);
    ASSERT_NE(search(1, 1, 9, 9), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{9, 9}, {2, 2}, {1, 1}}));
}

// The cutoff: a goal whose cheapest cost is 30000 or more is unreachable.
struct CutoffCase {
    const char*  name;
    std::int32_t first, second;  // weights of A-M and M-B
    bool         found;
};
class ShortestPathCutoff : public ShortestPath,
                           public ::testing::WithParamInterface<CutoffCase> {};

TEST_P(ShortestPathCutoff, SettlesOnlyBelow30000) {
    const CutoffCase& c = GetParam();
    add(1, 1);  // A
    add(2, 2);  // M
    add(3, 3);  // B
    edge(1, 1, 2, 2, c.first);
    edge(2, 2, 3, 3, c.second);
    soil_path_buf();
    const double* p = search(1, 1, 3, 3);
    if (c.found) {
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(buffer_pairs(), padded({{3, 3}, {2, 2}, {1, 1}}));
    } else {
        EXPECT_EQ(p, nullptr);
        EXPECT_EQ(path_buf[0], -7.0);
        EXPECT_EQ(path_buf[PATH_CAP - 1], -7.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boundary, ShortestPathCutoff,
    ::testing::Values(CutoffCase{"Cost29999", 14999, 15000, true},
                      CutoffCase{"Cost30000", 15000, 15000, false},
                      CutoffCase{"Cost30001", 15000, 15001, false},
                      CutoffCase{"MiddleAt29999", 29999, 0, true},
                      CutoffCase{"MiddleAt30000", 30000, -1, false},
                      CutoffCase{"Cost31999", 15000, 16999, false}),
    [](const ::testing::TestParamInfo<CutoffCase>& i) { return std::string(i.param.name); });

TEST_F(ShortestPath, DirectEdgeOf29999IsAPathAnd30000IsNot) {
    add(1, 1);
    add(2, 2);
    edge(1, 1, 2, 2, 29999);
    EXPECT_NE(search(1, 1, 2, 2), nullptr);
    set_weight(1, 1, 2, 2, 30000);
    EXPECT_EQ(search(1, 1, 2, 2), nullptr);
}

TEST_F(ShortestPath, StartEqualsGoalIsOnePairAndRelaxesNoEdge) {
    add(1, 1);
    add(4, 5);
    edge(1, 1, 4, 5, 1);
    soil_path_buf();
    ASSERT_NE(search(4, 5, 4, 5), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{4, 5}}));
    EXPECT_EQ(at(1, 1)->dist, DIST_UNSET);
    EXPECT_EQ(at(4, 5)->done, 0);
}

TEST_F(ShortestPath, TheGoalIsNeitherRelaxedNorSettled) {
    add(1, 1);  // A
    add(2, 2);  // B, the goal
    add(3, 3);  // reachable only through B
    edge(1, 1, 2, 2, 1);
    edge(2, 2, 3, 3, 1);
    ASSERT_NE(search(1, 1, 2, 2), nullptr);
    EXPECT_EQ(at(2, 2)->done, 0);
    EXPECT_EQ(at(3, 3)->dist, DIST_UNSET);
    EXPECT_EQ(at(1, 1)->done, 1);
}

TEST_F(ShortestPath, MissingGoalGivesTheEmptyPathNotNoPath) {
    add(1, 1);
    add(2, 2);
    edge(1, 1, 2, 2, 3);
    soil_path_buf();
    const double* p = search(1, 1, 7, 7);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(buffer_pairs(), padded({}));
    EXPECT_EQ(at(2, 2)->done, 1);  // every reachable node was settled
}

TEST_F(ShortestPath, EmptyGraphGivesNoPathAndKeepsPathBuf) {
    soil_path_buf();
    EXPECT_EQ(search(1, 1, 1, 1), nullptr);
    EXPECT_EQ(std::count(path_buf, path_buf + PATH_CAP, -7.0), PATH_CAP);
}

TEST_F(ShortestPath, MissingStartGivesNoPathAndKeepsPathBuf) {
    add(1, 1);
    add(2, 2);
    edge(1, 1, 2, 2, 3);
    soil_path_buf();
    EXPECT_EQ(shortest_path(&graph, 5, 5, 2, 2), nullptr);
    EXPECT_EQ(shortest_path(&graph, 5, 5, 6, 6), nullptr);  // and no goal either
    EXPECT_EQ(std::count(path_buf, path_buf + PATH_CAP, -7.0), PATH_CAP);
}

TEST_F(ShortestPath, UnconnectedGoalGivesNoPathAndKeepsTheEarlierPath) {
    add(1, 1);
    add(2, 2);
    add(3, 3);  // alone
    edge(1, 1, 2, 2, 3);
    ASSERT_NE(search(1, 1, 2, 2), nullptr);
    EXPECT_EQ(search(1, 1, 3, 3), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{2, 2}, {1, 1}}));
}

TEST_F(ShortestPath, AShorterPathAfterALongerOneLeavesNoTrace) {
    chain(line(1, 10), 1);
    ASSERT_NE(search(1, 1, 10, 1), nullptr);
    ASSERT_NE(search(1, 1, 2, 1), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{2, 1}, {1, 1}}));
}

TEST_F(ShortestPath, TakesTheLastNodeAtTheGoalsPosition) {
    add(1, 1);  // start
    add(5, 5);  // first at (5,5), joined to the start directly
    add(3, 3);
    add(6, 6);  // moves onto (5,5) and is the goal, reached through (3,3)
    edge(1, 1, 5, 5, 1);
    edge(1, 1, 3, 3, 1);
    edge(3, 3, 6, 6, 1);
    move(6, 6, 5, 5);
    ASSERT_NE(search(1, 1, 5, 5), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{5, 5}, {3, 3}, {1, 1}}));
}

TEST_F(ShortestPath, TakesTheLastNodeAtTheStartsPosition) {
    add(1, 1);  // first at (1,1), two steps from the goal
    add(3, 3);
    add(9, 9);  // goal
    add(2, 2);  // moves onto (1,1) and is the start, one step from the goal
    edge(1, 1, 3, 3, 1);
    edge(3, 3, 9, 9, 1);
    edge(2, 2, 9, 9, 5);
    move(2, 2, 1, 1);
    ASSERT_NE(search(1, 1, 9, 9), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{9, 9}, {1, 1}}));
    EXPECT_EQ(at(9, 9)->dist, 5);
}

TEST_F(ShortestPath, WritesZeroCoordinatesLikeAnyOther) {
    chain({{5, 5}, {0, 7}, {3, 0}, {0, 0}, {9, 9}}, 1);
    ASSERT_NE(search(5, 5, 9, 9), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{9, 9}, {0, 0}, {3, 0}, {0, 7}, {5, 5}}));
}

TEST_F(ShortestPath, StartAtTheOriginIsFound) {
    chain({{0, 0}, {1, 0}}, 1);
    ASSERT_NE(search(0, 0, 1, 0), nullptr);
    EXPECT_EQ(buffer_pairs(), padded({{1, 0}, {0, 0}}));
}

// Chains of n nodes, start at one end and goal at the other: the walk from the goal writes at
// most PATH_CAP / 2 pairs, so the start end of a longer chain is cut.
class ShortestPathChain : public ShortestPath, public ::testing::WithParamInterface<int> {};

TEST_P(ShortestPathChain, KeepsThePairsNearestTheGoalUpToPathCap) {
    const int n = GetParam();
    chain(line(1, n), 1);
    soil_path_buf();
    ASSERT_NE(search(1, 1, n, 1), nullptr);
    std::vector<Position> expected = line(1, n);
    std::reverse(expected.begin(), expected.end());  // goal first
    if (expected.size() > static_cast<std::size_t>(PATH_CAP / 2)) expected.resize(PATH_CAP / 2);
    EXPECT_EQ(buffer_pairs(), padded(expected));
    EXPECT_EQ(at(n, 1)->dist, n - 1);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ShortestPathChain, ::testing::Values(41, 42, 100, 101, 150));

TEST_F(ShortestPath, ChainOfPathCapPairsPlusOneLosesOnlyTheStart) {
    const int n = PATH_CAP / 2 + 1;  // 101, or 10001 in the large build
    std::vector<Position> at_pos = line(1, n);
    for (const Position& p : at_pos) ASSERT_TRUE(add_node(&graph, p.first, p.second, 1));
    for (int i = 1; i < n; ++i) ASSERT_TRUE(add_edge(&graph, i, 1, i + 1, 1, 1));
    ASSERT_NE(shortest_path(&graph, 1, 1, n, 1), nullptr);
    EXPECT_EQ(path_buf[0], n);
    EXPECT_EQ(path_buf[PATH_CAP - 2], 2.0);  // the start (1, 1) is what is lost
    EXPECT_EQ(path_buf[PATH_CAP - 1], 1.0);
}

TEST_F(ShortestPath, NegativeEdgeThatLowersASettledNodeMakesPrevCycleFillTheBuffer) {
    negative_weights = true;
    add(1, 1);  // S
    add(2, 1);  // U
    add(3, 1);  // V
    add(4, 1);  // G
    edge(1, 1, 2, 1, 1);
    edge(2, 1, 3, 1, -5);
    edge(2, 1, 4, 1, 100);
    // S settles U at 1; U offers V -4 and G 101; V lowers the settled U to -9 (prev V): U and V
    // are each other's prev, and the walk from G repeats them until the buffer is full.
    ASSERT_NE(search(1, 1, 4, 1), nullptr);
    std::vector<Position> expected = {{4, 1}};
    while (expected.size() < static_cast<std::size_t>(PATH_CAP / 2))
        expected.push_back(expected.size() % 2 ? Position(2, 1) : Position(3, 1));
    EXPECT_EQ(buffer_pairs(), expected);
    EXPECT_EQ(at(2, 1)->dist, -9);
    EXPECT_EQ(at(4, 1)->dist, 101);
}

TEST_F(ShortestPath, NegativeWeightsStillSettleEachNodeOnce) {
    negative_weights = true;
    // Every edge -1 in a triangle: offers go round and round, yet each node is settled once.
    add(1, 1);
    add(2, 2);
    add(3, 3);
    add(9, 9);  // not reachable: the search must end with no path
    edge(1, 1, 2, 2, -1);
    edge(2, 2, 3, 3, -1);
    edge(3, 3, 1, 1, -1);
    EXPECT_EQ(search(1, 1, 9, 9), nullptr);
    EXPECT_EQ(at(1, 1)->done + at(2, 2)->done + at(3, 3)->done, 3);
}

TEST_F(ShortestPath, NegativeSelfLoopLowersTheCurrentCostForTheEntriesAfterIt) {
    if (REFUSE_SELF_LOOP) GTEST_SKIP() << "this build refuses self-loops";
    negative_weights = true;
    add(1, 1);  // S, whose list is: itself, itself, T
    add(2, 1);  // T
    edge(1, 1, 1, 1, -3);
    edge(1, 1, 2, 1, 10);
    ASSERT_NE(search(1, 1, 2, 1), nullptr);
    EXPECT_EQ(at(1, 1)->dist, -6);  // 0 - 3, then -3 - 3
    EXPECT_EQ(at(2, 1)->dist, 4);   // -6 + 10: the cost read after both self-loop entries
    std::vector<Position> expected(PATH_CAP / 2, Position(1, 1));
    expected[0] = Position(2, 1);  // then S, whose prev is itself, to the end
    EXPECT_EQ(buffer_pairs(), expected);
}

TEST_F(ShortestPath, SumPastInt32MaxDoesNotWrapIntoAPath) {
    add(1, 1);
    add(2, 1);
    add(3, 1);
    edge(1, 1, 2, 1, 1);
    edge(2, 1, 3, 1, INT32_MAX);  // 1 + INT32_MAX would wrap to INT32_MIN in 32 bits
    soil_path_buf();
    EXPECT_EQ(search(1, 1, 3, 1), nullptr);
    EXPECT_EQ(at(3, 1)->dist, DIST_UNSET);
    EXPECT_EQ(path_buf[0], -7.0);
}

TEST_F(ShortestPath, SumBelowInt32MinIsStoredAsInt32Min) {
    negative_weights = true;
    add(1, 1);  // S
    add(2, 1);  // U
    add(3, 1);  // G
    edge(1, 1, 2, 1, -5);
    edge(2, 1, 3, 1, INT32_MIN);  // -5 + INT32_MIN would wrap to a large positive in 32 bits
    ASSERT_NE(search(1, 1, 3, 1), nullptr);
    EXPECT_EQ(at(3, 1)->dist, INT32_MIN);
    EXPECT_EQ(path_buf[0], 3.0);
    EXPECT_EQ(path_buf[2], 2.0);
}

TEST_F(ShortestPath, WeightsAtBothLimitsOnOneNode) {
    negative_weights = true;
    add(1, 1);
    add(2, 1);
    add(3, 1);
    edge(1, 1, 2, 1, INT32_MIN);
    edge(1, 1, 3, 1, INT32_MAX);
    ASSERT_NE(search(1, 1, 2, 1), nullptr);
    EXPECT_EQ(at(2, 1)->dist, INT32_MIN);
    EXPECT_EQ(at(3, 1)->dist, DIST_UNSET);
    // From U: S at INT32_MIN offers U INT32_MIN + INT32_MIN, kept at INT32_MIN, and G
    // INT32_MIN + INT32_MAX = -1.
    ASSERT_NE(search(2, 1, 3, 1), nullptr);
    EXPECT_EQ(at(3, 1)->dist, -1);
    EXPECT_EQ(at(2, 1)->dist, INT32_MIN);
}

// pick_next on hand-set search state: the smallest dist below the cutoff, the first of equals,
// never a done node.
struct PickCase {
    const char*               name;
    std::vector<std::int32_t> dist;
    std::vector<int>          done;
    int                       chosen;  // index, or -1 for none
};
class PickNext : public GraphTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(PickNext, ChoosesTheSmallestNotDoneBelowTheCutoff) {
    const PickCase& c = GetParam();
    for (std::size_t i = 0; i < c.dist.size(); ++i) add(static_cast<std::int32_t>(i) + 1, 1);
    std::size_t i = 0;
    for (Node* n = list; n; n = n->next, ++i) {
        n->dist = c.dist[i];
        n->done = static_cast<std::uint8_t>(c.done[i]);
        n->prev = nullptr;
    }
    Node* chosen = list;  // must be overwritten, also with none
    bool found = pick_next(&graph, &chosen);
    EXPECT_EQ(found, c.chosen >= 0);
    EXPECT_EQ(chosen, c.chosen >= 0 ? node_at(list, c.chosen) : nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PickNext,
    ::testing::Values(PickCase{"Smallest", {5, 3, 4}, {0, 0, 0}, 1},
                      PickCase{"FirstOfEquals", {5, 3, 3}, {0, 0, 0}, 1},
                      PickCase{"SkipsDone", {5, 3, 4}, {0, 1, 0}, 2},
                      PickCase{"Negative", {0, -2, INT32_MIN}, {0, 0, 0}, 2},
                      PickCase{"Just29999", {32000, 29999}, {0, 0}, 1},
                      PickCase{"Cutoff30000", {30000, 32000}, {0, 0}, -1},
                      PickCase{"AllDone", {1, 2}, {1, 1}, -1},
                      PickCase{"Empty", {}, {}, -1}),
    [](const ::testing::TestParamInfo<PickCase>& i) { return std::string(i.param.name); });
