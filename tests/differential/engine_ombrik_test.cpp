// engine_ombrik_test.cpp - the engine beside ombrik's indexed store in one process, on random
// sessions of the same changes: nodes and edges added in batches, weights set, nodes moved
// (often onto taken positions), merged and removed, the engine's graph now and then replaced by
// a copy of itself. Positions and values are never 0 and weights are 0 or more, so that
// ombrik's answers are never cut at a zero. Where both answer, they must agree: every
// neighbour list (the engine's OP 20 and 25 against command 1), every listing (OP 21 and 5
// against command 6) and every path (OP 30 against command 4, ombrik's goal first) where
// ombrik's is whole; ombrik finds a path exactly where the engine's costs less than 30000, and
// the engine's cost is the sum of the weights along it wherever the test knows them, past 2^32
// too where ombrik finds none (weights up to 2^31 - 1). Between
// batches of changes both graphs are compared record for record, and both checked.
//
// Then: graphs made, filled, copied and freed ten thousand times leave the process's heap as
// it was.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine_under_test.h"
#include "store_under_test.h"

namespace {

constexpr std::size_t WHOLE_PATH_POINTS = 401;  // the most command 4 of ombrik answers
constexpr double PLUGIN_COST_BOUND = 30000;     // the plug-ins' search settles below it
#ifndef ENGINE_SESSIONS
#define ENGINE_SESSIONS 90
#endif
constexpr int SESSIONS = ENGINE_SESSIONS;

struct Position {
    std::int32_t x, y;
    bool operator<(const Position& o) const { return x != o.x ? x < o.x : y < o.y; }
    bool operator==(const Position& o) const { return x == o.x && y == o.y; }
};

std::string text(const Position& p) {
    return "[" + std::to_string(p.x) + " " + std::to_string(p.y) + "]";
}

// An n-by-2 matrix of positions, one per row.
HostArray rows_of(const std::vector<Position>& p) {
    std::vector<double> data(2 * p.size());
    for (std::size_t i = 0; i < p.size(); ++i) {
        data[i] = p[i].x;
        data[p.size() + i] = p[i].y;
    }
    return matrix_arg(p.size(), 2, std::move(data));
}

HostArray column_of(const std::vector<double>& v) { return matrix_arg(v.size(), 1, v); }

// Row i of an n-by-2 matrix of positions.
Position row(const HostArray& m, std::size_t i) {
    return {static_cast<std::int32_t>(m.data[i]), static_cast<std::int32_t>(m.data[m.rows + i])};
}

class EngineBesideOmbrik : public testing::Test {
protected:
    std::mt19937 rng{20261211};
    double graph = 0;  // the engine's handle of the session's graph
    int side = 0;      // positions stand in [1, side] x [1, side], a chain's further along x
    // The weight of every edge whose ends no move, merge or removal has touched this session,
    // under both orders of its ends: between untouched positions the nodes are one each, and
    // an edge exists exactly where it is recorded.
    std::map<std::pair<Position, Position>, std::int32_t> weights;
    std::set<Position> touched;
    // Chain weights of 0 to 3, for paths longer than ombrik's whole ones; with `heavy`, one in
    // 100 of 2^30 or more, for costs past 2^32.
    bool cheap = false, heavy = false;
    long calls = 0, lists = 0, neighbour_lists = 0, paths = 0, cut_paths = 0, costs = 0,
         expensive = 0;

    void SetUp() override { unload_plugin(); }
    void TearDown() override { unload_plugin(); }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    Position any() { return {pick(1, side), pick(1, side)}; }
    std::int32_t weight() {
        if (cheap) return !heavy || pick(0, 99) ? pick(0, 3) : pick(1 << 30, 2147483647);
        const int kind = pick(0, 19);
        if (kind == 0) return 0;
        if (kind == 1) return pick(5000, 40000);  // paths past ombrik's bound
        if (kind == 2) return pick(1 << 30, 2147483647);  // and past 32 bits
        return pick(0, 9);
    }

