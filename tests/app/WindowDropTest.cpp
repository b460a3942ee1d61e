#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

#include "app/DocumentDrop.h"
#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "filetree/LeftView.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/PageTestSupport.h"

namespace ledgra {
namespace {

using testing::ToQString;
using testing::WaitForSignal;
using testing::WaitForTitle;
using testing::WriteCp949Page;

QUrl FileUrl(const std::filesystem::path& path) {
    // Percent-encoded from the bytes, as a file manager sends a name that is not UTF-8.
    return QUrl::fromEncoded("file://" +
                             QByteArray::fromStdString(path.native()).toPercentEncoding("/"));
}

std::unique_ptr<QMimeData> Files(const std::vector<QUrl>& urls) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(QList<QUrl>(urls.begin(), urls.end()));
    return data;
}

class DocumentDropTest : public testing::AppTest {};

TEST_F(DocumentDropTest, TheFirstDroppedDocumentFileIsTaken) {
    m_folder.CreateFiles({"a.ktx", "b.XML", "note.txt", "folder.kcx/", "c.Tsn"});
    const std::filesystem::path korean = m_folder.Write("\xB0\xA1.cqs", "x");
    const auto file = [&](const char* name) { return FileUrl(m_folder.Path() / name); };
    const QUrl remote(QStringLiteral("https://example.com/a.ktx"));
    QUrl otherHost = file("a.ktx");
    otherHost.setHost(QStringLiteral("fileserver"));
    struct Row {
        std::vector<QUrl> urls;
        std::optional<std::filesystem::path> taken;
    };
    const Row rows[] = {
        {{file("a.ktx")}, m_folder.Path() / "a.ktx"},
        {{file("b.XML"), file("a.ktx")}, m_folder.Path() / "b.XML"},
        {{file("note.txt"), file("folder.kcx"), file("c.Tsn"), file("a.ktx")},
         m_folder.Path() / "c.Tsn"},
        {{FileUrl(korean)}, korean},
        {{file("note.txt")}, std::nullopt},
        {{file("folder.kcx")}, std::nullopt},
        {{file("missing.ktx")}, std::nullopt},
        {{remote}, std::nullopt},
        {{otherHost}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const Row& row : rows) {
        const auto data = Files(row.urls);
        const std::optional<std::string> taken = DroppedDocumentPath(*data);
        EXPECT_EQ(taken, row.taken ? std::optional(row.taken->native()) : std::nullopt)
            << data->text().toStdString();
    }
    QMimeData text;
    text.setText(ToQString(m_folder.Path() / "a.ktx"));
    EXPECT_EQ(DroppedDocumentPath(text), std::nullopt);
}

// A drop delivered as the window system delivers it: to the innermost widget under the point
// that takes drops, found from the widget under the point upwards.
struct DropOutcome {
    QWidget* target = nullptr;
    bool accepted = false;
};

DropOutcome DropAt(QWidget& window, QPoint point, const QMimeData& data) {
    QWidget* target = window.childAt(point);
    if (!target) target = &window;
    while (!target->isWindow() && !target->acceptDrops()) target = target->parentWidget();
    if (!target->acceptDrops()) return {};
    const QPoint local = target->mapFrom(&window, point);
    QDragEnterEvent enter(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return {target, false};
    QDragMoveEvent move(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return {target, drop.isAccepted()};
}

class WindowDropTest : public testing::AppTest {
protected:
    WindowDropTest() {
        m_folder.CreateFiles({"home/Documents/ZOVA/Taxfiles/", "home/Documents/other/note.txt"});
        std::filesystem::copy_file(
            std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples/sources/standard-invoice.xml",
            m_document);
        m_frame = std::make_unique<CMainFrame>(MakeServices());
        m_frame->show();
        m_frame->InitialUpdate({});
    }

    QPoint CentreOf(QWidget& pane) const { return pane.mapTo(m_frame.get(), pane.rect().center()); }
    CMyTreeFileCtrl& Tree() { return m_frame->LeftView().Tree(); }

    const std::filesystem::path m_document = Documents() / "ZOVA/Taxfiles/invoice.xml";
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(WindowDropTest, ADocumentDroppedOnEitherPaneIsSelectedAndShown) {
    const auto data = Files({FileUrl(Documents() / "other/note.txt"), FileUrl(m_document)});
    for (QWidget* pane : {static_cast<QWidget*>(&m_frame->LeftView()),
                          static_cast<QWidget*>(&m_frame->HtmlView())}) {
        SCOPED_TRACE(pane->metaObject()->className());
        // Start from elsewhere, with nothing shown.
        ASSERT_NE(Tree().SelectPath(ToQString(Documents() / "other"), false), nullptr);
        m_frame->State().m_bDocumentShown = 0;
        m_frame->State().m_strDocPath.clear();

        const DropOutcome outcome = DropAt(*m_frame, CentreOf(*pane), *data);
        // The window takes the drop; the page's engine never sees it.
        EXPECT_EQ(outcome.target, m_frame.get());
        EXPECT_TRUE(outcome.accepted);
        // The document is shown once the drop is over.
        EXPECT_TRUE(m_frame->State().m_strDocPath.empty());
        ASSERT_TRUE(WaitForSignal(&m_frame->HtmlView(), &QWebEngineView::loadFinished));
        EXPECT_EQ(Tree().GetItemPath(Tree().currentItem()), ToQString(m_document));
        EXPECT_EQ(m_frame->State().m_strDocPath, m_document);
        EXPECT_EQ(m_frame->State().m_bDocumentShown, 1);
    }
    EXPECT_TRUE(m_presenter->m_messages.empty());
}

TEST_F(WindowDropTest, AnythingButADocumentFileIsRefused) {
    ASSERT_NE(Tree().SelectPath(ToQString(Documents() / "other"), false), nullptr);
    const auto notes = Files({FileUrl(Documents() / "other/note.txt"), FileUrl(Documents())});
    QMimeData text;
    text.setText(ToQString(m_document));
    for (const QMimeData* data : {notes.get(), &text}) {
        for (QWidget* pane : {static_cast<QWidget*>(&m_frame->LeftView()),
                              static_cast<QWidget*>(&m_frame->HtmlView())}) {
            EXPECT_FALSE(DropAt(*m_frame, CentreOf(*pane), *data).accepted);
        }
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(Tree().GetItemPath(Tree().currentItem()), ToQString(Documents() / "other"));
    EXPECT_TRUE(m_frame->State().m_strDocPath.empty());
    EXPECT_TRUE(m_presenter->m_messages.empty());
}

TEST_F(WindowDropTest, ADragSentStraightToThePagesEngineNeverReachesThePage) {
    const auto page = WriteCp949Page(
        m_frame->State().m_strLogFolder / "zova_document.html",
        "<html><body style='margin:0'><div style='width:400px;height:300px'></div><script>"
        "for (const name of ['dragenter', 'dragover', 'drop'])"
        "  document.addEventListener(name, e => document.title += ' ' + name);"
        "document.addEventListener('mousedown', e => document.title += ' down');"
        "document.title = 'ready';</script></body></html>");
    m_frame->HtmlView().Navigate2(page);
    ASSERT_TRUE(WaitForTitle(m_frame->HtmlView(), [](const QString& t) { return t == u"ready"; }));
    QWidget* surface = m_frame->HtmlView().focusProxy();
    ASSERT_NE(surface, nullptr);
    EXPECT_FALSE(surface->acceptDrops());
    EXPECT_FALSE(m_frame->HtmlView().acceptDrops());

    // Files the window refuses: were the engine to see them, the page would hear of them.
    const auto data = Files({FileUrl(Documents() / "other/note.txt")});
    const QPoint point(50, 50);
    for (QWidget* widget : {surface, static_cast<QWidget*>(&m_frame->HtmlView())}) {
        QDragEnterEvent enter(point, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &enter);
        EXPECT_FALSE(enter.isAccepted());
        QDragMoveEvent move(point, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
        QDropEvent drop(point, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &drop);
        EXPECT_FALSE(drop.isAccepted());
    }
    // A mouse press does reach the page: had a drag event got there, it would show before it.
    const QPointF local(50, 50);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent mouse(type, local, surface->mapToGlobal(local), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(surface, &mouse);
    }
    ASSERT_TRUE(
        WaitForTitle(m_frame->HtmlView(), [](const QString& t) { return t.contains(u"down"); }));
    EXPECT_EQ(m_frame->HtmlView().title(), QStringLiteral("ready down"));
    EXPECT_TRUE(m_frame->State().m_strDocPath.empty());
}

}  // namespace
}  // namespace ledgra
