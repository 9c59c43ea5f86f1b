// refresh_command.cpp - command 7 of the 64-bit main: every weight from the positions it joins.
#include "commands.h"
#include "graph.h"

void cmd_refresh(const Call&) { refresh_weights(&plugin_graph); }  // reads no input but the code
