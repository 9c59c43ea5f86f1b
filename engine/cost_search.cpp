// cost_search.cpp - the engine's searches and their queue: a heap of four children to a parent,
// with sentinels after the last item, as the plug-ins' indexed search has.
#include "cost_search.h"

#include <new>

// The lower 32 bits of the cost above those of the creation number: the costs in the heap lie
// within 2^31 above the last one settled (cost_search.h), so keys compared as distances from
// that cost's key order by cost, then creation number, in one comparison of 64 bits.
struct CostItem {
    std::uint64_t key;
    Node*         node;
};

namespace {

// Four children to a parent, as in the plug-ins' heap; the ARITY items after the last are
// sentinels, which no key's distance from the base reaches.
constexpr std::size_t ARITY = 4;
constexpr std::size_t FIRST_CAPACITY = 64;

std::uint64_t key_of(std::int64_t cost, const Node* node) {
    return std::uint64_t{static_cast<std::uint32_t>(cost)} << 32 | node->order;
}

// How far key lies above base, the key of the last cost settled: a sentinel lies furthest.
std::uint64_t above(std::uint64_t key, std::uint64_t base) { return key - base; }

// An item is stale once its node is settled or was offered a lower cost since.
bool stale(const CostItem& item) {
    return item.node->done ||
           static_cast<std::uint32_t>(item.node->dist) != static_cast<std::uint32_t>(item.key >> 32);
}

void sift_up(CostItem* items, std::size_t hole, const CostItem item, std::uint64_t base) {
    while (hole > 0) {
        const std::size_t parent = (hole - 1) / ARITY;
        if (above(items[parent].key, base) <= above(item.key, base)) break;
        items[hole] = items[parent];
        hole = parent;
    }
    items[hole] = item;
}

void sift_down(CostItem* items, std::size_t size, std::size_t i, std::uint64_t base) {
    const CostItem item = items[i];
    for (std::size_t first = ARITY * i + 1; first < size; first = ARITY * i + 1) {
        std::size_t child = first;
        for (std::size_t c = first + 1; c < first + ARITY; ++c)
            if (above(items[c].key, base) < above(items[child].key, base)) child = c;
        if (above(item.key, base) <= above(items[child].key, base)) break;
        items[i] = items[child];
        i = child;
    }
    items[i] = item;
}

// The sentinels' key lies just below the base, the furthest above it.
void set_sentinels(CostHeap* heap, std::uint64_t base) {
    for (std::size_t i = 0; i < ARITY; ++i) heap->items[heap->size + i] = CostItem{base - 1, nullptr};
}

// Room for one more item: the stale ones dropped, and the storage doubled when that frees less
// than half of it. False when memory ran out.
bool make_room(CostHeap* heap, std::uint64_t base) {
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
    set_sentinels(heap, base);
    if (kept > 1)
        for (std::size_t i = (kept - 2) / ARITY + 1; i-- > 0;) sift_down(heap->items, kept, i, base);
    return true;
}

bool push(CostHeap* heap, Node* node, std::int64_t cost, std::uint64_t base) {
    if (!make_room(heap, base)) return false;
    const std::size_t hole = heap->size++;
    heap->items[hole + ARITY] = CostItem{base - 1, nullptr};
    sift_up(heap->items, hole, CostItem{key_of(cost, node), node}, base);
    return true;
}

// Takes the top out: the hole it leaves goes down along the least children to the bottom, and
// the last item rises into it from there.
CostItem pop_top(CostHeap* heap, std::uint64_t base) {
    CostItem* items = heap->items;
    const std::size_t size = --heap->size;
    const CostItem top = items[0];
    const CostItem last = items[size];
    items[size] = CostItem{base - 1, nullptr};
    if (size == 0) return top;
    std::size_t hole = 0;
    for (std::size_t first = 1; first < size; first = ARITY * hole + 1) {
        std::size_t child = first;
        std::uint64_t least = above(items[first].key, base);
        for (std::size_t c = first + 1; c < first + ARITY; ++c) {
            const std::uint64_t at = above(items[c].key, base);
            const bool less = at < least;
            least = less ? at : least;
            child = less ? c : child;
        }
        items[hole] = items[child];
        hole = child;
    }
    sift_up(items, hole, last, base);
    return top;
}

// The least item that is not stale, out of the heap; a null node when none is left.
CostItem pop_next(CostHeap* heap, std::uint64_t base) {
    while (heap->size > 0) {
        const CostItem top = pop_top(heap, base);
        if (!stale(top)) return top;
    }
    return CostItem{0, nullptr};
}

// Numbers a new search; when the numbers have run out, first forgets every node's.
void number_search(Graph* graph) {
    if (graph->search_number == UINT16_MAX) {
        for (Node* n = graph->node_list; n; n = next_node(graph, n)) n->search = 0;
        graph->search_number = 0;
    }
    ++graph->search_number;
}

// One search: its graph and the last cost it settled, whose key is the heap's base.
struct Search {
    EngineGraph*  g;
    std::int64_t  settled;  // the last cost settled; no cost still to settle is below it
    std::uint64_t base;     // its key's upper half
};

// The whole cost of a popped item, from its lower 32 bits and the last cost settled.
std::int64_t cost_of(const Search& s, const CostItem& item) {
    return s.settled + static_cast<std::uint32_t>(static_cast<std::uint32_t>(item.key >> 32) -
                                                  static_cast<std::uint32_t>(s.settled));
}

void set_settled(Search* s, std::int64_t cost) {
    s->settled = cost;
    s->base = std::uint64_t{static_cast<std::uint32_t>(cost)} << 32;
}

// Offers node the cost `cost`, arriving from `from`. False when the queue could not grow.
bool offer(Search* s, Node* node, std::int64_t cost, NodeRef from) {
    const std::uint16_t number = s->g->graph.search_number;
    if (node->search == number) {
        if (node->done) return true;
        const std::int64_t known =
            s->settled + static_cast<std::uint32_t>(static_cast<std::uint32_t>(node->dist) -
                                                    static_cast<std::uint32_t>(s->settled));
        if (cost >= known) return true;
    } else {
        node->search = number;
        node->done = 0;
    }
    node->dist = static_cast<std::int32_t>(static_cast<std::uint32_t>(cost));
    node->prev = from;
    __builtin_prefetch(node->edges);  // read when it is settled
    return push(&s->g->heap, node, cost, s->base);
}

// Starts a search at start; false when the queue could not grow.
bool begin(Search* s, Node* start) {
    number_search(&s->g->graph);
    set_settled(s, 0);
    CostHeap* heap = &s->g->heap;
    heap->size = 0;
    if (heap->items) set_sentinels(heap, s->base);
    start->search = s->g->graph.search_number;
    start->done = 0;
    start->dist = 0;
    start->prev = 0;
    return push(heap, start, 0, s->base);
}

// The next node to settle and its cost; a null node when none is left.
CostItem next_to_settle(Search* s, std::int64_t* cost) {
    const CostItem item = pop_next(&s->g->heap, s->base);
    if (item.node) {
        *cost = cost_of(*s, item);
        set_settled(s, *cost);
        set_sentinels(&s->g->heap, s->base);  // still the furthest from the new base
    }
    return item;
}

// Offers the neighbours of node, settled at cost, and marks it settled.
bool settle(Search* s, Node* node, std::int64_t cost) {
    const NodeRef from = ref_of(&s->g->graph, node);
    for (const Edge* e = node->edges; e; e = e->next)
        if (!offer(s, e->to, cost + e->weight, from)) return false;
    node->done = 1;
    return true;
}

}  // namespace