    CallOutcome engine(std::vector<HostArray> in, int nlhs = 1) {
        ++calls;
        CallOutcome out = call_entry(engine_under_test.entry, in, nlhs);
        EXPECT_FALSE(out.raised) << "engine OP " << in[0].data[0] << ": " << out.error.id << ": "
                                 << out.error.text;
        return out;
    }
    CallOutcome ombrik(double ax, double ay, double bx, double by, double w, double code,
                       double val = 1) {
        ++calls;
        CallOutcome out = call_entry(indexed_store.entry,
                                     {scalar_arg(ax), scalar_arg(ay), scalar_arg(bx), scalar_arg(by),
                                      scalar_arg(w), scalar_arg(code), scalar_arg(val)});
        EXPECT_FALSE(out.raised) << "ombrik command " << code << ": " << out.error.text;
        return out;
    }

    bool known(const Position& a, const Position& b) const {
        return !touched.count(a) && !touched.count(b);
    }
    void record(const Position& a, const Position& b, std::int32_t w) {
        weights[{a, b}] = w;
        weights[{b, a}] = w;
    }

    // --- the changes, each a batch on the engine and the same calls one by one on ombrik ---

    void add_nodes(const std::vector<Position>& p) {
        std::vector<double> v(p.size());
        for (double& value : v) value = pick(1, 9);
        engine({scalar_arg(10), scalar_arg(graph), rows_of(p), column_of(v)});
        for (std::size_t i = 0; i < p.size(); ++i) ombrik(p[i].x, p[i].y, 0, 0, 0, 0, v[i]);
    }

    void add_edges(const std::vector<Position>& a, const std::vector<Position>& b) {
        std::vector<double> w(a.size());
        for (double& each : w) each = weight();
        const CallOutcome had = engine({scalar_arg(11), scalar_arg(graph), rows_of(a), rows_of(b),
                                        column_of(w)});
        for (std::size_t i = 0; i < a.size(); ++i) {
            ombrik(a[i].x, a[i].y, 0, 0, 0, 0, 1);  // the engine makes a missing end, value 1
            ombrik(b[i].x, b[i].y, 0, 0, 0, 0, 1);
            ombrik(a[i].x, a[i].y, b[i].x, b[i].y, w[i], 0, 1);
            if (!known(a[i], b[i])) continue;
            const bool existed = weights.count({a[i], b[i]}) > 0;
            if (had.result) {
                EXPECT_EQ(had.result->data[i], existed ? 1 : 0)
                    << "OP 11 row " << i + 1 << ": " << text(a[i]) << "-" << text(b[i]);
            }
            if (!existed) record(a[i], b[i], static_cast<std::int32_t>(w[i]));
        }
    }

    void set_weights(const std::vector<Position>& a, const std::vector<Position>& b) {
        const std::int32_t w = weight();  // one weight for all rows
        engine({scalar_arg(12), scalar_arg(graph), rows_of(a), rows_of(b), scalar_arg(w)});
        for (std::size_t i = 0; i < a.size(); ++i) {
            ombrik(a[i].x, a[i].y, b[i].x, b[i].y, w, 3);
            if (known(a[i], b[i]) && weights.count({a[i], b[i]})) record(a[i], b[i], w);
        }
    }

    // Moves (OP 15, command 2), merges (OP 16, command 5) and removals (OP 14, command 5 of a
    // node into itself): the positions they touch lose their weights.
    void rearrange(double op, const std::vector<Position>& a, const std::vector<Position>& b) {
        std::vector<HostArray> in = {scalar_arg(op), scalar_arg(graph), rows_of(a)};
        if (op != 14) in.push_back(rows_of(b));
        engine(in);
        for (std::size_t i = 0; i < a.size(); ++i) {
            const Position& to = op == 14 ? a[i] : b[i];
            ombrik(a[i].x, a[i].y, to.x, to.y, 0, op == 15 ? 2 : 5);
            touched.insert(a[i]);
            touched.insert(to);
        }
    }

    // --- the comparisons ---

    void compare_listings() {
        ++lists;
        const CallOutcome mine = engine({scalar_arg(21), scalar_arg(graph)});
        const CallOutcome counts = engine({scalar_arg(5), scalar_arg(graph)}, 2);
        const CallOutcome theirs = ombrik(0, 0, 0, 0, 0, 6);
        ASSERT_TRUE(mine.result && theirs.result && counts.result && counts.more[0]);
        const HostArray& l = *mine.result;
        const std::size_t n = l.rows;
        EXPECT_EQ(counts.result->data[0], static_cast<double>(n)) << "OP 5 against OP 21";
        if (n == 0) {
            EXPECT_EQ(theirs.result->rows * theirs.result->cols, 1u);
            EXPECT_EQ(theirs.result->data[0], 0.0) << "ombrik lists nodes the engine has not";
            return;
        }
        ASSERT_EQ(theirs.result->rows, 3u);
        ASSERT_EQ(theirs.result->cols, n) << "listings of different lengths";
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t c = 0; c < 3; ++c)
                ASSERT_EQ(l.data[c * n + i], theirs.result->data[3 * i + c])
                    << "listing row " << i + 1 << ", column " << c + 1;
    }

