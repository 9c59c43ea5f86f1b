// engine_test.cpp - the engine's protocol through the in-process host: what each operation
// answers, costs past 32 bits, refused calls and failed allocations that change nothing, and
// handles that never name a later graph. Its answers against the plug-ins' are the
// differential test's; arbitrary calls are the fuzzer's.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "test_host.h"

namespace {

using Row = std::vector<double>;

// Positions as the engine takes them: an n-by-2 matrix, one [x y] per row.
HostArray rows(const std::vector<Row>& r) {
    std::vector<double> data(2 * r.size());
    for (std::size_t i = 0; i < r.size(); ++i) {
        data[i] = r[i][0];
        data[r.size() + i] = r[i][1];
    }
    return matrix_arg(r.size(), 2, data);
}

HostArray column(const std::vector<double>& v) { return matrix_arg(v.size(), 1, v); }

CallOutcome engine(std::vector<HostArray> in, int nlhs = 1) { return call_plugin(in, nlhs); }

// A call's output `slot` as rows of numbers, or one line naming the error it raised.
std::vector<Row> answer(const CallOutcome& out, int slot = 0) {
    if (out.raised) return {{-1}};
    const HostArray* a = slot == 0 ? out.result.get() : out.more[slot - 1].get();
    if (!a) return {};
    std::vector<Row> r(a->rows, Row(a->cols));
    for (std::size_t i = 0; i < a->rows; ++i)
        for (std::size_t j = 0; j < a->cols; ++j) r[i][j] = a->data[j * a->rows + i];
    return r;
}

class Engine : public testing::Test {
protected:
    double h = 0;
    void SetUp() override {
        unload_plugin();
        h = engine({scalar_arg(1)}).result->data[0];
    }
    void TearDown() override { unload_plugin(); }

    // Everything the graph holds, for checking that a call changed nothing.
    std::vector<Row> state() {
        std::vector<Row> s = answer(engine({scalar_arg(21), scalar_arg(h)}));
        for (const Row& e : answer(engine({scalar_arg(24), scalar_arg(h)}))) s.push_back(e);
        return s;
    }
    void add_edges(const std::vector<Row>& a, const std::vector<Row>& b, const std::vector<double>& w) {
        ASSERT_FALSE(engine({scalar_arg(11), scalar_arg(h), rows(a), rows(b), column(w)}).raised);
    }
};

TEST_F(Engine, AnswersEachOperationAsItsProtocolSays) {
    // 0 is a number like any other; (2,0)-(3,0) is added twice, the second time keeping 4.
    ASSERT_EQ(answer(engine({scalar_arg(10), scalar_arg(h), rows({{0, 0}, {1, 0}, {0, 0}}),
                             column({7, 0, 9})})),
              (std::vector<Row>{{1}, {1}, {0}}));
    add_edges({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {2, 0}, {1, 1}}, {{1, 0}, {2, 0}, {3, 0}, {0, 0}, {3, 0}, {1, 1}},
              {1, 2, 4, 20, 9, 5});
    const std::vector<std::pair<std::vector<HostArray>, std::vector<std::vector<Row>>>> cases = {
        {{scalar_arg(5), scalar_arg(h)}, {{{5}}, {{5}}}},  // the self-loop at (1,1) counts once
        {{scalar_arg(21), scalar_arg(h)},
         {{{0, 0, 7}, {1, 0, 0}, {2, 0, 1}, {3, 0, 1}, {1, 1, 1}}}},
        {{scalar_arg(24), scalar_arg(h)},
         {{{0, 0, 1, 0, 1}, {1, 0, 2, 0, 2}, {2, 0, 3, 0, 4}, {3, 0, 0, 0, 20}, {1, 1, 1, 1, 5}}}},
        {{scalar_arg(20), scalar_arg(h), rows({{0, 0}, {5, 5}, {1, 1}})},
         {{{1, 0}, {3, 0}, {1, 1}, {1, 1}}, {{2}, {0}, {2}}}},
        {{scalar_arg(22), scalar_arg(h), rows({{1, 1}, {1, 2}})}, {{{1}, {0}}}},
        {{scalar_arg(23), scalar_arg(h), rows({{0, 0}, {0, 0}}), rows({{3, 0}, {2, 0}})}, {{{1}, {0}}}},
        {{scalar_arg(25), scalar_arg(h), rows({{2, 0}, {1, 1}, {9, 9}})}, {{{2}, {2}, {0}}}},
        // whole paths, FROM first, and their costs; from (0,0) to itself the node alone
        {{scalar_arg(30), scalar_arg(h), rows({{0, 0}, {3, 0}, {0, 0}, {1, 1}}),
          rows({{3, 0}, {1, 0}, {0, 0}, {0, 0}})},
         {{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 0}, {2, 0}, {1, 0}, {0, 0}},
          {{4}, {3}, {1}, {0}}, {{7}, {6}, {0}, {INFINITY}}}},
        // within 3 of (0,0), cheapest first, itself left out
        {{scalar_arg(31), scalar_arg(h), rows({{0, 0}}), scalar_arg(3)},
         {{{1, 0}, {2, 0}}, {{1}, {3}}}},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const auto& [in, want] = cases[k];
        const CallOutcome out = engine(in, static_cast<int>(want.size()));
        ASSERT_FALSE(out.raised) << "case " << k << ": " << out.error.text;
        for (std::size_t s = 0; s < want.size(); ++s)
            EXPECT_EQ(answer(out, static_cast<int>(s)), want[s]) << "case " << k << ", output " << s;
    }
}

