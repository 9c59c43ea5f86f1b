// search_heap.cpp - the binary heap of the indexed build's search.
#include "search_heap.h"

#include <new>

namespace {

struct HeapItem {
    std::int64_t key;   // dist * 2^32 + creation number: orders by dist, then list order
    Node*        node;
};

HeapItem*   items    = nullptr;
std::size_t capacity = 0;
std::size_t size     = 0;

std::int64_t key_of(const Node* n) {
    return static_cast<std::int64_t>(n->dist) * 4294967296 + n->order;
}

}  // namespace

bool heap_reserve(std::size_t wanted) {
    if (wanted <= capacity) return true;
    const std::size_t grown = wanted < 2 * capacity ? 2 * capacity : wanted;
    auto* bigger = new (std::nothrow) HeapItem[grown];
    if (!bigger) return false;
    delete[] items;  // between searches the heap holds nothing worth keeping
    items = bigger;
    capacity = grown;
    size = 0;
    return true;
}

std::size_t heap_capacity() { return capacity; }

void heap_clear() { size = 0; }

void heap_push(Node* node) {
    const HeapItem item{key_of(node), node};
    std::size_t i = size++;
    while (i > 0) {
        const std::size_t parent = (i - 1) / 2;
        if (items[parent].key <= item.key) break;
        items[i] = items[parent];
        i = parent;
    }
    items[i] = item;
}

namespace {

HeapItem pop_top() {
    const HeapItem top = items[0];
    const HeapItem last = items[--size];
    std::size_t i = 0;
    for (;;) {
        std::size_t child = 2 * i + 1;
        if (child >= size) break;
        if (child + 1 < size && items[child + 1].key < items[child].key) ++child;
        if (last.key <= items[child].key) break;
        items[i] = items[child];
        i = child;
    }
    if (size > 0) items[i] = last;
    return top;
}

}  // namespace

Node* heap_pop_next() {
    while (size > 0) {
        const HeapItem top = pop_top();
        if (!top.node->done && top.key == key_of(top.node)) return top.node;
    }
    return nullptr;
}

void heap_release() {
    delete[] items;
    items = nullptr;
    capacity = 0;
    size = 0;
}
