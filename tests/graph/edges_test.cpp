// edges_test.cpp - add_edge, set_edge_weight, link_edge and unlink_edge: pairing, list order,
// the last node for add_edge and the first for set_edge_weight, and what changes nothing.
#include <algorithm>

#include "graph_test.h"

class AddEdge : public GraphTest {};
class SetEdgeWeight : public GraphTest {};
class LinkEdge : public GraphTest {};

TEST_F(AddEdge, MakesOneEntryInEachListWithTheSameWeight) {
    add(1, 1);
    add(2, 2);
    edge(1, 1, 2, 2, 7);
    EXPECT_EQ(entries_of(at(1, 1)), (std::vector<Entry>{{2, 2, 7}}));
    EXPECT_EQ(entries_of(at(2, 2)), (std::vector<Entry>{{1, 1, 7}}));
}

TEST_F(AddEdge, AppendsAtTheTailSoListsKeepCreationOrder) {
    for (int i = 1; i <= 4; ++i) add(i, i);
    edge(1, 1, 3, 3, 13);
    edge(1, 1, 2, 2, 12);
    edge(4, 4, 1, 1, 14);
    edge(2, 2, 3, 3, 23);
    EXPECT_EQ(entries_of(at(1, 1)), (std::vector<Entry>{{3, 3, 13}, {2, 2, 12}, {4, 4, 14}}));
    EXPECT_EQ(entries_of(at(2, 2)), (std::vector<Entry>{{1, 1, 12}, {3, 3, 23}}));
    EXPECT_EQ(entries_of(at(3, 3)), (std::vector<Entry>{{1, 1, 13}, {2, 2, 23}}));
    EXPECT_EQ(entries_of(at(4, 4)), (std::vector<Entry>{{1, 1, 14}}));
}

TEST_F(AddEdge, StoresAnyWeightUnchanged) {
    const std::int32_t weights[] = {0, -1, -30000, INT32_MIN, INT32_MAX, 29999};
    add(0, 0);
    int i = 1;
    for (std::int32_t w : weights) {
        add(i, 0);
        edge(0, 0, i, 0, w);
        EXPECT_EQ(entries_of(at(i, 0)), (std::vector<Entry>{{0, 0, w}}));
        ++i;
    }
    EXPECT_EQ(weight_pairing_violation(&graph), "");
}

// Calls that must leave the graph exactly as it was: nodes at (1,1), (2,2) joined with 5.
struct NoEdgeCase {
    const char*  name;
    std::int32_t ax, ay, bx, by;
};
class AddEdgeChangesNothing : public GraphTest,
                              public ::testing::WithParamInterface<NoEdgeCase> {};

