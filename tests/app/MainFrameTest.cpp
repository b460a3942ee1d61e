#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/MainFramePlacement.h"
#include "app/NavoTaxExplorerView.h"
#include "app/SignatureBar.h"
#include "app/ToolBarDlg.h"
#include "filetree/LeftView.h"
#include "filetree/NativeNames.h"
#include "settings/ConfigDlg.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/PageTestSupport.h"
#include "tests/support/MadeUpInvoices.h"
#include "tests/support/SharedSamples.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::FocusWidget;
using testing::ToQString;
using testing::WaitForSignal;

std::filesystem::path SampleInvoice() {
    return std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples/sources/standard-invoice.xml";
}

class MainFrameTest : public testing::AppTest {
protected:
    MainFrameTest() { m_frame = std::make_unique<CMainFrame>(MakeServices()); }

    CMyTreeFileCtrl& Tree() { return m_frame->LeftView().Tree(); }
    // Builds the tree and selects a path in it.
    void Select(const std::filesystem::path& path) {
        Tree().InitialiseTree();
        ASSERT_NE(Tree().SelectPath(ToQString(path), false), nullptr) << path;
    }
    QString CopyCaption() const { return m_frame->CommandDlg().Button(kCopyButtonId)->text(); }
    // Shows a document through the frame and waits until the page pane has it.
    void ShowAndWait(const std::filesystem::path& path) {
        QObject::connect(
            &m_frame->HtmlView(), &QWebEngineView::loadFinished, &m_frame->HtmlView(),
            [this](bool ok) { m_pageLoaded = ok; }, Qt::SingleShotConnection);
        m_frame->ShowDocument(path);
        ASSERT_TRUE(WaitForSignal(&m_frame->HtmlView(), &QWebEngineView::loadFinished));
        ASSERT_TRUE(m_pageLoaded);
    }

    std::unique_ptr<CMainFrame> m_frame;
    bool m_pageLoaded = false;
};

TEST_F(MainFrameTest, IsLaidOutAsTheViewersWindow) {
    // The first start's 1000 by 720 at 15, 15, as far as the test's screen has room for it.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(m_frame->geometry(), FittedGeometry(QRect(15, 15, 1000, 720), available));
    m_frame->show();
    EXPECT_EQ(m_frame->LeftView().width(), 300);
    EXPECT_EQ(m_frame->DateText(), DatePaneText(QDate::currentDate()));
    EXPECT_EQ(DatePaneText(QDate(2009, 3, 5)), QStringLiteral("2009년 3월 5일"));
    EXPECT_EQ(m_frame->State().m_strLogFolder.native(), (Documents() / "ZOVA/Logs/").native());
    EXPECT_TRUE(std::filesystem::is_directory(Documents() / "ZOVA/Logs"));

    const int ids[] = {kVerifyButtonId, kPrintButtonId, kSettingsButtonId, kCopyButtonId};
    const char16_t* captions[] = {u"검 증", u"출 력", u"설 정", u"공급받는자"};
    for (int i = 0; i < 4; ++i) {
        const QAbstractButton* button = m_frame->CommandDlg().Button(ids[i]);
        ASSERT_NE(button, nullptr) << ids[i];
        EXPECT_EQ(button->text(), QString::fromUtf16(captions[i]));
        EXPECT_EQ(button->toolTip(), QString::fromUtf16(captions[i]));
        EXPECT_FALSE(button->icon().isNull()) << ids[i];
    }
}

TEST_F(MainFrameTest, AMessageBoxIsWideEnoughForItsCaption) {
    int width = 0;
    QTimer::singleShot(0, [&width] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        width = box->width();
        box->close();
    });
    BoxMessagePresenter().Present(m_frame.get(), u"짧음"_qs, u"에러 메시지"_qs,
                                  MessageIcon::Exclamation);
    EXPECT_GE(width, CaptionWidth(u"에러 메시지"_qs, m_frame->font()));
}

