// load_grid_test.cpp - load_grid (command 7 of zelmot and ombrik): clears both grids, then
// stores each entry truncated in the cell (x, y) = y * GRID_SIDE + x, the last entry winning.
#include "graph_test.h"

#if HAS_GRID

#include <cmath>
#include <limits>

#include "grid.h"

namespace {

constexpr int CELLS = GRID_SIDE * GRID_SIDE;

std::int32_t cost[CELLS];
std::uint8_t mark[CELLS];

// One entry of the three parallel vectors.
struct GridEntry {
    double x, y, value;
};

void load(const std::vector<GridEntry>& entries, std::uint32_t count) {
    std::vector<double> xs, ys, vs;
    for (const GridEntry& e : entries) {
        xs.push_back(e.x);
        ys.push_back(e.y);
        vs.push_back(e.value);
    }
    load_grid(xs.data(), ys.data(), vs.data(), count, cost, mark);
}

void load(const std::vector<GridEntry>& entries) {
    load(entries, static_cast<std::uint32_t>(entries.size()));
}

// Cells that are not zero, as (flat index, value).
std::vector<std::pair<int, std::int32_t>> nonzero_cells() {
    std::vector<std::pair<int, std::int32_t>> out;
    for (int i = 0; i < CELLS; ++i)
        if (cost[i] != 0) out.emplace_back(i, cost[i]);
    return out;
}

int nonzero_marks() {
    int count = 0;
    for (int i = 0; i < CELLS; ++i) count += mark[i] != 0;
    return count;
}

using Cells = std::vector<std::pair<int, std::int32_t>>;

class LoadGrid : public ::testing::Test {
protected:
    void SetUp() override {
        // Start from dirty grids, so that clearing shows.
        for (int i = 0; i < CELLS; ++i) cost[i] = i % 7 - 3;
        for (int i = 0; i < CELLS; ++i) mark[i] = static_cast<std::uint8_t>(i | 1);
    }
};

}  // namespace

TEST_F(LoadGrid, NoEntriesClearsBothGrids) {
    load({});
    EXPECT_EQ(nonzero_cells(), Cells{});
    EXPECT_EQ(nonzero_marks(), 0);
}

TEST_F(LoadGrid, StoresRowYColumnXAndClearsTheRest) {
    load({{3, 0, 30}, {0, 3, 300}, {499, 0, 1}, {0, 499, 2}, {499, 499, 3}, {0, 0, 4}});
    EXPECT_EQ(nonzero_cells(), (Cells{{0, 4}, {3, 30}, {499, 1}, {3 * 500, 300},
                                      {499 * 500, 2}, {499 * 500 + 499, 3}}));
    EXPECT_EQ(nonzero_marks(), 0);
}

TEST_F(LoadGrid, TheLastEntryForACellWins) {
    load({{7, 8, 1}, {7, 8, 2}, {1, 1, 5}, {7, 8, 3}});
    EXPECT_EQ(nonzero_cells(), (Cells{{501, 5}, {8 * 500 + 7, 3}}));
    load({{7, 8, 3}, {7, 8, 0}});  // a later zero wins too
    EXPECT_EQ(nonzero_cells(), Cells{});
}

struct TruncationCase {
    const char*  name;
    GridEntry    entry;
    int          cell;
    std::int32_t value;
};
class LoadGridTruncation : public LoadGrid,
                           public ::testing::WithParamInterface<TruncationCase> {};

TEST_P(LoadGridTruncation, TruncatesTowardZero) {
    const TruncationCase& c = GetParam();
    load({c.entry});
    EXPECT_EQ(nonzero_cells(), (Cells{{c.cell, c.value}}));
}

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Values, LoadGridTruncation,
    ::testing::Values(
        TruncationCase{"Fractions", {3.9, 0.5, 7.99}, 3, 7},
        TruncationCase{"NegativeValue", {1, 1, -2.7}, 501, -2},
        TruncationCase{"NearlyTheEdge", {499.99, 499.99, 1.5}, 499 * 500 + 499, 1},
        TruncationCase{"NegativeFractionOfACoordinate", {-0.9, 2, 6}, 1000, 6},
        TruncationCase{"Int32Max", {4, 4, 2147483647.0}, 2004, INT32_MAX},
        TruncationCase{"PastInt32Max", {4, 4, 2147483648.0}, 2004, INT32_MIN},
        TruncationCase{"Int32Min", {4, 4, -2147483648.0}, 2004, INT32_MIN},
        TruncationCase{"JustPastInt32MinTruncatesIn", {4, 4, -2147483648.5}, 2004, INT32_MIN},
        TruncationCase{"FarPastInt32Min", {4, 4, -1e300}, 2004, INT32_MIN},
        TruncationCase{"NaN", {4, 4, NaN}, 2004, INT32_MIN},
        TruncationCase{"Infinity", {4, 4, Inf}, 2004, INT32_MIN},
        TruncationCase{"MinusInfinity", {4, 4, -Inf}, 2004, INT32_MIN}),
    [](const ::testing::TestParamInfo<TruncationCase>& i) { return std::string(i.param.name); });

TEST_F(LoadGrid, StoresOnlyCountEntries) {
    load({{1, 0, 1}, {2, 0, 2}, {3, 0, 3}}, 2);
    EXPECT_EQ(nonzero_cells(), (Cells{{1, 1}, {2, 2}}));
    load({{1, 0, 1}, {2, 0, 2}, {3, 0, 3}}, 0);
    EXPECT_EQ(nonzero_cells(), Cells{});
}

TEST_F(LoadGrid, ASecondLoadLeavesNoTraceOfTheFirst) {
    load({{1, 1, 11}, {2, 2, 22}, {3, 3, 33}});
    load({{2, 2, 5}});
    EXPECT_EQ(nonzero_cells(), (Cells{{1002, 5}}));
}

TEST_F(LoadGrid, FillsEveryCellOfAFullGrid) {
    std::vector<GridEntry> all;
    for (int y = 0; y < GRID_SIDE; ++y)
        for (int x = 0; x < GRID_SIDE; ++x) all.push_back({double(x), double(y), double(x - y)});
    load(all);
    int wrong = 0;
    for (int y = 0; y < GRID_SIDE; ++y)
        for (int x = 0; x < GRID_SIDE; ++x) wrong += cost[y * GRID_SIDE + x] != x - y;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(nonzero_marks(), 0);
}

TEST(LoadGridStatics, ThePluginsGridsAreUntouchedWhenOthersArePassed) {
    std::int32_t before = cost_grid[GRID_SIDE + 1];
    double x = 1, y = 1, v = 12345;
    static std::int32_t own_cost[CELLS];
    static std::uint8_t own_mark[CELLS];
    load_grid(&x, &y, &v, 1, own_cost, own_mark);
    EXPECT_EQ(own_cost[GRID_SIDE + 1], 12345);
    EXPECT_EQ(cost_grid[GRID_SIDE + 1], before);
}

#endif  // HAS_GRID
