// engine_session.h - one session of calls of the engine, graphplugin_engine.mexw32|.mexw64,
// under the Windows test host: whole matrices in, several outputs out, costs past 32 bits, a
// merge's distance, an error that leaves by the pass's way, a graph freed and one gone with a
// clear.
#pragma once

#include <string>
#include <vector>

#include "loaded_plugin.h"

// Runs the session on the loaded engine (clearing it once on the way, as the pass does) and
// returns one line per check that failed; `calls` counts the calls made.
std::vector<std::string> run_engine_session(LoadedPlugin& engine, bool free_library, int* calls);
