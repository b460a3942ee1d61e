// The verification module on messages that verify: the content handed out, the signers named,
// and the calls the run makes around them.

#include <string>
#include <vector>

#include "tests/verify/OpenSslVerifierTestSupport.h"
#include "text/Cp949.h"
#include "verify/Base64Strict.h"
#include "verify/CaDirectories.h"

namespace ledgra::testing {
namespace {

// A signer certificate valid since 2020, so that fixed signing times fall inside it.
TestCertificate LongLivedSigner(const std::string& name, const TestAuthority& authority,
                                KeyType keyType = KeyType::EcP256) {
    CertificateOptions options;
    options.commonName = name;
    options.notBefore = UtcTime(2020, 1, 1);
    options.keyType = keyType;
    return authority.Issue(options);
}

// The DER of a Base64 sample file.
std::string SampleDer(const std::string& path) {
    std::optional<std::string> der = DecodeBase64Strict(RemoveLineBreaks(ReadBytes(path)));
    if (!der) ADD_FAILURE() << "not Base64: " << path;
    return der.value_or("");
}

std::string ErrorOf(const ISignedDataVerifier& verifier) {
    return Utf8FromCp949(verifier.ErrorText());
}

TEST_F(VerifierTest, GoodMessageHandsOutContentSignerNameAndSigningTime) {
    const std::string content =
        "<TaxInvoice>" + Cp949FromUtf8("공급자 상호 똠방각하") + std::string("\0\xff tail", 7);
    TestCertificate signer = LongLivedSigner("홍길동(HONG)", TestAuthority::Trusted());
    std::uint16_t status = 1;
    auto verifier = Checked(
        SignedText(content, {.signers = {{signer, UtcTime(2024, 3, 5, 6, 7, 8)}}}), &status);

    ASSERT_EQ(status, 0) << ErrorOf(*verifier);
    EXPECT_EQ(verifier->ResultText(), content);
    EXPECT_EQ(verifier->VerifySignature(), 0);
    ASSERT_EQ(verifier->SignerCount(), 1);
    EXPECT_EQ(verifier->LoadSignerName(1), 0);
    EXPECT_EQ(verifier->ResultText(), "홍길동(HONG)"_cp949);
    EXPECT_EQ(verifier->LoadSigningTime(1), 0);
    EXPECT_EQ(verifier->ResultText(), "2024-03-05 06:07:08 UTC");
    EXPECT_EQ(verifier->Finish(), 0);
}

TEST_F(VerifierTest, EverySignerIsNamedInMessageOrder) {
    // The second signer is under an intermediate CA, with an RSA key and no signed attributes.
    TestCertificate first = LongLivedSigner("첫째 서명자", TestAuthority::Trusted());
    TestCertificate second =
        LongLivedSigner("Second Signer", TestAuthority::TrustedIntermediate(), KeyType::Rsa2048);
    std::uint16_t status = 1;
    auto verifier =
        Checked(SignedText("two signers", {.signers = {{first, UtcTime(2025, 12, 31, 23, 59, 59)},
                                                       {second, std::nullopt}}}),
                &status);

    ASSERT_EQ(status, 0) << ErrorOf(*verifier);
    ASSERT_EQ(verifier->SignerCount(), 2);
    std::vector<std::string> seen;
    for (int i = 1; i <= 2; ++i) {
        ASSERT_EQ(verifier->LoadSignerName(i), 0);
        seen.push_back(verifier->ResultText());
        ASSERT_EQ(verifier->LoadSigningTime(i), 0);
        seen.push_back(verifier->ResultText());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"첫째 서명자"_cp949, "2025-12-31 23:59:59 UTC",
                                              "Second Signer", ""}));
}

TEST_F(VerifierTest, SignerNameIsTheSubjectsCommonName) {
    // A line break in a name must not start a line of its own in the signer list.
    for (const auto& [commonName, shown] : std::vector<std::pair<std::string, std::string>>{
             {"(주)레드그라 대표이사", "(주)레드그라 대표이사"_cp949},
             {"Line\nBreak\x7f", "Line?Break?"},
             {"", "O=Ledgra Test,C=KR"}}) {
        CertificateOptions options;
        options.commonName = commonName;
        TestCertificate signer = TestAuthority::Trusted().Issue(options);
        auto verifier = Checked(SignedText("name", {.signers = {{signer, Now()}}}));
        ASSERT_EQ(verifier->LoadSignerName(1), 0) << ErrorOf(*verifier);
        EXPECT_EQ(verifier->ResultText(), shown);
    }
}

