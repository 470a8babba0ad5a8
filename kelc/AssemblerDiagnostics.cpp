#include "kelc/AssemblerDiagnostics.h"

#include "kelc/FileHandling.h"

namespace kelc {
namespace {

// The assembly line number after "<zarnName>:", and where the text after its ": " starts.
bool ReadAssemblyLine(const std::string& line, const std::string& zarnName, std::size_t& number, std::size_t& rest) {
    std::string prefix = zarnName + ":";
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    std::size_t at = prefix.size();
    std::size_t digits = at;
    number = 0;
    while (at < line.size() && line[at] >= '0' && line[at] <= '9' && at - digits < 9)
        number = number * 10 + static_cast<std::size_t>(line[at++] - '0');
    if (at == digits || line.compare(at, 2, ": ") != 0) return false;
    rest = at + 2;
    return true;
}

const TSourcePlace* OriginAtOrAbove(std::size_t number, const TLineOrigins& lineOrigins) {
    for (std::size_t i = std::min(number, lineOrigins.LineCount()); i > 0; --i)
        if (const TSourcePlace* place = lineOrigins.At(i - 1)) return place;
    return nullptr;
}

std::string Placed(const std::string& line, const std::string& zarnName, const TLineOrigins& lineOrigins) {
    std::size_t number = 0, rest = 0;
    if (!ReadAssemblyLine(line, zarnName, number, rest)) return line;
    const TSourcePlace* place = OriginAtOrAbove(number, lineOrigins);
    if (place == nullptr) return line;
    return place->fileName + ":" + std::to_string(place->line) + ":" + std::to_string(place->column) + ": " +
           line.substr(rest);
}

}  // namespace

std::vector<std::string> PlaceAssemblerDiagnostics(const std::string& output, const std::string& zarnName,
                                                   const TLineOrigins& lineOrigins) {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(output))
        if (!line.empty()) lines.push_back(Placed(line, zarnName, lineOrigins));
    return lines;
}

}  // namespace kelc
