#pragma once
// Rendering contracts and content pages in tests: contract documents built from parts, probe
// templates that show each placeholder's value, and a log folder of their own.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "verify/FrameState.h"
#include "render/PageTemplates.h"
#include "render/Renderer.h"
#include "settings/Profile.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/TempFolder.h"

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

// A frame, templates, user and log folder ("<temp>/Logs/") for one test. Template 188 is
// "{body::계약서내용:}{list::첨부파일:}" and 208 "[:내용:]" unless `builtInTemplates`.
class ContractRendering {
public:
    explicit ContractRendering(bool builtInTemplates = false);

    std::string RenderContract(const std::string& content);
    std::string RenderContentPage(const std::string& content);
    // The two parts of a probe page: the body cell and the list cell.
    static std::string BodyCell(const std::string& page);
    static std::string ListCell(const std::string& page);

    // The names of the files in the log folder, sorted (UTF-8, as on disk).
    std::vector<std::string> LogFiles() const;
    // The names in the test's folder beside the log folder, sorted.
    std::vector<std::string> FolderEntries() const;

    TempFolder folder;
    std::filesystem::path logFolder;
    FrameState frame;
    MemoryProfile profile;
    RecordingUserInterface ui;
    PageTemplates templates;
};

}  // namespace ledgra::testing
