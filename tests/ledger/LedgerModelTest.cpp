#include <gtest/gtest.h>

#include "ledger/LedgerColumns.h"
#include "ledger/LedgerSummary.h"
#include "tests/ledger/LedgerFixture.h"

namespace ledgra::testing {
namespace {

std::vector<std::string> FileNames(const LedgerModel& ledger) {
    std::vector<std::string> names;
    for (const std::size_t row : ledger.Shown()) {
        names.push_back(ledger.Row(row).path.filename().string());
    }
    return names;
}

TEST_F(LedgerFolder, EveryDocumentIsARowInPathOrderWithItsSideKindSignatureAndCheck) {
    const LedgerModel ledger = ReadAll();
    EXPECT_EQ(m_handed, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5}));

    struct Expected {
        std::string file, side, className, signature, check;
    };
    const std::vector<Expected> expected = {
        {"a-sale.XML", "매출", "세금계산서", "서명 없음", "이상 없음"},
        {"b-purchase.XML", "매입", "세금계산서", "확인됨 (Test Signer)", "이상 없음"},
        {"c-amended.XML", "매출", "수정세금계산서", "서명 없음", "이상 없음"},
        {"d-duplicate.XML", "매입", "세금계산서", "서명 없음", "오류 0 · 경고 1"},
        {"e-broken.KTX", "", "", "실패", "규정된 파일이 아닙니다."},
        {"f-page.CQS", "", "전자문서", "서명 없음", ""},
    };
    ASSERT_EQ(ledger.RowCount(), expected.size());
    const auto column = [](std::string_view title) {
        for (std::size_t i = 0; i < LedgerColumns().size(); ++i) {
            if (LedgerColumns()[i].title == title) return i;
        }
        return LedgerColumns().size();
    };
    for (std::size_t row = 0; row < expected.size(); ++row) {
        SCOPED_TRACE(expected[row].file);
        EXPECT_EQ(ledger.Row(row).path.filename(), expected[row].file);
        EXPECT_EQ(PlainText(ledger.Cell(row, column("구분"))), expected[row].side);
        EXPECT_EQ(PlainText(ledger.Cell(row, column("분류"))), expected[row].className);
        EXPECT_EQ(PlainText(ledger.Cell(row, column("서명"))), expected[row].signature);
        EXPECT_EQ(PlainText(ledger.Cell(row, column("검사"))), expected[row].check);
    }
    EXPECT_EQ(DisplayText(ledger.Cell(2, kSupplyColumn)), "-100,000");
    EXPECT_EQ(PlainText(ledger.Cell(0, column("품목"))), "복사용지 외 1건");
    EXPECT_EQ(PlainText(ledger.Cell(0, column("발급일자"))), "2024-03-15");
    EXPECT_EQ(ledger.Row(2).original, 0u);
    EXPECT_EQ(ledger.Row(3).findings.at(0).rule, "K14");
    EXPECT_TRUE(ledger.Row(1).duplicateApproval && ledger.Row(3).duplicateApproval);
    EXPECT_FALSE(ledger.Row(0).duplicateApproval);
    // Nothing was written beside the documents.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::recursive_directory_iterator(m_folder.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 8u);
}

