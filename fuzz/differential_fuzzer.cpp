// differential_fuzzer.cpp - the libFuzzer entry that runs every call of one input on the default
// and on the indexed store of one deliverable, and stops at the first call they answer apart.
//
// The default store is the oracle (the plug-in fuzzers check it against answers of their own).
// After every call: the same error or the same result bit for bit, and as many nodes; after
// every few calls and at the end: the same graph (nodes in order with positions and values,
// entries in order with weights), the same path_buf, and each store's invariants, the index's
// and its pools' included. An injected failure meets the indexed store's storage (operator
// new[]: its table, its heap, the blocks of its nodes and entries and their tables), and, in
// half of the steps that inject one, the default store's records (operator new) too; the
// indexed store allocates no record on its own. The stores need not fail at the same call, as
// a block serves many records. Either way a store that raises outOfMemory must have been left
// as it was, and the call is then made again without the failure; the answers that count are
// the ones the two stores give in the end.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "call_decoder.h"
#include "store_under_test.h"

namespace {

// Every answer is compared after every call, so a store that went astray shows at its next
// answer that differs, or at the next full check: a difference in the graph stays until an
// unload or the end of the input, and both are preceded by a check. Made every eighth call,
// the checks took almost half of the fuzzer's time.
constexpr std::size_t CALLS_BETWEEN_FULL_CHECKS = 16;

[[noreturn]] void report(std::size_t n, const FuzzStep& s, const std::string& what) {
    report_step(n, s, what);
    std::abort();
}

StoreState state_of(const StoreUnderTest& store) {
    StoreState s;
    store.read_state(&s);
    return s;
}

// Both graphs the same, and both sound.
std::string full_check() {
    for (const StoreUnderTest* store : {&reference_store, &indexed_store}) {
        const std::string fault = store->violation();
        if (!fault.empty()) return std::string(store->name) + " store: " + fault;
    }
    return store_difference(reference_store, indexed_store);
}

// A store's call with an allocation failure injected by `fail_after`: an outOfMemory that
// changed nothing, after which the call is made again; or, when the call met no failure, its
// outcome as it stands.
CallOutcome call_with_failure(std::size_t n, const FuzzStep& step, const StoreUnderTest& store,
                              void (*fail_after)(long), long count) {
    const StoreState before = state_of(store);
    fail_after(count);
    CallOutcome out = call_entry(store.entry, step.inputs);
    fail_after(-1);
    const std::string id = out.raised ? out.error.id : "";
    if (id.size() < 12 || id.compare(id.size() - 12, 12, ":outOfMemory") != 0) return out;
    std::string fault = state_difference(before, state_of(store));
    if (fault.empty()) fault = store.violation();
    if (!fault.empty())
        report(n, step, "a failed allocation changed the " + std::string(store.name) + " store: " + fault);
    return call_entry(store.entry, step.inputs);
}

// A step's allocation failure: the indexed store's storage fails after fail_after / 2 of its
// allocations; an even fail_after makes the default store's records fail after as many too.
void run_step(std::size_t n, const FuzzStep& step, std::size_t& calls_since_check) {
    if (step.kind == FuzzStep::Kind::Unload) {
        if (calls_since_check > 0) {  // what the unload clears is checked first
            calls_since_check = 0;
            const std::string fault = full_check();
            if (!fault.empty()) report(n, step, "before the unload: " + fault);
        }
        unload_plugin();  // both plug-ins registered their exit hooks
        if (reference_store.node_count() || indexed_store.node_count())
            report(n, step, "a graph outlived the unload");
        return;
    }
    const long count = step.fail_after / 2;
    CallOutcome reference;
    CallOutcome indexed;
    if (step.fail_after < 0) {
        reference = call_entry(reference_store.entry, step.inputs);
        indexed = call_entry(indexed_store.entry, step.inputs);
    } else if (step.fail_after % 2 == 1) {
        reference = call_entry(reference_store.entry, step.inputs);
        indexed = call_with_failure(n, step, indexed_store, fail_storage_allocations_after, count);
    } else {
        reference = call_with_failure(n, step, reference_store, fail_allocations_after, count);
        indexed = call_with_failure(n, step, indexed_store, fail_storage_allocations_after, count);
    }

    std::string fault = outcome_difference(reference, indexed);
    if (fault.empty() && reference_store.node_count() != indexed_store.node_count())
        fault = "the stores hold different numbers of nodes";
    if (fault.empty() && step.full_check && ++calls_since_check >= CALLS_BETWEEN_FULL_CHECKS) {
        calls_since_check = 0;
        fault = full_check();
    }
    if (!fault.empty()) report(n, step, fault);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unload_plugin();
    ByteStream in{data, size};
    const bool injection_allowed = read_header(in);
    static StepBatch steps;  // its room serves every input, as in the plug-in fuzzer
    std::size_t n = 0;
    std::size_t calls_since_check = 0;
    while (next_steps(in, injection_allowed, steps))
        for (const FuzzStep& step : steps) run_step(++n, step, calls_since_check);
    const std::string fault = full_check();
    if (!fault.empty()) report(n, FuzzStep{}, "at the end: " + fault);
    unload_plugin();
    return 0;
}
