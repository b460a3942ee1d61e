#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "app/NavoTaxExplorerView.h"
#include "app/PagePrinting.h"
#include "app/PageProfile.h"
#include "app/PageScheme.h"
#include "app/PdfExport.h"
#include "base/FileAccess.h"
#include "base/Folders.h"
#include "render/ContentPage.h"
#include "render/Contract.h"
#include "render/SealImages.h"
#include "settings/Profile.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/PageTestSupport.h"
#include "tests/support/PdfText.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/SignedFixtures.h"

namespace ledgra {
namespace {

using testing::ToQString;
using testing::WaitForSignal;
using testing::WaitForTitle;
using testing::WriteCp949Page;

class PageViewTest : public testing::AppTest {
protected:
    PageViewTest() : m_logFolder(CreateLogFolder(Documents())), m_profile(m_logFolder) {}

    // Shows the page and waits for it; the view is destroyed before the profile.
    bool Show(const std::filesystem::path& htmlFile) {
        m_view.Navigate2(htmlFile);
        bool loaded = false;
        QObject::connect(
            &m_view, &QWebEngineView::loadFinished, &m_view, [&](bool ok) { loaded = ok; },
            Qt::SingleShotConnection);
        return WaitForSignal(&m_view, &QWebEngineView::loadFinished) && loaded;
    }

    std::string LogPath(const char* name) const { return (m_logFolder / name).native(); }

    std::filesystem::path m_logFolder;
    PageProfile m_profile;
    CNAVO_TaxExplorerView m_view{m_profile};
};

TEST_F(PageViewTest, ShowsThePageDecodedWithTheViewersOwnCodec) {
    // 똠 is one of the characters the engine's own euc-kr decoder gets wrong; the page lies
    // outside the log folder, as a stored html file may, in a folder whose name is not UTF-8.
    const auto page = WriteCp949Page(
        m_folder.Path() / "pages \xB0\xA1#1/document.html",
        "<html><head><meta http-equiv='Content-Type' content='text/html; charset=euc-kr'>"
        "<title>똠방각하 세금계산서</title></head><body>똠</body></html>");
    ASSERT_TRUE(Show(page));
    EXPECT_EQ(m_view.title(), QStringLiteral("똠방각하 세금계산서"));
    EXPECT_EQ(PagePathOfUrl(m_view.url()), page);
}

TEST_F(PageViewTest, APageShowsTheLogFoldersImagesButReachesNoOtherFileAndNoNetwork) {
    QImage seal(8, 8, QImage::Format_RGB32);
    seal.fill(Qt::red);
    ASSERT_TRUE(seal.save(QString::fromStdString(LogPath("zova_supplier.gif")), "PNG"));
    const std::string outside = (m_folder.Path() / "outside.png").native();
    ASSERT_TRUE(seal.save(QString::fromStdString(outside), "PNG"));
    const std::string secret = m_folder.Write("secret.txt", "SECRET").native();
    // A server that would see any request a page makes to the network.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        ++connections;
        server.nextPendingConnection()->abort();
    });
    const std::string remote = "http://127.0.0.1:" + std::to_string(server.serverPort());

