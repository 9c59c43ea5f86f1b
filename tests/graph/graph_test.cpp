// graph_test.cpp - the fixture of the graph-store tests and its readers.
#include "graph_test.h"

#include <sstream>
#include <unordered_map>

void expect_graph_invariants(const Graph* graph) {
    std::string fault = graph_invariant_violation(graph, SELF_LOOPS_ALLOWED);
    EXPECT_EQ(fault, "") << describe_graph(graph);
}

std::ostream& operator<<(std::ostream& out, const Entry& e) {
    return out << "(" << e.x << "," << e.y << "):" << e.weight;
}

std::vector<Position> positions(const Node* head) {
    std::vector<Position> out;
    for (const Node* n = head; n; n = n->next) out.emplace_back(n->x, n->y);
    return out;
}

std::vector<std::int32_t> values(const Node* head) {
    std::vector<std::int32_t> out;
    for (const Node* n = head; n; n = n->next) out.push_back(n->value);
    return out;
}

std::vector<Entry> entries_of(const Node* node) {
    std::vector<Entry> out;
    for (const Edge* e = node->edges; e; e = e->next)
        out.push_back(Entry{e->to->x, e->to->y, e->weight});
    return out;
}

const Node* node_at(const Node* head, std::size_t index) {
    const Node* n = head;
    for (; n && index > 0; --index) n = n->next;
    return n;
}

std::size_t node_count(const Node* head) {
    std::size_t count = 0;
    for (const Node* n = head; n; n = n->next) ++count;
    return count;
}

std::string describe_graph(const Graph* graph) {
    // Only a sound graph can be walked; a broken one is described by its fault.
    std::string fault = graph_invariant_violation(graph, true);
    const Node* head = graph->node_list;
    if (!fault.empty()) return "(broken: " + fault + ")";
    std::unordered_map<const Node*, std::size_t> place;
    std::size_t i = 0;
    for (const Node* n = head; n; n = n->next) place[n] = i++;
    std::ostringstream s;
    for (const Node* n = head; n; n = n->next) {
        s << "#" << place[n] << " (" << n->x << "," << n->y << ")=" << n->value << " [";
        for (const Edge* e = n->edges; e; e = e->next)
            s << "#" << place[e->to] << ":" << e->weight << (e->next ? " " : "");
        s << "]; ";
    }
    return s.str();
}

void GraphTest::TearDown() {
    expect_graph_invariants(&graph);
    release_graph(&graph);
    EXPECT_EQ(list, nullptr);
}

void GraphTest::check_after(const GraphSnapshot& before, const char* what) {
    std::string fault = graph_invariant_violation(&graph, SELF_LOOPS_ALLOWED);
    EXPECT_EQ(fault, "") << "after " << what << ": " << describe_graph(&graph);
    fault = order_violation(before, &graph);
    EXPECT_EQ(fault, "") << "after " << what;
}

void GraphTest::add(std::int32_t x, std::int32_t y, std::int32_t value) {
    GraphSnapshot before = snapshot_graph(&graph);
    EXPECT_TRUE(add_node(&graph, x, y, value));
    check_after(before, "add_node");
}

void GraphTest::edge(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by,
                     std::int32_t w) {
    GraphSnapshot before = snapshot_graph(&graph);
    EXPECT_TRUE(add_edge(&graph, ax, ay, bx, by, w));
    check_after(before, "add_edge");
}

void GraphTest::move(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    GraphSnapshot before = snapshot_graph(&graph);
    move_node(&graph, ax, ay, bx, by);
    check_after(before, "move_node");
}

void GraphTest::set_weight(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by,
                           std::int32_t w) {
    GraphSnapshot before = snapshot_graph(&graph);
    set_edge_weight(&graph, ax, ay, bx, by, w);
    check_after(before, "set_edge_weight");
}

void GraphTest::merge(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    GraphSnapshot before = snapshot_graph(&graph);
    EXPECT_TRUE(merge_node(&graph, ax, ay, bx, by));
    check_after(before, "merge_node");
}

void GraphTest::chain(const std::vector<Position>& at, std::int32_t w) {
    for (const Position& p : at) add(p.first, p.second);
    for (std::size_t i = 1; i < at.size(); ++i)
        edge(at[i - 1].first, at[i - 1].second, at[i].first, at[i].second, w);
}
