// Change watching: never a thread with the defaults; with automatic refresh on, one worker per
// expanded root that refills a folder whose names change and stops before a collapse returns.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include "filetree/TreeFileCtrlThreadInfo.h"
#include "tests/filetree/TreeTestSupport.h"

namespace ledgra::testing {
namespace {

// The threads of this process, as the kernel counts them.
int ThreadCount() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/task"))
                                .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                .size());
}

class WatchingTree : public CTreeFileCtrl {
public:
    explicit WatchingTree(bool removableDocuments = false)
        : m_bRemovableDocuments(removableDocuments) {
        m_bAutomaticRefresh = true;
    }
    bool IsRemovableDrive(const QString& path) const override {
        return m_bRemovableDocuments || CTreeFileCtrl::IsRemovableDrive(path);
    }
    bool m_bRemovableDocuments;
};

// Runs the event loop until the condition holds; false after five seconds.
template <typename Condition>
bool WaitUntil(Condition condition) {
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > 5000) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

class ChangeWatchTest : public TreeTest {
protected:
    ChangeWatchTest() { CreateDocuments({"ZOVA/Taxfiles/a.ktx", "ZOVA/Logs/"}); }
};

TEST_F(ChangeWatchTest, WithTheDefaultsNoThreadEverStarts) {
    // Folder listings run on short threads of their own: wait until those have ended.
    const int before = ThreadCount();
    CTreeFileCtrl tree;
    tree.InitialiseTree();
    ASSERT_NE(tree.SelectPath(DocumentsPath("ZOVA/Taxfiles"), true), nullptr);
    ASSERT_NE(tree.SelectPath(QStringLiteral("/"), true), nullptr);
    tree.ComputerItem()->setExpanded(false);
    tree.DocumentsItem()->setExpanded(false);
    tree.RebuildTree();
    EXPECT_TRUE(tree.DriveWatches().empty());
    EXPECT_EQ(CTreeFileCtrlThreadInfo::RunningWorkers(), 0);
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= before; }))
        << ThreadCount() << " " << before;
}

TEST_F(ChangeWatchTest, ANewFileInAnOpenFolderAppearsAndACollapseStopsTheWorker) {
    WatchingTree tree;
    tree.InitialiseTree();
    QTreeWidgetItem* taxfiles = tree.SelectPath(DocumentsPath("ZOVA/Taxfiles"), true);
    ASSERT_NE(taxfiles, nullptr);
    ASSERT_EQ(tree.DriveWatches().size(), 1u);
    EXPECT_EQ(tree.DriveWatches()[0]->m_strPath, DocumentsPath() + QLatin1Char('/'));
    EXPECT_EQ(CTreeFileCtrlThreadInfo::RunningWorkers(), 1);

    m_folder.CreateFiles({"home/Documents/ZOVA/Taxfiles/new.xml"});
    ASSERT_TRUE(WaitUntil([&] {
        QTreeWidgetItem* now =
            tree.FindChildByName(tree.FindChildByName(tree.DocumentsItem(), QStringLiteral("ZOVA")),
                                 QStringLiteral("Taxfiles"));
        return now && ChildTexts(now) == Texts({"a.ktx", "new.xml"});
    }));
    // The caret is back where it was.
    EXPECT_EQ(tree.GetItemPath(tree.currentItem()), DocumentsPath("ZOVA/Taxfiles"));
    // A new folder at the root shows too.
    m_folder.CreateFiles({"home/Documents/Fresh/"});
    ASSERT_TRUE(WaitUntil(
        [&] { return ChildTexts(tree.DocumentsItem()).contains(QStringLiteral("Fresh")); }));
    ExpectConsistent(tree);

    tree.DocumentsItem()->setExpanded(false);
    EXPECT_TRUE(tree.DriveWatches().empty());
    EXPECT_EQ(CTreeFileCtrlThreadInfo::RunningWorkers(), 0);
}

TEST_F(ChangeWatchTest, RebuildStopsEveryWorkerAndRemovableVolumesAreNeverWatched) {
    {
        WatchingTree tree;
        tree.InitialiseTree();
        ASSERT_NE(tree.SelectPath(DocumentsPath("ZOVA"), true), nullptr);
        ASSERT_EQ(tree.DriveWatches().size(), 1u);
        tree.StopAllDriveWatches();
        EXPECT_EQ(CTreeFileCtrlThreadInfo::RunningWorkers(), 0);
        // The rebuild opens Documents again on its way back to the caret, with a new worker.
        tree.RebuildTree();
        EXPECT_EQ(tree.DriveWatches().size(), 1u);
    }
    EXPECT_EQ(CTreeFileCtrlThreadInfo::RunningWorkers(), 0);  // the tree's end joins them

    WatchingTree removable(true);
    removable.InitialiseTree();
    ASSERT_NE(removable.SelectPath(DocumentsPath("ZOVA"), true), nullptr);
    EXPECT_FALSE(removable.CanWatchPath(DocumentsPath()));
    EXPECT_TRUE(removable.DriveWatches().empty());
}

}  // namespace
}  // namespace ledgra::testing
