// test_host.h - an in-process host for the C++ tests: it stands where Octave or MATLAB stands,
// calls mexFunction directly, makes zero-filled matrices and turns raised errors into
// exceptions of type HostError that the tests catch.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

enum class ArrayClass { Double, Single, Int32, Char, Logical };

// An argument or result array. data holds rows * cols values, column-major, whatever the
// class: the host only pretends to store other classes.
struct HostArray {
    std::size_t         rows    = 0;
    std::size_t         cols    = 0;
    ArrayClass          cls     = ArrayClass::Double;
    bool                complex = false;
    bool                sparse  = false;
    std::vector<double> data;
};

// What host_raise throws: the identifier and text the plug-in gave.
struct HostError {
    std::string id;
    std::string text;
};

#define HOST_EXPORT

bool          host_is_real_double(const HostArray* a);
std::size_t   host_element_count(const HostArray* a);
std::size_t   host_column_count(const HostArray* a);
const double* host_data(const HostArray* a);
double*       host_new_matrix(HostArray** slot, int rows, int cols);
[[noreturn]] void host_raise(const char* id, const char* text);
void          host_at_exit(void (*hook)());

extern "C" void mexFunction(int nlhs, HostArray* plhs[], int nrhs, const HostArray* prhs[]);
using MexEntry = void (*)(int nlhs, HostArray* plhs[], int nrhs, const HostArray* prhs[]);

// --- what the tests use ---

HostArray scalar_arg(double v);
HostArray matrix_arg(std::size_t rows, std::size_t cols, std::vector<double> data);

// The outcome of one call: a stored result, nothing stored, or an error.
struct CallOutcome {
    bool                       raised = false;
    HostError                  error;
    std::unique_ptr<HostArray> result;  // null when the plug-in stored nothing in plhs[0]
    std::unique_ptr<HostArray> more[3];  // plhs[1..3], where nlhs asked for them (the engine)
};

// Calls a plug-in's entry with the given inputs and nlhs.
CallOutcome call_entry(MexEntry entry, const std::vector<HostArray>& inputs, int nlhs = 1);

// Calls mexFunction, the plug-in linked into the test (plugin_call.cpp).
CallOutcome call_plugin(const std::vector<HostArray>& inputs, int nlhs = 1);

// Calls with seven scalars.
CallOutcome call7(double ax, double ay, double bx, double by, double w, double code, double val);

// As the host does when it clears the plug-ins: runs every exit hook registered (one per
// plug-in that was called) and forgets them. The next call starts from an empty graph.
void unload_plugin();

// Allocation-failure injection for the nothrow allocations of the graph store: after `count`
// more successful allocations, every further one fails until the injection is switched off
// with a negative count. fail_allocations_after counts the records (operator new: nodes and
// entries); fail_storage_allocations_after the arrays (operator new[]: the indexed store's
// table and heap), independently.
void fail_allocations_after(long count);
void fail_storage_allocations_after(long count);

// Arrays (operator new[]) allocated and not yet freed in the whole program: a graph released
// gives back every array it took, which is all the indexed store allocates.
long arrays_live();
