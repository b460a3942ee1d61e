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

    void Run(const std::string& name, const std::string& fileText, bool verifyForm,
             DocumentRenderers renderers) {
        VerificationRun run(frame, profile, templates, ui, OpenSslVerifierFactory(TrustFolder()),
                            std::move(renderers));
        const auto path = folder.Write(name, fileText);
        ui.Clear();
        verifyForm ? run.VerifyDocument(path) : run.ShowDocument(path);
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

TEST_F(VerificationRunXmlSignatureTest, AnIntactSignatureNamesItsSignerAndTheCertificate) {
    const std::string invoice = SignedXmlInvoice({.signer = InvoiceSigner()});
    Run("invoice.xml", invoice, true, RecordingRenderers());
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, "box|Info|-|" + kSignerLine + "\n" + kTrusted + "\n",
                                 kSucceededBox, Navigated()}));
    ASSERT_EQ(signedParts.size(), 1u);
    EXPECT_NE(signedParts[0], "(whole file)");
    EXPECT_EQ(signedParts[0].find("ExchangedDocument"), std::string::npos);

    Run("invoice.xml", invoice, false, RecordingRenderers());
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, kSucceededStatus + " " + kSignerLine + " " + kTrusted,
                                 Navigated()}));
    EXPECT_EQ(frame.m_bDocumentShown, 1);
}

TEST_F(VerificationRunXmlSignatureTest, ACertificateThatCannotBeConfirmedStillShowsTheDocument) {
    std::filesystem::remove_all(TrustFolder());
    TestAuthority::Untrusted().WriteTrustFolder(TrustFolder());
    Run("invoice.xml", SignedXmlInvoice({.signer = InvoiceSigner()}), true, RecordingRenderers());
    const Lines lines = ui.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "box|Info|-|" + kSignerLine +
                            "\n인증서: 확인되지 않았습니다 - 신뢰할 수 있는 인증기관의 인증서가 "
                            "아닙니다.\n");
    EXPECT_EQ(lines[2], kSucceededBox);
}

TEST_F(VerificationRunXmlSignatureTest, AChangedSignedValueFailsTheRunAsAModuleError) {
    std::string invoice = SignedXmlInvoice({.signer = InvoiceSigner()});
    invoice.replace(invoice.find("0101</TypeCode>"), 4, "0102");
    frame.m_bDocumentShown = 1;
    for (bool verifyForm : {true, false}) {
        Run("changed.xml", invoice, verifyForm, RecordingRenderers());
        EXPECT_EQ(ui.Lines(),
                  (Lines{kStarted, "box||-|검증모듈에러:서명된 내용이 바뀌었습니다.", kFailed}));
    }
    EXPECT_TRUE(signedParts.empty());
    EXPECT_EQ(frame.m_bDocumentShown, 0);
}

TEST_F(VerificationRunXmlSignatureTest, UnsignedXmlIsShownWholeAsBefore) {
    Run("plain.xml", "<TaxInvoice><TaxInvoiceDocument/></TaxInvoice>", true, RecordingRenderers());
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, kSucceededBox, Navigated()}));
    EXPECT_EQ(signedParts, Lines{"(whole file)"});
}

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
        EXPECT_EQ(ui.Lines(), (Lines{kStarted, kSucceededBox, kNoPage}));
        EXPECT_EQ(frame.m_bDocumentShown, 0);
    }
}

}  // namespace
}  // namespace ledgra::testing
