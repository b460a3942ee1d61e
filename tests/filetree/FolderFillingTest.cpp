// Filling folders: which entries are listed, in which order, and which show an expand button.

#include <QStandardPaths>

#include "filetree/TreeFileCtrlItem.h"
#include "tests/filetree/TreeTestSupport.h"

namespace ledgra::testing {
namespace {

class FolderFillingTest : public TreeTest {};

TEST_F(FolderFillingTest, ListsFoldersThenDocumentsSortedIgnoringCase) {
    CreateDocuments({"mix/b/", "mix/C/", "mix/a/", "mix/c.KTX", "mix/A.ktx", "mix/B.xml",
                     "mix/d.Tsn", "mix/e.cqs", "mix/f.kcx", "mix/note.txt", "mix/ktx",
                     "mix/a.ktx.bak", "mix/.hidden.ktx", "mix/.hiddendir/"});
    CTreeFileCtrl tree;
    tree.InitialiseTree();
    QTreeWidgetItem* mix = tree.SelectPath(DocumentsPath("mix"), true);
    ASSERT_NE(mix, nullptr);
    EXPECT_EQ(ChildTexts(mix),
              Texts({"a", "b", "C", "A.ktx", "B.xml", "c.KTX", "d.Tsn", "e.cqs", "f.kcx"}));
    EXPECT_TRUE(CTreeFileCtrl::GetItemInfo(mix->child(3))->m_bIsFile);
    EXPECT_FALSE(CTreeFileCtrl::GetItemInfo(mix->child(2))->m_bIsFile);
    ExpectConsistent(tree);
}

TEST_F(FolderFillingTest, ExpandButtonOnlyWhereSomethingVisibleLies) {
    CreateDocuments({"top/only-text/x.txt", "top/only-hidden/.git/", "top/with-doc/a.XML",
                     "top/with-folder/inner/", "top/empty/", "top/file.ktx"});
    CTreeFileCtrl tree;
    tree.InitialiseTree();
    QTreeWidgetItem* top = tree.SelectPath(DocumentsPath("top"), true);
    ASSERT_NE(top, nullptr);
    const std::vector<std::pair<const char*, bool>> expected = {
        {"empty", false},   {"only-hidden", false}, {"only-text", false},
        {"with-doc", true}, {"with-folder", true},  {"file.ktx", false}};
    ASSERT_EQ(top->childCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < top->childCount(); ++i) {
        EXPECT_EQ(top->child(i)->text(0), QString::fromLatin1(expected[i].first));
        EXPECT_EQ(CTreeFileCtrl::HasChildFlag(top->child(i)), expected[i].second)
            << expected[i].first;
    }

    // Expanding a folder that holds nothing visible takes its button away.
    QTreeWidgetItem* onlyText = tree.SelectPath(DocumentsPath("top/only-text"), true);
    ASSERT_NE(onlyText, nullptr);
    EXPECT_EQ(onlyText->childCount(), 0);
    EXPECT_FALSE(CTreeFileCtrl::HasChildFlag(onlyText));
    ExpectConsistent(tree);
}

TEST_F(FolderFillingTest, CollapsingForgetsTheContentsAndExpandingReadsThemAgain) {
    CreateDocuments({"box/one.ktx"});
    CTreeFileCtrl tree;
    tree.InitialiseTree();
    QTreeWidgetItem* box = tree.SelectPath(DocumentsPath("box"), true);
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(ChildTexts(box), Texts({"one.ktx"}));

    m_folder.CreateFiles({"home/Documents/box/two.kcx"});
    box->setExpanded(false);
    EXPECT_EQ(box->childCount(), 0);
    EXPECT_TRUE(CTreeFileCtrl::HasChildFlag(box));
    box->setExpanded(true);
    EXPECT_EQ(ChildTexts(box), Texts({"one.ktx", "two.kcx"}));
    ExpectConsistent(tree);
}

TEST_F(FolderFillingTest, DesktopDocumentsJoinTheTopLevelOnlyWhenThereAreAny) {
    {
        CTreeFileCtrl tree;
        tree.InitialiseTree();
        EXPECT_EQ(tree.RootItem()->childCount(), 3);
        EXPECT_EQ(tree.RootItem()->child(0), tree.DocumentsItem());
        EXPECT_EQ(tree.RootItem()->child(1), tree.ComputerItem());
        EXPECT_EQ(tree.RootItem()->child(2), tree.NetworkItem());
    }
    m_folder.CreateFiles(
        {"home/Desktop/projects/", "home/Desktop/report.KTX", "home/Desktop/readme.txt"});
    CTreeFileCtrl tree;
    tree.InitialiseTree();
    const QStringList texts = ChildTexts(tree.RootItem());
    EXPECT_EQ(texts.size(), 5);
    EXPECT_EQ(texts.last(), QStringLiteral("report.KTX"));
    EXPECT_TRUE(texts.contains(QStringLiteral("projects")));
    ExpectConsistent(tree);
}

// Overlay and colour decisions, taken from overridable file-system questions.
class MarkedTree : public CTreeFileCtrl {
public:
    bool IsSharedPath(const QString& path) const override {
        return path.endsWith(QLatin1String("/shared"));
    }
    bool IsCompressedPath(const QString& path) const override {
        return path.contains(QLatin1String("packed"));
    }
    bool IsEncryptedPath(const QString& path) const override {
        return path.contains(QLatin1String("secret"));
    }
};

TEST_F(FolderFillingTest, SharedFoldersCarryTheOverlayAndAttributesColourTheText) {
    CreateDocuments({"marks/shared/", "marks/plain/", "marks/packed.ktx", "marks/secret.ktx",
                     "marks/packed-secret.ktx"});
    MarkedTree tree;
    tree.InitialiseTree();
    QTreeWidgetItem* marks = tree.SelectPath(DocumentsPath("marks"), true);
    ASSERT_NE(marks, nullptr);
    struct Row {
        const char* name;
        bool shared;
        QVariant colour;
    };
    const std::vector<Row> rows = {{"plain", false, QVariant()},
                                   {"shared", true, QVariant()},
                                   {"packed-secret.ktx", false, QColor(0, 0, 255)},
                                   {"packed.ktx", false, QColor(0, 0, 255)},
                                   {"secret.ktx", false, QColor(255, 0, 0)}};
    ASSERT_EQ(marks->childCount(), static_cast<int>(rows.size()));
    for (int i = 0; i < marks->childCount(); ++i) {
        auto* item = static_cast<CTreeFileCtrlItem*>(marks->child(i));
        EXPECT_EQ(item->text(0), QString::fromLatin1(rows[i].name));
        EXPECT_EQ(item->IsShared(), rows[i].shared) << rows[i].name;
        EXPECT_EQ(item->data(0, Qt::ForegroundRole), rows[i].colour) << rows[i].name;
    }
}

}  // namespace
}  // namespace ledgra::testing
