// distance_test.cpp - node_distance: truncated Euclidean distance, symmetric, and clamped to
// INT32_MAX where coordinates at the int32 limits put two nodes 2^31 or more apart; computed in
// double precision, rounding to nearest, whatever the rounding the caller left set.
#include <cfenv>
#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

#include "graph_test.h"

namespace {

Node node_at_position(std::int32_t x, std::int32_t y) {
    Node n{};
    n.x = x;
    n.y = y;
    return n;
}

// The rounding direction double arithmetic runs under: on SSE2, MXCSR's, which fegetround may
// not read. Read from the register, not seen in a sum: valgrind rounds SSE to nearest anyway.
int arithmetic_rounding() {
#if defined(__SSE2__)
    return static_cast<int>(_MM_GET_ROUNDING_MODE());
#else
    return std::fegetround();
#endif
}

}  // namespace

struct DistanceCase {
    std::int32_t ax, ay, bx, by, distance;
};
class NodeDistance : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(NodeDistance, IsTheTruncatedRootInEitherOrder) {
    const DistanceCase& c = GetParam();
    Node a = node_at_position(c.ax, c.ay);
    Node b = node_at_position(c.bx, c.by);
    EXPECT_EQ(node_distance(&a, &b), c.distance);
    EXPECT_EQ(node_distance(&b, &a), c.distance);
}

// A host may leave any rounding direction set: the distance does not change, and the caller's
// direction is in force again afterwards.
TEST_P(NodeDistance, IsTheSameWhateverRoundingTheCallerSet) {
    const DistanceCase& c = GetParam();
    Node a = node_at_position(c.ax, c.ay);
    Node b = node_at_position(c.bx, c.by);
    for (int mode : {FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        const int callers = arithmetic_rounding();
        const std::int32_t d = node_distance(&a, &b);
        const int after = arithmetic_rounding();
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(d, c.distance) << "rounding mode " << mode;
        EXPECT_EQ(after, callers) << "rounding mode " << mode;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NodeDistance,
    ::testing::Values(DistanceCase{0, 0, 3, 4, 5}, DistanceCase{0, 0, 1, 1, 1},
                      DistanceCase{0, 0, 2, 2, 2},  // 2.83: truncated, not rounded
                      DistanceCase{2, 1, 5, 5, 5}, DistanceCase{-3, 0, 0, 4, 5},
                      DistanceCase{7, -7, 7, -7, 0}, DistanceCase{0, 0, 300, 400, 500},
                      DistanceCase{0, 0, 1, 0, 1}, DistanceCase{0, 0, 0, -1, 1},
                      DistanceCase{0, 0, 0, 46341, 46341},      // its square is past int32
                      DistanceCase{0, 0, 65536, 65536, 92681},  // as is each square here
                      DistanceCase{-2, -3, -5, -7, 5}));

INSTANTIATE_TEST_SUITE_P(
    Int32Limits, NodeDistance,
    ::testing::Values(DistanceCase{0, 0, INT32_MAX, 0, INT32_MAX},
                      DistanceCase{1, 0, INT32_MAX, 0, INT32_MAX - 1},
                      DistanceCase{0, 0, 0, INT32_MIN, INT32_MAX},   // 2^31: clamped
                      DistanceCase{-1, 0, INT32_MAX, 0, INT32_MAX},  // 2^31: clamped
                      DistanceCase{0, 0, 1518500249, 1518500249, 2147483646},
                      DistanceCase{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX},
                      DistanceCase{INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX},
                      DistanceCase{INT32_MIN, 0, INT32_MIN, 0, 0},
                      // a 32-bit difference would wrap to -1 here and give 1
                      DistanceCase{0, INT32_MIN, 0, INT32_MAX, INT32_MAX},
                      DistanceCase{INT32_MAX, 5, INT32_MIN, 5, INT32_MAX},
                      DistanceCase{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX - 3, 3}));

// Positions whose distance lies so close below or above an integer that evaluating it in x87
// extended precision (or rounding other than to nearest) gives the neighbouring integer: the
// sum of the squares, above 2^53, is rounded to a double before the root. The comment gives
// what extended precision gives.
INSTANTIATE_TEST_SUITE_P(
    DoubleRounding, NodeDistance,
    ::testing::Values(DistanceCase{0, 0, 134234113, 16385, 134234114},  // 134234113
                      DistanceCase{0, 0, 379639012, 27555, 379639012},  // 379639013, the exact root
                      DistanceCase{-1000000000, 7, -865776190, 23178, 134223812},  // 134223811
                      DistanceCase{0, 0, 67117958, 41774, 67117971},     // 67117970
                      DistanceCase{0, 0, 379704195, 38972, 379704196},   // 379704197
                      DistanceCase{0, 0, 268435457, 32768, 268435459},   // 268435458
                      DistanceCase{0, 0, 46341, 1073744141, 1073744142}, // 1073744141
                      DistanceCase{1000000000, -1000000000, -1055110161, -999935889,
                                   2055110162},                          // 2055110161
                      DistanceCase{0, 0, 1073697800, 46340, 1073697801}, // 1073697800
                      DistanceCase{0, 0, 759252504, 38968, 759252504})); // 759252505

TEST(NodeDistanceShape, GrowsWithTheGapAndIsAtLeastTheLargerCoordinateGap) {
    Node origin = node_at_position(0, 0);
    std::int32_t last = 0;
    for (std::int32_t x : {0, 1, 10, 1000, 46340, 100000, 1 << 30, INT32_MAX}) {
        Node b = node_at_position(x, -x);
        std::int32_t d = node_distance(&origin, &b);
        EXPECT_GE(d, x) << x;
        EXPECT_GE(d, last) << x;
        last = d;
    }
}
