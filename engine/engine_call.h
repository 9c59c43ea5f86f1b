// engine_call.h - one call of the engine as its operations see it: the inputs read and checked,
// the outputs made. Every reader raises GraphPlugin:badArgument (or :negativeWeight, :noGraph)
// through the host on what it refuses, so an operation reads all its inputs before it changes
// anything.
#pragma once

#include <cstddef>
#include <cstdint>

#include "call.h"
#include "engine_graph.h"

struct EngineCall {
    int                     nlhs;  // outputs asked for; the first is made whatever it is
    HostArray**             plhs;
    int                     nrhs;  // inputs given, OP first
    const HostArray* const* prhs;  // input k (1 = OP) is prhs[k - 1]
};

// Raises badArgument unless the call has exactly `inputs` inputs, OP included; usage names them.
void expect_inputs(const EngineCall& call, int inputs, const char* usage);

// The graph whose handle is input 2.
EngineGraph* graph_input(const EngineCall& call);

// An n-by-2 matrix of positions, one [x y] per row, each a whole number in the int32 range.
struct Rows {
    const double* data;  // column-major: row i is (data[i], data[n + i])
    std::size_t   n;
    std::int32_t x(std::size_t i) const { return static_cast<std::int32_t>(data[i]); }
    std::int32_t y(std::size_t i) const { return static_cast<std::int32_t>(data[n + i]); }
};
Rows rows_input(const EngineCall& call, int k, const char* name);

// Inputs 3 and 4 as rows that go in pairs (A and B, FROM and TO, ...), as many of each.
struct RowPairs {
    Rows a, b;
};
RowPairs pair_inputs(const EngineCall& call, const char* a_name, const char* b_name);

// One whole number in the int32 range for all n rows, or one per row; with `weights`, each 0
// or more (negativeWeight otherwise).
struct Numbers {
    const double* data;
    bool          one;  // one number for all rows
    std::int32_t operator[](std::size_t i) const {
        return static_cast<std::int32_t>(data[one ? 0 : i]);
    }
};
Numbers numbers_input(const EngineCall& call, int k, std::size_t n, const char* name, bool weights);

// A real scalar, a number of 0 or more (Inf allowed).
double bound_input(const EngineCall& call, int k, const char* name);

// Output slot (0 = the first) as a zero-filled rows-by-cols matrix; null where the caller asked
// for fewer outputs. Made before the operation changes anything, so that a host that fails to
// make it leaves the graph as it was.
double* output(const EngineCall& call, int slot, std::size_t rows, std::size_t cols);

// Raises GraphPlugin:outOfMemory: the graph is unchanged.
[[noreturn]] void out_of_memory();

// Raises GraphPlugin:noNode for row i (from 1) of the named input.
[[noreturn]] void no_node(const Rows& rows, std::size_t i, const char* name);
