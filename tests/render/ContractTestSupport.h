#pragma once
// Contract documents built from parts for the render tests.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ledgra::testing {

// One File node; each part is left out when it is nothing. Name and content are given
// decoded (code page 949 bytes) and written as Base64.
struct FileNode {
    std::optional<std::string> name = std::nullopt;
    std::optional<std::string> content = std::nullopt;
};

// One DataArea: the body given decoded (nothing leaves Document out, "" writes it empty), the
// FileCount text (nothing leaves it out) and the File nodes.
struct DataArea {
    std::optional<std::string> body = std::string("<p>body</p>");
    std::optional<std::string> fileCount = std::nullopt;
    std::vector<FileNode> files = {};
};

// The contract document (code page 949) with these DataAreas.
std::string ContractXml(const std::vector<DataArea>& areas);

}  // namespace ledgra::testing
