#include "render/PageFilling.h"
#include "settings/StoredSettings.h"

namespace ledgra {

std::optional<int> ChooseCopy(std::string_view supplierNumber, CopyState copy,
                              const Profile& profile, int matchingTemplate,
                              int nonMatchingTemplate) {
    if (!copy.m_bShowOtherCopy) {
        // The user's own number is kept in three parts; compared as stored, case and all.
        const bool ownInvoice = StoredSettingsReader(profile).JoinedOwnNumber() == supplierNumber;
        copy.m_nLastCopy = ownInvoice ? 1 : 2;
        return ownInvoice ? matchingTemplate : nonMatchingTemplate;
    }
    // The other copy is the one not shown last; before any invoice page there is none.
    switch (copy.m_nLastCopy) {
        case 1:
            copy.m_nLastCopy = 2;
            return nonMatchingTemplate;
        case 2:
            copy.m_nLastCopy = 1;
            return matchingTemplate;
        default:
            return std::nullopt;
    }
}

}  // namespace ledgra
