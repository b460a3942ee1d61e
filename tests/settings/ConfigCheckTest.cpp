#include "settings/ConfigCheck.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using Outcome = ConfigCheckResult::Outcome;

const char* const kThreeDigits = "첫번째 사업자번호는 세자리입니다.";
const char* const kTwoDigits = "두번째 사업자번호는 두자리입니다.";
const char* const kFiveDigits = "세번째 사업자번호는 다섯자리입니다.";
const char* const kDigitsOnly = "사업자번호는 숫자만 입력하셔야 합니다.";

struct CheckRow {
    const char* name;
    ConfigValues before;  // UTF-8 here, code page 949 when checked
    ConfigValues entered;
    Outcome outcome;
    const char* message;  // UTF-8; null when stored
    ConfigField field;
};

ConfigValues InCp949(const ConfigValues& utf8) {
    return {Cp949FromUtf8(utf8.defaultFolder), Cp949FromUtf8(utf8.userId1),
            Cp949FromUtf8(utf8.userId2), Cp949FromUtf8(utf8.userId3)};
}

const ConfigValues kStored{"/d/ZOVA/Taxfiles/", "123", "45", "67890"};

const CheckRow kRows[] = {
    {"first start, all empty", {}, {}, Outcome::Refuse, kThreeDigits, ConfigField::FirstGroup},
    {"two digits first",
     {},
     {"", "12", "", ""},
     Outcome::Refuse,
     kThreeDigits,
     ConfigField::FirstGroup},
    {"a letter in the first group",
     {},
     {"", "12a", "", ""},
     Outcome::Refuse,
     kDigitsOnly,
     ConfigField::FirstGroup},
    {"a blank in the first group",
     {},
     {"", "1 3", "45", "67890"},
     Outcome::Refuse,
     kDigitsOnly,
     ConfigField::FirstGroup},
    {"one digit second",
     {},
     {"", "123", "4", "56789"},
     Outcome::Refuse,
     kTwoDigits,
     ConfigField::SecondGroup},
    {"a letter in the second group",
     {},
     {"", "123", "4x", "56789"},
     Outcome::Refuse,
     kDigitsOnly,
     ConfigField::SecondGroup},
    {"four characters third",
     {},
     {"", "123", "45", "6789"},
     Outcome::Refuse,
     kFiveDigits,
     ConfigField::ThirdGroup},
    {"a letter last in the third group",
     {},
     {"", "123", "45", "6789a"},
     Outcome::Refuse,
     kDigitsOnly,
     ConfigField::ThirdGroup},
    // Lengths count code page 949 bytes: a Hangul syllable is two.
    {"one syllable is two bytes",
     {},
     {"", "가", "45", "67890"},
     Outcome::Refuse,
     kThreeDigits,
     ConfigField::FirstGroup},
    {"a syllable and a digit are three bytes",
     {},
     {"", "가1", "45", "67890"},
     Outcome::Refuse,
     kDigitsOnly,
     ConfigField::FirstGroup},
    {"a syllable fills the second group",
     {},
     {"", "123", "가", "67890"},
     Outcome::Refuse,
     kDigitsOnly,
     ConfigField::SecondGroup},
    {"the earlier group is reported first",
     {},
     {"", "12", "4", "6"},
     Outcome::Refuse,
     kThreeDigits,
     ConfigField::FirstGroup},
    {"a valid number",
     {},
     {"", "123", "45", "67890"},
     Outcome::StoreChecked,
     nullptr,
     ConfigField::None},
    {"unchanged and complete: stored unchecked", kStored, kStored, Outcome::StoreUnchecked, nullptr,
     ConfigField::None},
    {"unchanged with an empty folder is checked",
     {"", "123", "45", "67890"},
     {"", "123", "45", "67890"},
     Outcome::StoreChecked,
     nullptr,
     ConfigField::None},
    {"unchanged but invalid and complete passes unchecked",
     {"/", "1", "2", "3"},
     {"/", "1", "2", "3"},
     Outcome::StoreUnchecked,
     nullptr,
     ConfigField::None},
    {"changed values are checked",
     kStored,
     {"/d/ZOVA/Taxfiles/", "123", "45", "6789"},
     Outcome::Refuse,
     kFiveDigits,
     ConfigField::ThirdGroup},
};

TEST(CheckConfig, ChecksTheGroupsInOrder) {
    for (const CheckRow& row : kRows) {
        const ConfigCheckResult result = CheckConfig(InCp949(row.before), InCp949(row.entered));
        EXPECT_EQ(result.outcome, row.outcome) << row.name;
        EXPECT_EQ(result.message, row.message ? Cp949FromUtf8(row.message) : "") << row.name;
        EXPECT_EQ(result.field, row.field) << row.name;
    }
}

TEST(ConfirmedDefaultFolder, IsTheTaxfilesFolderWhenItExistsElseTheRoot) {
    testing::TempFolder folder;
    const std::filesystem::path documents = folder.Path() / "Documents";
    folder.CreateFiles({"Documents/ZOVA/"});
    EXPECT_EQ(ConfirmedDefaultFolder(documents), "/");
    // A file of that name is no folder.
    folder.CreateFiles({"Documents/ZOVA/Taxfiles"});
    EXPECT_EQ(ConfirmedDefaultFolder(documents), "/");
    std::filesystem::remove(documents / "ZOVA/Taxfiles");
    folder.CreateFiles({"Documents/ZOVA/Taxfiles/"});
    EXPECT_EQ(ConfirmedDefaultFolder(documents), (documents / "ZOVA/Taxfiles/").native());
}

}  // namespace
}  // namespace ledgra
