// host.h - the thin layer between the gateway and the host that loaded the plug-in.
//
// Exactly one backing is compiled in, chosen by the build:
//   HOST_MEX      the host's own mex.h: Octave's (the Linux builds), or MATLAB's when a user builds
//                 with MATLAB's mex command
//   HOST_WINDOWS  MATLAB's exported names, declared by us (the .mexw32 / .mexw64 files)
//   HOST_TEST     the in-process test host of the C++ tests
// Each backing provides:
//   HostArray                                  the host's array type, opaque to the gateway
//   HOST_EXPORT                                marks mexFunction as the one export
//   bool host_is_real_double(const HostArray*) class double, real, not sparse
//   std::size_t host_element_count(const HostArray*)
//   std::size_t host_column_count(const HostArray*)      (used by the grid import only)
//   const double* host_data(const HostArray*)  column-major doubles
//   double* host_new_matrix(HostArray** slot, int rows, int cols)
//                                              a zero-filled real matrix, stored in *slot
//   [[noreturn]] void host_raise(const char* id, const char* text)
//                                              raises an error in the caller; never returns,
//                                              and may unwind with longjmp
//   void host_at_exit(void (*hook)())          hook runs when the host unloads the plug-in
#pragma once

#include <cstddef>

#if defined(HOST_MEX)
#include "host_mex.h"
#elif defined(HOST_WINDOWS)
#include "host_windows.h"
#elif defined(HOST_TEST)
#include "test_host.h"
#else
#error "no host backing chosen: define HOST_MEX, HOST_WINDOWS or HOST_TEST"
#endif
