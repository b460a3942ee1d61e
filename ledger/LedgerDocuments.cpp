#include "ledger/LedgerDocuments.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

namespace ledgra {
namespace {

constexpr std::array<std::string_view, 5> kDocumentExtensions{"KTX", "KCX", "TSN", "CQS", "XML"};

template <typename Iterator>
void CollectDocuments(Iterator entries, std::vector<std::filesystem::path>& documents) {
    std::error_code error;
    for (auto entry = entries; entry != Iterator(); entry.increment(error)) {
        if (error) break;
        std::error_code statusError;
        if (entry->is_regular_file(statusError) && IsDocumentFile(entry->path())) {
            documents.push_back(entry->path());
        }
    }
}

}  // namespace

bool IsDocumentFile(const std::filesystem::path& path) {
    const std::string name = path.filename().native();
    const std::size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? name : name.substr(dot + 1);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return std::find(kDocumentExtensions.begin(), kDocumentExtensions.end(), extension) !=
           kDocumentExtensions.end();
}

std::vector<std::filesystem::path> LedgerDocuments(
    const std::vector<std::filesystem::path>& arguments, bool recursive) {
    std::vector<std::filesystem::path> documents;
    for (const std::filesystem::path& argument : arguments) {
        std::error_code error;
        if (!std::filesystem::is_directory(argument, error)) {
            documents.push_back(argument);
            continue;
        }
        std::vector<std::filesystem::path> found;
        const auto options = std::filesystem::directory_options::skip_permission_denied;
        if (recursive) {
            CollectDocuments(
                std::filesystem::recursive_directory_iterator(argument, options, error), found);
        } else {
            CollectDocuments(std::filesystem::directory_iterator(argument, options, error), found);
        }
        std::sort(found.begin(), found.end());
        documents.insert(documents.end(), found.begin(), found.end());
    }
    return documents;
}

}  // namespace ledgra
