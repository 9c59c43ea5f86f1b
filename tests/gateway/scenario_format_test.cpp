// scenario_format_test.cpp - the reader and the checker that every scenario runner relies on:
// a checker that passes too much would hide faults in every host at once.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "scenario.h"

namespace {

std::vector<Step> steps_of(const std::string& body) {
    std::vector<Scenario> s = parse_scenarios("scenario s\n" + body, "t.scn");
    return s.at(0).steps;
}

Arg arg_of(const std::string& token) { return steps_of("call " + token + " -> any\n").at(0).args.at(0); }

struct ArgCase {
    const char*         token;
    ArgClass            cls;
    bool                complex, sparse;
    std::size_t         rows, cols;
    std::vector<double> values;
};

TEST(ScenarioArgs, ReadEveryKindOfToken) {
    const ArgCase cases[] = {
        {"3", ArgClass::Double, false, false, 1, 1, {3}},
        {"-2.5", ArgClass::Double, false, false, 1, 1, {-2.5}},
        {"1e12", ArgClass::Double, false, false, 1, 1, {1e12}},
        {"inf", ArgClass::Double, false, false, 1, 1, {HUGE_VAL}},
        {"-inf", ArgClass::Double, false, false, 1, 1, {-HUGE_VAL}},
        {"[1,2,3]", ArgClass::Double, false, false, 1, 3, {1, 2, 3}},
        {"[]", ArgClass::Double, false, false, 0, 0, {}},
        {"2x3:1,2,3,4,5,6", ArgClass::Double, false, false, 2, 3, {1, 2, 3, 4, 5, 6}},
        {"0x3:", ArgClass::Double, false, false, 0, 3, {}},
        {"single:4", ArgClass::Single, false, false, 1, 1, {4}},
        {"int32:-4", ArgClass::Int32, false, false, 1, 1, {-4}},
        {"logical:1", ArgClass::Logical, false, false, 1, 1, {1}},
        {"char:x", ArgClass::Char, false, false, 1, 1, {'x'}},
        {"complex:6", ArgClass::Double, true, false, 1, 1, {6}},
        {"sparse:6", ArgClass::Double, false, true, 1, 1, {6}},
    };
    for (const ArgCase& c : cases) {
        const Arg a = arg_of(c.token);
        EXPECT_EQ(a.cls, c.cls) << c.token;
        EXPECT_EQ(a.complex, c.complex) << c.token;
        EXPECT_EQ(a.sparse, c.sparse) << c.token;
        EXPECT_EQ(a.rows, c.rows) << c.token;
        EXPECT_EQ(a.cols, c.cols) << c.token;
        EXPECT_EQ(a.values, c.values) << c.token;
    }
    EXPECT_TRUE(std::isnan(arg_of("nan").values.at(0)));
    EXPECT_TRUE(std::signbit(arg_of("-0").values.at(0)));
}

TEST(ScenarioRepeat, ExpandsPlaceholdersForEveryValue) {
    const std::vector<Step> up = steps_of("repeat I 2 4 call {i} {i+3} {i-1} [{i*2},7] -> 1x1:{i*-1}\n");
    ASSERT_EQ(up.size(), 3u);
    EXPECT_EQ(up[0].args[0].values, std::vector<double>{2});
    EXPECT_EQ(up[2].args[1].values, std::vector<double>{7});
    EXPECT_EQ(up[2].args[2].values, std::vector<double>{3});
    EXPECT_EQ(up[1].args[3].values, (std::vector<double>{6, 7}));
    EXPECT_EQ(up[2].expect.values, std::vector<double>{-4});

    const std::vector<Step> down = steps_of("repeat I 3 1 call {i} -> none\n");
    ASSERT_EQ(down.size(), 3u);
    EXPECT_EQ(down[0].args[0].values, std::vector<double>{3});
    EXPECT_EQ(down[2].args[0].values, std::vector<double>{1});
}

TEST(ScenarioLines, CommentsUnloadAndTags) {
    const std::vector<Scenario> s = parse_scenarios(
        "# heading\n\nscenario a only main64 zelmot  # why\ncall -> error tooFewInputs\nunload\n"
        "scenario b\ncall 1 -> 2x1 first=1,2 last=3,4\n",
        "t.scn");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].steps.size(), 2u);
    EXPECT_TRUE(s[0].steps[0].args.empty());
    EXPECT_EQ(s[0].steps[1].kind, Step::Kind::Unload);
    EXPECT_EQ(s[1].steps[0].line, 7);
    EXPECT_TRUE(scenario_runs_on(s[0], "main", 64));
    EXPECT_FALSE(scenario_runs_on(s[0], "main", 32));
    EXPECT_TRUE(scenario_runs_on(s[0], "zelmot", 32));
    EXPECT_FALSE(scenario_runs_on(s[0], "ombrik", 64));
    EXPECT_TRUE(scenario_runs_on(s[1], "ombrik", 32));
}

