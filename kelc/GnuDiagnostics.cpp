#include "kelc/GnuDiagnostics.h"

#include <cstddef>

namespace kelc {
namespace {

constexpr const char* kClosingRecord = "Could not compile dependant file.";

struct Place {
    std::string file;
    std::string line;
    std::string column;
};

bool Digits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// Reads "\"file\"(line:column) : " at the front of `text` and removes it.
bool TakePlace(std::string& text, Place& place) {
    if (text.empty() || text[0] != '"') return false;
    std::size_t quote = text.find("\"(", 1);
    if (quote == std::string::npos) return false;
    std::size_t colon = text.find(':', quote + 2);
    std::size_t close = text.find(") : ", quote + 2);
    if (colon == std::string::npos || close == std::string::npos || colon > close) return false;
    Place found{text.substr(1, quote - 1), text.substr(quote + 2, colon - quote - 2),
                text.substr(colon + 1, close - colon - 1)};
    if (!Digits(found.line) || !Digits(found.column)) return false;
    place = found;
    text.erase(0, close + 4);
    return true;
}

std::string GnuForm(const std::string& message) {
    std::size_t close = message.find("] ");
    if (message.empty() || message[0] != '[' || close == std::string::npos) return "kelc: error: " + message;
    std::string severity = message.substr(1, close - 1) == "Warning" ? "warning" : "error";
    std::string text = message.substr(close + 2);
    if (text.compare(0, 2, ": ") == 0) text.erase(0, 2);  // a message without a token's place
    Place place;
    bool placed = false;
    while (TakePlace(text, place)) placed = true;
    if (!placed) return "kelc: " + severity + ": " + text;
    return place.file + ":" + place.line + ":" + place.column + ": " + severity + ": " + text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::vector<std::string> GnuCompilerDiagnostics(const std::vector<std::string>& messages) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const std::string& message = messages[i];
        if (EndsWith(message, kClosingRecord)) continue;
        // A fatal error raised inside a function is recorded again with the function's name in front.
        if (i > 0 && message.size() > messages[i - 1].size() && EndsWith(message, messages[i - 1])) continue;
        lines.push_back(GnuForm(message));
    }
    return lines;
}

}  // namespace kelc
