#include <sys/resource.h>

#include <gtest/gtest.h>

#include "tests/verify/RunEvents.h"

#include <csignal>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "render/ContractAttachments.h"
#include "render/SealImages.h"
#include "render/XmlDocument.h"
#include "settings/Profile.h"
#include "settings/StoredSettings.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/TempFolder.h"
#include "tests/verify/FakeSignedDataVerifier.h"
#include "text/Cp949.h"
#include "verify/ExtensionPattern.h"
#include "verify/VerificationRun.h"
#include "verify/VerificationRunAhead.h"

namespace ledgra {
namespace {

using testing::FakeModuleFactory;
using testing::FakeModuleLog;
using testing::FakeModuleScript;
using testing::ReadBytes;
using testing::RecordingUserInterface;
using testing::TempFolder;
using Lines = std::vector<std::string>;
using testing::kFailed;
using testing::kNoPage;
using testing::kRejected;
using testing::kStarted;
using testing::kSucceededBox;
using testing::kSucceededStatus;
using testing::kUnsignedBox;
using testing::kUnsignedStatus;

// One successful use of the module on the signed text "SIGNED" with one signer.
const Lines kModuleUse = {"create",
                          "Initialize",
                          "OpenSignedData(SIGNED,)",
                          "VerifySignature",
                          "LoadSignerName(1)",
                          "LoadSigningTime(1)",
                          "Finish",
                          "release"};

TEST(ExtensionPattern, TakesUpToThreeCharactersAfterTheLastDotUpperCased) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/docs/a.ktx", "*.KTX"},      {"/docs/a.XML", "*.XML"}, {"a.tsn.bak", "*.BAK"},
        {"a.xmlx", "*.XML"},           {"a.xm", "*.XM"},         {"a.", "*."},
        {"/docs.kcx/readme", "*.KCX"},  // the last "." of the whole path counts
        {"abcdef", "*.ABC"},           {"ab", "*.AB"},
    };
    for (const auto& [path, pattern] : cases) EXPECT_EQ(ExtensionPattern(path), pattern) << path;
}

class VerificationRunTest : public ::testing::Test {
protected:
    VerificationRunTest() { frame.m_strLogFolder = folder.Path().native() + "/Logs/"; }
    void SetUp() override { std::filesystem::create_directories(frame.m_strLogFolder); }

    // Renderers that record their use and make `page` (or throw, with `rendererThrows`).
    DocumentRenderers RecordingRenderers() {
        auto renderer = [this](std::string name) {
            return [this, name](const RenderContext& context, const RenderInput& input) {
                EXPECT_EQ(&context.logFolder, &frame.m_strLogFolder);
                rendered.push_back(name + ":" + input.content);
                if (rendererThrows) throw XmlAccessError("IssueID is missing");
                if (rendererWrites) rendererWrites();
                return RenderedPage{page};
            };
        };
        return {renderer("standard"), renderer("legacy"), renderer("contract"), renderer("content"),
                renderer("key-value")};
    }

    void Verify(const std::filesystem::path& path) { MakeRun().VerifyDocument(path); }
    void Show(const std::filesystem::path& path) { MakeRun().ShowDocument(path); }
    VerificationRun MakeRun() {
        return VerificationRun(frame, profile, templates, ui, FakeModuleFactory(script, log),
                               RecordingRenderers());
    }
    std::filesystem::path DefaultHtmlFile() const {
        return frame.m_strLogFolder.native() + "zova_document.html";
    }
    std::string Navigated() const { return "navigate|" + DefaultHtmlFile().string(); }

    TempFolder folder;
    FrameState frame;
    MemoryProfile profile;
    PageTemplates templates{folder.Path() / "templates"};
    RecordingUserInterface ui;
    FakeModuleScript script;
    FakeModuleLog log;
    Lines rendered;
    std::string page = "<html>\xB0\xA1\r\n</html>";
    bool rendererThrows = false;
    std::function<void()> rendererWrites;
};

