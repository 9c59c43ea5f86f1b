// refresh_test.cpp - refresh_weights (command 7 of the 64-bit main): every entry of every edge
// gets the distance between its ends, and nothing but weights changes.
#include "graph_test.h"

#if HAS_REFRESH

class RefreshWeights : public GraphTest {
protected:
    void refresh() {
        GraphSnapshot before = snapshot_graph(&graph);
        refresh_weights(&graph);
        check_after(before, "refresh_weights");
        EXPECT_EQ(weight_pairing_violation(&graph), "");
    }
};

TEST_F(RefreshWeights, OnAnEmptyGraphDoesNothing) {
    refresh();
    EXPECT_EQ(list, nullptr);
}

TEST_F(RefreshWeights, WritesBothEntriesOfEveryEdgeFromThePositions) {
    add(0, 0);
    add(3, 4);
    add(1, 1);
    add(0, 1);
    add(9, 9);  // no edge: passed over
    edge(0, 0, 3, 4, 100);
    edge(1, 1, 0, 0, -7);
    edge(0, 1, 0, 0, 0);
    edge(3, 4, 1, 1, INT32_MIN);
    refresh();
    EXPECT_EQ(entries_of(at(0, 0)), (std::vector<Entry>{{3, 4, 5}, {1, 1, 1}, {0, 1, 1}}));
    EXPECT_EQ(entries_of(at(3, 4)), (std::vector<Entry>{{0, 0, 5}, {1, 1, 3}}));
    EXPECT_EQ(entries_of(at(1, 1)), (std::vector<Entry>{{0, 0, 1}, {3, 4, 3}}));
    EXPECT_EQ(entries_of(at(0, 1)), (std::vector<Entry>{{0, 0, 1}}));
    EXPECT_TRUE(entries_of(at(9, 9)).empty());
}

TEST_F(RefreshWeights, ChangesNothingButWeights) {
    add(0, 0, 5);
    add(3, 4, 6);
    add(6, 8, 7);
    edge(0, 0, 3, 4, 1);
    edge(3, 4, 6, 8, 1);
    ASSERT_NE(shortest_path(&graph, 0, 0, 6, 8), nullptr);
    struct SearchFields {
        std::int32_t dist;
        std::uint8_t done;
        const Node*  prev;
    };
    std::vector<SearchFields> fields;
    for (const Node* n = list; n; n = n->next) fields.push_back({n->dist, n->done, n->prev});
    std::string shape = describe_graph(&graph);
    refresh();
    EXPECT_EQ(positions(list), (std::vector<Position>{{0, 0}, {3, 4}, {6, 8}}));
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{5, 6, 7}));
    std::size_t i = 0;
    for (const Node* n = list; n; n = n->next, ++i) {
        EXPECT_EQ(n->dist, fields[i].dist);
        EXPECT_EQ(n->done, fields[i].done);
        EXPECT_EQ(n->prev, fields[i].prev);
    }
    EXPECT_NE(describe_graph(&graph), shape);  // the weights did change
}

TEST_F(RefreshWeights, UsesTheNewPositionOfAMovedNode) {
    add(0, 0);
    add(1, 0);
    add(5, 5);
    edge(0, 0, 1, 0, 1);
    edge(1, 0, 5, 5, 1);
    move(1, 0, 30, 40);
    refresh();
    EXPECT_EQ(entries_of(at(0, 0)), (std::vector<Entry>{{30, 40, 50}}));
    EXPECT_EQ(entries_of(at(30, 40)), (std::vector<Entry>{{0, 0, 50}, {5, 5, 43}}));
}

TEST_F(RefreshWeights, OverwritesAWeightSetEarlier) {
    add(0, 0);
    add(3, 4);
    edge(0, 0, 3, 4, 5);
    set_weight(0, 0, 3, 4, 1000);
    refresh();
    EXPECT_EQ(entries_of(at(0, 0)), (std::vector<Entry>{{3, 4, 5}}));
    EXPECT_EQ(entries_of(at(3, 4)), (std::vector<Entry>{{0, 0, 5}}));
}

TEST_F(RefreshWeights, MakesUnequalEntriesOfAnEdgeEqualAgain) {
    // set_edge_weight picks the first node at a shared position, so it can leave the two
    // entries of one edge with different weights; a refresh measures each from its own side.
    add(0, 0);  // P, first at (0,0) after the move, no edge
    add(6, 8);  // B
    add(3, 4);  // Q, joined to B, then moved onto (0,0)
    edge(3, 4, 6, 8, 2);
    move(3, 4, 0, 0);
    set_weight(0, 0, 6, 8, 77);  // only B's entry to Q changes
    EXPECT_EQ(entries_of(at(6, 8)), (std::vector<Entry>{{0, 0, 77}}));
    refresh();
    EXPECT_EQ(entries_of(at(6, 8)), (std::vector<Entry>{{0, 0, 10}}));
    EXPECT_EQ(entries_of(node_at(list, 2)), (std::vector<Entry>{{6, 8, 10}}));
}

TEST_F(RefreshWeights, ClampsFarEndsToInt32Max) {
    add(INT32_MIN, INT32_MIN);
    add(INT32_MAX, INT32_MAX);
    edge(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 1);
    refresh();
    EXPECT_EQ(entries_of(list), (std::vector<Entry>{{INT32_MAX, INT32_MAX, INT32_MAX}}));
}

TEST_F(RefreshWeights, ASelfLoopGetsWeightZero) {
    if (REFUSE_SELF_LOOP) GTEST_SKIP() << "this build refuses self-loops";
    add(2, 2);
    edge(2, 2, 2, 2, 9);
    refresh();
    EXPECT_EQ(entries_of(list), (std::vector<Entry>{{2, 2, 0}, {2, 2, 0}}));
}

TEST_F(RefreshWeights, PathsAfterwardsUseTheRefreshedWeights) {
    add(0, 0);   // A
    add(10, 0);  // B
    add(5, 5);   // M, off the straight line
    edge(0, 0, 10, 0, 100);
    edge(0, 0, 5, 5, 1);
    edge(5, 5, 10, 0, 1);
    ASSERT_NE(shortest_path(&graph, 0, 0, 10, 0), nullptr);
    EXPECT_EQ(path_buf[2], 5.0);  // by the given weights the detour through M is cheaper
    refresh();                    // A-B 10; A-M 7, M-B 7
    ASSERT_NE(shortest_path(&graph, 0, 0, 10, 0), nullptr);
    EXPECT_EQ(at(10, 0)->dist, 10);
    EXPECT_EQ(path_buf[2], 0.0);  // B, then A directly
    EXPECT_EQ(path_buf[3], 0.0);
    EXPECT_EQ(path_buf[4], 0.0);
}

#endif  // HAS_REFRESH
