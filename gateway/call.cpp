// call.cpp - reading and checking the inputs of a call, making results, raising errors.
#include "call.h"

#include <cstdarg>
#include <cstdio>

#include "settings.h"

namespace {

const char* const input_names[] = {"", "ax", "ay", "bx", "by", "w", "code", "val"};

}  // namespace

void raise_error(const char* mnemonic, const char* format, ...) {
    // Plain arrays in this frame: they live until the host unwinds, and need no destructor.
    char id[64];
    char text[256];
    std::snprintf(id, sizeof id, "%s:%s", DELIVERABLE_NAME, mnemonic);
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    host_raise(id, text);
}

double scalar_input(const Call& call, int k) {
    const HostArray* a = call.prhs[k - 1];
    if (!host_is_real_double(a) || host_element_count(a) == 0)
        raise_error("badInput", "input %d (%s) must be a non-empty real double array",
                    k, input_names[k]);
    return host_data(a)[0];
}

std::int32_t int_input(const Call& call, int k) { return to_int32(scalar_input(call, k)); }

double* new_result(const Call& call, int rows, int cols) {
    return host_new_matrix(&call.plhs[0], rows, cols);
}

void nothing_to_report(const Call& call) { new_result(call, 1, 1); }

void copy_until_zero(double* result, const double* values, int count) {
    if (count <= 0) return;
    result[0] = values[0];  // the first element is never tested
    for (int e = 1; e < count && values[e] != 0.0; ++e) result[e] = values[e];
}
