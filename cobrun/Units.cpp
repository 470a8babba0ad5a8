#include "cobrun/Units.h"

#include <cstdio>

namespace cobrun {
namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    if (result[0] == '-' && result.find_first_not_of("-0.") == std::string::npos) result.erase(0, 1);
    return result;
}

}  // namespace

double Degrees(double angle) { return angle * 360.0 / 65536.0; }
double Lengths(double distance) { return distance / 65536.0; }

std::string DegreesText(double angle) { return Fixed(Degrees(angle), 1); }
std::string LengthsText(double distance) { return Fixed(Lengths(distance), 2); }

std::string ValueList(const std::vector<std::int32_t>& values) {
    std::string text = "(";
    for (std::size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + std::to_string(values[i]);
    return text + ")";
}

const char* AxisName(int axis) {
    static const char* const names[] = {"x-axis", "y-axis", "z-axis"};
    return names[axis];
}

}  // namespace cobrun
