#include "cobdump/AssemblyText.h"

#include "cobdump/Escaped.h"
#include "zarn/TokenShapes.h"

#include <unordered_map>
#include <unordered_set>

namespace cobdump {
namespace {

using std::to_string;

constexpr std::string_view kAxisNames[] = {"x-axis", "y-axis", "z-axis"};

// The count is not bounded by the file's size; beyond this the text would be absurdly long.
constexpr std::int32_t kMostStatics = 1 << 20;

// A text the tokenizer keeps in one piece between double quotes.
bool FitsStringLiteral(const std::string& text) {
    for (char c : text) {
        if (c == ' ' || (c >= '\t' && c <= '\r') || c == ';' || c == ',' || c == ':' || c == '\'' || c == '/')
            return false;
    }
    return true;
}

// Why names from the file cannot be declared again, or "".
std::string UndeclarableName(const std::vector<std::string>& names, const std::string& what, bool noneAllowed) {
    std::unordered_set<std::string> seen;
    for (const std::string& name : names) {
        if (!zarn::HasIdentifierShape(name) || (!noneAllowed && name == "none"))
            return "the " + what + " name \"" + Escaped(name) + "\" is no identifier the assembler accepts";
        if (!seen.insert(name).second) return "the " + what + " name \"" + Escaped(name) + "\" appears twice";
    }
    return "";
}

class AssemblyWriter {
public:
    AssemblyWriter(const CobFile& file, const Disassembly& disassembly) : file_(file), dis_(disassembly) {}

    AssemblyText Write() {
        std::string reason = Unwritable();
        if (!reason.empty()) return {false, "", reason};
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(file_.pieceNames.size()); ++i)
            globalIndex_.emplace(file_.pieceNames[static_cast<std::size_t>(i)], i);
        for (std::int32_t i = 0; i < file_.header.staticVarCount; ++i) globalIndex_.emplace(StaticName(i), i);
        for (std::int32_t i = 0; i < file_.ScriptCount(); ++i)
            scriptIndex_.emplace(file_.scriptNames[static_cast<std::size_t>(i)], i);
        for (const LinkText& text : dis_.tables.strings.texts) firstString_.emplace(text.text, text.offset);
        Declarations();
        for (int script = 0; script < file_.ScriptCount(); ++script) Script(script);
        return {true, std::move(out_), ""};
    }

private:
    static std::string StaticName(std::int32_t index) { return "static" + to_string(index); }
    static std::string LocalName(std::int32_t index) { return "local" + to_string(index); }

    std::string Unwritable() const {
        std::string reason = UndeclarableName(file_.pieceNames, "piece", false);
        if (reason.empty()) reason = UndeclarableName(file_.scriptNames, "script", true);
        if (!reason.empty()) return reason;
        for (const LinkText& text : dis_.tables.strings.texts)
            if (!FitsStringLiteral(text.text))
                return "the string \"" + Escaped(text.text) + "\" holds a blank, a separator or a slash";
        if (file_.header.staticVarCount > kMostStatics)
            return "there are too many static variables to declare (" + to_string(file_.header.staticVarCount) + ")";
        if (file_.ScriptCount() == 0 && !file_.linkBytes.empty()) return "there is no script to declare the link texts in";
        return "";
    }

    void Line(const std::string& text) { out_ += text + "\n"; }

    void Declarations() {
        std::string pieces, statics;
        for (const std::string& name : file_.pieceNames) pieces += (pieces.empty() ? "" : ", ") + name;
        for (std::int32_t i = 0; i < file_.header.staticVarCount; ++i)
            statics += (statics.empty() ? "" : ", ") + StaticName(i);
        if (!pieces.empty()) Line("piece " + pieces + ";");
        if (!statics.empty()) Line("static-var " + statics + ";");
    }

    // The clv words at the start of a script become its local variables, unless a jump lands
    // among them: a label cannot stand before the words the "var" list emits. A jump to the
    // script's first word can still land on a label at the end of the script before.
    std::int32_t DeclaredLocals(int script) const {
        const std::int32_t start = file_.scriptStarts[static_cast<std::size_t>(script)];
        std::int32_t count = 0;
        for (std::size_t i = dis_.scriptBegin[static_cast<std::size_t>(script)];
             i < dis_.scriptBegin[static_cast<std::size_t>(script) + 1]; ++i) {
            const Instruction& instruction = dis_.instructions[i];
            if (instruction.info == nullptr || instruction.info->mnemonic != "clv") break;
            const std::int32_t at = instruction.at;
            if (dis_.IsTarget(at) && (at > start || script == 0)) break;
            ++count;
        }
        return count;
    }

