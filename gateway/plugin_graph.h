// plugin_graph.h - the plug-in's one graph: empty at load, emptied by the exit hook when the
// host clears the plug-in. Every command works on it; the tests read it.
#pragma once

#include "graph.h"

extern Graph plugin_graph;  // gateway.cpp
