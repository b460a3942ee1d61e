#include "render/FileNotSavedError.h"

#include <string>

#include "text/Cp949.h"
#include "text/SystemErrorText.h"

namespace ledgra {
namespace {

std::string NotSavedMessage(const std::filesystem::path& path, int errorNumber) {
    return "파일을 저장하지 못했습니다: "_cp949 + Cp949FromUtf8(path.native()) + ": " +
           SystemErrorText(errorNumber);
}

}  // namespace

FileNotSavedError::FileNotSavedError(const std::filesystem::path& path, int errorNumber)
    : std::runtime_error(NotSavedMessage(path, errorNumber)) {}

}  // namespace ledgra
