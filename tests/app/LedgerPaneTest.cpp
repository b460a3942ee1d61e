#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

#include "app/LedgerFilterBar.h"
#include "app/LedgerPane.h"
#include "app/LedgerSummaryTable.h"
#include "app/LedgerTableModel.h"
#include "app/MainFrame.h"
#include "filetree/LeftView.h"
#include "ledger/LedgerColumns.h"
#include "settings/StoredSettings.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/MadeUpInvoices.h"

namespace ledgra {
namespace {

using testing::MadeUpInvoice;
using testing::MadeUpInvoiceXml;
using testing::ToQString;
using testing::WaitForSignal;

// A folder of made-up documents: a sale, a purchase, an amended sale naming the first, a
// second purchase under the purchase's approval number, a file that is no document and, in a
// sub-folder, a content page. The user is the sales' supplier.
class LedgerPaneTest : public testing::AppTest {
protected:
    LedgerPaneTest() {
        MadeUpInvoice sale;
        sale.approvalNumber = "202403154100001287650001";
        sale.lines = {{"복사용지", 500000, 50000}, {"토너", 272000, 27200}};
        Write("a-sale.XML", MadeUpInvoiceXml(sale));
        MadeUpInvoice purchase;
        purchase.approvalNumber = "202407024100001287650002";
        purchase.issueDate = "20240702";
        purchase.supplierNumber = "1058111117";
        purchase.supplierName = "마바상사";
        purchase.buyerNumber = "1208812341";
        purchase.lines = {{"의자", 100000, 10000}};
        Write("b-purchase.XML", MadeUpInvoiceXml(purchase));
        MadeUpInvoice amended = sale;
        amended.approvalNumber = "202404014100001287650003";
        amended.typeCode = "0201";
        amended.issueDate = "20240401";
        amended.amendmentCode = "02";
        amended.originalNumber = "20240315-41000012-87650001";
        amended.lines = {{"복사용지 반품", -100000, -10000}};
        Write("c-amended.XML", MadeUpInvoiceXml(amended));
        purchase.issueDate = "20240703";
        Write("d-duplicate.XML", MadeUpInvoiceXml(purchase));
        Write("e-broken.KTX", "not a document");
        Write("sub/f-page.CQS", "<html><body>안내</body></html>");

        FrameServices services = MakeServices();
        services.profile->WriteProfileString(kSettingsSection, kUserId1Key, "120");
        services.profile->WriteProfileString(kSettingsSection, kUserId2Key, "88");
        services.profile->WriteProfileString(kSettingsSection, kUserId3Key, "12341");
        m_frame = std::make_unique<CMainFrame>(std::move(services));
        Pane().SetFileChooser([this](QWidget*, const std::filesystem::path&) { return m_chosen; });
        m_frame->LeftView().Tree().InitialiseTree();
    }

    std::filesystem::path Folder() const { return Documents() / "ledger"; }
    void Write(const std::filesystem::path& name, const std::string& bytes) {
        std::filesystem::create_directories((Folder() / name).parent_path());
        std::ofstream(Folder() / name, std::ios::binary) << bytes;
    }
    LedgerPane& Pane() { return m_frame->Ledger(); }
    // Selects the folder in the tree and lists it as Ctrl+L does.
    void ListFolder(const std::filesystem::path& folder) {
        ASSERT_NE(m_frame->LeftView().Tree().SelectPath(ToQString(folder), false), nullptr);
        m_frame->CommandAction(kLedgerCommand)->trigger();
        ASSERT_TRUE(m_frame->LedgerShown());
    }
    void ListAndWait(const std::filesystem::path& folder) {
        ListFolder(folder);
        ASSERT_TRUE(WaitForSignal(&Pane(), &LedgerPane::ReadingFinished));
    }
    // The file names of the rows the table shows, top to bottom.
    std::vector<std::string> ShownFiles() {
        std::vector<std::string> names;
        const QAbstractItemModel& model = *Pane().Table().model();
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString path = model.index(row, kFileColumn).data().toString();
            names.push_back(path.section(QLatin1Char('/'), -1).toStdString());
        }
        return names;
    }

