#include "records/Finding.h"

namespace ledgra {

std::string_view SeverityName(Severity severity) {
    return severity == Severity::Error ? "오류" : "경고";
}

}  // namespace ledgra