    // Every attempt reports into a list; the sorted list becomes the title at the end.
    const std::string html =
        "<html><body><script>var results = [];"
        "function mark(r) { results.push(r); if (results.length == 8) "
        "document.title = 'results ' + results.sort().join(' '); }"
        "function read(name, url) { fetch(url).then(r => r.text()).then("
        "  t => mark(name + (t.includes('SECRET') ? ':read' : ':blocked')),"
        "  e => mark(name + ':blocked')); }</script>"
        "<img src='" +
        LogPath("zova_supplier.gif") +
        "' onload=\"mark('seal:shown')\" onerror=\"mark('seal:missing')\">"
        "<img src='" +
        outside +
        "' onload=\"mark('outside:shown')\" onerror=\"mark('outside:missing')\">"
        "<img src='file://" +
        outside +
        "' onload=\"mark('file:shown')\" onerror=\"mark('file:missing')\">"
        "<img src='" +
        remote +
        "/stamp.gif"
        "' onload=\"mark('remote:shown')\" onerror=\"mark('remote:missing')\">"
        "<script>"
        "read('fetch-file', 'file://" +
        secret +
        "');"
        "read('fetch-scheme', '" +
        secret +
        "');"
        "read('fetch-remote', '" +
        remote +
        "/data');"
        "var x = new XMLHttpRequest();"
        "x.onload = () => mark(x.responseText.includes('SECRET') ? 'xhr:read' : 'xhr:blocked');"
        "x.onerror = () => mark('xhr:blocked');"
        "try { x.open('GET', 'file://" +
        secret +
        "'); x.send(); } catch (e) { mark('xhr:blocked'); }"
        "</script></body></html>";
    ASSERT_TRUE(Show(WriteCp949Page(m_logFolder / "zova_document.html", html)));
    ASSERT_TRUE(WaitForTitle(m_view, [](const QString& t) { return t.startsWith(u"results"); }));
    EXPECT_EQ(m_view.title(),
              QStringLiteral("results fetch-file:blocked fetch-remote:blocked fetch-scheme:blocked "
                             "file:missing outside:missing remote:missing seal:shown xhr:blocked"));
    EXPECT_EQ(connections, 0);
}

