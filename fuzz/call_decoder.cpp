// call_decoder.cpp - the byte encoding of fuzz inputs: numbers, arrays and steps.
#include "call_decoder.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

std::uint8_t take_byte(ByteStream& in) {
    if (in.left == 0) return 0;
    --in.left;
    return *in.data++;
}

double take_raw_double(ByteStream& in) {
    std::uint8_t bytes[8] = {};
    for (std::uint8_t& b : bytes) b = take_byte(in);
    double v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

// Numbers on or next to a boundary that the conversion, the search or the grids care about.
const double boundary_values[] = {
    std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    -0.0, 0.5, -0.5, 0.999, 1.5, -1.5, -2.7, 3.9,
    2147483647.0, 2147483647.9, 2147483648.0, -2147483648.0, -2147483648.9, -2147483649.0,
    1e12, -1e12, 1e308, -1e308, 4.9e-324,
    1073741824.0, -1073741824.0, 46341.0, 65536.0, -65536.0,
    29999.0, 30000.0, 32000.0, 15000.0, 14999.0, -30000.0,
    499.0, 499.99, 500.0, -1.0, 10.0, 100.0,
};
constexpr std::size_t boundary_count = sizeof boundary_values / sizeof boundary_values[0];

// A number for any slot: mostly a small integer, so that positions collide and weights stay
// below the search cutoff; sometimes a boundary value; sometimes any double at all.
double take_number(ByteStream& in) {
    const std::uint8_t b = take_byte(in);
    if (b < 0xB0) return static_cast<double>(b % 7) - 2.0;  // -2 .. 4
    if (b < 0xF0) return boundary_values[(b - 0xB0) % boundary_count];
    return take_raw_double(in);
}

// A grid coordinate: mostly inside 0 .. 5 so that cells repeat, sometimes a number of any kind
// (which may fall outside the grid).
double take_grid_number(ByteStream& in) {
    const std::uint8_t b = take_byte(in);
    if (b < 0xC0) return static_cast<double>(b % 6);
    return take_number(in);
}

HostArray take_matrix(ByteStream& in, std::size_t rows, std::size_t cols, bool grid) {
    std::vector<double> values(rows * cols);
    for (double& v : values) v = grid ? take_grid_number(in) : take_number(in);
    return matrix_arg(rows, cols, std::move(values));
}

// The code of the low nibble; more weight on adding and on the commands that answer.
double take_code(ByteStream& in, unsigned nibble) {
    switch (nibble) {
        case 8: case 9: return 0.0;
        case 10:        return 4.0;
        case 11:        return 1.0;
        case 12:        return -0.0;
        case 13: {
            static const double odd_codes[] = {std::nan(""), 0.5, -1.0, 8.0, 7.0000001, 1e300};
            return odd_codes[take_byte(in) % 6];
        }
        case 14:        return take_number(in);
        case 15:        return 5.0;
        default:        return static_cast<double>(nibble);  // 0 .. 7
    }
}

// Inputs 1 to 3 of a grid import: an m-by-n input 1, and inputs 2 and 3 of the same shape or,
// now and then, of another length.
void take_grid_inputs(ByteStream& in, std::vector<HostArray>& inputs) {
    const std::uint8_t shape = take_byte(in);
    const std::size_t rows = (shape >> 5) % 3;  // 0 rows: n columns and no elements
    const std::size_t cols = shape & 0x1F;
    inputs[0] = take_matrix(in, rows, cols, true);
    for (int k = 1; k <= 2; ++k) {
        const std::uint8_t len = take_byte(in);
        if (len < 0xE0) {
            inputs[k] = take_matrix(in, rows, cols, true);
        } else {
            inputs[k] = take_matrix(in, 1, len & 0x1F, true);
        }
    }
}

// Makes input k not a real, non-sparse double, or empty.
void spoil_class(ByteStream& in, HostArray& a) {
    switch (take_byte(in) % 8) {
        case 0: a.cls = ArrayClass::Single; break;
        case 1: a.cls = ArrayClass::Int32; break;
        case 2: a.cls = ArrayClass::Char; break;
        case 3: a.cls = ArrayClass::Logical; break;
        case 4: a.complex = true; break;
        case 5: a.sparse = true; break;
        case 6: a = matrix_arg(0, 0, {}); break;
        default: {  // 0-by-n or 1-by-0
            const std::size_t rows = take_byte(in) % 2;
            a = matrix_arg(rows, rows == 0 ? take_byte(in) % 3 : 0, {});
            break;
        }
    }
}

// Makes a a real double scalar holding v, in the room it has.
void set_scalar(HostArray& a, double v) {
    a.rows = a.cols = 1;
    a.cls = ArrayClass::Double;
    a.complex = a.sparse = false;
    a.data.assign(1, v);
}

// The next step of the batch, a call of seven inputs with default settings, in reused room.
FuzzStep& new_step(StepBatch& steps) {
    if (steps.count == steps.room.size()) steps.room.emplace_back();
    FuzzStep& step = steps.room[steps.count++];
    step.kind = FuzzStep::Kind::Call;
    step.fail_after = -1;
    step.full_check = true;
    step.inputs.resize(7);
    return step;
}

// Command 0 at (x, y), joined to (bx, by) with weight w; a bx of 0 joins nothing.
void add_call(StepBatch& steps, double x, double y, double bx, double by, double w,
              double value) {
    FuzzStep& step = new_step(steps);
    const double inputs[7] = {x, y, bx, by, w, 0.0, value};
    for (int k = 0; k < 7; ++k) set_scalar(step.inputs[k], inputs[k]);
}

// A chain of 2 to 129 nodes, or now and then 400 to 415, from a start position in steps of -1, 0 or 1, each joined to the
// one before; or a star of up to 64 nodes on a row next to a centre, each joined to it. The
// values count up from 1, so that listings are not cut by a zero value.
void take_shape(ByteStream& in, bool chain, StepBatch& steps) {
    const std::uint8_t c = take_byte(in);
    int count = c % 64 + 1;
    if (chain) count = c < 0xF0 ? c % 128 + 2 : 400 + (c & 0x0F);  // long ones are rare: slow
    const double x0 = take_number(in), y0 = take_number(in);
    const std::uint8_t d = take_byte(in);
    double dx = d % 3 - 1.0, dy = (d / 3) % 3 - 1.0;
    if (dx == 0.0 && dy == 0.0) dx = 1.0;
    const double w = take_number(in);
    if (chain) {
        for (int i = 0; i < count; ++i) {
            const double x = x0 + i * dx, y = y0 + i * dy;
            const double bx = i == 0 ? 0.0 : x - dx;
            add_call(steps, x, y, bx, y - dy, w, i + 1);
        }
    } else {
        add_call(steps, x0, y0, 0.0, 0.0, w, 1);
        for (int i = 1; i <= count; ++i) add_call(steps, x0 + i * dx, y0 + dy + 1.0, x0, y0, w, i + 1);
    }
    for (std::size_t i = 0; i + 1 < steps.count; ++i) steps.room[i].full_check = false;
}

}  // namespace

