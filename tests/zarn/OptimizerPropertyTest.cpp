// Random programs of constant arithmetic, variables, labels and jumps compute the same with and
// without optimization, run by the stack evaluator.
#include "tests/support/AssembleText.h"
#include "tests/support/StackEvaluator.h"
#include "zarn/ConstantFolding.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Lines = std::vector<std::string>;

const Lines kConstants = {"0",   "1",   "2",  "3",   "-1",  "-7",   "8",     "16",        "1024",     "1073741824",
                          "31",  "40",  "2147483647", "-2147483648", "65536", "90n", "-1n", "2l",  "0Ah",
                          "1Fh", "1.5", "-2.5", "0.5l", "1.5n", "268570625", "268644352", "base", "s1"};
const Lines kPowersOfTwo = {"1", "2", "4", "8", "1024", "1073741824", "-8", "6"};
const Lines kBinary = {"add",  "sub",  "mul",  "div",   "and",   "or",  "xor",  "shl",  "sar", "setl",
                       "setle", "setg", "setge", "cmp", "sete", "setne", "land", "lor", "lxor"};
// Immediate words of "turn", among them the pushc and mul words and a power of two.
const Lines kDataWords = {"base", "turret", "0", "8", "268570625", "268644352", "268570626"};
const Lines kAfterTurn = {"mul;", "div;"};
const Lines kLocals = {"a", "b", "c"};
const Lines kStatics = {"s0", "s1"};
const std::vector<std::int32_t> kStartValues = {0, 1, -1, 3, -5, 1000, 65536, 2147483647, -2147483647 - 1, 123456789};

class ProgramGenerator {
public:
    explicit ProgramGenerator(unsigned seed) : random_(seed) {}

    std::string File() {
        return "piece base, turret;\nstatic-var s0, s1;\n" + Procedure("first") + Procedure("second");
    }

    std::int32_t StartValue() { return kStartValues[Pick(kStartValues.size())]; }

private:
    std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
    const std::string& Any(const Lines& lines) { return lines[Pick(lines.size())]; }
    std::string Local() { return Any(kLocals); }
    std::string Static() { return Any(kStatics); }
    std::string Push() { return Pick(2) ? "pushl " + Local() + ";" : "pushs " + Static() + ";"; }
    std::string Const() { return "pushc " + Any(kConstants) + ";"; }
    std::string Power() { return "pushc " + Any(kPowersOfTwo) + ";"; }
    std::string Unary() { return Pick(2) ? "not;" : "neg;"; }

    // A few statements, shaped so that the optimizer's patterns are common.
    Lines Group() {
        switch (Pick(14)) {
            case 0: return {Const(), Const(), Any(kBinary) + ";"};
            case 1: return {Const(), Unary()};
            case 2: return {Power(), Push(), "mul;"};
            case 3: return {Push(), Power(), "mul;"};
            case 4: return {Power(), Const(), "mul;"};
            case 5: return {Push()};
            case 6: return {Pick(2) ? "popl " + Local() + ";" : "pops " + Static() + ";"};
            case 7: return {Any(kBinary) + ";"};
            case 8: return {Unary()};
            case 9: return {"turn;", "ddw " + Any(kDataWords) + ";", "ddw " + Any(kDataWords) + ";", Any(kAfterTurn)};
            case 10: return {"pushc;", "ddw " + Any(kConstants) + ";"};
            case 11: return {"JUMP"};
            case 12: return {"nop;"};
            default: return {Push(), Power(), "div;"};
        }
    }

    // Statements with labels between them; every jump goes forward, so every run ends.
    std::string Procedure(const std::string& name) {
        Lines lines;
        for (std::size_t groups = 4 + Pick(12); groups > 0; --groups)
            for (std::string& line : Group()) lines.push_back(std::move(line));
        std::vector<bool> labelBefore(lines.size() + 1);
        // A label before a "ddw" word would make its jumps decode the following words differently
        // from the assembler; the compiler never writes one.
        for (std::size_t labels = Pick(6); labels > 0; --labels) {
            std::size_t at = Pick(labelBefore.size());
            labelBefore[at] = at == lines.size() || lines[at].compare(0, 4, "ddw ") != 0;
        }
        std::string body;
        for (std::size_t i = 0; i <= lines.size(); ++i) {
            if (labelBefore[i]) body += name + "_" + std::to_string(i) + ":\n";
            if (i == lines.size()) break;
            if (lines[i] == "JUMP") lines[i] = Jump(name, labelBefore, i);
            body += lines[i] + "\n";
        }
        return "proc " + name + " args a; var b, c; beginproc\n" + body + "ret;\nendproc;\n";
    }

    std::string Jump(const std::string& name, const std::vector<bool>& labelBefore, std::size_t from) {
        std::vector<std::size_t> later;
        for (std::size_t i = from + 1; i < labelBefore.size(); ++i)
            if (labelBefore[i]) later.push_back(i);
        if (later.empty()) return "nop;";
        return std::string(Pick(2) ? "jmp " : "jne ") + name + "_" + std::to_string(later[Pick(later.size())]) + ";";
    }

    std::mt19937 random_;
};

TEST(OptimizerProperty, OptimizedCodeComputesTheSameAsUnoptimizedCode) {
    int programsChanged = 0;
    const int kPrograms = 2000;
    for (int seed = 1; seed <= kPrograms; ++seed) {
        ProgramGenerator generator(static_cast<unsigned>(seed));
        std::string text = generator.File();
        AssembledText plain = AssembleText(text, {"-o0"});
        AssembledText optimized = AssembleText(text);
        ASSERT_TRUE(plain.ok && optimized.ok) << text << plain.console;
        programsChanged += plain.state.code != optimized.state.code;
        EXPECT_EQ(zarn::FoldConstants(optimized.state.tokens), 0) << text;

        std::vector<std::size_t> plainStarts = ProcedureStarts(plain.state);
        std::vector<std::size_t> optimizedStarts = ProcedureStarts(optimized.state);
        ASSERT_EQ(plainStarts.size(), 2u);
        for (std::size_t procedure = 0; procedure < 2; ++procedure) {
            Machine start;
            for (int i = 0; i < 3; ++i) start.locals.push_back(generator.StartValue());
            for (int i = 0; i < 2; ++i) start.statics.push_back(generator.StartValue());
            Machine expected = Evaluate(plain.state.code, plainStarts[procedure], start);
            Machine actual = Evaluate(optimized.state.code, optimizedStarts[procedure], start);
            ASSERT_EQ(actual, expected) << "seed " << seed << ", procedure " << procedure << "\n"
                                        << text << "--- without optimization\n"
                                        << Describe(expected) << "--- with optimization\n"
                                        << Describe(actual);
        }
    }
    // The programs must exercise the optimizer, or the comparison proves nothing.
    EXPECT_GT(programsChanged, kPrograms * 3 / 4);
}

}  // namespace