// Every invoice's seal has the same file name, and the engine keeps images it has shown by
// address: a page shown, printed or saved must still show the seal written for it. The seal's
// tag names the log folder's path as it is, whatever characters the folder's name holds.
TEST_F(PageViewTest, EveryLoadShowsTheSealWrittenForIt) {
    if (!testing::HasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed";
    for (const std::string odd : {"", "#", "?", "%41", "%2F", "%", " ", "'", "\\", "가"}) {
        const std::filesystem::path logFolder = CreateLogFolder(m_folder.Path() / ("a" + odd));
        const std::filesystem::path page = logFolder / "zova_document.html";
        ASSERT_TRUE(WriteOwnFile(
            page, "<html><body><img src='" + SealImagePageText(logFolder, kSupplierSealFileName) +
                      "' onload=\"document.title = this.naturalWidth + 'x' + this.naturalHeight\">"
                      "</body></html>"));
        PageProfile profile(logFolder);
        CNAVO_TaxExplorerView view(profile);
        CNAVO_TaxExplorerView printWindow(profile);
        LockedPage pdfPage(profile);
        const std::filesystem::path pdf = m_folder.Path() / "page.pdf";
        // Each way shows the page and tells the size of the seal it shows.
        const std::pair<const char*, std::function<std::string()>> ways[] = {
            {"view", [&] { return NavigateAndWait(view, page) ? view.title().toStdString() : ""; }},
            {"print window",
             [&] {
                 return NavigateAndWait(printWindow, page) ? printWindow.title().toStdString() : "";
             }},
            {"pdf",
             [&] {
                 if (!LoadPageAndWait(pdfPage, page) || !SavePageAsPdf(pdfPage, pdf))
                     return std::string();
                 const std::vector<std::string> sizes = testing::PdfImageSizes(pdf);
                 return sizes.size() == 1 ? sizes[0] : std::string();
             }},
        };
        for (const auto& [way, shownSeal] : ways) {
            for (const QSize size : {QSize(8, 8), QSize(16, 4)}) {
                QImage seal(size, QImage::Format_RGB32);
                seal.fill(Qt::red);
                ASSERT_TRUE(
                    seal.save(QString::fromStdString(logFolder / "zova_supplier.gif"), "PNG"));
                EXPECT_EQ(shownSeal(),
                          std::to_string(size.width()) + "x" + std::to_string(size.height()))
                    << way << " in folder a" << odd;
            }
        }
    }
}

// Contract bodies and content pages put the document's markup into the page as it is.
// Whatever that markup tries, it reaches no file outside the log folder and no network, and
// the view stays on the page.
class DocumentMarkupTest : public PageViewTest, public ::testing::WithParamInterface<bool> {
protected:
    // The page the contract (true) or content page (false) renderer makes of this markup.
    std::string Rendered(const std::string& markup) {
        const std::filesystem::path logFolder = m_logFolder.native() + "/";
        MemoryProfile profile;
        const PageTemplates templates;
        testing::RecordingUserInterface ui;
        const RenderContext context{logFolder, {}, profile, templates, ui};
        if (GetParam()) {
            const std::string xml = "<DigitalContent><DataArea><Document>" +
                                    testing::Base64Text(markup) +
                                    "</Document></DataArea></DigitalContent>";
            return RenderContract(context, RenderInput{xml}).page;
        }
        const std::string html = "<html><head></head><body>" + markup + "</body></html>";
        return RenderContentPage(context, RenderInput{html}).page;
    }
};

TEST_P(DocumentMarkupTest, ReachesNoFileAndNoNetwork) {
    const std::string secret = m_folder.Write("secret.txt", "SECRET").native();
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    std::vector<std::string> requests;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        requests.push_back("connection");
        socket->abort();
    });
    const std::string remote = "http://127.0.0.1:" + std::to_string(server.serverPort());

    const std::string markup = "<meta http-equiv='refresh' content='0;url=" + remote +
                               "/refresh'>"
                               "<img src='" +
                               remote +
                               "/image.gif'>"
                               "<iframe src='" +
                               remote +
                               "/frame'></iframe>"
                               "<iframe src='file://" +
                               secret +
                               "'></iframe>"
                               "<form id='post' method='post' action='" +
                               remote +
                               "/post'>"
                               "<input name='a' value='b'></form>"
                               "<script>var results = [];"
                               "function mark(r) { results.push(r); if (results.length == 4) "
                               "document.title = 'results ' + results.sort().join(' '); }"
                               "function read(name, url) { fetch(url).then(r => r.text()).then("
                               "  t => mark(name + (t.includes('SECRET') ? ':read' : ':blocked')),"
                               "  e => mark(name + ':blocked')); }"
                               "read('fetch-file', 'file://" +
                               secret +
                               "');"
                               "read('fetch-scheme', '" +
                               secret +
                               "');"
                               "read('fetch-remote', '" +
                               remote +
                               "/data');"
                               "mark(window.open('" +
                               remote +
                               "/popup') ? 'popup:opened' : 'popup:blocked');"
                               "document.getElementById('post').submit();"
                               "setTimeout(() => { location.href = '" +
                               remote +
                               "/away'; }, 0);"
                               "</script>";
    const std::string page = Rendered(markup);
    ASSERT_NE(page.find("document.getElementById('post')"), std::string::npos);
    const std::filesystem::path pageFile = m_logFolder / "zova_document.html";
    ASSERT_TRUE(WriteOwnFile(pageFile, page));
    // The refused navigations may end the load as "failed": the page is there all the same.
    m_view.Navigate2(pageFile);
    ASSERT_TRUE(WaitForTitle(m_view, [](const QString& t) { return t.startsWith(u"results"); }));
    EXPECT_EQ(m_view.title(), QStringLiteral("results fetch-file:blocked fetch-remote:blocked "
                                             "fetch-scheme:blocked popup:blocked"));
    // The refresh, the form and the new address would have gone out by now.
    QEventLoop settle;
    QTimer::singleShot(std::chrono::milliseconds(1500), &settle, &QEventLoop::quit);
    settle.exec();
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(PagePathOfUrl(m_view.url()), pageFile);
    EXPECT_TRUE(m_view.findChildren<CNAVO_TaxExplorerView*>().empty());
}

INSTANTIATE_TEST_SUITE_P(ContractAndContentPage, DocumentMarkupTest, ::testing::Bool(),
                         [](const auto& info) {
                             return std::string(info.param ? "Contract" : "ContentPage");
                         });

// The page's own navigation rules, asked directly.
class ExposedPage : public LockedPage {
public:
    using LockedPage::acceptNavigationRequest;
    using LockedPage::LockedPage;
};

