#pragma once
// The left pane of the main window: the file tree and nothing else.

#include <QString>
#include <QWidget>

#include "filetree/MyTreeFileCtrl.h"

namespace ledgra {

class CLeftView : public QWidget {
    Q_OBJECT

public:
    explicit CLeftView(QWidget* parent = nullptr);

    CMyTreeFileCtrl& Tree() { return m_wndTree; }

    // Builds the tree, opens <Documents>/ZOVA/Taxfiles/ and, given a start path, selects that
    // document and asks for it to be shown.
    void OnInitialUpdate(const QString& startPath);

signals:
    // The start document is to be shown (a path of the tree's form).
    void StartDocumentRequested(const QString& path);

private:
    CMyTreeFileCtrl m_wndTree;
};

}  // namespace ledgra
