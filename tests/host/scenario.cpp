// scenario.cpp - the .scn parser, the {i} expansion of repeat lines and the outcome checker.
#include "scenario.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>

namespace {

struct Where {
    const std::string& file;
    int                line;
};

[[noreturn]] void fail(const Where& at, const std::string& what) {
    throw ScenarioSyntaxError(at.file + ":" + std::to_string(at.line) + ": " + what);
}

std::vector<std::string> split_words(const std::string& s) {
    std::vector<std::string> words;
    std::istringstream in(s);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::vector<std::string> split_on(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        auto end = s.find(sep, start);
        parts.push_back(s.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

bool starts_with(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// A double as the format writes it: anything strtod takes whole, plus nan, inf, -inf.
double parse_number(const std::string& s, const Where& at) {
    if (s == "nan") return std::nan("");
    if (s == "inf") return HUGE_VAL;
    if (s == "-inf") return -HUGE_VAL;
    if (s.empty()) fail(at, "empty number");
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || errno == ERANGE) fail(at, "not a number: '" + s + "'");
    return v;
}

std::vector<double> parse_numbers(const std::string& list, const Where& at) {
    std::vector<double> values;
    if (list.empty()) return values;
    for (const std::string& s : split_on(list, ',')) values.push_back(parse_number(s, at));
    return values;
}

// "RxC" into rows and cols; false when the token is not of that shape.
bool parse_shape(const std::string& s, std::size_t* rows, std::size_t* cols) {
    auto x = s.find('x');
    if (x == std::string::npos || x == 0 || x + 1 == s.size()) return false;
    std::string r = s.substr(0, x), c = s.substr(x + 1);
    if (r.find_first_not_of("0123456789") != std::string::npos) return false;
    if (c.find_first_not_of("0123456789") != std::string::npos) return false;
    *rows = std::strtoul(r.c_str(), nullptr, 10);
    *cols = std::strtoul(c.c_str(), nullptr, 10);
    return true;
}

// "RxC:v1,v2,..." with exactly R*C values; false when the token does not start with a shape.
bool parse_matrix(const std::string& s, std::size_t* rows, std::size_t* cols,
                  std::vector<double>* values, const Where& at) {
    auto colon = s.find(':');
    if (colon == std::string::npos || !parse_shape(s.substr(0, colon), rows, cols)) return false;
    *values = parse_numbers(s.substr(colon + 1), at);
    if (values->size() != *rows * *cols)
        fail(at, "'" + s + "' holds " + std::to_string(values->size()) + " values, not " +
                     std::to_string(*rows * *cols));
    return true;
}

Arg parse_arg(const std::string& s, const Where& at) {
    Arg a;
    a.token = s;
    if (s.size() >= 2 && s.front() == '[' && s.back() == ']') {
        a.values = parse_numbers(s.substr(1, s.size() - 2), at);
        a.rows = a.values.empty() ? 0 : 1;
        a.cols = a.values.size();
        return a;
    }
    if (parse_matrix(s, &a.rows, &a.cols, &a.values, at)) return a;
    auto colon = s.find(':');
    if (colon != std::string::npos) {
        std::string cls = s.substr(0, colon), v = s.substr(colon + 1);
        if (cls == "char") {
            if (v.empty()) fail(at, "char: needs at least one character");
            a.cls = ArgClass::Char;
            a.cols = v.size();
            for (char c : v) a.values.push_back(static_cast<unsigned char>(c));
            return a;
        }
        a.values = {parse_number(v, at)};
        if (cls == "single") a.cls = ArgClass::Single;
        else if (cls == "int32") a.cls = ArgClass::Int32;
        else if (cls == "logical") a.cls = ArgClass::Logical;
        else if (cls == "complex") a.complex = true;
        else if (cls == "sparse") a.sparse = true;
        else fail(at, "unknown argument class '" + cls + "'");
        return a;
    }
    a.values = {parse_number(s, at)};
    return a;
}

std::vector<double> parse_column(const std::string& s, const std::string& label,
                                 std::size_t rows, const Where& at) {
    if (!starts_with(s, label + "=")) fail(at, "expected " + label + "=..., got '" + s + "'");
    std::vector<double> v = parse_numbers(s.substr(label.size() + 1), at);
    if (v.size() != rows) fail(at, label + "= needs " + std::to_string(rows) + " values");
    return v;
}

Expect parse_expect(const std::vector<std::string>& words, const Where& at) {
    Expect e;
    if (words.empty()) fail(at, "nothing after ->");
    for (const std::string& w : words) e.token += (e.token.empty() ? "" : " ") + w;
    const std::string& head = words[0];
    if (head == "none" || head == "any") {
        if (words.size() != 1) fail(at, "'" + head + "' takes nothing after it");
        e.kind = head == "none" ? ExpectKind::None : ExpectKind::Any;
        return e;
    }
    if (head == "error") {
        if (words.size() != 2 && words.size() != 3)
            fail(at, "error takes a mnemonic and, if need be, what the message mentions");
        e.kind = ExpectKind::Error;
        e.mnemonic = words[1];
        if (words.size() == 3) {
            e.mention = words[2];
            for (char& c : e.mention)
                if (c == '_') c = ' ';
        }
        return e;
    }
    if (parse_matrix(head, &e.rows, &e.cols, &e.values, at)) {
        if (words.size() != 1) fail(at, "nothing may follow an exact result");
        e.kind = ExpectKind::Exact;
        return e;
    }
    if (!parse_shape(head, &e.rows, &e.cols)) fail(at, "unknown expectation '" + head + "'");
    if (words.size() == 1) {
        e.kind = ExpectKind::Shape;
        return e;
    }
    if (words.size() != 3) fail(at, "a shape takes first=... last=... or nothing");
    if (e.cols == 0) fail(at, "first/last need at least one column");
    e.kind = ExpectKind::Ends;
    e.first = parse_column(words[1], "first", e.rows, at);
    e.last = parse_column(words[2], "last", e.rows, at);
    return e;
}

// Splits "ARG ... -> EXPECT" and builds the call step.
Step parse_call(const std::vector<std::string>& words, std::size_t from, const Where& at) {
    auto arrow = std::find(words.begin() + static_cast<std::ptrdiff_t>(from), words.end(), "->");
    if (arrow == words.end()) fail(at, "a call needs '-> EXPECT'");
    Step step;
    step.line = at.line;
    for (auto w = words.begin() + static_cast<std::ptrdiff_t>(from); w != arrow; ++w)
        step.args.push_back(parse_arg(*w, at));
    step.expect = parse_expect(std::vector<std::string>(arrow + 1, words.end()), at);
    return step;
}

long parse_integer(const std::string& s, const Where& at) {
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0') fail(at, "not an integer: '" + s + "'");
    return v;
}

// Replaces {i}, {i+K}, {i-K} and {i*K} in s by their value for I = i.
std::string expand(const std::string& s, long i, const Where& at) {
    std::string out;
    std::string::size_type pos = 0;
    for (;;) {
        auto open = s.find('{', pos);
        if (open == std::string::npos) return out + s.substr(pos);
        auto close = s.find('}', open);
        if (close == std::string::npos) fail(at, "unclosed '{'");
        out += s.substr(pos, open - pos);
        std::string inner = s.substr(open + 1, close - open - 1);
        if (inner.empty() || inner[0] != 'i') fail(at, "unknown placeholder {" + inner + "}");
        long v = i;
        if (inner.size() > 1) {
            long k = parse_integer(inner.substr(2), at);
            switch (inner[1]) {
                case '+': v = i + k; break;
                case '-': v = i - k; break;
                case '*': v = i * k; break;
                default: fail(at, "unknown placeholder {" + inner + "}");
            }
        }
        out += std::to_string(v);
        pos = close + 1;
    }
}

bool is_tag(const std::string& t) {
    static const char* const tags[] = {"zelmot",   "ombrik",   "main",   "zelmot32", "zelmot64",
                                       "ombrik32", "ombrik64", "main32", "main64"};
    return std::find(std::begin(tags), std::end(tags), t) != std::end(tags);
}

std::string format_number(double v) {
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
    std::ostringstream out;
    out.precision(17);
    out << v;
    return out.str();
}

std::string format_values(const std::vector<double>& v, std::size_t from, std::size_t count) {
    std::string s;
    for (std::size_t k = from; k < from + count && k < v.size(); ++k)
        s += (k == from ? "" : ",") + format_number(v[k]);
    return s;
}

bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool same_column(const std::vector<double>& values, std::size_t col, std::size_t rows,
                 const std::vector<double>& want) {
    for (std::size_t r = 0; r < rows; ++r)
        if (!same(values[col * rows + r], want[r])) return false;
    return true;
}

}  // namespace

std::vector<Scenario> parse_scenarios(const std::string& text, const std::string& file) {
    std::vector<Scenario> scenarios;
    std::istringstream in(text);
    int line_no = 0;
    for (std::string line; std::getline(in, line);) {
        ++line_no;
        Where at{file, line_no};
        auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::vector<std::string> words = split_words(line);
        if (words.empty()) continue;
        const std::string& kw = words[0];
        if (kw == "scenario") {
            if (words.size() < 2) fail(at, "scenario needs a name");
            Scenario s;
            s.name = words[1];
            s.file = file;
            s.line = line_no;
            if (words.size() > 2) {
                if (words[2] != "only" || words.size() == 3) fail(at, "expected 'only TAG ...'");
                for (std::size_t k = 3; k < words.size(); ++k) {
                    if (!is_tag(words[k])) fail(at, "unknown tag '" + words[k] + "'");
                    s.only.push_back(words[k]);
                }
            }
            for (const Scenario& other : scenarios)
                if (other.name == s.name) fail(at, "scenario '" + s.name + "' appears twice");
            scenarios.push_back(std::move(s));
            continue;
        }
        if (scenarios.empty()) fail(at, "'" + kw + "' before the first scenario");
        Scenario& s = scenarios.back();
        if (kw == "call") {
            s.steps.push_back(parse_call(words, 1, at));
        } else if (kw == "unload") {
            if (words.size() != 1) fail(at, "unload takes nothing after it");
            Step step;
            step.kind = Step::Kind::Unload;
            step.line = line_no;
            s.steps.push_back(step);
        } else if (kw == "repeat") {
            if (words.size() < 5 || words[1] != "I" || words[4] != "call")
                fail(at, "expected 'repeat I FROM TO call ...'");
            long from = parse_integer(words[2], at), to = parse_integer(words[3], at);
            long step = from <= to ? 1 : -1;
            for (long i = from;; i += step) {
                std::vector<std::string> expanded;
                for (const std::string& w : words) expanded.push_back(expand(w, i, at));
                s.steps.push_back(parse_call(expanded, 5, at));
                if (i == to) break;
            }
        } else {
            fail(at, "unknown line '" + kw + "'");
        }
    }
    return scenarios;
}

std::vector<Scenario> load_scenario_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ScenarioSyntaxError(path + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    auto slash = path.find_last_of("/\\");
    return parse_scenarios(text.str(), slash == std::string::npos ? path : path.substr(slash + 1));
}

std::vector<Scenario> load_scenario_dir(const std::string& dir) {
    DIR* d = opendir(dir.c_str());
    if (!d) throw ScenarioSyntaxError(dir + ": cannot be opened");
    std::vector<std::string> names;
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n.size() > 4 && n.compare(n.size() - 4, 4, ".scn") == 0) names.push_back(n);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    std::vector<Scenario> all;
    for (const std::string& n : names) {
        std::vector<Scenario> some = load_scenario_file(dir + "/" + n);
        all.insert(all.end(), some.begin(), some.end());
    }
    return all;
}

bool scenario_runs_on(const Scenario& s, const std::string& deliverable, int width) {
    if (s.only.empty()) return true;
    for (const std::string& tag : s.only)
        if (tag == deliverable || tag == deliverable + std::to_string(width)) return true;
    return false;
}

std::string describe_outcome(const Outcome& o) {
    switch (o.kind) {
        case Outcome::Kind::NothingStored: return "no result";
        case Outcome::Kind::Raised: return "error " + o.error_id + ": " + o.error_text;
        case Outcome::Kind::Stored: break;
    }
    std::string s = std::to_string(o.rows) + "x" + std::to_string(o.cols);
    if (!o.real_double) s += " (not a real double matrix)";
    const std::size_t shown = 12;
    s += ":" + format_values(o.values, 0, shown);
    if (o.values.size() > shown) s += ",...";
    return s;
}

std::string check_outcome(const Expect& e, const Outcome& o, const std::string& deliverable) {
    const std::string mismatch = "expected " + e.token + ", got " + describe_outcome(o);
    switch (e.kind) {
        case ExpectKind::Any: return "";
        case ExpectKind::None:
            return o.kind == Outcome::Kind::NothingStored ? "" : mismatch;
        case ExpectKind::Error:
            if (o.kind != Outcome::Kind::Raised) return mismatch;
            if (o.error_id != deliverable + ":" + e.mnemonic) return mismatch;
            if (o.error_text.empty()) return mismatch + " (the message is empty)";
            if (o.error_text.find(e.mention) == std::string::npos)
                return mismatch + " (the message does not mention '" + e.mention + "')";
            return "";
        case ExpectKind::Exact:
        case ExpectKind::Shape:
        case ExpectKind::Ends: break;
    }
    if (o.kind != Outcome::Kind::Stored || !o.real_double) return mismatch;
    if (o.rows != e.rows || o.cols != e.cols || o.values.size() != o.rows * o.cols)
        return mismatch;
    if (e.kind == ExpectKind::Exact) {
        for (std::size_t k = 0; k < e.values.size(); ++k)
            if (!same(o.values[k], e.values[k]))
                return mismatch + " (element " + std::to_string(k) + " differs)";
    } else if (e.kind == ExpectKind::Ends) {
        if (!same_column(o.values, 0, o.rows, e.first))
            return mismatch + " (first column " + format_values(o.values, 0, o.rows) + ")";
        if (!same_column(o.values, o.cols - 1, o.rows, e.last))
            return mismatch + " (last column " +
                   format_values(o.values, (o.cols - 1) * o.rows, o.rows) + ")";
    }
    return "";
}
