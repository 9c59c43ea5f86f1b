// store_memory.cpp - the heap that the two builds of ombrik's store hold per node and per edge,
// on the benchmark grids, as the allocator counts it (glibc's mallinfo2: the bytes of every
// block in use, its header included). The nodes come first, then the edges, both by command 0
// through the test host, so each figure is the growth over one kind of record and whatever the
// index grows with it.
//
//   store_memory SIDE...
//
// Prints rows of the table of scripts/bench.sh; the default store only for sides up to 200. The
// engine's graph is built with one call for the nodes and one for the edges, and measured again
// after a far search, whose queue is the engine's to grow.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "store_under_test.h"

namespace {

// Small blocks come from the arenas, large ones (the index's table and heap) are mapped apiece.
std::size_t heap_in_use() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

void add(const StoreUnderTest& store, double ax, double ay, double bx, double by, double w) {
    const CallOutcome out = call_entry(store.entry, {scalar_arg(ax), scalar_arg(ay), scalar_arg(bx),
                                                     scalar_arg(by), scalar_arg(w), scalar_arg(0),
                                                     scalar_arg(1)});
    if (out.raised) {
        std::fprintf(stderr, "store_memory: %s\n", out.error.text.c_str());
        std::exit(1);
    }
}

void measure(const StoreUnderTest& store, int side) {
    unload_plugin();
    const std::size_t empty = heap_in_use();
    for (int y = 1; y <= side; ++y)
        for (int x = 1; x <= side; ++x) add(store, x, y, 0, 0, 0);
    const std::size_t with_nodes = heap_in_use();
    long edges = 0;
    for (int y = 1; y <= side; ++y)
        for (int x = 1; x <= side; ++x) {
            if (x > 1) add(store, x, y, x - 1, y, 1), ++edges;
            if (y > 1) add(store, x, y, x, y - 1, 1), ++edges;
        }
    const std::size_t with_edges = heap_in_use();
    const long nodes = static_cast<long>(side) * side;
    std::printf("| C++ memory, %s store, grid %d | %ld | %.1f bytes per node |  |  | "
                "%.1f bytes per edge (%ld edges); %.1f MB in all |\n",
                store.name, side, nodes, double(with_nodes - empty) / nodes,
                double(with_edges - with_nodes) / edges, edges, (with_edges - empty) / 1e6);
    unload_plugin();
}

// Rows (x, y) as an n-by-2 matrix.
HostArray rows(const std::vector<double>& x, const std::vector<double>& y) {
    std::vector<double> data(x);
    data.insert(data.end(), y.begin(), y.end());
    return matrix_arg(x.size(), 2, std::move(data));
}

CallOutcome engine(const std::vector<HostArray>& in) {
    CallOutcome out = call_entry(mexFunction, in, 1);
    if (out.raised) {
        std::fprintf(stderr, "store_memory: %s\n", out.error.text.c_str());
        std::exit(1);
    }
    return out;
}

void measure_engine(int side) {
    unload_plugin();
    std::vector<double> x, y, ax, ay, bx, by;
    for (int j = 1; j <= side; ++j)
        for (int i = 1; i <= side; ++i) {
            x.push_back(i), y.push_back(j);
            if (i > 1) ax.push_back(i), ay.push_back(j), bx.push_back(i - 1), by.push_back(j);
            if (j > 1) ax.push_back(i), ay.push_back(j), bx.push_back(i), by.push_back(j - 1);
        }
    HostArray nodes_in = rows(x, y), a = rows(ax, ay), b = rows(bx, by);
    const std::size_t empty = heap_in_use();
    const double h = engine({scalar_arg(1)}).result->data[0];
    engine({scalar_arg(10), scalar_arg(h), nodes_in, scalar_arg(1)});
    const std::size_t with_nodes = heap_in_use();
    engine({scalar_arg(11), scalar_arg(h), a, b, scalar_arg(1)});
    const std::size_t with_edges = heap_in_use();
    engine({scalar_arg(30), scalar_arg(h), rows({1}, {1}), rows({double(side)}, {double(side)})});
    const std::size_t searched = heap_in_use();
    const long nodes = static_cast<long>(side) * side;
    const long edges = static_cast<long>(ax.size());
    std::printf("| C++ memory, engine, grid %d | %ld | %.1f bytes per node |  |  | "
                "%.1f bytes per edge (%ld edges); %.1f MB in all; a far search adds %.1f kB |\n",
                side, nodes, double(with_nodes - empty) / nodes,
                double(with_edges - with_nodes) / edges, edges, (with_edges - empty) / 1e6,
                (double(searched) - double(with_edges)) / 1e3);
    unload_plugin();
}

}  // namespace

int main(int argc, char** argv) {
    for (int a = 1; a < argc; ++a) {
        const int side = std::atoi(argv[a]);
        // The default store walks its list for every node and edge it adds: a grid of side 500
        // would take it many minutes, and its records weigh the same at every size.
        if (side <= 200) measure(reference_store, side);
        measure(indexed_store, side);
        measure_engine(side);
    }
    return 0;
}
