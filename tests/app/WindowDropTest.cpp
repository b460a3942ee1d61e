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

namespace ledgra {
namespace {

using testing::ToQString;
using testing::WaitForSignal;

// Percent-encoded from the bytes, as a file manager sends a name that is not UTF-8.
QUrl FileUrl(const std::filesystem::path& path) {
    return QUrl::fromEncoded("file://" +
                             QByteArray::fromStdString(path.native()).toPercentEncoding("/"));
}

std::unique_ptr<QMimeData> Files(const QList<QUrl>& urls) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

class WindowDropTest : public testing::AppTest {};

TEST_F(WindowDropTest, TheFirstDroppedDocumentFileIsTaken) {
    m_folder.CreateFiles({"a.ktx", "b.XML", "note.txt", "folder.kcx/"});
    const std::filesystem::path korean = m_folder.Write("\xB0\xA1.cqs", "x");
    const auto url = [&](const char* name) { return FileUrl(m_folder.Path() / name); };
    QUrl otherHost = url("a.ktx");
    otherHost.setHost(QStringLiteral("fileserver"));
    const std::pair<QList<QUrl>, std::string> rows[] = {
        {{url("b.XML"), url("a.ktx")}, "b.XML"},
        {{url("note.txt"), url("folder.kcx"), url("missing.ktx"), url("a.ktx")}, "a.ktx"},
        {{FileUrl(korean)}, korean.filename().native()},
        {{url("note.txt"), QUrl(QStringLiteral("https://example.com/a.ktx")), otherHost}, ""},
    };
    for (const auto& [urls, taken] : rows) {
        const auto data = Files(urls);
        EXPECT_EQ(DroppedDocumentPath(*data).value_or(""),
                  taken.empty() ? "" : (m_folder.Path() / taken).native())
            << data->text().toStdString();
    }
}

// A drop delivered as the window system delivers it: to the first widget that takes drops on
// the way up from the one under the point.
bool DropAt(QWidget& window, QPoint point, const QMimeData& data, QWidget*& target) {
    target = window.childAt(point);
    while (!target->isWindow() && !target->acceptDrops()) target = target->parentWidget();
    const QPoint local = target->mapFrom(&window, point);
    QDragEnterEvent enter(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST_F(WindowDropTest, ADocumentDroppedOnEitherPaneIsSelectedAndShownAndNothingElseIs) {
    m_folder.CreateFiles({"home/Documents/ZOVA/Taxfiles/", "home/Documents/other/note.txt"});
    const std::filesystem::path document = Documents() / "ZOVA/Taxfiles/invoice.xml";
    std::filesystem::copy_file(
        std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples/sources/standard-invoice.xml",
        document);
    CMainFrame frame(MakeServices());
    frame.show();
    frame.InitialUpdate({});
    CMyTreeFileCtrl& tree = frame.LeftView().Tree();
    const auto notes = Files({FileUrl(Documents() / "other/note.txt")});
    const auto documents = Files({FileUrl(Documents() / "other/note.txt"), FileUrl(document)});

    for (QWidget* pane :
         {static_cast<QWidget*>(&frame.LeftView()), static_cast<QWidget*>(&frame.HtmlView())}) {
        SCOPED_TRACE(pane->metaObject()->className());
        ASSERT_NE(tree.SelectPath(ToQString(Documents() / "other"), false), nullptr);
        frame.State().m_strDocPath.clear();
        const QPoint point = pane->mapTo(&frame, pane->rect().center());
        QWidget* target = nullptr;
        EXPECT_FALSE(DropAt(frame, point, *notes, target));

        // The window takes the drop, never the page's engine, and shows the document once the
        // drop is over.
        EXPECT_TRUE(DropAt(frame, point, *documents, target));
        EXPECT_EQ(target, &frame);
        EXPECT_TRUE(frame.State().m_strDocPath.empty());
        ASSERT_TRUE(WaitForSignal(&frame.HtmlView(), &QWebEngineView::loadFinished));
        EXPECT_EQ(tree.GetItemPath(tree.currentItem()), ToQString(document));
        EXPECT_EQ(frame.State().m_strDocPath, document);
        EXPECT_EQ(frame.State().m_bDocumentShown, 1);
    }
    EXPECT_TRUE(m_presenter->m_messages.empty());
}

}  // namespace
}  // namespace ledgra
