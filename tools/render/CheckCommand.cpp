#include "tools/render/CheckCommand.h"

#include <cstdio>
#include <optional>

#include "base/DocumentFiles.h"
#include "records/InvoiceChecks.h"
#include "records/ReadInvoiceRecord.h"
#include "records/RecordValues.h"
#include "render/PageTemplates.h"
#include "settings/Profile.h"
#include "text/ByteString.h"
#include "tools/render/CommandLine.h"
#include "tools/render/ConsoleUserInterface.h"
#include "verify/SignedDataVerifier.h"
#include "verify/VerificationRun.h"
#include "verify/VerificationRunAhead.h"

namespace ledgra {
namespace {

constexpr int kAllCorrect = 0;
constexpr int kSomeWrong = 1;

constexpr const char* kCheckUsage =
    "Usage: ledgra-render --check [--verify] [--trust DIR] DOCUMENT|FOLDER...\n"
    "Verifies each document as the viewer does and checks each invoice among them; folders\n"
    "are walked for the documents the viewer lists. Writes no page.\n"
    "\n"
    "  --verify            verify in the verify form (VerifyDocument); default is the show form\n"
    "  --trust DIR         the trust folder (default: <Documents>/ZOVA/CA/)\n"
    "\n"
    "Output, one UTF-8 line each, besides the run's event lines:\n"
    "  check<TAB>PATH<TAB>RULE<TAB>SEVERITY<TAB>MESSAGE   a finding (오류 or 경고)\n"
    "  checked<TAB>PATH<TAB>N errors<TAB>M warnings       after an invoice's findings\n"
    "  unreadable<TAB>PATH                                a verified file that is no invoice's\n"
    "                                                     content\n"
    "Exit status: 0 when every document passed its verification and no finding is an error,\n"
    "1 otherwise, 2 for a usage error.\n";

struct CheckOptions {
    bool verify = false;
    std::optional<std::filesystem::path> trustFolder;
    std::vector<std::filesystem::path> named;
};

// A value or path on a line of its own: tabs and line breaks written as \t, \n and \r.
std::string OneField(std::string_view text) {
    return ReplaceAll(ReplaceAll(ReplaceAll(text, "\t", "\\t"), "\n", "\\n"), "\r", "\\r");
}

void WriteLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// Checks one verified document; false when it is an invoice that does not read as one or
// that has an error.
bool CheckDocument(const std::filesystem::path& path, const VerifiedDocument& document,
                   ApprovalNumberSet& approvalNumbers, const CalendarDate& today) {
    if (!InvoiceSchemaFor(document.pattern)) return true;
    const std::string shownPath = OneField(path.native());
    const std::optional<InvoiceRecord> record =
        ReadInvoiceRecord(document.pattern, document.ShownContent(), document.ShownTree());
    if (!record) {
        WriteLine("unreadable\t" + shownPath);
        return false;
    }
    std::vector<Finding> findings = CheckInvoice(*record, today);
    if (std::optional<Finding> again = approvalNumbers.Add(*record, path.native())) {
        findings.push_back(std::move(*again));
    }
    int errors = 0;
    for (const Finding& finding : findings) {
        errors += finding.severity == Severity::Error ? 1 : 0;
        WriteLine("check\t" + shownPath + "\t" + finding.rule + "\t" +
                  std::string(SeverityName(finding.severity)) + "\t" + OneField(finding.message));
    }
    const auto warnings = static_cast<int>(findings.size()) - errors;
    WriteLine("checked\t" + shownPath + "\t" + std::to_string(errors) + " errors\t" +
              std::to_string(warnings) + " warnings");
    return errors == 0;
}

}  // namespace

bool IsCheckCommand(const std::vector<std::string>& arguments) {
    return NamesOption(arguments, "--check");
}

int RunCheckCommand(const std::vector<std::string>& arguments,
                    const std::filesystem::path& defaultTrustFolder) {
    CheckOptions options;
    // The exit status of an option that ends the command (help, a usage error).
    int ended = kAllCorrect;
    const bool read = ReadArguments(arguments, options.named, [&](std::size_t& at) {
        const std::string& argument = arguments[at];
        if (argument == "-h" || argument == "--help") {
            std::fputs(kCheckUsage, stdout);
            return false;
        }
        if (argument == "--verify") {
            options.verify = true;
        } else if (argument == "--trust") {
            if (at + 1 == arguments.size() || arguments[at + 1].empty()) {
                ended = UsageError("--trust needs a non-empty path", kCheckUsage);
                return false;
            }
            options.trustFolder = arguments[++at];
        } else if (argument != "--check") {
            ended = UsageError("unknown option " + argument + " with --check", kCheckUsage);
            return false;
        }
        return true;
    });
    if (!read) return ended;
    if (options.named.empty()) return UsageError("no document or folder given", kCheckUsage);

    const FoundDocuments walked = FindDocuments(options.named, true);
    bool allCorrect = walked.errors.empty();
    for (const std::string& error : walked.errors) {
        std::fprintf(stderr, "ledgra-render: %s\n", error.c_str());
    }

    FrameState frame;
    const MemoryProfile noStoredSettings;
    const PageTemplates templates;
    ConsoleUserInterface ui(stdout);
    VerificationRun run(frame, noStoredSettings, templates, ui,
                        OpenSslVerifierFactory(options.trustFolder.value_or(defaultTrustFolder)));
    ApprovalNumberSet approvalNumbers;
    const CalendarDate today = Today();
    const UnwrapMode mode = options.verify ? UnwrapMode::Verify : UnwrapMode::Show;
    const std::optional<VerificationRunAhead> ahead =
        CheckAhead(walked.documents, mode,
                   OpenSslVerifierFactory(options.trustFolder.value_or(defaultTrustFolder)));
    for (const std::filesystem::path& path : walked.documents) {
        const std::optional<VerifiedDocument> document = run.Verify(path, mode);
        allCorrect &= document && CheckDocument(path, *document, approvalNumbers, today);
        ui.EndDocument();
    }
    return allCorrect ? kAllCorrect : kSomeWrong;
}

}  // namespace ledgra
