#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "base/FileAccess.h"
#include "tests/support/TempFolder.h"

namespace ledgra {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using namespace std::string_view_literals;

// The names in a folder, so that a test can see that no temporary was left behind.
std::size_t EntryCount(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

TEST(ReadRegularFile, GivesTheExactBytesNulsIncluded) {
    TempFolder folder;
    const std::string_view bytes = "\xB0\xA1\0tail\r\n\xFF"sv;
    EXPECT_EQ(ReadRegularFile(folder.Write("a.xml", bytes), 100), bytes);
    const std::optional<std::string> empty = ReadRegularFile(folder.Write("e.xml", ""), 100);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, "");
    // A document reached through a link the user made is still read.
    const auto link = folder.Path() / "link.xml";
    std::filesystem::create_symlink(folder.Path() / "a.xml", link);
    EXPECT_EQ(ReadRegularFile(link, 100), bytes);
}

TEST(ReadRegularFile, OnlyARegularFileWithinTheBoundIsRead) {
    TempFolder folder;
    const auto fifo = folder.Path() / "pipe.xml";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto ten = folder.Write("ten.xml", "0123456789");
    const auto unreadable = folder.Write("secret.xml", "x");
    ::chmod(unreadable.c_str(), 0);
    struct Case {
        std::filesystem::path path;
        std::size_t maxBytes;
        bool read;
    };
    const Case cases[] = {
        {folder.Path() / "missing.xml", 100, false},
        {folder.Path(), 100, false},  // a folder
        {fifo, 100, false},           // would block an ordinary open until a writer comes
        {"/dev/zero", 100, false},    // a device without end
        {ten, 10, true},
        {ten, 9, false},
        {ten, 0, false},
        {unreadable, 100, ::geteuid() == 0},  // root reads what it wants
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.native() + " " + std::to_string(c.maxBytes));
        EXPECT_EQ(ReadRegularFile(c.path, c.maxBytes).has_value(), c.read);
        // The bound aside, the same files count as readable regular files.
        EXPECT_EQ(IsReadableRegularFile(c.path), c.read || c.path == ten);
    }
}

TEST(WriteOwnFile, CreatesAndReplacesWithExactlyTheBytes) {
    TempFolder folder;
    const auto path = folder.Path() / "zova_supplier.gif";
    const std::string_view image = "GIF89a\0\x01\xFF"sv;
    ASSERT_TRUE(WriteOwnFile(path, image));
    EXPECT_EQ(ReadBytes(path), image);
    ASSERT_TRUE(WriteOwnFile(path, "ab"));
    EXPECT_EQ(ReadBytes(path), "ab");
    ASSERT_TRUE(WriteOwnFile(path, ""));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    EXPECT_EQ(EntryCount(folder.Path()), 1u);
}

TEST(WriteOwnFile, ANameAtTheLengthLimitIsWritten) {
    TempFolder folder;
    const auto path = folder.Path() / (std::string(251, 'a') + ".pdf");
    ASSERT_TRUE(WriteOwnFile(path, "%PDF"));
    EXPECT_EQ(ReadBytes(path), "%PDF");
}

// Whatever was planted at the name is replaced by our own file; nothing it points to changes.
TEST(WriteOwnFile, ReplacesPlantedLinksWithoutWritingThroughThem) {
    TempFolder folder;
    const auto victim = folder.Write("victim.txt", "keep");
    const auto symbolic = folder.Path() / "zova_supplier.gif";
    std::filesystem::create_symlink(victim, symbolic);
    const auto hard = folder.Path() / "zova_buyer.gif";
    std::filesystem::create_hard_link(victim, hard);
    const auto dangling = folder.Path() / "zova_x.pdf";
    std::filesystem::create_symlink(folder.Path() / "created-elsewhere", dangling);
    const auto fifo = folder.Path() / "zova_y.pdf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    for (const auto& name : {symbolic, hard, dangling, fifo}) {
        SCOPED_TRACE(name.native());
        ASSERT_TRUE(WriteOwnFile(name, "ours"));
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(name)));
        EXPECT_EQ(ReadBytes(name), "ours");
    }
    EXPECT_EQ(ReadBytes(victim), "keep");
    EXPECT_EQ(std::filesystem::hard_link_count(victim), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "created-elsewhere"));
}

TEST(WriteOwnFile, FailsWithoutLeavingAnythingWhereItCannotWrite) {
    TempFolder folder;
    folder.CreateFiles({"taken/inside"});
    EXPECT_FALSE(WriteOwnFile(folder.Path() / "no such folder" / "a.gif", "data"));
    EXPECT_FALSE(WriteOwnFile(folder.Path() / "taken", "data"));  // a folder at the name
    EXPECT_FALSE(WriteOwnFile(folder.Path() / "", "data"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "taken"));
    EXPECT_EQ(EntryCount(folder.Path()), 1u);
}

TEST(WriteOwnFile, AWriteThatFailsHalfWayLeavesThePreviousFileWhole) {
    // A file size limit makes the write fail after the first bytes, as a full disk would.
    TempFolder folder;
    const auto path = folder.Write("zova_document.html", "old");
    const auto fresh = folder.Path() / "zova_new.html";
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool replaced = WriteOwnFile(path, "<html>page</html>");
    const bool created = WriteOwnFile(fresh, "<html>page</html>");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);
    EXPECT_FALSE(replaced);
    EXPECT_FALSE(created);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_EQ(EntryCount(folder.Path()), 1u);
}

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

}  // namespace
}  // namespace ledgra
