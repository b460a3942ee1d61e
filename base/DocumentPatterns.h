#pragma once
// The patterns of the document files: the tree lists files of these, the run chooses a
// renderer by them. Always compared with the upper-cased "*." form of a file's extension.

#include <array>
#include <string_view>

namespace ledgra {

inline constexpr std::string_view kLegacyInvoicePattern = "*.KTX";
inline constexpr std::string_view kContractPattern = "*.KCX";
inline constexpr std::string_view kKeyValueInvoicePattern = "*.TSN";
inline constexpr std::string_view kContentPagePattern = "*.CQS";
inline constexpr std::string_view kStandardInvoicePattern = "*.XML";

// Every document pattern, in the order the tree's settings list them.
inline constexpr std::array<std::string_view, 5> kDocumentPatterns{
    kLegacyInvoicePattern, kContractPattern, kKeyValueInvoicePattern, kContentPagePattern,
    kStandardInvoicePattern};

}  // namespace ledgra
