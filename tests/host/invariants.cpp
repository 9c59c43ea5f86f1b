// invariants.cpp - the invariant checker: walks that stop on a repeat, then counts per pair.
#include "invariants.h"

#include <cstdint>
#include <map>
#include <sstream>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#if GRAPH_INDEXED
#include "index.h"
#include "search_heap.h"
#endif

namespace {

// Names a node as a failing check reports it: its place in the list and its position.
std::string describe(const Node* n, const std::unordered_map<const Node*, std::size_t>& index) {
    std::ostringstream s;
    auto it = index.find(n);
    if (it == index.end()) {
        s << "a node outside the list (" << static_cast<const void*>(n) << ")";
    } else {
        s << "node #" << it->second << " at (" << n->x << ", " << n->y << ")";
    }
    return s.str();
}

// The nodes of the list, each mapped to its place; "" or the fault that stopped the walk.
std::string index_nodes(const Node* head, std::unordered_map<const Node*, std::size_t>& index,
                        std::vector<const Node*>& order) {
    for (const Node* n = head; n; n = n->next) {
        if (!index.emplace(n, order.size()).second) {
            std::ostringstream s;
            s << "the node list returns to node #" << index[n] << " after " << order.size()
              << " nodes (a cycle)";
            return s.str();
        }
        order.push_back(n);
    }
    return "";
}

using NodeIndex = std::unordered_map<const Node*, std::size_t>;

// The entries of n's list in order, at most limit of them; "" or a message when the list is
// longer, which only a cycle or duplicate entries can make it.
std::string list_entries(const Node* n, std::size_t limit, const NodeIndex& index,
                         std::vector<const Edge*>& out) {
    for (const Edge* e = n->edges; e; e = e->next) {
        if (out.size() == limit) {
            std::ostringstream s;
            s << "the list of " << describe(n, index) << " runs past " << limit
              << " entries: it cycles or repeats neighbours";
            return s.str();
        }
        out.push_back(e);
    }
    return "";
}

// A list with one entry per neighbour and one self-loop holds at most this many entries.
std::size_t entry_limit(std::size_t node_count) { return node_count + 1; }

}  // namespace

std::string graph_invariant_violation(const Node* head, bool self_loops_allowed) {
    NodeIndex index;
    std::vector<const Node*> order;
    std::string fault = index_nodes(head, index, order);
    if (!fault.empty()) return fault;

    std::unordered_set<const Edge*> seen_entries;
    std::map<std::pair<const Node*, const Node*>, long> count;  // (owner, to) -> entries
    for (const Node* n : order) {
        for (const Edge* e = n->edges; e; e = e->next) {
            if (!seen_entries.insert(e).second) {
                return "an entry of " + describe(n, index) +
                       " was met before: its list cycles or shares an entry with another list";
            }
            if (!e->to) return describe(n, index) + " holds an entry that leads nowhere (null)";
            if (!index.count(e->to)) {
                return describe(n, index) + " holds an entry to " + describe(e->to, index) +
                       ", which is not in the list (released?)";
            }
            ++count[{n, e->to}];
        }
    }

    for (const auto& [ends, c] : count) {
        const Node* from = ends.first;
        const Node* to = ends.second;
        std::ostringstream s;
        if (from == to) {
            if (!self_loops_allowed) {
                s << describe(from, index) << " holds " << c
                  << " entries to itself in a build that refuses self-loops";
                return s.str();
            }
            if (c != 2) {
                s << describe(from, index) << " holds " << c
                  << " entries to itself; a self-loop is exactly two";
                return s.str();
            }
            continue;
        }
        if (c > 1) {
            s << describe(from, index) << " holds " << c << " entries to "
              << describe(to, index);
            return s.str();
        }
        auto back = count.find({to, from});
        long back_count = back == count.end() ? 0 : back->second;
        if (back_count != c) {
            s << describe(from, index) << " holds " << c << " entries to "
              << describe(to, index) << " but that node holds " << back_count
              << " back (pairing)";
            return s.str();
        }
    }
    return "";
}

