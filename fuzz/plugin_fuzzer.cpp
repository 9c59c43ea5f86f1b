// plugin_fuzzer.cpp - the libFuzzer entry: runs the calls that one input decodes to against the
// plug-in in the in-process host, and stops at the first call that breaks a rule.
//
// After every call, the call's own checks: the error identifier, the result, and what the call
// changed. After every few calls and at the end of the input, the graph itself: its invariants,
// creation order across the call, and equal weights on both entries of every edge while
// set_edge_weight cannot have split a pair. The graph checks cost time in proportion to the
// graph; made after every call they would keep the fuzzer to a fraction of its inputs. Every
// input starts and ends with an unload, so each one runs on a fresh graph and the leak check
// sees everything released.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "call_checks.h"
#include "call_decoder.h"
#include "invariants.h"
#include "plugin_graph.h"
#include "settings.h"

namespace {

constexpr std::size_t CALLS_BETWEEN_GRAPH_CHECKS = 8;

[[noreturn]] void report(std::size_t step, const FuzzStep& s, const std::string& what) {
    report_step(step, s, what);
    std::abort();
}

// What the fuzzer keeps across the steps of one input.
struct Run {
    std::size_t calls_since_graph_check = 0;
    bool        weights_may_differ = false;  // a set_edge_weight on a shared position may have
                                             // split the weights of a pair since the last
                                             // unload or refresh
    GraphCopy   before;                      // the graph before the current call
    GraphCopy   after;                       // and after it
};

std::string graph_violation(const Run& run) {
    return graph_and_weight_violation(&plugin_graph, !REFUSE_SELF_LOOP, !run.weights_may_differ);
}

// Runs one step and checks it; every few calls, the graph as well.
void run_step(std::size_t n, const FuzzStep& step, Run& run) {
    if (step.kind == FuzzStep::Kind::Unload) {
        unload_plugin();
        run.weights_may_differ = false;
        if (plugin_graph.node_list) report(n, step, "the graph outlived the unload");
        return;
    }
    if (!step.full_check) {
        const CallOutcome out = call_plugin(step.inputs);
        if (out.raised || out.result) report(n, step, "a plain command 0 raised or answered");
        return;
    }
    const bool graph_check = ++run.calls_since_graph_check >= CALLS_BETWEEN_GRAPH_CHECKS;
    GraphSnapshot order_before;
    if (graph_check) order_before = snapshot_graph(&plugin_graph);
    copy_graph(&plugin_graph, run.before);
    fail_allocations_after(step.fail_after);
    const CallOutcome out = call_plugin(step.inputs);
    fail_allocations_after(-1);

    std::string f = check_call(step.inputs, step.fail_after >= 0, run.before, out, &plugin_graph,
                               run.after);
    if (!f.empty()) report(n, step, f);

    const int command = selected_command(step.inputs);
    if (!out.raised && command == 3 && has_shared_position(run.before)) run.weights_may_differ = true;
    if (!out.raised && command == 7 && HAS_REFRESH) run.weights_may_differ = false;
    if (!graph_check) return;
    run.calls_since_graph_check = 0;
    f = graph_violation(run);
    if (f.empty()) f = order_violation(order_before, &plugin_graph);
    if (!f.empty()) report(n, step, f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unload_plugin();
    ByteStream in{data, size};
    const bool injection_allowed = read_header(in);
    // The copies and the decoded steps keep their room from input to input: only an input that
    // needs more room than any before ends with more memory held than it began with, which
    // makes libFuzzer run it again under the leak checker.
    static Run run;
    run.calls_since_graph_check = 0;
    run.weights_may_differ = false;
    static StepBatch steps;
    std::size_t n = 0;
    while (next_steps(in, injection_allowed, steps)) {
        for (const FuzzStep& step : steps) run_step(++n, step, run);
    }
    const std::string f = graph_violation(run);
    if (!f.empty()) report(n, FuzzStep{}, "at the end: " + f);
    unload_plugin();
    return 0;
}
