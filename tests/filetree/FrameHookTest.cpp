// What the tree and the left view ask of the main window: titles, the document to show on a
// double click, and the initial update.

#include <QApplication>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "filetree/LeftView.h"
#include "tests/filetree/TreeTestSupport.h"

namespace ledgra::testing {
namespace {

class FrameHookTest : public TreeTest {};

// Presses, releases and double-clicks at a point of the tree, as a mouse does.
void DoubleClickAt(CTreeFileCtrl& tree, QPoint point) {
    QWidget* viewport = tree.viewport();
    const QPointF local(point);
    const QPointF global(viewport->mapToGlobal(point));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, local, global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
}

TEST_F(FrameHookTest, SelectionsRetitleTheFrameStepByStep) {
    CreateDocuments({"ZOVA/Taxfiles/a.ktx"});
    FakeFrame frame;
    auto* tree = new CMyTreeFileCtrl(&frame);
    frame.Listen(*tree);
    tree->InitialiseTree();
    ASSERT_NE(tree->SelectPath(DocumentsPath("ZOVA/Taxfiles/a.ktx"), false), nullptr);
    EXPECT_EQ(frame.m_titles, QStringList({DocumentsPath("ZOVA"), DocumentsPath("ZOVA/Taxfiles"),
                                           DocumentsPath("ZOVA/Taxfiles/a.ktx")}));

    // A tree outside any frame selects all the same.
    CMyTreeFileCtrl alone;
    alone.InitialiseTree();
    EXPECT_NE(alone.SelectPath(DocumentsPath("ZOVA/Taxfiles/a.ktx"), false), nullptr);
}

TEST_F(FrameHookTest, DoubleClickShowsOnlyDocumentLeaves) {
    CreateDocuments(
        {"dbl/lower.ktx", "dbl/UPPER.XML", "dbl/leaf/", "dbl/full/in.ktx", "dbl/odd.ktx/"});
    std::filesystem::create_symlink(m_folder.Path() / "nowhere.ktx",
                                    m_folder.Path() / "home/Documents/dbl/linked.ktx");
    FakeFrame frame;
    auto* layout = new QVBoxLayout(&frame);
    auto* tree = new CTreeFileCtrl(&frame);
    frame.Listen(*tree);
    layout->addWidget(tree);
    frame.resize(400, 600);
    frame.show();
    tree->InitialiseTree();
    QTreeWidgetItem* dbl = tree->SelectPath(DocumentsPath("dbl"), true);
    ASSERT_NE(dbl, nullptr);
    ASSERT_EQ(ChildTexts(dbl),
              Texts({"full", "leaf", "odd.ktx", "linked.ktx", "lower.ktx", "UPPER.XML"}));
    QApplication::processEvents();

    struct Row {
        const char* name;
        bool shown;
        bool refused;
    };
    // A leaf folder named like a document is passed on too: the frame checks for a file. A link
    // to nothing stays under the click and says why it cannot be read.
    const std::vector<Row> rows = {{"lower.ktx", true, false}, {"UPPER.XML", true, false},
                                   {"leaf", false, false},     {"full", false, false},
                                   {"odd.ktx", true, false},   {"linked.ktx", false, true}};
    for (const Row& row : rows) {
        QTreeWidgetItem* item = tree->FindChildByName(dbl, QString::fromLatin1(row.name));
        ASSERT_NE(item, nullptr) << row.name;
        tree->scrollToItem(item);
        frame.m_activated.clear();
        frame.m_refused.clear();
        DoubleClickAt(*tree, tree->visualItemRect(item).center());
        QApplication::processEvents();
        EXPECT_EQ(tree->currentItem(), item) << row.name;
        EXPECT_EQ(frame.m_activated,
                  row.shown ? QStringList{tree->GetItemPath(item)} : QStringList())
            << row.name;
        EXPECT_EQ(frame.m_refused.size(), row.refused ? 1 : 0) << row.name;
    }
    EXPECT_TRUE(frame.m_refused.value(0).contains(QStringLiteral("linked.ktx")));

    // Below the last item nothing is under the mouse.
    frame.m_activated.clear();
    DoubleClickAt(*tree, QPoint(5, tree->viewport()->height() - 2));
    EXPECT_TRUE(frame.m_activated.empty());
}

TEST_F(FrameHookTest, InitialUpdateOpensTheTaxFilesFolder) {
    CreateDocuments({"ZOVA/Taxfiles/a.ktx"});
    FakeFrame frame;
    auto* view = new CLeftView(&frame);
    frame.Listen(*view);
    view->OnInitialUpdate(QString());
    CMyTreeFileCtrl& tree = view->Tree();
    ASSERT_NE(tree.currentItem(), nullptr);
    EXPECT_EQ(tree.GetItemPath(tree.currentItem()), DocumentsPath("ZOVA/Taxfiles"));
    EXPECT_TRUE(tree.currentItem()->isExpanded());
    EXPECT_EQ(frame.m_titles.last(), DocumentsPath("ZOVA/Taxfiles"));
    EXPECT_TRUE(frame.m_shown.empty());
    EXPECT_EQ(view->focusProxy(), &tree);
}

TEST_F(FrameHookTest, InitialUpdateWithAStartPathSelectsAndShowsIt) {
    CreateDocuments({"ZOVA/Taxfiles/a.ktx"});
    const QString start = DocumentsPath("ZOVA/Taxfiles/a.ktx");
    FakeFrame frame;
    auto* view = new CLeftView(&frame);
    frame.Listen(*view);
    view->OnInitialUpdate(start);
    EXPECT_EQ(view->Tree().GetItemPath(view->Tree().currentItem()), start);
    EXPECT_EQ(frame.m_titles.last(), start);
    ASSERT_EQ(frame.m_shown.size(), 1u);
    EXPECT_EQ(frame.m_shown[0], start);
}

TEST_F(FrameHookTest, AStartPathMissingFromTheTreeIsStillShown) {
    // The walk stops at the last folder that exists; the run reports the missing file itself.
    const QString start = HomePath("gone/a.ktx");
    FakeFrame frame;
    auto* view = new CLeftView(&frame);
    frame.Listen(*view);
    view->OnInitialUpdate(start);
    EXPECT_EQ(view->Tree().GetItemPath(view->Tree().currentItem()),
              ToQString(m_folder.Path() / "home"));
    ASSERT_EQ(frame.m_shown.size(), 1u);
    EXPECT_EQ(frame.m_shown[0], start);
}

}  // namespace
}  // namespace ledgra::testing
