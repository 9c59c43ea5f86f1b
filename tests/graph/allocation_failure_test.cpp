// allocation_failure_test.cpp - every allocation of add_node, add_edge and merge_node made to
// fail in turn: the operation returns false and the graph is the very same as before, record
// for record; once memory is back the operation does what it would have done.
#include <functional>

#include "graph_test.h"
#include "test_host.h"

namespace {

// A graph to start from and one operation on it. `records` is how many records the operation
// creates (nodes plus entries), so at least that many allocations must be able to fail.
struct FailureCase {
    const char*                      name;
    std::function<void(Graph*)>      build;
    std::function<bool(Graph*)>      operation;
    int                              records;
    bool                             needs_self_loops;
};

// Everything that identifies the graph: its text and the address of every record.
struct Identity {
    std::string   text;
    GraphSnapshot records;
    bool operator==(const Identity& o) const {
        return text == o.text && records.nodes == o.records.nodes &&
               records.entries == o.records.entries;
    }
};

Identity identity(const Graph* g) { return {describe_graph(g), snapshot_graph(g)}; }

void build_nodes(Graph* graph, int count) {
    for (int i = 1; i <= count; ++i) ASSERT_TRUE(add_node(graph, i, i, i));
}

// Injection stays switched off whatever a failed expectation does.
struct InjectionOff {
    ~InjectionOff() { fail_allocations_after(-1); }
};

class AllocationFailure : public ::testing::TestWithParam<FailureCase> {};

}  // namespace

TEST_P(AllocationFailure, EachFailingAllocationLeavesTheGraphAsItWas) {
    const FailureCase& c = GetParam();
    if (c.needs_self_loops && REFUSE_SELF_LOOP) GTEST_SKIP() << "this build refuses self-loops";

    // What the operation gives with memory to spare.
    Graph reference = EMPTY_GRAPH;
    c.build(&reference);
    ASSERT_TRUE(c.operation(&reference));
    const std::string wanted = describe_graph(&reference);
    release_graph(&reference);

    Graph graph = EMPTY_GRAPH;
    c.build(&graph);
    const Identity before = identity(&graph);
    InjectionOff off;
    int failures = 0;
    bool done = false;
    for (long allowed = 0; allowed < 64 && !done; ++allowed) {
        fail_allocations_after(allowed);
        bool ok = c.operation(&graph);
        fail_allocations_after(-1);
        if (ok) {
            done = true;
            break;
        }
        ++failures;
        EXPECT_TRUE(identity(&graph) == before)
            << "with " << allowed << " allocations allowed the graph became\n  "
            << describe_graph(&graph) << "\nfrom\n  " << before.text;
        EXPECT_EQ(graph_invariant_violation(&graph, SELF_LOOPS_ALLOWED), "");
    }
    ASSERT_TRUE(done) << "the operation never succeeded";
    EXPECT_GE(failures, c.records);
    EXPECT_EQ(describe_graph(&graph), wanted);
    EXPECT_EQ(graph_invariant_violation(&graph, SELF_LOOPS_ALLOWED), "");
    release_graph(&graph);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, AllocationFailure,
    ::testing::Values(
        FailureCase{"AddNodeToAnEmptyGraph", [](Graph*) {},
                    [](Graph* l) { return add_node(l, 1, 1, 1); }, 1, false},
        FailureCase{"AddNodeAtTheTail", [](Graph* l) { build_nodes(l, 3); },
                    [](Graph* l) { return add_node(l, 9, 9, 9); }, 1, false},
        FailureCase{"AddEdge",
                    [](Graph* l) {
                        build_nodes(l, 3);
                        ASSERT_TRUE(add_edge(l, 1, 1, 3, 3, 4));
                    },
                    [](Graph* l) { return add_edge(l, 1, 1, 2, 2, 5); }, 2, false},
        FailureCase{"AddEdgeToAnEmptyList", [](Graph* l) { build_nodes(l, 2); },
                    [](Graph* l) { return add_edge(l, 2, 2, 1, 1, 5); }, 2, false},
        FailureCase{"AddSelfLoop", [](Graph* l) { build_nodes(l, 2); },
                    [](Graph* l) { return add_edge(l, 2, 2, 2, 2, 5); }, 2, true},
        FailureCase{"MergeWithNewNeighbours",
                    [](Graph* l) {
                        build_nodes(l, 5);  // A (1,1), B (2,2), neighbours (3,3) (4,4) (5,5)
                        for (int k = 3; k <= 5; ++k) ASSERT_TRUE(add_edge(l, 2, 2, k, k, 1));
                    },
                    [](Graph* l) { return merge_node(l, 1, 1, 2, 2); }, 6, false},
        FailureCase{"MergeWithSharedAndNewNeighbours",
                    [](Graph* l) {
                        build_nodes(l, 5);
                        ASSERT_TRUE(add_edge(l, 1, 1, 3, 3, 7));  // shared with B
                        ASSERT_TRUE(add_edge(l, 1, 1, 2, 2, 1));  // A-B
                        ASSERT_TRUE(add_edge(l, 2, 2, 3, 3, 1));
                        ASSERT_TRUE(add_edge(l, 2, 2, 4, 4, 1));  // new for A
                        ASSERT_TRUE(add_edge(l, 4, 4, 5, 5, 1));
                    },
                    [](Graph* l) { return merge_node(l, 1, 1, 2, 2); }, 2, false},
        FailureCase{"MergeOfTheHeadWithASelfLoop",
                    [](Graph* l) {
                        build_nodes(l, 4);  // B is the head
                        ASSERT_TRUE(add_edge(l, 1, 1, 1, 1, 1));
                        ASSERT_TRUE(add_edge(l, 1, 1, 3, 3, 1));
                        ASSERT_TRUE(add_edge(l, 1, 1, 4, 4, 1));
                    },
                    [](Graph* l) { return merge_node(l, 2, 2, 1, 1); }, 4, true}),
    [](const ::testing::TestParamInfo<FailureCase>& i) { return std::string(i.param.name); });

TEST(AllocationFailureAcrossCalls, ARunOfFailuresThenSuccessesBuildsTheSameGraph) {
    // A sequence of operations, each retried until it succeeds, gives the graph that the same
    // sequence gives without any failure.
    auto script = [](Graph* l, bool inject) {
        InjectionOff off;
        auto attempt = [&](const std::function<bool()>& op) {
            for (long allowed = 0; inject && allowed < 8; ++allowed) {
                fail_allocations_after(allowed);
                bool ok = op();
                fail_allocations_after(-1);
                EXPECT_EQ(graph_invariant_violation(l, SELF_LOOPS_ALLOWED), "");
                if (ok) return;
            }
            EXPECT_TRUE(op());
        };
        for (int i = 0; i < 6; ++i) attempt([&] { return add_node(l, i, i * i, i + 1); });
        for (int i = 1; i < 6; ++i) attempt([&] { return add_edge(l, i - 1, (i - 1) * (i - 1), i, i * i, i); });
        attempt([&] { return add_edge(l, 0, 0, 5, 25, 9); });
        attempt([&] { return merge_node(l, 0, 0, 3, 9); });
        attempt([&] { return merge_node(l, 5, 25, 1, 1); });
        attempt([&] { return add_node(l, 3, 9, 70); });
    };
    Graph plain = EMPTY_GRAPH;
    Graph injected = EMPTY_GRAPH;
    script(&plain, false);
    script(&injected, true);
    EXPECT_EQ(describe_graph(&injected), describe_graph(&plain));
    release_graph(&plain);
    release_graph(&injected);
}
