#pragma once
// The profile in the user's settings store, under the organisation and application names of
// base/ProgramNames.h.

#include <QSettings>

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

private:
    mutable QSettings m_settings;
};

}  // namespace ledgra
