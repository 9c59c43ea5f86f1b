// test_libmx.h - the test host's libmx.dll: the array functions the plug-ins import, under
// MATLAB's names, and the few more the host itself uses to make arguments and read results.
#pragma once

#include <cstddef>

#if defined(BUILDING_TEST_LIBMX)
#define LIBMX_API extern "C" __declspec(dllexport)
#else
#define LIBMX_API extern "C" __declspec(dllimport)
#endif

enum MxClass { MX_DOUBLE, MX_SINGLE, MX_INT32, MX_LOGICAL, MX_CHAR };

// An array of the test host. Whatever the class, the values are kept as doubles, column-major:
// the plug-ins check the class before they read, and the host only pretends to store others.
// Every array is owned by libmx's live list until mx_release_all frees it.
struct mxArray_tag {
    MxClass      cls;
    bool         complex;  // imaginary parts exist (and are not kept)
    bool         sparse;
    std::size_t  rows, cols;
    double*      data;     // rows * cols values; null when empty
    mxArray_tag* next_live;
};
typedef struct mxArray_tag mxArray;

// What the plug-ins import.
LIBMX_API double*     mxGetPr(const mxArray* a);
LIBMX_API std::size_t mxGetN(const mxArray* a);
LIBMX_API std::size_t mxGetNumberOfElements(const mxArray* a);
LIBMX_API bool        mxIsDouble(const mxArray* a);
LIBMX_API bool        mxIsComplex(const mxArray* a);
LIBMX_API bool        mxIsSparse(const mxArray* a);
// A zero-filled matrix; null (as an allocation failure) for negative sizes.
LIBMX_API mxArray*    mxCreateDoubleMatrix_700(int m, int n, int complexity);

// What the host uses.
LIBMX_API std::size_t mxGetM(const mxArray* a);
LIBMX_API mxArray*    mx_new_array(MxClass cls, bool complex, bool sparse, std::size_t rows,
                                   std::size_t cols, const double* values);
LIBMX_API int         mx_live_count();
// Frees every array made since the last release, as the host does with a call's temporaries.
LIBMX_API void        mx_release_all();
