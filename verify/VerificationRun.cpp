#include "verify/VerificationRun.h"

#include <cerrno>
#include <ctime>
#include <exception>
#include <utility>

#include "base/Captions.h"
#include "base/DocumentPatterns.h"
#include "base/FileAccess.h"
#include "render/FileNotSavedError.h"
#include "render/Renderer.h"
#include "render/XmlDocument.h"
#include "settings/StoredSettings.h"
#include "text/Cp949.h"
#include "verify/ExtensionPattern.h"
#include "verify/TrustStore.h"
#include "verify/VerificationRunAhead.h"
#include "verify/VerifySignedData.h"

namespace ledgra {

namespace {

// One pass over the file's bytes; each pass judges the document afresh, so the last one is the
// check's.
bool Unwrap(std::string_view bytes, UnwrapMode mode,
            const SignedDataVerifierFactory& verifierFactory, UserInterface& ui,
            DocumentCheck& check) {
    XmlDocumentSignature& xmlSignature = check.document.xmlSignature;
    check.report = {};
    std::string rejection;
    const bool accepted = UnwrapDocumentBytes(
        bytes, check.document.content, mode, ui,
        [&](const std::string& signedText, std::string& verifiedContent, bool listSigners) {
            return VerifySignedData(signedText, verifiedContent, listSigners, verifierFactory, ui,
                                    &check.report);
        },
        [&](std::string_view documentBytes) {
            const bool shown =
                VerifyXmlDocument(documentBytes, mode, verifierFactory, ui, xmlSignature);
            check.report = xmlSignature.report;
            return shown;
        },
        &rejection);
    if (!accepted && check.report.reason.empty()) {
        check.report.reason = rejection.empty() ? "규정된 파일이 아닙니다."_cp949 : rejection;
    }
    return accepted;
}

}  // namespace

DocumentCheck CheckDocumentFile(const std::filesystem::path& path, UnwrapMode mode,
                                const SignedDataVerifierFactory& verifierFactory,
                                UserInterface& ui) {
    DocumentCheck check;
    check.document.pattern = ExtensionPattern(path.native());
    // One read of the file and one of the trust folder serve every pass of the check.
    TrustStoreRunCache trustFolderReadOnce;
    std::string rejection;
    std::optional<std::string> bytes = ReadDocumentFile(path, ui, &rejection);
    if (!bytes) {
        check.report.reason = rejection;
        return check;
    }
    if (check.document.pattern == kKeyValueInvoicePattern) {
        // A first pass in the show form; only its messages count.
        Unwrap(*bytes, UnwrapMode::Show, verifierFactory, ui, check);
    }
    check.accepted = Unwrap(*bytes, mode, verifierFactory, ui, check);
    check.fileBytes = std::move(*bytes);
    return check;
}

VerificationRun::VerificationRun(FrameState& frame, const Profile& profile,
                                 const PageTemplates& templates, UserInterface& ui,
                                 SignedDataVerifierFactory verifierFactory,
                                 DocumentRenderers renderers)
    : m_frame(frame),
      m_profile(profile),
      m_templates(templates),
      m_ui(ui),
      m_verifierFactory(std::move(verifierFactory)),
      m_renderers(std::move(renderers)) {}

void VerificationRun::VerifyDocument(const std::filesystem::path& path) {
    Run(path, UnwrapMode::Verify);
}

void VerificationRun::ShowDocument(const std::filesystem::path& path) {
    Run(path, UnwrapMode::Show);
}

std::filesystem::path VerificationRun::HtmlFilePath() const {
    if (const std::optional<std::string> stored = StoredSettingsReader(m_profile).HtmlFile()) {
        return Utf8FromCp949(*stored);
    }
    // The log folder ends with its separator.
    return m_frame.m_strLogFolder.native() + "zova_document.html";
}

std::optional<VerifiedDocument> VerificationRun::Verify(const std::filesystem::path& path,
                                                        UnwrapMode mode) {
    m_outcome = {};
    m_outcome.document = path;
    m_outcome.checkedAt = std::time(nullptr);
    m_outcome.pattern = ExtensionPattern(path.native());
    m_ui.SetStatusText("전자문서의 서명검증을 시작합니다."_cp949);

    m_report = {};
    std::optional<DocumentCheck> check = TakeCheckedAhead(path, mode, m_ui);
    if (!check) check = CheckDocumentFile(path, mode, m_verifierFactory, m_ui);
    m_report = std::move(check->report);
    m_outcome.fileBytes = std::move(check->fileBytes);
    m_frame.m_strDocPath = path;
    m_outcome.signature = m_report;
    if (!check->accepted) {
        m_report.verdict = SignatureVerdict::Failed;
        m_outcome.signature.verdict = SignatureVerdict::Failed;
        m_frame.m_bDocumentShown = 0;
        const std::string& failed = "서명검증이 실패했습니다."_cp949;
        EndWithoutPage(failed, m_report.reason.empty() ? failed : m_report.reason);
        m_ui.ShowMessage(failed, InformationCaption(), MessageIcon::Exclamation);
        return std::nullopt;
    }
    VerifiedDocument& document = check->document;
    m_outcome.shownContent = document.ShownContent();
    if (const ParsedXml* tree = document.ShownTree()) m_outcome.shownTree = *tree;
    m_outcome.statusLine = VerdictStatusText(m_report, document.xmlSignature);
    if (!m_frame.m_bShowOtherCopy) TellVerdict(mode, document.xmlSignature);
    return std::move(document);
}

void VerificationRun::EndWithoutPage(std::string statusLine, std::string failure) {
    m_outcome.shown = false;
    m_outcome.statusLine = std::move(statusLine);
    m_outcome.failure = std::move(failure);
}

void VerificationRun::Run(const std::filesystem::path& path, UnwrapMode mode) {
    const std::optional<VerifiedDocument> verified = Verify(path, mode);
    if (!verified) return;
    const std::string& pattern = verified->pattern;
    const std::string& content = verified->content;
    const XmlDocumentSignature& xmlSignature = verified->xmlSignature;

    const std::string& errorCaption = ErrorCaption();
    try {
        const std::string page = RenderPage(pattern, content, xmlSignature);
        if (page.empty()) {
            const std::string& noPage = "HTML 생성 실패"_cp949;
            EndWithoutPage(noPage, noPage);
            m_ui.ShowMessage(noPage, errorCaption, MessageIcon::Exclamation);
            m_frame.m_bDocumentShown = 0;
            return;
        }
        const std::filesystem::path htmlFile = HtmlFilePath();
        if (!WriteOwnFile(htmlFile, page)) {
            const int cause = errno;
            throw FileNotSavedError(htmlFile, cause);
        }
        m_outcome.shown = true;
        m_ui.NavigateView(htmlFile);
        m_frame.m_bDocumentShown = 1;
    } catch (const FileNotSavedError& error) {
        // The html file on disk is an earlier document's page: nothing may print it under this
        // document's name.
        EndWithoutPage(error.Message(), error.Message());
        m_ui.ShowMessage(error.Message(), errorCaption, MessageIcon::Exclamation);
        m_frame.m_bDocumentShown = 0;
    }
}

std::string VerdictStatusText(const SignatureReport& report,
                              const XmlDocumentSignature& xmlSignature) {
    switch (report.verdict) {
        case SignatureVerdict::Verified: {
            const std::string& success = "서명검증이 성공했습니다."_cp949;
            return xmlSignature.intact ? success + " " + xmlSignature.statusLine : success;
        }
        case SignatureVerdict::Unsigned:
            return "전자서명이 없는 문서입니다."_cp949;
        case SignatureVerdict::Unconfirmed:
            return "서명 확인 불가: "_cp949 + report.reason;
        case SignatureVerdict::Failed:
            return {};
    }
    return {};
}

void VerificationRun::TellVerdict(UnwrapMode mode, const XmlDocumentSignature& xmlSignature) {
    const std::string& information = InformationCaption();
    if (mode == UnwrapMode::Show) {
        if (m_report.verdict != SignatureVerdict::Failed) {
            m_ui.SetStatusText(VerdictStatusText(m_report, xmlSignature));
        }
        return;
    }
    switch (m_report.verdict) {
        case SignatureVerdict::Verified:
            m_ui.ShowMessage("서명검증이 성공했습니다."_cp949, information,
                             MessageIcon::Exclamation);
            return;
        case SignatureVerdict::Unsigned:
            m_ui.ShowMessage("전자서명이 없는 문서입니다."_cp949, information,
                             MessageIcon::Information);
            return;
        case SignatureVerdict::Unconfirmed:
            m_ui.ShowMessage("서명은 온전하지만 서명자의 인증서를 확인하지 못했습니다."_cp949 +
                                 "\n" + m_report.reason + "\n" +
                                 TrustFolderHint(m_report.trustFolder),
                             information, MessageIcon::Exclamation);
            return;
        case SignatureVerdict::Failed:
            return;
    }
}

std::string VerificationRun::RenderPage(const std::string& pattern, const std::string& content,
                                        const XmlDocumentSignature& xmlSignature) {
    const RenderContext context{
        .logFolder = m_frame.m_strLogFolder,
        .copy = {.otherCopy = m_frame.m_bShowOtherCopy != 0, .lastCopy = m_frame.m_nLastCopy},
        .profile = m_profile,
        .templates = m_templates,
        .ui = m_ui,
    };
    const RenderInput input{
        .content = content,
        .signedXml = xmlSignature.intact ? &xmlSignature.signedDocument : nullptr,
        .contentTree = xmlSignature.unsignedTree ? &xmlSignature.unsignedTree : nullptr,
    };
    try {
        RenderedPage rendered = RendererFor(pattern, m_renderers)(context, input);
        if (rendered.copy != 0) m_frame.m_nLastCopy = rendered.copy;
        m_outcome.copy = rendered.copy;
        return std::move(rendered.page);
    } catch (const FileNotSavedError&) {
        throw;  // the run names the file
    } catch (const std::exception&) {
        // A document that lacks a required element, or one whose page would grow past every
        // bound (std::bad_alloc, the page fill's size limit), makes no page; the run reports it
        // like any other failed rendering, so no document can end the program.
        return {};
    }
}

}  // namespace ledgra
