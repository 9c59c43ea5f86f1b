// engine_decoder.cpp - the byte encoding of the engine fuzzer's inputs: handles, positions,
// numbers, and the inputs of each OP.
#include "engine_decoder.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

std::uint8_t take_byte(ByteStream& in) {
    if (in.left == 0) return 0;
    --in.left;
    return *in.data++;
}

// Numbers on or next to a boundary of the engine's checks.
const double boundary_values[] = {
    std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    -0.0, 0.5, -0.5, 1.5, 2147483647.0, 2147483647.5, 2147483648.0, -2147483648.0,
    -2147483649.0, 4294967296.0, 9007199254740993.0, 1e300, 4.9e-324, -1.0, -7.0,
    30000.0, 1073741824.0, 46341.0,
};
constexpr std::size_t boundary_count = sizeof boundary_values / sizeof boundary_values[0];

// A coordinate: mostly 0 .. 5, so that positions collide, now and then a boundary value.
double take_coordinate(ByteStream& in) {
    const std::uint8_t b = take_byte(in);
    if (b < 0xE0) return static_cast<double>(b % 6);
    return boundary_values[(b - 0xE0) % boundary_count];
}

// A value or a weight: mostly 0 .. 9, now and then a large one or a boundary value.
double take_number(ByteStream& in) {
    const std::uint8_t b = take_byte(in);
    if (b < 0xD0) return static_cast<double>(b % 10);
    if (b < 0xD8) return 2147483647.0 - (b - 0xD0);  // costs past 32 bits
    return boundary_values[(b - 0xD8) % boundary_count];
}

// The inputs an OP takes after OP itself.
enum class Arg { Handle, Rows, Values, Weights, Bound };

struct OpShape {
    double      op;
    int         count;  // inputs after OP
    Arg         args[4];
};

const OpShape shapes[] = {
    {1, 0, {}},
    {2, 1, {Arg::Handle}},
    {3, 1, {Arg::Handle}},
    {4, 1, {Arg::Handle}},
    {5, 1, {Arg::Handle}},
    {10, 3, {Arg::Handle, Arg::Rows, Arg::Values}},
    {11, 4, {Arg::Handle, Arg::Rows, Arg::Rows, Arg::Weights}},
    {12, 4, {Arg::Handle, Arg::Rows, Arg::Rows, Arg::Weights}},
    {13, 3, {Arg::Handle, Arg::Rows, Arg::Rows}},
    {14, 2, {Arg::Handle, Arg::Rows}},
    {15, 3, {Arg::Handle, Arg::Rows, Arg::Rows}},
    {16, 3, {Arg::Handle, Arg::Rows, Arg::Rows}},
    {17, 1, {Arg::Handle}},
    {20, 2, {Arg::Handle, Arg::Rows}},
    {21, 1, {Arg::Handle}},
    {22, 2, {Arg::Handle, Arg::Rows}},
    {23, 3, {Arg::Handle, Arg::Rows, Arg::Rows}},
    {24, 1, {Arg::Handle}},
    {25, 2, {Arg::Handle, Arg::Rows}},
    {30, 3, {Arg::Handle, Arg::Rows, Arg::Rows}},
    {31, 3, {Arg::Handle, Arg::Rows, Arg::Bound}},
};
constexpr std::size_t shape_count = sizeof shapes / sizeof shapes[0];

// OPs that name no operation, or not as a whole double.
const double odd_ops[] = {0, 6, 18, 26, 32, -1, 1.5, 30.000001,
                          std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), 1e300};

// A handle: mostly one the input's calls made (live, freed, or from before an unload), now and
// then one no graph had.
double take_handle(ByteStream& in, const std::vector<double>& handles) {
    const std::uint8_t b = take_byte(in);
    if (b < 0xF0 && !handles.empty()) return handles[handles.size() - 1 - b % handles.size()];
    static const double strangers[] = {0, -1, 1, 0.5, std::numeric_limits<double>::quiet_NaN(),
                                       std::numeric_limits<double>::infinity()};
    if (b < 0xF8 || handles.empty()) return strangers[b % 6];
    return handles.back() + 1 + (b & 1) * 0.5;  // the next handle, and one beside it
}

HostArray take_rows(ByteStream& in, std::size_t n) {
    HostArray a = matrix_arg(n, 2, {});
    for (double& v : a.data) v = take_coordinate(in);
    return a;
}

// One number for all n rows, or one per row.
HostArray take_numbers(ByteStream& in, std::size_t n) {
    const std::uint8_t b = take_byte(in);
    const std::size_t count = b & 1 ? n : 1;
    HostArray a = b & 2 ? matrix_arg(1, count, {}) : matrix_arg(count, 1, {});
    for (double& v : a.data) v = take_number(in);
    return a;
}

HostArray take_bound(ByteStream& in) {
    static const double bounds[] = {0, 1, 3, 10, 100, 2147483648.0,
                                    std::numeric_limits<double>::infinity(), 4.5, -1,
                                    std::numeric_limits<double>::quiet_NaN()};
    return scalar_arg(bounds[take_byte(in) % 10]);
}

// Breaks input a as the byte b says: another class, complex, sparse, empty, another shape, or
// one row more than its partner.
void break_input(HostArray& a, std::uint8_t b) {
    switch (b % 8) {
        case 0: a.cls = ArrayClass::Char; break;
        case 1: a.cls = ArrayClass::Int32; break;
        case 2: a.cls = ArrayClass::Logical; break;
        case 3: a.complex = true; break;
        case 4: a.sparse = true; break;
        case 5: a = matrix_arg(0, 0, {}); break;
        case 6: a = matrix_arg(a.cols, a.rows, a.data); break;  // transposed
        default: a = matrix_arg(a.rows + 1, a.cols ? a.cols : 1, a.data); break;
    }
}

