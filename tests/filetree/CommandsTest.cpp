// The tree's commands as the keys reach them: Enter shows a document and opens anything else
// with the desktop, Backspace goes up,
// Alt+Left and Alt+Right walk the history, F5 rebuilds, and F2, Delete and drops stay off
// until switched on.

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

#include "filetree/FileOperations.h"
#include "filetree/FilePropertiesDlg.h"
#include "filetree/NativeNames.h"
#include "filetree/TreeFileCommands.h"
#include "tests/filetree/TreeTestSupport.h"

namespace ledgra::testing {
namespace {

// A tree whose switches a test sets, and whose delete question answers itself.
class SwitchedTree : public CTreeFileCtrl {
public:
    explicit SwitchedTree(QWidget* parent, bool allowAll) : CTreeFileCtrl(parent) {
        m_bAllowRename = m_bAllowDelete = m_bAllowDragDrop = allowAll;
    }
    bool m_bConfirm = true;
    QStringList m_asked;
    using CTreeFileCtrl::m_nExtensionDisplayMode;

protected:
    bool ConfirmDelete(const QString& path, bool permanent) override {
        m_asked.append(path + (permanent ? QStringLiteral(" for good") : QString()));
        return m_bConfirm;
    }
};

class CommandsTest : public TreeTest {
protected:
    CommandsTest() {
        CreateDocuments({"ZOVA/Taxfiles/a.ktx", "ZOVA/Taxfiles/b.xml", "ZOVA/Taxfiles/old/"});
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_recorder, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("smb"), &m_recorder, "Open");
    }
    ~CommandsTest() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("smb"));
    }

    // A shown window around the tree, with the focus in the tree.
    SwitchedTree& Tree(bool allowAll = false) {
        auto* layout = new QVBoxLayout(&m_frame);
        m_tree = new SwitchedTree(&m_frame, allowAll);
        m_frame.Listen(*m_tree);
        layout->addWidget(m_tree);
        m_frame.resize(400, 600);
        m_frame.show();
        QApplication::setActiveWindow(&m_frame);
        m_tree->InitialiseTree();
        m_tree->setFocus();
        QApplication::processEvents();
        return *m_tree;
    }
    QTreeWidgetItem* Select(const std::string& relative) {
        return m_tree->SelectPath(DocumentsPath(relative), false);
    }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_tree, static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();
    }

    UrlRecorder m_recorder;
    FakeFrame m_frame;
    SwitchedTree* m_tree = nullptr;
};

TEST_F(CommandsTest, EveryCommandHasItsIdTextAndKey) {
    SwitchedTree& tree = Tree();
    struct Row {
        int id;
        const char* text;
        QKeySequence key;
    };
    const std::vector<Row> rows = {
        {61447, "File Tree Control Rename", QKeySequence(Qt::Key_F2)},
        {61448, "File Tree Control Open", QKeySequence(Qt::Key_Return)},
        {61449, "File Tree Control Delete", QKeySequence(Qt::Key_Delete)},
        {61450, "File Tree Control Refresh", QKeySequence(Qt::Key_F5)},
        {61451, "File Tree Control up one level", QKeySequence(Qt::Key_Backspace)},
        {61452, "File Tree Control Back", QKeySequence(Qt::ALT | Qt::Key_Left)},
        {61453, "File Tree Control Forward", QKeySequence(Qt::ALT | Qt::Key_Right)},
        {61455, "File Tree Control Properties", QKeySequence(Qt::ALT | Qt::Key_Return)}};
    for (const Row& row : rows) {
        QAction* action = tree.CommandAction(row.id);
        ASSERT_NE(action, nullptr) << row.id;
        EXPECT_EQ(action->text(), QString::fromLatin1(row.text));
        EXPECT_TRUE(action->shortcuts().contains(row.key)) << row.id;
    }
    EXPECT_EQ(tree.CommandAction(61454), nullptr);  // the frame's date pane, not the tree's
}