bool read_header(ByteStream& in) { return (take_byte(in) & 1) != 0; }

bool next_steps(ByteStream& in, bool injection_allowed, StepBatch& steps) {
    steps.count = 0;
    if (in.left == 0) return false;
    const std::uint8_t op = take_byte(in);
    if (op == 0xFF) {
        new_step(steps).kind = FuzzStep::Kind::Unload;
        return true;
    }
    if (op == 0xFE || op == 0xFD) {
        take_shape(in, op == 0xFE, steps);
        return true;
    }
    FuzzStep& step = new_step(steps);
    const double code = take_code(in, op & 0x0F);
    const unsigned variant = op >> 4;

    if (code == 7.0) {
        take_grid_inputs(in, step.inputs);
    } else {
        for (int k = 0; k < 3; ++k) set_scalar(step.inputs[k], take_number(in));
    }
    set_scalar(step.inputs[3], take_number(in));
    set_scalar(step.inputs[4], take_number(in));
    set_scalar(step.inputs[5], code);
    set_scalar(step.inputs[6], take_number(in));

    switch (variant) {
        case 10: {  // another number of inputs: 0 .. 9
            const std::size_t n = take_byte(in) % 10;
            step.inputs.resize(n, scalar_arg(0.0));
            break;
        }
        case 11:  // one input of the wrong class, or empty
            spoil_class(in, step.inputs[take_byte(in) % 7]);
            break;
        case 12: {  // a matrix where a scalar belongs: its first element is the one read
            HostArray& a = step.inputs[take_byte(in) % 7];
            const std::uint8_t shape = take_byte(in);
            a = take_matrix(in, 1 + shape % 3, 1 + (shape >> 2) % 3, false);
            break;
        }
        case 13:  // allocation failure after a few allocations
            if (injection_allowed) step.fail_after = take_byte(in) % 6;
            break;
        default:
            break;
    }
    return true;
}

void report_step(std::size_t n, const FuzzStep& s, const std::string& what) {
    std::fprintf(stderr, "\n*** step %zu (", n);
    for (std::size_t k = 0; k < s.inputs.size(); ++k) {
        const HostArray& a = s.inputs[k];
        if (k) std::fprintf(stderr, ", ");
        if (a.rows * a.cols == 1 && a.cls == ArrayClass::Double && !a.complex && !a.sparse)
            std::fprintf(stderr, "%.17g", a.data[0]);
        else
            std::fprintf(stderr, "<%zux%zu class %d%s%s>", a.rows, a.cols, int(a.cls),
                         a.complex ? " complex" : "", a.sparse ? " sparse" : "");
    }
    std::fprintf(stderr, ")%s: %s\n", s.fail_after >= 0 ? " with allocation failure" : "",
                 what.c_str());
}
