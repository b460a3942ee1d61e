#pragma once
// The user interface of the command line: every event is one UTF-8 line on the output,
//   box<TAB>CAPTION<TAB>TEXT     (a box without a caption of its own shows kProgramName;
//                                 a line break inside TEXT is written as the two characters \n)
//   status<TAB>TEXT
//   navigate<TAB>PATH

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/UserInterface.h"

namespace ledgra {

class ConsoleUserInterface final : public UserInterface {
public:
    explicit ConsoleUserInterface(std::FILE* output) : m_output(output) {}

    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void SetStatusText(const std::string& text) override;
    void NavigateView(const std::filesystem::path& htmlFile) override;

    // Hands a document's lines on to the reader: once per document, not once per line.
    void EndDocument() { std::fflush(m_output); }

    // How often the view was navigated: a run that shows its page navigates once.
    int NavigationCount() const { return m_navigations; }

private:
    void WriteLine(const std::string& line);

    std::FILE* m_output;
    int m_navigations = 0;
};

}  // namespace ledgra
