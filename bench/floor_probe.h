// floor_probe.h - the floor of a list-scanning design: the cheapest possible pass over a
// singly linked list of records the size of a Node, each allocated on its own.
#pragma once

#include <cstdint>

// As large as a Node on a 64-bit build, with the key where a Node keeps dist.
struct ProbeRecord {
    ProbeRecord* next;
    std::int32_t pad0[3];
    std::int32_t key;
    unsigned char pad1[24];
};
static_assert(sizeof(ProbeRecord) == 48, "the probe walks records the size of a Node");

// Allocates count records one by one, keys in a fixed scrambled order, and returns the head.
ProbeRecord* make_probe_list(long count);
void free_probe_list(ProbeRecord* head);

// The bare loop: the smallest key of the list.
std::int32_t probe_min(const ProbeRecord* head);
