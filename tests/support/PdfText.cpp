#include "tests/support/PdfText.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace ledgra::testing {
namespace {

// A path as one shell word.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

// The command's output; nullopt when it cannot run or ends with a failure.
std::optional<std::string> Output(const std::string& command) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string output;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, read);
    }
    if (::pclose(pipe) != 0) return std::nullopt;
    return output;
}

}  // namespace

bool HasPopplerTools() {
    return std::system(
               "command -v pdftotext >/dev/null 2>&1 && command -v pdfinfo >/dev/null 2>&1") == 0;
}

std::optional<std::string> PdfText(const std::filesystem::path& pdf) {
    return Output("pdftotext -enc UTF-8 " + Quoted(pdf.native()) + " - 2>/dev/null");
}

std::string PdfInfoField(const std::filesystem::path& pdf, const std::string& field) {
    const std::optional<std::string> info =
        Output("pdfinfo -enc UTF-8 " + Quoted(pdf.native()) + " 2>/dev/null");
    if (!info) return {};
    // "<field>:" padded with spaces to the value, one field a line.
    const std::string lines = "\n" + *info;
    const std::size_t at = lines.find("\n" + field + ":");
    if (at == std::string::npos) return {};
    std::size_t start = at + field.size() + 2;
    while (start < lines.size() && lines[start] == ' ') ++start;
    return lines.substr(start, lines.find('\n', start) - start);
}

int PdfPageCount(const std::filesystem::path& pdf) {
    return std::atoi(PdfInfoField(pdf, "Pages").c_str());
}

std::vector<std::string> PdfImageSizes(const std::filesystem::path& pdf) {
    // After two heading lines: page, number, type, width, height, ...; masks are no pictures.
    std::istringstream lines(
        Output("pdfimages -list " + Quoted(pdf.native()) + " 2>/dev/null").value_or(""));
    std::vector<std::string> sizes;
    std::string line, page, number, type, width, height;
    for (int heading = 0; heading < 2 && std::getline(lines, line);) ++heading;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        if (fields >> page >> number >> type >> width >> height && type == "image") {
            sizes.push_back(width + "x" + height);
        }
    }
    return sizes;
}

std::vector<std::string> PdfAttachmentNames(const std::filesystem::path& pdf) {
    // "<n> embedded files", then "<i>: <name>" per file.
    std::istringstream lines(
        Output("pdfdetach -list " + Quoted(pdf.native()) + " 2>/dev/null").value_or(""));
    std::vector<std::string> names;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos) names.push_back(line.substr(colon + 2));
    }
    return names;
}

std::optional<std::string> PdfAttachment(const std::filesystem::path& pdf, int number) {
    return Output("pdfdetach -save " + std::to_string(number) + " -o /dev/stdout " +
                  Quoted(pdf.native()) + " 2>/dev/null");
}

}  // namespace ledgra::testing
