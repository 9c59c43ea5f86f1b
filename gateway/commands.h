// commands.h - the commands of the gateway's table, one function each.
#pragma once

#include "call.h"
#include "plugin_graph.h"

void cmd_add(const Call& call);         // 0: node, and an edge when input 3 is not 0.0
void cmd_neighbours(const Call& call);  // 1: 2-by-k neighbours of the node at (ax, ay)
void cmd_move(const Call& call);        // 2: nodes at (ax, ay) go to (bx, by)
void cmd_set_weight(const Call& call);  // 3: weight of the edge between A and B
void cmd_path(const Call& call);        // 4: 2-by-m cheapest path, goal first
void cmd_merge(const Call& call);       // 5: B folded into A
void cmd_list(const Call& call);        // 6: 3-by-N nodes in list order
void cmd_grid(const Call& call);        // 7 in zelmot and ombrik: grid import
void cmd_refresh(const Call& call);     // 7 in the 64-bit main: weights from positions
