#pragma once
#include "cobrun/Event.h"
#include "cobrun/Recording.h"
#include "cobrun/RunOptions.h"
#include "cobrun/Unit.h"

#include <cstdint>
#include <vector>

namespace cobrun {

struct RunSummary {
    std::vector<std::int32_t> statics;  // as the run left them
    int faults = 0;
    int warnings = 0;
    std::int64_t endMs = 0;
    bool timeUp = false;  // threads or motions were still going
    std::int64_t instructions = 0;
};

// Runs the unit's scripts from the starts in `options` until every thread has ended and every
// turn and move has come to rest, or until the options' time is up. Every timeline event goes to
// `sink` as it happens; `recording`, when given, gets the motion of every piece.
RunSummary Run(const Unit& unit, const RunOptions& options, const EventSink& sink, Recording* recording = nullptr);

}  // namespace cobrun
