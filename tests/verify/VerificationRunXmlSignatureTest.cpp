// The run on plain XML documents that carry an XML signature: intact ones are shown from their
// signed nodes with the signer and the certificate's standing, broken ones fail the run. Also
// the run's last line of defence: a renderer that throws any standard exception fails the run.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/Profile.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "tests/verify/RunEvents.h"
#include "text/Cp949.h"
#include "verify/VerificationRun.h"

namespace ledgra::testing {
namespace {

using Lines = std::vector<std::string>;

const TestCertificate& InvoiceSigner() {
    static const TestCertificate signer = [] {
        CertificateOptions options;
        options.commonName = "(주)가나상사";
        options.keyType = KeyType::Rsa2048;
        return TestAuthority::Trusted().Issue(options);
    }();
    return signer;
}

const std::string kSignerLine = "서명정보:(주)가나상사, 서명시간 : ";
const std::string kTrusted = "인증서: 신뢰하는 인증기관의 인증서로 확인되었습니다.";

class VerificationRunXmlSignatureTest : public ::testing::Test {
protected:
    VerificationRunXmlSignatureTest() {
        frame.m_strLogFolder = folder.Path().native() + "/";
        TestAuthority::Trusted().WriteTrustFolder(TrustFolder());
    }

    std::filesystem::path TrustFolder() const { return folder.Path() / "trust"; }

    // Renderers that record what they were given and make a page.
    DocumentRenderers RecordingRenderers() {
        auto record = [this](const RenderContext&, const RenderInput& input) {
            signedParts.push_back(input.signedXml ? *input.signedXml : "(whole file)");
            return RenderedPage{"<html/>"};
        };
        return {record, record, record, record, record};
    }

    SignatureReport Run(const std::string& name, const std::string& fileText, bool verifyForm,
                        DocumentRenderers renderers) {
        VerificationRun run(frame, profile, templates, ui, OpenSslVerifierFactory(TrustFolder()),
                            std::move(renderers));
        // No text: no file at all.
        const auto path = fileText.empty() ? folder.Path() / name : folder.Write(name, fileText);
        ui.Clear();
        verifyForm ? run.VerifyDocument(path) : run.ShowDocument(path);
        return run.LastReport();
    }
    std::string Navigated() const {
        return "navigate|" + folder.Path().string() + "/zova_document.html";
    }
    std::string Page() const { return ReadBytes(folder.Path() / "zova_document.html"); }