    // The positions of the engine's listing, for paths between nodes that are there.
    std::vector<Position> positions() {
        const CallOutcome l = engine({scalar_arg(21), scalar_arg(graph)});
        std::vector<Position> p;
        for (std::size_t i = 0; l.result && i < l.result->rows; ++i) p.push_back(row(*l.result, i));
        return p;
    }

    void compare_neighbours(const std::vector<Position>& p) {
        const CallOutcome mine = engine({scalar_arg(20), scalar_arg(graph), rows_of(p)}, 2);
        const CallOutcome degree = engine({scalar_arg(25), scalar_arg(graph), rows_of(p)});
        ASSERT_TRUE(mine.result && mine.more[0] && degree.result);
        const HostArray& r = *mine.result;
        const HostArray& k = *mine.more[0];
        std::size_t at = 0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            ++neighbour_lists;
            const CallOutcome theirs = ombrik(p[i].x, p[i].y, 0, 0, 0, 1);
            ASSERT_TRUE(theirs.result);
            const HostArray& t = *theirs.result;
            const std::size_t count = t.rows == 2 ? t.cols : 0;  // 1-by-1 zero: none
            ASSERT_EQ(k.data[i], static_cast<double>(count)) << "neighbours of " << text(p[i]);
            EXPECT_EQ(degree.result->data[i], static_cast<double>(count)) << "OP 25 at " << text(p[i]);
            for (std::size_t j = 0; j < count; ++j, ++at) {
                const Position e = row(r, at);
                ASSERT_TRUE(e.x == t.data[2 * j] && e.y == t.data[2 * j + 1])
                    << "neighbour " << j + 1 << " of " << text(p[i]) << ": engine " << text(e)
                    << ", ombrik [" << t.data[2 * j] << " " << t.data[2 * j + 1] << "]";
            }
        }
        EXPECT_EQ(at, r.rows);
    }

    // The sum of the recorded weights along a path, or -1 where a step's weight is not known.
    double known_cost(const std::vector<Position>& path) {
        double sum = 0;
        for (std::size_t j = 0; j + 1 < path.size(); ++j) {
            const auto w = weights.find({path[j], path[j + 1]});
            if (!known(path[j], path[j + 1]) || w == weights.end()) return -1;
            sum += w->second;
        }
        return sum;
    }

    void compare_paths(const std::vector<Position>& from, const std::vector<Position>& to) {
        const CallOutcome mine = engine({scalar_arg(30), scalar_arg(graph), rows_of(from), rows_of(to)}, 3);
        ASSERT_TRUE(mine.result && mine.more[0] && mine.more[1]);
        const HostArray& r = *mine.result;
        const HostArray& m = *mine.more[0];
        const HostArray& c = *mine.more[1];
        std::size_t at = 0;  // the first point of query q's path in r
        for (std::size_t q = 0; q < from.size(); at += static_cast<std::size_t>(m.data[q]), ++q) {
            const std::string query = "path " + text(from[q]) + " to " + text(to[q]);
            const CallOutcome theirs = ombrik(from[q].x, from[q].y, to[q].x, to[q].y, 0, 4);
            ASSERT_TRUE(theirs.result);
            const HostArray& t = *theirs.result;
            const auto points = static_cast<std::size_t>(m.data[q]);
            const double cost = c.data[q];
            if (t.rows != 2) {  // no path below ombrik's bound
                EXPECT_TRUE(points == 0 ? std::isinf(cost) : cost >= PLUGIN_COST_BOUND)
                    << query << ": ombrik finds none, the engine " << points << " points at " << cost;
                std::vector<Position> path;
                for (std::size_t j = 0; j < points; ++j) path.push_back(row(r, at + j));
                const double sum = points ? known_cost(path) : -1;
                if (sum < 0) continue;
                ++expensive;
                EXPECT_EQ(cost, sum) << query << ": the cost is not the sum of the weights along it";
                continue;
            }
            ++paths;
            ASSERT_LT(cost, PLUGIN_COST_BOUND) << query;
            // A cut path keeps ombrik's goal end: it is the end of the engine's.
            const bool whole = t.cols < WHOLE_PATH_POINTS || points == WHOLE_PATH_POINTS;
            if (whole)
                ASSERT_EQ(points, t.cols) << query;
            else
                ASSERT_GE(points, t.cols) << query;
            cut_paths += !whole;
            for (std::size_t j = 0; j < t.cols; ++j) {
                const Position e = row(r, at + points - 1 - j);
                ASSERT_TRUE(e.x == t.data[2 * j] && e.y == t.data[2 * j + 1])
                    << query << ": point " << points - j << " of the engine's is " << text(e)
                    << ", ombrik's [" << t.data[2 * j] << " " << t.data[2 * j + 1] << "]";
            }
            std::vector<Position> path;  // ombrik's, goal first
            for (std::size_t j = 0; j < t.cols; ++j)
                path.push_back({static_cast<std::int32_t>(t.data[2 * j]), static_cast<std::int32_t>(t.data[2 * j + 1])});
            const double sum = whole ? known_cost(path) : -1;
            if (sum < 0) continue;
            ++costs;
            EXPECT_EQ(cost, sum) << query << ": the cost is not the sum of the weights along it";
        }
        EXPECT_EQ(at, r.rows);
    }

    void compare_graphs() {
        StoreState mine, theirs;
        engine_under_test.read_state(graph, &mine);
        indexed_store.read_state(&theirs);
        EXPECT_EQ(state_difference(theirs, mine), "") << "ombrik's graph against the engine's";
        EXPECT_STREQ(engine_under_test.violation(graph), "");
        EXPECT_STREQ(indexed_store.violation(), "");
    }

    std::vector<Position> some(int n) {
        std::vector<Position> p(static_cast<std::size_t>(n));
        for (Position& each : p) each = any();
        return p;
    }

    // Queries between nodes that are there: positions drawn from the listing.
    void query() {
        compare_listings();
        const std::vector<Position> there = positions();
        if (there.empty()) return;
        auto drawn = [&] { return there[static_cast<std::size_t>(pick(0, static_cast<int>(there.size()) - 1))]; };
        std::vector<Position> p = some(2);  // now and then a position without a node
        for (int k = 0; k < 6; ++k) p.push_back(drawn());
        compare_neighbours(p);
        std::vector<Position> from, to;
        for (int k = 0; k < 12; ++k) {
            from.push_back(drawn());
            to.push_back(drawn());
        }
        compare_paths(from, to);
    }

    // A grid of side by side, each node joined to its left and upper neighbours, in batches of
    // one row of the grid.
    void build_grid() {
        for (int y = 1; y <= side; ++y) {
            std::vector<Position> a, b;
            add_nodes({{1, y}});
            for (int x = 1; x <= side; ++x) {
                if (x > 1) a.push_back({x, y}), b.push_back({x - 1, y});
                if (y > 1) a.push_back({x, y}), b.push_back({x, y - 1});
            }
            if (!a.empty()) add_edges(a, b);
        }
    }

    // A chain along y = 1 far longer than ombrik's whole paths, with shortcuts.
    void build_chain(int length, bool heavy_weights) {
        heavy = heavy_weights;
        std::vector<Position> a, b;
        for (int x = 2; x <= length; ++x) a.push_back({x, 1}), b.push_back({x - 1, 1});
        add_nodes({{1, 1}});
        cheap = true;
        add_edges(a, b);
        cheap = false;
        a.clear();
        b.clear();
        for (int k = 0; k < 10; ++k) {
            const int x = pick(1, length - 20);
            a.push_back({x, 1});
            b.push_back({x + pick(2, 20), 1});
        }
        add_edges(a, b);
    }

    void change() {
        const int n = pick(1, 6);
        switch (pick(0, 9)) {
            case 0: case 1: add_nodes(some(n)); break;
            case 2: case 3: add_edges(some(n), some(n)); break;
            case 4: set_weights(some(n), some(n)); break;
            case 5: {  // onto taken positions most often
                std::vector<Position> to = some(n);
                rearrange(15, some(n), to);
                break;
            }
            case 6: rearrange(16, some(n), some(n)); break;
            case 7: { const std::vector<Position> p = some(n); rearrange(16, p, p); break; }
            case 8: rearrange(14, some(n), {}); break;
            default: {  // a self-loop
                const Position p = any();
                add_edges({p}, {p});
                break;
            }
        }
    }

    // The engine's graph replaced by a copy of it; the original freed.
    void replace_by_copy() {
        const CallOutcome copy = engine({scalar_arg(3), scalar_arg(graph)});
        ASSERT_TRUE(copy.result);
        const CallOutcome freed = engine({scalar_arg(2), scalar_arg(graph)});
        ASSERT_TRUE(freed.result);
        EXPECT_EQ(freed.result->data[0], 1.0);
        graph = copy.result->data[0];
    }
};

