// protocol_test.cpp - protocol behaviour the scenario files cannot express: results stored
// whatever nlhs is, failed allocations that raise outOfMemory and leave the graph as it was, and
// messages that read the same in every rounding direction.
#include <gtest/gtest.h>

#include <cfenv>

#include <string>
#include <vector>

#include "graph.h"
#include "plugin_graph.h"
#include "settings.h"  // HAS_GRID
#include "test_host.h"

namespace {

struct Call7 {
    double ax, ay, bx, by, w, code, val;
};

CallOutcome run(const Call7& c, int nlhs = 1) {
    return call_plugin({scalar_arg(c.ax), scalar_arg(c.ay), scalar_arg(c.bx), scalar_arg(c.by),
                        scalar_arg(c.w), scalar_arg(c.code), scalar_arg(c.val)},
                       nlhs);
}

// The graph as the protocol shows it: the listing, then each node's neighbours, as text.
// Nodes here have nonzero coordinates and values, so nothing is hidden by the zero rule.
std::string graph_as_seen() {
    const CallOutcome list = call7(0, 0, 0, 0, 0, 6, 0);
    if (list.raised || !list.result) return "listing failed";
    const HostArray& l = *list.result;
    std::string text;
    for (double v : l.data) text += std::to_string(static_cast<long long>(v)) + " ";
    if (l.rows != 3) return text;
    for (std::size_t c = 0; c < l.cols; ++c) {
        const CallOutcome n = call7(l.data[3 * c], l.data[3 * c + 1], 0, 0, 0, 1, 0);
        text += "|";
        if (n.result)
            for (double v : n.result->data) text += std::to_string(static_cast<long long>(v)) + " ";
    }
    return text;
}

// ---- nlhs ----

class ResultSlot : public testing::Test {
protected:
    void SetUp() override {
        unload_plugin();
        ASSERT_FALSE(call7(1, 1, 0, 0, 0, 0, 5).raised);
        ASSERT_FALSE(call7(2, 2, 1, 1, 3, 0, 6).raised);
    }
    void TearDown() override { unload_plugin(); }
};

// MATLAB passes nlhs 0 for a call whose result is not assigned; it still shows the result as
// ans, so the three answering commands store one whatever nlhs is.
TEST_F(ResultSlot, AnsweringCommandsStoreAResultWithNlhsZero) {
    const Call7 answering[] = {
        {2, 2, 0, 0, 0, 1, 0},  // neighbours
        {1, 1, 2, 2, 0, 4, 0},  // path
        {0, 0, 0, 0, 0, 6, 0},  // list
    };
    const std::vector<double> expected[] = {{1, 1}, {2, 2, 1, 1}, {1, 1, 5, 2, 2, 6}};
    for (int k = 0; k < 3; ++k) {
        const CallOutcome out = run(answering[k], 0);
        ASSERT_FALSE(out.raised) << "code " << answering[k].code;
        ASSERT_TRUE(out.result) << "code " << answering[k].code;
        EXPECT_EQ(out.result->data, expected[k]) << "code " << answering[k].code;
    }
}

TEST_F(ResultSlot, OtherCommandsStoreNothingWithNlhsZeroOrOne) {
    const Call7 silent[] = {
        {3, 3, 0, 0, 0, 0, 7},  // add
        {3, 3, 4, 4, 0, 2, 0},  // move
        {1, 1, 2, 2, 9, 3, 0},  // set weight
        {1, 1, 4, 4, 0, 5, 0},  // merge
        {1, 1, 1, 0, 0, 7, 0},  // grid import or refresh; nothing in the 32-bit main
        {1, 1, 0, 0, 0, 8, 0},  // unrecognised
    };
    for (int nlhs : {0, 1})
        for (const Call7& c : silent) {
            const CallOutcome out = run(c, nlhs);
            EXPECT_FALSE(out.raised) << "code " << c.code << ", nlhs " << nlhs;
            EXPECT_FALSE(out.result) << "code " << c.code << ", nlhs " << nlhs;
        }
}

// ---- allocation failure ----

// A graph to start from, a call that allocates `records` nodes and entries on it, and what
// the graph shows once the call has gone through.
struct FailureCase {
    const char*        name;
    std::vector<Call7> build;
    Call7              call;
    int                records;
};

// The records a call allocates one by one: the indexed store takes its nodes and entries from
// blocks of its own storage, which StorageFailure fails.
int allocated_records(const FailureCase& fc) { return HAS_INDEX ? 0 : fc.records; }

// The nodes and entries the indexed store's pools have handed out, the free ones included, and
// how many are free; a call made while none is free takes as many as the first count grows.
// Both 0 in the default store, whose records the allocation counter counts.
struct PoolRecords {
    long handed_out = 0;
    long free = 0;
};

PoolRecords pool_records() {
    PoolRecords c;
#if GRAPH_INDEXED
    const Graph& g = plugin_graph;
    c.handed_out = static_cast<long>(g.nodes.fresh - 1);
    if (g.entries.blocks)
        c.handed_out += static_cast<long>((g.entries.blocks - 1) * ENTRY_BLOCK + g.entries.used);
    for (NodeRef r = g.nodes.free_head; r; r = node_at(&g, r)->next) ++c.free;
    for (const Edge* e = g.entries.free_head; e; e = e->next) ++c.free;
#endif
    return c;
}

const FailureCase failure_cases[] = {
    {"first node", {}, {1, 1, 0, 0, 0, 0, 1}, 1},
    {"node after others", {{1, 1, 0, 0, 0, 0, 1}, {2, 2, 1, 1, 4, 0, 2}}, {3, 3, 0, 0, 0, 0, 3}, 1},
    {"edge between existing nodes",
     {{1, 1, 0, 0, 0, 0, 1}, {2, 2, 0, 0, 0, 0, 2}, {3, 3, 1, 1, 1, 0, 3}},
     {1, 1, 2, 2, 5, 0, 1},
     2},
    {"new node with its edge", {{1, 1, 0, 0, 0, 0, 1}}, {2, 2, 1, 1, 5, 0, 2}, 3},
    {"merge gaining two neighbours",
     {{1, 1, 0, 0, 0, 0, 1},
      {5, 5, 0, 0, 0, 0, 5},
      {3, 4, 5, 5, 1, 0, 3},
      {6, 6, 5, 5, 1, 0, 6},
      {7, 7, 1, 1, 1, 0, 7}},
     {1, 1, 5, 5, 0, 5, 0},
     4},
    // K is a neighbour of both: only the edge to L is new, and only its two entries are made.
    {"merge with a shared neighbour",
     {{1, 1, 0, 0, 0, 0, 1},
      {5, 5, 0, 0, 0, 0, 5},
      {3, 3, 1, 1, 1, 0, 3},
      {3, 3, 5, 5, 1, 0, 3},
      {6, 6, 5, 5, 1, 0, 6}},
     {1, 1, 5, 5, 0, 5, 0},
     2},
};

void PrintTo(const FailureCase& fc, std::ostream* os) { *os << fc.name; }

class AllocationFailure : public testing::TestWithParam<FailureCase> {
protected:
    void TearDown() override {
        fail_allocations_after(-1);
        unload_plugin();
    }
};

TEST_P(AllocationFailure, RaisesOutOfMemoryAndLeavesTheGraphAsItWas) {
    const FailureCase& fc = GetParam();
    for (int allowed = 0; allowed < allocated_records(fc); ++allowed) {
        unload_plugin();
        for (const Call7& c : fc.build) ASSERT_FALSE(run(c).raised);
        const std::string before = graph_as_seen();

        fail_allocations_after(allowed);
        const CallOutcome out = run(fc.call);
        fail_allocations_after(-1);

        ASSERT_TRUE(out.raised) << allowed << " allocations allowed";
        EXPECT_EQ(out.error.id, std::string(DELIVERABLE) + ":outOfMemory");
        EXPECT_FALSE(out.error.text.empty());
        EXPECT_FALSE(out.result);
        EXPECT_EQ(graph_as_seen(), before) << allowed << " allocations allowed";

        // With memory back the same call goes through.
        const CallOutcome again = run(fc.call);
        EXPECT_FALSE(again.raised) << again.error.text;
        EXPECT_NE(graph_as_seen(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Calls, AllocationFailure, testing::ValuesIn(failure_cases),
                         [](const testing::TestParamInfo<FailureCase>& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (ch == ' ') ch = '_';
                             return n;
                         });

// With every allocation allowed that the call needs, nothing fails: the cases above count
// their records right, so each failure they inject is one the call really meets. The indexed
// store's pools hand out exactly as many: a merge that took spares it did not need would answer
// the same, but could take a block, or fail, for nothing.
TEST(AllocationFailureCount, CallsSucceedWithExactlyTheirRecords) {
    for (const FailureCase& fc : failure_cases) {
        unload_plugin();
        for (const Call7& c : fc.build) ASSERT_FALSE(run(c).raised);
        const PoolRecords before = pool_records();
        ASSERT_EQ(before.free, 0) << fc.name;  // else the count would not show in handed_out
        fail_allocations_after(allocated_records(fc));
        const CallOutcome out = run(fc.call);
        fail_allocations_after(-1);
        EXPECT_FALSE(out.raised) << fc.name;
        if (HAS_INDEX) {
            EXPECT_EQ(pool_records().handed_out - before.handed_out, fc.records) << fc.name;
        }
    }
    unload_plugin();
}

// The indexed store's own storage (its table and its search heap) grows with the graph. When
// that fails, the call raises outOfMemory and changes nothing, like a failed record; the
// default store has no such storage, and its calls go through.
TEST(StorageFailure, RaisesOutOfMemoryAndLeavesTheGraphAsItWas) {
    for (const FailureCase& fc : failure_cases) {
        unload_plugin();
        for (const Call7& c : fc.build) ASSERT_FALSE(run(c).raised);
        const std::string before = graph_as_seen();
        fail_storage_allocations_after(0);
        const CallOutcome out = run(fc.call);
        fail_storage_allocations_after(-1);
        if (!out.raised) continue;  // it needed no more room
        EXPECT_TRUE(HAS_INDEX) << fc.name;
        EXPECT_EQ(out.error.id, std::string(DELIVERABLE) + ":outOfMemory") << fc.name;
        EXPECT_EQ(graph_as_seen(), before) << fc.name;
    }
    // The first node of a graph always needs room in the index.
    unload_plugin();
    fail_storage_allocations_after(0);
    const CallOutcome first = run({1, 1, 0, 0, 0, 0, 1});
    fail_storage_allocations_after(-1);
    EXPECT_EQ(first.raised, HAS_INDEX);
    unload_plugin();
}

// ---- rounding ----

#if HAS_GRID
// A host may call with any rounding direction set, and printf follows it: 1234561.5 would
// print as 1.23457e+06 rounding upward. The bad-grid message prints x and y as rounding to
// nearest does in every direction.
TEST(BadGridMessage, ReadsTheSameInEveryRoundingDirection) {
    const int directions[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
    for (int d : directions) {
        unload_plugin();
        std::fesetround(d);
        const CallOutcome out = call_plugin({matrix_arg(1, 1, {1234561.5}), matrix_arg(1, 1, {1}),
                                             matrix_arg(1, 1, {1}), scalar_arg(0), scalar_arg(0),
                                             scalar_arg(7), scalar_arg(0)});
        std::fesetround(FE_TONEAREST);
        ASSERT_TRUE(out.raised) << "direction " << d;
        EXPECT_EQ(out.error.text, "grid entry 1 is at (1.23456e+06, 1), outside 0..499")
            << "direction " << d;
    }
    unload_plugin();
}
#endif

}  // namespace
