// engine_decoder.h - turns the bytes of one fuzz input into a sequence of calls of the engine
// (docs/engine.md).
//
// The encoding favours what finds faults in many graphs kept by handle: handles of graphs the
// input made (live, freed, or from before an unload) and handles no graph had; positions from a
// handful of small integers so that they collide; numbers on or past a boundary (the int32
// limits, NaN, the infinities, fractions, -0); and calls that break the protocol (an unknown
// OP, one input too few or too many, an input of another class or shape, complex or sparse,
// rows of different counts, a negative weight).
//
// Layout: one header byte (bit 0: allocation-failure injection allowed), then steps. A step
// starts with an op byte: 0xFF unloads the engine; 0xFE and 0xFD make a grid or a chain of
// edges in one call; otherwise its low 5 bits pick the OP (21 to 31: no operation) and its high
// 3 the variant (5: one input too few, 6: one too many, 7: one input broken). A flags byte
// follows: bits 0-1 nlhs, bit 2 injection (bit 3: of the arrays rather than the records, the
// next byte the allocations that succeed first). Running out of bytes reads zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "test_host.h"

struct ByteStream {
    const std::uint8_t* data;
    std::size_t         left;
};

struct EngineStep {
    enum class Kind { Call, Unload };
    Kind                   kind = Kind::Call;
    std::vector<HostArray> inputs;  // OP first; nrhs is inputs.size()
    int                    nlhs = 1;
    long                   fail_after = -1;          // >= 0: records (operator new) allowed
    long                   fail_storage_after = -1;  // >= 0: arrays (operator new[]) allowed
};

// Reads the header byte: whether steps may switch allocation-failure injection on.
bool read_header(ByteStream& in);

// Decodes the next step into step, reusing its room; handles are those the input's calls have
// made so far, live or not. False once the input is used up.
bool next_step(ByteStream& in, bool injection_allowed, const std::vector<double>& handles,
               EngineStep& step);

// Prints step number n, its inputs and what went wrong to stderr, as a fuzzer reports a fault.
void report_step(std::size_t n, const EngineStep& s, const std::string& what);
