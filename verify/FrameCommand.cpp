#include "verify/FrameCommand.h"

#include "text/Cp949.h"

namespace ledgra {

const std::string& BuyerCopyCaption() {
    return "공급받는자"_cp949;
}

const std::string& SupplierCopyCaption() {
    return "공급자"_cp949;
}

}  // namespace ledgra
