#include <QCoreApplication>
#include <QDesktopServices>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <functional>

#include "app/AttachmentKinds.h"
#include "app/NavoTaxExplorerView.h"
#include "app/PageProfile.h"
#include "app/PageScheme.h"
#include "base/Folders.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/PageTestSupport.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::ToQString;
using testing::WaitForSignal;
using testing::WriteCp949Page;

TEST(AttachmentKindOf, DecidesByTheExtensionInAnyCase) {
    struct Row {
        const char* name;
        AttachmentKind kind;
    };
    const Row rows[] = {
        {"zova_a.txt", AttachmentKind::Text},     {"zova_A.TXT", AttachmentKind::Text},
        {"zova_a.csv", AttachmentKind::Text},     {"zova_a.html", AttachmentKind::Page},
        {"zova_a.Htm", AttachmentKind::Page},     {"zova_a.png", AttachmentKind::Image},
        {"zova_a.jpeg", AttachmentKind::Image},   {"zova_견적서.pdf", AttachmentKind::Desktop},
        {"zova_a.HWP", AttachmentKind::Desktop},  {"zova_a.zip", AttachmentKind::Desktop},
        {"zova_a.xlsx", AttachmentKind::Desktop}, {"zova_a (2).docx", AttachmentKind::Desktop},
        {"zova_a.exe", AttachmentKind::Refused},  {"zova_a.desktop", AttachmentKind::Refused},
        {"zova_a.sh", AttachmentKind::Refused},   {"zova_견적서.pdf.exe", AttachmentKind::Refused},
        {"zova_a", AttachmentKind::Refused},      {"zova_", AttachmentKind::Refused},
        {"zova_a.svg", AttachmentKind::Refused},  {"zova_.txt", AttachmentKind::Text},
    };
    for (const Row& row : rows) EXPECT_EQ(AttachmentKindOf(row.name), row.kind) << row.name;
}

// Takes the addresses the desktop would have opened.
class DesktopRecorder : public QObject {
    Q_OBJECT

public:
    DesktopRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~DesktopRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    std::vector<QUrl> m_opened;

public slots:
    void Open(const QUrl& url) { m_opened.push_back(url); }
};

class AttachmentWindowsTest : public testing::AppTest {
protected:
    AttachmentWindowsTest() : m_logFolder(CreateLogFolder(Documents())), m_profile(m_logFolder) {}

    // A page of one link per file, each a block 40 pixels high, in this order.
    bool ShowLinks(const std::vector<std::string>& files) {
        std::string html = "<html><body style='margin:0'>";
        for (const std::string& file : files) {
            html += "<a href='#' onclick=\"javascript:window.open('" +
                    (m_logFolder / file).native() +
                    "','win','top=60,left=300,width=600,height=400');\" "
                    "style='display:block;height:40px'>" +
                    file + "</a>";
        }
        html += "</body></html>";
        m_view.resize(400, 40 * static_cast<int>(files.size()));
        m_view.show();
        m_view.Navigate2(WriteCp949Page(m_logFolder / "zova_document.html", html));
        return WaitForSignal(&m_view, &QWebEngineView::loadFinished);
    }

    void Click(int link) {
        QWidget& surface = *m_view.focusProxy();
        const QPointF at(50, 40 * link + 20);
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, surface.mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(&surface, &event);
        }
    }

    std::vector<CNAVO_TaxExplorerView*> ShownWindows() const {
        std::vector<CNAVO_TaxExplorerView*> shown;
        for (auto* view : m_view.findChildren<CNAVO_TaxExplorerView*>()) {
            if (view->isWindow() && view->isVisible()) shown.push_back(view);
        }
        return shown;
    }

    // Runs the event loop until the condition holds; false after the limit.
    static bool WaitUntil(const std::function<bool()>& condition) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (condition()) loop.quit();
        });
        poll.start(20);
        QTimer::singleShot(std::chrono::seconds(30), &loop, &QEventLoop::quit);
        if (!condition()) loop.exec();
        return condition();
    }

    std::filesystem::path m_logFolder;
    PageProfile m_profile;
    CNAVO_TaxExplorerView m_view{m_profile};
};