TEST_F(CommandsTest, EnterShowsDocumentsAndOpensTheRestWithTheDesktop) {
    // The desktop's programs are the test home's only: the machine's own are not looked at.
    struct SystemFoldersHidden {
        const QByteArray m_data = qgetenv("XDG_DATA_DIRS");
        const QByteArray m_config = qgetenv("XDG_CONFIG_DIRS");
        ~SystemFoldersHidden() {
            qputenv("XDG_DATA_DIRS", m_data);
            qputenv("XDG_CONFIG_DIRS", m_config);
        }
    } hidden;
    qputenv("XDG_DATA_DIRS", QFile::encodeName(HomePath("no-system")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(HomePath("no-system")));
    m_folder.Write("home/.local/share/applications/files.desktop", "[Desktop Entry]\n");
    // A folder whose name is not UTF-8 opens by its bytes.
    m_folder.CreateFiles({"home/Documents/odd/x\xB0\xA1/"});
    Tree();
    QTreeWidgetItem* odd = Select("odd");
    ASSERT_NE(odd, nullptr);
    odd->setExpanded(true);
    ASSERT_EQ(odd->childCount(), 1);
    struct Row {
        QTreeWidgetItem* item;
        const char* listFile;  // below the home folder
        const char* list;
        bool shown;
        const char* url;  // the end of the address opened, or null
    };
    const char* const kCache = ".local/share/applications/mimeinfo.cache";
    const char* const kList = ".config/mimeapps.list";
    const std::vector<Row> rows = {
        {Select("ZOVA/Taxfiles/a.ktx"), nullptr, nullptr, true, nullptr},
        {odd->child(0), kList, "[Default Applications]\ninode/directory=files.desktop\n", false,
         "/odd/x%B0%A1"},
        {odd, kCache, "[MIME Cache]\ninode/directory=gone.desktop;files.desktop;\n", false, "/odd"},
        {odd, kList, "[Added Associations]\ninode/directory=gone.desktop\n", false, nullptr},
        {odd, kList, "[Default Applications]\ntext/plain=files.desktop\n", false, nullptr},
        {odd, nullptr, nullptr, false, nullptr}};
    for (const Row& row : rows) {
        std::filesystem::remove(m_folder.Path() / "home" / kCache);
        std::filesystem::remove(m_folder.Path() / "home" / kList);
        if (row.listFile) m_folder.Write("home/" + std::string(row.listFile), row.list);
        m_recorder.m_urls.clear();
        m_frame.m_activated.clear();
        m_frame.m_refused.clear();
        m_tree->setCurrentItem(row.item);
        Press(row.url ? Qt::Key_Enter : Qt::Key_Return);
        const QString path = m_tree->GetItemPath(row.item);
        SCOPED_TRACE(path.toStdString() + " " + (row.list ? row.list : ""));
        EXPECT_EQ(m_frame.m_activated, row.shown ? QStringList{path} : QStringList());
        ASSERT_EQ(m_recorder.m_urls.size(), row.url ? 1 : 0);
        if (row.url) {
            EXPECT_TRUE(m_recorder.m_urls[0].toEncoded().endsWith(row.url));
        }
        EXPECT_EQ(m_frame.m_refused, !row.shown && !row.url
                                         ? Texts({"이 파일을 열 프로그램이 없습니다."})
                                         : QStringList());
    }
}

TEST_F(CommandsTest, MovingKeysKeepTheCaretInView) {
    for (int i = 0; i < 300; ++i) CreateDocuments({"many/" + std::to_string(1000 + i) + ".ktx"});
    Tree();
    ASSERT_NE(m_tree->SelectPath(DocumentsPath("many"), true), nullptr);
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Down,
                        Qt::Key_End, Qt::Key_PageUp, Qt::Key_Up}) {
        const QTreeWidgetItem* before = m_tree->currentItem();
        Press(key);
        EXPECT_NE(m_tree->currentItem(), before) << key;
        EXPECT_TRUE(m_tree->viewport()->rect().contains(
            m_tree->visualItemRect(m_tree->currentItem()).center()))
            << key;
    }
}

