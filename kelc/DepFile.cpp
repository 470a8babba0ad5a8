#include "kelc/DepFile.h"

#include "platform/Files.h"

#include <set>
#include <stdexcept>

namespace kelc {
namespace {

std::string Escaped(const std::string& name) {
    std::string text;
    for (char c : name) {
        if (c == ' ' || c == '#') text += '\\';
        if (c == '$') text += '$';
        text += c;
    }
    return text;
}

}  // namespace

std::string MakeRule(const std::string& target, const std::string& source, const std::vector<std::string>& included) {
    std::string rule = Escaped(target) + ":";
    std::set<std::string> seen;
    auto add = [&](const std::string& name) {
        if (seen.insert(name).second) rule += " \\\n  " + Escaped(name);
    };
    add(source);
    for (const std::string& name : included) add(name);
    return rule + "\n";
}

void WriteDepFile(const std::string& path, const std::string& target, const std::string& source,
                  const std::vector<std::string>& included) {
    std::string reason;
    if (!platform::ReplaceFile(path, MakeRule(target, source, included), reason))
        throw std::runtime_error("Unable to write " + path + ": " + reason);
}

}  // namespace kelc
