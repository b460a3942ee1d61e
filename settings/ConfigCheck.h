#pragma once
// What the settings dialog's OK decides: the user's own registration number is three groups of
// 3, 2 and 5 digits, checked in a fixed order; the first failure names its message and the field
// that gets the focus. Texts are code page 949 and lengths count its bytes.

#include <filesystem>
#include <string>

namespace ledgra {

// The default folder when the documents' folder is missing or the folder picker gave none.
inline constexpr const char* kFallbackDefaultFolder = "/";

// The dialog's four values: the default folder and the three groups of the number.
struct ConfigValues {
    std::string defaultFolder;
    std::string userId1;
    std::string userId2;
    std::string userId3;

    bool operator==(const ConfigValues&) const = default;
};

// The number fields by their control ids.
enum class ConfigField { None = 0, FirstGroup = 1003, SecondGroup = 1004, ThirdGroup = 1005 };

struct ConfigCheckResult {
    enum class Outcome {
        // Nothing changed and nothing is empty: store the values as they are, unchecked.
        StoreUnchecked,
        // Every check passed: recompute the default folder, then store.
        StoreChecked,
        // A check failed: show the message, focus the field, store nothing.
        Refuse,
    };
    Outcome outcome = Outcome::Refuse;
    std::string message;  // code page 949; empty unless refused
    ConfigField field = ConfigField::None;
};

// `before` holds the values as the dialog had them before it read its fields, `entered` the
// values read from them.
ConfigCheckResult CheckConfig(const ConfigValues& before, const ConfigValues& entered);

// The default folder an accepted check stores: <documents>/ZOVA/Taxfiles/ when that folder
// exists, else the file-system root. Code page 949, as every stored string.
std::string ConfirmedDefaultFolder(const std::filesystem::path& documents);

}  // namespace ledgra