TEST_F(CommandsTest, F5RebuildsAndStaleHistoryEntriesAreSkipped) {
    Tree();
    QTreeWidgetItem* taxfiles = m_tree->SelectPath(DocumentsPath("ZOVA/Taxfiles"), true);
    ASSERT_NE(taxfiles, nullptr);
    m_folder.CreateFiles({"home/Documents/ZOVA/Taxfiles/c.ktx"});
    Press(Qt::Key_F5);
    QTreeWidgetItem* rebuilt = m_tree->currentItem();
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(m_tree->GetItemPath(rebuilt), DocumentsPath("ZOVA/Taxfiles"));
    EXPECT_TRUE(ChildTexts(rebuilt).contains(QStringLiteral("c.ktx")));
    // The entries from before the rebuild name deleted items: only the walk back to the
    // selection after it is left.
    const QList<QTreeWidgetItem*> back = m_tree->BackItems();
    ASSERT_FALSE(back.isEmpty());
    while (m_tree->HasBackEntries()) ASSERT_TRUE(m_tree->GoBack());
    EXPECT_FALSE(m_tree->GoBack());
    EXPECT_NE(m_tree->currentItem(), nullptr);
}

TEST_F(CommandsTest, SetHistoryLimitTrimsBothListsFromTheirNewestEnd) {
    Tree();
    QTreeWidgetItem* taxfiles = m_tree->SelectPath(DocumentsPath("ZOVA/Taxfiles"), true);
    std::vector<QTreeWidgetItem*> order;
    for (int i = 0; i < taxfiles->childCount(); ++i) {
        m_tree->setCurrentItem(taxfiles->child(i));
        order.push_back(taxfiles->child(i));
    }
    const int before = static_cast<int>(m_tree->BackItems().size());
    ASSERT_GE(before, 4);
    const QList<QTreeWidgetItem*> oldest = m_tree->BackItems().mid(0, 2);
    m_tree->SetHistoryLimit(2);
    EXPECT_EQ(m_tree->GetHistoryLimit(), 2);
    EXPECT_EQ(m_tree->BackItems(), oldest);
}

