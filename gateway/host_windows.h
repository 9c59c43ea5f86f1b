// host_windows.h - the host layer over MATLAB's exported names, for the .mexw32 and .mexw64
// files. The array functions come from libmx.dll, the error and exit functions from libmex.dll;
// the import libraries are made from .def files of our own. Sizes are the host's compatible
// 32-bit array sizes: matrices are made with mxCreateDoubleMatrix_700, and mxGetN and
// mxGetNumberOfElements return a 32-bit int, above which a 64-bit register holds anything.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {
struct mxArray_tag;
typedef struct mxArray_tag mxArray;

__declspec(dllimport) double*     mxGetPr(const mxArray* a);
__declspec(dllimport) int         mxGetN(const mxArray* a);
__declspec(dllimport) int         mxGetNumberOfElements(const mxArray* a);
__declspec(dllimport) bool        mxIsDouble(const mxArray* a);
__declspec(dllimport) bool        mxIsComplex(const mxArray* a);
__declspec(dllimport) bool        mxIsSparse(const mxArray* a);
__declspec(dllimport) mxArray*    mxCreateDoubleMatrix_700(int m, int n, int complexity);
__declspec(dllimport) void        mexErrMsgIdAndTxt(const char* id, const char* fmt, ...);
__declspec(dllimport) int         mexAtExit(void (*hook)(void));
}

using HostArray = mxArray;

#define HOST_EXPORT __declspec(dllexport)

inline double* host_new_matrix(HostArray** slot, int rows, int cols) {
    *slot = mxCreateDoubleMatrix_700(rows, cols, 0);  // 0: real
    return mxGetPr(*slot);
}

// Only the lower 32 bits are read, as unsigned: a host that returns the full size still reads
// right for arrays of fewer than 2^32 elements.
inline std::size_t host_element_count(const HostArray* a) {
    return static_cast<std::uint32_t>(mxGetNumberOfElements(a));
}
inline std::size_t host_column_count(const HostArray* a) {
    return static_cast<std::uint32_t>(mxGetN(a));
}

#include "host_mx.h"
