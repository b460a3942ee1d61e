#include "filetree/LeftView.h"

#include <QVBoxLayout>

#include <filesystem>

#include "base/Folders.h"
#include "base/UserFolders.h"
#include "filetree/NativeNames.h"

namespace ledgra {

CLeftView::CLeftView(QWidget* parent) : QWidget(parent), m_wndTree(this) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&m_wndTree);
    setFocusProxy(&m_wndTree);
}

void CLeftView::OnInitialUpdate(const QString& startPath) {
    m_wndTree.InitialiseTree();

    // The user's tax files folder; the tree opens as far down it as the folders exist.
    const std::filesystem::path taxfiles = TaxfilesFolder(DocumentsFolder());
    m_wndTree.SelectPath(PathFromNative(QByteArray::fromStdString(taxfiles.native())), true);

    if (!startPath.isEmpty()) {
        m_wndTree.SelectPath(startPath, false);
        // A path the tree cannot find is still shown: the run reports what is wrong with it.
        emit StartDocumentRequested(startPath);
    }
    m_wndTree.setFocus();
}

}  // namespace ledgra
