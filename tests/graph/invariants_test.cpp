// invariants_test.cpp - the checker itself: a sound graph passes, and each kind of damage is
// named. Graphs here are built by hand on the stack, never by the store, so that they can be
// broken in ways the store must never produce.
#include "graph_test.h"

namespace {

// Three nodes (1,1), (2,2), (3,3) in a list; entries are added by the cases.
struct HandGraph {
    Node n[3]{};
    Edge e[8]{};
    int  used = 0;

    HandGraph() {
        for (int i = 0; i < 3; ++i) {
            n[i].x = n[i].y = i + 1;
            n[i].next = i < 2 ? &n[i + 1] : nullptr;
            n[i].dist = DIST_UNSET;
        }
    }
    // Appends an entry from n[from] to `to` with weight w.
    Edge* entry(int from, Node* to, std::int32_t w = 1) {
        Edge* x = &e[used++];
        x->to = to;
        x->weight = w;
        Edge** link = &n[from].edges;
        while (*link) link = &(*link)->next;
        *link = x;
        return x;
    }
    void edge(int a, int b, std::int32_t w = 1) {
        entry(a, &n[b], w);
        entry(b, &n[a], w);
    }
    Graph whole = {&n[0]};  // the default store's graph is its list
    const Graph* graph() const { return &whole; }
};

}  // namespace

TEST(GraphInvariants, HoldForASoundGraph) {
    HandGraph g;
    g.edge(0, 1);
    g.edge(1, 2, 5);
    g.edge(2, 2, 3);  // a self-loop: two entries
    EXPECT_EQ(graph_invariant_violation(g.graph(), true), "");
    const Graph empty = EMPTY_GRAPH;
    EXPECT_EQ(graph_invariant_violation(&empty, false), "");
    EXPECT_EQ(weight_pairing_violation(g.graph()), "");
}

TEST(GraphInvariants, NameAnEntryWithoutItsPair) {
    HandGraph g;
    g.edge(0, 1);
    g.entry(0, &g.n[2]);
    EXPECT_NE(graph_invariant_violation(g.graph(), true).find("pairing"), std::string::npos);
}

TEST(GraphInvariants, NameTwoEntriesToOneNeighbour) {
    HandGraph g;
    g.edge(0, 1);
    g.edge(0, 1);
    EXPECT_NE(graph_invariant_violation(g.graph(), true).find("holds 2 entries"),
              std::string::npos);
}

TEST(GraphInvariants, NameASelfLoopOfOneEntryOrWhereRefused) {
    HandGraph g;
    g.entry(1, &g.n[1]);
    EXPECT_NE(graph_invariant_violation(g.graph(), true), "");
    g.entry(1, &g.n[1]);
    EXPECT_EQ(graph_invariant_violation(g.graph(), true), "");
    EXPECT_NE(graph_invariant_violation(g.graph(), false).find("refuses"), std::string::npos);
}

TEST(GraphInvariants, NameAnEntryToANodeOutsideTheList) {
    HandGraph g;
    Node released{};
    g.entry(0, &released);
    EXPECT_NE(graph_invariant_violation(g.graph(), true).find("not in the list"),
              std::string::npos);
    g.e[0].to = nullptr;
    EXPECT_NE(graph_invariant_violation(g.graph(), true).find("null"), std::string::npos);
}

TEST(GraphInvariants, StopAtACycleInTheNodeList) {
    HandGraph g;
    g.n[2].next = &g.n[1];
    EXPECT_NE(graph_invariant_violation(g.graph(), true).find("cycle"), std::string::npos);
    EXPECT_NE(weight_pairing_violation(g.graph()), "");
    EXPECT_NE(search_state_violation(g.graph()), "");
}

