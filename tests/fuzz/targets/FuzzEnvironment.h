#pragma once
// What the targets share for the life of the process: a scratch folder holding the document
// file, the log folder and the page templates' user, a trust folder for the verification
// module, and a user interface that only counts what the user would see.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/UserInterface.h"
#include "tests/support/TempFolder.h"

namespace ledgra::fuzz {

// Counts message boxes (and keeps the last one) instead of showing them.
class CountingUserInterface final : public UserInterface {
public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void SetStatusText(const std::string&) override {}
    void NavigateView(const std::filesystem::path&) override {}

    std::size_t MessageCount() const { return m_messageCount; }
    const std::string& LastMessage() const { return m_lastMessage; }
    const std::string& LastCaption() const { return m_lastCaption; }

private:
    std::size_t m_messageCount = 0;
    std::string m_lastMessage;
    std::string m_lastCaption;
};

// While one lives, a report of libxml2 that the code under test did not capture (it would reach
// the terminal) breaks a rule.
class LibxmlStaysQuiet {
public:
    LibxmlStaysQuiet();
    ~LibxmlStaysQuiet();
    LibxmlStaysQuiet(const LibxmlStaysQuiet&) = delete;
    LibxmlStaysQuiet& operator=(const LibxmlStaysQuiet&) = delete;
};

class FuzzEnvironment {
public:
    // The one environment of the process, made on first use.
    static FuzzEnvironment& Get();

    // Writes the input as the document file `name` in the scratch folder, replacing the last
    // one, and returns its path.
    std::filesystem::path WriteDocument(std::string_view name, std::string_view bytes);
    // The log folder, with its trailing separator, as the frame keeps it.
    const std::filesystem::path& LogFolder() const { return m_logFolder; }
    // The folder whose root certificates the verification module trusts: the fuzz root that
    // signed the seed corpus, unless SetTrustFolder chose another.
    const std::filesystem::path& TrustFolder() const { return m_trustFolder; }
    void SetTrustFolder(std::filesystem::path folder) { m_trustFolder = std::move(folder); }

private:
    FuzzEnvironment();

    testing::TempFolder m_scratch;
    std::filesystem::path m_logFolder;
    std::filesystem::path m_trustFolder;
};

}  // namespace ledgra::fuzz