    void Script(int script) {
        script_ = script;
        const std::size_t begin = dis_.scriptBegin[static_cast<std::size_t>(script)];
        const std::size_t end = dis_.scriptBegin[static_cast<std::size_t>(script) + 1];
        locals_ = DeclaredLocals(script);
        std::string vars;
        for (std::int32_t i = 0; i < locals_; ++i) vars += (vars.empty() ? "" : ", ") + LocalName(i);
        Line("proc " + file_.scriptNames[static_cast<std::size_t>(script)] + " args none; var " +
             (vars.empty() ? "none" : vars) + ";");
        Line("beginproc");
        bodyItems_ = 0;
        if (script == 0) StringDeclarations();
        for (std::size_t i = begin + static_cast<std::size_t>(locals_); i < end; ++i) EmitInstruction(dis_.instructions[i]);
        Labels(file_.ScriptEnd(script));
        if (bodyItems_ == 0) Statement("empty");
        Line("endproc;");
    }

    // Every string first, in table order, so that the table comes out byte for byte; a
    // "pushstring" then finds its text already there.
    void StringDeclarations() {
        for (const LinkText& text : dis_.tables.strings.texts) Statement("string \"" + text.text + "\"");
    }

    void Statement(const std::string& text) {
        Line("  " + text + ";");
        ++bodyItems_;
    }

    void Labels(std::int32_t at) {
        for (; nextTarget_ < dis_.targets.size() && dis_.targets[nextTarget_] <= at; ++nextTarget_) {
            Line("L" + to_string(dis_.targets[nextTarget_]) + ":");
            ++bodyItems_;
        }
    }

    void EmitInstruction(const Instruction& instruction) {
        Labels(instruction.at);
        const InstructionInfo* info = instruction.info;
        if (info == nullptr) {
            Statement("ddw " + to_string(Word(instruction.at)));
            return;
        }
        const std::string mnemonic(info->mnemonic);
        if (info->operandCount == 1 && instruction.operandsPresent == 1 && !dis_.IsTarget(instruction.at + 1)) {
            if (std::optional<std::string> statement = InlineStatement(*info, Word(instruction.at + 1))) {
                Statement(*statement);
                return;
            }
        }
        Statement(mnemonic);
        for (int i = 0; i < instruction.operandsPresent; ++i) {
            Labels(instruction.at + 1 + i);
            Statement("ddw " + DataOperand(info->operands[i], Word(instruction.at + 1 + i)));
        }
    }

    // Pushes, pops and jumps are written with their operand, as the compiler does.
    std::optional<std::string> InlineStatement(const InstructionInfo& info, std::int32_t value) const {
        const std::string mnemonic(info.mnemonic);
        switch (info.operands[0]) {
            case Operand::kConstant: return PushStatement(value);
            case Operand::kLocal:
            case Operand::kStatic: return mnemonic + " " + DataOperand(info.operands[0], value);
            case Operand::kTarget:
                // A jump operand is always taken as a label: a target outside the code needs "ddw".
                if (value < 0 || value > file_.CodeLength()) return std::nullopt;
                return mnemonic + " L" + to_string(value);
            default: return std::nullopt;
        }
    }

    std::string PushStatement(std::int32_t value) const {
        const std::int64_t distance = std::int64_t{value} - 4 * std::int64_t{file_.CodeLength()};
        if (const LinkText* symbol = dis_.tables.dll.TextAt(distance)) return "invoke " + symbol->text;
        const LinkText* text = dis_.tables.strings.TextAt(distance - dis_.tables.strings.start);
        if (text != nullptr && firstString_.at(text->text) == text->offset) return "pushstring \"" + text->text + "\"";
        return "pushc " + to_string(value);
    }

    // A name only where the assembler resolves it to the same index.
    std::string DataOperand(Operand operand, std::int32_t value) const {
        if (operand == Operand::kTarget) return to_string(value);  // "ddw" takes a label name as its index
        std::optional<std::string> name = OperandName(file_, operand, value);
        return name && MeansIndex(*name, value) ? *name : to_string(value);
    }

    // The assembler looks a name up among the axes, the pieces, the statics, the scripts declared
    // so far and the current script's locals, and takes the first it finds.
    bool MeansIndex(const std::string& name, std::int32_t index) const {
        for (std::int32_t axis = 0; axis < 3; ++axis)
            if (name == kAxisNames[axis]) return axis == index;
        auto global = globalIndex_.find(name);
        if (global != globalIndex_.end()) return global->second == index;
        auto script = scriptIndex_.find(name);
        if (script != scriptIndex_.end() && script->second <= script_) return script->second == index;
        return index < locals_ && name == LocalName(index);
    }

    std::int32_t Word(std::int32_t at) const { return file_.code[static_cast<std::size_t>(at)]; }

    const CobFile& file_;
    const Disassembly& dis_;
    std::unordered_map<std::string, std::int32_t> globalIndex_;  // first piece, else static, of each name
    std::unordered_map<std::string, std::int32_t> scriptIndex_;  // first script of each name
    std::unordered_map<std::string, std::int32_t> firstString_;  // text -> offset of its first copy
    std::string out_;
    std::size_t nextTarget_ = 0;
    int script_ = 0;
    std::int32_t locals_ = 0;
    int bodyItems_ = 0;
};

}  // namespace

AssemblyText WriteAssembly(const CobFile& file, const Disassembly& disassembly) {
    return AssemblyWriter(file, disassembly).Write();
}

}  // namespace cobdump
