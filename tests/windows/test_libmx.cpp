// test_libmx.cpp - libmx.dll of the Windows test host: arrays kept on one live list.
#define BUILDING_TEST_LIBMX
#include "test_libmx.h"

#include <cstdlib>
#include <cstring>

namespace {
mxArray* live = nullptr;  // every array not yet released, newest first
int      live_count = 0;
// The upper half of a returned size: zero, or garbage once mx_set_size_garbage is on.
std::uint64_t size_upper = 0;

std::uint64_t returned_size(std::size_t n) { return size_upper | n; }
}  // namespace

double*       mxGetPr(const mxArray* a) { return a->data; }
std::uint64_t mxGetN(const mxArray* a) { return returned_size(a->cols); }
std::uint64_t mxGetNumberOfElements(const mxArray* a) { return returned_size(a->rows * a->cols); }
bool        mxIsDouble(const mxArray* a) { return a->cls == MX_DOUBLE; }
bool        mxIsComplex(const mxArray* a) { return a->complex; }
bool        mxIsSparse(const mxArray* a) { return a->sparse; }

mxArray* mx_new_array(MxClass cls, bool complex, bool sparse, std::size_t rows, std::size_t cols,
                      const double* values) {
    auto* a = static_cast<mxArray*>(std::calloc(1, sizeof(mxArray)));
    if (!a) return nullptr;
    const std::size_t n = rows * cols;
    a->data = n ? static_cast<double*>(std::calloc(n, sizeof(double))) : nullptr;
    if (n && !a->data) {
        std::free(a);
        return nullptr;
    }
    if (values && n) std::memcpy(a->data, values, n * sizeof(double));
    a->cls = cls;
    a->complex = complex;
    a->sparse = sparse;
    a->rows = rows;
    a->cols = cols;
    a->next_live = live;
    live = a;
    ++live_count;
    return a;
}

mxArray* mxCreateDoubleMatrix_700(int m, int n, int complexity) {
    if (m < 0 || n < 0) return nullptr;
    return mx_new_array(MX_DOUBLE, complexity != 0, false, static_cast<std::size_t>(m),
                        static_cast<std::size_t>(n), nullptr);
}

void mx_set_size_garbage(int on) { size_upper = on ? 0xA5A5A5A500000000u : 0; }

int mx_live_count() { return live_count; }

void mx_release_all() {
    while (live) {
        mxArray* a = live;
        live = a->next_live;
        std::free(a->data);
        std::free(a);
    }
    live_count = 0;
}
