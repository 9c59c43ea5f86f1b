// store_under_test.h - one plug-in built as a shared library for the tests that run the default
// and the indexed store side by side on the same calls (the differential fuzzers, the
// large-graph comparison).
//
// Each library holds a whole plug-in (store, gateway, command 7) with one build's Node layout,
// and exports only its StoreUnderTest record; everything else stays inside it, so two of them
// live in one process without clashing. The host's functions come from the program that loads
// them (test_host.cpp). Between calls a test reads what the store holds through read_state,
// which is the same for both builds whenever they agree.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "test_host.h"

// The graph the builds must agree on between calls (path_buf is read in place: path()). Flat,
// so that reading it allocates two arrays however large the graph.
struct StoreState {
    struct NodeState {
        std::int32_t x, y, value;
        std::size_t  entry_count;  // its entries follow those of the nodes before it
        bool operator==(const NodeState& o) const {
            return x == o.x && y == o.y && value == o.value && entry_count == o.entry_count;
        }
    };
    struct EntryState {
        std::size_t  to;  // the neighbour's place in the list
        std::int32_t weight;
        bool operator==(const EntryState& o) const { return to == o.to && weight == o.weight; }
    };
    std::vector<NodeState>  nodes;    // list order
    std::vector<EntryState> entries;  // node by node, each node's in list order
    bool operator==(const StoreState& o) const { return nodes == o.nodes && entries == o.entries; }
};

// The indexed store's pools (node_pool.h, entry_pool.h): blocks, the records of the blocks never
// handed out, and the free ones; a call that needs more records than both takes a block. All
// zero in the default store.
struct PoolCounts {
    std::size_t node_blocks, nodes_left, free_nodes;
    std::size_t entry_blocks, entries_left, free_entries;
};

struct StoreUnderTest {
    const char* name;                   // "default" or "indexed"
    MexEntry    entry;                  // its mexFunction
    void (*read_state)(StoreState* out);
    std::size_t (*node_count)();        // cheap: the nodes of node_list
    const double* (*path)();            // path_buf itself, path_cap doubles
    std::size_t path_cap;
    // "" while the graph's invariants (and the index's, in the indexed build) hold, else the
    // first fault; the text stays valid until the next call.
    const char* (*violation)();
    // "" while the search fields are those of a sound search (search_state_violation): right
    // after a search over weights of zero or more, before any change.
    const char* (*search_violation)();
    double (*mean_probe_length)();  // of the position index (invariants.h); 0 in the default store
    PoolCounts (*pool_counts)();
};

extern "C" const StoreUnderTest reference_store;  // the default store: the oracle
extern "C" const StoreUnderTest indexed_store;

// "" when the two outcomes of one call are the same (error identifier and text, or the
// result's shape and every value bit for bit), else what differs.
std::string outcome_difference(const CallOutcome& reference, const CallOutcome& indexed);

// "" when the two graphs are the same, else the first difference.
std::string state_difference(const StoreState& reference, const StoreState& indexed);

// "" when the two stores hold the same graph and the same path_buf, else the first difference.
std::string store_difference(const StoreUnderTest& reference, const StoreUnderTest& indexed);
