// call_checks.cpp - the expected outcome of a call, worked out independently of the gateway.
#include "call_checks.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <unordered_map>

#if HAS_GRID
#include "grid.h"
#endif

namespace {

constexpr bool HAS_COMMAND_7 = HAS_GRID || HAS_REFRESH;

// The boundary conversion, written again here so that the checks do not trust the gateway's.
std::int32_t as_int32(double v) {
    if (std::isnan(v) || v >= 2147483648.0 || v <= -2147483649.0) return INT32_MIN;
    return static_cast<std::int32_t>(std::trunc(v));
}

bool readable(const HostArray& a) {
    return a.cls == ArrayClass::Double && !a.complex && !a.sparse && a.rows * a.cols > 0;
}

double first(const HostArray& a) { return a.data[0]; }

std::string describe(const HostArray* r) {
    if (!r) return "no result";
    std::ostringstream s;
    s << r->rows << "x" << r->cols << " [";
    for (std::size_t i = 0; i < r->data.size() && i < 12; ++i) s << (i ? " " : "") << r->data[i];
    if (r->data.size() > 12) s << " ...";
    s << "]";
    return s.str();
}

// The values as every result holds them: from the first 0.0 at position 1 or later, 0.0.
std::vector<double> cut_at_zero(std::vector<double> values) {
    for (std::size_t e = 1; e < values.size(); ++e) {
        if (values[e] == 0.0) {
            for (; e < values.size(); ++e) values[e] = 0.0;
        }
    }
    return values;
}

std::string expect_matrix(const HostArray* r, std::size_t rows, std::size_t cols,
                          const std::vector<double>& values) {
    if (!r) return "stored no result; expected a " + std::to_string(rows) + "x" +
                   std::to_string(cols) + " result";
    bool same = r->rows == rows && r->cols == cols && r->data.size() == values.size() &&
                r->cls == ArrayClass::Double && !r->complex;
    for (std::size_t i = 0; same && i < values.size(); ++i) {
        // bit for bit: -0.0 and 0.0 differ only in sign and no result holds -0.0
        same = r->data[i] == values[i] && std::signbit(r->data[i]) == std::signbit(values[i]);
    }
    if (same) return "";
    HostArray want = matrix_arg(rows, cols, values);
    return "result " + describe(r) + ", expected " + describe(&want);
}

std::unordered_map<const Node*, std::size_t> index_of(const GraphCopy& g) {
    std::unordered_map<const Node*, std::size_t> index;
    for (std::size_t i = 0; i < g.nodes.size(); ++i) index.emplace(g.nodes[i].self, i);
    return index;
}

// The first (first = true) or last node at (x, y), or -1.
long node_at(const GraphCopy& g, std::int32_t x, std::int32_t y, bool first_one) {
    long found = -1;
    for (std::size_t i = 0; i < g.nodes.size(); ++i) {
        if (g.nodes[i].x == x && g.nodes[i].y == y) {
            found = static_cast<long>(i);
            if (first_one) break;
        }
    }
    return found;
}

std::string check_neighbours(const GraphCopy& g, const std::vector<HostArray>& in,
                             const HostArray* r) {
    const long n = node_at(g, as_int32(first(in[0])), as_int32(first(in[1])), true);
    if (n < 0 || g.nodes[n].entries.empty()) return expect_matrix(r, 1, 1, {0.0});
    const auto index = index_of(g);
    std::vector<double> values;
    for (const auto& [to, w] : g.nodes[n].entries) {
        const GraphCopy::NodeCopy& k = g.nodes[index.at(to)];
        values.push_back(k.x);
        values.push_back(k.y);
    }
    return expect_matrix(r, 2, values.size() / 2, cut_at_zero(values));
}

std::string check_list(const GraphCopy& g, const HostArray* r) {
    if (g.nodes.empty()) return expect_matrix(r, 1, 1, {0.0});
    std::vector<double> values;
    for (const auto& n : g.nodes) {
        if (values.size() + 3 > static_cast<std::size_t>(LIST_CAP)) break;
        values.insert(values.end(), {double(n.x), double(n.y), double(n.value)});
    }
    return expect_matrix(r, 3, values.size() / 3, cut_at_zero(values));
}

// The search of command 4 over the copy: Dijkstra on list order, sums in 64-bit with a floor
// at INT32_MIN, the current node's cost read afresh for every entry.
std::string check_path(const GraphCopy& g, const std::vector<HostArray>& in, const HostArray* r) {
    const std::int32_t ax = as_int32(first(in[0])), ay = as_int32(first(in[1]));
    const std::int32_t bx = as_int32(first(in[2])), by = as_int32(first(in[3]));
    const long start = node_at(g, ax, ay, false);
    const long goal = node_at(g, bx, by, false);
    if (g.nodes.empty() || start < 0) return expect_matrix(r, 1, 1, {0.0});

    const auto index = index_of(g);
    const std::size_t n = g.nodes.size();
    std::vector<std::int32_t> dist(n, DIST_UNSET);
    std::vector<bool> done(n, false);
    std::vector<long> prev(n, -1);
    dist[start] = 0;
    long current = -1;
    for (;;) {
        current = -1;
        std::int32_t bound = DIST_CUTOFF;
        for (std::size_t i = 0; i < n; ++i) {
            if (!done[i] && dist[i] < bound) {
                current = static_cast<long>(i);
                bound = dist[i];
            }
        }
        if (current < 0 || current == goal) break;
        for (const auto& [to, w] : g.nodes[current].entries) {
            const std::size_t k = index.at(to);
            const std::int64_t candidate = std::int64_t{dist[current]} + w;
            if (candidate < dist[k]) {
                dist[k] = candidate < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(candidate);
                prev[k] = current;
            }
        }
        done[current] = true;
    }
    if (current != goal) return expect_matrix(r, 1, 1, {0.0});

    // path_buf as the walk fills it, as far as the copy reads: the pairs at 0 .. PATH_COPY_LIMIT
    // and the x after them.
    constexpr std::size_t read = PATH_COPY_LIMIT + 4 < PATH_CAP ? PATH_COPY_LIMIT + 4 : PATH_CAP;
    double buf[read + 2] = {};
    std::size_t i = 0;
    for (long k = goal; k >= 0 && i < read; k = prev[k], i += 2) {
        buf[i] = g.nodes[k].x;
        buf[i + 1] = g.nodes[k].y;
    }
    std::vector<double> values;
    for (std::size_t p = 0; p <= static_cast<std::size_t>(PATH_COPY_LIMIT); p += 2) {
        values.push_back(buf[p]);
        values.push_back(buf[p + 1]);
        if (buf[p + 2] == 0.0) break;
    }
    return expect_matrix(r, 2, values.size() / 2, values);
}

#if HAS_GRID
std::string check_grid(const std::vector<HostArray>& in) {
    // Compared with memcmp, as a loop over the 250,000 cells would slow the fuzzer down.
    static std::int32_t want_cost[GRID_SIDE * GRID_SIDE];
    static const std::uint8_t want_mark[GRID_SIDE * GRID_SIDE] = {};
    std::memset(want_cost, 0, sizeof want_cost);
    for (std::size_t k = 0; k < in[0].cols; ++k) {
        const std::int32_t x = as_int32(in[0].data[k]), y = as_int32(in[1].data[k]);
        want_cost[static_cast<std::size_t>(y) * GRID_SIDE + x] = as_int32(in[2].data[k]);
    }
    if (std::memcmp(mark_grid, want_mark, sizeof want_mark) != 0) return "a mark cell is not 0";
    if (std::memcmp(cost_grid, want_cost, sizeof want_cost) == 0) return "";
    for (std::size_t c = 0;; ++c) {
        if (cost_grid[c] != want_cost[c]) {
            std::ostringstream s;
            s << "grid cell " << c << " holds " << cost_grid[c] << ", expected " << want_cost[c];
            return s.str();
        }
    }
}
#endif

// What may differ between the graph before and after a call.
struct Allowed {
    bool positions = false;
    bool weights = false;
};

std::string compare_graphs(const GraphCopy& a, const GraphCopy& b, Allowed allowed) {
    if (a.nodes.size() != b.nodes.size()) {
        return "the node count went from " + std::to_string(a.nodes.size()) + " to " +
               std::to_string(b.nodes.size());
    }
    for (std::size_t i = 0; i < a.nodes.size(); ++i) {
        const auto& p = a.nodes[i];
        const auto& q = b.nodes[i];
        const char* what = nullptr;
        if (p.self != q.self || p.value != q.value) what = "was replaced or changed value";
        else if (!allowed.positions && (p.x != q.x || p.y != q.y)) what = "moved";
        else if (p.entries.size() != q.entries.size()) what = "gained or lost entries";
        for (std::size_t e = 0; !what && e < p.entries.size(); ++e) {
            if (p.entries[e].first != q.entries[e].first) what = "had entries replaced";
            else if (!allowed.weights && p.entries[e].second != q.entries[e].second)
                what = "had a weight changed";
        }
        if (what) {
            std::ostringstream s;
            s << "node #" << i << " at (" << p.x << ", " << p.y << ") " << what;
            return s.str();
        }
    }
    return "";
}

#if HAS_REFRESH
std::int32_t distance(const GraphCopy::NodeCopy& a, const GraphCopy::NodeCopy& b) {
    const double dx = double(a.x) - double(b.x), dy = double(a.y) - double(b.y);
    const double root = std::sqrt(dx * dx + dy * dy);
    return root >= 2147483648.0 ? INT32_MAX : static_cast<std::int32_t>(root);
}

std::string check_refreshed(const GraphCopy& g) {
    const auto index = index_of(g);
    for (const auto& n : g.nodes) {
        for (const auto& [to, w] : n.entries) {
            const std::int32_t d = distance(n, g.nodes[index.at(to)]);
            if (w != d) {
                std::ostringstream s;
                s << "after the refresh the entry (" << n.x << ", " << n.y << ") -> ("
                  << to->x << ", " << to->y << ") weighs " << w << ", expected " << d;
                return s.str();
            }
        }
    }
    return "";
}
#endif

std::string check_moved(const GraphCopy& a, const GraphCopy& b, const std::vector<HostArray>& in) {
    const std::int32_t ax = as_int32(first(in[0])), ay = as_int32(first(in[1]));
    const std::int32_t bx = as_int32(first(in[2])), by = as_int32(first(in[3]));
    for (std::size_t i = 0; i < a.nodes.size(); ++i) {
        const bool moves = a.nodes[i].x == ax && a.nodes[i].y == ay;
        const std::int32_t x = moves ? bx : a.nodes[i].x, y = moves ? by : a.nodes[i].y;
        if (b.nodes[i].x != x || b.nodes[i].y != y) {
            std::ostringstream s;
            s << "node #" << i << " is at (" << b.nodes[i].x << ", " << b.nodes[i].y
              << "), expected (" << x << ", " << y << ")";
            return s.str();
        }
    }
    return "";
}

// The error a call must raise, "" for none. Inputs are read and checked before anything
// changes, so any input that the command reads and cannot read decides the call.
std::string expected_error(const std::vector<HostArray>& in, int command) {
    if (in.size() < 7) return "tooFewInputs";
    if (!readable(in[5])) return "badInput";
    std::vector<int> reads;
    switch (command) {
        case 0:
            reads = {1, 2, 7, 3};
            if (readable(in[2]) && first(in[2]) != 0.0) reads.insert(reads.end(), {4, 5});
            break;
        case 1: reads = {1, 2}; break;
        case 2: case 4: case 5: reads = {1, 2, 3, 4}; break;
        case 3: reads = {1, 2, 3, 4, 5}; break;
        default: break;
    }
    for (int k : reads) {
        if (!readable(in[k - 1])) return "badInput";
    }
    if (command == 7 && HAS_GRID) {
        for (int k = 0; k < 3; ++k) {
            const HostArray& a = in[k];
            if (a.cls != ArrayClass::Double || a.complex || a.sparse) return "badInput";
        }
        const std::size_t count = in[0].cols;
        for (int k = 0; k < 3; ++k) {
            if (in[k].rows * in[k].cols < count) return "badGrid";
        }
        for (std::size_t k = 0; k < count; ++k) {
            for (int c = 0; c < 2; ++c) {
                const std::int32_t v = as_int32(in[c].data[k]);
                if (v < 0 || v >= 500) return "badGrid";
            }
        }
    }
    return "";
}

}  // namespace

