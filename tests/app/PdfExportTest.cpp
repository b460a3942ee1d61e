// The print window, the print resolution, printing to a file and saving the shown page as a PDF.

#include <QAction>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QImage>
#include <QMarginsF>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QTranslator>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "app/PagePrinting.h"
#include "app/PageProfile.h"
#include "app/PdfExport.h"
#include "app/PdfProof.h"
#include "app/QtTranslations.h"
#include "base/Folders.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/PageTestSupport.h"
#include "tests/support/PdfText.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::HasPopplerTools;
using testing::PdfPageCount;
using testing::PdfText;
using testing::ToQString;
using testing::WaitForSignal;
using testing::WriteCp949Page;

std::filesystem::path SampleInvoice() {
    return std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples" / "sources" /
           "standard-invoice.xml";
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The blank margins around the ink of a PDF's first page in millimetres, from its raster.
std::optional<QMarginsF> InkMargins(const std::filesystem::path& pdf) {
    constexpr int kDpi = 100;
    const std::filesystem::path raster = pdf.parent_path() / "raster";
    const std::string command = "pdftoppm -r " + std::to_string(kDpi) +
                                " -gray -singlefile -f 1 -l 1 '" + pdf.native() + "' '" +
                                raster.native() + "'";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    std::filesystem::path pgm = raster;
    pgm += ".pgm";
    const QImage page = QImage::fromData(QByteArray::fromStdString(testing::ReadBytes(pgm)));
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200) ink |= QRect(x, y, 1, 1);
    if (ink.isEmpty()) return std::nullopt;
    const double mm = 25.4 / kDpi;
    return QMarginsF(ink.left() * mm, ink.top() * mm, (page.width() - 1 - ink.right()) * mm,
                     (page.height() - 1 - ink.bottom()) * mm);
}

// On paper the content sits centred across the page, clear of the printer's edge.
void ExpectCentredWithinMargins(const std::filesystem::path& pdf) {
    const std::optional<QMarginsF> margins = InkMargins(pdf);
    ASSERT_TRUE(margins) << pdf;
    EXPECT_GE(margins->left(), kPrintMarginMm);
    EXPECT_GE(margins->top(), kPrintMarginMm - 0.5);
    EXPECT_NEAR(margins->left(), margins->right(), 1.0);
}

class FramePrintingTest : public testing::AppTest {
protected:
    FramePrintingTest() { m_frame = std::make_unique<CMainFrame>(MakeServices()); }

    void ShowAndWait(const std::filesystem::path& path) {
        bool loaded = false;
        QObject::connect(
            &m_frame->HtmlView(), &QWebEngineView::loadFinished, &m_frame->HtmlView(),
            [&loaded](bool ok) { loaded = ok; }, Qt::SingleShotConnection);
        m_frame->ShowDocument(path);
        ASSERT_TRUE(WaitForSignal(&m_frame->HtmlView(), &QWebEngineView::loadFinished));
        ASSERT_TRUE(loaded);
        ASSERT_EQ(m_frame->State().m_bDocumentShown, 1);
    }
    // The PDF item as the user finds it: the menu updates its items when it opens.
    QAction& SavePdfItem() {
        QMenu* file = m_frame->menuBar()->actions().constFirst()->menu();
        emit file->aboutToShow();
        return *m_frame->CommandAction(kSavePdfCommand);
    }

    // The print window's own Ctrl+P; null when it has none.
    QAction* PrintWindowCtrlP() const {
        for (QAction* action : m_frame->PrintWindows().at(0)->actions()) {
            if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_P)) return action;
        }
        return nullptr;
    }

    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(FramePrintingTest, ThreePrintsShareOnePrintWindowThatFitsTheScreen) {
    ShowAndWait(SampleInvoice());
    for (int print = 0; print < 3; ++print) m_frame->RouteCommand(3);
    EXPECT_EQ(m_printLog->previewedTitles.size(), 3);
    ASSERT_EQ(m_frame->PrintWindows().size(), 1u);
    CNAVO_TaxExplorerView& window = *m_frame->PrintWindows()[0];
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.screen()->availableGeometry().contains(window.geometry()));

    // Closed, the window is made again by the next print.
    window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_frame->PrintWindows().empty());
    m_frame->RouteCommand(3);
    EXPECT_EQ(m_frame->PrintWindows().size(), 1u);
}

TEST_F(FramePrintingTest, ThePrintWindowHasItsOwnCtrlP) {
    ShowAndWait(SampleInvoice());
    m_frame->RouteCommand(3);
    ASSERT_EQ(m_frame->PrintWindows().size(), 1u);
    QAction* print = PrintWindowCtrlP();
    ASSERT_NE(print, nullptr);
    print->trigger();
    // The print dialog was asked for; the user cancelled it (the fake says no).
    EXPECT_EQ(m_printLog->printerChoices, 1);
}

