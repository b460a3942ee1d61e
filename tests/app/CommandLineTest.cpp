#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace ledgra {
namespace {

struct PathCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const PathCase& row) {
    return out << row.name;
}

std::string RowName(const ::testing::TestParamInfo<PathCase>& info) {
    std::string name = info.param.name;
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

class StartPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(StartPathTest, TakesTheDocumentFromTheArguments) {
    EXPECT_EQ(StartPathFromArguments(GetParam().arguments, "/work"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartPathTest,
    ::testing::Values(PathCase{"none", {}, ""},
                      PathCase{"caret", {"^/home/u/a.ktx"}, "/home/u/a.ktx"},
                      // Everything after the first caret, quotes and trailing blanks included.
                      PathCase{"caret verbatim", {"-x", "^\"/a b/c.ktx\" "}, "\"/a b/c.ktx\" "},
                      PathCase{"first caret", {"a^b^c"}, "b^c"},
                      PathCase{"caret across arguments", {"^/a", "b.ktx"}, "/a b.ktx"},
                      PathCase{"doubled slashes", {"^//home//u//a.ktx"}, "/home/u/a.ktx"},
                      PathCase{"doubled backslashes", {"^D:\\\\docs\\\\a.ktx"}, "D:\\docs\\a.ktx"},
                      // Without a caret the first argument is the path, a full one kept whole.
                      PathCase{"full path", {"/home/u/docs/a.ktx", "other"}, "/home/u/docs/a.ktx"},
                      PathCase{"relative path", {"docs/a.ktx"}, "/work/docs/a.ktx"},
                      PathCase{"empty argument", {""}, ""}),
    RowName);

class HandOffPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(HandOffPathTest, TakesThePathToHandOver) {
    EXPECT_EQ(HandOffPathFromArguments(GetParam().arguments, "/work"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HandOffPathTest,
    ::testing::Values(PathCase{"none", {}, ""},
                      // The line is trimmed before the caret is looked for.
                      PathCase{"caret trimmed", {"^/d/a.ktx  "}, "/d/a.ktx"},
                      PathCase{"doubled separators", {"^/d//e//a.ktx"}, "/d/e/a.ktx"},
                      // The running instance lives in another folder: made absolute here.
                      PathCase{"relative path", {"a.ktx"}, "/work/a.ktx"}),
    RowName);

TEST(HandOffFolderTest, IsThePathUpToItsLastSeparatorAfterTheFirstCharacter) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"/home/u/a.ktx", "/home/u/"},
        {"/home/u/", "/home/u/"},
        {"/a.ktx", ""},
        {"a.ktx", ""},
        {"", ""},
    };
    for (const auto& [path, folder] : rows) EXPECT_EQ(HandOffFolder(path), folder) << path;
}

// Records what the hand-off asks of the window, in order.
class RecordingTarget final : public HandOffTarget {
public:
    explicit RecordingTarget(std::vector<std::string> folders) : m_folders(std::move(folders)) {}

    bool IsFolderPath(const std::string& path) override {
        return std::find(m_folders.begin(), m_folders.end(), path) != m_folders.end();
    }
    void SelectPath(const std::string& path, bool expand) override {
        m_calls.push_back((expand ? "expand " : "select ") + path);
    }
    void ShowDocument(const std::string& path) override { m_calls.push_back("show " + path); }

    std::vector<std::string> m_folders;
    std::vector<std::string> m_calls;
};

TEST(ReceiveHandOffTest, OpensTheFolderThenSelectsAndShowsTheDocument) {
    RecordingTarget target({"/docs/"});
    ReceiveHandOff("/docs/a.ktx", target);
    EXPECT_EQ(target.m_calls, (std::vector<std::string>{"expand /docs/", "select /docs/a.ktx",
                                                        "show /docs/a.ktx"}));
}

TEST(ReceiveHandOffTest, AMissingFolderOpensTheRootAndTheDocumentIsStillShown) {
    RecordingTarget target({});
    ReceiveHandOff("/gone/a.ktx", target);
    EXPECT_EQ(target.m_calls,
              (std::vector<std::string>{"expand /", "select /gone/a.ktx", "show /gone/a.ktx"}));
}

TEST(ReceiveHandOffTest, AnEmptyPathOnlyOpensTheRoot) {
    RecordingTarget target({"/docs/"});
    ReceiveHandOff("", target);
    EXPECT_EQ(target.m_calls, (std::vector<std::string>{"expand /"}));
}

}  // namespace
}  // namespace ledgra
