#include "cobdump/CobFile.h"

#include <cstring>

namespace cobdump {
namespace {

using std::to_string;
using zarn::CobHeader;

// Where a header field stands, for the problems that concern it.
constexpr std::int64_t At(std::int32_t CobHeader::*field) { return zarn::FieldOffset(field); }

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::int64_t Size() const { return static_cast<std::int64_t>(bytes_.size()); }
    bool Has(std::int64_t offset, std::int64_t count) const {
        return offset >= 0 && count >= 0 && offset <= Size() && count <= Size() - offset;
    }
    std::int32_t Word(std::int64_t offset) const {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(bytes_[static_cast<std::size_t>(offset + i)]);
        return static_cast<std::int32_t>(value);
    }
    std::vector<std::int32_t> Words(std::int64_t offset, std::int32_t count) const {
        std::vector<std::int32_t> words(static_cast<std::size_t>(count));
        for (std::int32_t i = 0; i < count; ++i) words[static_cast<std::size_t>(i)] = Word(offset + 4 * i);
        return words;
    }
    // The text from `offset` up to its NUL byte; nothing when the file ends first.
    std::optional<std::string> Name(std::int64_t offset) const {
        const char* start = bytes_.data() + offset;
        const void* nul = std::memchr(start, '\0', static_cast<std::size_t>(Size() - offset));
        if (nul == nullptr) return std::nullopt;
        return std::string(start, static_cast<const char*>(nul));
    }
    std::string Bytes(std::int64_t offset, std::int64_t count) const {
        return std::string(bytes_.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(count)));
    }

private:
    std::string_view bytes_;
};

// Reads one file, collecting problems; `readable_` turns false when something that is needed to
// show the file cannot be read.
class CobReader {
public:
    CobReader(std::string_view bytes, Problems& problems) : in_(bytes), problems_(problems) {}

    std::optional<CobFile> Read() {
        file_.size = in_.Size();
        if (!in_.Has(0, zarn::kCobHeaderBytes)) {
            Report(0, "the file has " + to_string(in_.Size()) + " bytes, too few for the " +
                          to_string(zarn::kCobHeaderBytes) + "-byte header");
            return std::nullopt;
        }
        ReadHeader();
        if (readable_) ReadSections();
        if (readable_) ReadCodeIndex();
        if (readable_) ReadNames();
        if (!readable_) return std::nullopt;
        return std::move(file_);
    }

private:
    void Report(std::int64_t offset, std::string message) { problems_.push_back({offset, std::move(message)}); }
    void Fatal(std::int64_t offset, std::string message) {
        Report(offset, std::move(message));
        readable_ = false;
    }

    void ReadHeader() {
        zarn::CobHeader& h = file_.header;
        for (int i = 0; i < zarn::kCobHeaderWords; ++i) h.*zarn::kCobHeaderFields[i].member = in_.Word(4 * i);
        if (h.version != 7) Report(At(&CobHeader::version), "version is " + to_string(h.version) + ", expected 7");
        if (h.scriptCount < 0) Fatal(At(&CobHeader::scriptCount), "scriptCount is negative: " + to_string(h.scriptCount));
        if (h.pieceCount < 0) Fatal(At(&CobHeader::pieceCount), "pieceCount is negative: " + to_string(h.pieceCount));
        if (h.codeLength < 0) Fatal(At(&CobHeader::codeLength), "codeLength is negative: " + to_string(h.codeLength));
        if (h.staticVarCount < 0)
            Report(At(&CobHeader::staticVarCount), "staticVarCount is negative: " + to_string(h.staticVarCount));
        if (h.reserved != 0) Report(At(&CobHeader::reserved), "reserved is " + to_string(h.reserved) + ", expected 0");
        if (h.codeOffset != zarn::kCobHeaderBytes)
            Report(At(&CobHeader::codeOffset),
                   "codeOffset is " + to_string(h.codeOffset) + ", expected " + to_string(zarn::kCobHeaderBytes));
    }

    // A table of `words` words at `start`, named by the header field at `field`.
    void RequireTable(std::int64_t field, const std::string& what, std::int64_t start, std::int64_t words) {
        if (!in_.Has(start, 4 * words))
            Fatal(field, what + " (" + to_string(words) + " words at " + to_string(start) +
                             ") runs past the end of the file (" + to_string(in_.Size()) + " bytes)");
    }

    void RequireFollows(std::int64_t field, const std::string& name, std::int64_t actual, std::int64_t expected,
                        const std::string& rule) {
        if (actual != expected)
            Report(field, name + " is " + to_string(actual) + ", expected " + to_string(expected) + " (" + rule + ")");
    }

