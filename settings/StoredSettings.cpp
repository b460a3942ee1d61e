#include "settings/StoredSettings.h"

namespace ledgra {

std::optional<std::string> StoredSettingsReader::HtmlFile() const {
    // An empty stored path names no file, so it counts as absent.
    std::string stored = Read(kHtmlFileKey);
    if (stored.empty()) return std::nullopt;
    return stored;
}

std::optional<std::string> StoredSettings::StoreConfirmed(const std::string& defaultFolder,
                                                          const std::string& userId1,
                                                          const std::string& userId2,
                                                          const std::string& userId3) {
    m_profile.WriteProfileInt(kSettingsSection, kIsCheckedKey, 1);
    m_profile.WriteProfileString(kSettingsSection, kDefaultFolderKey, defaultFolder);
    m_profile.WriteProfileString(kSettingsSection, kUserId1Key, userId1);
    m_profile.WriteProfileString(kSettingsSection, kUserId2Key, userId2);
    m_profile.WriteProfileString(kSettingsSection, kUserId3Key, userId3);
    return m_profile.WriteFailure();
}

}  // namespace ledgra
