// merge_test.cpp - merge_node: B's neighbours move to A at their distance, shared neighbours
// keep their weight, B leaves the list, and every case that must change nothing.
#include "graph_test.h"

class MergeNode : public GraphTest {};

TEST_F(MergeNode, GivesAEachNeighbourOfBAtTheTruncatedDistanceInBsOrder) {
    add(0, 0, 1);  // A
    add(5, 5, 2);  // B
    add(3, 4, 3);  // K1
    add(1, 1, 4);  // K2
    edge(5, 5, 3, 4, 100);
    edge(5, 5, 1, 1, 200);
    merge(0, 0, 5, 5);
    EXPECT_EQ(positions(list), (std::vector<Position>{{0, 0}, {3, 4}, {1, 1}}));
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{1, 3, 4}));
    EXPECT_EQ(entries_of(at(0, 0)), (std::vector<Entry>{{3, 4, 5}, {1, 1, 1}}));
    EXPECT_EQ(entries_of(at(3, 4)), (std::vector<Entry>{{0, 0, 5}}));
    EXPECT_EQ(entries_of(at(1, 1)), (std::vector<Entry>{{0, 0, 1}}));
}

TEST_F(MergeNode, AppendsNewEntriesAtTheTailOfExistingLists) {
    add(0, 0);   // A
    add(9, 9);   // B
    add(6, 8);   // K
    add(7, 7);   // A's old neighbour
    add(2, 2);   // K's old neighbour
    edge(0, 0, 7, 7, 1);
    edge(6, 8, 2, 2, 2);
    edge(9, 9, 6, 8, 3);
    merge(0, 0, 9, 9);
    EXPECT_EQ(entries_of(at(0, 0)), (std::vector<Entry>{{7, 7, 1}, {6, 8, 10}}));
    EXPECT_EQ(entries_of(at(6, 8)), (std::vector<Entry>{{2, 2, 2}, {0, 0, 10}}));
}

TEST_F(MergeNode, ASharedNeighbourKeepsItsEdgeToAAndLosesB) {
    add(0, 0);  // A
    add(1, 0);  // B
    add(3, 4);  // K, joined to both
    edge(0, 0, 3, 4, 9);
    edge(1, 0, 3, 4, 2);
    merge(0, 0, 1, 0);
    EXPECT_EQ(entries_of(at(0, 0)), (std::vector<Entry>{{3, 4, 9}}));
    EXPECT_EQ(entries_of(at(3, 4)), (std::vector<Entry>{{0, 0, 9}}));
}

TEST_F(MergeNode, AnEdgeBetweenAAndBVanishesAndAGainsNoSelfLoop) {
    add(0, 0);  // A
    add(1, 0);  // B
    add(2, 0);  // K
    edge(0, 0, 1, 0, 4);
    edge(1, 0, 2, 0, 4);
    merge(0, 0, 1, 0);
    EXPECT_EQ(entries_of(at(0, 0)), (std::vector<Entry>{{2, 0, 2}}));
    EXPECT_EQ(entries_of(at(2, 0)), (std::vector<Entry>{{0, 0, 2}}));
}

TEST_F(MergeNode, OfTheHeadMakesTheNextNodeTheHead) {
    add(1, 1);  // B, the head
    add(2, 2);  // A
    add(3, 3);
    edge(1, 1, 3, 3, 1);
    merge(2, 2, 1, 1);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(positions(list), (std::vector<Position>{{2, 2}, {3, 3}}));
    EXPECT_EQ(entries_of(at(2, 2)), (std::vector<Entry>{{3, 3, 1}}));
}

TEST_F(MergeNode, OfTheTailAndOfAMiddleNodeKeepsTheOthersInOrder) {
    for (int i = 1; i <= 5; ++i) add(i, i, i);
    merge(1, 1, 5, 5);
    merge(1, 1, 3, 3);
    EXPECT_EQ(positions(list), (std::vector<Position>{{1, 1}, {2, 2}, {4, 4}}));
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{1, 2, 4}));
    add(5, 5, 50);  // the tail is sound: a new node follows (4,4)
    EXPECT_EQ(positions(list).back(), Position(5, 5));
}

TEST_F(MergeNode, OfANodeIntoItselfRemovesItAndEveryEdgeAtIt) {
    add(1, 1);
    add(2, 2);  // the node removed
    add(3, 3);
    edge(2, 2, 1, 1, 1);
    edge(3, 3, 2, 2, 1);
    edge(1, 1, 3, 3, 7);
    merge(2, 2, 2, 2);
    EXPECT_EQ(positions(list), (std::vector<Position>{{1, 1}, {3, 3}}));
    EXPECT_EQ(entries_of(at(1, 1)), (std::vector<Entry>{{3, 3, 7}}));
    EXPECT_EQ(entries_of(at(3, 3)), (std::vector<Entry>{{1, 1, 7}}));
}

TEST_F(MergeNode, OfTheOnlyNodeIntoItselfEmptiesTheGraph) {
    add(1, 1);
    merge(1, 1, 1, 1);
    EXPECT_EQ(list, nullptr);
}

struct MissingMergeCase {
    const char*  name;
    std::int32_t ax, ay, bx, by;
};
class MergeNodeChangesNothing : public GraphTest,
                                public ::testing::WithParamInterface<MissingMergeCase> {};

