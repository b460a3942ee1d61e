#include "tools/render/DocumentWalk.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "base/DocumentPatterns.h"
#include "verify/ExtensionPattern.h"

namespace ledgra {
namespace {

bool IsDocument(const std::filesystem::path& path) {
    const std::string pattern = ExtensionPattern(path.filename().native());
    return std::find(kDocumentPatterns.begin(), kDocumentPatterns.end(), pattern) !=
           kDocumentPatterns.end();
}

void WalkFolder(const std::filesystem::path& folder, WalkedDocuments& walked) {
    namespace fs = std::filesystem;
    std::vector<fs::path> found;
    std::error_code error;
    fs::recursive_directory_iterator entry(folder, fs::directory_options::skip_permission_denied,
                                           error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        std::error_code typeError;
        if (entry->is_regular_file(typeError) && IsDocument(entry->path())) {
            found.push_back(entry->path());
        }
    }
    if (error) walked.errors.push_back(folder.native() + ": " + error.message());
    std::sort(found.begin(), found.end());
    walked.documents.insert(walked.documents.end(), found.begin(), found.end());
}

}  // namespace

WalkedDocuments WalkDocuments(const std::vector<std::filesystem::path>& named) {
    WalkedDocuments walked;
    for (const std::filesystem::path& path : named) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            WalkFolder(path, walked);
        } else {
            // Whatever it is, the run says what it makes of it.
            walked.documents.push_back(path);
        }
    }
    return walked;
}

}  // namespace ledgra
