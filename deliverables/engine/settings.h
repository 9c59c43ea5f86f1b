// settings.h - the engine behind GraphPlugin's own graphs: its errors carry GraphPlugin's name,
// and a node may be joined to itself, as in ombrik.
#pragma once

#define DELIVERABLE_NAME "GraphPlugin"  // first half of every error identifier

constexpr bool REFUSE_SELF_LOOP = false;  // add_edge joins a node to itself
