#pragma once
// The main frame's commands, by the codes its command router has always taken (the command
// bar's buttons, the tree's double click, the show that the copy button repeats), and the copy
// button's captions.

#include <string>

namespace ledgra {

enum class FrameCommand : int {
    OpenSettings = 1,
    VerifySelected = 2,
    Print = 3,
    // The copy button: the selected document again, as the other copy.
    ShowOtherCopy = 4,
    // A double click on a document in the tree.
    ShowActivated = 5,
    // The selected document again; the copy button's caption turns over.
    ShowSelected = 6,
};

// The copy button's captions (code page 949).
const std::string& BuyerCopyCaption();     // "공급받는자"
const std::string& SupplierCopyCaption();  // "공급자"

}  // namespace ledgra
