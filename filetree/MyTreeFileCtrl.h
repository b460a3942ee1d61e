#pragma once
// The viewer's file tree: every selection retitles the document after the selected path.

#include "filetree/TreeFileCtrl.h"

namespace ledgra {

class CMyTreeFileCtrl : public CTreeFileCtrl {
    Q_OBJECT

public:
    using CTreeFileCtrl::CTreeFileCtrl;

    // Sets the document title of the frame holding the tree (nothing without one).
    void OnPathSelected(const QString& path) override;
};

}  // namespace ledgra
