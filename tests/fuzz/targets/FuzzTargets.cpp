#include "tests/fuzz/targets/FuzzTargets.h"

#include <array>

namespace ledgra::fuzz {
namespace {

constexpr std::array kTargets{
    FuzzTarget{"run", FuzzRun},
    FuzzTarget{"container", FuzzContainer},
    FuzzTarget{"signed_message", FuzzSignedMessage},
    FuzzTarget{"xml_load", FuzzXmlLoad},
    FuzzTarget{"xml_signature", FuzzXmlSignature},
    FuzzTarget{"standard_invoice", FuzzStandardInvoice},
    FuzzTarget{"legacy_invoice", FuzzLegacyInvoice},
    FuzzTarget{"key_value_invoice", FuzzKeyValueInvoice},
    FuzzTarget{"contract", FuzzContract},
    FuzzTarget{"content_page", FuzzContentPage},
    FuzzTarget{"cp949", FuzzCp949},
    FuzzTarget{"formatters", FuzzFormatters},
    FuzzTarget{"page_fill", FuzzPageFill},
    FuzzTarget{"fill_plan", FuzzFillPlan},
};

}  // namespace

std::span<const FuzzTarget> FuzzTargets() {
    return kTargets;
}

const FuzzTarget* FindFuzzTarget(std::string_view name) {
    for (const FuzzTarget& target : kTargets) {
        if (target.name == name) return &target;
    }
    return nullptr;
}

}  // namespace ledgra::fuzz
