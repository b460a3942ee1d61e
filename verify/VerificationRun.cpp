#include "verify/VerificationRun.h"

#include <cerrno>
#include <exception>
#include <utility>

#include "render/FileAccess.h"
#include "render/FileNotSavedError.h"
#include "render/Renderer.h"
#include "render/XmlDocument.h"
#include "settings/StoredSettings.h"
#include "text/Cp949.h"
#include "verify/ExtensionPattern.h"
#include "verify/TrustStore.h"
#include "verify/VerifySignedData.h"

namespace ledgra {

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

void VerificationRun::Run(const std::filesystem::path& path, UnwrapMode mode) {
    const std::string pattern = ExtensionPattern(path.native());
    m_ui.SetStatusText("전자문서의 서명검증을 시작합니다."_cp949);

    // One read of the trust folder serves every signed message of the run.
    TrustStoreRunCache trustFolderReadOnce;
    std::string content;
    XmlDocumentSignature xmlSignature;
    if (pattern == "*.TSN") {
        // A first pass in the show form; only its messages count.
        Unwrap(path, content, UnwrapMode::Show, xmlSignature);
    }
    const bool verified = Unwrap(path, content, mode, xmlSignature);
    m_frame.m_strDocPath = path;
    const std::string& information = "정보"_cp949;
    if (!verified) {
        m_frame.m_bDocumentShown = 0;
        m_ui.ShowMessage("서명검증이 실패했습니다."_cp949, information, MessageIcon::Exclamation);
        return;
    }

    if (!m_frame.m_bShowOtherCopy) {
        const std::string& success = "서명검증이 성공했습니다."_cp949;
        if (mode == UnwrapMode::Verify) {
            m_ui.ShowMessage(success, information, MessageIcon::Exclamation);
        } else if (xmlSignature.intact) {
            m_ui.SetStatusText(success + " " + xmlSignature.statusLine);
        } else {
            m_ui.SetStatusText(success);
        }
    }

    const std::string& errorCaption = "에러 메시지"_cp949;
    try {
        const std::string page = RenderPage(pattern, path, content, xmlSignature);
        if (page.empty()) {
            m_ui.ShowMessage("HTML 생성 실패"_cp949, errorCaption, MessageIcon::Exclamation);
            m_frame.m_bDocumentShown = 0;
            return;
        }
        const std::filesystem::path htmlFile = HtmlFilePath();
        if (!WriteOwnFile(htmlFile, page)) {
            const int cause = errno;
            throw FileNotSavedError(htmlFile, cause);
        }
        m_ui.NavigateView(htmlFile);
        m_frame.m_bDocumentShown = 1;
    } catch (const FileNotSavedError& error) {
        // The view keeps the previous page, which no longer belongs to the document the frame
        // names: nothing may print it.
        m_ui.ShowMessage(error.Message(), errorCaption, MessageIcon::Exclamation);
        m_frame.m_bDocumentShown = 0;
    }
}

bool VerificationRun::Unwrap(const std::filesystem::path& path, std::string& content,
                             UnwrapMode mode, XmlDocumentSignature& xmlSignature) {
    return UnwrapSignedFile(
        path, content, mode, m_ui,
        [this](const std::string& signedText, std::string& verifiedContent, bool listSigners) {
            return VerifySignedData(signedText, verifiedContent, listSigners, m_verifierFactory,
                                    m_ui);
        },
        [this, mode, &xmlSignature](std::string_view documentBytes) {
            return VerifyXmlDocument(documentBytes, mode, m_verifierFactory, m_ui, xmlSignature);
        });
}

std::string VerificationRun::RenderPage(const std::string& pattern,
                                        const std::filesystem::path& path,
                                        const std::string& content,
                                        const XmlDocumentSignature& xmlSignature) {
    RenderContext context{m_frame, m_profile, m_templates, m_ui};
    const RenderInput input{path, content,
                            xmlSignature.intact ? &xmlSignature.signedDocument : nullptr};
    try {
        return RendererFor(pattern, m_renderers)(context, input);
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
