#include "tests/cobdump/RandomProgram.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {

class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    std::string Program() {
        // Names that also occur in other lists or look like what cobdump invents.
        static const std::vector<std::string> kPieceNames = {"base", "local0", "static1", "x-axis", "Go", "L3", "arm"};
        static const std::vector<std::string> kScriptNames = {"Go", "base", "static0", "local1", "none", "Run", "z-axis"};
        pieces_ = Pick(kPieceNames, Below(5));
        scripts_ = Pick(kScriptNames, 1 + Below(4));
        for (std::uint32_t i = Below(3); i > 0; --i) staticNames_.push_back("s" + std::to_string(i));
        labels_ = static_cast<int>(Below(5));

        std::string text;
        if (!pieces_.empty()) text += "piece " + Join(pieces_) + ";\n";
        for (const std::string& name : staticNames_) text += "static-var " + name + ";\n";
        for (std::size_t p = 0; p < scripts_.size(); ++p) text += Procedure(p, p + 1 == scripts_.size());
        return text;
    }

private:
    std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : random_() % n; }
    bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }

    std::vector<std::string> Pick(const std::vector<std::string>& pool, std::uint32_t count) {
        std::vector<std::string> names = pool;
        std::shuffle(names.begin(), names.end(), random_);
        names.resize(std::min<std::size_t>(count, names.size()));
        return names;
    }

    static std::string Join(const std::vector<std::string>& names) {
        std::string out;
        for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name;
        return out;
    }

    // Declares prefix0, prefix1, ... as locals of the procedure.
    std::string NameList(const std::string& prefix, int count) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) names.push_back(prefix + std::to_string(i));
        localNames_.insert(localNames_.end(), names.begin(), names.end());
        return names.empty() ? "none" : Join(names);
    }

    std::string Procedure(std::size_t index, bool last) {
        declaredScripts_.push_back(scripts_[index]);
        localNames_.clear();
        std::string text = "proc " + scripts_[index] + " args " + NameList("a", static_cast<int>(Below(3))) +
                           "; var " + NameList("v", static_cast<int>(Below(3))) + "; beginproc\n";
        std::string body;
        const std::uint32_t statements = Below(14);
        for (std::uint32_t i = 0; i < statements; ++i) body += Statement();
        // The last procedure defines every label not defined yet, so every jump has its target.
        for (; last && definedLabels_ < labels_; ++definedLabels_) body += "lab" + std::to_string(definedLabels_) + ":\n";
        text += body.empty() ? "  empty;\n" : body;
        return text + "endproc;\n";
    }

    std::string Label() {
        if (definedLabels_ >= labels_ || !Chance(20)) return "";
        return "lab" + std::to_string(definedLabels_++) + ":\n";
    }

    std::string Operand(const std::vector<std::string>& names) {
        if (!names.empty() && Chance(70)) return names[Below(static_cast<std::uint32_t>(names.size()))];
        return std::to_string(static_cast<int>(Below(8)) - 1);
    }

    std::string Ddw(const std::string& operand) { return Label() + "  ddw " + operand + ";\n"; }

    std::string Statement() {
        static const std::vector<std::string> kAxes = {"x-axis", "y-axis", "z-axis"};
        static const std::vector<std::string> kPlain = {"add", "ret", "nop", "clv", "sleep", "get", "sete", "flush",
                                                        "empty", "_cobalt", "signal", "jz", "div"};
        static const std::vector<std::string> kSymbols = {"a.b", "c->d", "hi", "Lib.fn"};
        static const std::vector<std::string> kStrings = {"hi", "", "a\"b", "c->d", "text"};
        static const std::int32_t kWords[] = {0x10021001, 0x10064000, 0x10009000, 0x02800000, 0, -1, 268435456, 99};
        std::string text = Label();
        switch (Below(13)) {
            case 0: return text + "  pushc " + std::to_string(static_cast<std::int32_t>(random_())) + ";\n";
            case 1: return text + "  " + (Chance(50) ? "pushl " : "popl ") + Operand(localNames_) + ";\n";
            case 2: return text + "  " + (Chance(50) ? "pushs " : "pops ") + Operand(staticNames_) + ";\n";
            case 3: return text + "  turn;\n" + Ddw(Operand(pieces_)) + Ddw(Operand(kAxes));
            case 4: return text + "  hide;\n" + Ddw(Operand(pieces_));
            case 5: return text + "  " + (Chance(50) ? "call" : "start") + ";\n" + Ddw(Operand(declaredScripts_)) + Ddw("2");
            case 6:
                if (labels_ == 0) return text + "  ret;\n";
                return text + "  " + (Chance(50) ? "jmp" : "jne") + " lab" + std::to_string(Below(labels_)) + ";\n";
            case 7: return text + "  invoke " + kSymbols[Below(4)] + ";\n";
            case 8: return text + "  pushstring \"" + kStrings[Below(5)] + "\";\n";
            case 9: return text + "  " + (Chance(50) ? "string" : "dstr") + " \"" + kStrings[Below(5)] + "\";\n";
            case 10: return text + "  ddw " + std::to_string(kWords[Below(8)]) + ";\n";
            case 11: return text + "  pushc;\n" + Ddw(std::to_string(Below(200)));
            default: return text + "  " + kPlain[Below(static_cast<std::uint32_t>(kPlain.size()))] + ";\n";
        }
    }

    std::mt19937 random_;
    std::vector<std::string> pieces_, scripts_, declaredScripts_, staticNames_, localNames_;
    int labels_ = 0, definedLabels_ = 0;
};

}  // namespace

std::string RandomProgram(std::uint32_t seed) { return Generator(seed).Program(); }
