// large_graph_test.cpp - the default and the indexed store of one deliverable side by side on
// large random graphs: grids with zero and negative weights, moves onto shared positions,
// merges, self-loops where the build allows them, weight changes and refreshes. Every call's
// answer is compared bit for bit; after every search both path_buf, after every change the
// whole graph and both stores' invariants. The default store is the oracle. Built a second
// time against an indexed store whose creation and search numbers start near their end (see
// CMakeLists.txt), where both wrap within most graphs.
//
// Then each allocation of the indexed store's own storage (its table, the search heap, the
// blocks of nodes and entries and the tables that name them) made to fail in turn on a growing
// graph and on merges that take a new block: every failure leaves the indexed store as it was,
// its pools included, and after the call that goes through both stores are sound and alike and
// a search answers alike.
//
// LARGE_GRAPH_SEED, when set, seeds every choice (ctest runs the wrapping build with several);
// each test prints the seed it ran with.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "store_under_test.h"

namespace {

#ifndef LARGE_GRAPH_SEARCHES
#define LARGE_GRAPH_SEARCHES 100000
#endif
constexpr long SEARCHES_WANTED = LARGE_GRAPH_SEARCHES;

unsigned chosen_seed() {
    const char* s = std::getenv("LARGE_GRAPH_SEED");
    return s && *s ? static_cast<unsigned>(std::strtoul(s, nullptr, 10)) : 20261209u;
}

class LargeGraphs : public testing::Test {
protected:
    const unsigned seed = chosen_seed();
    std::mt19937 rng{seed};
    long searches = 0;

    long arrays_before = 0;

