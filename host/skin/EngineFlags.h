// The web engine's command-line flags for this program's two pages: what the
// user already set stays, and only what they did not say is added.
#pragma once

#include <string>

// existing: the flags the environment already gives the engine. runsAsRoot:
// the engine's sandbox cannot run, so it is switched off (and with it the
// zygote, whose only use then is gone).
std::string EngineFlags(const std::string& existing, bool runsAsRoot);