TEST_F(AttachmentWindowsTest, DocumentsGoToTheDesktopTextShowsAndProgramsOpenNothing) {
    DesktopRecorder desktop;
    m_folder.Write("home/Documents/ZOVA/Logs/zova_견적서.pdf", "%PDF-1.4");
    m_folder.Write("home/Documents/ZOVA/Logs/zova_run.exe", "MZ");
    m_folder.Write("home/Documents/ZOVA/Logs/zova_appendix.txt", "부록 내용: 납품 일정"_cp949);
    ASSERT_TRUE(ShowLinks({"zova_견적서.pdf", "zova_run.exe", "zova_appendix.txt"}));
    Click(0);
    Click(1);
    ASSERT_TRUE(WaitUntil([&] { return !desktop.m_opened.empty(); }));
    Click(2);
    ASSERT_TRUE(WaitUntil([&] { return !ShownWindows().empty(); }))
        << m_view.findChildren<CNAVO_TaxExplorerView*>().size() << " " << desktop.m_opened.size();
    EXPECT_EQ(desktop.m_opened,
              std::vector<QUrl>{QUrl::fromLocalFile(ToQString(m_logFolder / "zova_견적서.pdf"))});
    const std::vector<CNAVO_TaxExplorerView*> shown = ShownWindows();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(PagePathOfUrl(shown.front()->url()), m_logFolder / "zova_appendix.txt");
    EXPECT_EQ(shown.front()->windowTitle(), QStringLiteral("appendix.txt"));
    ASSERT_TRUE(WaitUntil([&] { return testing::PageText(*shown.front()).contains(u"납품"); }));
    // Code page 949 text is shown decoded as such.
    EXPECT_EQ(testing::PageText(*shown.front()), QStringLiteral("부록 내용: 납품 일정"));
}

// Every attachment link names the same window: a later link sends the open window to its own
// file.
TEST_F(AttachmentWindowsTest, ALaterLinkShowsItsFileInTheWindowAnEarlierOneOpened) {
    m_folder.Write("home/Documents/ZOVA/Logs/zova_a.txt", "first");
    m_folder.Write("home/Documents/ZOVA/Logs/zova_b.txt", "second");
    ASSERT_TRUE(ShowLinks({"zova_a.txt", "zova_b.txt"}));
    Click(0);
    ASSERT_TRUE(WaitUntil([&] { return !ShownWindows().empty(); }));
    CNAVO_TaxExplorerView* window = ShownWindows().front();
    ASSERT_TRUE(WaitUntil([&] { return testing::PageText(*window) == u"first"; }));
    Click(1);
    ASSERT_TRUE(WaitUntil([&] { return testing::PageText(*window) == u"second"; }));
    EXPECT_EQ(PagePathOfUrl(window->url()), m_logFolder / "zova_b.txt");
    EXPECT_EQ(ShownWindows(), std::vector<CNAVO_TaxExplorerView*>{window});
}

TEST_F(AttachmentWindowsTest, AClosedWindowOpensAgain) {
    m_folder.Write("home/Documents/ZOVA/Logs/zova_a.txt", "first");
    m_folder.Write("home/Documents/ZOVA/Logs/zova_b.txt", "second");
    ASSERT_TRUE(ShowLinks({"zova_a.txt", "zova_b.txt"}));
    for (int round = 0; round < 2; ++round) {
        // The window, once closed, is asked for the file it does not hold.
        for (int link : {1, 0}) {
            SCOPED_TRACE(std::to_string(round) + " " + std::to_string(link));
            Click(link);
            ASSERT_TRUE(WaitUntil([&] {
                return ShownWindows().size() == 1 && testing::PageText(*ShownWindows().front()) ==
                                                         (link == 0 ? u"first" : u"second");
            }));
        }
        ShownWindows().front()->close();
        ASSERT_TRUE(WaitUntil([&] { return ShownWindows().empty(); }));
        // The user's next click lands on the page's window, which is active again.
        m_view.activateWindow();
        ASSERT_TRUE(WaitUntil([&] { return m_view.isActiveWindow(); }));
    }
}

// A closed window stays for the next link of its page; the next page takes it away.
TEST_F(AttachmentWindowsTest, TheNextPageTakesThePreviousPagesWindowsAway) {
    m_folder.Write("home/Documents/ZOVA/Logs/zova_a.txt", "first");
    ASSERT_TRUE(ShowLinks({"zova_a.txt"}));
    Click(0);
    ASSERT_TRUE(WaitUntil([&] { return ShownWindows().size() == 1; }));
    ShownWindows().front()->close();
    EXPECT_EQ(m_view.findChildren<CNAVO_TaxExplorerView*>().size(), 1u);
    ASSERT_TRUE(ShowLinks({"zova_a.txt"}));
    EXPECT_TRUE(WaitUntil([&] { return m_view.findChildren<CNAVO_TaxExplorerView*>().empty(); }));
}

TEST_F(AttachmentWindowsTest, UnicodeTextStaysAsItIs) {
    m_folder.Write("home/Documents/ZOVA/Logs/zova_utf8.txt", "똠방각하 ✓");
    ASSERT_TRUE(ShowLinks({"zova_utf8.txt"}));
    Click(0);
    ASSERT_TRUE(WaitUntil([&] { return !ShownWindows().empty(); }));
    ASSERT_TRUE(WaitUntil([&] { return !testing::PageText(*ShownWindows().front()).isEmpty(); }));
    EXPECT_EQ(testing::PageText(*ShownWindows().front()), QStringLiteral("똠방각하 ✓"));
}

}  // namespace
}  // namespace ledgra

#include "AttachmentWindowsTest.moc"