std::string weight_pairing_violation(const Node* head) {
    NodeIndex index;
    std::vector<const Node*> order;
    std::string fault = index_nodes(head, index, order);
    if (!fault.empty()) return fault;

    std::map<std::pair<const Node*, const Node*>, std::int32_t> weight;
    for (const Node* n : order) {
        std::vector<const Edge*> entries;
        fault = list_entries(n, entry_limit(order.size()), index, entries);
        if (!fault.empty()) return fault;
        for (const Edge* e : entries) {
            if (e->to != n) weight.emplace(std::make_pair(n, e->to), e->weight);
        }
    }
    for (const auto& [ends, w] : weight) {
        auto back = weight.find({ends.second, ends.first});
        if (back != weight.end() && back->second != w) {
            std::ostringstream s;
            s << describe(ends.first, index) << " reaches " << describe(ends.second, index)
              << " at weight " << w << " but the way back weighs " << back->second;
            return s.str();
        }
    }
    return "";
}

GraphSnapshot snapshot_graph(const Node* head) {
    GraphSnapshot snap;
    NodeIndex index;
    if (!index_nodes(head, index, snap.nodes).empty()) return snap;  // cut at the cycle
    for (const Node* n : snap.nodes) {
        snap.entries.emplace_back();
        (void)list_entries(n, entry_limit(snap.nodes.size()), index, snap.entries.back());
    }
    return snap;
}

namespace {

// "" when the items of before that are still in after keep their order in after, and every
// item of after that before lacks comes after all of them; else a message saying which.
template <typename T>
std::string kept_order(const std::vector<T>& before, const std::vector<T>& after,
                       const char* what) {
    std::unordered_map<T, std::size_t> place_before;
    for (std::size_t i = 0; i < before.size(); ++i) place_before.emplace(before[i], i);
    bool new_seen = false;
    std::size_t last = 0;
    bool any_old = false;
    for (std::size_t i = 0; i < after.size(); ++i) {
        auto it = place_before.find(after[i]);
        if (it == place_before.end()) {
            new_seen = true;
            continue;
        }
        std::ostringstream s;
        if (new_seen) {
            s << "a new " << what << " stands before an older one (at " << i
              << "): new ones go at the tail";
            return s.str();
        }
        if (any_old && it->second <= last) {
            s << "the " << what << " at " << i << " was at " << it->second
              << " before, out of creation order";
            return s.str();
        }
        last = it->second;
        any_old = true;
    }
    return "";
}

}  // namespace

std::string order_violation(const GraphSnapshot& before, const Node* head) {
    GraphSnapshot after = snapshot_graph(head);
    std::string fault = kept_order(before.nodes, after.nodes, "node");
    if (!fault.empty()) return "node list: " + fault;
    std::unordered_map<const Node*, std::size_t> place_before;
    for (std::size_t i = 0; i < before.nodes.size(); ++i) place_before.emplace(before.nodes[i], i);
    for (std::size_t i = 0; i < after.nodes.size(); ++i) {
        auto it = place_before.find(after.nodes[i]);
        if (it == place_before.end()) continue;
        fault = kept_order(before.entries[it->second], after.entries[i], "entry");
        if (!fault.empty()) {
            std::ostringstream s;
            s << "list of node #" << i << " at (" << after.nodes[i]->x << ", "
              << after.nodes[i]->y << "): " << fault;
            return s.str();
        }
    }
    return "";
}

