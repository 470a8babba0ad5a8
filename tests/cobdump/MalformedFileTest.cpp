// Hand-made broken files, derived from a good one: every mode reports each problem with its
// byte offset and exits with 1; nothing crashes.
#include "tests/cobdump/DumpRun.h"
#include "zarn/CobFormat.h"

#include <gtest/gtest.h>

namespace {

// Three scripts of 2, 3 and 1 words; two pieces.
const std::string kText =
    "piece base, turret;\n"
    "proc Create args none; var none; beginproc\n  hide;\n  ddw base;\nendproc;\n"
    "proc Walk args none; var none; beginproc\n  pushc 7;\n  ret;\nendproc;\n"
    "proc Stop args none; var none; beginproc\n  ret;\nendproc;\n";

constexpr std::size_t kScriptIndexOffset = zarn::FieldOffset(&zarn::CobHeader::scriptIndexOffset);
constexpr std::size_t kNamesOffset = zarn::FieldOffset(&zarn::CobHeader::namesOffset);
constexpr std::size_t kCodeLength = zarn::FieldOffset(&zarn::CobHeader::codeLength);

struct Broken {
    std::string bytes;
    std::int32_t Header(std::size_t field) const { return WordAt(bytes, field); }
};

Broken Good() { return {CobOf(kText)}; }

void ExpectInEveryMode(const std::string& bytes, const std::string& line) {
    for (const std::vector<std::string>& flags : {std::vector<std::string>{}, {"--check"}, {"-S"}}) {
        DumpRun run = RunOnBytes(bytes, flags);
        EXPECT_EQ(run.status, 1) << (flags.empty() ? "listing" : flags[0]);
        EXPECT_NE((run.out + run.errors).find("unit.cob: " + line + "\n"), std::string::npos)
            << (flags.empty() ? "listing" : flags[0]) << "\n" << run.out << run.errors;
    }
}

TEST(MalformedFile, TheGoodFileHasNoProblems) {
    DumpRun run = RunOnBytes(Good().bytes, {"--check"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "unit.cob: valid\n");
}

TEST(MalformedFile, TruncatedHeader) {
    const std::string good = Good().bytes;
    for (std::size_t size : {0, 1, 20, 43}) {
        ExpectInEveryMode(good.substr(0, size), "offset 0: the file has " + std::to_string(size) +
                                                    " bytes, too few for the 44-byte header");
    }
}

TEST(MalformedFile, SectionsPastTheEnd) {
    Broken file = Good();
    const std::size_t size = file.bytes.size();
    SetWord(file.bytes, kScriptIndexOffset, 100000);
    ExpectInEveryMode(file.bytes, "offset 24: the script code index (3 words at 100000) runs past the end of the file (" +
                                      std::to_string(size) + " bytes)");

    file = Good();
    SetWord(file.bytes, kCodeLength, 0x7FFFFFFF);
    ExpectInEveryMode(file.bytes, "offset 36: the code (2147483647 words at 44) runs past the end of the file (" +
                                      std::to_string(size) + " bytes)");

    file = Good();
    SetWord(file.bytes, kNamesOffset, -4);
    ExpectInEveryMode(file.bytes, "offset 40: namesOffset -4 lies outside the file (" + std::to_string(size) + " bytes)");
}

TEST(MalformedFile, NameOffsetsOutsideTheFile) {
    Broken file = Good();
    const std::size_t pieceTable = static_cast<std::size_t>(file.Header(32));
    SetWord(file.bytes, pieceTable + 4, 5000);
    ExpectInEveryMode(file.bytes, "offset " + std::to_string(pieceTable + 4) +
                                      ": the name of piece 1 at 5000 lies outside the file (" +
                                      std::to_string(file.bytes.size()) + " bytes)");
}

TEST(MalformedFile, UnterminatedName) {
    Broken file = Good();
    file.bytes.pop_back();  // the NUL after "turret"
    const std::size_t turret = file.bytes.size() - 6;
    ExpectInEveryMode(file.bytes, "offset " + std::to_string(turret) + ": the name of piece 1 is not NUL-terminated");
}

TEST(MalformedFile, CodeIndexOutOfOrder) {
    Broken file = Good();
    const std::size_t index = static_cast<std::size_t>(file.Header(kScriptIndexOffset));
    SetWord(file.bytes, index + 4, 5);  // Walk after Stop, which starts at 5
    SetWord(file.bytes, index + 8, 3);
    ExpectInEveryMode(file.bytes, "offset " + std::to_string(index + 8) +
                                      ": code index entry 2 is 3, below entry 1 (5): out of order");

    file = Good();
    SetWord(file.bytes, index, 1);
    ExpectInEveryMode(file.bytes, "offset " + std::to_string(index) + ": code index entry 0 is 1, expected 0");

    file = Good();
    SetWord(file.bytes, index + 8, 7);
    ExpectInEveryMode(file.bytes, "offset " + std::to_string(index + 8) +
                                      ": code index entry 2 is 7, past the end of the code (6 words)");
}

TEST(MalformedFile, NegativeCounts) {
    for (std::size_t field : {4, 8, 12}) {
        Broken file = Good();
        SetWord(file.bytes, field, -1);
        static const char* const kNames[] = {"", "scriptCount", "pieceCount", "codeLength"};
        ExpectInEveryMode(file.bytes, "offset " + std::to_string(field) + ": " + kNames[field / 4] + " is negative: -1");
    }
}

TEST(MalformedFile, TheScriptIndexInsideTheCode) {
    Broken file = Good();
    SetWord(file.bytes, kScriptIndexOffset, 48);
    ExpectInEveryMode(file.bytes, "offset 24: scriptIndexOffset 48 lies inside the code, which ends at 68");
}

// Problems that leave every section readable: the listing is still shown above them.
TEST(MalformedFile, LayoutDeparturesAreListedBelowTheDisassembly) {
    Broken file = Good();
    SetWord(file.bytes, 0, 6);
    SetWord(file.bytes, 20, 1);
    file.bytes += "xyz";
    const std::size_t names = static_cast<std::size_t>(file.Header(kNamesOffset));
    DumpRun run = RunOnBytes(file.bytes);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("script 2 Stop\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("problems\n"
                           "unit.cob: offset 0: version is 6, expected 7\n"
                           "unit.cob: offset 20: reserved is 1, expected 0\n"
                           "unit.cob: offset " +
                           std::to_string(names + 29) + ": 3 bytes follow the last name\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(RunOnBytes(file.bytes, {"-S"}).out, "");
}

TEST(MalformedFile, NamesAndTablesOutOfPlace) {
    Broken file = Good();
    const std::size_t scriptTable = static_cast<std::size_t>(file.Header(28));
    SetWord(file.bytes, scriptTable + 4, file.Header(kNamesOffset) + 1);  // "reate" instead of "Walk"
    SetWord(file.bytes, 28, file.Header(28) + 4);
    DumpRun run = RunOnBytes(file.bytes, {"--check"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("offset 28: scriptNameOffsetsOffset is " + std::to_string(scriptTable + 4) + ", expected " +
                           std::to_string(scriptTable) + " (scriptIndexOffset + 4 per script)\n"),
              std::string::npos)
        << run.out;
}

TEST(MalformedFile, LinkTablesOfAnOddSizeOrWithoutTheirNul) {
    for (const std::string& inserted : {std::string("ab"), std::string("abcd")}) {
        Broken file = Good();
        file.bytes.insert(68, inserted);  // between the code and the script code index
        const std::int32_t shift = static_cast<std::int32_t>(inserted.size());
        for (std::size_t field : {24, 28, 32, 40}) SetWord(file.bytes, field, file.Header(field) + shift);
        for (std::size_t entry = static_cast<std::size_t>(file.Header(28)); entry < static_cast<std::size_t>(file.Header(40));
             entry += 4)
            SetWord(file.bytes, entry, WordAt(file.bytes, entry) + shift);
        DumpRun run = RunOnBytes(file.bytes, {"--check"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, shift == 2 ? "unit.cob: offset 68: the link tables between the code and the script code "
                                        "index take 2 bytes, not a multiple of 4\n"
                                      : "unit.cob: offset 71: the link tables do not end with a NUL byte\n");
    }
}

}  // namespace
