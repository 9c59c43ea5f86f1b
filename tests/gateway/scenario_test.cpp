// scenario_test.cpp - every protocol scenario of tests/scenarios that runs on this deliverable
// at this build's width, one test each, through the in-process test host.
#include <gtest/gtest.h>

#include "graph.h"
#include "invariants.h"
#include "plugin_graph.h"
#include "scenario.h"
#include "settings.h"
#include "test_host.h"

// GoogleTest prints a failing parameter; the name and place say all that is needed.
void PrintTo(const Scenario& s, std::ostream* os) { *os << s.file << ":" << s.line << " " << s.name; }

namespace {

const int width = static_cast<int>(sizeof(void*) * 8);  // 32 in the m32 tree

std::vector<Scenario> scenarios_of_this_build() {
    std::vector<Scenario> mine;
    for (Scenario& s : load_scenario_dir(SCENARIO_DIR))
        if (scenario_runs_on(s, DELIVERABLE, width)) mine.push_back(std::move(s));
    return mine;
}

HostArray to_host_array(const Arg& a) {
    HostArray h = matrix_arg(a.rows, a.cols, a.values);
    switch (a.cls) {
        case ArgClass::Double: h.cls = ArrayClass::Double; break;
        case ArgClass::Single: h.cls = ArrayClass::Single; break;
        case ArgClass::Int32: h.cls = ArrayClass::Int32; break;
        case ArgClass::Logical: h.cls = ArrayClass::Logical; break;
        case ArgClass::Char: h.cls = ArrayClass::Char; break;
    }
    h.complex = a.complex;
    h.sparse = a.sparse;
    return h;
}

Outcome to_outcome(const CallOutcome& c) {
    Outcome o;
    if (c.raised) {
        o.kind = Outcome::Kind::Raised;
        o.error_id = c.error.id;
        o.error_text = c.error.text;
    } else if (c.result) {
        o.kind = Outcome::Kind::Stored;
        o.real_double = c.result->cls == ArrayClass::Double && !c.result->complex &&
                        !c.result->sparse;
        o.rows = c.result->rows;
        o.cols = c.result->cols;
        o.values = c.result->data;
    }
    return o;
}

// The store is sound where a scenario leaves it: before each unload and at its end.
void expect_sound_store(int line) {
    EXPECT_EQ(graph_invariant_violation(&plugin_graph, !REFUSE_SELF_LOOP), "") << "before line " << line;
    EXPECT_EQ(index_violation(&plugin_graph), "") << "before line " << line;
}

class ProtocolScenario : public testing::TestWithParam<Scenario> {};

TEST_P(ProtocolScenario, GivesWhatEachStepExpects) {
    const Scenario& s = GetParam();
    unload_plugin();  // every scenario starts from an empty graph
    for (const Step& step : s.steps) {
        if (step.kind == Step::Kind::Unload) {
            expect_sound_store(step.line);
            unload_plugin();
            continue;
        }
        std::vector<HostArray> inputs;
        for (const Arg& a : step.args) inputs.push_back(to_host_array(a));
        const std::string mismatch =
            check_outcome(step.expect, to_outcome(call_plugin(inputs, 1)), DELIVERABLE);
        // The first mismatch ends the scenario: later steps build on the graph it left.
        ASSERT_EQ(mismatch, "") << s.file << ":" << step.line;
    }
    expect_sound_store(s.steps.empty() ? s.line : s.steps.back().line + 1);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ProtocolScenario, testing::ValuesIn(scenarios_of_this_build()),
                         [](const testing::TestParamInfo<Scenario>& info) {
                             return info.param.name;
                         });

// A tree whose scenario files went missing must not pass by running nothing.
TEST(ScenarioFiles, HoldScenariosForThisBuild) {
    EXPECT_GT(scenarios_of_this_build().size(), 50u);
}

}  // namespace