    void SetUp() override {
        unload_plugin();
        arrays_before = arrays_live();
        std::printf("seed %u\n", seed);
    }
    // Each release gave back every array of the indexed store: blocks, their tables, the
    // index's table and the heap.
    void TearDown() override {
        unload_plugin();
        EXPECT_EQ(arrays_live(), arrays_before) << "arrays outlived the graphs";
    }

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

// Creation numbers far apart in one graph: a grid made, 70,000 nodes made and removed beside
// it, then a second grid joined to the first, so that the heap orders nodes whose numbers
// differ by more than 2^16 (and, in the build that starts them near 2^32, run out on the way).
// Weights of 0 to 2 make ties, which the numbers break.
TEST_F(LargeGraphs, OrderTiesAcrossCreationNumbersFarApart) {
    const int side = 8;
    build_grid(side, 1, 1, 0, 2);
    for (int k = 0; k < 70000 && !HasFailure(); ++k) {
        call(100, 100, 1, 1, 1, 0);  // a node joined to the grid, then removed
        call(100, 100, 100, 100, 0, 5);
    }
    build_grid(side, side + 1, 1, 0, 2);
    for (int y = 1; y <= side; ++y) call(side, y, side + 1, y, pick(0, 2), 3);  // no edge yet:
    for (int y = 1; y <= side; ++y) call(side + 1, y, side, y, pick(0, 2), 0);  // join them
    expect_same_stores();
    for (int k = 0; k < 2000 && !HasFailure(); ++k) {
        call(pick(1, 2 * side), pick(1, side), pick(1, 2 * side), pick(1, side), 0, 4);
        if (k % 100 == 0) expect_same_stores();
    }
    expect_same_stores();
}

// Dense graphs where each node settled lowers the dist of every node still waiting (an edge
// from node i to each later node j weighing 2n - 2i against a chain of weight 1), and dense
// graphs of random weights: a search offers nodes many times more often than there are nodes,
// so the indexed store's heap fills and drops its stale items. Where no weight is negative, the
// search fields are checked after every search: a node settled out of order leaves a
// neighbour at more than its own dist plus the weight between them.
TEST_F(LargeGraphs, DenseGraphsOfferNodesAgainAndAgain) {
    for (int round = 0; round < 60 && !HasFailure(); ++round) {
        unload_plugin();
        const int n = pick(5, 60);
        const int kind = round % 3;  // 0 lowering, 1 random weights, 2 negative ones too
        for (int i = 1; i <= n; ++i) call(i, 1, 0, 0, 0, 0, i);
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) {
                const int w = kind == 0 ? (j == i + 1 ? 1 : 2 * n - 2 * i) : pick(kind == 2 ? -3 : 0, 40);
                call(i, 1, j, 1, w, 0);
            }
        expect_same_stores();
        for (int k = 0; k < 50; ++k) {
            call(kind == 0 && k == 0 ? 1 : pick(1, n), 1, pick(1, n + 1), 1, 0, 4);
            if (kind == 2) continue;
            EXPECT_STREQ(reference_store.search_violation(), "");
            EXPECT_STREQ(indexed_store.search_violation(), "");
        }
        expect_same_stores();
    }
}

// Positions on regular patterns spread over the index's table as neighbouring ones do: a probe
// passes about as many slots as for unit spacing (a hash of the low bits of x alone piled
// 30,000 nodes spaced 4096 apart into runs thousands of slots long). Every node is added and
// found again, in the indexed store alone (path_buf alike again at the end); the time of each
// pattern is printed beside.
TEST_F(LargeGraphs, RegularPatternsOfPositionsProbeAsShortAsUnitSpacing) {
    struct Pattern {
        const char* name;
        double x0, dx, y0, dy;  // node k stands at (x0 + k dx, y0 + k dy)
    };
    const Pattern patterns[] = {
        {"x spaced 1", 1, 1, 7, 0},           {"x spaced 4096", 4096, 4096, 7, 0},
        {"x spaced 65536", 65536, 65536, 7, 0}, {"y spaced 65536", 7, 0, 65536, 65536},
        {"diagonal spaced 1024", 1024, 1024, 1024, 1024},
        {"negative x spaced 65536", -65536, -65536, -3, 0},
        {"x spaced 2^20, y spaced 2^10", 1048576, 1048576, 1024, 1024},
    };
    constexpr int nodes = 30000;
    double unit_seconds = 0;
    for (const Pattern& p : patterns) {
        unload_plugin();
        const auto t0 = std::chrono::steady_clock::now();
        for (int k = 1; k <= nodes; ++k)
            call_entry(indexed_store.entry, {scalar_arg(p.x0 + k * p.dx), scalar_arg(p.y0 + k * p.dy),
                                             scalar_arg(0), scalar_arg(0), scalar_arg(0),
                                             scalar_arg(0), scalar_arg(1)});
        for (int k = 1; k <= nodes; ++k) {
            const CallOutcome out = call_entry(
                indexed_store.entry, {scalar_arg(p.x0 + k * p.dx), scalar_arg(p.y0 + k * p.dy),
                                      scalar_arg(p.x0 + k * p.dx), scalar_arg(p.y0 + k * p.dy),
                                      scalar_arg(0), scalar_arg(4), scalar_arg(0)});
            ASSERT_TRUE(out.result && out.result->cols == 1) << p.name << ": node " << k << " lost";
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (unit_seconds == 0) unit_seconds = seconds;
        std::printf("%-30s %.3f s (%.2fx unit spacing), %.2f slots passed per probe\n", p.name,
                    seconds, seconds / unit_seconds, indexed_store.mean_probe_length());
        EXPECT_LT(indexed_store.mean_probe_length(), 2.0) << p.name;
        EXPECT_STREQ(indexed_store.violation(), "") << p.name;
    }
    unload_plugin();
    call(1, 1, 0, 0, 0, 0);  // both path_bufs alike again
    call(1, 1, 1, 1, 0, 4);
}

// The indexed store's storage failing after 0, 1, 2, ... allocations in turn, on every call
// that builds and changes a grid (weights of zero or more, so that every search can be
// checked): the default store's answer is the oracle for the call that goes through.
class StorageFailures : public LargeGraphs {
protected:
    long failures = 0;

    static std::vector<HostArray> inputs(double ax, double ay, double bx, double by, double w,
                                         double code, double val) {
        return {scalar_arg(ax), scalar_arg(ay), scalar_arg(bx), scalar_arg(by),
                scalar_arg(w),  scalar_arg(code), scalar_arg(val)};
    }

    static StoreState indexed_state() {
        StoreState s;
        indexed_store.read_state(&s);
        return s;
    }

    void call_failing(double ax, double ay, double bx, double by, double w, double code,
                      double val = 1) {
        const std::vector<HostArray> in = inputs(ax, ay, bx, by, w, code, val);
        const CallOutcome reference = call_entry(reference_store.entry, in);
        const StoreState before = indexed_state();
        for (long allowed = 0;; ++allowed) {
            fail_storage_allocations_after(allowed);
            const CallOutcome indexed = call_entry(indexed_store.entry, in);
            fail_storage_allocations_after(-1);
            const std::string id = indexed.raised ? indexed.error.id : "";
            if (id.size() < 12 || id.compare(id.size() - 12, 12, ":outOfMemory") != 0) {
                ASSERT_EQ(outcome_difference(reference, indexed), "")
                    << "call (" << ax << ", " << ay << ", " << bx << ", " << by << ", " << w
                    << ", " << code << ") with " << allowed << " storage allocations allowed";
                break;
            }
            ++failures;
            // Only a call that adds a node or an edge grows the storage, or a merge, whose new
            // entries are made before B's are freed.
            ASSERT_TRUE(code == 0 || code == 5) << "code " << code << " failed for storage";
            ASSERT_EQ(state_difference(before, indexed_state()), "")
                << "a failed call changed the graph, " << allowed << " allocations allowed";
            ASSERT_STREQ(indexed_store.violation(), "");
            ASSERT_LT(allowed, 8) << "the call keeps failing";
        }
        expect_same_stores();
        const int side = 24;
        call(pick(1, side), pick(1, side), pick(1, side), pick(1, side), 0, 4);
        EXPECT_STREQ(reference_store.search_violation(), "");
        EXPECT_STREQ(indexed_store.search_violation(), "");
    }
};

TEST_F(StorageFailures, EachFailingAllocationLeavesTheIndexedStoreAsItWas) {
    const int side = 24;  // the table grows six times, the heap more often
    for (int y = 1; y <= side && !HasFatalFailure(); ++y)
        for (int x = 1; x <= side && !HasFatalFailure(); ++x) {
            call_failing(x, y, x > 1 ? x - 1 : 0, y, pick(0, 9), 0, pick(1, 9));
            if (y > 1) call_failing(x, y, x, y - 1, pick(0, 9), 0);
        }
    auto at = [&] { return pick(1, side); };
    for (int k = 0; k < 300 && !HasFatalFailure(); ++k) {
        switch (pick(0, 4)) {
            case 0: call_failing(at(), at(), at(), at(), 0, 2); break;
            case 1: call_failing(at(), at(), at(), at(), 0, 5); break;
            case 2: call_failing(at(), at(), at(), at(), pick(0, 9), 3); break;
            case 3: call_failing(at(), at(), at(), at(), pick(0, 9), 0); break;
            default: call_failing(side + at(), at(), at(), at(), pick(0, 9), 0); break;
        }
    }
    EXPECT_GE(failures, 15);
    std::printf("%ld storage allocations failed\n", failures);
}

// A line of nodes (k, 1), each joined to the one before, so that each call takes one node
// record and two entries; the calls that take a block fail at each allocation in turn. With
// 256 nodes the entry pool has handed out 510 entries, with 4096 nodes 8190: two short of its
// 2nd block, and of its 17th, the first that needs a bigger table (as the node pool did for
// the 4096th node, refs starting at 1). Then the node halfway, with two neighbours that (1, 1)
// lacks, is merged into (1, 1): the merge takes the block's last two entries as spares before
// the block (and the table) fails, and must give them back.
TEST_F(StorageFailures, LinesAndMergesTakeNewBlocksAndBiggerTables) {
    for (const int nodes : {256, 4096}) {
        unload_plugin();
        for (int k = 1; k <= nodes && !HasFatalFailure(); ++k) {
            const PoolCounts c = indexed_store.pool_counts();
            const bool takes_block = (c.free_nodes == 0 && c.nodes_left == 0) ||
                                     c.free_entries + c.entries_left < 2;
            if (takes_block)
                call_failing(k, 1, k - 1, 1, pick(0, 9), 0, pick(1, 9));
            else
                call(k, 1, k - 1, 1, pick(0, 9), 0, pick(1, 9));
        }
        const PoolCounts c = indexed_store.pool_counts();
        ASSERT_EQ(c.node_blocks, static_cast<std::size_t>(nodes / 256 + 1)) << nodes << " nodes";
        ASSERT_EQ(c.entry_blocks, static_cast<std::size_t>(nodes / 256)) << nodes << " nodes";
        ASSERT_EQ(c.entries_left, 2u) << nodes << " nodes";
        ASSERT_EQ(c.free_entries, 0u) << nodes << " nodes";
        const long failed_before = failures;
        call_failing(1, 1, nodes / 2, 1, 0, 5);
        EXPECT_EQ(failures - failed_before, nodes > 256 ? 2 : 1) << nodes << " nodes";
    }
    std::printf("%ld storage allocations failed\n", failures);
}

}  // namespace
