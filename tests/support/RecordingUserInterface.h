#pragma once
// A UserInterface that records what the user would see, in order, for exact assertions.

#include <filesystem>
#include <string>
#include <vector>

#include "base/UserInterface.h"

namespace ledgra::testing {

class RecordingUserInterface final : public UserInterface {
public:
    struct Event {
        enum class Kind { Message, Status, Navigate };
        Kind kind;
        std::string text;     // code page 949; the message or status text
        std::string caption;  // code page 949; messages only
        MessageIcon icon = MessageIcon::None;
        std::filesystem::path htmlFile;  // navigation only
    };

    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void SetStatusText(const std::string& text) override;
    void NavigateView(const std::filesystem::path& htmlFile) override;

    const std::vector<Event>& Events() const { return m_events; }
    void Clear() { m_events.clear(); }

    // The events as readable UTF-8 lines:
    //   "box|<caption>|!|<text>"  ("!" the exclamation icon, "i" information, "-" none; an empty caption stays
    //                             empty)
    //   "status|<text>"
    //   "navigate|<html file>"
    std::vector<std::string> Lines() const;
    // The message texts alone (UTF-8), in order.
    std::vector<std::string> MessageTexts() const;

private:
    std::vector<Event> m_events;
};

}  // namespace ledgra::testing