    std::unique_ptr<CMainFrame> m_frame;
    std::filesystem::path m_chosen;
};

TEST_F(LedgerPaneTest, TheViewSortsAndFiltersTheRowsReadAndTotalsThoseShown) {
    ListAndWait(Folder());
    EXPECT_FALSE(Pane().Progress().isVisible());
    EXPECT_EQ(Pane().TotalsLine().text(),
              QStringLiteral("5건 · 공급가액 872,000 · 세액 87,200 · 합계 959,200"));
    const QModelIndex duplicate = Pane().Model().index(3, kApprovalColumn);
    EXPECT_TRUE(duplicate.data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(Pane().Model().index(0, kApprovalColumn).data(Qt::BackgroundRole).isValid());
    // A click on an amended invoice's original approval number selects the original.
    emit Pane().Table().clicked(Pane().Model().index(2, kOriginalApprovalColumn));
    EXPECT_EQ(Pane().Table().currentIndex().row(), 0);

    LedgerFilterBar& filters = Pane().Filters();
    const struct {
        const char* what;
        std::function<void()> choose;
        std::vector<std::string> shown;
    } cases[] = {
        {"amounts sort as numbers, blank last",
         [&] { Pane().Table().sortByColumn(kGrandTotalColumn, Qt::DescendingOrder); },
         {"a-sale.XML", "b-purchase.XML", "d-duplicate.XML", "c-amended.XML", "e-broken.KTX"}},
        {"dates sort as dates",
         [&] { Pane().Table().sortByColumn(1, Qt::AscendingOrder); },
         {"a-sale.XML", "c-amended.XML", "b-purchase.XML", "d-duplicate.XML", "e-broken.KTX"}},
        {"text in any text column",
         [&] {
             filters.TextField().setText(QStringLiteral("마바"));
             ASSERT_TRUE(WaitForSignal(&filters, &LedgerFilterBar::Changed));
         },
         {"b-purchase.XML", "d-duplicate.XML"}},
        {"매출", [&] { filters.Side().setCurrentIndex(1); }, {"a-sale.XML", "c-amended.XML"}},
        {"분류", [&] { filters.Class().setCurrentText(QStringLiteral("수정세금계산서")); },
         {"c-amended.XML"}},
        {"작성일자 range",
         [&] {
             filters.From().setDate(QDate(2024, 7, 1));
             filters.To().setDate(QDate(2024, 7, 2));
             filters.DateRange().setChecked(true);
         },
         {"b-purchase.XML"}},
        {"오류만", [&] { filters.ErrorsOnly().setChecked(true); }, {"e-broken.KTX"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        filters.TextField().clear();
        filters.Side().setCurrentIndex(0);
        filters.Class().setCurrentIndex(0);
        filters.DateRange().setChecked(false);
        filters.ErrorsOnly().setChecked(false);
        Pane().Table().sortByColumn(0, Qt::AscendingOrder);
        Pane().Model().SetFilter(filters.Filter());
        c.choose();
        EXPECT_EQ(ShownFiles(), c.shown);
    }
    EXPECT_EQ(Pane().TotalsLine().text(), QStringLiteral("1건 · 공급가액 0 · 세액 0 · 합계 0"));

    Pane().WithSubFolders().setChecked(true);
    ASSERT_TRUE(WaitForSignal(&Pane(), &LedgerPane::ReadingFinished));
    filters.ErrorsOnly().setChecked(false);
    EXPECT_EQ(ShownFiles().back(), "f-page.CQS");
    Pane().SummaryButton().setChecked(true);
    EXPECT_GT(Pane().Summary().rowCount(), 0);
}

TEST_F(LedgerPaneTest, ASecondFolderCancelsTheFirstAndNothingIsWrittenToTheLogFolder) {
    MadeUpInvoice invoice;
    for (int i = 0; i < 400; ++i) Write("many/" + std::to_string(i) + ".XML", MadeUpInvoiceXml(invoice));
    const auto logFiles = [this] {
        std::size_t files = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::recursive_directory_iterator(m_frame->State().m_strLogFolder)) {
            ++files;
        }
        return files;
    };
    const std::size_t logged = logFiles();
    ListFolder(Folder() / "many");
    EXPECT_TRUE(Pane().Reading());
    ListAndWait(Folder());
    EXPECT_EQ(ShownFiles(), (std::vector<std::string>{"a-sale.XML", "b-purchase.XML",
                                                      "c-amended.XML", "d-duplicate.XML",
                                                      "e-broken.KTX"}));
    EXPECT_EQ(logFiles(), logged);
}

TEST_F(LedgerPaneTest, ExportWritesTheRowsShownOrSaysWhyNot) {
    ListAndWait(Folder());
    Pane().Filters().Side().setCurrentIndex(2);  // 매입
    const struct {
        std::filesystem::path chosen;
        QString message;  // empty when the file is written
    } cases[] = {
        {Documents() / "out.csv", {}},
        {Documents() / "out.xlsx", {}},
        {Documents() / "out.txt", QStringLiteral("목록은 .xlsx 또는 .csv 파일로만 저장할 수 있습니다.")},
        {Documents() / "missing/out.csv",
         QStringLiteral("목록을 저장하지 못했습니다.\n") + ToQString(Documents() / "missing/out.csv")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        m_presenter->m_messages.clear();
        m_chosen = c.chosen;
        Pane().Export();
        EXPECT_EQ(m_presenter->Texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(std::filesystem::exists(c.chosen), c.message.isEmpty());
    }
    std::ifstream csv(Documents() / "out.csv");
    std::size_t lines = 0;
    for (std::string line; std::getline(csv, line);) ++lines;
    EXPECT_EQ(lines, 3u);  // the header and the two purchases
}

TEST_F(LedgerPaneTest, EscapeGoesBackToThePageAndADoubleClickShowsTheRowsDocument) {
    ListAndWait(Folder());
    Pane().actions().constFirst()->trigger();  // Escape, no row chosen
    EXPECT_FALSE(m_frame->LedgerShown());
    EXPECT_TRUE(m_frame->State().m_strDocPath.empty());

    ListAndWait(Folder());
    emit Pane().Table().doubleClicked(Pane().Model().index(1, 0));
    EXPECT_FALSE(m_frame->LedgerShown());
    EXPECT_EQ(m_frame->State().m_strDocPath, Folder() / "b-purchase.XML");
}

}  // namespace
}  // namespace ledgra
