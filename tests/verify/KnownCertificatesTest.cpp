// Certificates decoded for earlier messages change nothing: a message decodes to what OpenSSL
// makes of it as it is, or is left to OpenSSL.

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/SharedSamples.h"
#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "verify/Base64Strict.h"
#include "verify/KnownCertificates.h"

namespace ledgra::testing {
namespace {

// The encoding `encode` writes of `object`.
template <typename T>
std::string Der(int (*encode)(const T*, unsigned char**), const T* object) {
    unsigned char* bytes = nullptr;
    const int length = encode(object, &bytes);
    if (length <= 0) return {};
    std::string der(reinterpret_cast<char*>(bytes), std::size_t(length));
    OPENSSL_free(bytes);
    return der;
}

// The message re-encoded (its whole structure, where a SET OF is sorted), then its
// certificates in their order.
std::string Described(CMS_ContentInfo* cms) {
    std::string described = Der(i2d_CMS_ContentInfo, cms);
    const X509StackHandle certificates(CMS_get1_certs(cms));
    for (int i = 0; i < sk_X509_num(certificates.get()); ++i) {
        described += "|" + Der(i2d_X509, sk_X509_value(certificates.get(), i));
    }
    return described;
}

// `der` with a second certificates field holding `certificate` after its own, which OpenSSL
// refuses: its ContentInfo, [0] and SignedData lengths (two bytes each) grow to match.
std::string WithSecondCertificates(std::string der, const std::string& first,
                                   const std::string& certificate) {
    const std::size_t firstAt = der.find(first);
    const auto byte = [&der](std::size_t at) { return std::size_t(std::uint8_t(der[at])); };
    const std::string extra =
        std::string{'\xA0', '\x82', char(certificate.size() >> 8), char(certificate.size())} +
        certificate;
    der.insert(firstAt + (byte(firstAt - 2) << 8 | byte(firstAt - 1)), extra);
    for (const std::size_t lengthAt : {2, 17, 21}) {
        const std::size_t length = (byte(lengthAt) << 8 | byte(lengthAt + 1)) + extra.size();
        der[lengthAt] = char(length >> 8);
        der[lengthAt + 1] = char(length);
    }
    return der;
}

TEST(KnownCertificates, AMessageDecodesAsItDoesWithoutThem) {
    const std::time_t now = std::time(nullptr);
    const TestCertificate first = TestAuthority::Trusted().Issue();
    const TestCertificate second = TestAuthority::TrustedIntermediate().Issue();
    const TestCertificate third = TestAuthority::Untrusted().Issue();
    const std::string twoSigners =
        SignedDataDer("two", {.signers = {{first, now}, {second, std::nullopt}}});
    struct Case {
        std::string name;
        std::string der;
        bool known;  // decoded with known certificates, else left to OpenSSL
    };
    std::vector<Case> cases = {
        {"two signers with a chain", twoSigners, true},
        {"the same certificates again", SignedDataDer("again", {.signers = {{second, now}}}),
         true},
        {"no chain", SignedDataDer("x", {.signers = {{second, now}}, .embedChains = false}),
         true},
        {"detached", SignedDataDer("x", {.signers = {{first, now}}, .detached = true}), true},
        {"no certificates",
         SignedDataDer("x", {.signers = {{first, now}}, .embedCertificates = false}), false},
        {"no signers", SignedDataDer("x", {}), false},
        {"trailing bytes", WithTrailingBytes(twoSigners), false},
        {"cut short", twoSigners.substr(0, twoSigners.size() - 1), false},
        {"certificates twice", WithSecondCertificates(twoSigners, first.Der(), third.Der()),
         false},
    };
    if (MissingFolderMessage(LEDGRA_SHARED_SAMPLES).empty()) {
        const std::string folder = LEDGRA_SHARED_SAMPLES "/real/cms/";
        for (const auto& [sample, known] :
             {std::pair{"rfc4134_4.2_signeddata-der.b64", true},
              std::pair{"rfc4134_4.5_signeddata-ber-indefinite.b64", false},
              std::pair{"pypinksign_kpki-test-signeddata.b64", true}}) {
            cases.push_back(
                {sample, DecodeBase64Strict(RemoveLineBreaks(ReadBytes(folder + sample))).value(),
                 known});
        }
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CmsHandle known = DecodeWithKnownCertificates(c.der);
        EXPECT_EQ(known != nullptr, c.known);
        if (!known) continue;
        const auto* start = reinterpret_cast<const unsigned char*>(c.der.data());
        const CmsHandle plain(d2i_CMS_ContentInfo(nullptr, &start, long(c.der.size())));
        ASSERT_NE(plain, nullptr);
        EXPECT_EQ(Described(known.get()), Described(plain.get()));
    }
}

}  // namespace
}  // namespace ledgra::testing
