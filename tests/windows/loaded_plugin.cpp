// loaded_plugin.cpp - loading, clearing and calling a plug-in in the Windows test host.
#include "loaded_plugin.h"

#include <windows.h>

std::string load_plugin(LoadedPlugin& p) {
    if (p.module) return "";
    HMODULE m = LoadLibraryA(p.path.c_str());
    if (!m) return "LoadLibrary(" + p.path + ") failed, error " + std::to_string(GetLastError());
    FARPROC f = GetProcAddress(m, "mexFunction");
    if (!f) {
        FreeLibrary(m);
        return p.path + " exports no mexFunction";
    }
    p.module = m;
    p.entry = reinterpret_cast<MexFunction>(reinterpret_cast<void*>(f));
    return "";
}

std::string clear_plugin(LoadedPlugin& p, bool free_library) {
    if (!p.module) return "";
    mex_run_exit_hook();
    if (!free_library) return "";
    HMODULE m = static_cast<HMODULE>(p.module);
    p.module = nullptr;
    p.entry = nullptr;
    if (!FreeLibrary(m)) return "FreeLibrary failed, error " + std::to_string(GetLastError());
    // Reloading must give fresh statics, which only holds if the file really left the process.
    const std::string base = p.path.substr(p.path.find_last_of("/\\") + 1);
    if (GetModuleHandleA(base.c_str())) return base + " is still loaded after FreeLibrary";
    return "";
}

namespace {

MxClass mx_class(ArgClass c) {
    switch (c) {
    case ArgClass::Double:  return MX_DOUBLE;
    case ArgClass::Single:  return MX_SINGLE;
    case ArgClass::Int32:   return MX_INT32;
    case ArgClass::Logical: return MX_LOGICAL;
    case ArgClass::Char:    return MX_CHAR;
    }
    return MX_DOUBLE;
}

}  // namespace

Outcome call_loaded_plugin(const LoadedPlugin& p, const std::vector<Arg>& args) {
    std::vector<const mxArray*> prhs;
    for (const Arg& a : args)
        prhs.push_back(mx_new_array(mx_class(a.cls), a.complex, a.sparse, a.rows, a.cols,
                                    a.values.data()));
    mxArray* plhs[1] = {nullptr};
    const int raised = mex_call(p.entry, 1, plhs, static_cast<int>(prhs.size()), prhs.data());

    Outcome out;
    if (raised) {
        out.kind = Outcome::Kind::Raised;
        out.error_id = mex_error_id();
        out.error_text = mex_error_text();
    } else if (plhs[0]) {
        const mxArray* r = plhs[0];
        out.kind = Outcome::Kind::Stored;
        out.real_double = mxIsDouble(r) && !mxIsComplex(r) && !mxIsSparse(r);
        out.rows = r->rows;
        out.cols = r->cols;
        const double* v = mxGetPr(r);
        if (v) out.values.assign(v, v + out.rows * out.cols);
    }
    mx_release_all();  // the call's arguments and result are temporaries of the host
    return out;
}
