// engine_fuzzer.cpp - the libFuzzer entry of the engine: runs the calls that one input decodes
// to against the engine (a shared library, engine_under_test.h) in the in-process host, and
// stops at the first call that breaks a rule.
//
// After every call, on every graph the input made and has not freed: the checker's invariants
// and the index's. A refused call must carry a GraphPlugin: identifier the protocol names (and
// outOfMemory only where a failure was injected) with a message, and leave every graph as it
// was and every handle as it was. A call that goes through may change only the graph it names:
// a copy (OP 3) is its source record for record, a new graph is empty, a query changes nothing,
// a cleared graph is empty, and a freed handle names no graph after. An unload frees every
// graph. Every input starts and ends with an unload, so that the leak check sees everything
// released.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine_decoder.h"
#include "engine_under_test.h"

namespace {

[[noreturn]] void report(std::size_t step, const EngineStep& s, const std::string& what) {
    report_step(step, s, what);
    std::abort();
}

// What the fuzzer keeps across the steps of one input; the room is kept from input to input.
struct Run {
    std::vector<double>     made;    // every handle the input's calls made, in order
    std::vector<double>     live;    // those that name a graph
    std::vector<StoreState> before;  // live[i]'s graph before the call
    StoreState              after;
};

const char* const mnemonics[] = {"badArgument", "negativeWeight", "noGraph", "noNode",
                                 "outOfMemory"};

std::string error_fault(const HostError& e, bool injected) {
    const std::string prefix = "GraphPlugin:";
    if (e.id.compare(0, prefix.size(), prefix) != 0) return "identifier " + e.id;
    const std::string mnemonic = e.id.substr(prefix.size());
    if (std::find(std::begin(mnemonics), std::end(mnemonics), mnemonic) == std::end(mnemonics))
        return "identifier " + e.id + " is not the protocol's";
    if (mnemonic == "outOfMemory" && !injected) return "outOfMemory without a failure injected";
    if (e.text.empty()) return e.id + " without a message";
    return "";
}

bool changes_nothing(double op) { return op == 5 || (op >= 20 && op <= 25) || op >= 30; }

// The graph of input 2 where it is a real double scalar.
double named_handle(const EngineStep& s) {
    if (s.inputs.size() < 2) return 0;
    const HostArray& h = s.inputs[1];
    return h.cls == ArrayClass::Double && !h.complex && !h.sparse && h.data.size() == 1 ? h.data[0] : 0;
}

std::string check_graphs(Run& run) {
    for (double h : run.live) {
        if (!engine_under_test.has_graph(h)) return "a live graph is gone";
        const char* fault = engine_under_test.violation(h);
        if (*fault) return "the graph of handle " + std::to_string(h) + ": " + fault;
    }
    return "";
}

bool same_row(const HostArray& a, std::size_t i, const HostArray& b, std::size_t j) {
    return a.data[i] == b.data[j] && a.data[a.rows + i] == b.data[b.rows + j];
}

// Whether a node at row i of a has an entry to a node at row j of b.
bool joined(const StoreState& g, const HostArray& a, std::size_t i, const HostArray& b,
            std::size_t j) {
    std::size_t first = 0;
    for (const StoreState::NodeState& node : g.nodes) {
        if (node.x == a.data[i] && node.y == a.data[a.rows + i])
            for (std::size_t k = first; k < first + node.entry_count; ++k) {
                const StoreState::NodeState& to = g.nodes[g.entries[k].to];
                if (to.x == b.data[j] && to.y == b.data[b.rows + j]) return true;
            }
        first += node.entry_count;
    }
    return false;
}

// Whether a node stands at row i of the n-by-2 positions p.
bool has_node_at(const StoreState& g, const HostArray& p, std::size_t i) {
    for (const StoreState::NodeState& node : g.nodes)
        if (node.x == p.data[i] && node.y == p.data[p.rows + i]) return true;
    return false;
}

// After OP 10 or 11 went through, every row's node, or edge, is there: the memory a batch
// takes before it changes anything must serve all its rows.
std::string made_fault(const EngineStep& s, const StoreState& after) {
    const HostArray& a = s.inputs[2];
    for (std::size_t i = 0; i < a.rows; ++i) {
        if (s.inputs[0].data[0] == 10 && !has_node_at(after, a, i))
            return "no node at row " + std::to_string(i + 1) + " after OP 10";
        if (s.inputs[0].data[0] == 11 && !joined(after, a, i, s.inputs[3], i))
            return "no edge at row " + std::to_string(i + 1) + " after OP 11";
    }
    return "";
}

// The answers of a search that went through, with all their outputs, against the graph
// before it: each path of OP 30 leads from its FROM to its TO along edges, and has a cost
// exactly where it has points (0 for a path that stays at its start); the reach of OP 31 is
// cheapest first and within its bound.
std::string search_fault(const EngineStep& s, const CallOutcome& out, const StoreState& g) {
    const double op = s.inputs[0].data[0];
    if (op == 31 && s.nlhs >= 2 && out.more[0]) {
        const HostArray& c = *out.more[0];
        for (std::size_t i = 0; i < c.rows; ++i)
            if (c.data[i] < 0 || c.data[i] > s.inputs[3].data[0] || (i && c.data[i] < c.data[i - 1]))
                return "OP 31: cost " + std::to_string(i + 1) + " out of order or bound";
    }
    if (op != 30 || s.nlhs < 3 || !out.more[0] || !out.more[1]) return "";
    const HostArray& r = *out.result;
    const HostArray& m = *out.more[0];
    const HostArray& c = *out.more[1];
    const HostArray& from = s.inputs[2];
    const HostArray& to = s.inputs[3];
    std::size_t at = 0;
    for (std::size_t q = 0; q < m.rows; ++q) {
        const auto points = static_cast<std::size_t>(m.data[q]);
        const std::string path = "OP 30 path " + std::to_string(q + 1);
        if ((points == 0) != std::isinf(c.data[q])) return path + ": a cost without points";
        if (at + points > r.rows) return path + ": more points than rows";
        if (same_row(from, q, to, q) && (points != 1 || c.data[q] != 0))
            return path + ": a path to its start is not its start alone";
        if (points && (!same_row(r, at, from, q) || !same_row(r, at + points - 1, to, q)))
            return path + ": does not lead from FROM to TO";
        for (std::size_t j = at; j + 1 < at + points; ++j)
            if (!joined(g, r, j, r, j + 1)) return path + ": a step along no edge";
        at += points;
    }
    return at == r.rows ? "" : "OP 30: rows left over";
}

// What the call that went through must have done; "" when it did.
std::string check_answer(const EngineStep& s, const CallOutcome& out, Run& run) {
    const double op = s.inputs[0].data[0];
    const double h = named_handle(s);
    if ((op == 1 || op == 2 || op == 3) && !out.result) return "no answer";
    if (op == 1 || op == 3) {
        const double made = out.result->data[0];
        if (std::find(run.made.begin(), run.made.end(), made) != run.made.end())
            return "a handle given twice";
        if (!engine_under_test.has_graph(made)) return "the new handle names no graph";
        engine_under_test.read_state(made, &run.after);
        if (op == 1 && !run.after.nodes.empty()) return "a new graph is not empty";
        if (op == 3) {
            const auto source = std::find(run.live.begin(), run.live.end(), h);
            if (source == run.live.end()) return "a copy of no graph";
            if (!(run.after == run.before[source - run.live.begin()])) return "a copy differs";
        }
        run.made.push_back(made);
        run.live.push_back(made);
        run.before.emplace_back();  // the new graph is compared with itself from the next call
        return "";
    }
    const auto named = std::find(run.live.begin(), run.live.end(), h);
    if (op == 2) {
        if (out.result->data[0] != (named != run.live.end() ? 1 : 0)) return "OP 2 answers wrong";
        if (named == run.live.end()) return "";
        if (engine_under_test.has_graph(h)) return "a freed graph is still there";
        run.before.erase(run.before.begin() + (named - run.live.begin()));
        run.live.erase(named);
        return "";
    }
    if (named == run.live.end()) return "a call on no graph went through";
    const std::string searched = search_fault(s, out, run.before[named - run.live.begin()]);
    if (!searched.empty()) return searched;
    for (std::size_t i = 0; i < run.live.size(); ++i) {
        if (run.live[i] == h && !changes_nothing(op)) continue;
        engine_under_test.read_state(run.live[i], &run.after);
        if (!(run.after == run.before[i]))
            return run.live[i] == h ? "a query changed its graph" : "a call changed another graph";
    }
    if (op == 4 || op == 10 || op == 11) {
        engine_under_test.read_state(h, &run.after);
        if (op == 4 && !run.after.nodes.empty()) return "a cleared graph has nodes";
        if (op != 4) return made_fault(s, run.after);
    }
    return "";
}

void run_step(std::size_t n, const EngineStep& step, Run& run) {
    if (step.kind == EngineStep::Kind::Unload) {
        unload_plugin();
        for (double h : run.made)
            if (engine_under_test.has_graph(h)) report(n, step, "a graph outlived the unload");
        run.live.clear();
        run.before.clear();
        return;
    }
    for (std::size_t i = 0; i < run.live.size(); ++i) engine_under_test.read_state(run.live[i], &run.before[i]);
    const bool injected = step.fail_after >= 0 || step.fail_storage_after >= 0;
    fail_allocations_after(step.fail_after);
    fail_storage_allocations_after(step.fail_storage_after);
    const CallOutcome out = call_entry(engine_under_test.entry, step.inputs, step.nlhs);
    fail_allocations_after(-1);
    fail_storage_allocations_after(-1);

    std::string f;
    if (out.raised) {
        f = error_fault(out.error, injected);
        for (std::size_t i = 0; f.empty() && i < run.live.size(); ++i) {
            engine_under_test.read_state(run.live[i], &run.after);
            if (!engine_under_test.has_graph(run.live[i]) || !(run.after == run.before[i]))
                f = "a refused call (" + out.error.id + ") changed a graph";
        }
    } else {
        f = check_answer(step, out, run);
    }
    if (f.empty()) f = check_graphs(run);
    if (!f.empty()) report(n, step, f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unload_plugin();
    ByteStream in{data, size};
    const bool injection_allowed = read_header(in);
    static Run run;
    run.made.clear();
    run.live.clear();
    run.before.clear();
    static EngineStep step;
    std::size_t n = 0;
    while (next_step(in, injection_allowed, run.made, step)) run_step(++n, step, run);
    unload_plugin();
    for (double h : run.made)
        if (engine_under_test.has_graph(h)) report(n, EngineStep{}, "a graph outlived the end");
    return 0;
}
