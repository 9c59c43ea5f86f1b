// table_report.h - the one table that scripts/bench.sh prints: a Markdown table whose rows
// come from the C++ benchmarks and from the Octave benchmark alike.
#pragma once

#include <string>

// The header of the table, two lines.
std::string table_header();

// "12.3 µs" and the like, for a time in nanoseconds.
std::string format_time(double ns);

// One row; empty strings leave a cell blank.
std::string table_row(const std::string& what, const std::string& nodes, double ns_per_op,
                      const std::string& per_visit, const std::string& ratio,
                      const std::string& note);
