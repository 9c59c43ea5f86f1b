// invariants.cpp - the invariant checker: walks bounded by what a sound graph holds, then sorted
// arrays searched by halving, so that a check allocates a few arrays and marks nothing.
#include "invariants.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <utility>

#if GRAPH_INDEXED
#include "entry_pool.h"
#include "index.h"
#include "node_pool.h"
#include "poison.h"
#include "search_heap.h"
#if defined(__SANITIZE_ADDRESS__) || defined(POOL_ASAN)
#define CHECK_POOL_MARKS 1  // the pools mark their records for the address sanitizer
#endif
#endif

namespace {

// The nodes of a list by address, each with its place in list order: sorted pairs searched by
// halving, so that a check allocates a handful of arrays rather than a record per node.
struct NodeIndex {
    std::vector<std::pair<const Node*, std::size_t>> by_address;

    // The node's place in the list, or -1 when it is not in it.
    long place(const Node* n) const {
        auto it = std::lower_bound(by_address.begin(), by_address.end(),
                                   std::make_pair(n, std::size_t{0}));
        return it != by_address.end() && it->first == n ? static_cast<long>(it->second) : -1;
    }
};

// Names a node as a failing check reports it: its place in the list and its position.
std::string describe(const Node* n, const NodeIndex& index) {
    std::ostringstream s;
    const long at = index.place(n);
    if (at < 0) {
        s << "a node outside the list (" << static_cast<const void*>(n) << ")";
    } else {
        s << "node #" << at << " at (" << n->x << ", " << n->y << ")";
    }
    return s.str();
}

// The nodes of the list in order and by address; "" or the fault that stopped the walk. A
// cycle is found without marking anything: a pointer going two steps for every one of another
// meets it inside any cycle (Floyd), and the cycle's first node is then found from the head.
std::string index_nodes(const Graph* graph, NodeIndex& index, std::vector<const Node*>& order) {
    const Node* head = graph->node_list;
    const Node* slow = head;
    const Node* fast = head;
    while (fast && next_node(graph, fast)) {
        slow = next_node(graph, slow);
        fast = next_node(graph, next_node(graph, fast));
        if (slow != fast) continue;
        std::size_t first = 0;  // the cycle's first node: where a walk from the head meets slow
        for (const Node* a = head; a != slow; a = next_node(graph, a), slow = next_node(graph, slow))
            ++first;
        std::size_t length = 1;
        for (const Node* a = next_node(graph, slow); a != slow; a = next_node(graph, a)) ++length;
        std::ostringstream s;
        s << "the node list returns to node #" << first << " after " << first + length
          << " nodes (a cycle)";
        return s.str();
    }
    for (const Node* n = head; n; n = next_node(graph, n)) {
        index.by_address.emplace_back(n, order.size());
        order.push_back(n);
    }
    std::sort(index.by_address.begin(), index.by_address.end());
    return "";
}

// A list with one entry per neighbour and one self-loop holds at most this many entries.
std::size_t entry_limit(std::size_t node_count) { return node_count + 1; }

// The entries of n's list in order, at most limit of them; "" or a message when the list is
// longer, which only a cycle or duplicate entries can make it.
std::string list_entries(const Node* n, std::size_t limit, const NodeIndex& index,
                         std::vector<const Edge*>& out) {
    for (const Edge* e = n->edges; e; e = e->next) {
        if (out.size() == limit) {
            std::ostringstream s;
            s << "an entry of " << describe(n, index) << " was met before: its list runs past "
              << limit << " entries, so it cycles or repeats neighbours";
            return s.str();
        }
        out.push_back(e);
    }
    return "";
}

// One entry seen from outside: the places of its owner and its neighbour in the list.
struct EntryEnds {
    std::size_t from, to;
    std::int32_t weight;
    bool operator<(const EntryEnds& o) const {
        return from != o.from ? from < o.from : to < o.to;
    }
};

// Every entry of the list's nodes, in list order, as places; "" or the first entry that
// leads nowhere or out of the list, or a list that cycles or shares an entry with another.
std::string collect_entries(const std::vector<const Node*>& order, const NodeIndex& index,
                            std::vector<EntryEnds>& ends) {
    std::vector<std::pair<const Edge*, std::size_t>> seen;  // every entry with its owner
    std::vector<const Edge*> entries;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Node* n = order[i];
        entries.clear();
        std::string fault = list_entries(n, entry_limit(order.size()), index, entries);
        if (!fault.empty()) return fault;
        for (const Edge* e : entries) {
            if (!e->to) return describe(n, index) + " holds an entry that leads nowhere (null)";
            const long to = index.place(e->to);
            if (to < 0) {
                return describe(n, index) + " holds an entry to " + describe(e->to, index) +
                       ", which is not in the list (released?)";
            }
            ends.push_back({i, static_cast<std::size_t>(to), e->weight});
            seen.emplace_back(e, i);
        }
    }
    std::sort(seen.begin(), seen.end());
    for (std::size_t k = 1; k < seen.size(); ++k) {
        if (seen[k].first == seen[k - 1].first) {
            return "an entry of " + describe(order[seen[k].second], index) +
                   " was met before: its list cycles or shares an entry with another list";
        }
    }
    return "";
}