void copy_graph(const Graph* graph, GraphCopy& g) {
    std::size_t count = 0;
    for (const Node* n = graph->node_list; n; n = next_node(graph, n), ++count) {
        if (count == g.nodes.size()) g.nodes.emplace_back();
        GraphCopy::NodeCopy& c = g.nodes[count];
        c.self = n;
        c.x = n->x;
        c.y = n->y;
        c.value = n->value;
        c.entries.clear();  // keeps its room: a copy per call allocates next to nothing
        for (const Edge* e = n->edges; e; e = e->next) c.entries.emplace_back(e->to, e->weight);
    }
    g.nodes.resize(count);
}

bool has_shared_position(const GraphCopy& g) {
    for (std::size_t i = 0; i < g.nodes.size(); ++i) {
        for (std::size_t j = i + 1; j < g.nodes.size(); ++j) {
            if (g.nodes[i].x == g.nodes[j].x && g.nodes[i].y == g.nodes[j].y) return true;
        }
    }
    return false;
}

int selected_command(const std::vector<HostArray>& inputs) {
    if (inputs.size() < 7 || !readable(inputs[5])) return -1;
    const double code = first(inputs[5]);
    for (int c = 0; c <= 7; ++c) {
        if (code == c) return c == 7 && !HAS_COMMAND_7 ? -1 : c;
    }
    return -1;
}