TEST_F(Engine, SumsCostsPastThirtyTwoBitsExactly) {
    constexpr double big = 2147483647;  // the largest weight
    add_edges({{1, 1}, {2, 1}, {3, 1}, {4, 1}}, {{2, 1}, {3, 1}, {4, 1}, {5, 1}}, {big, big, big, big});
    add_edges({{5, 1}}, {{6, 1}}, {1});
    CallOutcome out = engine({scalar_arg(30), scalar_arg(h), rows({{1, 1}, {6, 1}}),
                              rows({{6, 1}, {2, 1}})}, 3);
    EXPECT_EQ(answer(out, 2), (std::vector<Row>{{4 * big + 1}, {3 * big + 1}}));
    out = engine({scalar_arg(31), scalar_arg(h), rows({{1, 1}}), scalar_arg(INFINITY)}, 2);
    EXPECT_EQ(answer(out, 1), (std::vector<Row>{{big}, {2 * big}, {3 * big}, {4 * big}, {4 * big + 1}}));
    out = engine({scalar_arg(31), scalar_arg(h), rows({{1, 1}}), scalar_arg(3 * big)}, 2);
    EXPECT_EQ(answer(out, 1), (std::vector<Row>{{big}, {2 * big}, {3 * big}}));
}

TEST_F(Engine, RefusesBadCallsAndChangesNothing) {
    add_edges({{1, 1}, {2, 1}}, {{2, 1}, {3, 1}}, {4, 5});
    const std::vector<Row> before = state();
    const std::vector<std::pair<const char*, std::vector<HostArray>>> cases = {
        {"badArgument", {}},
        {"badArgument", {scalar_arg(99), scalar_arg(h)}},
        {"badArgument", {scalar_arg(NAN)}},
        {"badArgument", {scalar_arg(10), scalar_arg(h), rows({{1, 1}})}},  // no values
        {"badArgument", {scalar_arg(10), scalar_arg(h), rows({{7, 7}, {8, 0.5}}), scalar_arg(1)}},
        {"badArgument", {scalar_arg(10), scalar_arg(h), matrix_arg(1, 3, {7, 7, 7}), scalar_arg(1)}},
        {"badArgument", {scalar_arg(10), scalar_arg(h), rows({{7, 7}, {8, 8}}), column({1, 2, 3})}},
        {"badArgument", {scalar_arg(10), scalar_arg(h), rows({{7, 7}}), scalar_arg(2147483648.0)}},
        {"badArgument", {scalar_arg(11), scalar_arg(h), rows({{7, 7}, {8, 8}}), rows({{1, 1}}), scalar_arg(1)}},
        {"negativeWeight", {scalar_arg(11), scalar_arg(h), rows({{7, 7}, {8, 8}}), rows({{1, 1}, {2, 1}}), column({1, -1})}},
        {"negativeWeight", {scalar_arg(12), scalar_arg(h), rows({{1, 1}}), rows({{2, 1}}), scalar_arg(-3)}},
        {"noGraph", {scalar_arg(10), scalar_arg(h + 1), rows({{7, 7}}), scalar_arg(1)}},
        {"noNode", {scalar_arg(30), scalar_arg(h), rows({{1, 1}, {1, 1}}), rows({{3, 1}, {9, 9}})}},
        {"noNode", {scalar_arg(31), scalar_arg(h), rows({{9, 9}}), scalar_arg(1)}},
        {"badArgument", {scalar_arg(31), scalar_arg(h), rows({{1, 1}}), scalar_arg(-1)}},
        {"badArgument", {scalar_arg(31), scalar_arg(h), rows({{1, 1}, {2, 1}}), scalar_arg(1)}},
    };
    for (const auto& [id, in] : cases) {
        const CallOutcome out = engine(in);
        EXPECT_TRUE(out.raised && out.error.id == std::string("GraphPlugin:") + id && !out.error.text.empty())
            << "expected " << id << ", got " << (out.raised ? out.error.id : "no error");
        EXPECT_EQ(state(), before) << id;
    }
}

