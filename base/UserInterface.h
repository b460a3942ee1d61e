#pragma once
// How the verification run and the renderers talk to the user. The main frame implements it
// with message boxes, its status bar and its HTML view; the command-line host prints events;
// tests record them.

#include <filesystem>
#include <string>

namespace ledgra {

enum class MessageIcon { None, Exclamation, Information };

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // A modal message box with an OK button. Text and caption are code page 949; an empty
    // caption shows the program's name (kProgramName, base/ProgramNames.h).
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    // The text of status bar pane 0 (code page 949).
    virtual void SetStatusText(const std::string& text) = 0;
    // Shows the html file in the page view.
    virtual void NavigateView(const std::filesystem::path& htmlFile) = 0;
};

}  // namespace ledgra
