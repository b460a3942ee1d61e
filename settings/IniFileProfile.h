#pragma once
// The user's settings as the window stored them, read once without Qt. The window keeps them
// through QSettings in its INI format; this reads that format as QSettings reads it (sections,
// escaped keys, quoted and escaped values, continued lines, comments, lists, "@" values), so
// that ledgra-render sees the window's settings without loading Qt. What is written stays in
// memory: the command line never changes the user's settings.

#include <filesystem>
#include <map>
#include <string>

#include "settings/Profile.h"

namespace ledgra {

// The settings file in a folder of settings: <folder>/<organisation>/<application>.conf.
std::filesystem::path SettingsFileIn(const std::filesystem::path& configFolder);

// The user's settings file, where the window's QSettings keeps it.
std::filesystem::path UserSettingsFile();

class IniFileProfile final : public Profile {
public:
    // A missing or unreadable file, or something other than a regular file at its name, reads
    // as a profile with no values.
    explicit IniFileProfile(const std::filesystem::path& file = UserSettingsFile());

    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue = {}) const override;
    int GetProfileInt(std::string_view section, std::string_view key,
                      int defaultValue) const override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;

    // A stored value as QSettings gives it back: a text (UTF-8), a value that is no text (a
    // list, a rectangle: read as an empty text and no number), or no value ("@Invalid()").
    struct Value {
        enum class Kind { Text, NotText, Invalid } kind = Kind::Text;
        std::string text;
    };

private:
    const Value* Find(std::string_view section, std::string_view key) const;

    // By the key's whole path, "<section>/<key>" in UTF-8 ("<key>" in the general section).
    std::map<std::string, Value, std::less<>> m_values;
};

}  // namespace ledgra
