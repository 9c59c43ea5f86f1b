// call.h - one call of the plug-in as the commands see it, and the reading of its inputs.
//
// Every reader checks before it converts: an input that is missing or is not a non-empty,
// real, non-sparse double array raises DELIVERABLE:badInput through the host. A command reads
// all its inputs before it changes anything, so an error always leaves the graph as it was.
#pragma once

#include <cstdint>

#include "host.h"
#include "truncate.h"

struct Call {
    int                     nrhs;  // inputs given; at least 7 once the gateway has checked
    const HostArray* const* prhs;  // input k is prhs[k - 1]
    HostArray**             plhs;  // the result goes to plhs[0]
};

// The first element of input k (1..7) as a double.
double scalar_input(const Call& call, int k);

// The first element of input k as the graph store takes it: to_int32 of the double.
std::int32_t int_input(const Call& call, int k);

// Makes the zero-filled rows-by-cols result and returns its data.
double* new_result(const Call& call, int rows, int cols);

// Stores the 1-by-1 zero that means "nothing to report".
void nothing_to_report(const Call& call);

// Raises DELIVERABLE:mnemonic with a printf-style message. Never returns.
#if defined(__GNUC__)
#define PRINTF_LIKE __attribute__((format(printf, 2, 3)))
#else
#define PRINTF_LIKE
#endif
[[noreturn]] void raise_error(const char* mnemonic, const char* format, ...) PRINTF_LIKE;

// Copies values[0..count) into result with the rule every answer follows: the copy ends just
// before the first 0.0 at position 1 or later, and what it does not reach stays 0.0.
void copy_until_zero(double* result, const double* values, int count);
