// large_graph_test.cpp - the default and the indexed store of one deliverable side by side on
// large random graphs: grids with zero and negative weights, moves onto shared positions,
// merges, self-loops where the build allows them, weight changes and refreshes. Every call's
// answer is compared bit for bit; after every search both path_buf, after every change the
// whole graph and both stores' invariants. The default store is the oracle.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "store_under_test.h"

namespace {

constexpr long SEARCHES_WANTED = 100000;

class LargeGraphs : public testing::Test {
protected:
    std::mt19937 rng{20261209};
    long searches = 0;

    void SetUp() override { unload_plugin(); }
    void TearDown() override { unload_plugin(); }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    // One call on both stores; they must answer alike.
    CallOutcome call(double ax, double ay, double bx, double by, double w, double code,
                     double val = 1) {
        const std::vector<HostArray> in = {scalar_arg(ax), scalar_arg(ay), scalar_arg(bx),
                                           scalar_arg(by), scalar_arg(w),  scalar_arg(code),
                                           scalar_arg(val)};
        CallOutcome r = call_entry(reference_store.entry, in);
        const CallOutcome i = call_entry(indexed_store.entry, in);
        EXPECT_EQ(outcome_difference(r, i), "")
            << "call (" << ax << ", " << ay << ", " << bx << ", " << by << ", " << w << ", "
            << code << ", " << val << ")";
        return r;
    }

    void expect_same_stores() {
        EXPECT_STREQ(reference_store.violation(), "");
        EXPECT_STREQ(indexed_store.violation(), "");
        EXPECT_EQ(store_difference(reference_store, indexed_store), "");
    }

    // A side-by-side grid from (x0, y0), each node joined to its left and upper neighbours;
    // weights from lo to hi, zero and negative ones included when lo is.
    void build_grid(int side, int x0, int y0, int lo, int hi) {
        for (int y = y0; y < y0 + side; ++y)
            for (int x = x0; x < x0 + side; ++x) {
                const int value = pick(1, 9);
                if (x > x0)
                    call(x, y, x - 1, y, pick(lo, hi), 0, value);
                else
                    call(x, y, 0, 0, 0, 0, value);
                if (y > y0) call(x, y, x, y - 1, pick(lo, hi), 0, value);
            }
    }

    void search(int side, int x0, int y0) {
        const int reach = side + 1;  // now and then a position without a node
        call(x0 + pick(0, reach), y0 + pick(0, reach), x0 + pick(0, reach), y0 + pick(0, reach),
             0, 4);
        ++searches;
        if (searches % 64 == 0) {
            EXPECT_EQ(store_difference(reference_store, indexed_store), "");
        }
    }

    // Moves (often onto a taken position), merges (now and then of a node into itself),
    // self-loops, new edges across the grid, weight changes and, in the 64-bit main, refreshes.
    void change(int side, int x0, int y0) {
        auto x = [&] { return x0 + pick(0, side - 1); };
        auto y = [&] { return y0 + pick(0, side - 1); };
        switch (pick(0, 6)) {
            case 0: call(x(), y(), x(), y(), 0, 2); break;
            case 1: call(x(), y(), x(), y(), 0, 5); break;
            case 2: { const int a = x(), b = y(); call(a, b, a, b, 0, 5); break; }
            case 3: { const int a = x(), b = y(); call(a, b, a, b, pick(-3, 9), 0); break; }
            case 4: call(x(), y(), x(), y(), pick(-5, 20), 0); break;
            case 5: call(x(), y(), x(), y(), pick(-2, 9), 3); break;
            default: call(0, 0, 0, 0, 0, 7 + pick(0, 1)); break;  // 7 only where it refreshes
        }
    }
};

TEST_F(LargeGraphs, AnswerEveryCallAsTheDefaultStore) {
    // Most rounds are small, so that the default store's quadratic search lets the test reach
    // its count in seconds; every eighth is up to 2,500 nodes.
    for (int round = 0; searches < SEARCHES_WANTED; ++round) {
        const bool large = round % 8 == 7;
        const int side = large ? pick(20, 50) : pick(2, 16);
        const int x0 = pick(-1, 2), y0 = pick(-1, 2);  // a row or column at 0 now and then
        const bool negative = round % 3 == 0;
        build_grid(side, x0, y0, negative ? -2 : 0, 9);
        expect_same_stores();
        const int searches_per_phase = large ? 40 : 400;
        for (int phase = 0; phase < 4; ++phase) {
            for (int k = 0; k < searches_per_phase; ++k) search(side, x0, y0);
            for (int k = 0; k < side; ++k) change(side, x0, y0);
            expect_same_stores();
            if (HasFailure()) return;
        }
        call(0, 0, 0, 0, 0, 6);  // the listing, then a fresh pair of graphs
        unload_plugin();
    }
    RecordProperty("searches", static_cast<int>(searches));
    std::printf("%ld searches compared\n", searches);
}

}  // namespace