// Runs `step` while no file of this process may grow past `bytes`, as on a nearly full disk;
// a write past it fails instead of ending the process.
void WithFileSizeLimit(rlim_t bytes, const std::function<void()>& step) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    step();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
}
TEST_F(VerificationRunTest, ThePatternChoosesTheRenderer) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a.XML", "standard"},        {"a.xml", "standard"},  {"b.KTX", "legacy"},
        {"b.ktx", "legacy"},          {"c.KCX", "contract"},  {"d.Cqs", "content"},
        {"e.TSN", "key-value"},       {"f.txt", "key-value"}, {"noextension", "key-value"},
        {"g.kcx/inside", "contract"},
    };
    for (const auto& [name, renderer] : cases) {
        rendered.clear();
        Show(folder.Write(name, "<doc/>"));
        EXPECT_EQ(rendered, Lines{renderer + ":<doc/>"}) << name;
    }
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(VerificationRunTest, PlainXmlIsShownWithoutTheModule) {
    const auto path = folder.Write("invoice.XML", "\xEF\xBB\xBF<TaxInvoice/>");
    Verify(path);
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, kUnsignedBox, Navigated()}));
    EXPECT_TRUE(log.calls.empty());
    EXPECT_EQ(frame.m_bDocumentShown, 1);
    EXPECT_EQ(frame.m_strDocPath, path);
    EXPECT_EQ(ReadBytes(DefaultHtmlFile()), page);

    ui.Clear();
    Show(path);
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, kUnsignedStatus, Navigated()}));
}

TEST_F(VerificationRunTest, ARejectedTsnFileIsReportedByBothPasses) {
    frame.m_bDocumentShown = 1;
    const auto path = folder.Write("invoice.tsn", "not a document");
    Verify(path);
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, kRejected, kRejected, kFailed}));
    EXPECT_EQ(frame.m_bDocumentShown, 0);
    EXPECT_EQ(frame.m_strDocPath, path);
    EXPECT_TRUE(rendered.empty());
    EXPECT_FALSE(std::filesystem::exists(DefaultHtmlFile()));
}

TEST_F(VerificationRunTest, AGoodTsnFileIsVerifiedTwice) {
    const auto path = folder.Write("invoice.TSN", ";07020;SIGNED");
    Verify(path);
    Lines twice = kModuleUse;
    twice.insert(twice.end(), kModuleUse.begin(), kModuleUse.end());
    EXPECT_EQ(log.calls, twice);
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, kSucceededBox, Navigated()}));
    EXPECT_EQ(rendered, Lines{"key-value:content of SIGNED"});
    EXPECT_EQ(frame.m_bDocumentShown, 1);
}

TEST_F(VerificationRunTest, OtherPatternsAreVerifiedOnce) {
    Show(folder.Write("invoice.ktx", ";09060000SIGNED"));
    EXPECT_EQ(log.calls, kModuleUse);
    EXPECT_EQ(rendered, Lines{"legacy:content of SIGNED"});
}

TEST_F(VerificationRunTest, TheVerifyFormListsTheSignersOfABareSignedMessage) {
    script.signers = {{"홍길동"_cp949, "2024-03-15 01:02:03 UTC"},
                      {"(주)가나상사"_cp949, "2024-03-16 04:05:06 UTC"}};
    const auto path = folder.Write("contract.kcx", "MIIB");
    Verify(path);
    EXPECT_EQ(ui.Lines(), (Lines{kStarted,
                                 "box|Info|-|서명정보:홍길동, 서명시간 : 2024-03-15 01:02:03 UTC\n"
                                 "서명정보:(주)가나상사, 서명시간 : 2024-03-16 04:05:06 UTC\n",
                                 kSucceededBox, Navigated()}));

    ui.Clear();
    Show(path);
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, kSucceededStatus, Navigated()}));

    ui.Clear();
    script.signers.clear();
    Verify(path);
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, "box|Info|-|", kSucceededBox, Navigated()}));
}

