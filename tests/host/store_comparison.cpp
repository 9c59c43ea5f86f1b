// store_comparison.cpp - how the side-by-side tests tell two outcomes or two states apart.
#include <cmath>
#include <cstring>
#include <sstream>

#include "store_under_test.h"

namespace {

std::string describe(const CallOutcome& o) {
    std::ostringstream s;
    if (o.raised) {
        s << "error " << o.error.id << " \"" << o.error.text << "\"";
    } else if (!o.result) {
        s << "no result";
    } else {
        s << o.result->rows << "x" << o.result->cols << " [";
        for (std::size_t i = 0; i < o.result->data.size() && i < 12; ++i)
            s << (i ? " " : "") << o.result->data[i];
        s << (o.result->data.size() > 12 ? " ...]" : "]");
    }
    return s.str();
}

bool same_bits(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i] && std::signbit(a[i]) == std::signbit(b[i])) &&
            !(std::isnan(a[i]) && std::isnan(b[i])))
            return false;
    return true;
}

}  // namespace

std::string outcome_difference(const CallOutcome& r, const CallOutcome& i) {
    bool same = r.raised == i.raised && !r.result == !i.result;
    if (same && r.raised) same = r.error.id == i.error.id && r.error.text == i.error.text;
    if (same && r.result)
        same = r.result->rows == i.result->rows && r.result->cols == i.result->cols &&
               same_bits(r.result->data, i.result->data);
    if (same) return "";
    return "default: " + describe(r) + "; indexed: " + describe(i);
}

std::string state_difference(const StoreState& r, const StoreState& i) {
    std::ostringstream s;
    if (r.nodes.size() != i.nodes.size()) {
        s << "default holds " << r.nodes.size() << " nodes, indexed " << i.nodes.size();
        return s.str();
    }
    std::size_t first = 0;  // the place of node k's first entry, the same in both while equal
    for (std::size_t k = 0; k < r.nodes.size(); ++k) {
        const auto& a = r.nodes[k];
        const auto& b = i.nodes[k];
        bool same = a == b;
        std::size_t e = 0;
        while (same && e < a.entry_count && r.entries[first + e] == i.entries[first + e]) ++e;
        same = same && e == a.entry_count;
        if (same) {
            first += a.entry_count;
            continue;
        }
        s << "node #" << k << ": default (" << a.x << ", " << a.y << ")=" << a.value << " with "
          << a.entry_count << " entries; indexed (" << b.x << ", " << b.y << ")=" << b.value
          << " with " << b.entry_count << " entries";
        if (a == b) {
            const auto& p = r.entries[first + e];
            const auto& q = i.entries[first + e];
            s << "; entry " << e << ": #" << p.to << " weight " << p.weight << " against #" << q.to
              << " weight " << q.weight;
        }
        return s.str();
    }
    return "";
}

std::string store_difference(const StoreUnderTest& r, const StoreUnderTest& i) {
    StoreState rs, is;
    r.read_state(&rs);
    i.read_state(&is);
    std::string fault = state_difference(rs, is);
    if (!fault.empty()) return fault;
    if (r.path_cap != i.path_cap) return "the stores' path_buf differ in size";
    if (std::memcmp(r.path(), i.path(), r.path_cap * sizeof(double)) == 0) return "";
    for (std::size_t k = 0;; ++k)
        if (std::memcmp(&r.path()[k], &i.path()[k], sizeof(double)) != 0) {
            std::ostringstream s;
            s << "path_buf[" << k << "]: default " << r.path()[k] << ", indexed " << i.path()[k];
            return s.str();
        }
}
