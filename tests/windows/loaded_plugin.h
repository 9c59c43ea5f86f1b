// loaded_plugin.h - a .mexw32 / .mexw64 file loaded the way MATLAB loads it: LoadLibrary, then
// mexFunction by name; cleared by running its exit hook and FreeLibrary.
#pragma once

#include <string>
#include <vector>

#include "scenario.h"
#include "test_libmex.h"

struct LoadedPlugin {
    std::string path;
    void*       module = nullptr;  // HMODULE; null while unloaded
    MexFunction entry  = nullptr;
};

// Loads the file unless it is loaded. Returns an empty string, or what went wrong.
std::string load_plugin(LoadedPlugin& p);

// Clears the plug-in: runs its exit hook, then, when free_library is set, unloads the file so
// that the next load starts from fresh statics. Returns an empty string, or what went wrong.
std::string clear_plugin(LoadedPlugin& p, bool free_library);

// One call with nlhs = 1; the arguments and any result are released before it returns.
Outcome call_loaded_plugin(const LoadedPlugin& p, const std::vector<Arg>& args);
