// host_mx.h - the part of the host layer that MATLAB's and Octave's array functions share. A
// backing declares those functions (or includes the host's mex.h), defines HostArray and
// host_new_matrix, and includes this.
#pragma once

#include <cstddef>

inline bool host_is_real_double(const HostArray* a) {
    return mxIsDouble(a) && !mxIsComplex(a) && !mxIsSparse(a);
}
inline std::size_t host_element_count(const HostArray* a) { return mxGetNumberOfElements(a); }
inline std::size_t host_column_count(const HostArray* a) { return mxGetN(a); }
inline const double* host_data(const HostArray* a) { return mxGetPr(a); }

[[noreturn]] inline void host_raise(const char* id, const char* text) {
    mexErrMsgIdAndTxt(id, "%s", text);
    for (;;) {}  // the host unwinds; control never comes back here
}

inline void host_at_exit(void (*hook)()) { mexAtExit(hook); }
