// gateway.cpp - mexFunction, the plug-in's one entry point, and its command table.
//
//   r = zelmot(ax, ay, bx, by, w, code, val)     (likewise ombrik and main)
//
// Seven inputs, always; the command code is input 6. Commands 1, 4 and 6 store one result in
// r; the others store none. A bad call raises DELIVERABLE:tooFewInputs, :badInput, :badGrid or
// :outOfMemory and changes nothing.
#include "call.h"
#include "commands.h"
#include "graph.h"
#include "settings.h"

Graph plugin_graph = EMPTY_GRAPH;

namespace {

struct Command {
    double code;
    void (*run)(const Call&);
};

// The code is compared as a double with each row in turn; the first match runs.
const Command commands[] = {
    {0.0, cmd_add},  {1.0, cmd_neighbours}, {2.0, cmd_move}, {3.0, cmd_set_weight},
    {4.0, cmd_path}, {5.0, cmd_merge},      {6.0, cmd_list},
#if HAS_GRID
    {7.0, cmd_grid},
#elif HAS_REFRESH
    {7.0, cmd_refresh},
#endif
};

bool exit_hook_set = false;

// Runs when the host clears the plug-in: the graph goes with it.
void release_at_exit() {
    release_graph(&plugin_graph);
    exit_hook_set = false;  // a host that keeps the module loaded gets the hook again
}

}  // namespace

extern "C" HOST_EXPORT void mexFunction(int, HostArray* plhs[], int nrhs,
                                        const HostArray* prhs[]) {
    if (!exit_hook_set) {
        host_at_exit(release_at_exit);
        exit_hook_set = true;
    }
    if (nrhs < 7)
        raise_error("tooFewInputs", "7 inputs are needed (ax, ay, bx, by, w, code, val); got %d",
                    nrhs);
    const Call call{nrhs, prhs, plhs};
    const double code = scalar_input(call, 6);
    for (const Command& c : commands) {
        if (code == c.code) {
            c.run(call);
            return;
        }
    }
    // an unrecognised code changes nothing and answers nothing
}
