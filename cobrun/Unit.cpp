#include "cobrun/Unit.h"

namespace cobrun {
namespace {

// The file only counts its statics, so nothing else bounds the memory they would take.
constexpr std::int32_t kMostStatics = 65536;

}  // namespace

int Unit::FindScript(std::string_view name) const {
    for (int i = 0; i < ScriptCount(); ++i)
        if (ScriptName(i) == name) return i;
    return -1;
}

std::optional<Unit> LoadUnit(std::string_view bytes, std::string& problems) {
    cobdump::Problems found;
    std::optional<cobdump::CobFile> file = cobdump::ReadCobFile(bytes, found);
    if (file && file->header.staticVarCount > kMostStatics)
        found.push_back({16, "staticVarCount is " + std::to_string(file->header.staticVarCount) + ", more than the " +
                                 std::to_string(kMostStatics) + " cobrun runs"});
    for (const cobdump::Problem& problem : found) problems += cobdump::ProblemLine(problem);
    if (!file || !found.empty()) return std::nullopt;
    Unit unit{std::move(*file), {}};
    unit.decoded.reserve(unit.file.code.size());
    for (std::int32_t word : unit.file.code) unit.decoded.push_back(Decode(word));
    return unit;
}

}  // namespace cobrun
