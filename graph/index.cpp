// index.cpp - the position index of the indexed build: an open-addressing table from position
// to the chain of nodes there, and the list links that make appending and removal constant.
#include "index.h"

#include <new>

#include "search_heap.h"

namespace {

PositionIndex fresh_index() {
    PositionIndex fresh = {};
    fresh.next_order = GRAPH_FIRST_ORDER;
    return fresh;
}

PositionIndex idx = fresh_index();

constexpr std::size_t FIRST_CAPACITY = 16;

std::size_t home_slot(std::int32_t x, std::int32_t y) {
    std::uint64_t key = (std::uint64_t{static_cast<std::uint32_t>(x)} << 32) |
                        static_cast<std::uint32_t>(y);
    key *= 0x9E3779B97F4A7C15u;  // Fibonacci hashing: the high half mixes every bit
    return static_cast<std::size_t>(key >> 32) & (idx.capacity - 1);
}

IndexSlot* find_slot(std::int32_t x, std::int32_t y) {
    if (idx.capacity == 0) return nullptr;
    for (std::size_t i = home_slot(x, y);; i = (i + 1) & (idx.capacity - 1)) {
        IndexSlot& s = idx.slots[i];
        if (!s.first) return nullptr;
        if (s.x == x && s.y == y) return &s;
    }
}

// Enters a chain at its first node's position, which has no slot yet; the table has room.
void insert_slot(Node* first) {
    std::size_t i = home_slot(first->x, first->y);
    while (idx.slots[i].first) i = (i + 1) & (idx.capacity - 1);
    idx.slots[i] = IndexSlot{first->x, first->y, first};
    ++idx.used;
}

// Empties slot s and shifts back the slots after it that probed past it, so that no probe
// meets a gap before its key.
void erase_slot(IndexSlot* s) {
    const std::size_t mask = idx.capacity - 1;
    std::size_t gap = static_cast<std::size_t>(s - idx.slots);
    for (std::size_t j = (gap + 1) & mask; idx.slots[j].first; j = (j + 1) & mask) {
        const std::size_t home = home_slot(idx.slots[j].x, idx.slots[j].y);
        const bool reachable_past_gap = gap <= j ? (gap < home && home <= j) : (gap < home || home <= j);
        if (reachable_past_gap) continue;
        idx.slots[gap] = idx.slots[j];
        gap = j;
    }
    idx.slots[gap].first = nullptr;
    --idx.used;
}

bool grow_table() {
    const std::size_t capacity = idx.capacity ? 2 * idx.capacity : FIRST_CAPACITY;
    auto* slots = new (std::nothrow) IndexSlot[capacity];
    if (!slots) return false;
    for (std::size_t i = 0; i < capacity; ++i) slots[i].first = nullptr;
    IndexSlot* old = idx.slots;
    const std::size_t old_capacity = idx.capacity;
    idx.slots = slots;
    idx.capacity = capacity;
    idx.used = 0;
    for (std::size_t i = 0; i < old_capacity; ++i)
        if (old[i].first) insert_slot(old[i].first);
    delete[] old;
    return true;
}

// The next creation number. When the numbers run out, the list is numbered afresh from 0,
// which keeps their order.
std::uint32_t take_order(Node* head) {
    if (idx.next_order == UINT32_MAX) {
        idx.next_order = 0;
        for (Node* n = head; n; n = n->next) n->order = idx.next_order++;
    }
    return idx.next_order++;
}

// Joins two chains of nodes at one position into one chain in list order; returns its first.
Node* merge_chains(Node* a, Node* b) {
    Node* first = nullptr;
    Node** link = &first;
    Node* last = nullptr;
    while (a && b) {
        Node*& from = a->order < b->order ? a : b;
        Node* n = from;
        from = n->same_next;
        n->same_prev = last;
        *link = n;
        link = &n->same_next;
        last = n;
    }
    for (Node* n = a ? a : b; n; n = n->same_next) {
        n->same_prev = last;
        *link = n;
        link = &n->same_next;
        last = n;
    }
    first->same_prev = last;
    return first;
}

}  // namespace

const PositionIndex& position_index() { return idx; }

Node* index_first(std::int32_t x, std::int32_t y) {
    const IndexSlot* s = find_slot(x, y);
    return s ? s->first : nullptr;
}

Node* index_last(std::int32_t x, std::int32_t y) {
    const IndexSlot* s = find_slot(x, y);
    return s ? s->first->same_prev : nullptr;
}

bool index_reserve_node() {
    if ((idx.used + 1) * 4 > idx.capacity * 3 && !grow_table()) return false;
    return heap_reserve(heap_room(idx.nodes + 1));
}

void index_append(Node** list, Node* node) {
    node->order = take_order(*list);
    ++idx.nodes;
    node->list_prev = idx.tail;
    if (idx.tail)
        idx.tail->next = node;
    else
        *list = node;
    idx.tail = node;

    node->same_next = nullptr;
    if (IndexSlot* s = find_slot(node->x, node->y)) {
        Node* last = s->first->same_prev;
        last->same_next = node;
        node->same_prev = last;
        s->first->same_prev = node;
    } else {
        node->same_prev = node;
        insert_slot(node);
    }
}

void index_unlink(Node** list, Node* node) {
    --idx.nodes;
    if (node->list_prev)
        node->list_prev->next = node->next;
    else
        *list = node->next;
    if (node->next)
        node->next->list_prev = node->list_prev;
    else
        idx.tail = node->list_prev;

    IndexSlot* s = find_slot(node->x, node->y);
    Node* first = s->first;
    Node* after = node->same_next;
    if (node == first) {
        if (!after) return erase_slot(s);
        after->same_prev = node->same_prev;
        s->first = after;
        return;
    }
    node->same_prev->same_next = after;
    (after ? after : first)->same_prev = node->same_prev;
}

void index_move(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    if (ax == bx && ay == by) return;
    IndexSlot* from = find_slot(ax, ay);
    if (!from) return;
    Node* moving = from->first;
    erase_slot(from);  // the slot it frees is the room for a new position below
    for (Node* n = moving; n; n = n->same_next) {
        n->x = bx;
        n->y = by;
    }
    if (IndexSlot* to = find_slot(bx, by))
        to->first = merge_chains(to->first, moving);
    else
        insert_slot(moving);
}

void index_release() {
    delete[] idx.slots;
    heap_release();
    idx = fresh_index();
}
