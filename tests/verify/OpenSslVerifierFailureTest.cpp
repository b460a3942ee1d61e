// The verification module on messages that must not verify: each gives its own reason, and
// none hands out content or signers.

#include <functional>
#include <string>
#include <vector>

#include "tests/verify/OpenSslVerifierTestSupport.h"
#include "text/Cp949.h"
#include "verify/OpenSslVerifier.h"

namespace ledgra::testing {
namespace {

std::time_t SignedAt() {
    return std::time(nullptr) - 3600;
}

TestCertificate TrustedSigner(CertificateOptions options = {}) {
    return TestAuthority::Trusted().Issue(options);
}

std::string OneSignerDer(std::string_view content, std::optional<std::time_t> signedAt) {
    static const TestCertificate signer = TrustedSigner();
    return SignedDataDer(content, {.signers = {{signer, signedAt}}});
}

constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// A good signed text whose Base64 ends in padding.
std::string PaddedSignedText() {
    for (std::string content = "p";; content += "p") {
        std::string text = Base64Text(OneSignerDer(content, SignedAt()));
        if (text.ends_with('=')) return text;
    }
}

struct FailureCase {
    const char* name;
    std::function<std::string()> signedText;
    VerifierFailure expected;
};

// Opening refuses what is not one whole SignedData with its content; everything about signers,
// certificates and signatures is VerifySignature's to refuse.
bool RefusedWhenOpened(VerifierFailure failure) {
    return failure == VerifierFailure::MalformedMessage ||
           failure == VerifierFailure::NotSignedData || failure == VerifierFailure::NoContent ||
           failure == VerifierFailure::MessageTooLarge;
}

const std::vector<FailureCase>& FailureCases() {
    static const std::vector<FailureCase> cases = {
        {"ChangedContentByte",
         [] {
             return Base64Text(
                 FlipContentByte(OneSignerDer("invoice text", SignedAt()), "invoice text", 3));
         },
         VerifierFailure::BadSignature},
        {"ChangedContentByteWithoutSignedAttributes",
         [] {
             return Base64Text(
                 FlipContentByte(OneSignerDer("invoice text", std::nullopt), "invoice text"));
         },
         VerifierFailure::BadSignature},
        {"ChangedSignedAttribute",
         [] {
             std::time_t signedAt = SignedAt();
             return Base64Text(ChangeSigningTime(OneSignerDer("invoice", signedAt), signedAt));
         },
         VerifierFailure::BadSignature},
        {"SignerUnderUntrustedRoot",
         [] {
             return SignedText("x",
                               {.signers = {{TestAuthority::Untrusted().Issue(), SignedAt()}}});
         },
         VerifierFailure::UntrustedCertificate},
        {"SelfSignedSigner",
         [] {
             return SignedText("x", {.signers = {{SelfSignedCertificate(), SignedAt()}}});
         },
         VerifierFailure::UntrustedCertificate},
        {"IntermediateMissingFromMessage",
         [] {
             // Without its CA certificate the signer cannot be chained to the root.
             TestCertificate signer = TestAuthority::TrustedIntermediate().Issue();
             return SignedText("x", {.signers = {{signer, SignedAt()}}, .embedChains = false});
         },
         VerifierFailure::UntrustedCertificate},
        {"TwoSignersOneUntrusted",
         [] {
             return SignedText("x",
                               {.signers = {{TrustedSigner(), SignedAt()},
                                            {TestAuthority::Untrusted().Issue(), SignedAt()}}});
         },
         VerifierFailure::UntrustedCertificate},
        {"ExpiredSigner",
         [] {
             CertificateOptions options;
             options.notBefore = std::time(nullptr) - 400 * kDay;
             options.notAfter = std::time(nullptr) - kDay;
             return SignedText("x", {.signers = {{TrustedSigner(options), std::nullopt}}});
         },
         VerifierFailure::CertificateExpired},
        {"KeyEnciphermentCertificate",
         [] {
             CertificateOptions options;
             options.keyUsage = SignerKeyUsage::KeyEnciphermentOnly;
             return SignedText("x", {.signers = {{TrustedSigner(options), SignedAt()}}});
         },
         VerifierFailure::WrongPurpose},
        {"ServerCertificate",
         [] {
             CertificateOptions options;
             options.extendedKeyUsage = "serverAuth";
             return SignedText("x", {.signers = {{TrustedSigner(options), SignedAt()}}});
         },
         VerifierFailure::WrongPurpose},
        {"NoCertificatesInMessage",
         [] {
             return SignedText(
                 "x", {.signers = {{TrustedSigner(), SignedAt()}}, .embedCertificates = false});
         },
         VerifierFailure::NoCertificates},
        {"NoSigners", [] { return SignedText("x", {}); }, VerifierFailure::NoSigners},
        {"DetachedContent",
         [] {
             return SignedText("x", {.signers = {{TrustedSigner(), SignedAt()}}, .detached = true});
         },
         VerifierFailure::NoContent},
        {"TrailingBytes",
         [] { return Base64Text(WithTrailingBytes(OneSignerDer("x", SignedAt()))); },
         VerifierFailure::MalformedMessage},
        {"TruncatedDer",
         [] {
             std::string der = OneSignerDer("x", SignedAt());
             return Base64Text(der.substr(0, der.size() - 3));
         },
         VerifierFailure::MalformedMessage},
        {"EmptyText", [] { return std::string(); }, VerifierFailure::MalformedMessage},
        {"BlankInsideBase64",
         [] {
             std::string text = SignedText("x");
             return text.insert(8, " ");
         },
         VerifierFailure::MalformedMessage},
        {"LenientBase64Tail", [] { return SignedText("x") + "\r\n----- END -----"; },
         VerifierFailure::MalformedMessage},
        // A lenient decoder would read these two to the very message that verifies.
        {"MissingPadding",
         [] {
             std::string text = PaddedSignedText();
             return text.substr(0, text.find('='));
         },
         VerifierFailure::MalformedMessage},
        {"NonZeroPaddingBits",
         [] {
             std::string text = PaddedSignedText();
             char& last = text[text.find('=') - 1];
             last = kBase64Alphabet[kBase64Alphabet.find(last) | 1];
             return text;
         },
         VerifierFailure::MalformedMessage},
        {"RealEnvelopedData",
         [] {
             return ReadBytes(LEDGRA_SHARED_SAMPLES
                              "/real/cms/etaxbill-certifier_7-0101_envelopeddata.b64");
         },
         VerifierFailure::NotSignedData},
        {"RealTaxInvoicePackage",
         [] {
             return Base64Text(
                 ReadBytes(LEDGRA_SHARED_SAMPLES
                           "/real/cms/etaxbill-certifier_7-0101_taxinvoicepackage.der"),
                 76, "\n");
         },
         VerifierFailure::MalformedMessage},
    };
    return cases;
}

void PrintTo(const FailureCase& row, std::ostream* out) {
    *out << row.name;
}

class VerifierFailureTest : public VerifierTest,
                            public ::testing::WithParamInterface<FailureCase> {};

TEST_P(VerifierFailureTest, IsRefusedWithItsReasonAndHandsOutNothing) {
    const FailureCase& failure = GetParam();
    std::uint16_t status = 0;
    auto verifier = Opened(failure.signedText(), &status);
    if (!RefusedWhenOpened(failure.expected)) {
        ASSERT_EQ(status, 0) << Utf8FromCp949(verifier->ErrorText());
        status = verifier->VerifySignature();
    }

    EXPECT_EQ(status, StatusOf(failure.expected)) << Utf8FromCp949(verifier->ErrorText());
    EXPECT_TRUE(verifier->ErrorText().starts_with(FailureText(failure.expected)))
        << Utf8FromCp949(verifier->ErrorText());
    EXPECT_EQ(verifier->ResultText(), "");
    EXPECT_EQ(verifier->VerifySignature(), StatusOf(VerifierFailure::NotVerified));
    EXPECT_EQ(verifier->SignerCount(), 0);
    EXPECT_NE(verifier->LoadSignerName(1), 0);
}

INSTANTIATE_TEST_SUITE_P(Messages, VerifierFailureTest, ::testing::ValuesIn(FailureCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VerifierTest, NoRealWorldMessageVerifiesUnderOurRoot) {
    int samples = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(LEDGRA_SHARED_SAMPLES "/real/cms")) {
        ++samples;
        std::uint16_t status = 0;
        // Binary files go in as they are: they are not Base64 text.
        auto verifier = Checked(ReadBytes(entry.path()), &status);
        EXPECT_NE(status, 0) << entry.path();
        EXPECT_EQ(verifier->ResultText(), "") << entry.path();
        EXPECT_FALSE(verifier->ErrorText().empty()) << entry.path();
    }
    EXPECT_GE(samples, 5);
}

TEST_F(VerifierTest, OversizedSignedTextIsRefusedUnread) {
    std::string text(OpenSslVerifier::kMaxSignedTextBytes + 4, 'A');
    std::uint16_t status = 0;
    Checked(text, &status);
    EXPECT_EQ(status, StatusOf(VerifierFailure::MessageTooLarge));
}

}  // namespace
}  // namespace ledgra::testing
