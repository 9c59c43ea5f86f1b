// distance.cpp - node_distance: the Euclidean distance of two positions as an integer weight.
#include <cmath>

#include "graph.h"

std::int32_t node_distance(const Node* a, const Node* b) {
    // Coordinates convert exactly, and their differences (below 2^33) are exact in any rounding.
    double dx = static_cast<double>(a->x) - static_cast<double>(b->x);
    double dy = static_cast<double>(a->y) - static_cast<double>(b->y);
    double root = std::sqrt(dx * dx + dy * dy);
    if (root >= 2147483648.0) return 2147483647;  // past every weight: the largest one
    return static_cast<std::int32_t>(root);       // never negative: truncation is the floor
}
