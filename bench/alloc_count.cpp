// alloc_count.cpp - replaces the global allocation operators with counting ones, so a
// benchmark can show that an operation allocates nothing; and lines up the next record.
#include "alloc_count.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#include "graph.h"

namespace {
long allocations = 0;  // the benchmarks run on one thread
}

long allocation_count() { return allocations; }

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size ? size : 1);
}

void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& t) noexcept {
    return operator new(size, t);
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

void align_next_record() {
    // Blocks freed earlier are handed out first, wherever they lie: use them up, so the next
    // ones come from fresh memory, one after the other.
    for (int i = 0; i < 64; ++i)
        if (!std::malloc(sizeof(Node)) || !std::malloc(sizeof(Edge))) return;
    for (int tries = 0; tries < 8; ++tries) {
        void* probe = std::malloc(sizeof(Node));
        auto offset = reinterpret_cast<std::uintptr_t>(probe) % 64;
        if (offset == 0 || offset == 16) {
            std::free(probe);  // the allocator hands the same block out next
            return;
        }
        // Kept, with the smallest block after it: the next blocks start 32 or 64 bytes on.
        if (!std::malloc(1)) return;
    }
}
