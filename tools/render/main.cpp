// ledgra-render: the viewer's verification run on the command line. It runs the same run as the
// window, writes the same files, and prints every message box, status text and navigation of
// the page view as a line (see ConsoleUserInterface.h). What needs the browser engine goes on
// in the engine's program (see EngineProgram.h).

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "base/Folders.h"
#include "base/UserFolders.h"
#include "tools/render/CheckCommand.h"
#include "tools/render/EngineProgram.h"
#include "tools/render/LedgerCommand.h"
#include "tools/render/CommandLine.h"
#include "tools/render/RenderCommand.h"
#include "tools/render/RenderOptions.h"

int main(int argc, char** argv) {
    // A file over the size limit fails its write with a message, as in the window, instead of
    // ending the program half-way through its documents.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (ledgra::IsThumbnailCommand(arguments)) return ledgra::ContinueInEngineProgram(argv);
    if (ledgra::IsCheckCommand(arguments)) {
        return ledgra::RunCheckCommand(arguments, ledgra::TrustFolder(ledgra::DocumentsLocation()));
    }
    if (ledgra::IsLedgerCommand(arguments)) {
        return ledgra::RunLedgerCommand(arguments, ledgra::TrustFolder(ledgra::DocumentsLocation()));
    }
    const ledgra::ParsedRenderOptions parsed = ledgra::ParseRenderOptions(arguments);
    if (!parsed.error.empty()) return ledgra::UsageError(parsed.error, ledgra::kRenderUsage);
    if (parsed.options.help) {
        std::fputs(ledgra::kRenderUsage, stdout);
        return ledgra::kAllShown;
    }
    if (parsed.options.pdfFolder) return ledgra::ContinueInEngineProgram(argv);
    return ledgra::RunRenderCommand(parsed.options);
}
