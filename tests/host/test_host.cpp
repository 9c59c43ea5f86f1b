// test_host.cpp - the in-process test host, and its allocation-failure injection.
#include "test_host.h"

#include <iterator>
#include <new>

namespace {
void (*exit_hooks[4])() = {};  // one per plug-in in the process, in the order they registered
long allocations_left = -1;    // negative: no injection
long storage_allocations_left = -1;
long live_arrays = 0;  // arrays_live

// One step of an injection counter: false when this allocation is to fail.
bool allocation_allowed(long& left) {
    if (left == 0) return false;
    if (left > 0) --left;
    return true;
}
}  // namespace

bool host_is_real_double(const HostArray* a) {
    return a->cls == ArrayClass::Double && !a->complex && !a->sparse;
}
std::size_t host_element_count(const HostArray* a) { return a->rows * a->cols; }
std::size_t host_column_count(const HostArray* a) { return a->cols; }
const double* host_data(const HostArray* a) { return a->data.data(); }

double* host_new_matrix(HostArray** slot, int rows, int cols) {
    auto* m = new HostArray;
    m->rows = static_cast<std::size_t>(rows);
    m->cols = static_cast<std::size_t>(cols);
    m->data.assign(m->rows * m->cols, 0.0);
    *slot = m;
    return m->data.data();
}

void host_raise(const char* id, const char* text) { throw HostError{id, text}; }
void host_at_exit(void (*hook)()) {
    for (auto& slot : exit_hooks) {
        if (slot == hook) return;
        if (!slot) {
            slot = hook;
            return;
        }
    }
    throw HostError{"testHost:tooManyHooks", "more exit hooks than plug-ins"};
}

HostArray scalar_arg(double v) { return matrix_arg(1, 1, {v}); }

HostArray matrix_arg(std::size_t rows, std::size_t cols, std::vector<double> data) {
    HostArray a;
    a.rows = rows;
    a.cols = cols;
    a.data = std::move(data);
    a.data.resize(rows * cols, 0.0);
    return a;
}

CallOutcome call_entry(MexEntry entry, const std::vector<HostArray>& inputs, int nlhs) {
    // The inputs' addresses on the stack where they fit: a vector made for every call took a
    // tenth of a fuzzer's time.
    const HostArray* few[16];
    std::vector<const HostArray*> many;
    const HostArray** prhs = few;
    if (inputs.size() > std::size(few)) {
        many.resize(inputs.size());
        prhs = many.data();
    }
    for (std::size_t k = 0; k < inputs.size(); ++k) prhs[k] = &inputs[k];
    HostArray* plhs[4] = {nullptr, nullptr, nullptr, nullptr};
    CallOutcome out;
    try {
        entry(nlhs, plhs, static_cast<int>(inputs.size()), prhs);
    } catch (const HostError& e) {
        out.raised = true;
        out.error = e;
    }
    out.result.reset(plhs[0]);
    for (int k = 1; k < 4; ++k) out.more[k - 1].reset(plhs[k]);
    return out;
}

void unload_plugin() {
    for (auto& slot : exit_hooks) {
        void (*hook)() = slot;
        slot = nullptr;
        if (hook) hook();
    }
}

void fail_allocations_after(long count) { allocations_left = count; }
void fail_storage_allocations_after(long count) { storage_allocations_left = count; }
long arrays_live() { return live_arrays; }

// The graph store allocates with the nothrow forms only; replacing them here lets a test make
// any chosen allocation fail. Each is paired with the plain delete the store uses.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (!allocation_allowed(allocations_left)) return nullptr;
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (!allocation_allowed(storage_allocations_left)) return nullptr;
    try {
        return ::operator new[](size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Every array form, so that arrays_live counts the arrays of the whole program.
void* operator new[](std::size_t size) {
    void* p = ::operator new(size);
    ++live_arrays;
    return p;
}

void operator delete[](void* p) noexcept {
    if (p) --live_arrays;
    ::operator delete(p);
}

void operator delete[](void* p, std::size_t) noexcept { operator delete[](p); }
