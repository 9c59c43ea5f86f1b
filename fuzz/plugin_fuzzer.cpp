// plugin_fuzzer.cpp - the libFuzzer entry: runs the calls that one input decodes to against the
// plug-in in the in-process host, and stops at the first call that breaks a rule.
//
// After every call: the call's own checks (error identifier, result, what changed), the graph
// invariants, creation order across the call, and equal weights on both entries of every edge
// while set_edge_weight cannot have split a pair. Every input starts and ends with an unload,
// so each one runs on a fresh graph and the leak check sees everything released.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "call_checks.h"
#include "call_decoder.h"
#include "invariants.h"
#include "settings.h"

namespace {

[[noreturn]] void report(std::size_t step, const FuzzStep& s, const std::string& what) {
    std::fprintf(stderr, "\n*** step %zu (", step);
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
    std::abort();
}

// Runs one step and checks everything after it. weights_may_differ: a set_edge_weight on a
// shared position may have split the weights of a pair since the last unload or refresh.
void run_step(std::size_t n, const FuzzStep& step, bool& weights_may_differ) {
    if (step.kind == FuzzStep::Kind::Unload) {
        unload_plugin();
        weights_may_differ = false;
        if (node_list) report(n, step, "the graph outlived the unload");
        return;
    }
    if (!step.full_check) {
        const CallOutcome out = call_plugin(step.inputs);
        if (out.raised || out.result) report(n, step, "a plain command 0 raised or answered");
        return;
    }
    const GraphCopy before = copy_graph(node_list);
    const GraphSnapshot order_before = snapshot_graph(node_list);
    fail_allocations_after(step.fail_after);
    const CallOutcome out = call_plugin(step.inputs);
    fail_allocations_after(-1);

    std::string f = graph_invariant_violation(node_list, !REFUSE_SELF_LOOP);
    if (f.empty()) f = order_violation(order_before, node_list);
    if (f.empty()) f = check_call(step.inputs, step.fail_after >= 0, before, out, node_list);
    if (!f.empty()) report(n, step, f);

    const int command = selected_command(step.inputs);
    if (!out.raised && command == 3 && has_shared_position(before)) weights_may_differ = true;
    if (!out.raised && command == 7 && HAS_REFRESH) weights_may_differ = false;
    if (!weights_may_differ) {
        f = weight_pairing_violation(node_list);
        if (!f.empty()) report(n, step, f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unload_plugin();
    ByteStream in{data, size};
    const bool injection_allowed = read_header(in);
    bool weights_may_differ = false;
    std::vector<FuzzStep> steps;
    std::size_t n = 0;
    while (next_steps(in, injection_allowed, steps)) {
        for (const FuzzStep& step : steps) run_step(++n, step, weights_may_differ);
    }
    unload_plugin();
    return 0;
}
