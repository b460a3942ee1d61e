#pragma once
// The profile in the user's settings store, the file
// ~/.config/Local AppWizard-Generated Applications/ZOVA Viewer.conf (INI format).

#include <QSettings>

#include <filesystem>
#include <optional>
#include <string>

#include "settings/Profile.h"

namespace ledgra {

class QSettingsProfile final : public Profile {
public:
    QSettingsProfile();
    // A profile in a given file (INI format), for tools and tests.
    explicit QSettingsProfile(const QString& iniFile);

    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue = {}) const override;
    int GetProfileInt(std::string_view section, std::string_view key,
                      int defaultValue) const override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    std::optional<std::string> WriteFailure() const override;

    // Why the settings file is not read at all, code page 949: something other than a regular
    // file is at its name (a FIFO or a device would block the start for ever). The values then
    // live in memory until the program ends. Nothing when the file is used.
    const std::optional<std::string>& IgnoredFile() const { return m_ignoredFile; }

private:
    void Write(const QString& key, const QVariant& value);

    std::filesystem::path m_file;
    std::optional<std::string> m_ignoredFile;
    // The file's settings; none when the file is ignored, and then `m_memory` holds the values.
    std::optional<QSettings> m_settings;
    MemoryProfile m_memory;
};

}  // namespace ledgra
