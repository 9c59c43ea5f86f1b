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

inline double* host_new_matrix(HostArray** slot, int rows, int cols) {
    *slot = mxCreateDoubleMatrix(rows, cols, mxREAL);
    return mxGetPr(*slot);
}

inline std::size_t host_element_count(const HostArray* a) { return mxGetNumberOfElements(a); }
inline std::size_t host_column_count(const HostArray* a) { return mxGetN(a); }

#include "host_mx.h"
