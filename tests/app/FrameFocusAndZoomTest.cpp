#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
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

    // A frame whose settings live in a file of the test's own, as the program's do.
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

TEST_F(FrameFocusAndZoomTest, TabRunsFromTheTreeThroughTheButtonsToThePage) {
    const auto frame = MakeFrame();
    CMyTreeFileCtrl& tree = frame->LeftView().Tree();
    ASSERT_TRUE(FocusWidget(*frame, tree));
    std::vector<QWidget*> expected;
    for (const int id : {kVerifyButtonId, kPrintButtonId, kSettingsButtonId, kCopyButtonId}) {
        expected.push_back(frame->CommandDlg().Button(id));
    }
    expected.push_back(&frame->HtmlView());
    for (QWidget* next : expected) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &tab);
        EXPECT_TRUE(HasFocus(*next)) << next->objectName().toStdString() << " / "
                                     << QApplication::focusWidget()->metaObject()->className();
    }
}

TEST_F(FrameFocusAndZoomTest, ADocumentShownByADoubleClickTakesTheFocus) {
    const auto frame = MakeFrame();
    CMyTreeFileCtrl& tree = frame->LeftView().Tree();
    ASSERT_TRUE(FocusWidget(*frame, tree));

    // A run that fails leaves the focus in the tree.
    ASSERT_NE(tree.SelectPath(ToQString(Documents() / "ZOVA/Taxfiles/broken.ktx"), false), nullptr);
    frame->RouteCommand(5);
    EXPECT_EQ(frame->State().m_bDocumentShown, 0);
    EXPECT_TRUE(HasFocus(tree));

    // The copy button shows the page but the focus stays where it was.
    ASSERT_NE(tree.SelectPath(ToQString(m_invoice), false), nullptr);
    frame->RouteCommand(6);
    EXPECT_EQ(frame->State().m_bDocumentShown, 1);
    EXPECT_TRUE(HasFocus(tree));

    frame->RouteCommand(5);
    EXPECT_EQ(frame->State().m_bDocumentShown, 1);
    EXPECT_TRUE(HasFocus(frame->HtmlView()));
}

TEST_F(FrameFocusAndZoomTest, ThePagesZoomOutlivesTheWindowButNotIntoPrinting) {
    {
        const auto frame = MakeFrame();
        EXPECT_EQ(frame->HtmlView().ZoomPercent(), 100);
        frame->HtmlView().SetZoomPercent(140);
    }
    const auto frame = MakeFrame();
    EXPECT_EQ(frame->HtmlView().ZoomPercent(), 140);
    EXPECT_DOUBLE_EQ(frame->HtmlView().zoomFactor(), 1.4);

    frame->ShowDocument(m_invoice);
    ASSERT_TRUE(WaitForSignal(&frame->HtmlView(), &QWebEngineView::loadFinished));
    ASSERT_EQ(frame->State().m_bDocumentShown, 1);
    frame->RouteCommand(3);
    ASSERT_EQ(frame->PrintWindows().size(), 1u);
    EXPECT_EQ(frame->PrintWindows()[0]->ZoomPercent(), 100);
    EXPECT_DOUBLE_EQ(frame->PrintWindows()[0]->zoomFactor(), 1.0);
    EXPECT_EQ(frame->HtmlView().ZoomPercent(), 140);
}

}  // namespace
}  // namespace ledgra
