// A signed message as the verification module receives it: the input is taken as the DER of a
// CMS message (mutations then reach its structure rather than its Base64 letters), encoded
// the way real containers carry it, and verified against the fuzz root with the signer list.
// The strict Base64 decoder gets the raw input too.

#include <optional>
#include <string>

#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/support/SignedFixtures.h"
#include "verify/Base64Strict.h"
#include "verify/VerifySignedData.h"

namespace ledgra::fuzz {
namespace {

// Strict Base64 has one encoding per byte string: whatever it accepts re-encodes to itself,
// and every non-empty byte string's encoding is accepted.
void CheckStrictBase64(std::string_view input) {
    if (const std::optional<std::string> decoded = DecodeBase64Strict(input)) {
        FUZZ_CHECK(testing::Base64Text(*decoded) == input);
    }
    if (!input.empty()) {
        const std::optional<std::string> again = DecodeBase64Strict(testing::Base64Text(input));
        FUZZ_CHECK(again && *again == input);
    }
    const std::string wrapped = testing::Base64Text(input, 64, "\r\n");
    FUZZ_CHECK(RemoveLineBreaks(wrapped) == testing::Base64Text(input));
}

}  // namespace

void FuzzSignedMessage(std::string_view input) {
    CheckStrictBase64(input);

    const SignedDataVerifierFactory factory =
        OpenSslVerifierFactory(FuzzEnvironment::Get().TrustFolder());
    // Containers carry the Base64 text in lines; the module takes it with its line breaks.
    const std::string signedText = testing::Base64Text(input, 64, "\r\n");
    CountingUserInterface ui;
    std::string content = "unchanged";
    const bool verified = VerifySignedData(signedText, content, true, factory, ui);

    // One box either way: the signer list on success, the module's reason on failure; a failed
    // message hands out no content.
    FUZZ_CHECK(ui.MessageCount() == 1);
    if (verified) {
        FUZZ_CHECK(ui.LastCaption() == "Info");
    } else {
        FUZZ_CHECK(content == "unchanged");
        FUZZ_CHECK(ui.LastCaption().empty());
    }
}

}  // namespace ledgra::fuzz
