// The share list is read in the background: building the tree never waits for `net`.

#include <QFile>

#include "filetree/ShareEnumerator.h"
#include "tests/filetree/TreeTestSupport.h"

namespace ledgra::testing {
namespace {

class ShareListTest : public TreeTest {
protected:
    // A `net` that takes its time, first on the search path.
    ShareListTest() : m_savedPath(qgetenv("PATH")) {
        const std::filesystem::path net =
            m_folder.Write("bin/net", "#!/bin/sh\nsleep 1\nprintf '[tax]\\npath=/srv/tax\\n'\n");
        std::filesystem::permissions(net, std::filesystem::perms::owner_all);
        qputenv("PATH", QFile::encodeName(ToQString(m_folder.Path() / "bin")) + ':' + m_savedPath);
    }
    ~ShareListTest() override { qputenv("PATH", m_savedPath); }
    QByteArray m_savedPath;
};

TEST_F(ShareListTest, RebuildingDoesNotWaitForTheShareList) {
    CTreeFileCtrl tree;
    tree.InitialiseTree();
    // Built, while `net` still sleeps.
    EXPECT_NE(tree.DocumentsItem(), nullptr);
    EXPECT_TRUE(tree.ShareList().IsRefreshing());
    EXPECT_FALSE(tree.IsSharedPath(QStringLiteral("/srv/tax")));
    tree.RebuildTree();  // a reading under way is not started twice
    ASSERT_TRUE(WaitForSignal(&tree.ShareList(), &CShareEnumerator::Refreshed));
    EXPECT_FALSE(tree.ShareList().IsRefreshing());
    EXPECT_TRUE(tree.IsSharedPath(QStringLiteral("/srv/tax")));
    EXPECT_TRUE(tree.IsSharedPath(QStringLiteral("/srv/tax/")));
    EXPECT_FALSE(tree.IsSharedPath(QStringLiteral("/srv")));
}

}  // namespace
}  // namespace ledgra::testing
