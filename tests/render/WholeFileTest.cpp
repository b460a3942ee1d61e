#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "render/LogFolderText.h"
#include "render/WholeFile.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using namespace std::string_view_literals;

TEST(ReadWholeFile, ReadsTheBytesUpToTheFirstNul) {
    TempFolder folder;
    EXPECT_EQ(ReadWholeFile(folder.Write("a.ktx", "\xB0\xA1;\r\nend")), "\xB0\xA1;\r\nend");
    EXPECT_EQ(ReadWholeFile(folder.Write("b.ktx", "head\0tail"sv)), "head");
    EXPECT_EQ(ReadWholeFile(folder.Write("c.ktx", "")), "");
}

TEST(ReadWholeFile, WhatCannotBeReadGivesEmptyText) {
    TempFolder folder;
    EXPECT_EQ(ReadWholeFile(folder.Path() / "missing.ktx"), "");
    EXPECT_EQ(ReadWholeFile(folder.Path()), "");
    // A FIFO would block an ordinary open until a writer comes.
    const auto fifo = folder.Path() / "pipe.ktx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadWholeFile(fifo), "");
}

TEST(ReadWholeFile, FilesOverTheBoundAreNotRead) {
    TempFolder folder;
    const auto path = folder.Write("big.xml", "0123456789");
    EXPECT_EQ(ReadWholeFile(path, 10), "0123456789");
    EXPECT_EQ(ReadWholeFile(path, 9), "");
}

TEST(LogFolderPageText, IsTheFolderInCodePage949FollowedByTheName) {
    EXPECT_EQ(LogFolderPageText("/home/김/Documents/ZOVA/Logs/", "zova_supplier.gif"),
              "/home/김/Documents/ZOVA/Logs/zova_supplier.gif"_cp949);
}

}  // namespace
}  // namespace ledgra
