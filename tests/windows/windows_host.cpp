// windows_host.cpp - the Windows test host: loads one .mexw32 / .mexw64 file and runs every
// protocol scenario of its deliverable and width against it.
//
//   windows_host PLUGIN DELIVERABLE SCENARIO_DIR
//
// The scenarios run twice. First as MATLAB clears a plug-in: the exit hook runs and the file
// is unloaded, so each scenario starts freshly loaded. Then with the file kept loaded and only
// the exit hook run between scenarios, which shows whether the hook alone empties the graph.
// Exits 0 only when at least one scenario ran and every call gave what its step expects.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "loaded_plugin.h"
#include "scenario.h"

namespace {

const char* current_step = "before the first scenario";  // for the crash report
std::string current_step_text;

LONG WINAPI report_crash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "crash: exception 0x%08lx at %s\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), current_step);
    std::fflush(stderr);
    ExitProcess(3);
}

struct Tally {
    int scenarios = 0;
    int calls     = 0;
    int failed    = 0;
};

void fail(Tally& t, const Scenario& s, int line, const char* pass, const std::string& what) {
    ++t.failed;
    std::printf("FAIL %s:%d scenario %s (%s): %s\n", s.file.c_str(), line, s.name.c_str(), pass,
                what.c_str());
}

// Runs one scenario from an empty graph; free_library chooses how the plug-in is cleared.
void run_scenario(LoadedPlugin& plugin, const Scenario& s, const std::string& deliverable,
                  bool free_library, Tally& t) {
    const char* pass = free_library ? "unloaded between scenarios" : "exit hook only";
    ++t.scenarios;
    std::string err = clear_plugin(plugin, free_library);
    if (err.empty()) err = load_plugin(plugin);
    for (const Step& step : s.steps) {
        if (!err.empty()) break;
        current_step_text = s.file + ":" + std::to_string(step.line) + " scenario " + s.name;
        current_step = current_step_text.c_str();
        if (step.kind == Step::Kind::Unload) {
            err = clear_plugin(plugin, free_library);
            if (err.empty()) err = load_plugin(plugin);
            continue;
        }
        ++t.calls;
        const Outcome out = call_loaded_plugin(plugin, step.args);
        const std::string mismatch = check_outcome(step.expect, out, deliverable);
        if (!mismatch.empty()) fail(t, s, step.line, pass, mismatch);
    }
    if (!err.empty()) fail(t, s, s.line, pass, err);
}

}  // namespace

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(report_crash);
    if (argc != 4) {
        std::fprintf(stderr, "usage: windows_host PLUGIN DELIVERABLE SCENARIO_DIR\n");
        return 2;
    }
    const std::string deliverable = argv[2];
    const int width = static_cast<int>(sizeof(void*) * 8);
    const std::string tag = deliverable + std::to_string(width);

    std::vector<Scenario> all;
    try {
        all = load_scenario_dir(argv[3]);
    } catch (const std::exception& e) {
        std::printf("cannot read the scenarios: %s\n", e.what());
        return 1;
    }

    LoadedPlugin plugin;
    plugin.path = argv[1];
    int failed = 0;
    for (bool free_library : {true, false}) {
        Tally t;
        for (const Scenario& s : all)
            if (scenario_runs_on(s, deliverable, width))
                run_scenario(plugin, s, deliverable, free_library, t);
        const std::string err = clear_plugin(plugin, true);
        if (!err.empty()) {
            std::printf("FAIL clearing %s at the end: %s\n", plugin.path.c_str(), err.c_str());
            ++t.failed;
        }
        std::printf("%s (%s): %d scenarios, %d calls, %d failed\n", tag.c_str(),
                    free_library ? "unloaded between scenarios" : "exit hook only", t.scenarios,
                    t.calls, t.failed);
        if (t.scenarios == 0) {
            std::printf("FAIL no scenario of %s in %s\n", tag.c_str(), argv[3]);
            ++t.failed;
        }
        failed += t.failed;
    }
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}
