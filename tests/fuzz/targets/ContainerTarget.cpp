// The document file as the run reads it: container recognition, the signed text cut out of
// it and verified by the OpenSSL module against the fuzz root, in both run modes.

#include <string>

#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "verify/SignedContainer.h"
#include "verify/VerifySignedData.h"

namespace ledgra::fuzz {
namespace {

// The file as the reader takes it: up to its first NUL byte.
std::string_view TextOfFile(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

// No document opens more than a few boxes: three for its bad attachments, one for a rejected
// container, one from each of at most two verifications.
constexpr std::size_t kMostBoxes = 3 + 1 + 2;

}  // namespace

void FuzzContainer(std::string_view input) {
    FuzzEnvironment& environment = FuzzEnvironment::Get();
    const std::filesystem::path path = environment.WriteDocument("document.ktx", input);
    const SignedDataVerifierFactory factory = OpenSslVerifierFactory(environment.TrustFolder());

    std::string_view text = TextOfFile(input);
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const bool plainXml = text.starts_with('<');

    for (UnwrapMode mode : {UnwrapMode::Verify, UnwrapMode::Show}) {
        CountingUserInterface ui;
        const VerifySignedDataFunction verify = [&](const std::string& signedText,
                                                    std::string& content, bool listSigners) {
            return VerifySignedData(signedText, content, listSigners, factory, ui);
        };
        std::string content;
        const bool accepted = UnwrapSignedFile(path, content, mode, ui, verify);

        // A plain XML document is taken as it is, byte-order mark and all.
        if (plainXml) {
            FUZZ_CHECK(accepted);
            FUZZ_CHECK(content == TextOfFile(input));
            FUZZ_CHECK(ui.MessageCount() == 0);
        }
        // Nothing fails in silence: a refused document always tells the user why.
        if (!accepted) FUZZ_CHECK(ui.MessageCount() > 0);
        FUZZ_CHECK(ui.MessageCount() <= kMostBoxes);
    }
}

}  // namespace ledgra::fuzz
