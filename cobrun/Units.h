#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace cobrun {

// 65536 angle units make a full turn, 65536 distance units a unit of length.
double Degrees(double angle);
double Lengths(double distance);

// "-30.0" (one decimal) and "-1.25" (two decimals), never "-0.0".
std::string DegreesText(double angle);
std::string LengthsText(double distance);

// "(1, -2, 3)".
std::string ValueList(const std::vector<std::int32_t>& values);

// "x-axis", "y-axis", "z-axis".
const char* AxisName(int axis);

}  // namespace cobrun
