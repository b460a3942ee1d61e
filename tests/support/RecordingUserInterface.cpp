#include "tests/support/RecordingUserInterface.h"

#include "text/Cp949.h"

namespace ledgra::testing {

void RecordingUserInterface::ShowMessage(const std::string& text, const std::string& caption,
                                         MessageIcon icon) {
    m_events.push_back({Event::Kind::Message, text, caption, icon, {}});
}

void RecordingUserInterface::SetStatusText(const std::string& text) {
    m_events.push_back({Event::Kind::Status, text, {}, MessageIcon::None, {}});
}

void RecordingUserInterface::NavigateView(const std::filesystem::path& htmlFile) {
    m_events.push_back({Event::Kind::Navigate, {}, {}, MessageIcon::None, htmlFile});
}

namespace {

std::string IconMark(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return "|!|";
        case MessageIcon::Information:
            return "|i|";
        case MessageIcon::None:
            break;
    }
    return "|-|";
}

}  // namespace

std::vector<std::string> RecordingUserInterface::Lines() const {
    std::vector<std::string> lines;
    for (const Event& event : m_events) {
        switch (event.kind) {
            case Event::Kind::Message:
                lines.push_back("box|" + Utf8FromCp949(event.caption) +
                                IconMark(event.icon) +
                                Utf8FromCp949(event.text));
                break;
            case Event::Kind::Status:
                lines.push_back("status|" + Utf8FromCp949(event.text));
                break;
            case Event::Kind::Navigate:
                lines.push_back("navigate|" + event.htmlFile.string());
                break;
        }
    }
    return lines;
}

std::vector<std::string> RecordingUserInterface::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Event& event : m_events) {
        if (event.kind == Event::Kind::Message) texts.push_back(Utf8FromCp949(event.text));
    }
    return texts;
}

}  // namespace ledgra::testing