TEST_F(VerifierTest, SignerNumbersOutsideTheListAreRefused) {
    auto verifier = Checked(SignedText("one signer"));
    ASSERT_EQ(verifier->SignerCount(), 1);
    for (int number : {0, 2, -1}) {
        EXPECT_EQ(verifier->LoadSignerName(number), StatusOf(VerifierFailure::SignerOutOfRange));
        EXPECT_EQ(verifier->LoadSigningTime(number), StatusOf(VerifierFailure::SignerOutOfRange));
        EXPECT_EQ(verifier->ErrorText(), FailureText(VerifierFailure::SignerOutOfRange));
    }
}

TEST_F(VerifierTest, SignedTextMayBeBrokenIntoLinesOfAnyStyle) {
    const std::string der = SignedDataDer(
        "lines", {.signers = {{LongLivedSigner("Lines", TestAuthority::Trusted()), Now()}}});
    for (const auto& [width, lineBreak] : std::vector<std::pair<int, std::string>>{
             {64, "\r\n"}, {76, "\n"}, {64, "\r"}, {1, "\r\n\r\n"}}) {
        std::uint16_t status = 1;
        auto verifier = Checked(Base64Text(der, width, lineBreak) + lineBreak, &status);
        EXPECT_EQ(status, 0) << width << ": " << ErrorOf(*verifier);
        EXPECT_EQ(verifier->ResultText(), "lines");
    }
}

TEST_F(VerifierTest, SigningCertificatesOfTheUsualKindsAreAccepted) {
    struct Kind {
        const char* name;
        CertificateOptions options;
    };
    std::vector<Kind> kinds(4);
    kinds[0] = {"digital signature only", {}};
    kinds[0].options.keyUsage = SignerKeyUsage::DigitalSignature;
    kinds[1] = {"non-repudiation only", {}};
    kinds[1].options.keyUsage = SignerKeyUsage::NonRepudiation;
    kinds[2] = {"no key usage", {}};
    kinds[2].options.keyUsage = SignerKeyUsage::Absent;
    kinds[3] = {"e-mail protection", {}};
    kinds[3].options.extendedKeyUsage = "emailProtection";

    for (const Kind& kind : kinds) {
        TestCertificate signer = TestAuthority::Trusted().Issue(kind.options);
        std::uint16_t status = 1;
        auto verifier = Checked(SignedText("kind", {.signers = {{signer, Now()}}}), &status);
        EXPECT_EQ(status, 0) << kind.name << ": " << ErrorOf(*verifier);
    }
}

TEST_F(VerifierTest, CertificatesAreCheckedAtTheSignedSigningTime) {
    // Expired a month ago; archived documents signed while it was valid still verify.
    CertificateOptions options;
    options.notBefore = Now() - 400 * kDay;
    options.notAfter = Now() - 30 * kDay;
    TestCertificate expired = TestAuthority::Trusted().Issue(options);

    std::uint16_t status = 1;
    auto verifier =
        Checked(SignedText("archived", {.signers = {{expired, Now() - 100 * kDay}}}), &status);
    EXPECT_EQ(status, 0) << ErrorOf(*verifier);
    EXPECT_EQ(verifier->ResultText(), "archived");

    for (std::optional<std::time_t> signedAt :
         {std::optional<std::time_t>(), std::optional<std::time_t>(Now() - 10 * kDay)}) {
        Checked(SignedText("late", {.signers = {{expired, signedAt}}}), &status);
        EXPECT_EQ(status, StatusOf(VerifierFailure::CertificateExpired));
    }

    // A signing time in the future is not believed: the certificate must be valid now.
    options.notBefore = Now() + 10 * kDay;
    options.notAfter = Now() + 400 * kDay;
    TestCertificate future = TestAuthority::Trusted().Issue(options);
    Checked(SignedText("early", {.signers = {{future, Now() + 20 * kDay}}}), &status);
    EXPECT_EQ(status, StatusOf(VerifierFailure::CertificateNotYetValid));
}

