#include "settings/QSettingsProfile.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.native());
}

// A FIFO would block the start in open() until a writer came; a device or a folder is no
// settings file either. The viewer starts with the values in memory and says why.
TEST(QSettingsProfile, SomethingOtherThanARegularFileIsIgnored) {
    const std::vector<std::pair<std::string, std::function<void(const std::filesystem::path&)>>>
        cases = {
            {"FIFO", [](const auto& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
            {"device", [](const auto& path) { std::filesystem::create_symlink("/dev/zero", path); }},
            {"folder", [](const auto& path) { std::filesystem::create_directory(path); }},
        };
    for (const auto& [kind, make] : cases) {
        SCOPED_TRACE(kind);
        testing::TempFolder folder;
        const std::filesystem::path file = folder.Path() / "ZOVA Viewer.conf";
        make(file);
        QSettingsProfile profile(ToQString(file));
        const std::string expected = Cp949FromUtf8(file.native() + ": 일반 파일이 아닙니다");
        EXPECT_EQ(profile.IgnoredFile(), expected);
        profile.WriteProfileInt("Settings", "IsChecked", 1);
        EXPECT_EQ(profile.GetProfileInt("Settings", "IsChecked", 0), 1);
        EXPECT_EQ(profile.WriteFailure(), expected);
    }
}

TEST(QSettingsProfile, AFileThatCannotBeWrittenIsReportedUntilItCanBe) {
    testing::TempFolder folder;
    const std::filesystem::path blocked = folder.Write("blocked", "a file, not a folder");
    const std::filesystem::path file = blocked / "ZOVA Viewer.conf";
    QSettingsProfile profile(ToQString(file));
    EXPECT_EQ(profile.IgnoredFile(), std::nullopt);
    EXPECT_EQ(profile.WriteFailure(), std::nullopt);

    profile.WriteProfileString("Settings", "User ID1", "123");
    EXPECT_EQ(profile.WriteFailure(),
              Cp949FromUtf8(file.native() + ": 경로의 일부가 폴더가 아닙니다"));

    std::filesystem::remove(blocked);
    profile.WriteProfileString("Settings", "User ID1", "124");
    EXPECT_EQ(profile.WriteFailure(), std::nullopt);
    EXPECT_EQ(QSettingsProfile(ToQString(file)).GetProfileString("Settings", "User ID1"), "124");
}

}  // namespace
}  // namespace ledgra