std::string check_call(const std::vector<HostArray>& in, bool alloc_failed,
                       const GraphCopy& before, const CallOutcome& out, const Graph* graph_after,
                       GraphCopy& after) {
    const int command = selected_command(in);
    const std::string want = expected_error(in, command);
    copy_graph(graph_after, after);
    const std::string prefix = DELIVERABLE_NAME ":";

    if (out.raised) {
        const std::string& id = out.error.id;
        const bool may_run_out = alloc_failed && want.empty() && (command == 0 || command == 5);
        if (id != prefix + want && !(may_run_out && id == prefix + "outOfMemory"))
            return "raised " + id + " (" + out.error.text + "), expected " +
                   (want.empty() ? "no error" : prefix + want);
        if (out.error.text.empty()) return "raised " + id + " without a message";
        if (out.result) return "raised " + id + " but also stored " + describe(out.result.get());
        const std::string changed = compare_graphs(before, after, {});
        return changed.empty() ? "" : "raised " + id + " but changed the graph: " + changed;
    }
    if (!want.empty()) return "raised nothing, expected " + prefix + want;

    const HostArray* r = out.result.get();
    switch (command) {
        case 1: {
            std::string f = check_neighbours(before, in, r);
            return f.empty() ? compare_graphs(before, after, {}) : "command 1: " + f;
        }
        case 4: {
            std::string f = check_path(before, in, r);
            return f.empty() ? compare_graphs(before, after, {}) : "command 4: " + f;
        }
        case 6: {
            std::string f = check_list(before, r);
            return f.empty() ? compare_graphs(before, after, {}) : "command 6: " + f;
        }
        default: break;
    }
    if (r) return "command " + std::to_string(command) + " stored " + describe(r);
    switch (command) {
        case -1: return compare_graphs(before, after, {});
        case 2: {
            std::string f = compare_graphs(before, after, Allowed{true, false});
            return f.empty() ? check_moved(before, after, in) : f;
        }
        case 3: return compare_graphs(before, after, Allowed{false, true});
        case 7:
#if HAS_GRID
        {
            std::string f = compare_graphs(before, after, {});
            return f.empty() ? check_grid(in) : f;
        }
#elif HAS_REFRESH
        {
            std::string f = compare_graphs(before, after, Allowed{false, true});
            return f.empty() ? check_refreshed(after) : f;
        }
#else
            return "";  // no command 7 in this build: never selected
#endif
        default: return "";  // 0 and 5 change the graph; the invariant checker judges them
    }
}