TEST_F(PageViewTest, APageGoesOnlyWhereTheViewerSendsIt) {
    const auto page = WriteCp949Page(m_logFolder / "zova_document.html", "<html></html>");
    const auto attachment = WriteCp949Page(m_logFolder / "zova_a.txt", "a");
    m_profile.Scheme().AllowPage(page);
    // Addresses of another load: what the page scheme serves does not depend on the load.
    const QUrl outside = PageUrl(m_folder.Write("other.html", "x"), 1);
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(page.native()));
    const QUrl remote(QStringLiteral("http://example.com/"));
    const QUrl blank(QStringLiteral("about:blank"));

    ExposedPage shown(m_profile);
    shown.LoadOwn(page);
    const QUrl own = shown.OwnUrl();
    QUrl withFragment = own;
    withFragment.setFragment(QStringLiteral("top"));
    const auto main = QWebEnginePage::NavigationTypeLinkClicked;
    struct Row {
        QUrl url;
        bool mainFrame;
        bool accepted;
    };
    const Row rows[] = {
        {own, true, true},
        {withFragment, true, true},
        {PageUrl(page, 1), true, false},
        {PageUrl(attachment, 1), true, false},
        {outside, true, false},
        {file, true, false},
        {remote, true, false},
        {PageUrl(attachment, 1), false, true},
        {blank, false, true},
        {outside, false, false},
        {file, false, false},
        {remote, false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(shown.acceptNavigationRequest(row.url, main, row.mainFrame), row.accepted)
            << row.url.toString().toStdString() << (row.mainFrame ? " main" : " frame");
    }

    // A window a page opened goes to the served files its filter takes, one after the other
    // (the attachment links share one window), and nowhere else.
    const auto second = WriteCp949Page(m_logFolder / "zova_b.txt", "b");
    ExposedPage opened(m_profile);
    std::vector<QUrl> asked;
    opened.AcceptServedAddresses([&](const QUrl& url) {
        asked.push_back(url);
        return PagePathOfUrl(url) != page;
    });
    std::vector<bool> decisions;
    QObject::connect(&opened, &LockedPage::OpenedAddressDecided,
                     [&](bool accepted) { decisions.push_back(accepted); });
    EXPECT_TRUE(opened.acceptNavigationRequest(PageUrl(attachment, 1), main, true));
    EXPECT_FALSE(opened.acceptNavigationRequest(PageUrl(page, 1), main, true));
    EXPECT_TRUE(opened.acceptNavigationRequest(PageUrl(second, 1), main, true));
    EXPECT_FALSE(opened.acceptNavigationRequest(outside, main, true));
    EXPECT_FALSE(opened.acceptNavigationRequest(file, main, true));
    EXPECT_FALSE(opened.acceptNavigationRequest(remote, main, true));
    EXPECT_TRUE(opened.acceptNavigationRequest(PageUrl(attachment, 1), main, true));
    EXPECT_EQ(decisions, (std::vector<bool>{true, false, true, false, false, false, true}));
    // Only what the page scheme serves reaches the filter.
    EXPECT_EQ(asked, (std::vector<QUrl>{PageUrl(attachment, 1), PageUrl(page, 1),
                                        PageUrl(second, 1), PageUrl(attachment, 1)}));
    // A load of the viewer's own ends it.
    opened.LoadOwn(page);
    EXPECT_FALSE(opened.acceptNavigationRequest(PageUrl(second, 1), main, true));
}