TEST_F(VerificationRunTest, TheShowFormUnwrapsANestedSignedMessage) {
    script.contents = {{"MOUTER", "MINNER"}};
    const auto path = folder.Write("contract.kcx", "MOUTER");
    Show(path);
    EXPECT_EQ(rendered, Lines{"contract:content of MINNER"});
    rendered.clear();
    Verify(path);
    EXPECT_EQ(rendered, Lines{"contract:MINNER"});
}

// Another program (a synced folder) swaps the document file while its signature is checked:
// the page shows what was verified, never what the file holds afterwards.
TEST_F(VerificationRunTest, AFileSwappedDuringItsCheckShowsTheVerifiedContent) {
    const std::string verified =
        ReadBytes(std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples/sources/standard-invoice.xml");
    std::string forged = verified;
    const std::string company = "주식회사 가나상사";
    ASSERT_NE(forged.find(company), std::string::npos);
    forged.replace(forged.find(company), company.size(), "위조상사");
    script.contents = {{"MSIGNED", verified}};
    const auto path = folder.Write("invoice.XML", "MSIGNED");
    const SignedDataVerifierFactory module = FakeModuleFactory(script, log);
    const SignedDataVerifierFactory swapping = [&] {
        folder.Write("invoice.XML", forged);
        return module();
    };
    const PageTemplates builtIn;
    VerificationRun(frame, profile, builtIn, ui, swapping).ShowDocument(path);

    EXPECT_EQ(ui.Lines(), (Lines{kStarted, kSucceededStatus, Navigated()}));
    const std::string page = Utf8FromCp949(ReadBytes(DefaultHtmlFile()));
    EXPECT_NE(page.find(company), std::string::npos);
    EXPECT_EQ(page.find("위조상사"), std::string::npos);
}

TEST_F(VerificationRunTest, TheCopyButtonsRunAnnouncesNoSuccess) {
    frame.m_bShowOtherCopy = 1;
    const auto path = folder.Write("invoice.XML", "<TaxInvoice/>");
    Show(path);
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, Navigated()}));
    ui.Clear();
    Verify(path);
    EXPECT_EQ(ui.Lines(), (Lines{kStarted, Navigated()}));
}

TEST_F(VerificationRunTest, ARendererFailureComesAfterTheVerdict) {
    const auto path = folder.Write("invoice.XML", "<TaxInvoice/>");
    Verify(path);
    ASSERT_EQ(frame.m_bDocumentShown, 1);
    const std::string previousPage = page;

    for (bool throws : {false, true}) {
        SCOPED_TRACE(throws ? "XML access error" : "empty page");
        page = "";
        rendererThrows = throws;
        frame.m_bDocumentShown = 1;
        ui.Clear();
        Verify(path);
        EXPECT_EQ(ui.Lines(), (Lines{kStarted, kUnsignedBox, kNoPage}));
        EXPECT_EQ(frame.m_bDocumentShown, 0);
        // The previous page stays on disk.
        EXPECT_EQ(ReadBytes(DefaultHtmlFile()), previousPage);
    }
}