TEST_F(Engine, ChangesNothingWhenMemoryRunsOut) {
    add_edges({{1, 1}, {2, 1}, {1, 2}}, {{2, 1}, {3, 1}, {2, 2}}, {4, 5, 6});
    const std::vector<HostArray> calls[] = {
        {scalar_arg(11), scalar_arg(h), rows({{5, 5}, {6, 6}, {7, 7}}), rows({{6, 6}, {7, 7}, {1, 1}}), scalar_arg(1)},
        {scalar_arg(10), scalar_arg(h), rows({{9, 1}, {9, 2}}), scalar_arg(3)},
        {scalar_arg(16), scalar_arg(h), rows({{1, 1}}), rows({{2, 1}})},
        {scalar_arg(3), scalar_arg(h)},
        {scalar_arg(30), scalar_arg(h), rows({{1, 1}}), rows({{3, 1}})},
    };
    int failures = 0;
    for (const auto& in : calls) {
        const std::vector<Row> before = state();
        for (long allowed = 0;; ++allowed, ++failures) {
            fail_allocations_after(allowed);
            fail_storage_allocations_after(allowed);
            const CallOutcome out = engine(in, 3);
            fail_allocations_after(-1);
            fail_storage_allocations_after(-1);
            if (!out.raised) break;
            ASSERT_EQ(out.error.id, "GraphPlugin:outOfMemory") << out.error.text;
            ASSERT_EQ(state(), before) << "after a failure with " << allowed << " allocations allowed";
            ASSERT_LT(allowed, 40) << "never succeeds";
        }
    }
    EXPECT_GE(failures, 4);  // the new nodes' blocks and table, the copy's, the search's queue
}

TEST_F(Engine, NeverNamesALaterGraphByAnEarlierHandle) {
    const double freed = h;
    ASSERT_EQ(answer(engine({scalar_arg(2), scalar_arg(freed)})), (std::vector<Row>{{1}}));
    ASSERT_EQ(answer(engine({scalar_arg(2), scalar_arg(freed)})), (std::vector<Row>{{0}}));
    const double before_clear = engine({scalar_arg(1)}).result->data[0];
    unload_plugin();  // the host clears the engine: every graph goes
    EXPECT_EQ(engine({scalar_arg(5), scalar_arg(before_clear)}).error.id, "GraphPlugin:noGraph");
    const double after_clear = engine({scalar_arg(1)}).result->data[0];
    EXPECT_GT(after_clear, before_clear);
    EXPECT_GT(before_clear, freed);
    // A copy is a graph of its own.
    const double copy = engine({scalar_arg(3), scalar_arg(after_clear)}).result->data[0];
    h = copy;
    add_edges({{1, 1}}, {{2, 2}}, {3});
    EXPECT_EQ(answer(engine({scalar_arg(5), scalar_arg(copy)}, 2), 1), (std::vector<Row>{{1}}));
    EXPECT_EQ(answer(engine({scalar_arg(5), scalar_arg(after_clear)}, 2), 1), (std::vector<Row>{{0}}));
}

}  // namespace
