#include "tests/support/CobListing.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr const char* kHeaderFields[] = {
    "version", "scriptCount", "pieceCount", "codeLength", "staticVarCount", "reserved",
    "scriptIndexOffset", "scriptNameOffsetsOffset", "pieceNameOffsetsOffset", "codeOffset", "namesOffset",
};

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    bool Has(std::size_t offset, std::size_t count) const { return offset + count <= bytes_.size(); }
    std::int32_t Word(std::size_t offset) const {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes_[offset + i]);
        return static_cast<std::int32_t>(value);
    }
    std::string Text(std::size_t offset) const {
        std::string text;
        while (offset < bytes_.size() && bytes_[offset] != '\0') text += bytes_[offset++];
        return text;
    }
    // The NUL-terminated texts of [offset, offset + size), quoted.
    std::string Texts(std::size_t offset, std::size_t size) const {
        std::string out;
        for (std::size_t end = offset + size; offset < end && offset < bytes_.size();) {
            std::string text = Text(offset);
            out += " \"" + text + "\"";
            offset += text.size() + 1;
        }
        return out;
    }

private:
    const std::string& bytes_;
};

std::string Hex(std::int32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<std::uint32_t>(word));
    return text;
}

}  // namespace

std::string CobListing(const std::string& bytes) {
    Reader in(bytes);
    if (!in.Has(0, 44)) return "truncated header: " + std::to_string(bytes.size()) + " bytes\n";
    std::string out;
    std::int32_t header[11];
    for (int i = 0; i < 11; ++i) {
        header[i] = in.Word(static_cast<std::size_t>(i) * 4);
        out += std::string(kHeaderFields[i]) + " " + std::to_string(header[i]) + "\n";
    }
    const std::size_t scripts = static_cast<std::size_t>(header[1]), pieces = static_cast<std::size_t>(header[2]);
    const std::size_t codeWords = static_cast<std::size_t>(header[3]);
    out += "code:\n";
    for (std::size_t i = 0; i < codeWords && in.Has(44 + 4 * i, 4); ++i) {
        std::int32_t word = in.Word(44 + 4 * i);
        out += "  " + std::to_string(i) + ": " + Hex(word) + " " + std::to_string(word) + "\n";
    }
    std::size_t tablesStart = 44 + 4 * codeWords;
    std::size_t tablesEnd = static_cast<std::size_t>(header[6]);
    if (tablesEnd > tablesStart) {
        out += "link texts:" + in.Texts(tablesStart, tablesEnd - tablesStart) + "\n";
    }
    out += "script index:";
    for (std::size_t i = 0; i < scripts && in.Has(tablesEnd + 4 * i, 4); ++i)
        out += " " + std::to_string(in.Word(tablesEnd + 4 * i));
    out += "\nscripts:";
    for (std::size_t i = 0; i < scripts && in.Has(static_cast<std::size_t>(header[7]) + 4 * i, 4); ++i)
        out += " " + in.Text(static_cast<std::size_t>(in.Word(static_cast<std::size_t>(header[7]) + 4 * i)));
    out += "\npieces:";
    for (std::size_t i = 0; i < pieces && in.Has(static_cast<std::size_t>(header[8]) + 4 * i, 4); ++i)
        out += " " + in.Text(static_cast<std::size_t>(in.Word(static_cast<std::size_t>(header[8]) + 4 * i)));
    out += "\nsize " + std::to_string(bytes.size()) + "\n";
    return out;
}
