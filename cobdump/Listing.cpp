#include "cobdump/Listing.h"

#include "cobdump/Escaped.h"

#include <cstdio>

namespace cobdump {
namespace {

using std::to_string;

std::string Hex(std::int32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<std::uint32_t>(word));
    return text;
}

std::string PadRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

class ListingWriter {
public:
    ListingWriter(const CobFile& file, const Disassembly& disassembly) : file_(file), dis_(disassembly) {}

    std::string Write() {
        Header();
        Names();
        Table("DLL link table", dis_.tables.dll);
        Table("string table", dis_.tables.strings);
        for (int script = 0; script < file_.ScriptCount(); ++script) Script(script);
        Labels(file_.CodeLength() + 1, "end of the code");
        return std::move(out_);
    }

private:
    void Header() {
        out_ += "header\n";
        for (const zarn::CobHeaderField& field : zarn::kCobHeaderFields)
            out_ += "  " + PadRight(field.name, 25) + to_string(file_.header.*field.member) + "\n";
    }

    void Names() {
        out_ += "scripts\n";
        for (int i = 0; i < file_.ScriptCount(); ++i) {
            const std::int32_t start = file_.scriptStarts[static_cast<std::size_t>(i)];
            out_ += "  " + to_string(i) + "  " + Escaped(file_.scriptNames[static_cast<std::size_t>(i)]) + "  code " +
                    to_string(start) + "  length " + to_string(file_.ScriptEnd(i) - start) + "\n";
        }
        out_ += "pieces\n";
        for (std::size_t i = 0; i < file_.pieceNames.size(); ++i)
            out_ += "  " + to_string(i) + "  " + Escaped(file_.pieceNames[i]) + "\n";
        out_ += "static variables: " + to_string(file_.header.staticVarCount) + "\n";
    }

    // Each text with the operand word that points at it: its distance from the first code word.
    void Table(const std::string& title, const LinkTable& table) {
        out_ += title + ": " + to_string(table.size) + " bytes\n";
        const std::int64_t base = 4 * std::int64_t{file_.CodeLength()} + table.start;
        for (const LinkText& text : table.texts)
            out_ += "  " + to_string(base + text.offset) + "  \"" + Escaped(text.text) + "\"\n";
    }

    void Script(int script) {
        out_ += "script " + to_string(script) + " " + Escaped(file_.scriptNames[static_cast<std::size_t>(script)]) + "\n";
        for (std::size_t i = dis_.scriptBegin[static_cast<std::size_t>(script)];
             i < dis_.scriptBegin[static_cast<std::size_t>(script) + 1]; ++i)
            EmitInstruction(dis_.instructions[i]);
    }

    // Label lines for the targets before `end` not shown yet.
    void Labels(std::int32_t end, const std::string& noteInside) {
        for (; nextTarget_ < dis_.targets.size() && dis_.targets[nextTarget_] < end; ++nextTarget_) {
            const std::int32_t target = dis_.targets[nextTarget_];
            out_ += "L" + to_string(target) + ":";
            if (target != labelAt_) out_ += " (" + noteInside + ")";
            out_ += "\n";
        }
    }

    void EmitInstruction(const Instruction& instruction) {
        labelAt_ = instruction.at;
        Labels(instruction.at + instruction.Words(), "inside the next instruction");
        std::string raw;
        for (int i = 0; i < instruction.Words(); ++i) raw += Hex(Word(instruction.at + i)) + " ";
        out_ += "  " + PadRight(to_string(instruction.at), 6) + "  " + PadRight(raw, 28) + Text(instruction) + "\n";
    }

    std::string Text(const Instruction& instruction) const {
        const InstructionInfo* info = instruction.info;
        if (info == nullptr) return "ddw " + to_string(Word(instruction.at));
        std::string text(info->mnemonic);
        for (int i = 0; i < info->operandCount; ++i) {
            if (i >= instruction.operandsPresent) {
                text += " <missing>";
                continue;
            }
            const std::int32_t value = Word(instruction.at + 1 + i);
            if (info->operands[i] == Operand::kConstant) {
                if (std::optional<std::string> push = LinkTextPush(value)) return *push;
            }
            std::optional<std::string> name = OperandName(file_, info->operands[i], value);
            text += " " + (name ? Escaped(*name) : to_string(value));
        }
        return text;
    }

    std::optional<std::string> LinkTextPush(std::int32_t value) const {
        const std::int64_t distance = std::int64_t{value} - 4 * std::int64_t{file_.CodeLength()};
        if (const LinkText* symbol = dis_.tables.dll.TextAt(distance)) return "invoke " + Escaped(symbol->text);
        if (const LinkText* text = dis_.tables.strings.TextAt(distance - dis_.tables.strings.start))
            return "pushstring \"" + Escaped(text->text) + "\"";
        return std::nullopt;
    }

    std::int32_t Word(std::int32_t at) const { return file_.code[static_cast<std::size_t>(at)]; }

    const CobFile& file_;
    const Disassembly& dis_;
    std::string out_;
    std::size_t nextTarget_ = 0;
    std::int32_t labelAt_ = -1;
};

}  // namespace

std::string Listing(const CobFile& file, const Disassembly& disassembly) {
    return ListingWriter(file, disassembly).Write();
}

}  // namespace cobdump
