// engine_under_test.h - the engine (engine/) built as a shared library for the tests that run
// it beside a plug-in in one process (the engine's differential test) or alone under the
// fuzzer, with the means to read its graphs between calls.
//
// The library holds the whole engine on the indexed store with the engine's records, and
// exports only its EngineUnderTest record, so that it lives beside a plug-in's library
// without clashing. The host's functions come from the program that loads it (test_host.cpp).
#pragma once

#include <cstddef>

#include "store_under_test.h"
#include "test_host.h"

struct EngineUnderTest {
    MexEntry entry;  // its mexFunction
    // Whether a graph has that handle.
    bool (*has_graph)(double handle);
    // The graph with that handle, as the plug-ins' read_state gives theirs: nodes in list
    // order, their entries in list order. Empty for an unknown handle.
    void (*read_state)(double handle, StoreState* out);
    // "" while the graph with that handle holds the checker's invariants (invariants.h:
    // self-loops allowed) and its index's, else the first fault; "" for an unknown handle.
    // The text stays valid until the next call.
    const char* (*violation)(double handle);
};

extern "C" const EngineUnderTest engine_under_test;
