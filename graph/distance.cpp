// distance.cpp - node_distance: the Euclidean distance of two positions as an integer weight.
#include <cmath>

#include "graph.h"

// The weight is the double result rounded to nearest, whatever rounding the host has set: the
// sum of the squares and the root round, so another direction can give the neighbouring
// integer. Every x86 build does its double arithmetic on SSE2, whose rounding is MXCSR's alone
// (the x87 control word does not touch it, and <cfenv> may read only that one).
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <xmmintrin.h>

namespace {
using Rounding = unsigned int;
Rounding round_to_nearest() {
    const Rounding host = _MM_GET_ROUNDING_MODE();
    _MM_SET_ROUNDING_MODE(_MM_ROUND_NEAREST);
    return host;
}
void restore_rounding(Rounding host) { _MM_SET_ROUNDING_MODE(host); }
}  // namespace

#else
#include <cfenv>

namespace {
using Rounding = int;
Rounding round_to_nearest() {
    const Rounding host = std::fegetround();
    std::fesetround(FE_TONEAREST);
    return host;
}
void restore_rounding(Rounding host) { std::fesetround(host); }
}  // namespace

#endif

std::int32_t node_distance(const Node* a, const Node* b) {
    // Coordinates convert exactly, and their differences (below 2^33) are exact in any rounding.
    double dx = static_cast<double>(a->x) - static_cast<double>(b->x);
    double dy = static_cast<double>(a->y) - static_cast<double>(b->y);
    const Rounding host = round_to_nearest();
    double root = std::sqrt(dx * dx + dy * dy);
    std::int32_t weight = root >= 2147483648.0 ? 2147483647  // past every weight: the largest
                                               : static_cast<std::int32_t>(root);  // the floor
    restore_rounding(host);
    return weight;
}
