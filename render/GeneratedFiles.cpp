#include <algorithm>

#include "render/FileAccess.h"
#include "render/PageFilling.h"
#include "text/Cp949.h"

namespace ledgra {

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    std::string text = ReadRegularFile(path, maxBytes).value_or(std::string());
    // The text ends at its first NUL byte, as a C string would.
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

bool WriteGeneratedFile(const std::filesystem::path& path, std::string_view bytes) {
    return WriteOwnFile(path, bytes);
}

std::string LogFolderPageText(const FrameState& frame, std::string_view fileName) {
    std::string text = Cp949FromUtf8(frame.m_strLogFolder.native());
    text += fileName;
    return text;
}

}  // namespace ledgra