TEST_F(PageViewTest, PrintsThePageAndRefusesASecondPrintMeanwhile) {
    ASSERT_TRUE(Show(WriteCp949Page(m_logFolder / "zova_document.html",
                                    "<html><body><h1>세금계산서</h1></body></html>")));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::filesystem::path pdf = m_folder.Path() / "page.pdf";
    printer.setOutputFileName(ToQString(pdf));

    // A print command and a print asked for while the first one runs (a timer fires during
    // the wait).
    PrintGuard guard;
    std::optional<PrintGuard::Scope> printing = guard.Enter();
    ASSERT_TRUE(printing);
    QPrinter other;
    std::optional<bool> secondCommand;
    std::optional<PrintResult> secondPrint;
    QTimer::singleShot(0, [&] {
        secondCommand = guard.Enter().has_value();
        secondPrint = PrintPage(m_view, other, *printing);
    });
    EXPECT_EQ(PrintPage(m_view, printer, *printing), PrintResult::Printed);
    EXPECT_EQ(secondCommand, false);
    EXPECT_EQ(secondPrint, PrintResult::Busy);

    const std::string bytes = testing::ReadBytes(pdf);
    EXPECT_TRUE(bytes.starts_with("%PDF")) << bytes.substr(0, 16);
    EXPECT_GT(bytes.size(), 1000u);
    // Done: the next print may start.
    EXPECT_EQ(PrintPage(m_view, printer, *printing), PrintResult::Printed);
    printing.reset();
    EXPECT_FALSE(guard.Busy());
}

void SendMouse(QWidget& target, QEvent::Type type, Qt::MouseButton button) {
    const QPointF local(50, 50);
    QMouseEvent event(type, local, target.mapToGlobal(local), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &event);
}

TEST_F(PageViewTest, TheRightButtonNeverReachesThePage) {
    const auto page = WriteCp949Page(
        m_logFolder / "zova_document.html",
        "<html><body style='margin:0'><div style='width:400px;height:300px'></div><script>"
        "document.addEventListener('mousedown', e => document.title += ' down' + e.button);"
        "document.addEventListener('dblclick', e => document.title += ' double' + e.button);"
        "document.addEventListener('contextmenu', e => document.title += ' menu');"
        "document.title = 'ready';</script></body></html>");
    m_view.resize(400, 300);
    m_view.show();
    ASSERT_TRUE(Show(page));
    ASSERT_TRUE(WaitForTitle(m_view, [](const QString& t) { return t == u"ready"; }));
    QWidget* surface = m_view.focusProxy();
    ASSERT_NE(surface, nullptr);

    SendMouse(*surface, QEvent::MouseButtonPress, Qt::RightButton);
    SendMouse(*surface, QEvent::MouseButtonRelease, Qt::RightButton);
    SendMouse(*surface, QEvent::MouseButtonDblClick, Qt::RightButton);
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(50, 50),
                           surface->mapToGlobal(QPoint(50, 50)));
    QCoreApplication::sendEvent(surface, &menu);
    // The left button does arrive: once it has, anything of the right button would have too.
    SendMouse(*surface, QEvent::MouseButtonPress, Qt::LeftButton);
    SendMouse(*surface, QEvent::MouseButtonRelease, Qt::LeftButton);
    ASSERT_TRUE(WaitForTitle(m_view, [](const QString& t) { return t.contains(u"down0"); }));
    EXPECT_EQ(m_view.title(), QStringLiteral("ready down0"));
}

TEST_F(PageViewTest, AnAttachmentLinkOpensTheFileInAWindowOfItsOwn) {
    WriteCp949Page(m_logFolder / "zova_a.html", "<html><title>attachment</title></html>");
    const auto page = WriteCp949Page(
        m_logFolder / "zova_document.html",
        "<html><body style='margin:0'><a href='#' onclick=\"javascript:window.open('" +
            LogPath("zova_a.html") +
            "','win','top=60,left=300,width=600,height=400');\" "
            "style='display:block;width:400px;height:300px'>1.a.html</a></body></html>");
    m_view.resize(400, 300);
    m_view.show();
    ASSERT_TRUE(Show(page));

    // The window is made a child of the view's window when the page asks for it.
    CNAVO_TaxExplorerView* opened = nullptr;
    QEventLoop loop;
    class ChildWatch : public QObject {
    public:
        explicit ChildWatch(std::function<void(QObject*)> seen) : m_seen(std::move(seen)) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::ChildAdded)
                m_seen(static_cast<QChildEvent*>(event)->child());
            return false;
        }
        std::function<void(QObject*)> m_seen;
    } watch([&](QObject* child) {
        if (auto* view = qobject_cast<CNAVO_TaxExplorerView*>(child)) {
            opened = view;
            QObject::connect(view, &QWebEngineView::titleChanged, &loop, [&](const QString& t) {
                if (t == u"attachment") loop.quit();
            });
        }
    });
    m_view.installEventFilter(&watch);
    SendMouse(*m_view.focusProxy(), QEvent::MouseButtonPress, Qt::LeftButton);
    SendMouse(*m_view.focusProxy(), QEvent::MouseButtonRelease, Qt::LeftButton);
    QTimer::singleShot(std::chrono::seconds(30), &loop, &QEventLoop::quit);
    loop.exec();
    m_view.removeEventFilter(&watch);

    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->title(), QStringLiteral("attachment"));
    EXPECT_TRUE(opened->isWindow());
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(PagePathOfUrl(opened->url()), m_logFolder / "zova_a.html");
}