TEST(ScenarioLines, RefuseWhatTheFormatDoesNotSay) {
    const char* bad[] = {
        "call 1 -> none\n",                              // before any scenario
        "scenario a\ncall 1 2\n",                         // no expectation
        "scenario a\ncall 1 -> 2x2:1,2,3\n",              // wrong count of values
        "scenario a\ncall 2x2:1 -> none\n",               // likewise for an argument
        "scenario a\ncall one -> none\n",                 // not a number
        "scenario a\ncall float:1 -> none\n",             // unknown class
        "scenario a\ncall 1 -> maybe\n",                  // unknown expectation
        "scenario a\ncall 1 -> none none\n",              // trailing words
        "scenario a\ncall 1 -> 2x1 first=1,2\n",          // first without last
        "scenario a\ncall 1 -> 2x1 first=1 last=1,2\n",   // column of the wrong length
        "scenario a only main65\n",                        // unknown tag
        "scenario a\nscenario a\n",                        // a name twice
        "scenario a\nrepeat I 1 3 call {j} -> none\n",    // unknown placeholder
        "scenario a\nrepeat I 1 x call 1 -> none\n",      // bad bound
        "scenario a\nunload now\n",                        // unload takes nothing
        "scenario a\nwait 5\n",                            // unknown line
    };
    for (const char* text : bad)
        EXPECT_THROW(parse_scenarios(text, "t.scn"), ScenarioSyntaxError) << text;
}

// ---- check_outcome ----

Outcome stored(std::size_t rows, std::size_t cols, std::vector<double> v) {
    Outcome o;
    o.kind = Outcome::Kind::Stored;
    o.rows = rows;
    o.cols = cols;
    o.values = std::move(v);
    return o;
}

Outcome raised(const char* id, const char* text) {
    Outcome o;
    o.kind = Outcome::Kind::Raised;
    o.error_id = id;
    o.error_text = text;
    return o;
}

Expect expect_of(const std::string& e) { return steps_of("call -> " + e + "\n").at(0).expect; }

struct CheckCase {
    const char* expect;
    Outcome     outcome;
    bool        agrees;
};

TEST(CheckOutcome, AgreesExactlyWhenTheExpectationHolds) {
    Outcome not_real = stored(1, 1, {0});
    not_real.real_double = false;
    const CheckCase cases[] = {
        {"none", Outcome{}, true},
        {"none", stored(1, 1, {0}), false},
        {"none", raised("zelmot:badInput", "bad"), false},
        {"any", raised("zelmot:badInput", "bad"), true},
        {"error badInput", raised("zelmot:badInput", "input 1 is not a real double"), true},
        {"error badInput", raised("ombrik:badInput", "bad"), false},
        {"error badInput", raised("zelmot:badGrid", "bad"), false},
        {"error badInput", raised("zelmot:badInput", ""), false},
        {"error badInput", Outcome{}, false},
        {"error badInput input_1", raised("zelmot:badInput", "input 1 is not a real double"), true},
        {"error badInput input_2", raised("zelmot:badInput", "input 1 is not a real double"), false},
        {"1x1:0", stored(1, 1, {0}), true},
        {"1x1:0", Outcome{}, false},
        {"1x1:0", not_real, false},
        {"2x1:0,0", stored(1, 2, {0, 0}), false},
        {"2x2:1,2,3,4", stored(2, 2, {1, 2, 3, 4}), true},
        {"2x2:1,2,3,4", stored(2, 2, {1, 2, 4, 3}), false},
        {"2x2", stored(2, 2, {9, 9, 9, 9}), true},
        {"2x2", stored(2, 3, {9, 9, 9, 9, 9, 9}), false},
        {"2x3 first=1,2 last=5,6", stored(2, 3, {1, 2, 0, 0, 5, 6}), true},
        {"2x3 first=1,2 last=5,6", stored(2, 3, {1, 2, 5, 6, 0, 0}), false},
        {"2x3 first=1,2 last=5,6", stored(2, 3, {2, 1, 0, 0, 5, 6}), false},
    };
    for (const CheckCase& c : cases) {
        const std::string mismatch = check_outcome(expect_of(c.expect), c.outcome, "zelmot");
        EXPECT_EQ(mismatch.empty(), c.agrees) << c.expect << " vs " << describe_outcome(c.outcome)
                                              << ": " << mismatch;
    }
}

// ---- the files themselves ----

TEST(ScenarioFiles, ParseWithUniqueNamesAndCoverEveryBuild) {
    const std::vector<Scenario> all = load_scenario_dir(SCENARIO_DIR);
    std::set<std::string> names;
    for (const Scenario& s : all) {
        EXPECT_TRUE(names.insert(s.name).second) << s.name << " in " << s.file;
        EXPECT_FALSE(s.steps.empty()) << s.name;
    }
    for (const char* d : {"zelmot", "ombrik", "main"})
        for (int width : {32, 64}) {
            int n = 0;
            for (const Scenario& s : all) n += scenario_runs_on(s, d, width);
            EXPECT_GT(n, 50) << d << width;
        }
}

}  // namespace
