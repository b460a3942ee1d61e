#include <gtest/gtest.h>

#include <filesystem>

#include "base/Folders.h"
#include "tests/support/TempFolder.h"

namespace ledgra {
namespace {

using testing::TempFolder;

TEST(Folders, LieUnderZovaWithATrailingSeparator) {
    const std::filesystem::path documents = "/home/김/Documents";
    EXPECT_EQ(ZovaFolder(documents).native(), "/home/김/Documents/ZOVA");
    EXPECT_EQ(TrustFolder(documents).native(), "/home/김/Documents/ZOVA/CA/");
    EXPECT_EQ(TaxfilesFolder(documents).native(), "/home/김/Documents/ZOVA/Taxfiles/");
}

TEST(Folders, TheLogFolderIsCreatedWithTheFoldersAboveIt) {
    TempFolder folder;
    const std::filesystem::path documents = folder.Path() / "Documents";
    EXPECT_EQ(CreateLogFolder(documents).native(), (documents / "ZOVA/Logs/").native());
    EXPECT_TRUE(std::filesystem::is_directory(documents / "ZOVA/Logs"));
    // A file where the folder should be is left alone; writing into it fails later.
    folder.CreateFiles({"Blocked/ZOVA"});
    EXPECT_EQ(CreateLogFolder(folder.Path() / "Blocked").native(),
              (folder.Path() / "Blocked/ZOVA/Logs/").native());
}

}  // namespace
}  // namespace ledgra