// --- Zoom ---

void SendKey(QWidget& target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(&target, &press);
}

void SendWheel(QWidget& target, int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent wheel(QPointF(50, 50), target.mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&target, &wheel);
}

// The page reports the zoom it is drawn at: the engine scales the pixel ratio with it.
bool ShowsAtZoom(CNAVO_TaxExplorerView& view, const std::filesystem::path& file, int zoom) {
    // A zoom that arrives after the script ran resizes the page's viewport.
    WriteCp949Page(file,
                   "<script>function report() { document.title = 'zoom ' + "
                   "Math.round(window.devicePixelRatio * 100); }"
                   "report(); window.addEventListener('resize', report);</script>");
    view.Navigate2(file);
    const QString expected = QStringLiteral("zoom %1").arg(zoom);
    return WaitForTitle(view, [&](const QString& title) { return title == expected; });
}

TEST_F(PageViewTest, ThePanesZoomFollowsItsKeysAndTheWheelAndHoldsForTheNextPage) {
    MemoryProfile profile;
    profile.WriteProfileInt("View", "Zoom", 150);
    m_view.RememberZoomIn(profile);
    m_view.resize(400, 300);
    m_view.show();
    EXPECT_TRUE(ShowsAtZoom(m_view, m_logFolder / "zova_document.html", 150))
        << m_view.title().toStdString();
    QWidget& surface = *m_view.focusProxy();

    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const std::pair<std::function<void()>, int> steps[] = {
        {[&] { SendKey(surface, Qt::Key_Equal, ctrl); }, 160},
        {[&] { SendKey(surface, Qt::Key_Minus, ctrl); }, 150},
        {[&] { SendKey(surface, Qt::Key_0, ctrl); }, 100},
        {[&] { SendWheel(surface, -240, ctrl); }, 80},
        // Without Ctrl the wheel scrolls and "=" is the page's.
        {[&] { SendWheel(surface, 120, Qt::NoModifier); }, 80},
        {[&] { SendKey(surface, Qt::Key_Equal, Qt::NoModifier); }, 80},
    };
    for (const auto& [input, zoom] : steps) {
        input();
        EXPECT_DOUBLE_EQ(m_view.zoomFactor(), zoom / 100.0);
        EXPECT_EQ(profile.GetProfileInt("View", "Zoom", 0), zoom);
    }
    EXPECT_TRUE(ShowsAtZoom(m_view, m_logFolder / "zova_next.html", 80))
        << m_view.title().toStdString();

    // A view that is not told to remember a zoom (a print or attachment window) never zooms.
    CNAVO_TaxExplorerView other(m_profile);
    other.show();
    EXPECT_TRUE(ShowsAtZoom(other, m_logFolder / "zova_other.html", 100))
        << other.title().toStdString();
    SendKey(*other.focusProxy(), Qt::Key_Equal, ctrl);
    SendWheel(*other.focusProxy(), 120, ctrl);
    EXPECT_DOUBLE_EQ(other.zoomFactor(), 1.0);
}

}  // namespace
}  // namespace ledgra