// The structural faults of the graph (the pairing and self-loop rules), given its entries
// sorted by their ends: "" or the first fault.
std::string pairing_violation(const std::vector<const Node*>& order, const NodeIndex& index,
                              const std::vector<EntryEnds>& ends, bool self_loops_allowed) {
    for (std::size_t k = 0; k < ends.size();) {
        const std::size_t from = ends[k].from, to = ends[k].to;
        std::size_t run = k;
        while (run < ends.size() && ends[run].from == from && ends[run].to == to) ++run;
        const std::size_t c = run - k;
        k = run;
        auto holds = [&] { return describe(order[from], index) + " holds " + std::to_string(c); };
        if (from == to) {
            if (!self_loops_allowed)
                return holds() + " entries to itself in a build that refuses self-loops";
            if (c != 2) return holds() + " entries to itself; a self-loop is exactly two";
            continue;
        }
        if (c > 1) return holds() + " entries to " + describe(order[to], index);
        const auto back = std::equal_range(ends.begin(), ends.end(), EntryEnds{to, from, 0});
        const std::size_t back_count = static_cast<std::size_t>(back.second - back.first);
        if (back_count != c) {
            return holds() + " entries to " + describe(order[to], index) +
                   " but that node holds " + std::to_string(back_count) + " back (pairing)";
        }
    }
    return "";
}

// Unequal weights on the two sides of an edge, given the entries sorted by their ends and,
// among equal ends, in list order: the first entry from a node to another counts, as a lookup
// by position would find it. "" or the first such edge.
std::string unequal_weights(const std::vector<const Node*>& order, const NodeIndex& index,
                            const std::vector<EntryEnds>& ends) {
    for (const EntryEnds& e : ends) {
        if (e.from == e.to) continue;
        const auto back = std::lower_bound(ends.begin(), ends.end(), EntryEnds{e.to, e.from, 0});
        if (back == ends.end() || back->from != e.to || back->to != e.from) continue;
        const auto first = std::lower_bound(ends.begin(), ends.end(), e);
        if (back->weight != first->weight) {
            std::ostringstream s;
            s << describe(order[e.from], index) << " reaches " << describe(order[e.to], index)
              << " at weight " << first->weight << " but the way back weighs " << back->weight;
            return s.str();
        }
    }
    return "";
}

// Numbers the nodes and gathers every entry, sorted by its ends; a fault found on the way.
std::string sorted_entries(const Graph* graph, NodeIndex& index, std::vector<const Node*>& order,
                           std::vector<EntryEnds>& ends) {
    std::string fault = index_nodes(graph, index, order);
    if (!fault.empty()) return fault;
    fault = collect_entries(order, index, ends);
    if (!fault.empty()) return fault;
    std::stable_sort(ends.begin(), ends.end());
    return "";
}

}  // namespace

