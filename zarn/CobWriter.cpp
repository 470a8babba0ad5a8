#include "zarn/CobWriter.h"

#include "platform/Memory.h"
#include "zarn/CobFormat.h"

namespace zarn {
namespace {

// Fills an image of a size known beforehand; it starts as zeros, so padding is a skip.
class ByteWriter {
public:
    explicit ByteWriter(std::size_t size) {
        bytes_.reserve(size);
        platform::PreferLargePages(bytes_.data(), size);
        bytes_.resize(size);
    }

    void Word(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);  // least significant byte first
        bytes_[at_] = static_cast<char>(bits & 0xFF);
        bytes_[at_ + 1] = static_cast<char>((bits >> 8) & 0xFF);
        bytes_[at_ + 2] = static_cast<char>((bits >> 16) & 0xFF);
        bytes_[at_ + 3] = static_cast<char>(bits >> 24);
        at_ += 4;
    }
    void Bytes(std::string_view text) {
        text.copy(&bytes_[at_], text.size());
        at_ += text.size();
    }
    void Zeros(std::int32_t count) { at_ += static_cast<std::size_t>(count); }
    void Name(std::string_view name) {
        Bytes(name);
        ++at_;
    }
    std::string Take() { return std::move(bytes_); }

private:
    std::string bytes_;
    std::size_t at_ = 0;
};

// The bytes of the first `count` names, each with its NUL byte.
std::size_t NameBytes(const SymbolList& names, int count) {
    std::size_t bytes = 0;
    for (int i = 0; i < count; ++i) bytes += names.Name(i).size() + 1;
    return bytes;
}

}  // namespace

std::string BuildCobImage(const RunState& state) {
    const SymbolList& scripts = state.symbols[kProcedures];
    const SymbolList& pieces = state.symbols[kPieces];
    const std::int32_t codeWords = static_cast<std::int32_t>(state.code.size());
    const std::int32_t dllSize = static_cast<std::int32_t>(state.dllTable.size());
    const std::int32_t stringSize = static_cast<std::int32_t>(state.stringTable.size());
    const std::int32_t scriptCount = state.procedureCount;

    CobHeader header;
    header.scriptCount = scriptCount;
    header.pieceCount = pieces.Count();
    header.codeLength = codeWords;
    header.staticVarCount = state.symbols[kStaticVars].Count();
    header.scriptIndexOffset =
        kCobHeaderBytes + 4 * codeWords + dllSize + Padding(dllSize) + stringSize + Padding(stringSize);
    header.scriptNameOffsetsOffset = header.scriptIndexOffset + 4 * scriptCount;
    header.pieceNameOffsetsOffset = header.scriptNameOffsetsOffset + 4 * scriptCount;
    header.namesOffset = header.pieceNameOffsetsOffset + 4 * header.pieceCount;

    ByteWriter out(static_cast<std::size_t>(header.namesOffset) + NameBytes(scripts, scriptCount) +
                   NameBytes(pieces, pieces.Count()));
    for (const CobHeaderField& field : kCobHeaderFields) out.Word(header.*field.member);
    for (std::int32_t word : state.code) out.Word(word);
    out.Bytes(state.dllTable);
    out.Zeros(Padding(dllSize));
    out.Bytes(state.stringTable);
    out.Zeros(Padding(stringSize));

    std::int32_t start = 0;
    for (std::int32_t length : state.procedureLengths) {
        out.Word(start);
        start += length;
    }
    std::int32_t nameOffset = header.namesOffset;
    for (int i = 0; i < scriptCount; ++i) {
        out.Word(nameOffset);
        nameOffset += static_cast<std::int32_t>(scripts.Name(i).size()) + 1;
    }
    for (int i = 0; i < pieces.Count(); ++i) {
        out.Word(nameOffset);
        nameOffset += static_cast<std::int32_t>(pieces.Name(i).size()) + 1;
    }
    for (int i = 0; i < scriptCount; ++i) out.Name(scripts.Name(i));
    for (int i = 0; i < pieces.Count(); ++i) out.Name(pieces.Name(i));
    return out.Take();
}

}  // namespace zarn
