// bench_main.cpp - runs the graph benchmarks and prints their table.
//
//   graph_bench [--largest=SIDE] [Google Benchmark flags, e.g. --benchmark_filter=search]
//
// --largest=17 or 50 leaves out the larger grids (they take seconds to build before the first
// benchmark starts).
// The ratio column divides the time per node visited by the floor probe's at the same size.
// scripts/bench.sh appends the Octave benchmark's rows to the table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "table_report.h"

bool register_graph_benchmarks(int largest_side);
const std::vector<std::string>& registered_benchmarks();

namespace {

struct Row {
    std::string name;  // the benchmark's, "search far (row by row)/129"
    std::string what;
    long        nodes;
    double      ns_per_op;
    double      visits;
    double      allocs;
    double      settled;
    double      split;
    bool        has_allocs;
};

double counter(const benchmark::BenchmarkReporter::Run& run, const char* name, bool* found) {
    auto it = run.counters.find(name);
    *found = it != run.counters.end();
    return *found ? it->second.value : 0.0;
}

// Collects every run, keeping the fastest repetition of each benchmark (another process on
// the machine only ever slows a run down); prints the table when all have finished, since each
// ratio needs the probe's row of the same size.
class TableReporter : public benchmark::BenchmarkReporter {
public:

    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;  // aggregates of repetitions
            if (run.error_occurred) {
                std::fprintf(stderr, "%s: %s\n", run.benchmark_name().c_str(),
                             run.error_message.c_str());
                continue;
            }
            bool found;
            Row row;
            row.name = run.run_name.function_name;
            row.what = row.name;
            row.what = row.what.substr(0, row.what.rfind('/'));
            row.nodes = static_cast<long>(counter(run, "nodes", &found));
            row.visits = counter(run, "visits", &found);
            row.settled = counter(run, "settled", &found);
            row.split = counter(run, "split", &found);
            row.allocs = counter(run, "allocs", &row.has_allocs);
            row.ns_per_op = run.GetAdjustedRealTime() * 1e9 /
                            benchmark::GetTimeUnitMultiplier(run.time_unit);
            std::fprintf(stderr, "  %-40s %6ld nodes  %s\n", row.what.c_str(), row.nodes,
                         format_time(row.ns_per_op).c_str());
            auto seen = index_.find(run.run_name.str());
            if (seen == index_.end()) {
                index_[run.run_name.str()] = rows_.size();
                rows_.push_back(row);
            } else if (row.ns_per_op < rows_[seen->second].ns_per_op) {
                rows_[seen->second] = row;
            }
        }
    }

    void Finalize() override {
        // Shuffled repetitions come in any order; the table keeps the order of registration.
        std::map<std::string, std::size_t> rank;
        for (const std::string& n : registered_benchmarks()) rank.emplace(n, rank.size());
        std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
            return rank[a.name] < rank[b.name];
        });
        std::map<long, double> floor;  // ns per visit of the probe, by size
        std::map<std::string, double> walk;  // ns per visit of find_node, by layout and size
        for (const Row& r : rows_) {
            if (r.visits <= 0) continue;
            if (r.what == "floor probe") floor[r.nodes] = r.ns_per_op / r.visits;
            if (r.what.rfind("find_node", 0) == 0) walk[layout(r)] = r.ns_per_op / r.visits;
        }
        std::string out = table_header();
        for (const Row& r : rows_) {
            std::string per_visit, ratio, note;
            if (r.visits > 0) {
                double ns = r.ns_per_op / r.visits;
                per_visit = fmt("%.3g ns", ns);
                if (floor.count(r.nodes)) ratio = fmt("%.2fx", ns / floor[r.nodes]);
            }
            if (r.what.rfind("search", 0) == 0) {
                note = fmt("%.0f settled", r.settled) + fmt(", %.3g visits", r.visits);
                if (r.has_allocs) note += fmt(", %g allocations", r.allocs);
                if (walk.count(layout(r)))
                    note += fmt(", %.2fx find_node's walk", r.ns_per_op / r.visits / walk[layout(r)]);
                if (r.split > 0)
                    note += fmt(", %.0f%% of nodes split over two lines", 100.0 * r.split);
            }
            out += table_row("C++ " + r.what, r.nodes ? std::to_string(r.nodes) : "",
                             r.ns_per_op, per_visit, ratio, note);
        }
        std::fputs(out.c_str(), stdout);
        std::fflush(stdout);
    }

private:
    // "(row by row)/129": the layout and size a row was measured on.
    static std::string layout(const Row& r) {
        auto open = r.what.find('(');
        return (open == std::string::npos ? "" : r.what.substr(open)) + "/" +
               std::to_string(r.nodes);
    }

    static std::string fmt(const char* format, double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, format, v);
        return buf;
    }

    std::vector<Row>                      rows_;
    std::map<std::string, std::size_t>    index_;  // rows_ by benchmark name
};

}  // namespace

int main(int argc, char** argv) {
    int largest = 129;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--largest=", 10) == 0) largest = std::atoi(argv[i] + 10);
        else args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    if (!register_graph_benchmarks(largest)) {
        std::fputs("out of memory while building the grids\n", stderr);
        return 1;
    }
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
