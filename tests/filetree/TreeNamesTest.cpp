// What the tree shows of names: code page 949 names decoded and opened by their exact bytes,
// the whole name as the tip, sideways scrolling, and a selection that shows the focus.

#include <QApplication>
#include <QScrollBar>
#include <QVBoxLayout>

#include <fstream>
#include <iterator>

#include "filetree/NativeNames.h"
#include "tests/filetree/TreeTestSupport.h"
#include "text/Cp949.h"

namespace ledgra::testing {
namespace {

class TreeNamesTest : public TreeTest {};

TEST_F(TreeNamesTest, ACodePage949NameShowsInKoreanAndKeepsItsBytes) {
    const std::string folder = Cp949FromUtf8("보관");
    const std::string name = Cp949FromUtf8("세금계산서_가나상사.ktx");
    const std::filesystem::path file =
        m_folder.Write("home/Documents/" + folder + "/" + name, "invoice bytes");
    m_folder.CreateFiles({"home/Documents/" + folder + "/broken\xFF.xml"});

    CTreeFileCtrl tree;
    tree.InitialiseTree();
    EXPECT_EQ(tree.ComputerItem()->text(0), QStringLiteral("컴퓨터"));
    EXPECT_EQ(tree.NetworkItem()->text(0), QStringLiteral("네트워크"));
    const QString folderPath = PathFromNative(
        QByteArray::fromStdString((m_folder.Path() / "home/Documents" / folder).string()));
    QTreeWidgetItem* item = tree.SelectPath(folderPath, true);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(0), QStringLiteral("보관"));
    ASSERT_EQ(ChildTexts(item), QStringList({QStringLiteral("broken\uFFFD.xml"),
                                             QStringLiteral("세금계산서_가나상사.ktx")}));

    // The item's path gives back the very bytes, so the file opens.
    QTreeWidgetItem* document = item->child(1);
    const QByteArray native = NativeFromPath(tree.GetItemPath(document));
    EXPECT_EQ(native.toStdString(), file.string());
    std::ifstream in(native.toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "invoice bytes");
    EXPECT_TRUE(tree.IsFileItem(document));
    tree.setCurrentItem(document);
    EXPECT_EQ(tree.currentItem(), document);  // a valid selection: not removed as vanished
    ExpectConsistent(tree);

    // The path finds the same item again.
    EXPECT_EQ(tree.SelectPath(tree.GetItemPath(document), false), document);
}

TEST_F(TreeNamesTest, LongNamesShowWholeInTheTipAndScrollSideways) {
    const std::string longName = "세금계산서_가나상사_20240131_0000000000000000000000001.ktx";
    CreateDocuments({"long/" + longName});
    FakeFrame frame;
    auto* layout = new QVBoxLayout(&frame);
    auto* tree = new CTreeFileCtrl(&frame);
    layout->addWidget(tree);
    frame.resize(150, 300);
    frame.show();
    tree->InitialiseTree();
    QTreeWidgetItem* folder = tree->SelectPath(DocumentsPath("long"), true);
    ASSERT_NE(folder, nullptr);
    ASSERT_EQ(folder->childCount(), 1);
    EXPECT_EQ(folder->child(0)->toolTip(0), QString::fromStdString(longName));
    QApplication::processEvents();
    EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);
}

TEST_F(TreeNamesTest, TheSelectionShowsWhetherTheTreeHasTheFocus) {
    FakeFrame frame;
    auto* layout = new QVBoxLayout(&frame);
    auto* tree = new CTreeFileCtrl(&frame);
    auto* other = new QWidget(&frame);
    other->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(tree);
    layout->addWidget(other);
    frame.show();
    QApplication::setActiveWindow(&frame);
    tree->InitialiseTree();

    tree->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(tree->hasFocus());
    const QColor focused = tree->palette().color(QPalette::Active, QPalette::Highlight);
    other->setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(tree->hasFocus());
    const QColor unfocused = tree->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_NE(focused, unfocused);
    EXPECT_EQ(focused, QApplication::palette().color(QPalette::Active, QPalette::Highlight));
    tree->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(tree->palette().color(QPalette::Active, QPalette::Highlight), focused);
}

}  // namespace
}  // namespace ledgra::testing
