// nodes_test.cpp - add_node, find_node and move_node: creation order, keys, shared positions.
#include "graph_test.h"

class AddNode : public GraphTest {};
class FindNode : public GraphTest {};
class MoveNode : public GraphTest {};

TEST_F(AddNode, FirstMakesTheHeadAndLaterOnesAppendInCreationOrder) {
    add(1, 1, 10);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->next, nullptr);
    EXPECT_EQ(list->edges, nullptr);
    add(2, 2, 20);
    add(3, 3, 30);
    EXPECT_EQ(positions(list), (std::vector<Position>{{1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{10, 20, 30}));
}

TEST_F(AddNode, ATakenPositionChangesNothingNotEvenTheValue) {
    add(1, 1, 10);
    add(2, 2, 20);
    std::string before = describe_graph(&graph);
    const Node* head = list;
    add(1, 1, 99);
    add(2, 2, 98);
    EXPECT_EQ(describe_graph(&graph), before);
    EXPECT_EQ(list, head);
}

TEST_F(AddNode, ZeroNegativeAndExtremeCoordinatesAreOrdinaryKeys) {
    const std::vector<Position> keys = {
        {0, 0}, {-1, 0}, {0, -1}, {INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MIN}, {-5, -5}};
    for (const Position& k : keys) add(k.first, k.second, k.first);
    EXPECT_EQ(positions(list), keys);
    for (const Position& k : keys) {
        const Node* n = at(k.first, k.second);
        ASSERT_NE(n, nullptr) << k.first << "," << k.second;
        EXPECT_EQ(n->value, k.first);
    }
}

TEST_F(AddNode, KeysCompareBothCoordinates) {
    add(1, 2);
    add(2, 1);  // same numbers, other order: another key
    add(1, 3);
    EXPECT_EQ(node_count(list), 3u);
}

TEST_F(FindNode, ReturnsNullInAnEmptyGraphAndForAMissingPosition) {
    const Graph empty = EMPTY_GRAPH;
    EXPECT_EQ(find_node(&empty, 0, 0), nullptr);
    add(1, 1);
    EXPECT_EQ(find_node(&graph, 1, 2), nullptr);
    EXPECT_EQ(find_node(&graph, 2, 1), nullptr);
}

TEST_F(FindNode, ReturnsTheFirstOfNodesSharingAPosition) {
    add(1, 1, 10);
    add(2, 2, 20);
    add(3, 3, 30);
    move(3, 3, 2, 2);
    move(1, 1, 2, 2);
    const Node* n = at(2, 2);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n, list);
    EXPECT_EQ(n->value, 10);
}

TEST_F(MoveNode, KeepsPlaceValueAndEdgesAndLeavesWeightsAlone) {
    add(1, 1, 10);
    add(2, 2, 20);
    add(3, 3, 30);
    edge(1, 1, 3, 3, 7);
    move(1, 1, 9, 9);
    EXPECT_EQ(positions(list), (std::vector<Position>{{9, 9}, {2, 2}, {3, 3}}));
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{10, 20, 30}));
    EXPECT_EQ(entries_of(list), (std::vector<Entry>{{3, 3, 7}}));
    EXPECT_EQ(entries_of(at(3, 3)), (std::vector<Entry>{{9, 9, 7}}));
}

TEST_F(MoveNode, FromAnEmptyPositionOrOntoItselfChangesNothing) {
    add(1, 1);
    add(2, 2);
    edge(1, 1, 2, 2, 4);
    std::string before = describe_graph(&graph);
    move(5, 5, 6, 6);
    move(1, 1, 1, 1);
    EXPECT_EQ(describe_graph(&graph), before);
    move_node(&graph, 0, 0, 1, 1);
    Graph empty = EMPTY_GRAPH;
    move_node(&empty, 0, 0, 1, 1);
    EXPECT_EQ(empty.node_list, nullptr);
}

TEST_F(MoveNode, OntoATakenPositionSucceedsAndNodesThenMoveTogether) {
    add(1, 1, 10);
    add(2, 2, 20);
    add(3, 3, 30);
    move(3, 3, 1, 1);
    EXPECT_EQ(positions(list), (std::vector<Position>{{1, 1}, {2, 2}, {1, 1}}));
    move(1, 1, 5, 6);  // both go: moving never parts nodes that share a position
    EXPECT_EQ(positions(list), (std::vector<Position>{{5, 6}, {2, 2}, {5, 6}}));
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{10, 20, 30}));
}

TEST_F(MoveNode, EachNodeIsLookedAtOnceSoAChainOfMovesDoesNotCascade) {
    // (1,1)->(2,2) must not then carry the node on if a later position matches: only the
    // old position is compared, once per node.
    add(1, 1, 10);
    add(2, 2, 20);
    move(1, 1, 2, 2);
    EXPECT_EQ(positions(list), (std::vector<Position>{{2, 2}, {2, 2}}));
}

TEST_F(MoveNode, AddNodeIsRefusedWhereAnyMovedNodeNowStands) {
    add(1, 1, 10);
    add(2, 2, 20);
    move(2, 2, 7, 7);
    add(7, 7, 70);
    add(2, 2, 21);  // the old position is free again
    EXPECT_EQ(positions(list), (std::vector<Position>{{1, 1}, {7, 7}, {2, 2}}));
    EXPECT_EQ(values(list), (std::vector<std::int32_t>{10, 20, 21}));
}

TEST_F(MoveNode, AcceptsTheInt32Limits) {
    add(0, 0, 3);
    move(0, 0, INT32_MIN, INT32_MAX);
    EXPECT_EQ(positions(list), (std::vector<Position>{{INT32_MIN, INT32_MAX}}));
    move(INT32_MIN, INT32_MAX, 0, 0);
    EXPECT_EQ(positions(list), (std::vector<Position>{{0, 0}}));
}

TEST(ReleaseGraph, FreesEveryNodeAndEntryAndLeavesTheHeadNull) {
    Graph graph = EMPTY_GRAPH;
    Node*& list = graph.node_list;
    release_graph(&graph);  // an empty graph is fine
    EXPECT_EQ(list, nullptr);
    for (int i = 1; i <= 5; ++i) ASSERT_TRUE(add_node(&graph, i, i, i));
    for (int i = 1; i <= 5; ++i) ASSERT_TRUE(add_edge(&graph, i, i, 1 + i % 5, 1 + i % 5, i));
    if (SELF_LOOPS_ALLOWED) {
        ASSERT_TRUE(add_edge(&graph, 3, 3, 3, 3, 1));
    }
    release_graph(&graph);  // the leak checker of the sanitizer build sees what is left
    EXPECT_EQ(list, nullptr);
}
