#include "settings/StoredSettings.h"

#include <gtest/gtest.h>

namespace ledgra {
namespace {

TEST(StoredSettings, EmptyProfileGivesEmptyValues) {
    MemoryProfile profile;
    StoredSettings settings(profile);
    EXPECT_EQ(settings.JoinedOwnNumber(), "");
    EXPECT_FALSE(settings.HtmlFile().has_value());
    EXPECT_EQ(settings.IsChecked(), 0);
}

TEST(StoredSettings, ConfirmedValuesAreStoredInTheSettingsSection) {
    MemoryProfile profile;
    StoredSettings settings(profile);
    settings.StoreConfirmed("/home/u/Documents/ZOVA/Taxfiles/", "123", "45", "67890");
    EXPECT_EQ(profile.GetProfileString("Settings", "User ID2"), "45");
    EXPECT_EQ(profile.GetProfileInt("Settings", "IsChecked", 0), 1);
    EXPECT_EQ(settings.JoinedOwnNumber(), "1234567890");
    EXPECT_EQ(settings.DefaultFolder(), "/home/u/Documents/ZOVA/Taxfiles/");
}

TEST(StoredSettings, HtmlFileIsReadOnlyWhenStored) {
    MemoryProfile profile;
    profile.WriteProfileString("Settings", "html file", "/tmp/page.html");
    EXPECT_EQ(StoredSettings(profile).HtmlFile(), "/tmp/page.html");
    profile.WriteProfileString("Settings", "html file", "");
    EXPECT_FALSE(StoredSettings(profile).HtmlFile().has_value());
}

TEST(MemoryProfile, IntegersThatDoNotParseGiveTheDefault) {
    MemoryProfile profile;
    profile.WriteProfileString("Settings", "IsChecked", "x");
    EXPECT_EQ(profile.GetProfileInt("Settings", "IsChecked", 7), 7);
}

}  // namespace
}  // namespace ledgra
