// graph_test.h - the fixture of the graph-store tests and the readers they compare with.
//
// Each test owns a graph of its own, not the plug-in's. The fixture's operations run
// the store's operation and then check, as GoogleTest failures, that it reported no memory
// failure, that every invariant holds and that creation order was kept across that one call;
// TearDown checks the invariants once more and frees the graph.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "graph.h"
#include "invariants.h"
#include "settings.h"

constexpr bool SELF_LOOPS_ALLOWED = !REFUSE_SELF_LOOP;

// Pairing, one entry per neighbour (a self-loop's two entries where the build allows them), no
// entry to a released node, no cycle. A GoogleTest failure names the first fault.
void expect_graph_invariants(const Graph* graph);

using Position = std::pair<std::int32_t, std::int32_t>;

// One adjacency entry as a test reads it: the neighbour's position and the weight.
struct Entry {
    std::int32_t x, y, weight;
    bool operator==(const Entry& o) const { return x == o.x && y == o.y && weight == o.weight; }
};
std::ostream& operator<<(std::ostream& out, const Entry& e);

std::vector<Position> positions(const Node* head);          // list order
std::vector<std::int32_t> values(const Node* head);         // list order
std::vector<Entry> entries_of(const Node* node);            // list order
const Node* node_at(const Node* head, std::size_t index);   // null past the tail
std::size_t node_count(const Node* head);

// Everything a test can observe of the graph, entries' targets named by their place in the
// list: "#0 (1,2)=7 [#1:5 #2:3]; #1 ...". Two graphs with one text are the same graph.
std::string describe_graph(const Graph* graph);

class GraphTest : public ::testing::Test {
protected:
    Graph graph = EMPTY_GRAPH;
    Node*& list = graph.node_list;  // the default store's graph is its list

    void TearDown() override;

    // The store's operations, checked as the header says.
    void add(std::int32_t x, std::int32_t y, std::int32_t value = 1);
    void edge(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by, std::int32_t w);
    void move(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by);
    void set_weight(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by,
                    std::int32_t w);
    void merge(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by);

    // A path of nodes at the given positions, each joined to the next with weight w.
    void chain(const std::vector<Position>& at, std::int32_t w);

    Node* at(std::int32_t x, std::int32_t y) { return find_node(&graph, x, y); }

    // The invariants and the order across the call just made.
    void check_after(const GraphSnapshot& before, const char* what);
};
