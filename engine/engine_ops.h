// engine_ops.h - the engine's operations, one function each, by the OP that names them
// (docs/engine.md has the protocol).
#pragma once

#include "engine_call.h"

void op_new(const EngineCall& call);            //  1: a new, empty graph
void op_free(const EngineCall& call);           //  2: frees a graph
void op_copy(const EngineCall& call);           //  3: an independent copy
void op_clear(const EngineCall& call);          //  4: empties a graph
void op_counts(const EngineCall& call);         //  5: nodes and edges
void op_add_nodes(const EngineCall& call);      // 10
void op_add_edges(const EngineCall& call);      // 11: makes missing ends
void op_set_weights(const EngineCall& call);    // 12
void op_remove_edges(const EngineCall& call);   // 13
void op_remove_nodes(const EngineCall& call);   // 14
void op_move_nodes(const EngineCall& call);     // 15
void op_merge_nodes(const EngineCall& call);    // 16
void op_refresh(const EngineCall& call);        // 17: weights from positions
void op_neighbours(const EngineCall& call);     // 20
void op_list(const EngineCall& call);           // 21
void op_find_nodes(const EngineCall& call);     // 22
void op_find_edges(const EngineCall& call);     // 23
void op_edges(const EngineCall& call);          // 24
void op_degree(const EngineCall& call);         // 25
void op_paths(const EngineCall& call);          // 30
void op_nearest(const EngineCall& call);        // 31

// The first entry of node that leads to a node at (x, y), or null.
const Edge* entry_to(const Node* node, std::int32_t x, std::int32_t y);

// The entries of node's list: a self-loop's two count twice.
std::size_t entry_count(const Node* node);
