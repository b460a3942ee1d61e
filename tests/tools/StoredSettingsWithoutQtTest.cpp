// ledgra-render reads the user's folders and settings without Qt: what it finds must be what
// the window finds through Qt, for whatever the window wrote and for files edited by hand.

#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/UserFolders.h"
#include "settings/IniFileProfile.h"
#include "settings/QSettingsProfile.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::TempFolder;

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.native());
}

// Both readers give the same text and number for every key.
void ExpectSameReading(const std::filesystem::path& file,
                       const std::vector<std::pair<std::string, std::string>>& keys,
                       const std::string& context) {
    const QSettingsProfile qt(ToQString(file));
    const IniFileProfile plain(file);
    for (const auto& [section, key] : keys) {
        SCOPED_TRACE(context + " / " + section + "/" + key);
        EXPECT_EQ(plain.GetProfileString(section, key, "<none>"),
                  qt.GetProfileString(section, key, "<none>"));
        EXPECT_EQ(plain.GetProfileInt(section, key, -99), qt.GetProfileInt(section, key, -99));
    }
}

TEST(StoredSettingsWithoutQt, ReadsEveryValueTheWindowWrote) {
    // Texts made of what the file format must escape or quote, Korean, and digits.
    const std::vector<std::string> pieces = {
        "a",    " ", "\t", ",", ";", "=",  "\"", "\\", "@", "\n", "\r", "\x01",
        "\x7f", "0", "7",  "-", "+", "가", "한", "(",  ")", "%",  "x",  "ByteArray("};
    const std::vector<std::pair<std::string, std::string>> keys = {{"Settings", "User ID1"},
                                                                   {"Settings", "html file"},
                                                                   {"Settings", "default folder"},
                                                                   {"Settings", "IsChecked"},
                                                                   {"설정 %", "키=;"}};
    std::mt19937 random(20261208);
    TempFolder folder;
    for (int round = 0; round < 60; ++round) {
        const std::filesystem::path file = folder.Path() / ("round" + std::to_string(round));
        {
            QSettingsProfile writer(ToQString(file));
            for (const auto& [section, key] : keys) {
                std::string text;
                for (std::size_t n = random() % 9; n > 0; --n)
                    text += pieces[random() % pieces.size()];
                if (random() % 4 == 0) {
                    writer.WriteProfileInt(section, key,
                                           static_cast<int>(static_cast<std::int64_t>(random()) -
                                                            (std::int64_t{1} << 31)));
                } else {
                    writer.WriteProfileString(section, key, Cp949FromUtf8(text));
                }
            }
        }
        ExpectSameReading(file, keys, "round " + std::to_string(round));
    }
}

TEST(StoredSettingsWithoutQt, ReadsHandEditedFilesAsQtDoes) {
    const std::vector<std::string> files = {
        "[Settings]\na=1\n",
        "[Settings]\r\na = 12 \r\nb=\"a\r\nb\"\r\n",
        "\xEF\xBB\xBF[Settings]\na=x\n",
        "[Settings]\na=\"  quoted ; , = \"\nb=\"q\"tail  \n",
        "[Settings]\na=one, two\nb=\"one\", \"two\"\n",
        "[Settings]\na=\\x41\\102\\n\\t end\\\n continued\nb=x\\y\\z \\x4g\\x\n",
        "[Settings]\n; comment\na=1 ; comment\nb=\"1 ; not\"\n",
        "[Settings]\na=\"multi\nline\"\nb=\"unterminated\n",
        "[Settings]\na=@@at\nb=@ByteArray(bytes \xEA\xB0\x80)\nUser%20ID1=@Invalid()\n",
        "[Settings]\na=@String(s)\nb=@Rect(1 2 3 4)\nUser%20ID1=@Unknown(1)\n",
        "[settings]\na=case\n[ Settings ]\nb=spaced\n",
        "[Settings]\na=1\n[Other]\na=2\n[Settings]\nb=3\na=4\n",
        "[Settings]\n  a  =  spaced  \nnoequals\nb==x=\n",
        "[%53ettings]\na=escaped section\nUser%20ID1=%41\n",
        "[Settings]\nUser%20ID1=1234567890\na=2147483648\nb=99999999999999999999\n",
        "[Settings]\na=+12\nb= -7 \nUser%20ID1=+-1\n",
        "[Settings]\na=\\",
        "[Settings]\na = x\\\nb=\\\r\n",
        "a=general\n[Settings\na=no bracket\n[Settings]x\nb=after\n",
        "[Settings]\na=가나 \nb=\\xac00\\0\n",
        "[General]\na=g\n[%General]\na=pg\n[Settings]\na=\\\"\\'\\?\\a\n",
    };
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"Settings", "a"}, {"Settings", "b"}, {"Settings", "User ID1"}, {"settings", "a"},
        {"Other", "a"},    {"General", "a"},  {"Settings x", "b"}};
    TempFolder folder;
    for (std::size_t row = 0; row < files.size(); ++row) {
        ExpectSameReading(folder.Write("row" + std::to_string(row), files[row]), keys, files[row]);
    }
}

// Sets environment variables for one row and puts them back after it.
class ScopedEnvironment {
public:
    void Set(const char* name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnvironment() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first, it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first);
            }
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

TEST(StoredSettingsWithoutQt, FindsTheFoldersQtFinds) {
    struct Row {
        const char* home;        // below the test's folder
        const char* configHome;  // below the test's folder; none: unset
        const char* userDirs;    // user-dirs.dirs in the config folder; none: no file
    };
    const Row rows[] = {
        {"home", nullptr, nullptr},
        {"home/", nullptr, nullptr},
        {"home", nullptr, "XDG_DOCUMENTS_DIR=\"$HOME/문서\"\n"},
        {"home", nullptr, "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"},
        {"home", nullptr,
         "# made by hand\nXDG_DOCUMENTS_DIR=$HOME/first\nXDG_DOCUMENTS_DIR=\"$HOME/last\"\n"},
        {"home", nullptr, "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"},
        {"home", nullptr, "XDG_DOCUMENTS_DIR=\"$HOME/crlf\"\r\n"},
        {"home", nullptr, "XDG_DOCUMENTS_DIR=\"\"\n"},
        {"home", nullptr, "XDG_DOCUMENTS_DIR=\"$HOME/a_DIR=b\"\n"},
        {"home", "elsewhere", "XDG_DOCUMENTS_DIR=\"$HOME/from elsewhere\"\n"},
        {"./home/../home", nullptr, nullptr},
    };
    const bool testMode = QStandardPaths::isTestModeEnabled();
    QStandardPaths::setTestModeEnabled(false);
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.home) + " | " + (row.configHome ? row.configHome : "-") +
                     " | " + (row.userDirs ? row.userDirs : "-"));
        TempFolder folder;
        ScopedEnvironment environment;
        environment.Set("HOME", (folder.Path() / row.home).native());
        environment.Set("XDG_CONFIG_HOME",
                        row.configHome
                            ? std::optional<std::string>((folder.Path() / row.configHome).native())
                            : std::nullopt);
        if (row.userDirs) {
            const std::string configFolder = row.configHome ? row.configHome : "home/.config";
            folder.Write(configFolder + "/user-dirs.dirs", row.userDirs);
        }
        EXPECT_EQ(
            DocumentsLocation(),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
        EXPECT_EQ(
            ConfigLocation(),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString());
    }
    QStandardPaths::setTestModeEnabled(testMode);
}

}  // namespace
}  // namespace ledgra
