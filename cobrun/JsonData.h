#pragma once
#include "cobrun/Recording.h"

#include <string>

namespace cobrun {

// The recording as one JSON object:
// {"file": ..., "endMs": ..., "pieces": [{"name": ..., "angle": {"x": [[ms, degrees], ...], "y": ..., "z": ...},
//   "position": {"x": [[ms, units], ...], ...}}, ...], "events": [{"ms": ..., "thread": ..., "script": ...,
//   "kind": ..., "piece": ... or null, "text": ...}, ...]}
std::string JsonData(const std::string& fileName, const Recording& recording);

const char* KindName(EventKind kind);

}  // namespace cobrun
