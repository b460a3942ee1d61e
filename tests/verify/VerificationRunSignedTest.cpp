// The run with the OpenSSL module on signed fixtures: every container form reaches the
// renderer with exactly the signed content.

#include <gtest/gtest.h>

#include "tests/verify/RunEvents.h"

#include <string>
#include <vector>

#include "settings/Profile.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"
#include "verify/VerificationRun.h"

namespace ledgra {
namespace {

using testing::BareMessageFile;
using testing::MessageOptions;
using testing::RecordingUserInterface;
using testing::SemicolonBareFile;
using testing::SignedDataDer;
using testing::TempFolder;
using testing::TestAuthority;
using testing::UtcTime;
using testing::WrappedFile;
using Lines = std::vector<std::string>;
using testing::kFailed;
using testing::kRejected;
using testing::kStarted;
using testing::kSucceededBox;
using testing::kSucceededStatus;

MessageOptions SignedByKim() {
    testing::CertificateOptions certificate;
    certificate.commonName = "김가나";
    certificate.notBefore = UtcTime(2024, 1, 1);
    static const testing::TestCertificate signer = TestAuthority::Trusted().Issue(certificate);
    return {.signers = {{signer, UtcTime(2024, 3, 15, 9, 30, 0)}}};
}

std::string Signed(const std::string& content) {
    return testing::SignedText(content, SignedByKim());
}

class VerificationRunSignedTest : public ::testing::Test {
protected:
    VerificationRunSignedTest() {
        frame.m_strLogFolder = folder.Path().native() + "/";
        TestAuthority::Trusted().WriteTrustFolder(folder.Path() / "trust");
    }

    // Runs one form and returns the contents the renderers were given.
    Lines Run(const std::string& name, const std::string& fileText, bool verifyForm) {
        Lines contents;
        auto recordContent = [&contents](const RenderContext&, const RenderInput& input) {
            contents.push_back(input.content);
            return RenderedPage{"<html/>"};
        };
        VerificationRun run(
            frame, profile, templates, ui, OpenSslVerifierFactory(folder.Path() / "trust"),
            {recordContent, recordContent, recordContent, recordContent, recordContent});
        const auto path = folder.Write(name, fileText);
        ui.Clear();
        verifyForm ? run.VerifyDocument(path) : run.ShowDocument(path);
        return contents;
    }
    std::string Navigated() const {
        return "navigate|" + folder.Path().string() + "/zova_document.html";
    }

    TempFolder folder;
    FrameState frame;
    MemoryProfile profile;
    PageTemplates templates{folder.Path()};
    RecordingUserInterface ui;
    const std::string content = "<TaxInvoice>"_cp949 + "가나상사"_cp949 + "</TaxInvoice>";
};

TEST_F(VerificationRunSignedTest, EveryContainerFormGivesTheSignedContent) {
    const std::string signedText = Signed(content);
    const std::string brokenLines = testing::Base64Text(SignedDataDer(content, SignedByKim()), 64);
    struct Case {
        std::string name;
        std::string fileText;
    };
    const std::vector<Case> cases = {
        {"semicolon-2-7.tsn", SemicolonBareFile(signedText, '2', '7')},
        {"semicolon-6-9.ktx", SemicolonBareFile(signedText, '6', '9')},
        {"wrapped-7.ktx", WrappedFile(signedText, '7')},
        {"wrapped-9.cqs", WrappedFile(signedText, '9')},
        {"bare-lines.kcx", BareMessageFile(brokenLines)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Run(c.name, c.fileText, false), Lines{content});
        EXPECT_EQ(ui.Lines(), (Lines{kStarted, kSucceededStatus, Navigated()}));
        EXPECT_EQ(frame.m_bDocumentShown, 1);
    }
}

TEST_F(VerificationRunSignedTest, TheVerifyFormListsTheSignerOfABareMessage) {
    EXPECT_EQ(Run("contract.kcx", BareMessageFile(Signed(content)), true), Lines{content});
    EXPECT_EQ(ui.Lines(),
              (Lines{kStarted, "box|Info|-|서명정보:김가나, 서명시간 : 2024-03-15 09:30:00 UTC\n",
                     kSucceededBox, Navigated()}));
}

TEST_F(VerificationRunSignedTest, AttachmentsWithBadHeadersAreReportedOnce) {
    const std::string file =
        WrappedFile(Signed(content), '7', {{"명세서.txt", "QUJD", '5'}, {"b.txt", "QUJD", '9'}});
    EXPECT_EQ(Run("wrapped.ktx", file, true), Lines{content});
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, kRejected, kSucceededBox, Navigated()}));
}

TEST_F(VerificationRunSignedTest, OnlyTheShowFormUnwrapsANestedMessage) {
    const std::string inner = Signed(content);
    const std::string outer = BareMessageFile(Signed(inner));
    EXPECT_EQ(Run("nested.kcx", outer, false), Lines{content});
    EXPECT_EQ(Run("nested.kcx", outer, true), Lines{inner});
}

TEST_F(VerificationRunSignedTest, AChangedMessageFailsTheRun) {
    const std::string der =
        testing::FlipContentByte(SignedDataDer(content, SignedByKim()), content, 3);
    frame.m_bDocumentShown = 1;
    EXPECT_TRUE(Run("changed.ktx", SemicolonBareFile(testing::Base64Text(der)), false).empty());
    const Lines lines = ui.Lines();
    ASSERT_EQ(lines.size(), 3u);
    // The message opens; its signature is what fails.
    EXPECT_TRUE(lines[1].starts_with("box||-|검증모듈에러:")) << lines[1];
    EXPECT_EQ(lines[2], kFailed);
    EXPECT_EQ(frame.m_bDocumentShown, 0);
}

}  // namespace
}  // namespace ledgra
