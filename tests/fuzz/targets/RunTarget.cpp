// The whole run on a fuzzed document file: container, verification by the OpenSSL module
// against the fuzz root, the renderer its extension picks, and the page, in both forms. What
// must hold: success is said exactly when the verdict is Verified, a page is shown only when
// the verdict lets it be, nothing is written into the log folder but plain files, and libxml2
// says nothing on the terminal.

#include <array>
#include <string>

#include "verify/FrameState.h"
#include "render/PageTemplates.h"
#include "settings/Profile.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/support/RecordingUserInterface.h"
#include "text/Cp949.h"
#include "verify/VerificationRun.h"

namespace ledgra::fuzz {
namespace {

// The input's first byte picks the extension, so that plain XML ("<") goes to the
// standard-schema renderer and the signed forms ("M", ";") to others.
constexpr std::array<const char*, 5> kNames = {"document.XML", "document.TSN", "document.KCX",
                                               "document.CQS", "document.KTX"};

// A container's rejections, a signer box, the verdict and a page error at the most.
constexpr int kMostBoxes = 3 + 1 + 1 + 2 + 1 + 1;

}  // namespace

void FuzzRun(std::string_view input) {
    if (input.empty()) return;
    FuzzEnvironment& environment = FuzzEnvironment::Get();
    const char* name = kNames[static_cast<unsigned char>(input.front()) % kNames.size()];
    const std::filesystem::path path = environment.WriteDocument(name, input);
    std::filesystem::remove_all(environment.LogFolder());
    std::filesystem::create_directories(environment.LogFolder());

    MemoryProfile profile;
    const PageTemplates templates;
    for (bool verifyForm : {true, false}) {
        FrameState frame;
        frame.m_strLogFolder = environment.LogFolder();
        testing::RecordingUserInterface ui;
        VerificationRun run(frame, profile, templates, ui,
                            OpenSslVerifierFactory(environment.TrustFolder()));
        {
            LibxmlStaysQuiet quiet;
            verifyForm ? run.VerifyDocument(path) : run.ShowDocument(path);
        }

        int boxes = 0;
        int navigations = 0;
        bool successSaid = false;
        for (const testing::RecordingUserInterface::Event& event : ui.Events()) {
            using Kind = testing::RecordingUserInterface::Event::Kind;
            boxes += event.kind == Kind::Message;
            navigations += event.kind == Kind::Navigate;
            successSaid = successSaid || event.text.starts_with("서명검증이 성공했습니다."_cp949);
        }
        const SignatureVerdict verdict = run.LastReport().verdict;
        FUZZ_CHECK(successSaid == (verdict == SignatureVerdict::Verified));
        FUZZ_CHECK(navigations == frame.m_bDocumentShown);
        FUZZ_CHECK(navigations == 0 || verdict != SignatureVerdict::Failed);
        FUZZ_CHECK(boxes <= kMostBoxes);
        for (const auto& entry : std::filesystem::directory_iterator(environment.LogFolder())) {
            FUZZ_CHECK(!entry.is_symlink() && entry.is_regular_file());
        }
    }
}

}  // namespace ledgra::fuzz
