#pragma once
// The viewer's file tree: every selection retitles the document after the selected path.

#include "filetree/TreeFileCtrl.h"

namespace ledgra {

class CMyTreeFileCtrl : public CTreeFileCtrl {
    Q_OBJECT

public:
    using CTreeFileCtrl::CTreeFileCtrl;

    // Tells the selected path, the document's title.
    void OnPathSelected(const QString& path) override;

signals:
    void PathSelected(const QString& path);
};

}  // namespace ledgra
