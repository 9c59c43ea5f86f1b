// host_mx.h - the part of the host layer that MATLAB's and Octave's array functions share. A
// backing declares those functions (or includes the host's mex.h), defines HostArray,
// host_new_matrix and the two size reads (host_element_count, host_column_count), whose types
// differ between the hosts' interfaces, and includes this.
#pragma once

#include <cstddef>
#include <cstdlib>

inline bool host_is_real_double(const HostArray* a) {
    return mxIsDouble(a) && !mxIsComplex(a) && !mxIsSparse(a);
}
inline const double* host_data(const HostArray* a) { return mxGetPr(a); }

// The host leaves by unwinding through this frame, so what follows the call must read as
// ordinary code to an unwinder: a trap. A jump to itself did not (Wine's x64 unwinder took it
// for an epilogue and followed it forever), and a host that returned would spin in it.
[[noreturn]] inline void host_raise(const char* id, const char* text) {
    mexErrMsgIdAndTxt(id, "%s", text);
#if defined(__GNUC__)
    __builtin_trap();
#else
    std::abort();
#endif
}

inline void host_at_exit(void (*hook)()) { mexAtExit(hook); }
