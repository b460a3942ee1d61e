#include "render/CopyChoice.h"

#include "settings/StoredSettings.h"

namespace ledgra {

std::optional<ChosenCopy> ChooseCopy(std::string_view supplierNumber, CopyRequest request,
                                     const Profile& profile, int matchingTemplate,
                                     int nonMatchingTemplate) {
    if (!request.otherCopy) {
        // The user's own number is kept in three parts; compared as stored, case and all.
        if (StoredSettingsReader(profile).JoinedOwnNumber() == supplierNumber) {
            return ChosenCopy{matchingTemplate, 1};
        }
        return ChosenCopy{nonMatchingTemplate, 2};
    }
    // The other copy is the one not shown last; before any invoice page there is none.
    switch (request.lastCopy) {
        case 1:
            return ChosenCopy{nonMatchingTemplate, 2};
        case 2:
            return ChosenCopy{matchingTemplate, 1};
        default:
            return std::nullopt;
    }
}

}  // namespace ledgra
