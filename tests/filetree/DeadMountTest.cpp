// A FUSE file system that never answers, mounted below Documents: the tree lists its parent,
// and expanding it leaves the window responsive. Needs /dev/fuse and the right to mount.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tests/filetree/TreeTestSupport.h"

namespace ledgra::testing {
namespace {

// A mount whose file system program never reads its requests; unmounting and closing the
// device aborts whatever waits on it.
class DeadMount {
public:
    explicit DeadMount(const std::filesystem::path& folder) : m_folder(folder) {
        m_fd = open("/dev/fuse", O_RDWR | O_CLOEXEC);
        if (m_fd < 0) {
            m_error = std::string("/dev/fuse: ") + std::strerror(errno);
            return;
        }
        const std::string options = "fd=" + std::to_string(m_fd) +
                                    ",rootmode=40000,user_id=" + std::to_string(getuid()) +
                                    ",group_id=" + std::to_string(getgid());
        if (mount("ledgra-dead", folder.c_str(), "fuse.ledgra-dead", MS_NOSUID | MS_NODEV,
                  options.c_str()) != 0) {
            m_error = std::string("mount: ") + std::strerror(errno);
            return;
        }
        m_bMounted = true;
    }
    ~DeadMount() {
        if (m_bMounted) umount2(m_folder.c_str(), MNT_DETACH);
        if (m_fd >= 0) close(m_fd);
    }
    DeadMount(const DeadMount&) = delete;
    DeadMount& operator=(const DeadMount&) = delete;

    bool IsMounted() const { return m_bMounted; }
    const std::string& Error() const { return m_error; }

private:
    std::filesystem::path m_folder;
    int m_fd = -1;
    bool m_bMounted = false;
    std::string m_error;
};

class DeadMountTest : public TreeTest {};

TEST_F(DeadMountTest, ExpandingAMountThatNeverAnswersLeavesTheTreeUsable) {
    CreateDocuments({"dead/", "live/a.ktx"});
    DeadMount dead(m_folder.Path() / "home/Documents/dead");
    if (!dead.IsMounted()) GTEST_SKIP() << "no FUSE mount possible here (" << dead.Error() << ")";

    CTreeFileCtrl tree;
    tree.InitialiseTree();
    // Its parent lists without asking it: a mount that may not answer gets its button unread.
    QTreeWidgetItem* documents = tree.SelectPath(DocumentsPath(), true);
    ASSERT_NE(documents, nullptr);
    QTreeWidgetItem* item = tree.FindChildByName(documents, QStringLiteral("dead"));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(CTreeFileCtrl::HasChildFlag(item));
    EXPECT_FALSE(item->data(0, Qt::ForegroundRole).isValid());  // no attributes asked

    tree.setCurrentItem(item);
    EXPECT_EQ(tree.currentItem(), item);
    item->setExpanded(true);
    ASSERT_EQ(ChildTexts(item), QStringList({CTreeFileCtrl::PendingText()}));

    // The event loop runs and the rest of the tree answers.
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    QApplication::processEvents();
    EXPECT_TRUE(fired);
    QTreeWidgetItem* live = tree.SelectPath(DocumentsPath("live"), true);
    ASSERT_NE(live, nullptr);
    EXPECT_EQ(ChildTexts(live), Texts({"a.ktx"}));
    item->setExpanded(false);
    EXPECT_EQ(item->childCount(), 0);
}

}  // namespace
}  // namespace ledgra::testing
