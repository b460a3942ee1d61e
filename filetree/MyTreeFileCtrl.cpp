#include "filetree/MyTreeFileCtrl.h"

namespace ledgra {

void CMyTreeFileCtrl::OnPathSelected(const QString& path) {
    emit PathSelected(path);
}

}  // namespace ledgra
