// call_decoder.h - turns the bytes of one fuzz input into a sequence of plug-in calls.
//
// The encoding favours what finds faults in a graph kept between calls: coordinates from a
// handful of small integers so that positions collide, numbers that sit on or just past a
// boundary (int32 limits, the search cutoff, NaN, the infinities, -0, fractions), any double
// at all now and then, and calls that break the protocol (too few inputs, wrong classes,
// empty or complex or sparse arrays, matrices where scalars belong).
//
// Layout: one header byte (bit 0: allocation-failure injection allowed), then steps. A step
// starts with an op byte: 0xFF unloads the plug-in; 0xFE and 0xFD build a chain or a star of
// nodes in one step, so that short inputs reach the capacities (41 and 401 path points, 25
// pairs of scratch, 300 and 16,666 listed nodes); otherwise the low nibble picks the command
// code and the high nibble a variant (see call_decoder.cpp). Running out of bytes reads zeros.
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

struct FuzzStep {
    enum class Kind { Call, Unload };
    Kind                   kind = Kind::Call;
    std::vector<HostArray> inputs;           // nrhs is inputs.size()
    long                   fail_after = -1;  // >= 0: allocations that succeed before failures
    bool                   full_check = true;  // false inside a chain or star: the graph checks
                                               // run after its last call only, as they cost
                                               // time in proportion to the graph
};

// The steps decoded from one op. The room is kept from op to op, and from input to input when
// the caller keeps the batch, so that decoding allocates only for a batch longer than any
// before it: made afresh for every call, the inputs' arrays were a quarter of a fuzzer's time.
struct StepBatch {
    std::vector<FuzzStep> room;
    std::size_t           count = 0;  // the steps of the op: room[0 .. count)

    const FuzzStep* begin() const { return room.data(); }
    const FuzzStep* end() const { return room.data() + count; }
};

// Reads the header byte: whether steps may switch allocation-failure injection on.
bool read_header(ByteStream& in);

// Decodes the next step, or the several calls of a chain or a star, into steps; false once the
// input is used up.
bool next_steps(ByteStream& in, bool injection_allowed, StepBatch& steps);

// Prints step number n, its inputs and what went wrong to stderr, as a fuzzer reports a fault.
void report_step(std::size_t n, const FuzzStep& s, const std::string& what);
