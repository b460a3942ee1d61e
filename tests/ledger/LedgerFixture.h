#pragma once
// A folder of made-up documents read into a ledger, as the folder reader reads it: a sale, a
// signed purchase, an amended sale with negative amounts that names the first sale, a second
// purchase under the purchase's approval number, a file that is no document and, in a
// sub-folder, a content page. The user's own number is the sales' supplier's.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "base/DocumentFiles.h"
#include "ledger/LedgerModel.h"
#include "ledger/LedgerReading.h"
#include "tests/support/MadeUpInvoices.h"
#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "verify/SignedDataVerifier.h"

namespace ledgra::testing {

class LedgerFolder : public ::testing::Test {
protected:
    void SetUp() override {
        MadeUpInvoice sale;
        sale.approvalNumber = "202403154100001287650001";
        sale.lines = {{"복사용지", 500000, 50000}, {"=토너 \"A\", 정품", 272000, 27200}};
        m_folder.Write("a-sale.XML", MadeUpInvoiceXml(sale));

        MadeUpInvoice purchase;
        purchase.approvalNumber = "202407024100001287650002";
        purchase.issueDate = "20240702";
        purchase.supplierNumber = "1058111117";
        purchase.supplierName = "마바상사";
        purchase.buyerNumber = "1208812341";
        purchase.buyerName = "가나상사";
        purchase.lines = {{"의자", 100000, 10000}};
        m_folder.Write("b-purchase.XML", BareMessageFile(SignedText(MadeUpInvoiceXml(purchase))));

        MadeUpInvoice amended = sale;
        amended.approvalNumber = "202404014100001287650003";
        amended.typeCode = "0201";
        amended.issueDate = "20240401";
        amended.amendmentCode = "02";
        amended.originalNumber = "20240315-41000012-87650001";
        amended.lines = {{"복사용지 반품", -100000, -10000}};
        m_folder.Write("c-amended.XML", MadeUpInvoiceXml(amended));

        MadeUpInvoice duplicate = purchase;
        duplicate.issueDate = "20240703";
        m_folder.Write("d-duplicate.XML", MadeUpInvoiceXml(duplicate));

        m_folder.Write("e-broken.KTX", "not a document");
        m_folder.Write("sub/f-page.CQS", "<html><body>안내</body></html>");
        m_folder.Write("notes.txt", "not listed");
        TestAuthority::Trusted().WriteTrustFolder(m_trust.Path());
    }

    // Reads the folder on two threads; the sink's positions are kept in `m_handed`.
    std::size_t Read(LedgerModel& ledger, const std::atomic<bool>& cancelled) {
        const SignedDataVerifierFactory verifiers = OpenSslVerifierFactory(m_trust.Path());
        return ReadLedgerRows(
            FindDocuments({m_folder.Path()}, true).documents,
            [&](const std::filesystem::path& path) {
                return ReadLedgerRow(path, verifiers, {2026, 1, 1});
            },
            2,
            [&](std::size_t index, LedgerRow row) {
                m_handed.push_back(index);
                ledger.Append(std::move(row));
            },
            cancelled);
    }

    LedgerModel ReadAll() {
        LedgerModel ledger("120-88-12341");
        const std::atomic<bool> never{false};
        Read(ledger, never);
        return ledger;
    }

    TempFolder m_folder;
    TempFolder m_trust;
    std::vector<std::size_t> m_handed;
};

}  // namespace ledgra::testing
