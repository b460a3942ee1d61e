#pragma once
// A file a page needs (the page itself, a seal image, an attachment) could not be written. The
// run fails with this error's message rather than show a page that refers to an older file of
// the same name.

#include <filesystem>
#include <stdexcept>

namespace ledgra {

class FileNotSavedError : public std::runtime_error {
public:
    // `errorNumber` is the errno of the failed write.
    FileNotSavedError(const std::filesystem::path& path, int errorNumber);

    // "파일을 저장하지 못했습니다: <path>: <reason>", code page 949.
    const char* Message() const { return what(); }
};

}  // namespace ledgra
