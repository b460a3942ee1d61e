#include "render/PageFilling.h"
#include "settings/StoredSettings.h"

namespace ledgra {

std::optional<int> ChooseCopy(std::string_view supplierNumber, FrameState& frame,
                              const Profile& profile, int matchingTemplate,
                              int nonMatchingTemplate) {
    if (!frame.m_bShowOtherCopy) {
        // The user's own number is kept in three parts; compared as stored, case and all.
        const bool ownInvoice = StoredSettingsReader(profile).JoinedOwnNumber() == supplierNumber;
        frame.m_nLastCopy = ownInvoice ? 1 : 2;
        return ownInvoice ? matchingTemplate : nonMatchingTemplate;
    }
    // The other copy is the one not shown last; before any invoice page there is none.
    switch (frame.m_nLastCopy) {
        case 1:
            frame.m_nLastCopy = 2;
            return nonMatchingTemplate;
        case 2:
            frame.m_nLastCopy = 1;
            return matchingTemplate;
        default:
            return std::nullopt;
    }
}

}  // namespace ledgra
