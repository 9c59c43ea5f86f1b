// table_report.cpp - the cells of the benchmark table.
#include "table_report.h"

#include <cstdio>

std::string table_header() {
    return "| measurement | nodes | time per operation | per node visited | ratio | note |\n"
           "|---|---:|---:|---:|---:|---|\n";
}

std::string format_time(double ns) {
    char buf[32];
    if (ns < 1e3) std::snprintf(buf, sizeof buf, "%.3g ns", ns);
    else if (ns < 1e6) std::snprintf(buf, sizeof buf, "%.3g µs", ns / 1e3);
    else if (ns < 1e9) std::snprintf(buf, sizeof buf, "%.3g ms", ns / 1e6);
    else std::snprintf(buf, sizeof buf, "%.3g s", ns / 1e9);
    return buf;
}

std::string table_row(const std::string& what, const std::string& nodes, double ns_per_op,
                      const std::string& per_visit, const std::string& ratio,
                      const std::string& note) {
    return "| " + what + " | " + nodes + " | " + format_time(ns_per_op) + " | " + per_visit +
           " | " + ratio + " | " + note + " |\n";
}
