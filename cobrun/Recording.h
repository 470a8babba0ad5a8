#pragma once
#include "cobrun/Event.h"
#include "cobrun/Pieces.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cobrun {

struct Sample {
    double ms;
    double value;
};

// One axis over time: its angle in degrees and its position in units of length. A value holds
// from its sample to the next one.
struct AxisTrack {
    std::vector<Sample> angle;
    std::vector<Sample> position;
};

struct PieceTrack {
    std::string name;
    std::array<AxisTrack, kAxes> axes;
    std::vector<Event> events;  // the timeline events about this piece
    bool moved = false;
};

// What a run did to the pieces, for charts and other tools.
struct Recording {
    std::int64_t endMs = 0;
    std::vector<PieceTrack> pieces;
    std::vector<Event> events;  // the whole timeline without trace lines
};

}  // namespace cobrun
