// Volumes, network mounts, shares and name patterns, from their text forms.

#include <filesystem>

#include "filetree/FolderListing.h"
#include "filetree/NetworkShares.h"
#include "filetree/ShareEnumerator.h"
#include "filetree/TreeFileCtrl.h"
#include "filetree/Volumes.h"
#include "tests/filetree/TreeTestSupport.h"

namespace ledgra::testing {
namespace {

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

TEST(VolumesTest, ClassifiesDevicesByKernelEntryAndFileSystem) {
    // A removable disk sdx with a partition sdx1 whose entry links into the disk's folder.
    TempFolder sys;
    sys.Write("sdx/removable", "1\n");
    sys.Write("sdx/sdx1/partition", "1\n");
    sys.Write("sdy/removable", "0\n");
    std::filesystem::create_directory_symlink(sys.Path() / "sdx/sdx1", sys.Path() / "sdx1");
    const QString sysBlock = ToQString(sys.Path());

    struct Row {
        const char* device;
        const char* fileSystem;
        DriveKind kind;
    };
    const std::vector<Row> rows = {
        {"/dev/sdx1", "vfat", DriveKind::Removable}, {"/dev/sdx", "ext4", DriveKind::Removable},
        {"/dev/sdy", "ext4", DriveKind::Fixed},      {"/dev/nosuchdisk", "ext4", DriveKind::Fixed},
        {"/dev/sr7", "ext2", DriveKind::CdRom},      {"/dev/loop9", "iso9660", DriveKind::CdRom},
        {"//nas/tax", "cifs", DriveKind::Remote},    {"nas:/export", "nfs4", DriveKind::Remote},
        {"/dev/ram3", "ext2", DriveKind::RamDisk},   {"overlay", "overlay", DriveKind::Unknown}};
    for (const Row& row : rows)
        EXPECT_EQ(ClassifyVolume(Q(row.device), Q(row.fileSystem), sysBlock), row.kind)
            << row.device;
}

TEST(VolumesTest, APathBelongsToTheLongestVolumeRootHoldingIt) {
    std::vector<VolumeInfo> volumes(3);
    volumes[0].m_strRoot = Q("/");
    volumes[1].m_strRoot = Q("/home");
    volumes[2].m_strRoot = Q("/home/me/usb");
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"/home/me/a.ktx", "/home"},      {"/homework/a.ktx", "/"},   {"/home", "/home"},
        {"/home/me/usb", "/home/me/usb"}, {"/home/me/usb2", "/home"}, {"/", "/"}};
    for (const auto& [path, root] : rows) {
        const VolumeInfo* volume = VolumeContaining(Q(path), volumes);
        ASSERT_NE(volume, nullptr) << path;
        EXPECT_EQ(volume->m_strRoot, Q(root)) << path;
    }
    EXPECT_EQ(VolumeContaining(Q("relative/a.ktx"), volumes), nullptr);
}

TEST(VolumesTest, ListsTheRootFileSystemFirst) {
    const std::vector<VolumeInfo> volumes = ListVolumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().m_strRoot, Q("/"));
    for (const VolumeInfo& volume : volumes) EXPECT_NE(volume.m_strFileSystem, Q("tmpfs"));
}

TEST(NetworkSharesTest, ParsesTheServerAndShareOfMountedDevices) {
    struct Row {
        const char* device;
        const char* fileSystem;
        const char* server;
        const char* share;
    };
    const std::vector<Row> rows = {{"//nas/tax", "cifs", "nas", "tax"},
                                   {"\\\\nas\\tax\\2024\\", "cifs", "nas", "tax/2024"},
                                   {"files:/export/tax", "nfs4", "files", "export/tax"},
                                   {"me@host.example:", "fuse.sshfs", "host.example", "remote"}};
    for (const Row& row : rows) {
        const auto share = ParseNetworkDevice(Q(row.device), Q(row.fileSystem), Q("/mnt/remote"));
        ASSERT_TRUE(share.has_value()) << row.device;
        EXPECT_EQ(share->m_strServer, Q(row.server)) << row.device;
        EXPECT_EQ(share->m_strShare, Q(row.share)) << row.device;
        EXPECT_EQ(share->m_strMountPoint, Q("/mnt/remote"));
    }
    for (const char* device : {"//", "noserver", ":/export"})
        EXPECT_FALSE(ParseNetworkDevice(Q(device), Q("nfs"), Q("/mnt/x")).has_value()) << device;

    const auto smb = ParseVirtualMountFolder(Q("smb-share:server=nas,share=tax"), Q("/run/g/x"));
    ASSERT_TRUE(smb.has_value());
    EXPECT_EQ(smb->m_strServer, Q("nas"));
    EXPECT_EQ(smb->m_strShare, Q("tax"));
    EXPECT_EQ(smb->m_strRemoteName, Q("//nas/tax"));
    const auto sftp = ParseVirtualMountFolder(Q("sftp:host=h.example,user=me"), Q("/run/g/y"));
    ASSERT_TRUE(sftp.has_value());
    EXPECT_EQ(sftp->m_strServer, Q("h.example"));
    EXPECT_FALSE(ParseVirtualMountFolder(Q("trash"), Q("/run/g/z")).has_value());
}

TEST(ShareEnumeratorTest, ReadsTheFolderOfEveryUserShare) {
    const QByteArray output =
        "[tax]\npath=/home/me/Documents/tax\ncomment=\nusershare_acl=Everyone:R,\n"
        "guest_ok=n\n\n[pub$]\npath=/srv/pub/\ncomment=path=/not/this\n";
    EXPECT_EQ(CShareEnumerator::ParseUsershareInfo(output),
              QStringList({Q("/home/me/Documents/tax"), Q("/srv/pub")}));
    EXPECT_TRUE(CShareEnumerator::ParseUsershareInfo("net: no shares\n").isEmpty());
}

TEST(PatternTest, DocumentNamesMatchInAnyCase) {
    const std::vector<std::tuple<const char*, const char*, bool>> patterns = {
        {"a.ktx", "*.KTX", true},
        {"A.KtX", "*.KTX", true},
        {"a.ktxx", "*.KTX", false},
        {"ktx", "*.KTX", false},
        {"a.b.Xml", "*.XML", true},
        {"abc.txt", "a?c.*", true},
        {"abd.txt", "a?c.*", false},
        {"", "*", true},
        {"x", "", false}};
    for (const auto& [name, pattern, matches] : patterns)
        EXPECT_EQ(MatchesPattern(Q(name), Q(pattern)), matches) << name << " " << pattern;

    const std::vector<std::pair<const char*, bool>> names = {
        {"/t/a.ktx", true}, {"/t/a.Tsn", true},      {"/t/a.CQS", true},
        {"/t/a.kcx", true}, {"/t/a.xml", true},      {"/t/a.txt", false},
        {"/t/ktx", false},  {"/t/a.ktx.bak", false}, {"/t.ktx/readme", false}};
    for (const auto& [path, isDocument] : names)
        EXPECT_EQ(CTreeFileCtrl::IsDocumentFileName(Q(path)), isDocument) << path;
}

}  // namespace
}  // namespace ledgra::testing
