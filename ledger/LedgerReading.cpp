#include "ledger/LedgerReading.h"

#include <ctime>
#include <exception>
#include <memory>

#include "base/OrderedPool.h"
#include "records/InvoiceChecks.h"
#include "records/ReadInvoiceRecord.h"
#include "text/Cp949.h"
#include "verify/DocumentReading.h"
#include "verify/ExtensionPattern.h"
#include "verify/TrustStore.h"

namespace ledgra {
namespace {

LedgerDocumentKind KindOf(const std::string& pattern) {
    if (pattern == "*.KCX") return LedgerDocumentKind::Contract;
    if (pattern == "*.CQS") return LedgerDocumentKind::ContentPage;
    return LedgerDocumentKind::Invoice;
}

// Another kind of XML under an invoice's pattern reads as a record without a single field.
bool HoldsAnInvoice(const InvoiceRecord& record) {
    return record.approvalNumber || record.typeCode || record.formTypeCode || record.issueDate ||
           record.supplier.registrationNumber || record.buyer.registrationNumber ||
           record.supplyTotal || record.grandTotal || !record.lines.empty();
}

}  // namespace

LedgerRow ReadLedgerRow(const std::filesystem::path& path,
                        const SignedDataVerifierFactory& verifierFactory,
                        const CalendarDate& today) {
    LedgerRow row;
    row.path = path;
    try {
        DocumentReading reading = ReadDocument(path, verifierFactory);
        row.signature = reading.signature.verdict;
        for (const SignerFacts& signer : reading.signature.signers) {
            row.signers.push_back(Utf8FromCp949(signer.name));
        }
        if (reading.signature.verdict == SignatureVerdict::Failed) {
            row.failure = Utf8FromCp949(reading.failure);
            return row;
        }
        const std::string pattern = ExtensionPattern(path.native());
        row.kind = KindOf(pattern);
        if (row.kind != LedgerDocumentKind::Invoice) return row;
        row.invoice = ReadInvoiceRecord(pattern, reading.content, &reading.contentTree);
        if (!row.invoice || !HoldsAnInvoice(*row.invoice)) {
            row.invoice.reset();
            row.kind = LedgerDocumentKind::Failed;
            row.failure = "세금계산서의 내용을 읽을 수 없습니다.";
            return row;
        }
        row.findings = CheckInvoice(*row.invoice, today);
    } catch (const std::exception&) {
        // A document too large for memory, or one the module fails on inside, is a failed
        // row; it cannot end the reading of the others.
        row = LedgerRow{};
        row.path = path;
        row.failure = "문서를 읽는 중 오류가 발생했습니다.";
    }
    return row;
}

std::size_t ReadLedgerRows(const std::vector<std::filesystem::path>& documents,
                           const LedgerRowReader& read, unsigned threads, const LedgerRowSink& sink,
                           const std::atomic<bool>& cancelled) {
    // Every document read on one thread shares one read of the trust folder.
    auto makeWorker = [&] {
        return [&, trustFolderReadOnce = std::make_unique<TrustStoreRunCache>()](
                   std::size_t index) { return read(documents[index]); };
    };
    return RunInOrder(documents.size(), threads, makeWorker, sink, cancelled);
}

}  // namespace ledgra
