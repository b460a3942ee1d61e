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
    // document and has the frame show it.
    void OnInitialUpdate(const QString& startPath);

private:
    CMyTreeFileCtrl m_wndTree;
};

}  // namespace ledgra
