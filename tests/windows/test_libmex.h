// test_libmex.h - the test host's libmex.dll: the error and unload functions the plug-ins
// import, under MATLAB's names, and the guarded call through which the host calls mexFunction.
#pragma once

#include "test_libmx.h"

#if defined(BUILDING_TEST_LIBMEX)
#define LIBMEX_API extern "C" __declspec(dllexport)
#else
#define LIBMEX_API extern "C" __declspec(dllimport)
#endif

typedef void (*MexFunction)(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

// What the plug-ins import. mexErrMsgIdAndTxt never returns: it goes back to mex_call's
// caller the way mex_set_error_exit chose.
LIBMEX_API void mexErrMsgIdAndTxt(const char* id, const char* format, ...);
LIBMEX_API int  mexAtExit(void (*hook)(void));

// How an error leaves the plug-in:
//   MEX_ERROR_JUMPS    __builtin_longjmp: registers restored, no frame in between unwound
//   MEX_ERROR_UNWINDS  msvcrt's longjmp from a setjmp that recorded mex_call's frame, as a
//                      host raising a C++ or structured exception does: on x64 it unwinds
//                      every frame in between with RtlUnwindEx (reading the plug-in's unwind
//                      tables), on x86 it unwinds the SEH chain to mex_call's frame
enum MexErrorExit { MEX_ERROR_JUMPS, MEX_ERROR_UNWINDS };

// The rounding direction the host leaves in the x87 unit and in SSE's MXCSR while a plug-in
// runs. Whatever the direction, the x87 unit is at extended precision (64-bit mantissa), as a
// MinGW-built host has it and unlike hosts built with other toolchains: the worst state for
// a plug-in that does its arithmetic on the x87 unit.
enum MexRounding { MEX_ROUND_NEAREST, MEX_ROUND_DOWNWARD, MEX_ROUND_UPWARD };

// What the host uses. mex_call returns 1 when the plug-in raised an error, whose identifier
// and text mex_error_id and mex_error_text then give, and 0 otherwise. The host's own
// floating-point state is the same after the call as before.
LIBMEX_API int         mex_call(MexFunction f, int nlhs, mxArray* plhs[], int nrhs,
                                const mxArray* prhs[]);
LIBMEX_API const char* mex_error_id();
LIBMEX_API const char* mex_error_text();
LIBMEX_API void        mex_set_error_exit(MexErrorExit how);  // MEX_ERROR_JUMPS at load
LIBMEX_API void        mex_set_rounding(MexRounding how);     // MEX_ROUND_NEAREST at load
// Runs the exit hook the plug-in registered, if any, and forgets it: the host is clearing
// the plug-in. Returns 1 when a hook ran.
LIBMEX_API int         mex_run_exit_hook();
