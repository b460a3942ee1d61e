// A folder that does not answer never holds up the tree: past the wait it shows a placeholder,
// the tree stays usable, the late entries arrive by themselves, and a collapse cancels them.

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "filetree/FolderReader.h"
#include "tests/filetree/TreeTestSupport.h"

namespace ledgra::testing {
namespace {

// Holds the listing of one folder until released; counts the listings that started.
struct Gate {
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bOpen = false;
    std::atomic<int> m_nStarted{0};
    std::atomic<bool> m_bSawCancel{false};
    std::atomic<int> m_nFinished{0};

    void Open() {
        std::lock_guard lock(m_mutex);
        m_bOpen = true;
        m_changed.notify_all();
    }
};

class SlowTree : public CTreeFileCtrl {
public:
    SlowTree(std::shared_ptr<Gate> gate, QString slowPath) {
        m_nListingTimeoutMs = 100;
        m_folderLister = [gate, slowPath](const QString& path, const ListingRules& rules,
                                          const std::atomic<bool>& cancelled) {
            if (path == slowPath) {
                ++gate->m_nStarted;
                std::unique_lock lock(gate->m_mutex);
                while (!gate->m_bOpen) {
                    gate->m_changed.wait_for(lock, std::chrono::milliseconds(10));
                    if (cancelled) gate->m_bSawCancel = true;
                }
            }
            FolderContents contents = ReadFolderContents(path, rules, cancelled);
            if (path == slowPath) ++gate->m_nFinished;
            return contents;
        };
    }
};

class SlowFolderTest : public TreeTest {
protected:
    SlowFolderTest() : m_gate(std::make_shared<Gate>()) {
        CreateDocuments({"dead/a.ktx", "dead/inner/", "live/b.ktx"});
    }
    ~SlowFolderTest() override { m_gate->Open(); }
    std::shared_ptr<Gate> m_gate;
};

TEST_F(SlowFolderTest, APlaceholderShowsUntilTheLateEntriesArrive) {
    SlowTree tree(m_gate, DocumentsPath("dead"));
    tree.InitialiseTree();
    // The walk stops at the folder that does not answer, without waiting for it.
    EXPECT_EQ(tree.SelectPath(DocumentsPath("dead/a.ktx"), false), nullptr);
    QTreeWidgetItem* dead = tree.currentItem();
    ASSERT_NE(dead, nullptr);
    EXPECT_EQ(tree.GetItemPath(dead), DocumentsPath("dead"));
    ASSERT_EQ(ChildTexts(dead), QStringList({CTreeFileCtrl::PendingText()}));
    EXPECT_TRUE(CTreeFileCtrl::IsPendingItem(dead->child(0)));
    ExpectConsistent(tree);

    // The rest of the tree works meanwhile; the placeholder is no selection of its own.
    QTreeWidgetItem* live = tree.SelectPath(DocumentsPath("live"), true);
    ASSERT_NE(live, nullptr);
    EXPECT_EQ(ChildTexts(live), Texts({"b.ktx"}));
    tree.setCurrentItem(dead->child(0));
    QApplication::processEvents();
    EXPECT_EQ(dead->childCount(), 1);

    m_gate->Open();
    ASSERT_TRUE(WaitForSignal(tree.model(), &QAbstractItemModel::rowsInserted));
    EXPECT_EQ(ChildTexts(dead), Texts({"inner", "a.ktx"}));
    EXPECT_EQ(m_gate->m_nStarted, 1);
    ExpectConsistent(tree);
}

TEST_F(SlowFolderTest, CollapsingCancelsAndAStuckFolderIsNotReadTwice) {
    SlowTree tree(m_gate, DocumentsPath("dead"));
    tree.InitialiseTree();
    QTreeWidgetItem* dead = tree.SelectPath(DocumentsPath("dead"), true);
    ASSERT_NE(dead, nullptr);
    ASSERT_TRUE(CTreeFileCtrl::IsPendingItem(dead->child(0)));

    // Opening it again while the first listing hangs waits on that same listing.
    dead->setExpanded(false);
    EXPECT_EQ(dead->childCount(), 0);
    EXPECT_TRUE(CTreeFileCtrl::HasChildFlag(dead));
    dead->setExpanded(true);
    ASSERT_EQ(dead->childCount(), 1);
    EXPECT_EQ(m_gate->m_nStarted, 1);

    // Collapsed for good: the listing is told to stop, and what it finds is dropped.
    dead->setExpanded(false);
    QElapsedTimer waited;
    waited.start();
    while (!m_gate->m_bSawCancel && waited.elapsed() < 5000) QApplication::processEvents();
    EXPECT_TRUE(m_gate->m_bSawCancel);
    m_gate->Open();
    waited.restart();
    while (m_gate->m_nFinished == 0 && waited.elapsed() < 5000) QThread::msleep(5);
    ASSERT_EQ(m_gate->m_nFinished, 1);
    QApplication::processEvents();
    EXPECT_EQ(dead->childCount(), 0);
    EXPECT_FALSE(dead->isExpanded());

    // The next expansion reads the folder afresh.
    dead->setExpanded(true);
    EXPECT_EQ(ChildTexts(dead), Texts({"inner", "a.ktx"}));
    EXPECT_EQ(m_gate->m_nStarted, 2);
}

TEST_F(SlowFolderTest, ATreeGoneBeforeTheListingEndsIsNotCalled) {
    {
        SlowTree tree(m_gate, DocumentsPath("dead"));
        tree.InitialiseTree();
        ASSERT_NE(tree.SelectPath(DocumentsPath("dead"), true), nullptr);
    }
    m_gate->Open();
    // The listing ends after its tree: nothing may reach the deleted tree.
    QElapsedTimer waited;
    waited.start();
    while (m_gate->m_nFinished == 0 && waited.elapsed() < 5000) QThread::msleep(5);
    EXPECT_EQ(m_gate->m_nFinished, 1);
    QApplication::processEvents();
}

}  // namespace
}  // namespace ledgra::testing