TEST_F(VerificationRunTest, ModuleErrorsFailTheRun) {
    struct Case {
        std::string failing;
        std::string throwing;
        std::string message;
        Lines calls;
    };
    const std::vector<Case> cases = {
        {"Initialize", "", "검증모듈에러:Initialize failed", {"create", "Initialize", "release"}},
        {"OpenSignedData",
         "",
         "검증모듈에러2:OpenSignedData failed",
         {"create", "Initialize", "OpenSignedData(SIGNED,)", "release"}},
        {"VerifySignature",
         "",
         "검증모듈에러:VerifySignature failed",
         {"create", "Initialize", "OpenSignedData(SIGNED,)", "VerifySignature", "release"}},
        {"LoadSignerName",
         "",
         "검증모듈에러:LoadSignerName failed",
         {"create", "Initialize", "OpenSignedData(SIGNED,)", "VerifySignature", "LoadSignerName(1)",
          "release"}},
        {"LoadSigningTime",
         "",
         "검증모듈에러:LoadSigningTime failed",
         {"create", "Initialize", "OpenSignedData(SIGNED,)", "VerifySignature", "LoadSignerName(1)",
          "LoadSigningTime(1)", "release"}},
        {"", "create", "검증모듈에러:no module", {}},
        {"",
         "OpenSignedData",
         "검증모듈에러:OpenSignedData broke",
         {"create", "Initialize", "OpenSignedData(SIGNED,)", "release"}},
        {"",
         "Finish",
         "검증모듈에러:Finish broke",
         {"create", "Initialize", "OpenSignedData(SIGNED,)", "VerifySignature", "LoadSignerName(1)",
          "LoadSigningTime(1)", "Finish", "release"}},
    };
    const auto path = folder.Write("invoice.ktx", ";07020;SIGNED");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        script.failingOperation = c.failing;
        script.throwingOperation = c.throwing;
        log.calls.clear();
        ui.Clear();
        frame.m_bDocumentShown = 1;
        Verify(path);
        EXPECT_EQ(ui.Lines(), (Lines{kStarted, "box||-|" + c.message, kFailed}));
        EXPECT_EQ(log.calls, c.calls);
        EXPECT_EQ(frame.m_bDocumentShown, 0);
        EXPECT_TRUE(rendered.empty());
    }
}

TEST_F(VerificationRunTest, ChecksMadeAheadTellAndShowWhatTheRunsOwnChecksWould) {
    // Plain, rejected, signed and missing files, one named twice, and one the first run writes
    // its page over before its turn.
    const std::vector<std::pair<std::string, std::string>> files = {
        {"a.XML", "<TaxInvoice/>"},   {"b.tsn", "not a document"}, {"c.TSN", ";07020;SIGNED"},
        {"d.ktx", ";09060000SIGNED"}, {"later.XML", "<Other/>"},   {"c.TSN", ";07020;SIGNED"}};
    std::vector<std::filesystem::path> documents;
    for (const auto& [name, bytes] : files) documents.push_back(folder.Path() / name);
    documents.insert(documents.begin() + 2, folder.Path() / "missing.XML");
    profile.WriteProfileString(kSettingsSection, kHtmlFileKey,
                               Cp949FromUtf8(documents[5].native()));
    FakeModuleLog aheadLog;
    auto runAll = [&](bool ahead) {
        for (const auto& [name, bytes] : files) folder.Write(name, bytes);
        ui.Clear();
        rendered.clear();
        std::optional<VerificationRunAhead> checks;
        if (ahead) checks.emplace(documents, UnwrapMode::Show, FakeModuleFactory(script, aheadLog), 1);
        VerificationRun run = MakeRun();
        for (const std::filesystem::path& path : documents) run.ShowDocument(path);
        return std::pair(ui.Lines(), rendered);
    };
    const auto serial = runAll(false);
    // The runs check what no thread has begun yet themselves: until a checking thread has
    // checked a signed document, once more.
    for (int attempt = 0; attempt < 50 && aheadLog.calls.empty(); ++attempt) {
        EXPECT_EQ(runAll(true), serial);
    }
    EXPECT_FALSE(aheadLog.calls.empty());
}

TEST_F(VerificationRunTest, TheStoredHtmlFileIsUsedWhenSet) {
    VerificationRun run = MakeRun();
    EXPECT_EQ(run.HtmlFilePath(), DefaultHtmlFile());

    const auto stored = folder.Path() / "페이지" / "보기.html";
    std::filesystem::create_directories(stored.parent_path());
    profile.WriteProfileString(kSettingsSection, kHtmlFileKey, Cp949FromUtf8(stored.native()));
    EXPECT_EQ(run.HtmlFilePath(), stored);
    run.ShowDocument(folder.Write("invoice.XML", "<TaxInvoice/>"));
    EXPECT_EQ(ReadBytes(stored), page);
    EXPECT_EQ(ui.Lines().back(), "navigate|" + stored.string());
    EXPECT_FALSE(std::filesystem::exists(DefaultHtmlFile()));
}