TEST_F(CommandsTest, WithTheDefaultsF2AndDeleteDoNothing) {
    Tree();
    QTreeWidgetItem* file = Select("ZOVA/Taxfiles/a.ktx");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(m_tree->CommandAction(kTreeRenameCommand)->isEnabled());
    EXPECT_FALSE(m_tree->CommandAction(kTreeDeleteCommand)->isEnabled());
    Press(Qt::Key_F2);
    EXPECT_EQ(m_tree->findChild<QLineEdit*>(), nullptr);
    Press(Qt::Key_Delete);
    Press(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(m_tree->m_asked.isEmpty());
    EXPECT_TRUE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/a.ktx")));
    EXPECT_EQ(m_tree->currentItem(), file);
    EXPECT_FALSE(m_tree->BeginRename(file));
    EXPECT_FALSE(m_tree->DeleteItemFile(file));
    EXPECT_FALSE(m_tree->dragEnabled());
}

TEST_F(CommandsTest, EnabledStatesFollowTheCaretAndTheSwitches) {
    struct Row {
        const char* caret;
        bool allowAll;
        bool open, rename, remove, up;
    };
    const std::vector<Row> rows = {{"file", false, true, false, false, true},
                                   {"file", true, true, true, true, true},
                                   {"documents", true, true, false, false, true},
                                   {"drive", true, true, false, false, true},
                                   {"network", true, false, false, false, true},
                                   {"desktop", true, false, false, false, false},
                                   {"none", true, false, false, false, false}};
    for (const Row& row : rows) {
        SwitchedTree tree(nullptr, row.allowAll);
        tree.InitialiseTree();
        QTreeWidgetItem* caret = nullptr;
        const std::string name = row.caret;
        if (name == "file")
            caret = tree.SelectPath(DocumentsPath("ZOVA/Taxfiles/a.ktx"), false);
        else if (name == "documents")
            caret = tree.DocumentsItem();
        else if (name == "network")
            caret = tree.NetworkItem();
        else if (name == "desktop")
            caret = tree.RootItem();
        else if (name == "drive")
            caret = tree.SelectPath(QStringLiteral("/"), false);
        if (caret) tree.setCurrentItem(caret);
        ASSERT_EQ(tree.currentItem(), caret) << row.caret;
        tree.UpdateCommandStates();
        EXPECT_EQ(tree.IsCommandEnabled(kTreeOpenCommand), row.open) << row.caret;
        EXPECT_EQ(tree.IsCommandEnabled(kTreePropertiesCommand), row.open) << row.caret;
        EXPECT_EQ(tree.IsCommandEnabled(kTreeRenameCommand), row.rename) << row.caret;
        EXPECT_EQ(tree.IsCommandEnabled(kTreeDeleteCommand), row.remove) << row.caret;
        EXPECT_EQ(tree.IsCommandEnabled(kTreeUpOneLevelCommand), row.up) << row.caret;
        EXPECT_TRUE(tree.IsCommandEnabled(kTreeRefreshCommand));
        EXPECT_EQ(tree.CommandAction(kTreeRenameCommand)->isEnabled(), row.rename) << row.caret;
    }
}

TEST_F(CommandsTest, RenameThroughTheEditorKeepsAHiddenExtension) {
    SwitchedTree& tree = Tree(true);
    tree.m_nExtensionDisplayMode = 0;  // names shown without extension
    tree.RebuildTree();
    QTreeWidgetItem* file = Select("ZOVA/Taxfiles/a.ktx");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->text(0), QStringLiteral("a"));
    Press(Qt::Key_F2);
    auto* editor = m_tree->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("renamed"));
    // Enter ends the edit; it does not open the file.
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(m_recorder.m_urls.isEmpty());
    EXPECT_TRUE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/renamed.ktx")));
    EXPECT_FALSE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/a.ktx")));
    EXPECT_EQ(file->text(0), QStringLiteral("renamed"));
    EXPECT_EQ(tree.GetItemPath(file), DocumentsPath("ZOVA/Taxfiles/renamed.ktx"));
    EXPECT_EQ(CTreeFileCtrl::GetItemInfo(file)->m_strName, QStringLiteral("renamed.ktx"));
}

TEST_F(CommandsTest, RenameRefusesNamesThatAreNoFileNameOrAreTaken) {
    SwitchedTree& tree = Tree(true);
    QTreeWidgetItem* file = Select("ZOVA/Taxfiles/a.ktx");
    ASSERT_NE(file, nullptr);
    for (const char* text : {"", ".", "..", "../escape.ktx", "sub/x.ktx", "b.xml"}) {
        EXPECT_FALSE(tree.EndRename(file, QString::fromLatin1(text))) << text;
        EXPECT_EQ(tree.GetItemPath(file), DocumentsPath("ZOVA/Taxfiles/a.ktx")) << text;
    }
    EXPECT_EQ(ReadBytes(m_folder.Path() / "home/Documents/ZOVA/Taxfiles/b.xml"), "x");
    EXPECT_TRUE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/a.ktx")));

    // A renamed open folder is read again: its children carried the old path.
    QTreeWidgetItem* old = tree.SelectPath(DocumentsPath("ZOVA/Taxfiles/old"), true);
    ASSERT_NE(old, nullptr);
    ASSERT_TRUE(tree.EndRename(old, QStringLiteral("older")));
    EXPECT_EQ(tree.GetItemPath(old), DocumentsPath("ZOVA/Taxfiles/older"));
    EXPECT_EQ(old->childCount(), 0);
    ExpectConsistent(tree);
}

