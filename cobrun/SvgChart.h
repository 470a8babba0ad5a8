#pragma once
#include "cobrun/Recording.h"

#include <string>

namespace cobrun {

// A chart of the recording: one panel per piece that moved or had something done to it, with a
// plot of its angles and one of its positions over time (a line per axis) and a mark for every
// event about it; the pieces that stayed put are named at the bottom.
std::string SvgChart(const std::string& fileName, const Recording& recording);

}  // namespace cobrun
