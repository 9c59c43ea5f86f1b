// engine.cpp - mexFunction of the engine behind GraphPlugin's own graphs, and its table of
// operations (docs/engine.md).
//
//   [out1, out2, ...] = graphplugin_engine(OP, H, ...)
//
// A refused call raises GraphPlugin:badArgument, :negativeWeight, :noGraph, :noNode or
// :outOfMemory and changes nothing. Clearing the engine frees every graph.
#include "engine_ops.h"

namespace {

struct Operation {
    double op;
    void (*run)(const EngineCall&);
};

const Operation operations[] = {
    {1, op_new},          {2, op_free},          {3, op_copy},         {4, op_clear},
    {5, op_counts},       {10, op_add_nodes},    {11, op_add_edges},   {12, op_set_weights},
    {13, op_remove_edges}, {14, op_remove_nodes}, {15, op_move_nodes},  {16, op_merge_nodes},
    {17, op_refresh},     {20, op_neighbours},   {21, op_list},        {22, op_find_nodes},
    {23, op_find_edges},  {24, op_edges},        {25, op_degree},      {30, op_paths},
    {31, op_nearest},
};

bool exit_hook_set = false;

void release_at_exit() {
    graphs_release();
    exit_hook_set = false;  // a host that keeps the module loaded gets the hook again
}

}  // namespace

extern "C" HOST_EXPORT void mexFunction(int nlhs, HostArray* plhs[], int nrhs,
                                        const HostArray* prhs[]) {
    if (!exit_hook_set) {
        host_at_exit(release_at_exit);
        exit_hook_set = true;
    }
    if (nrhs < 1 || !host_is_real_double(prhs[0]) || host_element_count(prhs[0]) != 1)
        raise_error("badArgument", "engine: input 1 must be the number of an operation");
    const double op = host_data(prhs[0])[0];
    const EngineCall call{nlhs, plhs, nrhs, prhs};
    scratch_trim();  // what a call that raised an error left
    for (const Operation& o : operations) {
        if (op == o.op) {
            o.run(call);
            scratch_trim();
            return;
        }
    }
    raise_error("badArgument", "engine: %g is not an operation", op);
}
