// test_libmex.cpp - libmex.dll of the Windows test host.
//
// Errors leave the plug-in in one of two ways (mex_set_error_exit). __builtin_longjmp restores
// registers and jumps: no frame in between is unwound, so none of the plug-in's destructors
// run, and a plug-in that raises with something half-done shows it. msvcrt's longjmp, from a
// setjmp that recorded the frame to return to, unwinds the frames in between as a host's C++
// or structured exception does; on x64 that walks the plug-in's frames with their unwind
// tables, which must describe every place from which the plug-in calls the host.
#define BUILDING_TEST_LIBMEX
#include "test_libmex.h"

#include <setjmp.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

void*        jump_target[5];   // __builtin_setjmp's buffer: five words
jmp_buf      unwind_target;    // msvcrt's, holding the frame of call_unwinding
MexErrorExit error_exit = MEX_ERROR_JUMPS;
MexRounding  rounding   = MEX_ROUND_NEAREST;
bool         in_call    = false;  // a mexFunction call is running under mex_call
void (*exit_hook)() = nullptr;
char error_id[256];
char error_text[1024];

// The two control registers of the floating-point units: the x87 control word and SSE's MXCSR.
struct FpuControl {
    unsigned short x87;
    unsigned int   mxcsr;
};

FpuControl read_fpu() {
    FpuControl c;
    __asm__ volatile("fnstcw %0" : "=m"(c.x87));
    __asm__ volatile("stmxcsr %0" : "=m"(c.mxcsr));
    return c;
}

void write_fpu(FpuControl c) {
    __asm__ volatile("fldcw %0" : : "m"(c.x87));
    __asm__ volatile("ldmxcsr %0" : : "m"(c.mxcsr));
}

// The host's state with the precision and rounding a plug-in runs under.
FpuControl plugin_fpu(FpuControl host) {
    constexpr unsigned short x87_precision = 0x0300;  // 11: 64-bit mantissa
    constexpr unsigned short x87_rounding  = 0x0C00;  // 00 nearest, 01 downward, 10 upward
    constexpr unsigned int   sse_rounding  = 0x6000;  // likewise
    const unsigned int direction = rounding == MEX_ROUND_DOWNWARD ? 1u
                                 : rounding == MEX_ROUND_UPWARD   ? 2u : 0u;
    FpuControl c = host;
    c.x87 = static_cast<unsigned short>((c.x87 & ~x87_rounding) | x87_precision | direction << 10);
    c.mxcsr = (c.mxcsr & ~sse_rounding) | direction << 13;
    return c;
}

// Each kept out of line so that the frame its setjmp records stays alive for the whole call.
__attribute__((noinline)) int call_jumping(MexFunction f, int nlhs, mxArray* plhs[], int nrhs,
                                           const mxArray* prhs[]) {
    if (__builtin_setjmp(jump_target)) return 1;
    f(nlhs, plhs, nrhs, prhs);
    return 0;
}

__attribute__((noinline)) int call_unwinding(MexFunction f, int nlhs, mxArray* plhs[], int nrhs,
                                             const mxArray* prhs[]) {
    if (setjmp(unwind_target)) return 1;
    f(nlhs, plhs, nrhs, prhs);
    return 0;
}

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
    if (error_exit == MEX_ERROR_UNWINDS) longjmp(unwind_target, 1);
    __builtin_longjmp(jump_target, 1);
}

int mexAtExit(void (*hook)(void)) {
    exit_hook = hook;
    return 0;
}

int mex_call(MexFunction f, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    error_id[0] = error_text[0] = '\0';
    const FpuControl host = read_fpu();
    write_fpu(plugin_fpu(host));
    in_call = true;
    const int raised = error_exit == MEX_ERROR_UNWINDS ? call_unwinding(f, nlhs, plhs, nrhs, prhs)
                                                       : call_jumping(f, nlhs, plhs, nrhs, prhs);
    in_call = false;
    write_fpu(host);
    return raised;
}

const char* mex_error_id() { return error_id; }
const char* mex_error_text() { return error_text; }
void        mex_set_error_exit(MexErrorExit how) { error_exit = how; }
void        mex_set_rounding(MexRounding how) { rounding = how; }

int mex_run_exit_hook() {
    void (*hook)() = exit_hook;
    exit_hook = nullptr;
    if (hook) hook();
    return hook != nullptr;
}
