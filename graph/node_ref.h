// node_ref.h - the names the store's records go by before they are defined: Node, Edge, the
// Graph that holds them, and NodeRef, the 32-bit name of a node in the indexed build.
#pragma once

#include <cstdint>

struct Node;
struct Edge;
struct Graph;

// The indexed build keeps its nodes in a pool (node_pool.h) and links them by their place
// there, 32 bits where a pointer takes 64: NodeRef 0 names no node.
using NodeRef = std::uint32_t;
