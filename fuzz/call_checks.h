// call_checks.h - what one call of the plug-in must have done, judged from its inputs, a copy
// of the graph taken before it and its outcome: the error and its identifier, the shape and
// values of the result, and what the graph may have changed.
//
// Commands 1, 4 and 6 are checked value for value against answers worked out here from the
// copy (command 4 by a search of its own over the copy); command 7 of the grid builds against
// the grids themselves. The graph invariants proper are the invariant checker's.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "graph.h"
#include "settings.h"
#include "test_host.h"

#ifndef HAS_REFRESH
#define HAS_REFRESH 0  // only main's settings name it
#endif

// The graph by value, so that it can be compared after the store has changed it.
struct GraphCopy {
    struct NodeCopy {
        const Node*                                 self;
        std::int32_t                                x, y, value;
        std::vector<std::pair<const Node*, std::int32_t>> entries;  // (to, weight), list order
    };
    std::vector<NodeCopy> nodes;  // list order
};

// Copies the graph into g, reusing the room g already has.
void copy_graph(const Graph* graph, GraphCopy& g);

// True when two nodes share a position.
bool has_shared_position(const GraphCopy& g);

// The command that the inputs select in this build: 0 .. 7, or -1 for none (too few inputs,
// a code input that cannot be read, or an unrecognised code).
int selected_command(const std::vector<HostArray>& inputs);

// "" when the call did what it must, else the first thing it got wrong. alloc_failed: the
// host was told to fail allocations during the call. after is room for a copy of the graph
// after the call, kept by the caller so that its room serves the next call too.
std::string check_call(const std::vector<HostArray>& inputs, bool alloc_failed,
                       const GraphCopy& before, const CallOutcome& out, const Graph* graph_after,
                       GraphCopy& after);
