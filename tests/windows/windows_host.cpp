// windows_host.cpp - the Windows test host: loads one .mexw32 / .mexw64 file and runs every
// protocol scenario of its deliverable and width against it.
//
//   windows_host PLUGIN DELIVERABLE SCENARIO_DIR
//   windows_host ENGINE engine                  the engine's session (engine_session.h)
//
// The scenarios run in six passes, each from a freshly loaded file, in each of which the host
// behaves as some real host does:
//   unloaded between scenarios  as MATLAB clears a plug-in: the exit hook runs and the file is
//                               unloaded, so each scenario starts freshly loaded
//   exit hook only              the file stays loaded and only the exit hook runs between
//                               scenarios, which shows whether the hook alone empties the graph
//   errors unwind               errors leave the plug-in by unwinding its frames
//   sizes with upper garbage    mxGetN and mxGetNumberOfElements return 32 bits and garbage above
//   rounding downward, upward   both floating-point units round toward minus, then plus infinity
// Where its line says nothing else, a pass has errors jump back without unwinding, sizes come
// as full 64-bit values and rounding is to nearest; in every pass the x87 unit is at extended
// precision while the plug-in runs.
// A call that has not returned after a minute ends the run as a hang.
// Exits 0 only when at least one scenario ran in every pass and every call gave what its step
// expects.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine_session.h"
#include "loaded_plugin.h"
#include "scenario.h"

namespace {

const char* current_step = "before the first scenario";  // for the crash and hang reports
std::string current_step_text;

LONG WINAPI report_crash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "crash: exception 0x%08lx at %s\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), current_step);
    std::fflush(stderr);
    ExitProcess(3);
}

// The hang watch: the host's thread counts its calls; a watch thread ends the process when the
// count has not moved for HANG_SECONDS while a call runs, saying how much processor time the
// host's thread used meanwhile (a spin uses all of it, a wait none).
constexpr int   HANG_SECONDS = 60;
volatile LONG   calls_begun  = 0;
volatile LONG   in_plugin    = 0;
HANDLE          host_thread  = nullptr;

double thread_cpu_seconds(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user)) return -1;
    auto ticks = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 1e7;  // 100 ns ticks
}

DWORD WINAPI watch_for_hangs(void*) {
    LONG seen = -1;
    int still = 0;
    double cpu_at_start = 0;
    for (;;) {
        Sleep(1000);
        const LONG now = calls_begun;
        if (!in_plugin || now != seen) {
            seen = now;
            still = 0;
            cpu_at_start = thread_cpu_seconds(host_thread);
            continue;
        }
        if (++still < HANG_SECONDS) continue;
        std::printf("FAIL hang: the call at %s has not returned after %d s; the host's thread "
                    "used %.1f s of processor time meanwhile\n", current_step, HANG_SECONDS,
                    thread_cpu_seconds(host_thread) - cpu_at_start);
        std::fflush(stdout);
        ExitProcess(4);
    }
}

// How the host behaves during one pass over the scenarios.
struct Pass {
    const char*  name;
    bool         free_library;  // clearing unloads the file, not only runs the exit hook
    MexErrorExit error_exit;
    bool         size_garbage;
    MexRounding  rounding;
};

const Pass passes[] = {
    {"unloaded between scenarios", true, MEX_ERROR_JUMPS, false, MEX_ROUND_NEAREST},
    {"exit hook only", false, MEX_ERROR_JUMPS, false, MEX_ROUND_NEAREST},
    {"errors unwind", true, MEX_ERROR_UNWINDS, false, MEX_ROUND_NEAREST},
    {"sizes with upper garbage", true, MEX_ERROR_JUMPS, true, MEX_ROUND_NEAREST},
    {"rounding downward", true, MEX_ERROR_JUMPS, false, MEX_ROUND_DOWNWARD},
    {"rounding upward", true, MEX_ERROR_JUMPS, false, MEX_ROUND_UPWARD},
};

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

// Runs one scenario from an empty graph; the pass chooses how the plug-in is cleared.
void run_scenario(LoadedPlugin& plugin, const Scenario& s, const std::string& deliverable,
                  const Pass& p, Tally& t) {
    const char* pass = p.name;
    const bool free_library = p.free_library;
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
        InterlockedIncrement(&calls_begun);
        InterlockedExchange(&in_plugin, 1);
        const Outcome out = call_loaded_plugin(plugin, step.args);
        InterlockedExchange(&in_plugin, 0);
        const std::string mismatch = check_outcome(step.expect, out, deliverable);
        if (!mismatch.empty()) fail(t, s, step.line, pass, mismatch);
    }
    if (!err.empty()) fail(t, s, s.line, pass, err);
}

}  // namespace

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(report_crash);
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &host_thread,
                    0, FALSE, DUPLICATE_SAME_ACCESS);
    CloseHandle(CreateThread(nullptr, 0, watch_for_hangs, nullptr, 0, nullptr));
    const bool engine = argc == 3 && std::string(argv[2]) == "engine";
    if (argc != 4 && !engine) {
        std::fprintf(stderr, "usage: windows_host PLUGIN DELIVERABLE SCENARIO_DIR | ENGINE engine\n");
        return 2;
    }
    const std::string deliverable = argv[2];
    const int width = static_cast<int>(sizeof(void*) * 8);
    const std::string tag = deliverable + std::to_string(width);

    std::vector<Scenario> all;
    try {
        if (!engine) all = load_scenario_dir(argv[3]);
    } catch (const std::exception& e) {
        std::printf("cannot read the scenarios: %s\n", e.what());
        return 1;
    }

    LoadedPlugin plugin;
    plugin.path = argv[1];
    int failed = 0;
    for (const Pass& p : passes) {
        mex_set_error_exit(p.error_exit);
        mx_set_size_garbage(p.size_garbage);
        mex_set_rounding(p.rounding);
        Tally t;
        for (const Scenario& s : all)
            if (scenario_runs_on(s, deliverable, width)) run_scenario(plugin, s, deliverable, p, t);
        if (engine) {
            current_step = "the engine's session";
            const std::string err = load_plugin(plugin);
            InterlockedExchange(&in_plugin, 1);
            std::vector<std::string> faults =
                err.empty() ? run_engine_session(plugin, p.free_library, &t.calls)
                            : std::vector<std::string>{err};
            InterlockedExchange(&in_plugin, 0);
            for (const std::string& f : faults) std::printf("FAIL engine (%s): %s\n", p.name, f.c_str());
            t.failed += static_cast<int>(faults.size());
            t.scenarios = 1;
        }
        const std::string err = clear_plugin(plugin, true);
        if (!err.empty()) {
            std::printf("FAIL clearing %s at the end: %s\n", plugin.path.c_str(), err.c_str());
            ++t.failed;
        }
        std::printf("%s (%s): %d scenarios, %d calls, %d failed\n", tag.c_str(), p.name,
                    t.scenarios, t.calls, t.failed);
        std::fflush(stdout);
        if (t.scenarios == 0) {
            std::printf("FAIL no scenario of %s in %s\n", tag.c_str(), argv[3]);
            ++t.failed;
        }
        failed += t.failed;
    }
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}