TEST_P(AddEdgeChangesNothing, WhenNodeMissingOrJoinedAlready) {
    const NoEdgeCase& c = GetParam();
    add(1, 1);
    add(2, 2);
    edge(1, 1, 2, 2, 5);
    std::string before = describe_graph(&graph);
    edge(c.ax, c.ay, c.bx, c.by, 99);
    EXPECT_EQ(describe_graph(&graph), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddEdgeChangesNothing,
    ::testing::Values(NoEdgeCase{"Again", 1, 1, 2, 2}, NoEdgeCase{"Reversed", 2, 2, 1, 1},
                      NoEdgeCase{"NoB", 1, 1, 3, 3}, NoEdgeCase{"NoA", 3, 3, 1, 1},
                      NoEdgeCase{"Neither", 3, 3, 4, 4},
                      NoEdgeCase{"SwappedCoordinates", 1, 1, 1, 2}),
    [](const ::testing::TestParamInfo<NoEdgeCase>& i) { return std::string(i.param.name); });

TEST_F(AddEdge, OnAnEmptyGraphChangesNothing) {
    edge(0, 0, 0, 0, 1);
    EXPECT_EQ(list, nullptr);
}

TEST_F(AddEdge, FromANodeToItselfFollowsTheBuildsSelfLoopRule) {
    add(1, 1);
    edge(1, 1, 1, 1, 6);
    if (REFUSE_SELF_LOOP) {
        EXPECT_TRUE(entries_of(at(1, 1)).empty());
    } else {
        EXPECT_EQ(entries_of(at(1, 1)), (std::vector<Entry>{{1, 1, 6}, {1, 1, 6}}));
    }
    std::string before = describe_graph(&graph);
    edge(1, 1, 1, 1, 8);  // a repeat stops at the entry to the own position
    EXPECT_EQ(describe_graph(&graph), before);
}

TEST_F(AddEdge, JoinsTheLastNodesAtSharedPositions) {
    add(1, 1, 10);
    add(2, 2, 20);
    add(3, 3, 30);
    add(4, 4, 40);
    move(3, 3, 1, 1);  // nodes 10 and 30 at (1,1)
    move(4, 4, 2, 2);  // nodes 20 and 40 at (2,2)
    edge(1, 1, 2, 2, 5);
    EXPECT_TRUE(entries_of(node_at(list, 0)).empty());
    EXPECT_TRUE(entries_of(node_at(list, 1)).empty());
    EXPECT_EQ(entries_of(node_at(list, 2)), (std::vector<Entry>{{2, 2, 5}}));
    EXPECT_EQ(entries_of(node_at(list, 3)), (std::vector<Entry>{{1, 1, 5}}));
    EXPECT_EQ(node_at(list, 2)->edges->to, node_at(list, 3));
}

TEST_F(AddEdge, ComparesAsExistingEdgeByPositionInAsListOnly) {
    // A (first at (1,1)) is joined to P at (2,2); Q moves onto (2,2) and is the last there.
    // A already has an entry to a node at (2,2), so A-Q is not made.
    add(1, 1);
    add(2, 2);
    add(3, 3);
    edge(1, 1, 2, 2, 5);
    move(3, 3, 2, 2);
    std::string before = describe_graph(&graph);
    edge(1, 1, 2, 2, 9);
    EXPECT_EQ(describe_graph(&graph), before);
    // From Q's side A's position is free of entries, so Q-A is made; B's (A's) list is not
    // examined, though it already holds an entry to a node at Q's position.
    edge(2, 2, 1, 1, 9);
    EXPECT_EQ(entries_of(node_at(list, 2)), (std::vector<Entry>{{1, 1, 9}}));
    EXPECT_EQ(entries_of(list), (std::vector<Entry>{{2, 2, 5}, {2, 2, 9}}));
}

TEST_F(AddEdge, SelfLoopOnASharedPositionJoinsTheLastNode) {
    if (REFUSE_SELF_LOOP) GTEST_SKIP() << "this build refuses self-loops";
    add(1, 1);
    add(2, 2);
    move(2, 2, 1, 1);
    edge(1, 1, 1, 1, 4);
    EXPECT_TRUE(entries_of(node_at(list, 0)).empty());
    EXPECT_EQ(entries_of(node_at(list, 1)), (std::vector<Entry>{{1, 1, 4}, {1, 1, 4}}));
    EXPECT_EQ(node_at(list, 1)->edges->to, node_at(list, 1));
}

TEST_F(AddEdge, BetweenTwoNodesOnOnePositionIsRefusedOrASelfLoopOfTheLast) {
    // Both positions select the last node: the edge is a self-loop, never one between the two.
    add(1, 1);
    add(2, 2);
    move(1, 1, 2, 2);
    edge(2, 2, 2, 2, 3);
    EXPECT_TRUE(entries_of(node_at(list, 0)).empty());
    EXPECT_EQ(entries_of(node_at(list, 1)).size(), REFUSE_SELF_LOOP ? 0u : 2u);
}

TEST_F(SetEdgeWeight, ChangesBothEntriesAndNothingElse) {
    add(1, 1);
    add(2, 2);
    add(3, 3);
    edge(1, 1, 2, 2, 5);
    edge(1, 1, 3, 3, 6);
    set_weight(2, 2, 1, 1, -4);
    EXPECT_EQ(entries_of(at(1, 1)), (std::vector<Entry>{{2, 2, -4}, {3, 3, 6}}));
    EXPECT_EQ(entries_of(at(2, 2)), (std::vector<Entry>{{1, 1, -4}}));
    EXPECT_EQ(entries_of(at(3, 3)), (std::vector<Entry>{{1, 1, 6}}));
    set_weight(1, 1, 3, 3, INT32_MIN);
    set_weight(1, 1, 2, 2, INT32_MAX);
    EXPECT_EQ(entries_of(at(1, 1)), (std::vector<Entry>{{2, 2, INT32_MAX}, {3, 3, INT32_MIN}}));
    EXPECT_EQ(weight_pairing_violation(&graph), "");
}

// Each of the two steps acts only where its node and its entry exist. The graph: nodes at
// (1,1), (2,2), (3,3); an edge (1,1)-(2,2) of weight 5; (3,3) has no edge.
struct MissingPartCase {
    const char*  name;
    std::int32_t ax, ay, bx, by;
};
class SetEdgeWeightWithMissingParts : public GraphTest,
                                      public ::testing::WithParamInterface<MissingPartCase> {};

TEST_P(SetEdgeWeightWithMissingParts, ChangesNothing) {
    const MissingPartCase& c = GetParam();
    add(1, 1);
    add(2, 2);
    add(3, 3);
    edge(1, 1, 2, 2, 5);
    std::string before = describe_graph(&graph);
    set_weight(c.ax, c.ay, c.bx, c.by, 77);
    EXPECT_EQ(describe_graph(&graph), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetEdgeWeightWithMissingParts,
    ::testing::Values(MissingPartCase{"NoNodeAtA", 9, 9, 2, 2},
                      MissingPartCase{"NoNodeAtB", 1, 1, 9, 9},
                      MissingPartCase{"NeitherNode", 8, 8, 9, 9},
                      MissingPartCase{"NodesWithoutEntry", 1, 1, 3, 3},
                      MissingPartCase{"SamePosition", 1, 1, 1, 1}),
    [](const ::testing::TestParamInfo<MissingPartCase>& i) { return std::string(i.param.name); });

TEST_F(SetEdgeWeight, OnAnEmptyGraphChangesNothing) {
    set_weight(1, 1, 2, 2, 3);
    EXPECT_EQ(list, nullptr);
}

TEST_F(SetEdgeWeight, TakesTheFirstNodeAtEachPositionAndDoesEachStepOnItsOwn) {
    // P (first at (1,1)) has no edge; Q, moved onto (1,1) later, is joined to B at (2,2).
    // Step 1 finds P and no entry of P: nothing. Step 2 finds B and its entry to Q: set.
    add(1, 1, 10);  // P
    add(2, 2, 20);  // B
    add(3, 3, 30);  // Q
    edge(3, 3, 2, 2, 5);
    move(3, 3, 1, 1);
    set_weight(1, 1, 2, 2, 8);
    EXPECT_TRUE(entries_of(node_at(list, 0)).empty());
    EXPECT_EQ(entries_of(node_at(list, 1)), (std::vector<Entry>{{1, 1, 8}}));
    EXPECT_EQ(entries_of(node_at(list, 2)), (std::vector<Entry>{{2, 2, 5}}));
}

TEST_F(SetEdgeWeight, OnASelfLoopWritesItsFirstEntryTwice) {
    if (REFUSE_SELF_LOOP) GTEST_SKIP() << "this build refuses self-loops";
    add(1, 1);
    edge(1, 1, 1, 1, 4);
    set_weight(1, 1, 1, 1, 9);
    EXPECT_EQ(entries_of(list), (std::vector<Entry>{{1, 1, 9}, {1, 1, 4}}));
}

TEST_F(LinkEdge, TakesASpareAndAppendsUnlessTheTargetIsThereByIdentity) {
    add(1, 1);
    add(2, 2);
    add(3, 3);
    Node* a = at(1, 1);
    Node* b = at(2, 2);
    Node* c = at(3, 3);
    Edge* spare = new Edge{nullptr, 0, nullptr};
    spare = new Edge{spare, 0, nullptr};
    link_edge(a, b, 4, &spare);
    ASSERT_NE(spare, nullptr);
    EXPECT_EQ(spare->next, nullptr);  // one spare used
    link_edge(a, b, 9, &spare);       // joined already: the entry keeps its weight
    ASSERT_NE(spare, nullptr);
    link_edge(a, c, 6, &spare);
    EXPECT_EQ(spare, nullptr);
    EXPECT_EQ(entries_of(a), (std::vector<Entry>{{2, 2, 4}, {3, 3, 6}}));
    // Mend the pairing by hand so that the fixture's checks hold.
    Edge* back = nullptr;
    back = new Edge{nullptr, 0, nullptr};
    link_edge(b, a, 4, &back);
    back = new Edge{nullptr, 0, nullptr};
    link_edge(c, a, 6, &back);
}

TEST_F(LinkEdge, ComparesByIdentityNotPosition) {
    add(1, 1);
    add(2, 2);
    add(3, 3);
    edge(1, 1, 2, 2, 5);
    move(3, 3, 2, 2);  // a second node at (2,2)
    Node* a = list;
    Node* q = list->next->next;
    Edge* spare = new Edge{nullptr, 0, nullptr};
    link_edge(a, q, 7, &spare);
    EXPECT_EQ(spare, nullptr);
    spare = new Edge{nullptr, 0, nullptr};
    link_edge(q, a, 7, &spare);
    EXPECT_EQ(entries_of(a), (std::vector<Entry>{{2, 2, 5}, {2, 2, 7}}));
}

TEST_F(LinkEdge, UnlinkRemovesOnlyTheFirstEntryToTheTarget) {
    if (REFUSE_SELF_LOOP) GTEST_SKIP() << "needs a self-loop's two entries";
    add(1, 1);
    add(2, 2);
    edge(1, 1, 2, 2, 3);
    edge(1, 1, 1, 1, 4);
    set_weight(1, 1, 1, 1, 5);  // the self-loop's entries now tell apart: 5 then 4
    Node* a = at(1, 1);
    unlink_edge(&graph, a, a);
    EXPECT_EQ(entries_of(a), (std::vector<Entry>{{2, 2, 3}, {1, 1, 4}}));
    unlink_edge(&graph, a, a);
    EXPECT_EQ(entries_of(a), (std::vector<Entry>{{2, 2, 3}}));
    unlink_edge(&graph, a, a);  // none left: nothing happens
    EXPECT_EQ(entries_of(a), (std::vector<Entry>{{2, 2, 3}}));
}

TEST_F(LinkEdge, UnlinkFromTheHeadMiddleAndTailOfAList) {
    for (int i = 1; i <= 5; ++i) add(i, 0);
    for (int i = 2; i <= 5; ++i) edge(1, 0, i, 0, i);
    Node* a = at(1, 0);
    const int order[] = {3, 2, 5, 4};  // middle, head, tail, the last one
    std::vector<Entry> expected = {{2, 0, 2}, {3, 0, 3}, {4, 0, 4}, {5, 0, 5}};
    for (int k : order) {
        unlink_edge(&graph, a, at(k, 0));
        unlink_edge(&graph, at(k, 0), a);
        expected.erase(std::find(expected.begin(), expected.end(), Entry{k, 0, k}));
        EXPECT_EQ(entries_of(a), expected) << "after unlinking " << k;
        expect_graph_invariants(&graph);
    }
    EXPECT_EQ(a->edges, nullptr);
}
