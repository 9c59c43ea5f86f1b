// engine_call.cpp - reading and checking the engine's inputs, making its outputs.
#include "engine_call.h"

#include <climits>
#include <cmath>

namespace {

bool is_matrix(const HostArray* a) { return host_is_real_double(a); }

bool whole_int32(double v) {
    return v == std::trunc(v) && v >= -2147483648.0 && v <= 2147483647.0;  // NaN fails
}

}  // namespace

void expect_inputs(const EngineCall& call, int inputs, const char* usage) {
    if (call.nrhs != inputs)
        raise_error("badArgument", "engine: %d inputs given where %s takes %d", call.nrhs, usage,
                    inputs);
}

EngineGraph* graph_input(const EngineCall& call) {
    const HostArray* a = call.prhs[1];
    if (!is_matrix(a) || host_element_count(a) != 1)
        raise_error("badArgument", "engine: input 2 must be the handle of a graph");
    const double handle = host_data(a)[0];
    EngineGraph* g = graph_find(handle);
    if (!g)
        raise_error("noGraph", "no graph has the handle %.17g: it was deleted, or the engine was "
                    "cleared since it was made", handle);
    return g;
}

Rows rows_input(const EngineCall& call, int k, const char* name) {
    const HostArray* a = call.prhs[k - 1];
    if (!is_matrix(a) || host_column_count(a) != 2)
        raise_error("badArgument", "%s must be an n-by-2 matrix of positions [x y]", name);
    const std::size_t n = host_element_count(a) / 2;
    const double* data = host_data(a);
    for (std::size_t i = 0; i < 2 * n; ++i)
        if (!whole_int32(data[i]))
            raise_error("badArgument", "row %llu of %s is not a position: two whole numbers in the "
                        "int32 range", static_cast<unsigned long long>(i % n + 1), name);
    return Rows{data, n};
}

RowPairs pair_inputs(const EngineCall& call, const char* a_name, const char* b_name) {
    const RowPairs p{rows_input(call, 3, a_name), rows_input(call, 4, b_name)};
    if (p.a.n != p.b.n)
        raise_error("badArgument", "%s and %s must have as many rows (%llu and %llu)", a_name,
                    b_name, static_cast<unsigned long long>(p.a.n),
                    static_cast<unsigned long long>(p.b.n));
    return p;
}

Numbers numbers_input(const EngineCall& call, int k, std::size_t n, const char* name, bool weights) {
    const HostArray* a = call.prhs[k - 1];
    const std::size_t count = is_matrix(a) ? host_element_count(a) : 0;
    if (!is_matrix(a) || (count != 1 && count != n))
        raise_error("badArgument", "%s must be one whole number or one per row (%llu rows)", name,
                    static_cast<unsigned long long>(n));
    const double* data = host_data(a);
    for (std::size_t i = 0; i < count; ++i) {
        if (!whole_int32(data[i]))
            raise_error("badArgument", "%s(%llu) must be a whole number from -2147483648 to "
                        "2147483647", name, static_cast<unsigned long long>(i + 1));
        if (weights && data[i] < 0)
            raise_error("negativeWeight", "%s(%llu) is %.0f; the cheapest-path search takes "
                        "weights of 0 or more", name, static_cast<unsigned long long>(i + 1), data[i]);
    }
    return Numbers{data, count == 1};
}

double bound_input(const EngineCall& call, int k, const char* name) {
    const HostArray* a = call.prhs[k - 1];
    if (!is_matrix(a) || host_element_count(a) != 1 || !(host_data(a)[0] >= 0))
        raise_error("badArgument", "%s must be one number of 0 or more (Inf for no bound)", name);
    return host_data(a)[0];
}

double* output(const EngineCall& call, int slot, std::size_t rows, std::size_t cols) {
    if (slot > 0 && slot >= call.nlhs) return nullptr;
    if (rows > INT_MAX || cols > INT_MAX) out_of_memory();
    return host_new_matrix(&call.plhs[slot], static_cast<int>(rows), static_cast<int>(cols));
}

void out_of_memory() { raise_error("outOfMemory", "out of memory; the graph is unchanged"); }

void no_node(const Rows& rows, std::size_t i, const char* name) {
    raise_error("noNode", "no node at [%d %d] (row %llu of %s)", rows.x(i), rows.y(i),
                static_cast<unsigned long long>(i + 1), name);
}
