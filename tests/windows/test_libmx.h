// test_libmx.h - the test host's libmx.dll: the array functions the plug-ins import, under
// MATLAB's names, and the few more the host itself uses to make arguments and read results.
#pragma once

#include <cstddef>
#include <cstdint>

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

// What the plug-ins import. The plug-ins take the two sizes as the 32-bit integers of the
// host's compatible array-size interface; this host returns 64 bits, whose upper half is zero,
// or, after mx_set_size_garbage(1), garbage, as a host returning a 32-bit value leaves the
// upper half of the register (on x86, EDX).
LIBMX_API double*       mxGetPr(const mxArray* a);
LIBMX_API std::uint64_t mxGetN(const mxArray* a);
LIBMX_API std::uint64_t mxGetNumberOfElements(const mxArray* a);
LIBMX_API bool          mxIsDouble(const mxArray* a);
LIBMX_API bool          mxIsComplex(const mxArray* a);
LIBMX_API bool          mxIsSparse(const mxArray* a);
// A zero-filled matrix; null (as an allocation failure) for negative sizes.
LIBMX_API mxArray*      mxCreateDoubleMatrix_700(int m, int n, int complexity);

// What the host uses; it reads sizes from the record itself.
LIBMX_API void        mx_set_size_garbage(int on);  // off at load
LIBMX_API mxArray*    mx_new_array(MxClass cls, bool complex, bool sparse, std::size_t rows,
                                   std::size_t cols, const double* values);
LIBMX_API int         mx_live_count();
// Frees every array made since the last release, as the host does with a call's temporaries.
LIBMX_API void        mx_release_all();