TEST(GraphInvariants, StopAtACycleInAnAdjacencyListOrAnEntryInTwoLists) {
    HandGraph g;
    g.edge(0, 1);
    g.e[0].next = &g.e[0];
    EXPECT_NE(graph_invariant_violation(g.graph(), true).find("met before"), std::string::npos);
    EXPECT_NE(weight_pairing_violation(g.graph()), "");

    HandGraph shared;
    shared.edge(0, 1);
    shared.n[2].edges = &shared.e[0];  // n[0]'s entry is in n[2]'s list too
    EXPECT_NE(graph_invariant_violation(shared.graph(), true).find("met before"),
              std::string::npos);
}

TEST(WeightPairing, NamesUnequalWeightsButNotASelfLoops) {
    HandGraph g;
    g.edge(0, 1, 4);
    g.e[1].weight = 5;
    EXPECT_NE(weight_pairing_violation(g.graph()).find("weighs 5"), std::string::npos);
    HandGraph loop;
    loop.edge(2, 2, 4);
    loop.e[1].weight = 5;  // set_edge_weight writes only a self-loop's first entry
    EXPECT_EQ(weight_pairing_violation(loop.graph()), "");
}

TEST(CreationOrder, AcceptsRemovalsAndAppendsAtTheTail) {
    HandGraph g;
    g.edge(0, 1);
    GraphSnapshot before = snapshot_graph(g.graph());
    g.n[0].next = &g.n[2];  // n[1] removed
    g.n[0].edges = nullptr;
    g.entry(0, &g.n[2]);  // a new entry (its pair is not the point here)
    EXPECT_EQ(order_violation(before, g.graph()), "");
}

TEST(CreationOrder, NamesANewNodeBeforeAnOldOneAndAReorderedList) {
    HandGraph g;
    GraphSnapshot two;
    two.nodes = {&g.n[0], &g.n[2]};
    two.entries = {{}, {}};
    EXPECT_NE(order_violation(two, g.graph()).find("new node"), std::string::npos);

    GraphSnapshot before = snapshot_graph(g.graph());
    g.n[0].next = &g.n[2];
    g.n[2].next = &g.n[1];
    g.n[1].next = nullptr;
    EXPECT_NE(order_violation(before, g.graph()).find("out of creation order"),
              std::string::npos);
}

TEST(CreationOrder, NamesAnEntryPutAtTheHeadOfAList) {
    HandGraph g;
    g.entry(0, &g.n[1]);
    GraphSnapshot before = snapshot_graph(g.graph());
    Edge* added = &g.e[g.used++];
    added->to = &g.n[2];
    added->next = g.n[0].edges;
    g.n[0].edges = added;
    EXPECT_NE(order_violation(before, g.graph()).find("new entry"), std::string::npos);
}

TEST(SearchState, HoldsForAHandMadeFinishedSearch) {
    HandGraph g;
    g.edge(0, 1, 2);
    g.edge(1, 2, 3);
    g.n[0].dist = 0;
    g.n[0].done = 1;
    g.n[1].dist = 2;
    g.n[1].done = 1;
    g.n[1].prev = &g.n[0];
    g.n[2].dist = 5;
    g.n[2].prev = &g.n[1];  // the goal: not settled
    EXPECT_EQ(search_state_violation(g.graph()), "");

    g.n[2].dist = 6;  // more than its settled neighbour offered
    EXPECT_NE(search_state_violation(g.graph()), "");
    g.n[2].dist = 4;  // less than its prev explains
    EXPECT_NE(search_state_violation(g.graph()).find("no entry of the prev"), std::string::npos);
    g.n[2].dist = 5;
    g.n[1].done = 0;  // a prev that was never settled
    EXPECT_NE(search_state_violation(g.graph()).find("never settled"), std::string::npos);
}

TEST(SearchState, NamesAnUnreachedNodeWithAPrevOrSettledPastTheCutoff) {
    HandGraph g;
    g.n[1].prev = &g.n[0];
    EXPECT_NE(search_state_violation(g.graph()).find("never reached"), std::string::npos);
    g.n[1].prev = nullptr;
    g.n[1].dist = DIST_CUTOFF;
    g.n[1].done = 1;
    EXPECT_NE(search_state_violation(g.graph()).find("cutoff"), std::string::npos);
}
