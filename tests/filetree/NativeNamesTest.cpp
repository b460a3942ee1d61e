// Names that are not UTF-8, and the mount table read without touching any mount.

#include "filetree/MountTable.h"
#include "filetree/NativeNames.h"
#include "filetree/Volumes.h"
#include "tests/filetree/TreeTestSupport.h"
#include "text/Cp949.h"

namespace ledgra::testing {
namespace {

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

TEST(NativeNamesTest, EveryByteStringComesBackExactly) {
    const std::vector<std::pair<const char*, QByteArray>> rows = {
        {"ascii", "a.ktx"},
        {"utf-8 korean", Bytes("세금계산서.ktx")},
        {"cp949 korean", Bytes(Cp949FromUtf8("세금계산서.ktx"))},
        {"lone 0xFF",
         "a\xFF"
         "b"},
        {"overlong slash",
         "a\xC0\xAF"
         "b"},
        {"encoded surrogate", "\xED\xA0\x80"},
        {"cut sequence", "x\xE3\x81"},
        {"four bytes", "\xF0\x9F\x98\x80"},
        {"pair ending in the escape range", "\xF0\x90\x82\x80"},  // U+10080: D800 DC80
        {"past U+10FFFF", "\xF4\x90\x80\x80"},
        {"escape bytes after a pair", "\xF0\x9F\x98\x80\x80"}};
    for (const auto& [what, bytes] : rows) {
        const QString path = PathFromNative(bytes);
        EXPECT_EQ(NativeFromPath(path), bytes) << what;
        EXPECT_EQ(PathFromNative(NativeFromPath(path)), path) << what;
    }
    // Valid UTF-8 reads as ordinary text.
    EXPECT_EQ(PathFromNative(Bytes("세금계산서")), QStringLiteral("세금계산서"));
    EXPECT_EQ(PathFromNative("\xF0\x90\x82\x80"), QString::fromUtf8("\xF0\x90\x82\x80"));
}

TEST(NativeNamesTest, NamesShowAsCodePage949WhenTheyAreNotUtf8) {
    const QString cp949 = PathFromNative(Bytes(Cp949FromUtf8("세금계산서_가나상사.ktx")));
    EXPECT_EQ(DisplayName(cp949), QStringLiteral("세금계산서_가나상사.ktx"));
    EXPECT_EQ(DisplayName(QStringLiteral("보통.ktx")), QStringLiteral("보통.ktx"));
    // Neither UTF-8 nor code page 949: replacement marks, never the escapes themselves.
    const QString broken = DisplayName(PathFromNative("a\xFF.ktx"));
    EXPECT_EQ(broken, QStringLiteral("a\uFFFD.ktx"));
    // A path: each part read on its own.
    const QString path = PathFromNative(Bytes("/home/문서/" + Cp949FromUtf8("가나.ktx")));
    EXPECT_EQ(DisplayName(path), QStringLiteral("/home/문서/가나.ktx"));
}

TEST(MountTableTest, ReadsMountPointsAndTypesWithoutTouchingThem) {
    const QByteArray text =
        "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
        "29 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "40 29 0:40 / /mnt/my\\040share rw - cifs //nas/tax rw\n"
        "41 29 0:41 / /mnt/dead rw - fuse.stuckfs stuckfs rw\n"
        "42 29 0:42 / /media/ntfs rw - fuseblk /dev/sdb1 rw\n"
        "garbage line\n";
    const std::vector<MountEntry> mounts = ParseMountInfo(text);
    ASSERT_EQ(mounts.size(), 5u);
    EXPECT_EQ(mounts[1].m_strRoot, QStringLiteral("/"));
    EXPECT_EQ(mounts[1].m_strDevice, QStringLiteral("/dev/sda1"));
    EXPECT_EQ(mounts[2].m_strRoot, QStringLiteral("/mnt/my share"));
    EXPECT_EQ(mounts[2].m_strFileSystem, QStringLiteral("cifs"));

    const QStringList slow = SlowMountRoots(mounts);
    EXPECT_EQ(slow, QStringList({QStringLiteral("/mnt/my share"), QStringLiteral("/mnt/dead")}));
    const std::vector<std::pair<const char*, bool>> paths = {
        {"/mnt/dead", true}, {"/mnt/dead/a/b.ktx", true}, {"/mnt/deadline", false},
        {"/mnt", false},     {"/media/ntfs/x", false},    {"/mnt/my share/2024", true}};
    for (const auto& [path, onSlow] : paths)
        EXPECT_EQ(IsOnSlowMount(QString::fromUtf8(path), slow), onSlow) << path;
}

TEST(MountTableTest, TheVolumesAlwaysHoldTheRootFileSystem) {
    // A chroot's table without "/": the root comes from statfs, first.
    const QByteArray text = "50 1 8:2 / /srv/data rw - ext4 /dev/nosuchdisk rw\n";
    const std::vector<VolumeInfo> volumes =
        VolumesFromMounts(ParseMountInfo(text), QStringLiteral("ext4"));
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().m_strRoot, QStringLiteral("/"));
    EXPECT_EQ(volumes.front().m_strFileSystem, QStringLiteral("ext4"));
    EXPECT_EQ(VolumesFromMounts({}, QString()).size(), 1u);

    // A table with "/" keeps its own entry, once.
    const QByteArray full = "29 1 8:1 / / rw - ext4 /dev/sda1 rw\n";
    const std::vector<VolumeInfo> listed =
        VolumesFromMounts(ParseMountInfo(full), QStringLiteral("xfs"));
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed.front().m_strDevice, QStringLiteral("/dev/sda1"));
}

}  // namespace
}  // namespace ledgra::testing
