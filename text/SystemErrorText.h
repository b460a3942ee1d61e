#pragma once
// Why a file could not be read or written, as the user reads it in a message.

#include <string>

namespace ledgra {

// A Korean sentence for the causes a user can act on (a full disk, a read-only disk, missing
// permission, a missing folder), the system's own text for the rest. Code page 949.
std::string SystemErrorText(int errorNumber);

}  // namespace ledgra