TEST_F(VerifierTest, RfcSamplesVerifyOnceTheirRootIsTrusted) {
    // The RFC's messages, one DER and one BER with indefinite lengths and chunked content,
    // verify once their CA "CarlRSA" is in the trust folder.
    const std::string folder = LEDGRA_SHARED_SAMPLES "/real/cms/";
    const std::string ber = SampleDer(folder + "rfc4134_4.5_signeddata-ber-indefinite.b64");
    bool trusted = false;
    for (const MessageCertificate& certificate : MessageCertificates(ber)) {
        if (certificate.subject == "/CN=CarlRSA") {
            m_temp.Write("CA/carl.pem", certificate.pem);
            trusted = true;
        }
    }
    ASSERT_TRUE(trusted);

    for (const char* sample :
         {"rfc4134_4.2_signeddata-der.b64", "rfc4134_4.5_signeddata-ber-indefinite.b64"}) {
        std::uint16_t status = 1;
        auto verifier = Checked(ReadBytes(folder + sample), &status);
        ASSERT_EQ(status, 0) << sample << ": " << ErrorOf(*verifier);
        EXPECT_EQ(verifier->ResultText(), "This is some sample content.");
        ASSERT_EQ(verifier->SignerCount(), 1);
        EXPECT_EQ(verifier->LoadSignerName(1), 0);
        EXPECT_EQ(verifier->ResultText(), "AliceRSA");
    }

    // One changed content byte in the DER sample breaks its signature.
    const std::string der = SampleDer(folder + "rfc4134_4.2_signeddata-der.b64");
    std::uint16_t status = 0;
    auto verifier =
        Checked(Base64Text(FlipContentByte(der, "This is some sample content.", 5)), &status);
    EXPECT_EQ(status, StatusOf(VerifierFailure::BadSignature));
    EXPECT_EQ(verifier->ResultText(), "");
}

TEST(CaDirectoryListTest, NamesTheSevenDirectoriesInOrderOnPort389) {
    const std::string list = CaDirectoryList();
    std::optional<std::vector<CaDirectory>> directories = ParseCaDirectoryList(list);
    ASSERT_TRUE(directories) << list;
    std::vector<std::string> names;
    for (const CaDirectory& directory : *directories) {
        names.push_back(directory.name);
        EXPECT_EQ(directory.port, 389) << directory.name;
        EXPECT_EQ(list.find(directory.name + ":" + directory.host + ":389|"),
                  list.find(directory.name + ":"));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"KISA", "KICA", "SignKorea", "Yessign", "CrossCert",
                                               "TradeSign", "NCASign"}));
}

TEST_F(VerifierTest, InitializeKeepsOnlyWellFormedDirectoryLists) {
    const std::string text = SignedText("init");
    for (const char* list : {"", "KISA:ldap.kisa.or.kr:389", "KISA:ldap.kisa.or.kr|", "KISA::389|",
                             ":host:389|", "KISA:host:0|", "KISA:host:65536|", "KISA:host:38a|",
                             "KISA:ho st:389|", "KISA:host:389||", "a:b:c:389|"}) {
        std::unique_ptr<ISignedDataVerifier> verifier = OpenSslVerifierFactory(TrustFolder())();
        EXPECT_EQ(verifier->Initialize("", list, "", "", 0, 1, 0, 1, 1, 0),
                  StatusOf(VerifierFailure::BadDirectoryList))
            << list;
        EXPECT_EQ(verifier->ErrorText(), FailureText(VerifierFailure::BadDirectoryList));
        // A module that is not ready opens nothing.
        EXPECT_EQ(verifier->OpenSignedData(text, ""), StatusOf(VerifierFailure::NotInitialized));
        EXPECT_EQ(verifier->ResultText(), "");
    }

    std::unique_ptr<ISignedDataVerifier> verifier = OpenSslVerifierFactory(TrustFolder())();
    EXPECT_EQ(verifier->Initialize("", "Own:dir.example:636|", "", "", 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(verifier->OpenSignedData(text, ""), 0) << ErrorOf(*verifier);
}

}  // namespace
}  // namespace ledgra::testing