std::string graph_and_weight_violation(const Graph* graph, bool self_loops_allowed,
                                       bool weights_paired) {
    NodeIndex index;
    std::vector<const Node*> order;
    std::vector<EntryEnds> ends;
    std::string fault = sorted_entries(graph, index, order, ends);
    if (fault.empty()) fault = pairing_violation(order, index, ends, self_loops_allowed);
    if (fault.empty() && weights_paired) fault = unequal_weights(order, index, ends);
    return fault;
}

std::string graph_invariant_violation(const Graph* graph, bool self_loops_allowed) {
    return graph_and_weight_violation(graph, self_loops_allowed, false);
}

std::string weight_pairing_violation(const Graph* graph) {
    NodeIndex index;
    std::vector<const Node*> order;
    std::vector<EntryEnds> ends;
    std::string fault = sorted_entries(graph, index, order, ends);
    return fault.empty() ? unequal_weights(order, index, ends) : fault;
}

GraphSnapshot snapshot_graph(const Graph* graph) {
    GraphSnapshot snap;
    NodeIndex index;
    if (!index_nodes(graph, index, snap.nodes).empty()) return snap;  // stopped at the cycle
    snap.entries.resize(snap.nodes.size());
    for (std::size_t i = 0; i < snap.nodes.size(); ++i)
        (void)list_entries(snap.nodes[i], entry_limit(snap.nodes.size()), index, snap.entries[i]);
    return snap;
}

namespace {

// Each item of a list with its place in it, sorted by item, to be searched by halving.
template <typename T>
std::vector<std::pair<T, std::size_t>> places_of(const std::vector<T>& items) {
    std::vector<std::pair<T, std::size_t>> places;
    places.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) places.emplace_back(items[i], i);
    std::sort(places.begin(), places.end());
    return places;
}

// The place of item in a places_of list, or -1.
template <typename T>
long place_in(const std::vector<std::pair<T, std::size_t>>& places, T item) {
    auto it = std::lower_bound(places.begin(), places.end(), std::make_pair(item, std::size_t{0}));
    return it != places.end() && it->first == item ? static_cast<long>(it->second) : -1;
}

// "" when the items of before that are still in after keep their order in after, and every
// item of after that before lacks comes after all of them; else a message saying which.
template <typename T>
std::string kept_order(const std::vector<T>& before, const std::vector<T>& after,
                       const char* what) {
    const auto place_before = places_of(before);
    bool new_seen = false;
    long last = -1;
    for (std::size_t i = 0; i < after.size(); ++i) {
        const long was = place_in(place_before, after[i]);
        if (was < 0) {
            new_seen = true;
            continue;
        }
        if (new_seen) {
            return std::string("a new ") + what + " stands before an older one (at " +
                   std::to_string(i) + "): new ones go at the tail";
        }
        if (was <= last) {
            return std::string("the ") + what + " at " + std::to_string(i) + " was at " +
                   std::to_string(was) + " before, out of creation order";
        }
        last = was;
    }
    return "";
}

}  // namespace

std::string order_violation(const GraphSnapshot& before, const Graph* graph) {
    GraphSnapshot after = snapshot_graph(graph);
    std::string fault = kept_order(before.nodes, after.nodes, "node");
    if (!fault.empty()) return "node list: " + fault;
    const auto place_before = places_of(before.nodes);
    for (std::size_t i = 0; i < after.nodes.size(); ++i) {
        const long was = place_in(place_before, after.nodes[i]);
        if (was < 0) continue;
        fault = kept_order(before.entries[static_cast<std::size_t>(was)], after.entries[i], "entry");
        if (!fault.empty()) {
            std::ostringstream s;
            s << "list of node #" << i << " at (" << after.nodes[i]->x << ", "
              << after.nodes[i]->y << "): " << fault;
            return s.str();
        }
    }
    return "";
}

