// call_decoder.h - turns the bytes of one fuzz input into a sequence of plug-in calls.
//
// The encoding favours what finds faults in a graph kept between calls: coordinates from a
// handful of small integers so that positions collide, numbers that sit on or just past a
// boundary (int32 limits, the search cutoff, NaN, the infinities, -0, fractions), any double
// at all now and then, and calls that break the protocol (too few inputs, wrong classes,
// empty or complex or sparse arrays, matrices where scalars belong).
//
// Layout: one header byte (bit 0: allocation-failure injection allowed), then steps. A step
// starts with an op byte: 0xFF unloads the plug-in; otherwise the low nibble picks the command
// code and the high nibble a variant (see call_decoder.cpp). Running out of bytes reads zeros.
#pragma once

#include <cstddef>
#include <cstdint>
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
};

// Reads the header byte: whether steps may switch allocation-failure injection on.
bool read_header(ByteStream& in);

// Decodes the next step; false once the input is used up.
bool next_step(ByteStream& in, bool injection_allowed, FuzzStep& step);