void cost_heap_release(CostHeap* heap) {
    delete[] heap->items;
    *heap = EMPTY_COST_HEAP;
}

SearchEnd search_to(EngineGraph* g, Node* start, const Node* goal, std::int64_t* cost) {
    Search s{g, 0, 0};
    if (!begin(&s, start)) return SearchEnd::OutOfMemory;
    std::int64_t at = 0;
    for (CostItem item = next_to_settle(&s, &at); item.node; item = next_to_settle(&s, &at)) {
        if (item.node == goal) {  // the goal is neither relaxed nor marked done
            *cost = at;
            return SearchEnd::Settled;
        }
        if (!settle(&s, item.node, at)) return SearchEnd::OutOfMemory;
    }
    return SearchEnd::Exhausted;
}

SearchEnd search_within(EngineGraph* g, Node* start, std::int64_t bound,
                        void (*settled)(const Node* node, std::int64_t cost, void* context),
                        void* context) {
    Search s{g, 0, 0};
    if (!begin(&s, start)) return SearchEnd::OutOfMemory;
    std::int64_t at = 0;
    for (CostItem item = next_to_settle(&s, &at); item.node && at <= bound;
         item = next_to_settle(&s, &at)) {
        settled(item.node, at, context);
        if (!settle(&s, item.node, at)) return SearchEnd::OutOfMemory;
    }
    return SearchEnd::Exhausted;
}
