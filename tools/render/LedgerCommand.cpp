#include "tools/render/LedgerCommand.h"

#include <atomic>
#include <cstdio>
#include <optional>
#include <thread>

#include "base/DocumentFiles.h"
#include "ledger/LedgerExport.h"
#include "ledger/LedgerReading.h"
#include "records/RecordValues.h"
#include "settings/IniFileProfile.h"
#include "settings/StoredSettings.h"
#include "text/Cp949.h"
#include "tools/render/CommandLine.h"

namespace ledgra {
namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 1;

constexpr const char* kLedgerUsage =
    "Usage: ledgra-render --ledger FILE [--own-number TEXT] [--trust DIR] DOCUMENT|FOLDER...\n"
    "Writes the ledger of the documents (folders walked with their sub-folders for the five\n"
    "document patterns) to FILE, a spreadsheet (.xlsx) or CSV (.csv, with the line items in\n"
    "<name>-품목.csv). Writes no page and no seal image. Exit status: 0 when the file was\n"
    "written, 1 when it could not be, 2 for a usage error.\n";

struct LedgerOptions {
    std::filesystem::path file;
    std::optional<std::string> ownNumber;
    std::optional<std::filesystem::path> trustFolder;
    std::vector<std::filesystem::path> documents;
};

// Nothing, with the error in `error`, when the arguments are not a ledger command.
std::optional<LedgerOptions> ParseLedgerOptions(const std::vector<std::string>& arguments,
                                                std::string& error) {
    LedgerOptions options;
    bool fileGiven = false;
    const bool read = ReadArguments(arguments, options.documents, [&](std::size_t& at) {
        const std::string& argument = arguments[at];
        if (argument != "--ledger" && argument != "--own-number" && argument != "--trust") {
            error = "unknown option for --ledger: " + argument;
            return false;
        }
        if (at + 1 == arguments.size() || arguments[at + 1].empty()) {
            error = argument + " needs a value";
            return false;
        }
        const std::string& value = arguments[++at];
        if (argument == "--ledger") {
            options.file = value;
            fileGiven = true;
        } else if (argument == "--own-number") {
            options.ownNumber = value;
        } else {
            options.trustFolder = value;
        }
        return true;
    });
    if (!read) return std::nullopt;
    if (!fileGiven || !LedgerFileTypeOf(options.file)) {
        error = "--ledger needs a file ending in .xlsx or .csv";
        return std::nullopt;
    }
    if (options.documents.empty()) {
        error = "no document or folder given";
        return std::nullopt;
    }
    return options;
}

std::string StoredOwnNumber() {
    const IniFileProfile profile;
    return Utf8FromCp949(StoredSettingsReader(profile).JoinedOwnNumber());
}

}  // namespace

bool IsLedgerCommand(const std::vector<std::string>& arguments) {
    return NamesOption(arguments, "--ledger");
}

int RunLedgerCommand(const std::vector<std::string>& arguments,
                     const std::filesystem::path& defaultTrustFolder) {
    std::string error;
    const std::optional<LedgerOptions> options = ParseLedgerOptions(arguments, error);
    if (!options) return UsageError(error, kLedgerUsage);

    const SignedDataVerifierFactory verifiers =
        OpenSslVerifierFactory(options->trustFolder.value_or(defaultTrustFolder));
    const CalendarDate today = Today();
    LedgerModel ledger(options->ownNumber.value_or(StoredOwnNumber()));
    std::size_t failed = 0;
    const std::atomic<bool> never{false};
    ReadLedgerRows(
        FindDocuments(options->documents, true).documents,
        [&](const std::filesystem::path& path) { return ReadLedgerRow(path, verifiers, today); },
        std::thread::hardware_concurrency(),
        [&](std::size_t, LedgerRow row) {
            if (row.kind == LedgerDocumentKind::Failed) ++failed;
            ledger.Append(std::move(row));
        },
        never);

    if (!ExportLedger(ledger, options->file)) {
        std::fprintf(stderr, "ledgra-render: the ledger could not be written to %s\n",
                     options->file.c_str());
        return kNotWritten;
    }
    std::printf("ledger\t%s\t%zu documents\t%zu failed\n", options->file.c_str(), ledger.RowCount(),
                failed);
    return kWritten;
}

}  // namespace ledgra
