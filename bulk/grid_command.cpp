// grid_command.cpp - command 7 of zelmot and ombrik: checks the three vectors, then imports.
#include <cfenv>
#include <cstdint>
#include <cstdio>

#include "call.h"
#include "commands.h"
#include "grid.h"
#include "settings.h"

namespace {

const HostArray* grid_input(const Call& call, int k, const char* name) {
    const HostArray* a = call.prhs[k - 1];
    if (!host_is_real_double(a))
        raise_error("badInput", "input %d (%s) of the grid import must be a real double array", k,
                    name);
    return a;
}

bool on_grid(double v) {
    const std::int32_t c = to_int32(v);
    return c >= 0 && c < GRID_SIDE;
}

// v as %g prints it when rounding to nearest: the host may have set any rounding direction,
// which printf follows, and the message must read the same in all of them.
void format_nearest(char (&out)[32], double v) {
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    std::snprintf(out, sizeof out, "%g", v);
    std::fesetround(mode);
}

}  // namespace

void cmd_grid(const Call& call) {
    const HostArray* xs = grid_input(call, 1, "x");
    const HostArray* ys = grid_input(call, 2, "y");
    const HostArray* values = grid_input(call, 3, "value");
    const std::size_t count = host_column_count(xs);  // columns of input 1, whatever its rows

    const HostArray* inputs[] = {xs, ys, values};
    const char* names[] = {"x", "y", "value"};
    for (int k = 0; k < 3; ++k)
        if (host_element_count(inputs[k]) < count || count > UINT32_MAX)
            raise_error("badGrid", "the grid import takes %llu entries (the columns of input 1), "
                        "but input %d (%s) holds %llu", static_cast<unsigned long long>(count),
                        k + 1, names[k],
                        static_cast<unsigned long long>(host_element_count(inputs[k])));

    const double* x = host_data(xs);
    const double* y = host_data(ys);
    for (std::size_t k = 0; k < count; ++k)
        if (!on_grid(x[k]) || !on_grid(y[k])) {
            char at_x[32], at_y[32];  // plain arrays: the host unwinds this frame on the error
            format_nearest(at_x, x[k]);
            format_nearest(at_y, y[k]);
            raise_error("badGrid", "grid entry %llu is at (%s, %s), outside 0..%d",
                        static_cast<unsigned long long>(k + 1), at_x, at_y, GRID_SIDE - 1);
        }

    load_grid(x, y, host_data(values), static_cast<std::uint32_t>(count), cost_grid, mark_grid);
}
