// index.cpp - the position index of the indexed build: an open-addressing table from position
// to the ring of nodes there, and the list links that make appending and removal constant.
#include "index.h"

#include <new>

#include "graph.h"

// Every bit of x and y reaches every bit of the slot (the finaliser of MurmurHash3), so
// positions on any regular pattern (x or y spaced by a power of two, diagonals, negative
// coordinates) spread over the table as well as neighbouring ones do.
std::size_t home_slot(const PositionIndex& idx, std::int32_t x, std::int32_t y) {
    std::uint64_t key = (std::uint64_t{static_cast<std::uint32_t>(x)} << 32) |
                        static_cast<std::uint32_t>(y);
    key ^= key >> 33;
    key *= 0xFF51AFD7ED558CCDu;
    key ^= key >> 33;
    key *= 0xC4CEB9FE1A85EC53u;
    key ^= key >> 33;
    return static_cast<std::size_t>(key) & (idx.capacity - 1);
}

namespace {

constexpr std::size_t FIRST_CAPACITY = 16;

std::size_t home_of(const Graph* g, NodeRef r) {
    const Node* n = node_at(g, r);
    return home_slot(g->index, n->x, n->y);
}

NodeRef* find_slot(const Graph* g, std::int32_t x, std::int32_t y) {
    const PositionIndex& idx = g->index;
    if (idx.capacity == 0) return nullptr;
    for (std::size_t i = home_slot(idx, x, y);; i = (i + 1) & (idx.capacity - 1)) {
        NodeRef& s = idx.slots[i];
        if (!s) return nullptr;
        const Node* n = node_at(g, s);
        if (n->x == x && n->y == y) return &s;
    }
}

// Enters a ring by its last node, whose position has no slot yet; the table has room.
void insert_slot(Graph* g, NodeRef last) {
    PositionIndex& idx = g->index;
    std::size_t i = home_of(g, last);
    while (idx.slots[i]) i = (i + 1) & (idx.capacity - 1);
    idx.slots[i] = last;
    ++idx.used;
}

// Empties slot s and shifts back the slots after it that probed past it, so that no probe
// meets a gap before its key.
void erase_slot(Graph* g, NodeRef* s) {
    PositionIndex& idx = g->index;
    const std::size_t mask = idx.capacity - 1;
    std::size_t gap = static_cast<std::size_t>(s - idx.slots);
    for (std::size_t j = (gap + 1) & mask; idx.slots[j]; j = (j + 1) & mask) {
        const std::size_t home = home_of(g, idx.slots[j]);
        const bool reachable_past_gap = gap <= j ? (gap < home && home <= j) : (gap < home || home <= j);
        if (reachable_past_gap) continue;
        idx.slots[gap] = idx.slots[j];
        gap = j;
    }
    idx.slots[gap] = 0;
    --idx.used;
}

bool grow_table(Graph* g) {
    PositionIndex& idx = g->index;
    const std::size_t capacity = idx.capacity ? 2 * idx.capacity : FIRST_CAPACITY;
    auto* slots = new (std::nothrow) NodeRef[capacity];
    if (!slots) return false;
    for (std::size_t i = 0; i < capacity; ++i) slots[i] = 0;
    NodeRef* old = idx.slots;
    const std::size_t old_capacity = idx.capacity;
    idx.slots = slots;
    idx.capacity = capacity;
    idx.used = 0;
    for (std::size_t i = 0; i < old_capacity; ++i)
        if (old[i]) insert_slot(g, old[i]);
    delete[] old;
    return true;
}

// The next creation number. When the numbers run out, the list is numbered afresh from 0,
// which keeps their order.
std::uint32_t take_order(Graph* g) {
    PositionIndex& idx = g->index;
    if (idx.next_order == UINT32_MAX) {
        idx.next_order = 0;
        for (Node* n = node_at(g, idx.head); n; n = next_node(g, n)) n->order = idx.next_order++;
    }
    return idx.next_order++;
}

// Joins two rings of nodes at one position, given by their last nodes, into one ring in list
// order; returns its last.
NodeRef join_rings(const Graph* g, NodeRef a_last, NodeRef b_last) {
    NodeRef a = node_at(g, a_last)->same_next;  // the firsts
    NodeRef b = node_at(g, b_last)->same_next;
    node_at(g, a_last)->same_next = 0;  // both rings opened into lists
    node_at(g, b_last)->same_next = 0;
    NodeRef first = 0;
    NodeRef last = 0;
    while (a && b) {
        NodeRef& from = node_at(g, a)->order < node_at(g, b)->order ? a : b;
        const NodeRef r = from;
        from = node_at(g, r)->same_next;
        if (last)
            node_at(g, last)->same_next = r;
        else
            first = r;
        last = r;
    }
    if (a || b) {  // the rest of one ring, up to that ring's last
        node_at(g, last)->same_next = a ? a : b;
        last = a ? a_last : b_last;
    }
    node_at(g, last)->same_next = first;
    return last;
}

}  // namespace