TEST_P(MergeNodeChangesNothing, WhenANodeIsMissing) {
    const MissingMergeCase& c = GetParam();
    add(1, 1);
    add(2, 2);
    edge(1, 1, 2, 2, 3);
    std::string before = describe_graph(&graph);
    merge(c.ax, c.ay, c.bx, c.by);
    EXPECT_EQ(describe_graph(&graph), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeNodeChangesNothing,
    ::testing::Values(MissingMergeCase{"NoA", 9, 9, 2, 2}, MissingMergeCase{"NoB", 1, 1, 9, 9},
                      MissingMergeCase{"Neither", 8, 8, 9, 9},
                      MissingMergeCase{"NoneAtEither", 9, 9, 9, 9}),
    [](const ::testing::TestParamInfo<MissingMergeCase>& i) { return std::string(i.param.name); });

TEST_F(MergeNode, OnAnEmptyGraphChangesNothing) {
    merge(1, 1, 1, 1);
    EXPECT_EQ(list, nullptr);
}

TEST_F(MergeNode, TakesTheLastNodeAtEachSharedPosition) {
    add(1, 1, 10);  // first at (1,1)
    add(2, 2, 20);  // first at (2,2)
    add(3, 3, 30);  // A: moved to (1,1), the last there
    add(4, 4, 40);  // B: moved to (2,2), the last there
    add(5, 5, 50);  // B's neighbour
    edge(4, 4, 5, 5, 1);
    move(3, 3, 1, 1);
    move(4, 4, 2, 2);
    merge(1, 1, 2, 2);
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{10, 20, 30, 50}));
    EXPECT_TRUE(entries_of(node_at(list, 0)).empty());
    EXPECT_EQ(entries_of(node_at(list, 2)), (std::vector<Entry>{{5, 5, 5}}));
    EXPECT_EQ(node_at(list, 2)->edges->to, node_at(list, 3));
}

TEST_F(MergeNode, DropsBsSelfLoopAndGivesANoEntryToItselfOrB) {
    if (REFUSE_SELF_LOOP) GTEST_SKIP() << "this build refuses self-loops";
    add(0, 0);  // A
    add(1, 0);  // B, with a self-loop
    add(2, 0);  // K
    edge(1, 0, 1, 0, 4);
    edge(1, 0, 2, 0, 4);
    edge(0, 0, 1, 0, 4);
    merge(0, 0, 1, 0);
    EXPECT_EQ(positions(list), (std::vector<Position>{{0, 0}, {2, 0}}));
    EXPECT_EQ(entries_of(at(0, 0)), (std::vector<Entry>{{2, 0, 2}}));
    EXPECT_EQ(entries_of(at(2, 0)), (std::vector<Entry>{{0, 0, 2}}));
}

TEST_F(MergeNode, OfASelfLoopedNodeIntoItselfRemovesIt) {
    if (REFUSE_SELF_LOOP) GTEST_SKIP() << "this build refuses self-loops";
    add(1, 0);
    add(2, 0);
    edge(2, 0, 2, 0, 1);
    edge(2, 0, 1, 0, 1);
    edge(2, 0, 2, 0, 1);  // a repeat; changes nothing
    merge(2, 0, 2, 0);
    EXPECT_EQ(positions(list), (std::vector<Position>{{1, 0}}));
    EXPECT_TRUE(entries_of(list).empty());
}

TEST_F(MergeNode, KeepsAsOwnSelfLoop) {
    if (REFUSE_SELF_LOOP) GTEST_SKIP() << "this build refuses self-loops";
    add(0, 0);
    add(3, 4);
    add(6, 8);
    edge(0, 0, 0, 0, 7);
    edge(3, 4, 6, 8, 1);
    merge(0, 0, 3, 4);
    EXPECT_EQ(entries_of(at(0, 0)), (std::vector<Entry>{{0, 0, 7}, {0, 0, 7}, {6, 8, 10}}));
}

// The weight of a re-attached edge is the distance between A and K, as node_distance gives it,
// with no overflow however far apart they are.
struct MergeWeightCase {
    std::int32_t ax, ay, kx, ky, weight;
};
class MergeWeight : public GraphTest, public ::testing::WithParamInterface<MergeWeightCase> {};

TEST_P(MergeWeight, IsTheTruncatedDistanceClampedToInt32Max) {
    const MergeWeightCase& c = GetParam();
    // B sits at a position that none of the cases uses.
    const std::int32_t bx = 12345, by = -54321;
    add(c.ax, c.ay);
    add(bx, by);
    add(c.kx, c.ky);
    edge(bx, by, c.kx, c.ky, 1);
    merge(c.ax, c.ay, bx, by);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(entries_of(list), (std::vector<Entry>{{c.kx, c.ky, c.weight}}));
    EXPECT_EQ(node_distance(list, list->next), c.weight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeWeight,
    ::testing::Values(MergeWeightCase{0, 0, 3, 4, 5}, MergeWeightCase{0, 0, 1, 1, 1},
                      MergeWeightCase{0, 0, 2, 2, 2}, MergeWeightCase{2, 1, 5, 5, 5},
                      MergeWeightCase{5, 5, 2, 1, 5}, MergeWeightCase{-3, 0, 0, 4, 5},
                      MergeWeightCase{0, 0, 300, 400, 500},
                      // dy squared past int32: the distance is still exact
                      MergeWeightCase{0, 0, 0, 46341, 46341},
                      MergeWeightCase{0, 0, 65536, 65536, 92681},
                      MergeWeightCase{0, 0, INT32_MAX, 0, INT32_MAX},
                      MergeWeightCase{1, 0, INT32_MAX, 0, INT32_MAX - 1},
                      MergeWeightCase{0, 0, INT32_MIN, 0, INT32_MAX},
                      MergeWeightCase{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX},
                      MergeWeightCase{INT32_MAX, 0, INT32_MIN, 0, INT32_MAX}));