TEST(FramePlacementTest, TheWindowFitsTheScreensFreeArea) {
    const QRect screen(0, 0, 1600, 970);
    const struct {
        const char* name;
        QRect wanted, available, fitted;
    } rows[] = {
        {"room enough", {15, 15, 1000, 720}, screen, {15, 15, 1000, 720}},
        {"scale factor 2", {15, 15, 1000, 720}, {0, 0, 800, 485}, {0, 0, 792, 453}},
        {"partly off the right", {1200, 15, 1000, 720}, screen, {592, 15, 1000, 720}},
        {"on a screen now gone", {-1800, 40, 1000, 720}, screen, {0, 40, 1000, 720}},
        {"second screen", {1700, 20, 1000, 720}, {1600, 0, 1280, 1024}, {1700, 20, 1000, 720}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FittedGeometry(row.wanted, row.available), row.fitted) << row.name;
}

TEST_F(MainFrameTest, ThePlacementTheUserLeftIsTheNextStartsPlacement) {
    FrameServices services = MakeServices();
    Profile& settings = *services.profile;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect left(available.topLeft() + QPoint(20, 30), QSize(500, 400));
    StorePlacement(settings, {left, true, 420});
    CMainFrame frame(std::move(services));
    EXPECT_EQ(frame.geometry(), left);
    EXPECT_TRUE(frame.windowState() & Qt::WindowMaximized);
    frame.show();
    EXPECT_EQ(frame.LeftView().width(), 420);

    frame.showNormal();
    frame.resize(520, 410);
    frame.findChild<QSplitter*>()->setSizes({250, 270});
    frame.close();
    const FramePlacement kept = StoredPlacement(settings);
    EXPECT_EQ(kept.geometry.size(), QSize(520, 410));
    EXPECT_FALSE(kept.maximised);
    EXPECT_EQ(kept.treeWidth, 250);
}

TEST_F(MainFrameTest, TheMenuAndTheAcceleratorsCarryTheirTextsAndKeys) {
    QStringList menus;
    QStringList items;
    for (QAction* menu : m_frame->menuBar()->actions()) {
        menus.append(menu->text());
        for (QAction* item : menu->menu()->actions()) {
            items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        }
    }
    EXPECT_EQ(menus, (QStringList{u"파일(&F)"_qs, u"보기(&V)"_qs, u"도움말(&H)"_qs}));
    EXPECT_EQ(items, (QStringList{u"검증(&O)...\tCtrl+O"_qs, u"설정(&S)...\tCtrl+S"_qs,
                                  u"인쇄(&P)...\tCtrl+P"_qs, u"인쇄 설정(&R)..."_qs,
                                  u"PDF로 저장(&A)..."_qs, u"목록 보기(&L)\tCtrl+L"_qs, u"-"_qs,
                                  u"종료(&X)"_qs,
                                  u"상태 표시줄(&S)"_qs, u"Viewer 1.0 정보(&A)..."_qs}));

    const std::pair<int, QKeySequence> keys[] = {
        {kNewCommand, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {kVerifyCommand, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {kSettingsCommand, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {kPrintCommand, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {kLedgerCommand, QKeySequence(Qt::CTRL | Qt::Key_L)},
        {kNextPaneCommand, QKeySequence(Qt::Key_F6)},
        {kPreviousPaneCommand, QKeySequence(Qt::SHIFT | Qt::Key_F6)},
    };
    for (const auto& [id, key] : keys) {
        ASSERT_NE(m_frame->CommandAction(id), nullptr) << id;
        EXPECT_EQ(m_frame->CommandAction(id)->shortcut(), key) << id;
    }

    QAction* statusBarShown = m_frame->CommandAction(kStatusBarCommand);
    m_frame->show();
    EXPECT_TRUE(statusBarShown->isChecked());
    statusBarShown->trigger();
    EXPECT_FALSE(m_frame->statusBar()->isVisible());

    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Viewer 1.0 정보"));
    EXPECT_EQ(about.TextLabel()->text(), QStringLiteral("Viewer 버전 1.0"));
    EXPECT_EQ(about.OkButton()->text(), QStringLiteral("확인"));
}

TEST_F(MainFrameTest, TheCopyButtonServesShownInvoicesAndFlipsOnlyWhenTheOtherCopyCameUp) {
    m_folder.CreateFiles({"home/Documents/ZOVA/Taxfiles/a.ktx"});
    const std::filesystem::path invoice = Documents() / "ZOVA/Taxfiles/invoice.xml";
    std::filesystem::copy_file(SampleInvoice(), invoice);
    QAbstractButton& button = *m_frame->CommandDlg().Button(kCopyButtonId);
    EXPECT_FALSE(button.isEnabled());

    Select(invoice);
    m_frame->RouteCommand(5);
    ASSERT_TRUE(button.isEnabled());
    QStringList captions;
    std::vector<int> copies{m_frame->State().m_nLastCopy};
    for (int press = 0; press < 3; ++press) {
        button.click();
        captions.append(CopyCaption());
        copies.push_back(m_frame->State().m_nLastCopy);
        EXPECT_EQ(m_frame->State().m_bShowOtherCopy, 0);
    }
    EXPECT_EQ(captions, (QStringList{u"공급자"_qs, u"공급받는자"_qs, u"공급자"_qs}));
    EXPECT_EQ(button.toolTip(), u"공급자"_qs);
    EXPECT_EQ(copies, (std::vector<int>{2, 1, 2, 1}));

    // A press whose run fails shows no copy: the caption stays, the button goes grey.
    Select(Documents() / "ZOVA/Taxfiles/a.ktx");
    button.click();
    EXPECT_EQ(m_presenter->Texts().count(u"서명검증이 실패했습니다."_qs), 1);
    EXPECT_EQ(CopyCaption(), u"공급자"_qs);
    EXPECT_FALSE(button.isEnabled());

    // A double click starts the cycle over.
    m_frame->RouteCommand(5);
    EXPECT_EQ(CopyCaption(), u"공급받는자"_qs);
    EXPECT_EQ(m_frame->State().m_bCopyButtonSupplier, 0);
}

TEST_F(MainFrameTest, AFailedRunLeavesNoEarlierPageNoEarlierVerdictAndNoStartText) {
    ShowAndWait(SampleInvoice());
    EXPECT_EQ(m_frame->StatusText(), u"전자서명이 없는 문서입니다."_qs);
    EXPECT_TRUE(m_frame->SignatureLine().Text().startsWith(u"서명 없음"_qs));

    const std::filesystem::path junk = m_folder.Write("junk.KTX", "no document");
    ShowAndWait(junk);
    EXPECT_EQ(m_frame->State().m_bDocumentShown, 0);
    EXPECT_EQ(m_frame->StatusText(), u"서명검증이 실패했습니다."_qs);
    EXPECT_EQ(m_frame->SignatureLine().Text(), u"실패 · 규정된 파일이 아닙니다."_qs);
    EXPECT_EQ(m_frame->HtmlView().title(), u"junk.KTX"_qs);
    EXPECT_TRUE(testing::PageText(m_frame->HtmlView()).contains(u"규정된 파일이 아닙니다."_qs));
    m_presenter->m_messages.clear();
    m_frame->RouteCommand(3);
    EXPECT_EQ(m_presenter->Texts(), QStringList{u"세금계산서를 먼저 검증하십시오."_qs});

    // The verify form tells its verdict in a box, and pane 0 keeps it too.
    m_frame->VerifyDocument(SampleInvoice());
    EXPECT_EQ(m_frame->StatusText(), u"전자서명이 없는 문서입니다."_qs);
}

TEST_F(MainFrameTest, WithoutASelectedFileTheCommandsSaySoOrDoNothing) {
    m_frame->RouteCommand(4);
    ASSERT_EQ(m_presenter->m_messages.size(), 1u);
    EXPECT_EQ(m_presenter->m_messages[0].text, u"파일이 선택되지 않았습니다."_qs);
    EXPECT_EQ(m_presenter->m_messages[0].caption, u"에러 메시지"_qs);
    EXPECT_EQ(m_presenter->m_messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(CopyCaption(), u"공급받는자"_qs);
    EXPECT_EQ(m_frame->State().m_bCopyButtonSupplier, 0);

    // A folder is no document file either; verify says nothing at all.
    Select(Documents());
    m_frame->RouteCommand(5);
    m_frame->RouteCommand(2);
    m_frame->RouteCommand(99);
    EXPECT_EQ(m_presenter->Texts(),
              (QStringList{u"파일이 선택되지 않았습니다."_qs, u"파일이 선택되지 않았습니다."_qs}));
    EXPECT_TRUE(m_frame->State().m_strDocPath.empty());
}

TEST_F(MainFrameTest, PrintingIsRefusedUntilADocumentWasShown) {
    m_frame->RouteCommand(3);
    ASSERT_EQ(m_presenter->m_messages.size(), 1u);
    EXPECT_EQ(m_presenter->m_messages[0].text, u"세금계산서를 먼저 검증하십시오."_qs);
    EXPECT_EQ(m_presenter->m_messages[0].caption, u"에러 메시지"_qs);
    EXPECT_EQ(m_presenter->m_messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(m_frame->PrintWindows().empty());
}

TEST_F(MainFrameTest, PrintingAShownInvoiceAdvisesThenPreviewsItInAWindowOfItsOwn) {
    ShowAndWait(SampleInvoice());
    ASSERT_EQ(m_frame->State().m_bDocumentShown, 1);
    EXPECT_EQ(m_frame->StatusText(), u"전자서명이 없는 문서입니다."_qs);
    m_presenter->m_messages.clear();

    m_frame->RouteCommand(3);
    ASSERT_EQ(m_presenter->m_messages.size(), 1u);
    EXPECT_EQ(m_presenter->m_messages[0].text,
              u"프린터 출력이 안될시 조치방법 안내해 드립니다.\n\n"
              u"1. 시스템 설정 - 프린터 - 사용하는 프린터를 기본 프린터로 설정\n\n"
              u"2. 인쇄 미리 보기 창의 \"인쇄\" 단추를 클릭"_qs);
    EXPECT_EQ(m_presenter->m_messages[0].caption, u"안내 메시지"_qs);
    EXPECT_EQ(m_presenter->m_messages[0].icon, MessageIcon::Exclamation);

    // The preview was opened on the loaded page, in a window that stays open.
    EXPECT_EQ(m_printLog->previewedTitles, QStringList{m_frame->HtmlView().title()});
    ASSERT_EQ(m_frame->PrintWindows().size(), 1u);
    EXPECT_TRUE(m_frame->PrintWindows()[0]->isVisible());
    EXPECT_TRUE(m_frame->PrintWindows()[0]->isWindow());
}

TEST_F(MainFrameTest, PrintingFollowsTheActivePaneButTheButtonAlwaysPrintsTheDocument) {
    ASSERT_TRUE(FocusWidget(*m_frame, m_frame->HtmlView()));
    m_frame->CommandAction(kPrintCommand)->trigger();
    // The page prints itself: its print dialog, no check and no advice.
    EXPECT_EQ(m_printLog->printerChoices, 1);
    EXPECT_TRUE(m_presenter->m_messages.empty());

    m_frame->CommandDlg().Button(kPrintButtonId)->click();
    EXPECT_EQ(m_presenter->Texts(), QStringList{u"세금계산서를 먼저 검증하십시오."_qs});

    ASSERT_TRUE(FocusWidget(*m_frame, Tree()));
    m_frame->CommandAction(kPrintCommand)->trigger();
    EXPECT_EQ(m_printLog->printerChoices, 1);
    EXPECT_EQ(m_presenter->m_messages.size(), 2u);
}

TEST_F(MainFrameTest, F6MovesTheFocusBetweenThePanes) {
    ASSERT_TRUE(FocusWidget(*m_frame, Tree()));
    const auto focusIn = [](QWidget& pane) {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == &pane || pane.isAncestorOf(focus));
    };
    m_frame->CommandAction(kNextPaneCommand)->trigger();
    EXPECT_TRUE(focusIn(m_frame->HtmlView()));
    m_frame->CommandAction(kPreviousPaneCommand)->trigger();
    EXPECT_TRUE(focusIn(Tree()));
}

TEST_F(MainFrameTest, AHandedOffPathIsSelectedInTheTreeAndShown) {
    // A name from an older system, in code page 949.
    const std::string name = Cp949FromUtf8("가나.ktx");
    m_folder.CreateFiles({"home/Documents/docs/" + name});
    Tree().InitialiseTree();
    const std::filesystem::path file = Documents() / "docs" / name;
    m_frame->OnCopyData(QByteArray::fromStdString(file.native()));

    const QString treePath = PathFromNative(QByteArray::fromStdString(file.native()));
    EXPECT_EQ(Tree().GetItemPath(Tree().currentItem()), treePath);
    EXPECT_EQ(m_frame->State().m_strDocPath, file);
    // A plain file is not a signed document: the run says so.
    EXPECT_EQ(m_presenter->Texts().back(), u"서명검증이 실패했습니다."_qs);
    // The tree's selection retitled the document, and the caption shows it.
    EXPECT_EQ(m_frame->GetActiveDocument().GetTitle(), treePath);
    EXPECT_EQ(m_frame->windowTitle(), ToQString(Documents() / "docs") + u"/가나.ktx - ZOVAViewer"_qs);
}

// Second starts hand documents over while boxes of earlier runs are up, as the hand-off's
// socket is heard while a box runs the event loop. Every one runs, and the window ends with
// title, tree, page, status and state all on the last one.
TEST_F(MainFrameTest, HandOffsArrivingDuringMessageBoxesAllRunAndTheLastOneIsShown) {
    // Every third a file that is no document (two boxes), the others invoices that are shown.
    std::vector<std::filesystem::path> documents;
    for (int i = 0; i < 50; ++i) {
        testing::MadeUpInvoice invoice;
        invoice.supplierName = "상사" + std::to_string(i);
        const std::string name = "home/Documents/doc" + std::to_string(i);
        documents.push_back(
            i % 3 == 2 ? m_folder.Write(name + ".ktx", "x")
                       : m_folder.Write(name + ".xml", testing::MadeUpInvoiceXml(invoice)));
    }
    Tree().InitialiseTree();
    std::size_t next = 0;
    const auto handOffNext = [&] {
        if (next < documents.size()) m_frame->OnCopyData(documents[next++].c_str());
    };
    // While a box is up the next two hand-offs arrive.
    m_presenter->m_onPresent = [&] {
        for (int i = 0; i < 2; ++i) handOffNext();
    };
    while (next < documents.size()) handOffNext();

    EXPECT_EQ(m_presenter->Texts().count(u"서명검증이 실패했습니다."_qs), 50 / 3);
    const QString last = ToQString(documents.back());
    EXPECT_EQ(Tree().GetItemPath(Tree().currentItem()), last);
    EXPECT_EQ(m_frame->windowTitle(), last + u" - ZOVAViewer"_qs);
    EXPECT_EQ(m_frame->State().m_strDocPath, documents.back());
    EXPECT_EQ(m_frame->State().m_bDocumentShown, 1);
    EXPECT_EQ(m_frame->StatusText(), u"전자서명이 없는 문서입니다."_qs);
    const std::string page = testing::ReadBytes(Documents() / "ZOVA/Logs/zova_document.html");
    EXPECT_NE(page.find("상사49"_cp949), std::string::npos);
}

// The settings command.

// Answers the settings dialog once it runs modally: records how it was opened, then lets the
// answer work on it. The dialog must close within the answer, or the test would block.
class SettingsAnswer {
public:
    explicit SettingsAnswer(std::function<void(CConfigDlg&)> answer) {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
            auto* dialog = qobject_cast<CConfigDlg*>(QApplication::activeModalWidget());
            if (!dialog) return;
            m_timer.stop();
            ++m_opened;
            m_parentless = dialog->parent() == nullptr;
            answer(*dialog);
        });
        m_timer.start();
    }

    int m_opened = 0;
    bool m_parentless = false;

private:
    QTimer m_timer;
};

void EnterNumber(CConfigDlg& dialog, const QString& first, const QString& second,
                 const QString& third) {
    dialog.Edit(kUserId1Edit)->setText(first);
    dialog.Edit(kUserId2Edit)->setText(second);
    dialog.Edit(kUserId3Edit)->setText(third);
    dialog.OkButton().click();
}

TEST_F(MainFrameTest, CtrlSAndTheSettingsButtonOpenTheSettingsDialogWithoutAnOwner) {
    int refusals = 0;
    SettingsAnswer viaKey([&](CConfigDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"환경설정"_qs);
        EXPECT_TRUE(dialog.isModal());
        // A refused number is told through the frame's boxes, with the warning icon.
        EnterNumber(dialog, u"12"_qs, u""_qs, u""_qs);
        refusals = static_cast<int>(m_presenter->m_messages.size());
        dialog.reject();
    });
    m_frame->CommandAction(kSettingsCommand)->trigger();
    EXPECT_EQ(viaKey.m_opened, 1);
    EXPECT_TRUE(viaKey.m_parentless);
    EXPECT_EQ(refusals, 1);
    ASSERT_EQ(m_presenter->m_messages.size(), 1u);
    EXPECT_EQ(m_presenter->m_messages[0].text, u"첫번째 사업자번호는 세자리입니다."_qs);
    EXPECT_EQ(m_presenter->m_messages[0].caption, u"에러 메시지"_qs);
    EXPECT_EQ(m_presenter->m_messages[0].icon, MessageIcon::Exclamation);

    SettingsAnswer viaButton([](CConfigDlg& dialog) { dialog.reject(); });
    m_frame->CommandDlg().Button(kSettingsButtonId)->click();
    EXPECT_EQ(viaButton.m_opened, 1);
}

TEST_F(MainFrameTest, TheNextShownInvoiceUsesTheNumberTheSettingsStored) {
    LEDGRA_SKIP_WITHOUT_SHARED_SAMPLES();
    const std::filesystem::path invoice =
        std::filesystem::path(LEDGRA_SHARED_SAMPLES) / "real/xml/kr-etax-sample_unsigned.xml";
    // Another number: the invoice is not the user's own; then the supplier's number: it is.
    const struct {
        const char16_t* first;
        const char16_t* second;
        const char16_t* third;
        int copy;
    } rows[] = {{u"123", u"45", u"67890", 2}, {u"204", u"86", u"31263", 1}};
    for (const auto& row : rows) {
        SettingsAnswer answer([&](CConfigDlg& dialog) {
            EnterNumber(dialog, QString::fromUtf16(row.first), QString::fromUtf16(row.second),
                        QString::fromUtf16(row.third));
        });
        m_frame->RouteCommand(1);
        ASSERT_EQ(answer.m_opened, 1);
        ShowAndWait(invoice);
        EXPECT_EQ(m_frame->State().m_nLastCopy, row.copy);
    }
    EXPECT_TRUE(m_presenter->m_messages.empty());
}

}  // namespace
}  // namespace ledgra