TEST_F(FramePrintingTest, APrintThatFailsSaysSo) {
    if (!HasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed";
    ShowAndWait(SampleInvoice());
    m_frame->RouteCommand(3);
    ASSERT_EQ(m_frame->PrintWindows().size(), 1u);
    QAction* print = PrintWindowCtrlP();
    ASSERT_NE(print, nullptr);
    m_presenter->m_messages.clear();

    m_printLog->printToFile = m_folder.Path() / "missing folder" / "printed.pdf";
    print->trigger();
    EXPECT_EQ(m_presenter->Texts(), QStringList{u"인쇄하지 못했습니다."_qs});

    m_printLog->printToFile = m_folder.Path() / "printed.pdf";
    print->trigger();
    EXPECT_EQ(m_presenter->m_messages.size(), 1u);
    const std::optional<std::string> text = PdfText(m_printLog->printToFile);
    ASSERT_TRUE(text);
    EXPECT_TRUE(Contains(*text, "주식회사 가나상사")) << *text;
}

TEST_F(FramePrintingTest, SaveAsPdfIsOfferedOnlyWhileAPageIsShown) {
    QAction& item = SavePdfItem();
    EXPECT_FALSE(item.isEnabled());
    item.trigger();
    EXPECT_TRUE(m_printLog->proposedPdfFiles.empty());

    ShowAndWait(SampleInvoice());
    EXPECT_TRUE(SavePdfItem().isEnabled());
    // A failed run takes the page away again.
    m_frame->ShowDocument(m_folder.Write("junk.KTX", "no document"));
    EXPECT_FALSE(SavePdfItem().isEnabled());
}

TEST_F(FramePrintingTest, SavesTheShownPageAsASearchablePdf) {
    if (!HasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed";
    ShowAndWait(SampleInvoice());
    const QString verdictShown = m_frame->StatusText();
    // A folder named in code page 949 is written to under its exact bytes.
    std::filesystem::create_directory(m_folder.Path() / Cp949FromUtf8("보관"));
    m_printLog->chosenPdfFile = m_folder.Path() / Cp949FromUtf8("보관") / "saved.pdf";
    SavePdfItem().trigger();
    EXPECT_EQ(m_frame->StatusText(),
              u"PDF로 저장했습니다: "_qs + ToQString(m_folder.Path()) + u"/보관/saved.pdf"_qs);

    // The dialog proposed the document's name in the document's folder.
    EXPECT_EQ(
        m_printLog->proposedPdfFiles,
        std::vector<std::filesystem::path>{SampleInvoice().parent_path() / "standard-invoice.pdf"});
    EXPECT_TRUE(m_presenter->m_messages.empty());
    EXPECT_EQ(PdfPageCount(m_printLog->chosenPdfFile), 1);
    ExpectCentredWithinMargins(m_printLog->chosenPdfFile);
    const std::optional<std::string> text = PdfText(m_printLog->chosenPdfFile);
    ASSERT_TRUE(text);
    EXPECT_TRUE(Contains(*text, "주식회사 가나상사")) << *text;
    EXPECT_TRUE(Contains(*text, "1,168,200")) << *text;
    EXPECT_TRUE(Contains(*text, "202403154100001287650042")) << *text;

    // The proof: the document as it was read, a summary of its verification, and the verdict
    // (as the status bar tells it) as the subject.
    const std::filesystem::path& saved = m_printLog->chosenPdfFile;
    EXPECT_EQ(testing::PdfAttachmentNames(saved),
              (std::vector<std::string>{"standard-invoice.xml", kSummaryFileName}));
    const std::string document = testing::ReadBytes(SampleInvoice());
    EXPECT_EQ(testing::PdfAttachment(saved, 1), document);
    const std::optional<std::string> summary = testing::PdfAttachment(saved, 2);
    ASSERT_TRUE(summary);
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(document), QCryptographicHash::Sha256);
    EXPECT_TRUE(Contains(*summary, ("SHA-256: " + digest.toHex().toStdString()).c_str()))
        << *summary;
    const std::string verdict = testing::PdfInfoField(saved, "Subject");
    EXPECT_EQ(QString::fromStdString(verdict), verdictShown);
    EXPECT_TRUE(Contains(*summary, ("검증 결과: " + verdict + "\n").c_str())) << *summary;
}

TEST_F(FramePrintingTest, AFailedSaveSaysSoAndLeavesNoFile) {
    ShowAndWait(SampleInvoice());
    // Cancelled: nothing happens.
    SavePdfItem().trigger();
    EXPECT_EQ(m_printLog->proposedPdfFiles.size(), 1u);
    EXPECT_TRUE(m_presenter->m_messages.empty());

    m_printLog->chosenPdfFile = m_folder.Path() / "missing folder" / "saved.pdf";
    SavePdfItem().trigger();
    ASSERT_EQ(m_presenter->m_messages.size(), 1u);
    EXPECT_EQ(m_presenter->m_messages[0].text, u"PDF 파일을 저장하지 못했습니다."_qs);
    EXPECT_EQ(m_presenter->m_messages[0].caption, u"에러 메시지"_qs);
    EXPECT_EQ(m_presenter->m_messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / "missing folder"));
}