    void ReadSections() {
        const zarn::CobHeader& h = file_.header;
        RequireTable(At(&CobHeader::codeOffset), "the code", h.codeOffset, h.codeLength);
        RequireTable(At(&CobHeader::scriptIndexOffset), "the script code index", h.scriptIndexOffset, h.scriptCount);
        RequireTable(At(&CobHeader::scriptNameOffsetsOffset), "the script name offsets", h.scriptNameOffsetsOffset, h.scriptCount);
        RequireTable(At(&CobHeader::pieceNameOffsetsOffset), "the piece name offsets", h.pieceNameOffsetsOffset, h.pieceCount);
        if (!in_.Has(h.namesOffset, 0))
            Fatal(At(&CobHeader::namesOffset), "namesOffset " + to_string(h.namesOffset) + " lies outside the file (" +
                          to_string(in_.Size()) + " bytes)");
        if (!readable_) return;

        const std::int64_t codeEnd = h.codeOffset + 4 * std::int64_t{h.codeLength};
        if (h.scriptIndexOffset < codeEnd) {
            Fatal(At(&CobHeader::scriptIndexOffset), "scriptIndexOffset " + to_string(h.scriptIndexOffset) + " lies inside the code, which ends at " +
                          to_string(codeEnd));
            return;
        }
        RequireFollows(At(&CobHeader::scriptNameOffsetsOffset), "scriptNameOffsetsOffset", h.scriptNameOffsetsOffset,
                       h.scriptIndexOffset + 4 * std::int64_t{h.scriptCount}, "scriptIndexOffset + 4 per script");
        RequireFollows(At(&CobHeader::pieceNameOffsetsOffset), "pieceNameOffsetsOffset", h.pieceNameOffsetsOffset,
                       h.scriptNameOffsetsOffset + 4 * std::int64_t{h.scriptCount}, "scriptNameOffsetsOffset + 4 per script");
        RequireFollows(At(&CobHeader::namesOffset), "namesOffset", h.namesOffset, h.pieceNameOffsetsOffset + 4 * std::int64_t{h.pieceCount},
                       "pieceNameOffsetsOffset + 4 per piece");

        file_.code = in_.Words(h.codeOffset, h.codeLength);
        file_.linkOffset = codeEnd;
        file_.linkBytes = in_.Bytes(codeEnd, h.scriptIndexOffset - codeEnd);
        const std::int64_t linkSize = static_cast<std::int64_t>(file_.linkBytes.size());
        if (linkSize % 4 != 0)
            Report(codeEnd, "the link tables between the code and the script code index take " + to_string(linkSize) +
                                " bytes, not a multiple of 4");
        else if (linkSize > 0 && file_.linkBytes.back() != '\0')
            Report(h.scriptIndexOffset - 1, "the link tables do not end with a NUL byte");
    }

    void ReadCodeIndex() {
        const zarn::CobHeader& h = file_.header;
        file_.scriptStarts = in_.Words(h.scriptIndexOffset, h.scriptCount);
        if (h.scriptCount == 0 && h.codeLength > 0)
            Report(At(&CobHeader::codeLength), to_string(h.codeLength) + " code words but no script to hold them");
        std::int32_t previous = 0;
        for (std::int32_t i = 0; i < h.scriptCount; ++i) {
            const std::int64_t at = h.scriptIndexOffset + 4 * std::int64_t{i};
            const std::int32_t start = file_.scriptStarts[static_cast<std::size_t>(i)];
            const std::string entry = "code index entry " + to_string(i) + " is " + to_string(start);
            if (i == 0 && start != 0)
                Fatal(at, entry + ", expected 0");
            else if (start < previous)
                Fatal(at, entry + ", below entry " + to_string(i - 1) + " (" + to_string(previous) + "): out of order");
            else if (start > h.codeLength)
                Fatal(at, entry + ", past the end of the code (" + to_string(h.codeLength) + " words)");
            previous = start;
        }
    }

    void ReadNames() {
        const zarn::CobHeader& h = file_.header;
        std::int64_t expected = h.namesOffset;  // each name follows the previous one
        ReadNameList("script", h.scriptNameOffsetsOffset, h.scriptCount, expected, file_.scriptNames);
        ReadNameList("piece", h.pieceNameOffsetsOffset, h.pieceCount, expected, file_.pieceNames);
        if (readable_ && expected < in_.Size())
            Report(expected, to_string(in_.Size() - expected) + " bytes follow the last name");
    }

    void ReadNameList(const std::string& what, std::int64_t table, std::int32_t count, std::int64_t& expected,
                      std::vector<std::string>& names) {
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int64_t entry = table + 4 * std::int64_t{i};
            const std::int64_t at = in_.Word(entry);
            const std::string subject = "the name of " + what + " " + to_string(i);
            if (!in_.Has(at, 1)) {
                Fatal(entry, subject + " at " + to_string(at) + " lies outside the file (" + to_string(in_.Size()) +
                                 " bytes)");
                continue;
            }
            std::optional<std::string> name = in_.Name(at);
            if (!name) {
                Fatal(at, subject + " is not NUL-terminated");
                continue;
            }
            if (at != expected)
                Report(entry, subject + " starts at " + to_string(at) + ", expected " + to_string(expected) +
                                  " (right after the previous name)");
            expected = at + static_cast<std::int64_t>(name->size()) + 1;
            names.push_back(std::move(*name));
        }
    }

    ByteReader in_;
    Problems& problems_;
    CobFile file_;
    bool readable_ = true;
};

}  // namespace

std::int32_t CobFile::ScriptEnd(int script) const {
    return script + 1 < ScriptCount() ? scriptStarts[static_cast<std::size_t>(script) + 1] : CodeLength();
}

std::optional<CobFile> ReadCobFile(std::string_view bytes, Problems& problems) {
    return CobReader(bytes, problems).Read();
}

}  // namespace cobdump
