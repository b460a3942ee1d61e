#include "tests/fuzz/targets/FuzzEnvironment.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "render/XmlLibrary.h"
#include "tests/fuzz/targets/FuzzCheck.h"

namespace ledgra::fuzz {

void FuzzCheckFailed(std::string_view rule, const char* file, int line) {
    std::fprintf(stderr, "\nFuzz rule broken at %s:%d: %.*s\n", file, line,
                 static_cast<int>(rule.size()), rule.data());
    std::abort();
}

void CountingUserInterface::ShowMessage(const std::string& text, const std::string& caption,
                                        MessageIcon) {
    ++m_messageCount;
    m_lastMessage = text;
    m_lastCaption = caption;
}

namespace {

void ReportEscaped(void*, const char*, ...) {
    FuzzCheckFailed("a libxml2 message escaped to the terminal", __FILE__, __LINE__);
}

// The error type is a template parameter because libxml2 made it const in later versions.
template <typename ErrorPointer>
void StructuredReportEscaped(void*, ErrorPointer) {
    FuzzCheckFailed("a libxml2 message escaped to the terminal", __FILE__, __LINE__);
}

}  // namespace

LibxmlStaysQuiet::LibxmlStaysQuiet() {
    PrepareXmlLibrary();
    xmlSetGenericErrorFunc(nullptr, ReportEscaped);
    xmlSetStructuredErrorFunc(nullptr, StructuredReportEscaped);
}

LibxmlStaysQuiet::~LibxmlStaysQuiet() {
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    xmlSetGenericErrorFunc(nullptr, nullptr);
}

FuzzEnvironment& FuzzEnvironment::Get() {
    static FuzzEnvironment environment;
    return environment;
}

FuzzEnvironment::FuzzEnvironment() : m_trustFolder(LEDGRA_FUZZ_TRUST_FOLDER) {
    std::filesystem::create_directories(m_scratch.Path() / "Logs");
    m_logFolder = m_scratch.Path() / "Logs/";
}

std::filesystem::path FuzzEnvironment::WriteDocument(std::string_view name,
                                                     std::string_view bytes) {
    const std::filesystem::path path = m_scratch.Path() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    FUZZ_CHECK(out.good());
    return path;
}

}  // namespace ledgra::fuzz
