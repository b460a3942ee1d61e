#include "settings/ConfigCheck.h"

#include <system_error>

#include "base/Folders.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

bool AllDigits(const std::string& group) {
    for (char c : group) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

ConfigCheckResult Refuse(const std::string& message, ConfigField field) {
    return {ConfigCheckResult::Outcome::Refuse, message, field};
}

}  // namespace

ConfigCheckResult CheckConfig(const ConfigValues& before, const ConfigValues& entered) {
    const bool complete = !entered.defaultFolder.empty() && !entered.userId1.empty() &&
                          !entered.userId2.empty() && !entered.userId3.empty();
    if (entered == before && complete) return {ConfigCheckResult::Outcome::StoreUnchecked, {}, {}};

    const std::string& digitsOnly = "사업자번호는 숫자만 입력하셔야 합니다."_cp949;
    if (entered.userId1.size() != 3) {
        return Refuse("첫번째 사업자번호는 세자리입니다."_cp949, ConfigField::FirstGroup);
    }
    if (!AllDigits(entered.userId1)) return Refuse(digitsOnly, ConfigField::FirstGroup);
    if (entered.userId2.size() != 2) {
        return Refuse("두번째 사업자번호는 두자리입니다."_cp949, ConfigField::SecondGroup);
    }
    if (!AllDigits(entered.userId2)) return Refuse(digitsOnly, ConfigField::SecondGroup);
    if (entered.userId3.size() != 5) {
        return Refuse("세번째 사업자번호는 다섯자리입니다."_cp949, ConfigField::ThirdGroup);
    }
    if (!AllDigits(entered.userId3)) return Refuse(digitsOnly, ConfigField::ThirdGroup);
    return {ConfigCheckResult::Outcome::StoreChecked, {}, {}};
}

std::string ConfirmedDefaultFolder(const std::filesystem::path& documents) {
    const std::filesystem::path taxfiles = TaxfilesFolder(documents);
    std::error_code error;
    if (std::filesystem::is_directory(taxfiles, error)) return Cp949FromUtf8(taxfiles.native());
    return kFallbackDefaultFolder;
}

}  // namespace ledgra