TEST_F(LedgerFolder, FilterAndSortChooseTheRowsShownAndTheTotalsFollowThem) {
    LedgerModel ledger = ReadAll();
    const LedgerTotals all = ledger.Totals();
    EXPECT_EQ(all.count, 6u);
    EXPECT_EQ(all.supply, 872000);
    EXPECT_EQ(all.tax, 87200);
    EXPECT_EQ(all.grandTotal, 959200);

    struct Case {
        const char* name;
        void (*choose)(LedgerFilter& filter);
        std::vector<std::string> shown;
        std::int64_t supply;
    };
    const std::vector<Case> cases = {
        {"text",
         [](LedgerFilter& f) { f.text = "마바"; },
         {"b-purchase.XML", "d-duplicate.XML"},
         200000},
        {"text in any case",
         [](LedgerFilter& f) { f.text = "TEST signer"; },
         {"b-purchase.XML"},
         100000},
        {"sales",
         [](LedgerFilter& f) { f.side = TradeSide::Sale; },
         {"a-sale.XML", "c-amended.XML"},
         672000},
        {"date range",
         [](LedgerFilter& f) {
             f.from = CalendarDate{2024, 3, 16};
             f.to = CalendarDate{2024, 7, 2};
         },
         {"c-amended.XML", "b-purchase.XML"},
         0},
        {"class",
         [](LedgerFilter& f) { f.className = "수정세금계산서"; },
         {"c-amended.XML"},
         -100000},
        {"errors only", [](LedgerFilter& f) { f.errorsOnly = true; }, {"e-broken.KTX"}, 0},
    };
    ledger.SortBy(1, true);  // 작성일자
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LedgerFilter filter;
        c.choose(filter);
        ledger.SetFilter(filter);
        EXPECT_EQ(FileNames(ledger), c.shown);
        EXPECT_EQ(ledger.Totals().supply, c.supply);
    }

    ledger.SetFilter({});
    ledger.SortBy(kSupplyColumn, false);
    EXPECT_EQ(FileNames(ledger),
              (std::vector<std::string>{"a-sale.XML", "b-purchase.XML", "d-duplicate.XML",
                                        "c-amended.XML", "e-broken.KTX", "f-page.CQS"}));
}

TEST_F(LedgerFolder, SummaryKeepsSalesAndPurchasesApartByCounterpartyMonthAndPeriod) {
    const LedgerModel ledger = ReadAll();
    std::vector<std::string> lines;
    for (const SummaryLine& line : Summarize(ledger, ledger.Shown())) {
        lines.push_back(std::string(TradeSideName(line.side)) + "|" +
                        std::string(GroupingName(line.grouping)) + "|" + line.key + "|" +
                        std::to_string(line.totals.count) + "|" +
                        std::to_string(line.totals.supply) + "|" + std::to_string(line.totals.tax) +
                        "|" + std::to_string(line.totals.grandTotal));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "매출|거래처|2148867893 다라물산|2|672000|67200|739200",
                         "매출|월|2024-03|1|772000|77200|849200",
                         "매출|월|2024-04|1|-100000|-10000|-110000",
                         "매출|기|2024년 1기|2|672000|67200|739200",
                         "매입|거래처|1058111117 마바상사|2|200000|20000|220000",
                         "매입|월|2024-07|2|200000|20000|220000",
                         "매입|기|2024년 2기|2|200000|20000|220000",
                     }));
}

TEST_F(LedgerFolder, CancellingStopsTheRowsComing) {
    LedgerModel ledger;
    std::atomic<bool> cancelled{true};
    EXPECT_EQ(Read(ledger, cancelled), 0u);
    EXPECT_EQ(ledger.RowCount(), 0u);
}

}  // namespace
}  // namespace ledgra::testing

namespace ledgra::testing {
namespace {

TEST(LedgerSignature, AnXmlSignatureIsConfirmedOnlyUnderATrustedRootAndNamesItsSigner) {
    TempFolder folder;
    TestAuthority::Trusted().WriteTrustFolder(folder.Path() / "trust");
    const SignedDataVerifierFactory verifiers = OpenSslVerifierFactory(folder.Path() / "trust");
    struct Case {
        const TestAuthority& authority;
        SignatureVerdict verdict;
    };
    for (const Case& c : {Case{TestAuthority::Trusted(), SignatureVerdict::Verified},
                          Case{TestAuthority::Untrusted(), SignatureVerdict::Unconfirmed}}) {
        CertificateOptions options;
        options.commonName = "가나 서명자";
        options.keyType = KeyType::Rsa2048;
        const std::filesystem::path file =
            folder.Write("signed.XML", SignedXmlInvoice({c.authority.Issue(options)}));
        const LedgerRow row = ReadLedgerRow(file, verifiers, {2026, 1, 1});
        EXPECT_EQ(row.signature, c.verdict);
        EXPECT_EQ(row.signers, std::vector<std::string>{"가나 서명자"});
    }
}

}  // namespace
}  // namespace ledgra::testing