TEST_F(VerificationRunTest, AnHtmlFileThatCannotBeWrittenIsReportedAndNotShown) {
    const auto path = folder.Write("invoice.XML", "<TaxInvoice/>");
    for (int shownBefore : {0, 1}) {
        SCOPED_TRACE(shownBefore);
        const auto missing = folder.Path() / "no such folder" / "page.html";
        profile.WriteProfileString(kSettingsSection, kHtmlFileKey, missing.native());
        frame.m_bDocumentShown = shownBefore;
        ui.Clear();
        Verify(path);
        EXPECT_EQ(ui.Lines(), (Lines{kStarted, kUnsignedBox,
                                     "box|에러 메시지|!|파일을 저장하지 못했습니다: " +
                                         missing.string() + ": 폴더가 없습니다"}));
        EXPECT_EQ(frame.m_bDocumentShown, 0);
    }

    // A folder in the html file's place stays as it is.
    const auto occupied = folder.Path() / "occupied.html";
    std::filesystem::create_directories(occupied / "inside");
    profile.WriteProfileString(kSettingsSection, kHtmlFileKey, occupied.native());
    ui.Clear();
    Verify(path);
    EXPECT_EQ(ui.Lines().back(), "box|에러 메시지|!|파일을 저장하지 못했습니다: " +
                                     occupied.string() + ": 같은 이름의 폴더가 있습니다");
    EXPECT_TRUE(std::filesystem::is_directory(occupied / "inside"));
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".occupied.html"))
            << "left behind: " << entry.path();
    }
}

// On a full disk the second document is not shown with the first one's seal, attachment or
// page: the run fails naming the file it could not replace.
TEST_F(VerificationRunTest, AFileThatCannotBeReplacedFailsTheRun) {
    constexpr rlim_t kFreeBytes = 1000;
    std::string stamp;
    for (int i = 0; i < 400; ++i) stamp += "QUFB";  // 1,200 bytes of "A"
    ContractRecord contract;
    contract.fileCount = "1";
    contract.attachments[0] = {"YXBwZW5kaXgtMS50eHQ=", stamp};  // appendix-1.txt
    struct Case {
        std::string file;
        std::function<void()> write;
    };
    const std::vector<Case> cases = {
        {"zova_supplier.gif", [&] { WriteSealImage(frame.m_strLogFolder, kSupplierSealFileName, stamp); }},
        {"zova_appendix-1.txt", [&] { WriteContractAttachments(frame.m_strLogFolder, contract); }},
        {"zova_document.html", [] {}},
    };
    page = std::string(kFreeBytes + 1, 'p');
    const auto path = folder.Write("invoice.XML", "<TaxInvoice/>");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        rendererWrites = c.write;
        Verify(path);
        ASSERT_EQ(frame.m_bDocumentShown, 1);
        const std::filesystem::path file = frame.m_strLogFolder / c.file;
        const std::string before = ReadBytes(file);

        ui.Clear();
        WithFileSizeLimit(kFreeBytes, [&] { Verify(path); });
        EXPECT_EQ(ui.Lines(), (Lines{kStarted, kUnsignedBox,
                                     "box|에러 메시지|!|파일을 저장하지 못했습니다: " +
                                         file.string() + ": 파일 크기 제한을 넘었습니다"}));
        EXPECT_EQ(frame.m_bDocumentShown, 0);
        EXPECT_EQ(ReadBytes(file), before);
    }
}

TEST_F(VerificationRunTest, ALinkPlantedAtTheHtmlFileIsReplacedNotFollowed) {
    const auto victim = folder.Write("victim.txt", "keep me");
    std::filesystem::create_symlink(victim, DefaultHtmlFile());
    Show(folder.Write("invoice.XML", "<TaxInvoice/>"));
    EXPECT_EQ(ReadBytes(victim), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(DefaultHtmlFile()));
    EXPECT_EQ(ReadBytes(DefaultHtmlFile()), page);
    // No temporary file is left next to it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(frame.m_strLogFolder),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace ledgra
