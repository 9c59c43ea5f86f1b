// floor_probe.cpp - the floor probe's list and its bare minimum loop.
#include "floor_probe.h"

#include <limits>

ProbeRecord* make_probe_list(long count) {
    ProbeRecord* head = nullptr;
    ProbeRecord** link = &head;
    std::uint32_t state = 12345;
    for (long i = 0; i < count; ++i) {
        ProbeRecord* r = new ProbeRecord{};
        state = state * 1103515245u + 12345u;     // keys unordered, so the minimum
        r->key = static_cast<std::int32_t>(state >> 8) % 30000;  // changes as rarely as dist's
        *link = r;
        link = &r->next;
    }
    return head;
}

void free_probe_list(ProbeRecord* head) {
    while (head) {
        ProbeRecord* next = head->next;
        delete head;
        head = next;
    }
}

std::int32_t probe_min(const ProbeRecord* head) {
    std::int32_t best = std::numeric_limits<std::int32_t>::max();
    for (const ProbeRecord* r = head; r; r = r->next)
        if (r->key < best) best = r->key;
    return best;
}
