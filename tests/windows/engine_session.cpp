// engine_session.cpp - the engine's session under the Windows test host.
#include "engine_session.h"

#include <cstdio>

namespace {

struct Answer {
    bool                             raised = false;
    std::string                      id;
    std::vector<std::vector<double>> outputs;  // each output's values, column-major
};

struct Matrix {
    std::size_t         rows, cols;
    std::vector<double> values;  // column-major
};

Matrix scalar(double v) { return {1, 1, {v}}; }

Answer call(const LoadedPlugin& engine, int nlhs, const std::vector<Matrix>& in) {
    std::vector<const mxArray*> prhs;
    for (const Matrix& m : in)
        prhs.push_back(mx_new_array(MX_DOUBLE, false, false, m.rows, m.cols, m.values.data()));
    mxArray* plhs[3] = {nullptr, nullptr, nullptr};
    Answer a;
    a.raised = mex_call(engine.entry, nlhs, plhs, static_cast<int>(prhs.size()), prhs.data());
    if (a.raised) a.id = mex_error_id();
    for (int k = 0; k < nlhs && !a.raised; ++k) {
        const mxArray* r = plhs[k];
        const double* v = r ? mxGetPr(r) : nullptr;
        a.outputs.emplace_back(v, v ? v + r->rows * r->cols : v);
    }
    mx_release_all();
    return a;
}

std::string show(const std::vector<double>& v) {
    std::string s;
    for (double d : v) {
        char b[32];
        std::snprintf(b, sizeof b, "%s%.17g", s.empty() ? "" : " ", d);
        s += b;
    }
    return s;
}

}  // namespace

std::vector<std::string> run_engine_session(LoadedPlugin& engine, bool free_library, int* calls) {
    std::vector<std::string> faults;
    auto expect = [&](const char* what, const Answer& a, std::size_t output,
                      const std::vector<double>& want) {
        ++*calls;
        if (a.raised)
            faults.push_back(std::string(what) + ": raised " + a.id);
        else if (a.outputs.size() <= output || a.outputs[output] != want)
            faults.push_back(std::string(what) + ": got " +
                             (a.outputs.size() > output ? show(a.outputs[output]) : "nothing") +
                             ", expected " + show(want));
    };
    const double big = 2147483647;  // the largest weight
    const Answer made = call(engine, 1, {scalar(1)});
    if (made.raised || made.outputs.empty() || made.outputs[0].size() != 1)
        return {"OP 1 made no graph"};
    const double h = made.outputs[0][0];

    // A chain (1,1)-(2,1)-(3,1)-(4,1)-(5,1) of the largest weight, a node far off joined to (2,1).
    expect("OP 11", call(engine, 1, {scalar(11), scalar(h),
                                     {5, 2, {1, 2, 3, 4, 2, 1, 1, 1, 1, 1}},
                                     {5, 2, {2, 3, 4, 5, 134234114, 1, 1, 1, 1, 16386}},
                                     {5, 1, {big, big, big, big, 1}}}),
           0, {0, 0, 0, 0, 0});
    const Answer paths = call(engine, 3, {scalar(30), scalar(h), {2, 2, {1, 5, 1, 1}},
                                          {2, 2, {5, 1, 1, 1}}});
    expect("OP 30 points", paths, 1, {5, 5});
    expect("OP 30 costs", paths, 2, {4 * big, 4 * big});
    expect("OP 30 path", paths, 0, {1, 2, 3, 4, 5, 5, 4, 3, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    // Folding (2,1) into (1,1) joins (1,1) to the far node at their distance, which double
    // precision gives as 134234114 and extended precision as 134234113.
    expect("OP 16", call(engine, 1, {scalar(16), scalar(h), {1, 2, {1, 1}}, {1, 2, {2, 1}}}), 0,
           {});
    const Answer edges = call(engine, 1, {scalar(24), scalar(h)});
    ++*calls;
    if (!edges.raised && edges.outputs[0].size() == 5 * 4) {
        if (edges.outputs[0][4 * 4 + 3] != 134234114)
            faults.push_back("OP 24: the merge's new edge weighs " + show({edges.outputs[0][4 * 4 + 3]}));
    } else {
        faults.push_back("OP 24: not the four edges the merge leaves");
    }
    const Answer missing = call(engine, 3, {scalar(30), scalar(h), {1, 2, {1, 1}}, {1, 2, {9, 9}}});
    ++*calls;
    if (!missing.raised || missing.id != "GraphPlugin:noNode")
        faults.push_back("OP 30 to a missing node: " + (missing.raised ? missing.id : std::string("no error")));
    expect("OP 5 after the error", call(engine, 2, {scalar(5), scalar(h)}), 0, {5});

    const double kept = call(engine, 1, {scalar(1)}).outputs[0][0];
    expect("OP 2", call(engine, 1, {scalar(2), scalar(h)}), 0, {1});
    const std::string cleared = clear_plugin(engine, free_library);
    const std::string loaded = cleared.empty() ? load_plugin(engine) : cleared;
    if (!loaded.empty()) return {loaded};
    const Answer gone = call(engine, 1, {scalar(5), scalar(kept)});
    ++*calls;
    if (!gone.raised || gone.id != "GraphPlugin:noGraph")
        faults.push_back("a graph outlived the clear: " + (gone.raised ? gone.id : std::string("no error")));
    return faults;
}
