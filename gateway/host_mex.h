// host_mex.h - the host layer over the host's own mex.h: Octave's for the Linux builds, or
// MATLAB's when a user builds the sources with MATLAB's mex command.
#pragma once

#include <cstddef>
#include "mex.h"

using HostArray = mxArray;

#if defined(_MSC_VER)
#define HOST_EXPORT __declspec(dllexport)
#else
#define HOST_EXPORT __attribute__((visibility("default")))
#endif

inline bool host_is_real_double(const HostArray* a) {
    return mxIsDouble(a) && !mxIsComplex(a) && !mxIsSparse(a);
}
inline std::size_t host_element_count(const HostArray* a) { return mxGetNumberOfElements(a); }
inline std::size_t host_column_count(const HostArray* a) { return mxGetN(a); }
inline const double* host_data(const HostArray* a) { return mxGetPr(a); }

inline double* host_new_matrix(HostArray** slot, int rows, int cols) {
    *slot = mxCreateDoubleMatrix(rows, cols, mxREAL);
    return mxGetPr(*slot);
}

[[noreturn]] inline void host_raise(const char* id, const char* text) {
    mexErrMsgIdAndTxt(id, "%s", text);
    for (;;) {}  // the host unwinds; control never comes back here
}

inline void host_at_exit(void (*hook)()) { mexAtExit(hook); }