    TempFolder folder;
    FrameState frame;
    MemoryProfile profile;
    PageTemplates templates;
    RecordingUserInterface ui;
    Lines signedParts;
};

TEST_F(VerificationRunXmlSignatureTest, AValuePlantedOutsideTheSignedNodesNeverReachesThePage) {
    const std::filesystem::path sample =
        LEDGRA_SHARED_SAMPLES "/real/xml/etaxbill-certifier_6-0101_signed.xml";
    if (!std::filesystem::exists(sample)) GTEST_SKIP() << "no shared samples";
    const std::string original = ReadBytes(sample);
    const std::string exchanged = "</IssueDateTime>";
    std::string planted = original;
    planted.insert(planted.find(exchanged) + exchanged.size(),
                   "<DescriptionText>PLANTED-REMARK</DescriptionText>");

    Run("planted.xml", planted, true, ProductRenderers());
    EXPECT_EQ(ui.Lines().back(), Navigated());
    EXPECT_EQ(Page().find("PLANTED-REMARK"), std::string::npos);

    // Without its signature the same document is shown whole, remark and all.
    const std::size_t begin = planted.find("<ds:Signature");
    const std::size_t end = planted.find("</ds:Signature>") + 15;
    Run("unsigned.xml", planted.erase(begin, end - begin), true, ProductRenderers());
    EXPECT_NE(Page().find("PLANTED-REMARK"), std::string::npos);
}

TEST_F(VerificationRunXmlSignatureTest, AnyStandardExceptionFromARendererFailsTheRun) {
    const std::vector<std::function<void()>> throws = {
        [] { throw std::bad_alloc(); },
        [] { throw std::length_error("page over its limit"); },
        [] { throw std::runtime_error("anything"); },
    };
    for (const auto& raise : throws) {
        auto renderer = [&raise](const RenderContext&, const RenderInput&) {
            raise();
            return RenderedPage{"<html/>"};
        };
        frame.m_bDocumentShown = 1;
        Run("plain.xml", "<doc/>", true, {renderer, renderer, renderer, renderer, renderer});
        EXPECT_EQ(ui.Lines(), (Lines{kStarted, kUnsignedBox, kNoPage}));
        EXPECT_EQ(frame.m_bDocumentShown, 0);
    }
}

// Every verdict in both forms: the exact words, and whether a page is shown. Only a signature
// that is intact and chains to a trusted root is called a success.
TEST_F(VerificationRunXmlSignatureTest, TheVerdictTable) {
    CertificateOptions lookalike;
    lookalike.commonName = "주식회사 가나상사";
    lookalike.keyType = KeyType::Rsa2048;
    const TestCertificate selfSigned = SelfSignedCertificate(lookalike);
    CertificateOptions weakOptions = lookalike;
    weakOptions.keyType = KeyType::Rsa512;
    const TestCertificate weak = TestAuthority::Trusted().Issue(weakOptions);
    const std::string invoice = SignedXmlInvoice({.signer = InvoiceSigner()});
    std::string tampered = invoice;
    tampered.replace(tampered.find("0101</TypeCode>"), 4, "0102");
    std::string nested;
    for (int level = 0; level < 300; ++level) nested += "<A>";
    for (int level = 0; level < 300; ++level) nested += "</A>";
    auto cms = [](const TestCertificate& signer, std::string digest = "SHA256") {
        return BareMessageFile(SignedText("content", {.signers = {{signer, {}, digest}}}));
    };

    const std::string trust = TrustFolder().string();
    const std::string hint = "인증기관의 인증서를 " + trust + " 에 넣으면 확인됩니다.";
    const std::string untrusted = "신뢰할 수 있는 인증기관의 인증서가 아닙니다.";
    const std::string lookalikeBox = "box|Info|-|서명정보:주식회사 가나상사, 서명시간 : \n인증서: "
                                     "확인되지 않았습니다 - " + untrusted + "\n";
    const std::string moduleError = "box||-|검증모듈에러:";
    const std::string unreadableXml = moduleError + "XML 문서를 읽을 수 없어 서명을 확인할 수 없습니다. ";
    const struct {
        std::string name;
        std::string file;  // none: the file is missing
        SignatureVerdict verdict;
        Lines verifyForm;  // after kStarted; a shown page ends with Navigated()
        Lines showForm;
    } cases[] = {
        {"unsigned.xml", "<TaxInvoice/>", SignatureVerdict::Unsigned, {kUnsignedBox},
         {kUnsignedStatus}},
        {"trusted.xml", invoice, SignatureVerdict::Verified,
         {"box|Info|-|" + kSignerLine + "\n" + kTrusted + "\n", kSucceededBox},
         {kSucceededStatus + " " + kSignerLine + " " + kTrusted}},
        {"lookalike.xml", SignedXmlInvoice({.signer = selfSigned}), SignatureVerdict::Unconfirmed,
         {lookalikeBox, "box|정보|!|서명은 온전하지만 서명자의 인증서를 확인하지 못했습니다.\n" +
                            untrusted + "\n" + hint},
         {"status|서명 확인 불가: " + untrusted}},
        {"tampered.xml", tampered, SignatureVerdict::Failed,
         {moduleError + "서명된 내용이 바뀌었습니다.", kFailed}, {}},
        {"weak.xml", SignedXmlInvoice({.signer = weak}), SignatureVerdict::Failed,
         {moduleError + "1024비트보다 짧은 RSA 키의 서명은 안전하지 않아 받아들이지 않습니다.",
          kFailed},
         {}},
        {"trailing.xml", invoice + "<evil/>", SignatureVerdict::Failed,
         {unreadableXml + "(Extra content at the end of the document (line 49))", kFailed}, {}},
        {"nested.xml", SignedXmlInvoice({.signer = InvoiceSigner(), .signedElements = {nested}}),
         SignatureVerdict::Failed, {unreadableXml + "(too many nodes or too deep)", kFailed}, {}},
        {"missing.xml", "", SignatureVerdict::Failed,
         {"box|에러 메시지|!|파일을 읽을 수 없습니다: 파일이 없습니다.", kFailed}, {}},
        {"trusted.kcx", cms(InvoiceSigner()), SignatureVerdict::Verified,
         {"box|Info|-|서명정보:(주)가나상사, 서명시간 : \n", kSucceededBox}, {kSucceededStatus}},
        {"lookalike.kcx", cms(selfSigned), SignatureVerdict::Failed,
         {moduleError + untrusted + "\n" + hint, kFailed}, {}},
        {"weak.kcx", cms(InvoiceSigner(), "MD5"), SignatureVerdict::Failed,
         {moduleError + "MD5를 쓴 서명은 안전하지 않아 받아들이지 않습니다.", kFailed}, {}},
    };
    for (const auto& c : cases) {
        for (bool verifyForm : {true, false}) {
            SCOPED_TRACE(c.name + (verifyForm ? " verified" : " shown"));
            const SignatureReport report = Run(c.name, c.file, verifyForm, RecordingRenderers());
            EXPECT_EQ(report.verdict, c.verdict);
            // An intact signature's signer is described, with the chain as far as it reaches.
            if (c.verdict == SignatureVerdict::Verified ||
                c.verdict == SignatureVerdict::Unconfirmed) {
                ASSERT_EQ(report.signers.size(), 1u);
                const SignerFacts& signer = report.signers.front();
                EXPECT_FALSE(signer.serial.empty() || signer.issuer.empty() ||
                             signer.validUntil.empty() || signer.digestAlgorithm.empty());
                EXPECT_EQ(signer.chain.size(), c.verdict == SignatureVerdict::Verified ? 2u : 1u);
                EXPECT_EQ(signer.untrustedReason.empty(), c.verdict == SignatureVerdict::Verified);
            }
            const bool shown = c.verdict != SignatureVerdict::Failed;
            Lines expected{kStarted};
            const Lines& told = verifyForm || !shown ? c.verifyForm : c.showForm;
            // The show form lists no signers and names no signer box.
            for (const std::string& line : told) {
                if (!verifyForm && line.starts_with("box|Info|")) continue;
                expected.push_back(line);
            }
            if (shown) expected.push_back(Navigated());
            EXPECT_EQ(ui.Lines(), expected);
            // The renderer gets the signed part of a signed XML document, never its header.
            if (shown && c.name.ends_with(".xml")) {
                EXPECT_EQ(signedParts.back() == "(whole file)",
                          c.verdict == SignatureVerdict::Unsigned);
                EXPECT_EQ(signedParts.back().find("ExchangedDocument"), std::string::npos);
            }
            EXPECT_EQ(frame.m_bDocumentShown, shown ? 1 : 0);
        }
    }
}

}  // namespace
}  // namespace ledgra::testing
