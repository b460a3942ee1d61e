#include "settings/QSettingsProfile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <system_error>

#include "settings/IniFileProfile.h"
#include "text/Cp949.h"
#include "text/QtCp949.h"
#include "text/SystemErrorText.h"

namespace ledgra {
namespace {

QString KeyPath(std::string_view section, std::string_view key) {
    return QStringFromCp949(section) + QLatin1Char('/') + QStringFromCp949(key);
}

std::filesystem::path NativePath(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

QString ToQString(const std::filesystem::path& file) {
    return QFile::decodeName(QByteArray::fromStdString(file.native()));
}

// Where QSettings keeps the user's settings of this organisation and application (Qt's
// settings folder, which tests move aside).
QString QtUserSettingsFile() {
    return ToQString(SettingsFileIn(
        NativePath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))));
}

std::string FileText(const std::filesystem::path& file) {
    return Cp949FromUtf8(file.native());
}

// Set when something other than a regular file is at the name; a missing file is created on
// the first write.
std::optional<std::string> NotARegularFile(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || S_ISREG(status.st_mode)) return std::nullopt;
    return FileText(file) + ": " + "일반 파일이 아닙니다"_cp949;
}

// QSettings tells only that it could not write: this retraces its steps (the folder, the file,
// a new file beside it) to find why.
std::string WhyNotWritable(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    int cause = error.value();
    if (!error && ::access(file.c_str(), F_OK) == 0 && ::access(file.c_str(), W_OK) != 0) {
        cause = errno;
    }
    if (!error && cause == 0) {
        std::string probe = (file.parent_path() / ".ledgra-probe-XXXXXX").native();
        const int fd = ::mkostemp(probe.data(), O_CLOEXEC);
        if (fd < 0) {
            cause = errno;
        } else {
            ::close(fd);
            ::unlink(probe.c_str());
        }
    }
    return FileText(file) + ": " + (cause != 0 ? SystemErrorText(cause) : "쓸 수 없습니다"_cp949);
}

}  // namespace

QSettingsProfile::QSettingsProfile() : QSettingsProfile(QtUserSettingsFile()) {}

QSettingsProfile::QSettingsProfile(const QString& iniFile)
    : m_file(NativePath(iniFile)), m_ignoredFile(NotARegularFile(m_file)) {
    if (!m_ignoredFile) m_settings.emplace(iniFile, QSettings::IniFormat);
}

std::string QSettingsProfile::GetProfileString(std::string_view section, std::string_view key,
                                               std::string_view defaultValue) const {
    if (!m_settings) return m_memory.GetProfileString(section, key, defaultValue);
    QVariant value = m_settings->value(KeyPath(section, key));
    if (!value.isValid()) return std::string(defaultValue);
    return Cp949FromQString(value.toString());
}

int QSettingsProfile::GetProfileInt(std::string_view section, std::string_view key,
                                    int defaultValue) const {
    if (!m_settings) return m_memory.GetProfileInt(section, key, defaultValue);
    bool ok = false;
    int value = m_settings->value(KeyPath(section, key)).toInt(&ok);
    return ok ? value : defaultValue;
}

void QSettingsProfile::WriteProfileString(std::string_view section, std::string_view key,
                                          std::string_view value) {
    if (!m_settings) return m_memory.WriteProfileString(section, key, value);
    Write(KeyPath(section, key), QStringFromCp949(value));
}

void QSettingsProfile::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    if (!m_settings) return m_memory.WriteProfileInt(section, key, value);
    Write(KeyPath(section, key), value);
}

void QSettingsProfile::Write(const QString& key, const QVariant& value) {
    // QSettings keeps the first error it met: after a failed write, a store of its own (with
    // the values so far) tells whether this write reaches the file.
    if (m_settings->status() == QSettings::AccessError) {
        QVariantMap values;
        for (const QString& name : m_settings->allKeys()) values[name] = m_settings->value(name);
        m_settings.emplace(ToQString(m_file), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            m_settings->setValue(it.key(), it.value());
        }
    }
    m_settings->setValue(key, value);
    m_settings->sync();
}

std::optional<std::string> QSettingsProfile::WriteFailure() const {
    if (m_ignoredFile) return m_ignoredFile;
    if (m_settings->status() != QSettings::AccessError) return std::nullopt;
    return WhyNotWritable(m_file);
}

}  // namespace ledgra
