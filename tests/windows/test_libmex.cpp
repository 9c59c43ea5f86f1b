// test_libmex.cpp - libmex.dll of the Windows test host.
//
// Errors leave the plug-in by __builtin_longjmp, which restores registers and jumps: unlike
// msvcrt's longjmp on x64 it does not unwind the frames in between, so, as in MATLAB, none of
// the plug-in's destructors run. A plug-in that raises with something half-done shows it.
#define BUILDING_TEST_LIBMEX
#include "test_libmex.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {
void* jump_target[5];          // __builtin_setjmp's buffer: five words
bool  in_call = false;         // a mexFunction call is running under mex_call
void (*exit_hook)() = nullptr;
char  error_id[256];
char  error_text[1024];
}  // namespace

void mexErrMsgIdAndTxt(const char* id, const char* format, ...) {
    std::snprintf(error_id, sizeof error_id, "%s", id ? id : "");
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(error_text, sizeof error_text, format ? format : "", ap);
    va_end(ap);
    if (!in_call) {
        std::fprintf(stderr, "mexErrMsgIdAndTxt outside a call: %s: %s\n", error_id, error_text);
        std::abort();
    }
    __builtin_longjmp(jump_target, 1);
}

int mexAtExit(void (*hook)(void)) {
    exit_hook = hook;
    return 0;
}

// Kept out of line so that the frame __builtin_setjmp records stays alive for the whole call.
__attribute__((noinline)) int mex_call(MexFunction f, int nlhs, mxArray* plhs[], int nrhs,
                                       const mxArray* prhs[]) {
    error_id[0] = error_text[0] = '\0';
    in_call = true;
    if (__builtin_setjmp(jump_target)) {
        in_call = false;
        return 1;
    }
    f(nlhs, plhs, nrhs, prhs);
    in_call = false;
    return 0;
}

const char* mex_error_id() { return error_id; }
const char* mex_error_text() { return error_text; }

int mex_run_exit_hook() {
    void (*hook)() = exit_hook;
    exit_hook = nullptr;
    if (hook) hook();
    return hook != nullptr;
}