TEST(PdfFileNameTest, IsTheDocumentsNameWithThePdfExtension) {
    const std::pair<std::string, const char*> cases[] = {
        {"/a/세금계산서_가나상사.XML", "세금계산서_가나상사.pdf"},
        // Proposed in UTF-8 whatever the document's name was written in.
        {"/a/" + Cp949FromUtf8("가나.KTX"), "가나.pdf"},
        {"/a/b\xFF.KTX", "b\uFFFD.pdf"},
        {"/a/b.c/invoice.tar.ktx", "invoice.tar.pdf"},
        {"/a/no-extension", "no-extension.pdf"},
        {"/a/.hidden", ".hidden.pdf"},
    };
    for (const auto& [document, pdf] : cases) {
        EXPECT_EQ(PdfFileName(document), std::filesystem::path(pdf)) << document;
    }
}

TEST(PrintResolutionTest, KeepsPrintersBetween300And600Dpi) {
    const std::pair<int, int> cases[] = {{72, 300},  {299, 300}, {300, 300},
                                         {600, 600}, {601, 300}, {1200, 300}};
    for (const auto& [given, used] : cases) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(given);
        UsePrintResolution(printer);
        EXPECT_EQ(printer.resolution(), used) << given;
    }
}

class PagePrintingTest : public testing::AppTest {
protected:
    PagePrintingTest() : m_logFolder(CreateLogFolder(Documents())), m_profile(m_logFolder) {}

    bool Show(std::string_view page) {
        return NavigateAndWait(m_view, WriteCp949Page(m_logFolder / "zova_document.html", page));
    }

    std::filesystem::path m_logFolder;
    PageProfile m_profile;
    CNAVO_TaxExplorerView m_view{m_profile};
    PrintGuard m_guard;
    std::optional<PrintGuard::Scope> m_printing = m_guard.Enter();
};

TEST_F(PagePrintingTest, PrintingToAFileGivesTextNotAPicture) {
    if (!HasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed";
    ASSERT_TRUE(Show("<html><body><h1>전자세금계산서 똠</h1></body></html>"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::filesystem::path pdf = m_folder.Path() / "printed.pdf";
    printer.setOutputFileName(ToQString(pdf));
    ASSERT_EQ(PrintPage(m_view, printer, *m_printing), PrintResult::Printed);
    const std::optional<std::string> text = PdfText(pdf);
    ASSERT_TRUE(text);
    EXPECT_TRUE(Contains(*text, "전자세금계산서 똠")) << *text;
    EXPECT_LT(std::filesystem::file_size(pdf), 100u * 1024);
    ExpectCentredWithinMargins(pdf);
}

TEST_F(PagePrintingTest, APrinterPrintsPicturesAtASaneResolution) {
    ASSERT_TRUE(Show("<html><body>세금계산서</body></html>"));
    // A PDF printer without a file is no print to a file: it gets pictures, like a printer.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_FALSE(PrintsToPdfFile(printer));
    PrintPage(m_view, printer, *m_printing);
    EXPECT_EQ(printer.resolution(), kPrintResolution);
}

TEST_F(PagePrintingTest, SavingToAFolderThatIsNotThereFailsWithoutAFile) {
    ASSERT_TRUE(Show("<html><body>세금계산서</body></html>"));
    const std::filesystem::path pdf = m_folder.Path() / "missing" / "page.pdf";
    EXPECT_FALSE(SavePageAsPdf(m_view.Page(), pdf));
    EXPECT_FALSE(std::filesystem::exists(pdf.parent_path()));

    // An earlier file stays until the new one is whole.
    const std::filesystem::path earlier = m_folder.Write("page.pdf", "earlier");
    ASSERT_TRUE(SavePageAsPdf(m_view.Page(), earlier));
    EXPECT_TRUE(testing::ReadBytes(earlier).starts_with("%PDF"));
}

TEST(KoreanQtTranslationsTest, TurnQtsOwnDialogsKorean) {
    const QString english = QStringLiteral("Print Preview");
    if (!InstallKoreanQtTranslations(*QCoreApplication::instance())) {
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    }
    const QString translated = QCoreApplication::translate("QPrintPreviewDialog", "Print Preview");
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    // The translators go again, so that the other tests see Qt's own texts.
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
    EXPECT_NE(translated, english);
    EXPECT_EQ(cancel, u"취소"_qs);
    EXPECT_EQ(QCoreApplication::translate("QPrintPreviewDialog", "Print Preview"), english);
}

}  // namespace
}  // namespace ledgra
