// search_heap.cpp - the heap of the indexed build's search.
#include "search_heap.h"

#include <new>

#include "graph.h"

struct HeapItem {
    std::int64_t key;   // dist * 2^32 + creation number: orders by dist, then list order
    Node*        node;
};

namespace {

// Four children to a parent: taking the top descends half as many levels as in a binary heap,
// and the least of the children is found without a branch. The ARITY items after the last are
// sentinels whose key no item reaches, so a parent always has four children to compare.
constexpr std::size_t ARITY = 4;
constexpr HeapItem SENTINEL = {INT64_MAX, nullptr};

std::int64_t key_of(const Node* n) {
    return static_cast<std::int64_t>(n->dist) * 4294967296 + n->order;
}

bool stale(const HeapItem& item) { return item.node->done || item.key != key_of(item.node); }

// Moves the item at i down below every child with a smaller key.
void sift_down(SearchHeap* heap, std::size_t i) {
    HeapItem* items = heap->items;
    const std::size_t size = heap->size;
    const HeapItem item = items[i];
    for (std::size_t first = ARITY * i + 1; first < size; first = ARITY * i + 1) {
        std::size_t child = first;
        for (std::size_t c = first + 1; c < first + ARITY; ++c)
            if (items[c].key < items[child].key) child = c;
        if (item.key <= items[child].key) break;
        items[i] = items[child];
        i = child;
    }
    items[i] = item;
}

// Puts item into the free place hole, or above it while a parent's key is greater.
void sift_up(HeapItem* items, std::size_t hole, const HeapItem item) {
    while (hole > 0) {
        const std::size_t parent = (hole - 1) / ARITY;
        if (items[parent].key <= item.key) break;
        items[hole] = items[parent];
        hole = parent;
    }
    items[hole] = item;
}

// Drops the stale items and orders the rest again.
void drop_stale(SearchHeap* heap) {
    HeapItem* items = heap->items;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < heap->size; ++i)
        if (!stale(items[i])) items[kept++] = items[i];
    heap->size = kept;
    for (std::size_t i = 0; i < ARITY; ++i) items[kept + i] = SENTINEL;
    if (kept > 1)
        for (std::size_t i = (kept - 2) / ARITY + 1; i-- > 0;) sift_down(heap, i);  // parents, last first
}

// Takes the top out: the hole it leaves goes down along the least children to the bottom, and
// the last item rises into it from there (it seldom rises far).
HeapItem pop_top(SearchHeap* heap) {
    HeapItem* items = heap->items;
    const std::size_t size = --heap->size;
    const HeapItem top = items[0];
    const HeapItem last = items[size];
    items[size] = SENTINEL;
    if (size == 0) return top;
    std::size_t hole = 0;
    for (std::size_t first = 1; first < size; first = ARITY * hole + 1) {
        std::size_t child = first;
        std::int64_t least = items[first].key;
        for (std::size_t c = first + 1; c < first + ARITY; ++c) {
            const bool less = items[c].key < least;
            least = less ? items[c].key : least;
            child = less ? c : child;
        }
        items[hole] = items[child];
        hole = child;
    }
    sift_up(items, hole, last);
    return top;
}

}  // namespace

bool heap_reserve(SearchHeap* heap, std::size_t wanted) {
    if (wanted <= heap->capacity) return true;
    // A sixteenth to spare: growing copies nothing, and room to spare is memory per node.
    const std::size_t grown = wanted + wanted / 16;
    auto* bigger = new (std::nothrow) HeapItem[grown + ARITY];
    if (!bigger) return false;
    delete[] heap->items;  // between searches the heap holds nothing worth keeping
    heap->items = bigger;
    heap->capacity = grown;
    heap->size = 0;
    return true;
}

void heap_clear(SearchHeap* heap) {
    heap->size = 0;
    for (std::size_t i = 0; i < ARITY; ++i) heap->items[i] = SENTINEL;
}

void heap_push(SearchHeap* heap, Node* node) {
    if (heap->size == heap->capacity) drop_stale(heap);  // node's own earlier item is stale too
    const std::size_t hole = heap->size++;
    heap->items[hole + ARITY] = SENTINEL;  // the one place past the sentinels before
    sift_up(heap->items, hole, HeapItem{key_of(node), node});
}

// The node at the top had its first entry fetched when it was offered (shortest_path.cpp):
// from that, the neighbour it leads to and the entry after next.
void heap_prefetch_top(const SearchHeap& heap) {
    if (heap.size == 0) return;
    const Edge* e = heap.items[0].node->edges;
    if (!e) return;
    __builtin_prefetch(e->to);
    if (e->next) {
        __builtin_prefetch(e->next->next);
        __builtin_prefetch(e->next->to);
    }
}

Node* heap_pop_next(SearchHeap* heap) {
    while (heap->size > 0) {
        const HeapItem top = pop_top(heap);
        if (!stale(top)) return top.node;
    }
    return nullptr;
}

void heap_release(SearchHeap* heap) {
    delete[] heap->items;
    *heap = EMPTY_HEAP;
}