TEST_F(EngineBesideOmbrik, AnswerAsOmbrikWhereBothAnswer) {
    int session = 0;
    for (; session < SESSIONS && !HasFailure(); ++session) {
        unload_plugin();
        weights.clear();
        touched.clear();
        const CallOutcome made = engine({scalar_arg(1)});
        ASSERT_TRUE(made.result);
        graph = made.result->data[0];
        const CallOutcome other = engine({scalar_arg(1)});  // a second graph, left alone
        const bool chain = session % 10 == 9;
        side = chain ? 40 : session % 4 == 3 ? pick(30, 60) : pick(3, 16);
        if (chain)
            build_chain(pick(500, 1200), session % 20 == 19);
        else
            build_grid();
        compare_graphs();
        for (int phase = 0; phase < 6 && !HasFailure(); ++phase) {
            query();
            for (int k = 0; k < 3 + side / 2; ++k) change();
            if (phase == 2) replace_by_copy();
            compare_graphs();
        }
        query();
        const CallOutcome counts = engine({scalar_arg(5), scalar_arg(other.result->data[0])}, 2);
        EXPECT_TRUE(counts.result && counts.result->data[0] == 0) << "the second graph changed";
    }
    std::printf("%d sessions, %ld calls, %ld listings and %ld neighbour lists compared, %ld paths "
                "(%ld cut by ombrik), %ld costs summed, %ld paths at 30000 or more summed\n",
                session, calls, lists, neighbour_lists, paths, cut_paths, costs, expensive);
    EXPECT_GT(costs, paths / 4) << "too few paths of known weights";
    EXPECT_GT(cut_paths, 0);
    EXPECT_GT(expensive, 0);
}

