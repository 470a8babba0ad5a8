#include "kelc/FileHandling.h"

#include "platform/Paths.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Lines = std::vector<std::string>;

// Makes `directory` the current directory for the lifetime of the object.
class InDirectory {
public:
    explicit InDirectory(const std::string& directory) : saved_(std::filesystem::current_path()) {
        std::filesystem::current_path(directory);
    }
    ~InDirectory() { std::filesystem::current_path(saved_); }

private:
    std::filesystem::path saved_;
};

TEST(SplitPathList, Items) {
    Lines list;
    kelc::SplitPathList("a;;b", list);
    EXPECT_EQ(list, (Lines{"a", "", "b"}));
    list.clear();
    kelc::SplitPathList("a;", list);
    EXPECT_EQ(list, (Lines{"a"}));
    list.clear();
    kelc::SplitPathList(";a", list);
    EXPECT_EQ(list, (Lines{"", "a"}));
    list.clear();
    kelc::SplitPathList("", list);
    EXPECT_EQ(list, Lines{});
    list = {"kept"};
    kelc::SplitPathList(" x ; y", list);
    EXPECT_EQ(list, (Lines{"kept", " x ", " y"}));
}

TEST(FindFile, TheNameItselfFirstThenSearchThenIncludePaths) {
    TempDirectory temp;
    std::filesystem::create_directories(temp.File("search"));
    std::filesystem::create_directories(temp.File("include"));
    temp.Write("here.kh", "");
    temp.Write("search/here.kh", "");
    temp.Write("search/s.kh", "");
    temp.Write("include/s.kh", "");
    temp.Write("include/i.kh", "");
    InDirectory cwd(temp.Path());
    const Lines search{"nowhere", temp.File("search")};
    const Lines include{temp.File("include") + "/"};
    EXPECT_EQ(kelc::FindFile("here.kh", search, include), "here.kh");
    EXPECT_EQ(kelc::FindFile("s.kh", search, include), temp.File("search") + platform::kPathDelimiter + "s.kh");
    EXPECT_EQ(kelc::FindFile("i.kh", search, include), temp.File("include") + "/i.kh");
    EXPECT_EQ(kelc::FindFile("none.kh", search, include), "");
    EXPECT_EQ(kelc::FindFile("search", search, include), "");  // a directory is no file
}

// Puts the process-wide lists back however the test ends, so they never leak into the next one.
class SavedPathLists {
public:
    SavedPathLists() : search_(kelc::SearchPathList), include_(kelc::IncludePathList) {}
    ~SavedPathLists() {
        kelc::SearchPathList = search_;
        kelc::IncludePathList = include_;
    }
    SavedPathLists(const SavedPathLists&) = delete;
    SavedPathLists& operator=(const SavedPathLists&) = delete;

private:
    std::vector<std::string> search_, include_;
};

TEST(FindFile, UsesTheProcessWideLists) {
    SavedPathLists saved;
    TempDirectory temp;
    temp.Write("x.kh", "");
    kelc::SearchPathList = {temp.Path()};
    EXPECT_EQ(kelc::FindFile("x.kh"), temp.Path() + platform::kPathDelimiter + "x.kh");
    kelc::SearchPathList.clear();
    kelc::IncludePathList = {temp.Path() + "/"};
    EXPECT_EQ(kelc::FindFile("x.kh"), temp.Path() + "/x.kh");
}

TEST(FindFile, AnEmptyDirectoryIsTheRoot) {
    TempDirectory temp;
    temp.Write("x.kh", "");
    InDirectory cwd(temp.Path());  // on the drive of the temporary directory
    const std::string belowRoot = temp.File("x.kh").substr(platform::RootLength(temp.Path()));
    EXPECT_EQ(kelc::FindFile(belowRoot, {""}, {}), platform::kPathDelimiter + belowRoot);
}

TEST(LoadTextFile, LineEnds) {
    TempDirectory temp;
    temp.Write("a.kel", "one\r\ntwo\rthree\nfour");
    EXPECT_EQ(kelc::LoadTextFile(temp.File("a.kel")), "one\r\ntwo\r\nthree\r\nfour\r\n");
    temp.Write("b.kel", "one\r\n\r\n");
    EXPECT_EQ(kelc::LoadTextFile(temp.File("b.kel")), "one\r\n\r\n");
    temp.Write("c.kel", std::string("one\ntw\0o\nthree", 14));
    EXPECT_EQ(kelc::LoadTextFile(temp.File("c.kel")), "one\r\ntw\r\n");
    temp.Write("d.kel", "");
    EXPECT_EQ(kelc::LoadTextFile(temp.File("d.kel")), "");
    temp.Write("e.kel", "\n\r\r\n");
    EXPECT_EQ(kelc::LoadTextFile(temp.File("e.kel")), "\r\n\r\n\r\n");
}

TEST(LoadTextFile, ALeadingByteOrderMarkIsNoPartOfTheText) {
    TempDirectory temp;
    temp.Write("a.kel", "\xEF\xBB\xBFpiece a;\r\n");
    EXPECT_EQ(kelc::LoadTextFile(temp.File("a.kel")), "piece a;\r\n");
    temp.Write("b.kel", "\xEF\xBB\xBF");
    EXPECT_EQ(kelc::LoadTextFile(temp.File("b.kel")), "");
    temp.Write("c.kel", "x\xEF\xBB\xBF");
    EXPECT_EQ(kelc::LoadTextFile(temp.File("c.kel")), "x\xEF\xBB\xBF\r\n");
}

TEST(LoadTextFile, AMissingFileNamesItsLastComponent) {
    TempDirectory temp;
    try {
        kelc::LoadTextFile(temp.File("missing.kh"));
        ADD_FAILURE();
    } catch (const kelc::FileError& e) {
        EXPECT_STREQ(e.what(), "Unable to find \"missing.kh\"");
    }
    EXPECT_THROW(kelc::LoadTextFile(temp.Path()), kelc::FileError);  // a directory
}

TEST(JoinLines, EveryLineEndsWithCrLf) {
    EXPECT_EQ(kelc::JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(kelc::JoinLines({}), "");
}

TEST(WithCrLfLineEnds, IsJoiningTheSplitLines) {
    for (const std::string text :
         {"", "a", "a\r\n", "a\r\nb", "a\nb\rc\r\n", "\n\r\r\n", "\r", "a\r\n\n", "x\n\r\ny\r\r"})
        EXPECT_EQ(kelc::WithCrLfLineEnds(text), kelc::JoinLines(kelc::SplitLines(text))) << text;
}

}  // namespace
