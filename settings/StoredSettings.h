#pragma once
// Typed access to the section "Settings" of the profile.

#include <optional>
#include <string>

#include "settings/Profile.h"

namespace ledgra {

inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kUserId1Key = "User ID1";
inline constexpr const char* kUserId2Key = "User ID2";
inline constexpr const char* kUserId3Key = "User ID3";
inline constexpr const char* kDefaultFolderKey = "default folder";
inline constexpr const char* kIsCheckedKey = "IsChecked";
inline constexpr const char* kHtmlFileKey = "html file";

// The reads alone, for code that holds the profile read-only (the renderers, the run).
class StoredSettingsReader {
public:
    explicit StoredSettingsReader(const Profile& profile) : m_profile(profile) {}

    std::string UserId1() const { return Read(kUserId1Key); }
    std::string UserId2() const { return Read(kUserId2Key); }
    std::string UserId3() const { return Read(kUserId3Key); }
    // The three parts of the user's own registration number joined without separators.
    std::string JoinedOwnNumber() const { return UserId1() + UserId2() + UserId3(); }
    std::string DefaultFolder() const { return Read(kDefaultFolderKey); }
    int IsChecked() const { return m_profile.GetProfileInt(kSettingsSection, kIsCheckedKey, 0); }
    // The html file the viewer writes its page to, when one is stored.
    std::optional<std::string> HtmlFile() const;

protected:
    std::string Read(const char* key) const {
        return m_profile.GetProfileString(kSettingsSection, key, "");
    }

private:
    const Profile& m_profile;
};

class StoredSettings : public StoredSettingsReader {
public:
    explicit StoredSettings(Profile& profile) : StoredSettingsReader(profile), m_profile(profile) {}

    // Stores what an accepted settings dialog confirms, in the dialog's order. Returns why
    // the values could not be kept (see Profile::WriteFailure), nothing when they were.
    std::optional<std::string> StoreConfirmed(const std::string& defaultFolder,
                                              const std::string& userId1,
                                              const std::string& userId2,
                                              const std::string& userId3);

private:
    Profile& m_profile;
};

}  // namespace ledgra