TEST_F(CommandsTest, TopLevelDesktopDocumentsAreRenamedWhereTheyLie) {
    // Their parent, the desktop root, has no path: the folder comes from the item's own.
    m_folder.CreateFiles({"home/Desktop/report.KTX"});
    SwitchedTree& tree = Tree(true);
    QTreeWidgetItem* report = tree.FindChildByName(tree.RootItem(), QStringLiteral("report.KTX"));
    ASSERT_NE(report, nullptr);
    ASSERT_TRUE(tree.EndRename(report, QStringLiteral("renamed.KTX")));
    EXPECT_TRUE(QFile::exists(HomePath("Desktop/renamed.KTX")));
    EXPECT_EQ(tree.GetItemPath(report), HomePath("Desktop/renamed.KTX"));
}

TEST_F(CommandsTest, ANameThatIsNotUtf8IsNotTrashedUnderAnotherName) {
    // Qt's trash knows a name by its UTF-8 form only, which would be another file.
    const std::filesystem::path odd = m_folder.Write("home/Documents/odd\xB0\xA1.ktx", "x");
    const QString path = PathFromNative(QByteArray::fromStdString(odd.string()));
    EXPECT_FALSE(MoveToTrash(path));
    EXPECT_TRUE(std::filesystem::exists(odd));
    EXPECT_TRUE(DeletePermanently(path));
    EXPECT_FALSE(std::filesystem::exists(odd));
}

