#include "base/DocumentFiles.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "base/DocumentPatterns.h"

namespace ledgra {
namespace {

template <typename Iterator>
void CollectDocuments(Iterator entry, const std::filesystem::path& folder,
                      FoundDocuments& found) {
    std::vector<std::filesystem::path> documents;
    std::error_code error;
    for (; entry != Iterator(); entry.increment(error)) {
        if (error) break;
        std::error_code statusError;
        if (entry->is_regular_file(statusError) && IsDocumentFile(entry->path())) {
            documents.push_back(entry->path());
        }
    }
    if (error) found.errors.push_back(folder.native() + ": " + error.message());
    std::sort(documents.begin(), documents.end());
    found.documents.insert(found.documents.end(), documents.begin(), documents.end());
}

}  // namespace

bool IsDocumentFile(const std::filesystem::path& path) {
    const std::string name = path.filename().native();
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string pattern = "*" + name.substr(dot);
    for (char& c : pattern) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return std::find(kDocumentPatterns.begin(), kDocumentPatterns.end(), pattern) !=
           kDocumentPatterns.end();
}

FoundDocuments FindDocuments(const std::vector<std::filesystem::path>& named, bool recursive) {
    FoundDocuments found;
    const auto options = std::filesystem::directory_options::skip_permission_denied;
    for (const std::filesystem::path& path : named) {
        std::error_code error;
        if (!std::filesystem::is_directory(path, error)) {
            found.documents.push_back(path);
        } else if (recursive) {
            CollectDocuments(std::filesystem::recursive_directory_iterator(path, options, error),
                             path, found);
        } else {
            CollectDocuments(std::filesystem::directory_iterator(path, options, error), path,
                             found);
        }
    }
    return found;
}

}  // namespace ledgra