std::string search_state_violation(const Graph* graph) {
    NodeIndex index;
    std::vector<const Node*> order;
    std::string fault = index_nodes(graph, index, order);
    if (!fault.empty()) return fault;

    // The fields as the latest search left them: the indexed build's reads as never reached a
    // node that search did not reach.
    for (const Node* n : order) {
        std::vector<const Edge*> entries;
        fault = list_entries(n, entry_limit(order.size()), index, entries);
        if (!fault.empty()) return fault;
        const std::int32_t dist = search_dist(graph, n);
        const std::uint8_t done = search_done(graph, n);
        const Node* prev = search_prev(graph, n);
        if (done > 1) return describe(n, index) + " has a done flag other than 0 or 1";
        if (dist == DIST_UNSET && (done || prev)) {
            return describe(n, index) + " was never reached yet is settled or has a prev";
        }
        if (done) {
            if (dist >= DIST_CUTOFF) {
                return describe(n, index) + " is settled at a dist at or past the cutoff";
            }
            for (const Edge* e : entries) {
                if (std::int64_t{search_dist(graph, e->to)} > std::int64_t{dist} + e->weight) {
                    std::ostringstream s;
                    s << describe(n, index) << " is settled at " << dist
                      << " but its entry of weight " << e->weight << " to "
                      << describe(e->to, index) << " left that at " << search_dist(graph, e->to);
                    return s.str();
                }
            }
        }
        if (prev) {
            const Node* p = prev;
            if (index.place(p) < 0) return describe(n, index) + " has a prev outside the list";
            if (!search_done(graph, p)) return describe(n, index) + " has a prev that was never settled";
            bool explained = false;
            for (const Edge* e = p->edges; e && !explained; e = e->next) {
                explained = e->to == n && std::int64_t{search_dist(graph, p)} + e->weight == dist;
            }
            if (!explained) {
                std::ostringstream s;
                s << describe(n, index) << " has dist " << dist << " and prev "
                  << describe(p, index) << " at " << search_dist(graph, p)
                  << ", but no entry of the prev leads to it at that cost";
                return s.str();
            }
        }
    }
    return "";
}