TEST_F(CommandsTest, DeleteMovesToTheTrashAndShiftDeletesForGood) {
    SwitchedTree& tree = Tree(true);
    QTreeWidgetItem* taxfiles = tree.SelectPath(DocumentsPath("ZOVA/Taxfiles"), true);
    ASSERT_EQ(taxfiles->childCount(), 3);

    tree.m_bConfirm = false;
    tree.setCurrentItem(taxfiles->child(1));
    Press(Qt::Key_Delete);
    EXPECT_EQ(tree.m_asked, QStringList({DocumentsPath("ZOVA/Taxfiles/a.ktx")}));
    EXPECT_TRUE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/a.ktx")));
    EXPECT_EQ(taxfiles->childCount(), 3);

    tree.m_bConfirm = true;
    Press(Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/a.ktx")));
    EXPECT_TRUE(QFile::exists(HomePath(".local/share/Trash/files/a.ktx")) ||
                QFile::exists(HomePath(".qttest/share/Trash/files/a.ktx")));
    EXPECT_EQ(ChildTexts(taxfiles), Texts({"old", "b.xml"}));

    tree.setCurrentItem(taxfiles->child(0));
    Press(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(tree.m_asked.last(),
              DocumentsPath("ZOVA/Taxfiles/old") + QStringLiteral(" for good"));
    EXPECT_FALSE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/old")));
    EXPECT_EQ(ChildTexts(taxfiles), Texts({"b.xml"}));
    ExpectConsistent(tree);
}

TEST_F(CommandsTest, DropsMoveOrCopyFilesOntoOtherFolders) {
    CreateDocuments({"ZOVA/Taxfiles/old/inner/", "other/"});
    SwitchedTree& tree = Tree(true);
    EXPECT_TRUE(tree.dragEnabled());
    QTreeWidgetItem* taxfiles = tree.SelectPath(DocumentsPath("ZOVA/Taxfiles"), true);
    QTreeWidgetItem* old = tree.FindChildByName(taxfiles, QStringLiteral("old"));
    QTreeWidgetItem* a = tree.FindChildByName(taxfiles, QStringLiteral("a.ktx"));
    QTreeWidgetItem* other = tree.SelectPath(DocumentsPath("other"), false);
    ASSERT_TRUE(old && a && other);

    // Outside a drag nothing is a target.
    EXPECT_FALSE(tree.ValidDropTarget(old));
    QTreeWidgetItem* b = tree.FindChildByName(taxfiles, QStringLiteral("b.xml"));
    struct Row {
        QTreeWidgetItem* source;
        QTreeWidgetItem* target;
        const char* why;
    };
    for (const Row& row : std::vector<Row>{{a, b, "onto a file"},
                                           {a, a, "onto itself"},
                                           {a, taxfiles, "onto its own folder"},
                                           {old, other, "a folder is not dragged"},
                                           {a, nullptr, "onto nothing"}})
        EXPECT_FALSE(tree.DropOnItem(row.source, row.target, false)) << row.why;
    EXPECT_TRUE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/a.ktx")));

    ASSERT_TRUE(tree.DropOnItem(b, other, true));  // Ctrl: a copy
    EXPECT_TRUE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/b.xml")));
    EXPECT_TRUE(QFile::exists(DocumentsPath("other/b.xml")));
    EXPECT_EQ(tree.currentItem(), other);
    ASSERT_TRUE(tree.DropOnItem(a, old, false));  // a move
    EXPECT_FALSE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/a.ktx")));
    EXPECT_TRUE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/old/a.ktx")));
    EXPECT_EQ(ChildTexts(taxfiles), Texts({"old", "b.xml"}));
    EXPECT_TRUE(CTreeFileCtrl::HasChildFlag(old));

    // A file of the same name in the target is never replaced.
    m_folder.Write("home/Documents/other/b.xml", "theirs");
    b = tree.FindChildByName(tree.SelectPath(DocumentsPath("ZOVA/Taxfiles"), true),
                             QStringLiteral("b.xml"));
    EXPECT_FALSE(tree.DropOnItem(b, tree.SelectPath(DocumentsPath("other"), false), false));
    EXPECT_EQ(ReadBytes(m_folder.Path() / "home/Documents/other/b.xml"), "theirs");
    EXPECT_TRUE(QFile::exists(DocumentsPath("ZOVA/Taxfiles/b.xml")));
    ExpectConsistent(tree);
}

TEST_F(CommandsTest, AltEnterShowsTheProperties) {
    Tree();
    ASSERT_NE(Select("ZOVA/Taxfiles/b.xml"), nullptr);
    Press(Qt::Key_Return, Qt::AltModifier);
    EXPECT_TRUE(m_recorder.m_urls.isEmpty());
    CFilePropertiesDlg* dialog = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<CFilePropertiesDlg*>(widget); found && found->isVisible())
            dialog = found;
    // Without a file manager on the session bus, the tree's own window.
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Value(QStringLiteral("이름")), QStringLiteral("b.xml"));
    EXPECT_EQ(dialog->Value(QStringLiteral("종류")), QStringLiteral("XML 파일"));
    EXPECT_EQ(dialog->Value(QStringLiteral("크기")), QStringLiteral("1 바이트"));
    EXPECT_EQ(dialog->Value(QStringLiteral("위치")), DocumentsPath("ZOVA/Taxfiles"));
    EXPECT_EQ(dialog->Value(QStringLiteral("권한")).size(), 9);
    dialog->close();

    struct Row {
        qulonglong bytes;
        const char* text;
    };
    for (const Row& row : std::vector<Row>{{0, "0 바이트"},
                                           {1023, "1,023 바이트"},
                                           {2689, "2,689 바이트 (2.6 KB)"},
                                           {5u << 20, "5,242,880 바이트 (5.0 MB)"}})
        EXPECT_EQ(KoreanSizeText(row.bytes), QString::fromUtf8(row.text));
    EXPECT_EQ(KoreanDateText(QDateTime(QDate(2026, 12, 8), QTime(9, 58))),
              QStringLiteral("2026년 12월 8일 (화) 09:58"));
}

}  // namespace
}  // namespace ledgra::testing