Node* index_first(const Graph* g, std::int32_t x, std::int32_t y) {
    const NodeRef* s = find_slot(g, x, y);
    return s ? node_at(g, node_at(g, *s)->same_next) : nullptr;
}

Node* index_last(const Graph* g, std::int32_t x, std::int32_t y) {
    const NodeRef* s = find_slot(g, x, y);
    return s ? node_at(g, *s) : nullptr;
}

NodeRef ref_of(const Graph* g, const Node* node) {
    return node->list_prev ? node_at(g, node->list_prev)->next : g->index.head;
}

bool index_reserve_node(Graph* g) {
    PositionIndex& idx = g->index;
    if ((idx.used + 1) * 4 > idx.capacity * 3 && !grow_table(g)) return false;
    if (!GRAPH_ENGINE && !heap_reserve(&g->heap, heap_room(idx.nodes + 1))) return false;
    return pool_reserve(&g->nodes);
}

bool reserve_room(Graph* g, std::size_t nodes, std::size_t entries) {
    PositionIndex& idx = g->index;
    while ((idx.used + nodes) * 4 > idx.capacity * 3)
        if (!grow_table(g)) return false;
    if (!GRAPH_ENGINE && !heap_reserve(&g->heap, heap_room(idx.nodes + nodes))) return false;
    // Records are taken from the pools and given back, so that the free chains hold enough:
    // given back last first, they come out again in the order they were taken.
    NodeRef taken_nodes = 0;  // chained through next, the last taken first
    std::size_t n = 0;
    for (; n < nodes && pool_reserve(&g->nodes); ++n) {
        const NodeRef r = pool_take(&g->nodes);
        node_at(g, r)->next = taken_nodes;
        taken_nodes = r;
    }
    while (taken_nodes) {
        const NodeRef r = taken_nodes;
        taken_nodes = node_at(g, r)->next;
        pool_give(&g->nodes, r);
    }
    Edge* taken_entries = nullptr;
    std::size_t e = 0;
    for (; n == nodes && e < entries; ++e) {
        Edge* entry = new_entry(g);
        if (!entry) break;
        entry->next = taken_entries;
        taken_entries = entry;
    }
    while (taken_entries) {
        Edge* entry = taken_entries;
        taken_entries = entry->next;
        free_entry(g, entry);
    }
    return n == nodes && e == entries;
}

void index_append(Graph* g, NodeRef r) {
    PositionIndex& idx = g->index;
    Node* node = node_at(g, r);
    node->order = take_order(g);
    ++idx.nodes;
    node->next = 0;
    node->list_prev = idx.tail;
    if (idx.tail) {
        node_at(g, idx.tail)->next = r;
    } else {
        idx.head = r;
        g->node_list = node;
    }
    idx.tail = r;

    if (NodeRef* s = find_slot(g, node->x, node->y)) {
        Node* last = node_at(g, *s);
        node->same_next = last->same_next;
        last->same_next = r;
        *s = r;
    } else {
        node->same_next = r;
        insert_slot(g, r);
    }
}

void index_remove(Graph* g, Node* node) {
    PositionIndex& idx = g->index;
    const NodeRef r = ref_of(g, node);
    --idx.nodes;
    if (node->list_prev) {
        node_at(g, node->list_prev)->next = node->next;
    } else {
        idx.head = node->next;
        g->node_list = node_at(g, node->next);
    }
    if (node->next)
        node_at(g, node->next)->list_prev = node->list_prev;
    else
        idx.tail = node->list_prev;

    NodeRef* s = find_slot(g, node->x, node->y);
    if (node->same_next == r) {
        erase_slot(g, s);
    } else {
        NodeRef before = node->same_next;
        while (node_at(g, before)->same_next != r) before = node_at(g, before)->same_next;
        node_at(g, before)->same_next = node->same_next;
        if (*s == r) *s = before;
    }
    pool_give(&g->nodes, r);
}

void index_move(Graph* g, std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    if (ax == bx && ay == by) return;
    NodeRef* from = find_slot(g, ax, ay);
    if (!from) return;
    const NodeRef moving = *from;
    erase_slot(g, from);  // the slot it frees is the room for a new position below
    NodeRef r = moving;
    do {
        Node* n = node_at(g, r);
        n->x = bx;
        n->y = by;
        r = n->same_next;
    } while (r != moving);
    if (NodeRef* to = find_slot(g, bx, by))
        *to = join_rings(g, *to, moving);
    else
        insert_slot(g, moving);
}

void index_release(Graph* g) {
    delete[] g->index.slots;
    heap_release(&g->heap);
    pool_release(&g->nodes);
    g->index = EMPTY_INDEX;
}
