#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "app/SignatureBar.h"
#include "app/ToolBarDlg.h"
#include "filetree/LeftView.h"
#include "settings/QSettingsProfile.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/PageTestSupport.h"

namespace ledgra {
namespace {

using testing::FocusWidget;
using testing::ToQString;
using testing::WaitForSignal;

bool HasFocus(QWidget& widget) {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == &widget || widget.isAncestorOf(focus));
}

class FrameFocusAndZoomTest : public testing::AppTest {
protected:
    FrameFocusAndZoomTest() {
        m_folder.CreateFiles({"home/Documents/ZOVA/Taxfiles/broken.ktx"});
        std::filesystem::copy_file(
            std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples/sources/standard-invoice.xml",
            m_invoice);
    }

    // A frame whose settings live in a file, as the program's do.
    std::unique_ptr<CMainFrame> MakeFrame() {
        FrameServices services = MakeServices();
        services.profile =
            std::make_unique<QSettingsProfile>(ToQString(m_folder.Path() / "profile.ini"));
        auto frame = std::make_unique<CMainFrame>(std::move(services));
        frame->InitialUpdate({});
        return frame;
    }

    const std::filesystem::path m_invoice = Documents() / "ZOVA/Taxfiles/invoice.xml";
};

TEST_F(FrameFocusAndZoomTest, TabRunsTreeButtonsPageAndADoubleClickedDocumentTakesTheFocus) {
    const auto frame = MakeFrame();
    CMyTreeFileCtrl& tree = frame->LeftView().Tree();
    ASSERT_TRUE(FocusWidget(*frame, tree));
    // With an invoice shown the copy button and the signature bar's button are on the way too.
    ASSERT_NE(tree.SelectPath(ToQString(m_invoice), false), nullptr);
    frame->RouteCommand(6);
    ASSERT_TRUE(FocusWidget(*frame, tree));
    for (QWidget* next : std::initializer_list<QWidget*>{
             frame->CommandDlg().Button(kVerifyButtonId),
             frame->CommandDlg().Button(kPrintButtonId),
             frame->CommandDlg().Button(kSettingsButtonId),
             frame->CommandDlg().Button(kCopyButtonId), &frame->SignatureLine().DetailsButton(),
             &frame->HtmlView()}) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &tab);
        EXPECT_TRUE(HasFocus(*next)) << next->objectName().toStdString();
    }

    // A failed run, or a show that is no double click, leaves the focus in the tree.
    ASSERT_TRUE(FocusWidget(*frame, tree));
    ASSERT_NE(tree.SelectPath(ToQString(Documents() / "ZOVA/Taxfiles/broken.ktx"), false), nullptr);
    frame->RouteCommand(5);
    EXPECT_TRUE(HasFocus(tree));
    ASSERT_NE(tree.SelectPath(ToQString(m_invoice), false), nullptr);
    frame->RouteCommand(6);
    EXPECT_EQ(frame->State().m_bDocumentShown, 1);
    EXPECT_TRUE(HasFocus(tree));
    frame->RouteCommand(5);
    EXPECT_TRUE(HasFocus(frame->HtmlView()));
}

TEST_F(FrameFocusAndZoomTest, ThePagesZoomOutlivesTheWindowButNeverReachesPrinting) {
    MakeFrame()->HtmlView().SetZoomPercent(140);
    const auto frame = MakeFrame();
    EXPECT_DOUBLE_EQ(frame->HtmlView().zoomFactor(), 1.4);

    frame->ShowDocument(m_invoice);
    ASSERT_TRUE(WaitForSignal(&frame->HtmlView(), &QWebEngineView::loadFinished));
    frame->RouteCommand(3);
    ASSERT_EQ(frame->PrintWindows().size(), 1u);
    EXPECT_DOUBLE_EQ(frame->PrintWindows()[0]->zoomFactor(), 1.0);
}

}  // namespace
}  // namespace ledgra
