#include "filetree/TreeFileCtrlItemInfo.h"

namespace ledgra {

CTreeFileCtrlItemInfo::CTreeFileCtrlItemInfo(const CTreeFileCtrlItemInfo& other)
    : m_strFullPath(other.m_strFullPath),
      m_strName(other.m_strName),
      m_pNetInfo(other.m_pNetInfo ? std::make_unique<NetworkResourceInfo>(*other.m_pNetInfo)
                                  : nullptr),
      m_bDesktopRoot(other.m_bDesktopRoot),
      m_bNetworkItem(other.m_bNetworkItem),
      m_bDocumentsItem(other.m_bDocumentsItem),
      m_bTextWithoutExtension(other.m_bTextWithoutExtension),
      m_bIsFile(other.m_bIsFile) {}

CTreeFileCtrlItemInfo& CTreeFileCtrlItemInfo::operator=(const CTreeFileCtrlItemInfo& other) {
    if (this != &other) *this = CTreeFileCtrlItemInfo(other);
    return *this;
}

}  // namespace ledgra