// The row count of a step: mostly a few, now and then many.
std::size_t take_row_count(ByteStream& in) {
    const std::uint8_t b = take_byte(in);
    if (b < 0xF0) return b % 5;
    return 8u + (b & 15u) * 4u;
}

// A grid of side by side from (x0, y0), or a chain of length edges along y = y0, in one OP 11.
void edge_batch(ByteStream& in, const std::vector<double>& handles, bool grid, EngineStep& step) {
    const double h = take_handle(in, handles);
    const int size = grid ? 2 + take_byte(in) % 14 : 2 + take_byte(in) % 120;
    const double x0 = take_byte(in) % 4, y0 = take_byte(in) % 4;
    std::vector<double> a, b;  // rows as [x y] pairs
    for (int i = 0; i < (grid ? size * size : size); ++i) {
        const double x = x0 + (grid ? i % size : i), y = y0 + (grid ? i / size : 0);
        if (x > x0) a.insert(a.end(), {x, y}), b.insert(b.end(), {x - 1, y});
        if (y > y0) a.insert(a.end(), {x, y}), b.insert(b.end(), {x, y - 1});
    }
    const std::size_t n = a.size() / 2;
    HostArray ra = matrix_arg(n, 2, {}), rb = matrix_arg(n, 2, {});
    std::vector<double> w(n);
    for (std::size_t i = 0; i < n; ++i) {
        ra.data[i] = a[2 * i], ra.data[n + i] = a[2 * i + 1];
        rb.data[i] = b[2 * i], rb.data[n + i] = b[2 * i + 1];
        w[i] = take_byte(in) % 4;
    }
    step.inputs = {scalar_arg(11), scalar_arg(h), std::move(ra), std::move(rb),
                   matrix_arg(n, 1, std::move(w))};
}

void take_flags(ByteStream& in, bool injection_allowed, EngineStep& step) {
    const std::uint8_t f = take_byte(in);
    step.nlhs = f & 3;
    step.fail_after = step.fail_storage_after = -1;
    if (!injection_allowed || !(f & 4)) return;
    const long allowed = take_byte(in) % 24;
    if (f & 8)
        step.fail_storage_after = allowed;
    else
        step.fail_after = allowed;
}

}  // namespace

bool read_header(ByteStream& in) { return take_byte(in) & 1; }

bool next_step(ByteStream& in, bool injection_allowed, const std::vector<double>& handles,
               EngineStep& step) {
    if (in.left == 0) return false;
    const std::uint8_t op = take_byte(in);
    step.kind = EngineStep::Kind::Call;
    step.inputs.clear();
    if (op == 0xFF) {
        step.kind = EngineStep::Kind::Unload;
        return true;
    }
    take_flags(in, injection_allowed, step);
    if (op == 0xFE || op == 0xFD) {
        edge_batch(in, handles, op == 0xFE, step);
        return true;
    }
    const unsigned which = op & 31u, variant = op >> 5;
    if (which >= shape_count) {  // no operation: the inputs of OP 2
        step.inputs = {scalar_arg(odd_ops[(which - shape_count) % 11]),
                       scalar_arg(take_handle(in, handles))};
        return true;
    }
    const OpShape& shape = shapes[which];
    step.inputs.push_back(scalar_arg(shape.op));
    const std::size_t n = take_row_count(in);
    for (int k = 0; k < shape.count; ++k) {
        switch (shape.args[k]) {
            case Arg::Handle: step.inputs.push_back(scalar_arg(take_handle(in, handles))); break;
            case Arg::Rows: step.inputs.push_back(take_rows(in, n)); break;
            case Arg::Values:
            case Arg::Weights: step.inputs.push_back(take_numbers(in, n)); break;
            case Arg::Bound: step.inputs.push_back(take_bound(in)); break;
        }
    }
    if (variant == 5 && step.inputs.size() > 1) step.inputs.pop_back();
    if (variant == 6) step.inputs.push_back(scalar_arg(take_coordinate(in)));
    if (variant == 7) {
        const std::uint8_t b = take_byte(in);
        break_input(step.inputs[(b >> 3) % step.inputs.size()], b);
    }
    return true;
}

void report_step(std::size_t n, const EngineStep& s, const std::string& what) {
    std::fprintf(stderr, "step %zu: ", n);
    if (s.kind == EngineStep::Kind::Unload) {
        std::fprintf(stderr, "unload\n");
    } else {
        std::fprintf(stderr, "nlhs %d, records fail after %ld, arrays after %ld, inputs", s.nlhs,
                     s.fail_after, s.fail_storage_after);
        for (const HostArray& a : s.inputs) {
            std::fprintf(stderr, " %zux%zu%s%s%s[", a.rows, a.cols,
                         a.cls != ArrayClass::Double ? " other class " : "",
                         a.complex ? " complex " : "", a.sparse ? " sparse " : "");
            for (std::size_t i = 0; i < a.data.size() && i < 16; ++i)
                std::fprintf(stderr, "%s%.17g", i ? " " : "", a.data[i]);
            std::fprintf(stderr, "%s]", a.data.size() > 16 ? " ..." : "");
        }
        std::fprintf(stderr, "\n");
    }
    std::fprintf(stderr, "  %s\n", what.c_str());
}
