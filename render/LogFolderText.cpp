#include "render/LogFolderText.h"

#include "text/Cp949.h"

namespace ledgra {

std::string LogFolderPageText(const std::filesystem::path& logFolder, std::string_view fileName) {
    std::string text = Cp949FromUtf8(logFolder.native());
    text += fileName;
    return text;
}

}  // namespace ledgra