#if GRAPH_INDEXED
namespace {

// A node with its position, its place in the list and its ref; sorted, the nodes of each
// position come together, in list order.
struct PlacedNode {
    std::int32_t x, y;
    std::size_t  place;
    const Node*  node;
    NodeRef      ref;
    bool operator<(const PlacedNode& o) const {
        if (x != o.x) return x < o.x;
        if (y != o.y) return y < o.y;
        return place < o.place;
    }
};

// The list links of the indexed store; fills at with every node.
std::string list_links_violation(const Graph* graph, std::vector<PlacedNode>& at) {
    const PositionIndex& idx = graph->index;
    const Node* head = graph->node_list;
    if (node_at(graph, idx.head) != head) return "the index's head is not the list's head";
    NodeRef before = 0;
    NodeRef r = idx.head;
    for (const Node* n = head; n; before = r, r = n->next, n = next_node(graph, n)) {
        if (n->list_prev != before) return "list_prev of a node is not the node before it";
        if (before && node_at(graph, before)->order >= n->order)
            return "creation numbers do not rise along the list";
        if (n->search > graph->search_number)
            return "a node's search number is ahead of the searches";
        at.push_back({n->x, n->y, at.size(), n, r});
    }
    if (idx.tail != before) return "the tail is not the last node";
    return "";
}

// What a pool's record is to the checker.
enum RecordUse : char { NEVER_HANDED_OUT, HELD, FREE };

#if CHECK_POOL_MARKS
// The address sanitizer's marks on a record (block_table.h) agree with its use: all of it
// readable while a node or a list holds it, only its link of link_size bytes while free, none
// of it before it is handed out.
template <typename Record>
bool marks_agree(const Record* r, RecordUse use, std::size_t link_size) {
    char* bytes = reinterpret_cast<char*>(const_cast<Record*>(r));
    const std::size_t readable = use == HELD ? sizeof(Record) : use == FREE ? link_size : 0;
    if (readable && __asan_region_is_poisoned(bytes, readable)) return false;
    // The sanitizer marks memory in granules of 8 bytes, each readable up to some byte and not
    // past it: the first byte meant to be unreadable and the start of each granule after it
    // tell for the rest. Where records are not a multiple of 8 bytes (32-bit builds), a granule
    // that a neighbour shares reads as readable once the neighbour is: only the granules wholly
    // the record's own tell.
    const auto start = reinterpret_cast<std::uintptr_t>(bytes);
    const std::uintptr_t end = start + sizeof(Record);
    for (std::uintptr_t b = start + readable; b < end; b = (b | 7) + 1) {
        const std::uintptr_t granule = b & ~std::uintptr_t{7};
        if (granule < start || granule + 8 > end) continue;
        if (!__asan_address_is_poisoned(reinterpret_cast<const void*>(b))) return false;
    }
    return true;
}

const char* mark_fault(RecordUse use) {
    return use == HELD ? "a held record is marked unreadable"
           : use == FREE ? "a free record is marked readable, or its link not"
                         : "a record never handed out is marked readable";
}
#endif

// The pool's account of its records against the nodes: each ref handed out is a node's or a
// free record's, once; under the address sanitizer, every record's marks agree.
std::string pool_violation(const Graph* graph, const std::vector<PlacedNode>& at) {
    const NodePool& pool = graph->nodes;
    if (pool.fresh > 1 && pool.fresh > pool.blocks * POOL_BLOCK)
        return "the pool handed out refs past its blocks";
    std::vector<RecordUse> use(pool.blocks * POOL_BLOCK, NEVER_HANDED_OUT);
    for (const PlacedNode& p : at) {
        if (p.ref == 0 || p.ref >= pool.fresh) return "a node's ref was never handed out";
        use[p.ref] = HELD;
    }
    std::size_t free_records = 0;
    for (NodeRef r = pool.free_head; r; r = node_at(graph, r)->next, ++free_records) {
        if (r >= pool.fresh) return "a free record's ref was never handed out";
        if (use[r] != NEVER_HANDED_OUT) return "a free record is a node's, or free twice";
        use[r] = FREE;
    }
    if (at.size() + free_records + 1 != pool.fresh)
        return "the pool lost records: " + std::to_string(pool.fresh - 1) + " handed out, " +
               std::to_string(at.size()) + " nodes and " + std::to_string(free_records) + " free";
#if CHECK_POOL_MARKS
    for (NodeRef r = 0; r < use.size(); ++r)
        if (!marks_agree(pool_record(&pool, r), use[r], sizeof(NodeRef)))
            return std::string(mark_fault(use[r])) + " (node ref " + std::to_string(r) + ")";
#endif
    return "";
}

// The entry pool's account of its entries against the lists: each entry handed out is in a
// list or free, once.
std::string entry_pool_violation(const Graph* graph, const std::vector<PlacedNode>& at) {
    const EntryPool& pool = graph->entries;
    std::vector<const Edge*> seen;
    for (const PlacedNode& p : at)
        for (const Edge* e = p.node->edges; e; e = e->next) seen.push_back(e);
    const std::size_t live = seen.size();
    if (pool.live != live)
        return "the entry pool counts " + std::to_string(pool.live) + " entries in lists; they hold " +
               std::to_string(live);
    for (const Edge* e = pool.free_head; e && seen.size() <= live + pool.blocks * ENTRY_BLOCK; e = e->next)
        seen.push_back(e);
    std::sort(seen.begin(), seen.end());
    if (std::adjacent_find(seen.begin(), seen.end()) != seen.end())
        return "an entry is free and in a list, or free twice";
    const std::size_t handed_out = pool.blocks ? (pool.blocks - 1) * ENTRY_BLOCK + pool.used : 0;
    if (seen.size() != handed_out)
        return "the entry pool lost entries: " + std::to_string(handed_out) + " handed out, " +
               std::to_string(live) + " in lists and " + std::to_string(seen.size() - live) + " free";
#if CHECK_POOL_MARKS
    std::vector<const Edge*> held;
    for (const PlacedNode& p : at)
        for (const Edge* e = p.node->edges; e; e = e->next) held.push_back(e);
    std::sort(held.begin(), held.end());
    for (std::size_t b = 0; b < pool.blocks; ++b)
        for (std::size_t k = 0; k < ENTRY_BLOCK; ++k) {
            const Edge* e = pool.blocks_at[b] + k;
            const RecordUse use = b + 1 == pool.blocks && k >= pool.used ? NEVER_HANDED_OUT
                                  : std::binary_search(held.begin(), held.end(), e) ? HELD
                                                                                    : FREE;
            if (!marks_agree(e, use, sizeof e->next))
                return std::string(mark_fault(use)) + " (entry " + std::to_string(k) + " of block " +
                       std::to_string(b) + ")";
        }
#endif
    return "";
}

// The index's account of the nodes at one position, group[0 .. count), against the list's.
std::string position_violation(const Graph* graph, const PlacedNode* group, std::size_t count) {
    const std::string where =
        "at (" + std::to_string(group->x) + ", " + std::to_string(group->y) + "): ";
    const Node* first = index_first(graph, group->x, group->y);
    if (first != group[0].node) return where + "the index's first is not the list's first";
    if (index_last(graph, group->x, group->y) != group[count - 1].node)
        return where + "the index's last is not the list's last";
    const Node* n = first;
    for (std::size_t k = 0; k < count; ++k, n = node_at(graph, n->same_next))
        if (n != group[k].node) return where + "the ring is not the nodes there in list order";
    if (n != first) return where + "the ring does not close at the last node";
    return "";
}

}  // namespace