std::string search_state_violation(const Node* head) {
    NodeIndex index;
    std::vector<const Node*> order;
    std::string fault = index_nodes(head, index, order);
    if (!fault.empty()) return fault;

    for (const Node* n : order) {
        std::vector<const Edge*> entries;
        fault = list_entries(n, entry_limit(order.size()), index, entries);
        if (!fault.empty()) return fault;
        if (n->done > 1) return describe(n, index) + " has a done flag other than 0 or 1";
        if (n->dist == DIST_UNSET && (n->done || n->prev)) {
            return describe(n, index) + " was never reached yet is settled or has a prev";
        }
        if (n->done) {
            if (n->dist >= DIST_CUTOFF) {
                return describe(n, index) + " is settled at a dist at or past the cutoff";
            }
            for (const Edge* e : entries) {
                if (std::int64_t{e->to->dist} > std::int64_t{n->dist} + e->weight) {
                    std::ostringstream s;
                    s << describe(n, index) << " is settled at " << n->dist
                      << " but its entry of weight " << e->weight << " to "
                      << describe(e->to, index) << " left that at " << e->to->dist;
                    return s.str();
                }
            }
        }
        if (n->prev) {
            const Node* p = n->prev;
            if (!index.count(p)) return describe(n, index) + " has a prev outside the list";
            if (!p->done) return describe(n, index) + " has a prev that was never settled";
            bool explained = false;
            for (const Edge* e = p->edges; e && !explained; e = e->next) {
                explained = e->to == n && std::int64_t{p->dist} + e->weight == n->dist;
            }
            if (!explained) {
                std::ostringstream s;
                s << describe(n, index) << " has dist " << n->dist << " and prev "
                  << describe(p, index) << " at " << p->dist
                  << ", but no entry of the prev leads to it at that cost";
                return s.str();
            }
        }
    }
    return "";
}

#if GRAPH_INDEXED
namespace {

// The nodes at each position in list order, and the fault in the list links if any.
std::string list_links_violation(const Node* head, const PositionIndex& idx,
                                 std::map<std::pair<std::int32_t, std::int32_t>,
                                          std::vector<const Node*>>& at, std::size_t& entries) {
    const Node* before = nullptr;
    for (const Node* n = head; n; before = n, n = n->next) {
        if (n->list_prev != before) return "list_prev of a node is not the node before it";
        if (before && before->order >= n->order) return "creation numbers do not rise along the list";
        at[{n->x, n->y}].push_back(n);
        for (const Edge* e = n->edges; e; e = e->next) ++entries;
    }
    if (idx.tail != before) return "the tail is not the last node";
    return "";
}

// The chain from first, as far as it goes (bounded by the nodes there should be).
std::vector<const Node*> chain_from(const Node* first, std::size_t bound) {
    std::vector<const Node*> chain;
    for (const Node* n = first; n && chain.size() <= bound; n = n->same_next) chain.push_back(n);
    return chain;
}

}  // namespace

std::string index_violation(const Node* head) {
    const PositionIndex& idx = position_index();
    std::map<std::pair<std::int32_t, std::int32_t>, std::vector<const Node*>> at;
    std::size_t entries = 0;
    std::string fault = list_links_violation(head, idx, at, entries);
    if (!fault.empty()) return fault;

    for (const auto& [pos, nodes] : at) {
        std::ostringstream where;
        where << "at (" << pos.first << ", " << pos.second << "): ";
        const Node* first = index_first(pos.first, pos.second);
        if (first != nodes.front()) return where.str() + "the index's first is not the list's first";
        if (index_last(pos.first, pos.second) != nodes.back())
            return where.str() + "the index's last is not the list's last";
        if (chain_from(first, nodes.size()) != nodes)
            return where.str() + "the chain is not the nodes there in list order";
        for (std::size_t i = 1; i < nodes.size(); ++i)
            if (nodes[i]->same_prev != nodes[i - 1]) return where.str() + "a same_prev is wrong";
    }
    std::size_t occupied = 0;
    for (std::size_t i = 0; i < idx.capacity; ++i) {
        const IndexSlot& s = idx.slots[i];
        if (!s.first) continue;
        ++occupied;
        if (s.first->x != s.x || s.first->y != s.y) return "a slot's node is not at its position";
        if (!at.count({s.x, s.y})) return "a slot names a position without a node";
    }
    if (occupied != at.size() || idx.used != at.size())
        return "the table holds " + std::to_string(occupied) + " slots and counts " +
               std::to_string(idx.used) + " for " + std::to_string(at.size()) + " positions";
    if (idx.used * 4 > idx.capacity * 3) return "the table is fuller than three quarters";
    if (idx.entries != entries)
        return "the index counts " + std::to_string(idx.entries) + " entries; the graph holds " +
               std::to_string(entries);
    if (head && heap_capacity() < entries + 1) return "the search heap has too little room";
    return "";
}
#else
std::string index_violation(const Node*) { return ""; }
#endif
