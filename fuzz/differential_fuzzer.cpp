// differential_fuzzer.cpp - the libFuzzer entry that runs every call of one input on the default
// and on the indexed store of one deliverable, and stops at the first call they answer apart.
//
// The default store is the oracle (the plug-in fuzzers check it against answers of their own).
// After every call: the same error or the same result bit for bit, and as many nodes; after
// every few calls and at the end: the same graph (nodes in order with positions and values,
// entries in order with weights), the same path_buf, and each store's invariants, the index's
// included. Record allocations fail at the same point in both stores, as both make the same
// records in the same order; a failing allocation of the index's own storage must leave the
// indexed store as it was, and the call is then made again without the failure.
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

// The indexed store's call with its storage failing after `count` allocations: an outOfMemory
// that changed nothing, after which the call is made again; or, when the call needed no new
// storage, its outcome as it stands.
CallOutcome call_with_storage_failure(std::size_t n, const FuzzStep& step, long count) {
    const StoreState before = state_of(indexed_store);
    fail_storage_allocations_after(count);
    CallOutcome out = call_entry(indexed_store.entry, step.inputs);
    fail_storage_allocations_after(-1);
    const std::string id = out.raised ? out.error.id : "";
    if (id.size() < 12 || id.compare(id.size() - 12, 12, ":outOfMemory") != 0) return out;
    std::string fault = state_difference(before, state_of(indexed_store));
    if (fault.empty()) fault = indexed_store.violation();
    if (!fault.empty()) report(n, step, "a failed storage allocation changed the indexed store: " + fault);
    return call_entry(indexed_store.entry, step.inputs);
}

// A step's allocation failure: an even fail_after makes the records fail after fail_after / 2
// allocations in both stores, an odd one the indexed store's storage after fail_after / 2.
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
    const bool storage_failure = step.fail_after >= 0 && step.fail_after % 2 == 1;
    const long record_failure = step.fail_after >= 0 && !storage_failure ? step.fail_after / 2 : -1;

    fail_allocations_after(record_failure);
    const CallOutcome reference = call_entry(reference_store.entry, step.inputs);
    fail_allocations_after(record_failure);
    const CallOutcome indexed = storage_failure
                                    ? call_with_storage_failure(n, step, step.fail_after / 2)
                                    : call_entry(indexed_store.entry, step.inputs);
    fail_allocations_after(-1);

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
