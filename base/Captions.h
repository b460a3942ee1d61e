#pragma once
// The captions of the program's message boxes, as code page 949 text.

#include <string>

#include "text/Cp949.h"

namespace ledgra {

inline const std::string& ErrorCaption() { return "에러 메시지"_cp949; }
inline const std::string& InformationCaption() { return "정보"_cp949; }

// The caption of the boxes that list a document's signers.
inline constexpr const char* kSignerListCaption = "Info";

}  // namespace ledgra
