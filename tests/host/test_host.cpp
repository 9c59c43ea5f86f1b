// test_host.cpp - the in-process test host, and its allocation-failure injection.
#include "test_host.h"

#include <new>

namespace {
void (*exit_hook)() = nullptr;
long allocations_left = -1;  // negative: no injection
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
void host_at_exit(void (*hook)()) { exit_hook = hook; }

HostArray scalar_arg(double v) { return matrix_arg(1, 1, {v}); }

HostArray matrix_arg(std::size_t rows, std::size_t cols, std::vector<double> data) {
    HostArray a;
    a.rows = rows;
    a.cols = cols;
    a.data = std::move(data);
    a.data.resize(rows * cols, 0.0);
    return a;
}

CallOutcome call_plugin(const std::vector<HostArray>& inputs, int nlhs) {
    std::vector<const HostArray*> prhs;
    for (const HostArray& a : inputs) prhs.push_back(&a);
    HostArray* plhs[1] = {nullptr};
    CallOutcome out;
    try {
        mexFunction(nlhs, plhs, static_cast<int>(prhs.size()), prhs.data());
    } catch (const HostError& e) {
        out.raised = true;
        out.error = e;
    }
    out.result.reset(plhs[0]);
    return out;
}

CallOutcome call7(double ax, double ay, double bx, double by, double w, double code, double val) {
    return call_plugin({scalar_arg(ax), scalar_arg(ay), scalar_arg(bx), scalar_arg(by),
                        scalar_arg(w), scalar_arg(code), scalar_arg(val)});
}

void unload_plugin() {
    if (exit_hook) exit_hook();
    exit_hook = nullptr;
}

void fail_allocations_after(long count) { allocations_left = count; }

// The graph store allocates with the nothrow form only; replacing it here lets a test make any
// chosen allocation fail.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (allocations_left == 0) return nullptr;
    if (allocations_left > 0) --allocations_left;
    try {
        return ::operator new(size);  // paired with the plain delete the store uses
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