std::string index_violation(const Graph* graph) {
    const PositionIndex& idx = graph->index;
    std::vector<PlacedNode> at;
    std::string fault = list_links_violation(graph, at);
    if (fault.empty()) fault = pool_violation(graph, at);
    if (fault.empty()) fault = entry_pool_violation(graph, at);
    if (!fault.empty()) return fault;

    std::sort(at.begin(), at.end());
    std::size_t positions = 0;
    for (std::size_t k = 0; k < at.size(); ++positions) {
        std::size_t end = k;
        while (end < at.size() && at[end].x == at[k].x && at[end].y == at[k].y) ++end;
        fault = position_violation(graph, &at[k], end - k);
        if (!fault.empty()) return fault;
        k = end;
    }
    std::size_t occupied = 0;
    for (std::size_t i = 0; i < idx.capacity; ++i) {
        const NodeRef s = idx.slots[i];
        if (!s) continue;
        ++occupied;
        if (s >= graph->nodes.fresh) return "a slot names a ref never handed out";
        const Node* n = node_at(graph, s);
        const PlacedNode key{n->x, n->y, 0, nullptr, 0};
        const auto it = std::lower_bound(at.begin(), at.end(), key);
        if (it == at.end() || it->x != n->x || it->y != n->y)
            return "a slot names a position without a node";
    }
    if (occupied != positions || idx.used != positions)
        return "the table holds " + std::to_string(occupied) + " slots and counts " +
               std::to_string(idx.used) + " for " + std::to_string(positions) + " positions";
    if (idx.used * 4 > idx.capacity * 3) return "the table is fuller than three quarters";
    if (idx.nodes != at.size())
        return "the index counts " + std::to_string(idx.nodes) + " nodes; the list holds " +
               std::to_string(at.size());
    if (!GRAPH_ENGINE && graph->node_list && graph->heap.capacity < heap_room(at.size()))
        return "the search heap has too little room";
    return "";
}

double mean_probe_length(const Graph* graph) {
    const PositionIndex& idx = graph->index;
    if (idx.used == 0) return 0;
    std::size_t passed = 0;
    for (std::size_t i = 0; i < idx.capacity; ++i) {
        if (!idx.slots[i]) continue;
        const Node* n = node_at(graph, idx.slots[i]);
        passed += (i - home_slot(idx, n->x, n->y)) & (idx.capacity - 1);
    }
    return static_cast<double>(passed) / static_cast<double>(idx.used);
}
#else
std::string index_violation(const Graph*) { return ""; }
double mean_probe_length(const Graph*) { return 0; }
#endif
