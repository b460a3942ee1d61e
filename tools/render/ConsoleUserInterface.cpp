#include "tools/render/ConsoleUserInterface.h"

#include "base/ProgramNames.h"
#include "text/ByteString.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// One event per line: line breaks inside a text are written as "\n".
std::string OneLine(const std::string& cp949Text) {
    return ReplaceAll(Utf8FromCp949(cp949Text), "\n", "\\n");
}

}  // namespace

void ConsoleUserInterface::ShowMessage(const std::string& text, const std::string& caption,
                                       MessageIcon) {
    const std::string shownCaption = caption.empty() ? kProgramName : OneLine(caption);
    WriteLine("box\t" + shownCaption + "\t" + OneLine(text));
}

void ConsoleUserInterface::SetStatusText(const std::string& text) {
    WriteLine("status\t" + OneLine(text));
}

void ConsoleUserInterface::NavigateView(const std::filesystem::path& htmlFile) {
    ++m_navigations;
    WriteLine("navigate\t" + htmlFile.native());
}

void ConsoleUserInterface::WriteLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), m_output);
    std::fputc('\n', m_output);
}

}  // namespace ledgra
