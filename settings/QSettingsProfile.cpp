#include "settings/QSettingsProfile.h"

#include "base/ProgramNames.h"
#include "text/QtCp949.h"

namespace ledgra {
namespace {

QString KeyPath(std::string_view section, std::string_view key) {
    return QStringFromCp949(section) + QLatin1Char('/') + QStringFromCp949(key);
}

}  // namespace

QSettingsProfile::QSettingsProfile()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope,
                 QString::fromLatin1(kProfileOrganisation),
                 QString::fromLatin1(kProfileApplication)) {}

QSettingsProfile::QSettingsProfile(const QString& iniFile)
    : m_settings(iniFile, QSettings::IniFormat) {}

std::string QSettingsProfile::GetProfileString(std::string_view section, std::string_view key,
                                               std::string_view defaultValue) const {
    QVariant value = m_settings.value(KeyPath(section, key));
    if (!value.isValid()) return std::string(defaultValue);
    return Cp949FromQString(value.toString());
}

int QSettingsProfile::GetProfileInt(std::string_view section, std::string_view key,
                                    int defaultValue) const {
    bool ok = false;
    int value = m_settings.value(KeyPath(section, key)).toInt(&ok);
    return ok ? value : defaultValue;
}

void QSettingsProfile::WriteProfileString(std::string_view section, std::string_view key,
                                          std::string_view value) {
    m_settings.setValue(KeyPath(section, key), QStringFromCp949(value));
    m_settings.sync();
}

void QSettingsProfile::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    m_settings.setValue(KeyPath(section, key), value);
    m_settings.sync();
}

}  // namespace ledgra
