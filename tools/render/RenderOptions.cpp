#include "tools/render/RenderOptions.h"

#include <charconv>
#include <utility>

#include "tools/render/CommandLine.h"

namespace ledgra {

const char* const kRenderUsage =
    "Usage: ledgra-render [OPTIONS] DOCUMENT...\n"
    "Runs the viewer's verification run on each document and prints what the user would see.\n"
    "\n"
    "  --verify            run the verify form (VerifyDocument); default is the show form\n"
    "                      (ShowDocument)\n"
    "  --other-copy N      after each document, press the copy button N times (each press\n"
    "                      re-shows the other copy)\n"
    "  --own-number TEXT   the joined own registration number used by the copy choice\n"
    "                      (default: the stored User ID1..3)\n"
    "  --log-folder DIR    the log folder (default: <Documents>/ZOVA/Logs/, created if missing)\n"
    "  --html FILE         the html file (default: the stored \"html file\" setting, else\n"
    "                      <log folder>zova_document.html)\n"
    "  --templates DIR     read page template N from DIR/N.html instead of the built-in\n"
    "                      templates\n"
    "  --trust DIR         the trust folder (default: <Documents>/ZOVA/CA/)\n"
    "  --pdf DIR           save the page each document ended with as DIR/<name>.pdf\n"
    "                      (created if missing; a later document of the same name in the\n"
    "                      run gets \"<name> (2).pdf\")\n"
    "  --check             check the invoices of the documents and folders given instead,\n"
    "                      writing no page (see --check --help)\n"
    "  --ledger FILE       write the ledger of the documents and folders given to FILE\n"
    "                      (.xlsx or .csv) instead, writing no page\n"
    "  -h, --help          show this help\n"
    "\n"
    "ledgra-render --thumbnail SIZE DOCUMENT PNG writes the form of DOCUMENT, verified and\n"
    "rendered as above, as a PNG whose longer side is SIZE pixels (16 to 1024), for file\n"
    "managers; exit status 1 and no PNG when the document is not shown.\n"
    "\n"
    "Output, one UTF-8 line per event: box<TAB>CAPTION<TAB>TEXT, status<TAB>TEXT,\n"
    "navigate<TAB>PATH. Exit status: 0 when every run showed its page, 1 when any failed,\n"
    "2 for a usage error. A PDF that cannot be written is reported on the error output\n"
    "and makes the exit status 1.\n";

namespace {

// Presses beyond this are surely a mistake.
constexpr int kMaxOtherCopyPresses = 1000;

std::optional<int> PressCount(const std::string& text) {
    int count = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, count);
    if (text.empty() || error != std::errc() || stop != end || count < 0 ||
        count > kMaxOtherCopyPresses) {
        return std::nullopt;
    }
    return count;
}

}  // namespace

ParsedRenderOptions ParseRenderOptions(const std::vector<std::string>& arguments) {
    ParsedRenderOptions parsed;
    RenderOptions& options = parsed.options;
    auto fail = [&parsed](std::string error) {
        parsed.error = std::move(error);
        return false;
    };
    const bool read = ReadArguments(arguments, options.documents, [&](std::size_t& at) {
        const std::string& argument = arguments[at];
        if (argument == "-h" || argument == "--help") {
            options.help = true;
            return true;
        }
        if (argument == "--verify") {
            options.verify = true;
            return true;
        }

        const bool takesValue = argument == "--other-copy" || argument == "--own-number" ||
                                argument == "--log-folder" || argument == "--html" ||
                                argument == "--templates" || argument == "--trust" ||
                                argument == "--pdf";
        if (!takesValue) return fail("unknown option " + argument);
        if (at + 1 == arguments.size()) return fail(argument + " needs a value");
        const std::string& value = arguments[++at];
        if (argument == "--other-copy") {
            const std::optional<int> presses = PressCount(value);
            if (!presses) {
                return fail("--other-copy takes a number of presses from 0 to " +
                            std::to_string(kMaxOtherCopyPresses) + ", not " + value);
            }
            options.otherCopyPresses = *presses;
        } else if (argument == "--own-number") {
            options.ownNumber = value;
        } else if (value.empty()) {
            return fail(argument + " needs a non-empty path");
        } else if (argument == "--log-folder") {
            options.logFolder = value;
        } else if (argument == "--html") {
            options.htmlFile = value;
        } else if (argument == "--templates") {
            options.templatesFolder = value;
        } else if (argument == "--pdf") {
            options.pdfFolder = value;
        } else {
            options.trustFolder = value;
        }
        return true;
    });
    if (read && !options.help && options.documents.empty()) parsed.error = "no document given";
    return parsed;
}

}  // namespace ledgra
