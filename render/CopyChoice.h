#pragma once
// Which copy of an invoice form a page shows: the matching template (the user's own invoice)
// or the other one, and on the copy button's request the one not shown last.

#include <optional>
#include <string_view>

#include "settings/Profile.h"

namespace ledgra {

// What the renderer is asked for: whether the other copy of the last page is wanted, and
// which copy the last invoice page showed (0 none yet, 1 the matching template, 2 the other).
struct CopyRequest {
    bool otherCopy = false;
    int lastCopy = 0;
};

// The template to fill and the copy it is (1 matching, 2 the other one).
struct ChosenCopy {
    int templateId;
    int copy;
};

// Chooses the matching or the non-matching template by comparing the joined stored own number
// with the supplier's number, or alternates when the other copy is asked for. Returns nothing
// when the other copy is asked for before any invoice page was shown.
std::optional<ChosenCopy> ChooseCopy(std::string_view supplierNumber, CopyRequest request,
                                     const Profile& profile, int matchingTemplate,
                                     int nonMatchingTemplate);

}  // namespace ledgra
