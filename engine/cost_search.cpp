// cost_search.cpp - the engine's searches and their queue: a heap of four children to a parent,
// with sentinels after the last item, as the plug-ins' indexed search has.
#include "cost_search.h"

#include <new>

struct CostItem {
    std::int64_t  cost;   // the whole cost the node was offered at
    std::uint32_t order;  // its creation number: equal costs go in list order
    Node*         node;
};

namespace {

constexpr std::size_t ARITY = 4;
constexpr std::size_t FIRST_CAPACITY = 64;
constexpr CostItem SENTINEL = {INT64_MAX, UINT32_MAX, nullptr};

bool before(const CostItem& a, const CostItem& b) {
    return a.cost < b.cost || (a.cost == b.cost && a.order < b.order);
}

// An item is stale once its node is settled or was offered a lower cost since.
bool stale(const CostItem& item) {
    return item.node->done ||
           static_cast<std::uint32_t>(item.node->dist) != static_cast<std::uint32_t>(item.cost);
}

void sift_up(CostItem* items, std::size_t hole, const CostItem item) {
    while (hole > 0) {
        const std::size_t parent = (hole - 1) / ARITY;
        if (!before(item, items[parent])) break;
        items[hole] = items[parent];
        hole = parent;
    }
    items[hole] = item;
}

void sift_down(CostItem* items, std::size_t size, std::size_t i) {
    const CostItem item = items[i];
    for (std::size_t first = ARITY * i + 1; first < size; first = ARITY * i + 1) {
        std::size_t child = first;
        for (std::size_t c = first + 1; c < first + ARITY; ++c)
            if (before(items[c], items[child])) child = c;
        if (!before(items[child], item)) break;
        items[i] = items[child];
        i = child;
    }
    items[i] = item;
}

void set_sentinels(CostHeap* heap) {
    for (std::size_t i = 0; i < ARITY; ++i) heap->items[heap->size + i] = SENTINEL;
}

// Room for one more item: the stale ones dropped, and the storage doubled when that frees less
// than half of it. False when memory ran out.
bool make_room(CostHeap* heap) {
    if (heap->size < heap->capacity) return true;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < heap->size; ++i)
        if (!stale(heap->items[i])) heap->items[kept++] = heap->items[i];
    if (kept * 2 > heap->capacity || heap->capacity == 0) {
        const std::size_t bigger = heap->capacity ? 2 * heap->capacity : FIRST_CAPACITY;
        auto* grown = new (std::nothrow) CostItem[bigger + ARITY];
        if (!grown) return false;
        for (std::size_t i = 0; i < kept; ++i) grown[i] = heap->items[i];
        delete[] heap->items;
        heap->items = grown;
        heap->capacity = bigger;
    }
    heap->size = kept;
    set_sentinels(heap);
    if (kept > 1)
        for (std::size_t i = (kept - 2) / ARITY + 1; i-- > 0;) sift_down(heap->items, kept, i);
    return true;
}

bool push(CostHeap* heap, Node* node, std::int64_t cost) {
    if (!make_room(heap)) return false;
    const std::size_t hole = heap->size++;
    heap->items[hole + ARITY] = SENTINEL;
    sift_up(heap->items, hole, CostItem{cost, node->order, node});
    return true;
}

// The least item that is not stale, out of the heap; null node when none is left.
CostItem pop_next(CostHeap* heap) {
    while (heap->size > 0) {
        CostItem* items = heap->items;
        const CostItem top = items[0];
        const CostItem last = items[--heap->size];
        items[heap->size] = SENTINEL;
        if (heap->size > 0) {
            items[0] = last;
            sift_down(items, heap->size, 0);
        }
        if (!stale(top)) return top;
    }
    return CostItem{0, 0, nullptr};
}

// Numbers a new search; when the numbers have run out, first forgets every node's.
void number_search(Graph* graph) {
    if (graph->search_number == UINT16_MAX) {
        for (Node* n = graph->node_list; n; n = next_node(graph, n)) n->search = 0;
        graph->search_number = 0;
    }
    ++graph->search_number;
}

// Offers node the cost `cost`, arriving from `from`; settled is the cost just settled, which
// no cost still to settle is below. False when the queue could not grow.
bool offer(EngineGraph* g, Node* node, std::int64_t cost, NodeRef from, std::int64_t settled) {
    const std::uint16_t number = g->graph.search_number;
    if (node->search == number) {
        if (node->done) return true;
        const std::int64_t known =
            settled + static_cast<std::uint32_t>(static_cast<std::uint32_t>(node->dist) -
                                                 static_cast<std::uint32_t>(settled));
        if (cost >= known) return true;
    } else {
        node->search = number;
        node->done = 0;
    }
    node->dist = static_cast<std::int32_t>(static_cast<std::uint32_t>(cost));
    node->prev = from;
    __builtin_prefetch(node->edges);  // read when it is settled
    return push(&g->heap, node, cost);
}

// Starts a search at start; false when the queue could not grow.
bool begin(EngineGraph* g, Node* start) {
    number_search(&g->graph);
    g->heap.size = 0;
    if (g->heap.items) set_sentinels(&g->heap);
    start->search = g->graph.search_number;
    start->done = 0;
    start->dist = 0;
    start->prev = 0;
    return push(&g->heap, start, 0);
}

// Offers the neighbours of node, settled at cost, and marks it settled.
bool settle(EngineGraph* g, Node* node, std::int64_t cost) {
    const NodeRef from = ref_of(&g->graph, node);
    for (const Edge* e = node->edges; e; e = e->next)
        if (!offer(g, e->to, cost + e->weight, from, cost)) return false;
    node->done = 1;
    return true;
}

}  // namespace

void cost_heap_release(CostHeap* heap) {
    delete[] heap->items;
    *heap = EMPTY_COST_HEAP;
}

SearchEnd search_to(EngineGraph* g, Node* start, const Node* goal, std::int64_t* cost) {
    if (!begin(g, start)) return SearchEnd::OutOfMemory;
    for (CostItem item = pop_next(&g->heap); item.node; item = pop_next(&g->heap)) {
        if (item.node == goal) {  // the goal is neither relaxed nor marked done
            *cost = item.cost;
            return SearchEnd::Settled;
        }
        if (!settle(g, item.node, item.cost)) return SearchEnd::OutOfMemory;
    }
    return SearchEnd::Exhausted;
}

SearchEnd search_within(EngineGraph* g, Node* start, std::int64_t bound,
                        void (*settled)(const Node* node, std::int64_t cost, void* context),
                        void* context) {
    if (!begin(g, start)) return SearchEnd::OutOfMemory;
    for (CostItem item = pop_next(&g->heap); item.node && item.cost <= bound;
         item = pop_next(&g->heap)) {
        settled(item.node, item.cost, context);
        if (!settle(g, item.node, item.cost)) return SearchEnd::OutOfMemory;
    }
    return SearchEnd::Exhausted;
}