// The bytes of every heap block in use, headers included.
std::size_t heap_in_use() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// Each round makes a graph with a few nodes and an edge, copies it and frees both; the handle
// table and the scratch reach their size in the first rounds and keep it.
TEST(EngineMemory, TenThousandGraphsMadeAndFreedLeaveTheHeapAsItWas) {
    unload_plugin();
    auto round = [] {
        const CallOutcome made = call_entry(engine_under_test.entry, {scalar_arg(1)});
        const double h = made.result->data[0];
        call_entry(engine_under_test.entry,
                   {scalar_arg(11), scalar_arg(h), rows_of({{1, 1}, {2, 2}}), rows_of({{2, 2}, {3, 1}}),
                    scalar_arg(4)});
        const CallOutcome copy = call_entry(engine_under_test.entry, {scalar_arg(3), scalar_arg(h)});
        call_entry(engine_under_test.entry, {scalar_arg(30), scalar_arg(h), rows_of({{1, 1}}), rows_of({{3, 1}})}, 3);
        call_entry(engine_under_test.entry, {scalar_arg(2), scalar_arg(h)});
        call_entry(engine_under_test.entry, {scalar_arg(2), scalar_arg(copy.result->data[0])});
        return h;
    };
    for (int k = 0; k < 100; ++k) round();
    const std::size_t before = heap_in_use();
    double last = 0;
    for (int k = 0; k < 10000; ++k) last = round();
    const std::size_t after = heap_in_use();
    std::printf("heap in use: %zu bytes before 10,000 graphs, %zu after\n", before, after);
    EXPECT_LE(after, before + 4096);
    EXPECT_FALSE(engine_under_test.has_graph(last));
    const CallOutcome freed = call_entry(engine_under_test.entry, {scalar_arg(5), scalar_arg(last)});
    EXPECT_TRUE(freed.raised && freed.error.id == "GraphPlugin:noGraph");
    unload_plugin();
}

}  // namespace
