// scenario.h - protocol scenarios read from tests/scenarios/*.scn, as plain records, and the
// comparison of what a host returned with what a step expects.
//
// Plain C++17 with no host and no test framework, so that every host's runner (the in-process
// test host, the Windows host under Wine) reads the same files the same way. The format is
// described in tests/scenarios/FORMAT.md.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

// The class of an argument array, as the host should build it.
enum class ArgClass { Double, Single, Int32, Logical, Char };

// One argument of a call: a rows-by-cols array, values column-major. Scalars of every class are
// 1-by-1; a char argument holds the codes of its characters (1-by-n). A complex argument has
// imaginary part 1 in every element; a sparse one is a 1-by-1 sparse double.
struct Arg {
    ArgClass            cls     = ArgClass::Double;
    bool                complex = false;
    bool                sparse  = false;
    std::size_t         rows    = 1;
    std::size_t         cols    = 1;
    std::vector<double> values;  // rows * cols values
    std::string         token;   // the token as written, for messages
};

// What a call must give.
enum class ExpectKind {
    None,    // no result stored in plhs[0], no error
    Any,     // not checked
    Error,   // an error with identifier DELIVERABLE:mnemonic
    Exact,   // a result of exactly that shape and those values
    Shape,   // a result of that shape, values not checked
    Ends,    // a result of that shape whose first and last columns are given
};

struct Expect {
    ExpectKind          kind = ExpectKind::Any;
    std::string         mnemonic;  // Error: e.g. "badInput"
    std::string         mention;   // Error: text the message must hold; "" for any
    std::size_t         rows = 0;  // Exact, Shape, Ends
    std::size_t         cols = 0;
    std::vector<double> values;    // Exact: rows * cols values, column-major
    std::vector<double> first;     // Ends: the first column (rows values)
    std::vector<double> last;      // Ends: the last column (rows values)
    std::string         token;     // the expectation as written, for messages
};

// One step of a scenario: a call with nlhs = 1, or an unload of the plug-in. A repeat line is
// expanded by the parser into one Call step per value of I.
struct Step {
    enum class Kind { Call, Unload };
    Kind             kind = Kind::Call;
    std::vector<Arg> args;
    Expect           expect;
    int              line = 0;  // line of the file the step comes from
};

// A scenario starts from an empty graph: a runner unloads the plug-in before its first step.
struct Scenario {
    std::string              name;
    std::vector<std::string> only;  // tags; empty: every deliverable and width
    std::string              file;  // base name of the file, e.g. "path.scn"
    int                      line = 0;
    std::vector<Step>        steps;
};

// Thrown by the parsers; what() names the file and line.
struct ScenarioSyntaxError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Parses the text of one .scn file; file is used in messages and Scenario::file.
std::vector<Scenario> parse_scenarios(const std::string& text, const std::string& file);

// Reads and parses one file. Throws ScenarioSyntaxError when it cannot be read or parsed.
std::vector<Scenario> load_scenario_file(const std::string& path);

// Reads and parses every *.scn file of a directory, files in name order.
std::vector<Scenario> load_scenario_dir(const std::string& dir);

// True when the scenario runs for the deliverable ("zelmot", "ombrik", "main") built with
// the given pointer width (32 or 64): no `only`, or a tag naming the deliverable alone or the
// deliverable with that width.
bool scenario_runs_on(const Scenario& s, const std::string& deliverable, int width);

// What a host gave back from one call.
struct Outcome {
    enum class Kind { Stored, NothingStored, Raised };
    Kind                kind = Kind::NothingStored;
    bool                real_double = true;  // Stored: the result is a real, full double matrix
    std::size_t         rows = 0;            // Stored
    std::size_t         cols = 0;
    std::vector<double> values;              // Stored: rows * cols values, column-major
    std::string         error_id;            // Raised: the full identifier, e.g. "zelmot:badInput"
    std::string         error_text;          // Raised: the message
};

// Compares an outcome with an expectation for the given deliverable. Returns an empty string
// when they agree, otherwise one line saying what was expected and what came.
std::string check_outcome(const Expect& expect, const Outcome& outcome,
                          const std::string& deliverable);

// A short description of an outcome, for messages: "2x3 [1,2,...]", "no result", "error id: text".
std::string describe_outcome(const Outcome& outcome);
