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

// What the plug-ins import. mexErrMsgIdAndTxt never returns: it jumps back to mex_call's
// caller without unwinding the plug-in's frames, so no destructor of the plug-in runs.
LIBMEX_API void mexErrMsgIdAndTxt(const char* id, const char* format, ...);
LIBMEX_API int  mexAtExit(void (*hook)(void));

// What the host uses. mex_call returns 1 when the plug-in raised an error, whose identifier
// and text mex_error_id and mex_error_text then give, and 0 otherwise.
LIBMEX_API int         mex_call(MexFunction f, int nlhs, mxArray* plhs[], int nrhs,
                                const mxArray* prhs[]);
LIBMEX_API const char* mex_error_id();
LIBMEX_API const char* mex_error_text();
// Runs the exit hook the plug-in registered, if any, and forgets it: the host is clearing
// the plug-in. Returns 1 when a hook ran.
LIBMEX_API int         mex_run_exit_hook();
