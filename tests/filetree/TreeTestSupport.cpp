#include "tests/filetree/TreeTestSupport.h"

#include <QFile>

#include "filetree/TreeFileCtrlItem.h"
#include "tests/widgets/QtTestApplication.h"

namespace ledgra::testing {

namespace {

[[maybe_unused]] ::testing::Environment* const kQtApplication = AddQtTestApplication();

void CheckItem(const CTreeFileCtrl& tree, QTreeWidgetItem* item) {
    // The placeholder of a folder that has not answered stands alone and owns no record.
    if (CTreeFileCtrl::IsPendingItem(item)) {
        EXPECT_EQ(item->parent() ? item->parent()->childCount() : 0, 1);
        EXPECT_EQ(item->childCount(), 0);
        return;
    }
    const CTreeFileCtrlItemInfo* info = CTreeFileCtrl::GetItemInfo(item);
    ASSERT_NE(info, nullptr) << "an item without a record: " << item->text(0).toStdString();
    const bool filledFolder = !info->m_strFullPath.isEmpty() && !info->m_bNetworkItem &&
                              tree.IsFolderPath(info->m_strFullPath);
    const QString prefix = info->m_strFullPath.endsWith(QLatin1Char('/'))
                               ? info->m_strFullPath
                               : info->m_strFullPath + QLatin1Char('/');
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        CheckItem(tree, child);
        const CTreeFileCtrlItemInfo* childInfo = CTreeFileCtrl::GetItemInfo(child);
        if (!filledFolder || !childInfo || CTreeFileCtrl::IsPendingItem(child)) continue;
        EXPECT_EQ(childInfo->m_strFullPath, prefix + childInfo->m_strName);
        if (i > 0) {
            const CTreeFileCtrlItemInfo* before = CTreeFileCtrl::GetItemInfo(item->child(i - 1));
            EXPECT_TRUE(before && SortsBefore(*before, *childInfo))
                << "out of order under " << info->m_strFullPath.toStdString() << ": "
                << childInfo->m_strName.toStdString();
        }
    }
}

}  // namespace

QString ToQString(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

TreeTest::TreeTest() : m_savedHome(qgetenv("HOME")), m_savedConfigHome(qgetenv("XDG_CONFIG_HOME")) {
    m_folder.CreateFiles({"home/"});
    qputenv("HOME", QFile::encodeName(ToQString(m_folder.Path() / "home")));
    qunsetenv("XDG_CONFIG_HOME");
}

TreeTest::~TreeTest() {
    qputenv("HOME", m_savedHome);
    if (m_savedConfigHome.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", m_savedConfigHome);
}

QString TreeTest::HomePath(const std::string& relative) const {
    return ToQString(m_folder.Path() / "home" / relative);
}

QString TreeTest::DocumentsPath(const std::string& relative) const {
    const QString documents = HomePath("Documents");
    return relative.empty() ? documents
                            : documents + QLatin1Char('/') + QString::fromStdString(relative);
}

void TreeTest::CreateDocuments(std::initializer_list<std::string_view> names) {
    for (std::string_view name : names)
        m_folder.CreateFiles({"home/Documents/" + std::string(name)});
}

void FakeFrame::Listen(CTreeFileCtrl& tree) {
    connect(&tree, &CTreeFileCtrl::DocumentActivated, this,
            [this](const QString& path) { m_activated.append(path); });
    connect(&tree, &CTreeFileCtrl::OpenRefused, this,
            [this](const QString& message) { m_refused.append(message); });
}

void FakeFrame::Listen(CMyTreeFileCtrl& tree) {
    Listen(static_cast<CTreeFileCtrl&>(tree));
    connect(&tree, &CMyTreeFileCtrl::PathSelected, this,
            [this](const QString& path) { m_titles.append(path); });
}

void FakeFrame::Listen(CLeftView& view) {
    Listen(view.Tree());
    connect(&view, &CLeftView::StartDocumentRequested, this,
            [this](const QString& path) { m_shown.append(path); });
}

QStringList Texts(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) list.append(QString::fromUtf8(text));
    return list;
}

QStringList ChildTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; item && i < item->childCount(); ++i) texts.append(item->child(i)->text(0));
    return texts;
}

void ExpectConsistent(const CTreeFileCtrl& tree) {
    QTreeWidgetItem* top = tree.invisibleRootItem();
    for (int i = 0; i < top->childCount(); ++i) CheckItem(tree, top->child(i));
}

}  // namespace ledgra::testing
