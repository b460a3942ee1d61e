#include "filetree/MyTreeFileCtrl.h"

#include "filetree/FrameOperations.h"

namespace ledgra {

void CMyTreeFileCtrl::OnPathSelected(const QString& path) {
    if (auto* frame = dynamic_cast<FrameOperations*>(window())) frame->SetDocumentTitle(path);
}

}  // namespace ledgra
