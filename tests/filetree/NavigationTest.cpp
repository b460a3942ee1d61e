// Finding and selecting paths, and what selection does to vanished items and the history.

#include <QDir>

#include "tests/filetree/TreeTestSupport.h"

namespace ledgra::testing {
namespace {

class NavigationTest : public TreeTest {
protected:
    NavigationTest() {
        CreateDocuments(
            {"ZOVA/Taxfiles/2024/a.ktx", "ZOVA/Taxfiles/b.XML", "ZOVA/Logs/", "Mixed/x.ktx"});
        m_tree.InitialiseTree();
    }
    CTreeFileCtrl m_tree;
};

TEST_F(NavigationTest, SelectsAndExpandsThroughDocuments) {
    const QString taxfiles = DocumentsPath("ZOVA/Taxfiles");
    QTreeWidgetItem* item = m_tree.SelectPath(taxfiles + QLatin1Char('/'), true);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(m_tree.GetItemPath(item), taxfiles);
    EXPECT_EQ(m_tree.currentItem(), item);
    EXPECT_TRUE(item->isExpanded());
    EXPECT_EQ(ChildTexts(item), Texts({"2024", "b.XML"}));
    EXPECT_EQ(item->parent()->parent(), m_tree.DocumentsItem());

    // Without expand the target stays closed; the folders on the way are open.
    QTreeWidgetItem* folder = m_tree.SelectPath(DocumentsPath("ZOVA/Taxfiles/2024"), false);
    ASSERT_NE(folder, nullptr);
    EXPECT_FALSE(folder->isExpanded());
    EXPECT_TRUE(m_tree.DocumentsItem()->isExpanded());

    QTreeWidgetItem* file = m_tree.SelectPath(DocumentsPath("ZOVA/Taxfiles/2024/a.ktx"), false);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(m_tree.IsFileItem(file));
    EXPECT_FALSE(m_tree.IsFileItem(folder));

    QTreeWidgetItem* documents = m_tree.SelectPath(DocumentsPath(), true);
    EXPECT_EQ(documents, m_tree.DocumentsItem());
    EXPECT_EQ(m_tree.currentItem(), documents);
    ExpectConsistent(m_tree);
}

TEST_F(NavigationTest, MissingComponentLeavesTheLastAncestorSelectedAndExpanded) {
    EXPECT_EQ(m_tree.SelectPath(DocumentsPath("ZOVA/Missing/a.ktx"), true), nullptr);
    QTreeWidgetItem* zova = m_tree.currentItem();
    ASSERT_NE(zova, nullptr);
    EXPECT_EQ(m_tree.GetItemPath(zova), DocumentsPath("ZOVA"));
    EXPECT_TRUE(zova->isExpanded());

    EXPECT_EQ(m_tree.SelectPath(QString(), true), nullptr);
    EXPECT_EQ(m_tree.SelectPath(QStringLiteral("relative/path"), true), nullptr);
}

TEST_F(NavigationTest, NamesMatchWithTheirCaseOnCaseSensitiveFileSystems) {
    EXPECT_EQ(m_tree.SelectPath(DocumentsPath("mixed/x.ktx"), false), nullptr);
    EXPECT_NE(m_tree.SelectPath(DocumentsPath("Mixed/x.ktx"), false), nullptr);
    // ... while a "Documents2" beside Documents is no part of it.
    m_folder.CreateFiles({"home/Documents2/y.ktx"});
    QTreeWidgetItem* outside = m_tree.SelectPath(HomePath("Documents2/y.ktx"), false);
    ASSERT_NE(outside, nullptr);
    QTreeWidgetItem* top = outside;
    while (top->parent() != m_tree.RootItem()) top = top->parent();
    EXPECT_EQ(top, m_tree.ComputerItem());
}

TEST_F(NavigationTest, OtherPathsGoThroughTheVolumesUnderComputer) {
    m_folder.CreateFiles({"elsewhere/deep/c.cqs"});
    const QString path = ToQString(m_folder.Path() / "elsewhere/deep/c.cqs");
    QTreeWidgetItem* item = m_tree.SelectPath(path, false);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(m_tree.GetItemPath(item), path);
    QTreeWidgetItem* volume = item;
    while (volume->parent() != m_tree.ComputerItem()) volume = volume->parent();
    EXPECT_TRUE(m_tree.IsDriveItem(volume));
    EXPECT_TRUE(path.startsWith(m_tree.GetItemPath(volume)));
    EXPECT_EQ(m_tree.GetItemPath(m_tree.ComputerItem()->child(0)), QStringLiteral("/"));

    EXPECT_EQ(m_tree.FindItemForPath(path), item);
    EXPECT_EQ(m_tree.FindItemForPath(path + QLatin1Char('/')), item);
    EXPECT_EQ(m_tree.FindItemForPath(ToQString(m_folder.Path() / "elsewhere/none")), nullptr);
    ExpectConsistent(m_tree);
}

TEST_F(NavigationTest, RebuildReturnsToTheSelectedPath) {
    const QString taxfiles = DocumentsPath("ZOVA/Taxfiles");
    ASSERT_NE(m_tree.SelectPath(taxfiles, true), nullptr);
    m_tree.RebuildTree();
    ASSERT_NE(m_tree.currentItem(), nullptr);
    EXPECT_EQ(m_tree.GetItemPath(m_tree.currentItem()), taxfiles);
    EXPECT_TRUE(m_tree.currentItem()->isExpanded());
    ExpectConsistent(m_tree);
}

TEST_F(NavigationTest, SelectingAVanishedFileRemovesItsItem) {
    QTreeWidgetItem* folder = m_tree.SelectPath(DocumentsPath("ZOVA/Taxfiles/2024"), true);
    ASSERT_NE(folder, nullptr);
    QTreeWidgetItem* file = folder->child(0);
    QDir().remove(DocumentsPath("ZOVA/Taxfiles/2024/a.ktx"));
    m_tree.setCurrentItem(file);
    ASSERT_TRUE(WaitForSignal(m_tree.model(), &QAbstractItemModel::rowsRemoved));
    EXPECT_EQ(folder->childCount(), 0);
    EXPECT_FALSE(CTreeFileCtrl::HasChildFlag(folder));
    ExpectConsistent(m_tree);
}

TEST_F(NavigationTest, AParentWithOtherChildrenKeepsItsExpandButton) {
    QTreeWidgetItem* taxfiles = m_tree.SelectPath(DocumentsPath("ZOVA/Taxfiles"), true);
    ASSERT_NE(taxfiles, nullptr);
    QDir().remove(DocumentsPath("ZOVA/Taxfiles/b.XML"));
    m_tree.setCurrentItem(taxfiles->child(1));
    ASSERT_TRUE(WaitForSignal(m_tree.model(), &QAbstractItemModel::rowsRemoved));
    EXPECT_EQ(ChildTexts(taxfiles), Texts({"2024"}));
    EXPECT_TRUE(CTreeFileCtrl::HasChildFlag(taxfiles));
}

TEST_F(NavigationTest, HistoryKeepsTheLatestTwentySelections) {
    for (int i = 0; i < 25; ++i)
        m_folder.CreateFiles({"home/Documents/many/" + std::to_string(100 + i) + ".ktx"});
    QTreeWidgetItem* many = m_tree.SelectPath(DocumentsPath("many"), true);
    ASSERT_NE(many, nullptr);
    ASSERT_EQ(many->childCount(), 25);
    for (int i = 0; i < 25; ++i) m_tree.setCurrentItem(many->child(i));

    const QList<QTreeWidgetItem*> back = m_tree.BackItems();
    ASSERT_EQ(back.size(), 20);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(back[i], many->child(i + 4)) << i;

    // Collapsing moves the caret up (one more entry) and deletes the files: entries of items
    // deleted since stay, empty.
    many->setExpanded(false);
    EXPECT_EQ(m_tree.currentItem(), many);
    EXPECT_EQ(m_tree.BackItems().count(nullptr), 20);
}

// A card reader without a card.
class NoMediaTree : public CTreeFileCtrl {
public:
    QString m_noMedia;
    bool CheckMediaPresent(const QString& path) const override { return path != m_noMedia; }
};

TEST_F(NavigationTest, ExpandingAVolumeWithoutMediaClosesItAndRemovesItsButton) {
    CreateDocuments({"card/a.ktx"});
    NoMediaTree tree;
    tree.m_noMedia = DocumentsPath("card");
    tree.InitialiseTree();
    QTreeWidgetItem* card = tree.SelectPath(DocumentsPath("card"), false);
    ASSERT_NE(card, nullptr);
    ASSERT_TRUE(CTreeFileCtrl::HasChildFlag(card));
    card->setExpanded(true);
    EXPECT_FALSE(card->isExpanded());
    EXPECT_EQ(card->childCount(), 0);
    EXPECT_FALSE(CTreeFileCtrl::HasChildFlag(card));
}

}  // namespace
}  // namespace ledgra::testing
