#pragma once
// The operations every renderer shares to fill a page template: placeholder replacement, the
// value formatters, digit cells, seal cells, Base64, log folder names and the copy choice.
// All texts are code page 949 byte strings.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "render/FrameState.h"
#include "settings/Profile.h"

namespace ledgra {

class PageFill;

// No page grows beyond this. Values may hold the text of placeholders filled later, which
// then fill too: a few fields that each name the next several times would otherwise grow a
// small document's page exponentially.
inline constexpr std::size_t kMaxPageBytes = std::size_t{16} << 20;

// A fill would have made the page larger than kMaxPageBytes. Renderers let it out; the run
// reports a failed page ("HTML 생성 실패").
class PageTooLargeError : public std::length_error {
public:
    PageTooLargeError() : std::length_error("page larger than its size limit") {}
};

// Replaces every occurrence of `placeholder` in `page` by `value`, left to right, without
// rescanning inserted text. An empty placeholder changes nothing. Throws PageTooLargeError,
// leaving the page as it was, when the filled page would pass kMaxPageBytes.
void FillPlaceholder(std::string& page, std::string_view placeholder, std::string_view value);

// Amount with thousands separators and no fraction ("1,234,567.89" -> "1,234,567",
// "-5000" -> "-5,000"): every "," is removed, the text is cut at its first "." (no rounding),
// and the rest must be an optional leading "-" and at least one digit. Leading zeros are
// dropped ("007" -> "7", "-0" -> "0"). Empty for any other text (empty, blanks, "+", a lone
// "-", letters, ".5") and for results longer than 19 characters.
std::string FormatAmount(std::string_view text);

// Thousands separators with the fraction kept; every character of the integer part counts,
// a leading "-" included ("-123" -> "-,123"). The fraction is split off only at a "." that is
// not the first character; the result is trimmed.
std::string GroupDigits(std::string_view text);

// 13 characters: 6-7; any other text: 3-2-5 (first 3, characters 4 and 5, last 5), each piece
// taking only what exists in a shorter text ("12" -> "12--12"). An empty number gives
// "&nbsp;".
std::string FormatBusinessNumber(std::string_view number);

// The 3-2-5 cut whatever the length, 13 characters included.
std::string CutThreeTwoFive(std::string_view number);

// Fills the cells prefix1 .. prefixN (placeholder ":공1:" for prefix ":공") with the amount
// right-aligned, one byte per cell as text (escaped), "&nbsp;" in the empty leading cells; a
// longer amount shows its last N bytes.
void DigitCells(PageFill& page, std::string_view prefix, std::string_view amount, int cellCount);
void DigitCells(std::string& page, std::string_view prefix, std::string_view amount, int cellCount);

// The seal tags, the plain seal mark and the text seal box.
// Functions rather than globals, so that they are ready whenever they are first used.
const std::string& BuyerSealTag();     // "<IMG SRC=':인장1:' HEIGHT=32 ...>"
const std::string& SupplierSealTag();  // "<IMG SRC=':인장2:' HEIGHT=50 ...>"
const std::string& SealMark();         // "(인)"
const std::string& TextSealBox();      // "<table HEIGHT=50 WIDTH=51 ...>(인)...</table>"

// Seal data counts as empty, as text would, when it has no bytes or begins with a NUL byte.
bool SealIsEmpty(std::string_view sealData);

// With empty seal data the seal placeholder gets `emptySeal`; otherwise it gets `imageTag`,
// whose image placeholder (":인장1:" or ":인장2:") then gets the image path (page text ready
// for the tag's attribute).
void SealCell(PageFill& page, std::string_view sealPlaceholder, std::string_view sealData,
              std::string_view emptySeal, std::string_view imageTag,
              std::string_view imagePlaceholder, std::string_view imagePath);
void SealCell(std::string& page, std::string_view sealPlaceholder, std::string_view sealData,
              std::string_view emptySeal, std::string_view imageTag,
              std::string_view imagePlaceholder, std::string_view imagePath);

// Decodes Base64, skipping every character that is not a Base64 symbol ("=" and line breaks
// included); the input ends at `dataLength` or at a NUL. `length` holds the capacity on entry
// and the decoded length on return. With a null `output` only the length is computed and the
// capacity does not matter. Returns false when data or length is missing, or when the decoded
// bytes pass the capacity: then the buffer holds the bytes that fit and `length` the full
// decoded length.
bool DecodeBase64(const char* data, std::size_t dataLength, unsigned char* output,
                  std::size_t* length);
// The usual caller's form: a buffer as long as the text, cut to the decoded length on success,
// empty on failure. The result may hold NUL bytes.
std::string DecodeBase64Text(std::string_view text);

// The log folder path as page text (code page 949) followed by a file name, as in
// "%szova_supplier.gif".
std::string LogFolderPageText(const FrameState& frame, std::string_view fileName);

// The frame's copy state as an invoice renderer sees it: which template it showed last, which
// it writes, and whether the other copy is asked for, which it only reads.
struct CopyState {
    int& m_nLastCopy;
    const int& m_bShowOtherCopy;
};

// Chooses the matching or the non-matching template by comparing the joined stored own number
// with the supplier's number, or alternates when the frame shows the other copy. Returns
// nothing when the other copy is asked for before any invoice page was shown.
std::optional<int> ChooseCopy(std::string_view supplierNumber, CopyState copy,
                              const Profile& profile, int matchingTemplate,
                              int nonMatchingTemplate);

}  // namespace ledgra
