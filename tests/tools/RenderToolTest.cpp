#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QProcess>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::MessageOptions;
using testing::ReadBytes;
using testing::SemicolonBareFile;
using testing::SignedText;
using testing::TempFolder;
using testing::TestAuthority;
using testing::UtcTime;
using Lines = std::vector<std::string>;

const std::string kStarted = "status\t전자문서의 서명검증을 시작합니다.";
const std::string kSucceededBox = "box\t정보\t서명검증이 성공했습니다.";
const std::string kSucceededStatus = "status\t서명검증이 성공했습니다.";
const std::string kUnsignedBox = "box\t정보\t전자서명이 없는 문서입니다.";
const std::string kUnsignedStatus = "status\t전자서명이 없는 문서입니다.";
const std::string kFailed = "box\t정보\t서명검증이 실패했습니다.";
const std::string kRejected = "box\t에러 메시지\t규정된 파일이 아닙니다.";
const std::string kNoPage = "box\t에러 메시지\tHTML 생성 실패";

struct Outcome {
    int exitCode = -1;
    Lines lines;
    std::string errors;
};

Lines SplitLines(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the output does not end with a line break";
    return lines;
}

// Each test gets a home folder of its own, so the user's documents and settings stay out.
class RenderToolTest : public ::testing::Test {
protected:
    RenderToolTest() {
        std::filesystem::create_directories(Templates());
        TestAuthority::Trusted().WriteTrustFolder(Trust());
    }

    std::filesystem::path Home() const { return folder.Path() / "home"; }
    std::filesystem::path Zova() const { return Home() / "Documents" / "ZOVA"; }
    std::filesystem::path Templates() const { return folder.Path() / "templates"; }
    std::filesystem::path Trust() const { return folder.Path() / "trust"; }
    std::filesystem::path Logs() const { return folder.Path() / "logs"; }

    // `childSetUp` runs in the child before the program starts (a resource limit).
    Outcome Run(const std::vector<std::string>& arguments,
                const std::function<void()>& childSetUp = {}) {
        QProcess process;
        if (childSetUp) process.setChildProcessModifier(childSetUp);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), QString::fromStdString(Home().native()));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString((Home() / ".config").native()));
        environment.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
        process.setProcessEnvironment(environment);
        QStringList list;
        for (const std::string& argument : arguments) list << QString::fromStdString(argument);
        process.start(QStringLiteral(LEDGRA_RENDER_PROGRAM), list);
        EXPECT_TRUE(process.waitForFinished(60000)) << "ledgra-render did not finish";
        Outcome outcome;
        outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        outcome.lines = SplitLines(process.readAllStandardOutput().toStdString());
        outcome.errors = process.readAllStandardError().toStdString();
        return outcome;
    }

    // The run as automation uses it: own trust folder, templates and log folder.
    Outcome RunIsolated(std::vector<std::string> arguments,
                        const std::function<void()>& childSetUp = {}) {
        arguments.insert(arguments.begin(),
                         {"--trust", Trust().native(), "--templates", Templates().native(),
                          "--log-folder", Logs().native()});
        return Run(arguments, childSetUp);
    }

    std::string Navigated() const { return "navigate\t" + Logs().native() + "/zova_document.html"; }

    // Invoice templates that show which copy was chosen and two of the filled values.
    void WriteInvoiceTemplates() {
        folder.Write("templates/213.html", "buyer|:상호P:|:등록번호P:"_cp949);
        folder.Write("templates/214.html", "supplier|:상호P:"_cp949);
    }
    std::filesystem::path WriteStandardInvoice(const std::string& name) {
        const std::string invoice = ReadBytes(std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples" /
                                              "sources" / "standard-invoice.xml");
        EXPECT_FALSE(invoice.empty());
        return folder.Write(name, "\xEF\xBB\xBF" + invoice);
    }

    TempFolder folder;
};

TEST_F(RenderToolTest, UsageErrorsExitWithTwo) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no document given"},
        {{"--bogus", "a.ktx"}, "unknown option --bogus"},
        {{"--other-copy", "x", "a.ktx"}, "--other-copy takes a number of presses"},
        {{"--other-copy", "-1", "a.ktx"}, "--other-copy takes a number of presses"},
        {{"a.ktx", "--html"}, "--html needs a value"},
        {{"--log-folder", "", "a.ktx"}, "--log-folder needs a non-empty path"},
        {{"--check"}, "no document or folder given"},
        {{"--check", "--bogus", "a.ktx"}, "unknown option --bogus with --check"},
    };
    for (const auto& [arguments, error] : cases) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.exitCode, 2) << error;
        EXPECT_TRUE(outcome.lines.empty()) << error;
        EXPECT_TRUE(outcome.errors.starts_with("ledgra-render: " + error)) << outcome.errors;
        EXPECT_NE(outcome.errors.find("Usage: ledgra-render"), std::string::npos);
    }
    const Outcome help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.lines.at(0), "Usage: ledgra-render [OPTIONS] DOCUMENT...");
}

TEST_F(RenderToolTest, ShowsAnInvoiceAndPressesTheCopyButton) {
    WriteInvoiceTemplates();
    const auto invoice = WriteStandardInvoice("invoice.XML");
    // The own number is the supplier's: the buyer's copy (213) comes first, then each press
    // shows the other one.
    const Outcome outcome =
        RunIsolated({"--own-number", "1208812341", "--other-copy", "2", invoice.native()});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
    EXPECT_EQ(outcome.lines, (Lines{kStarted, kUnsignedStatus, Navigated(), kStarted, Navigated(),
                                    kStarted, Navigated()}));
    EXPECT_EQ(ReadBytes(Logs() / "zova_document.html"),
              "buyer|"_cp949 + "주식회사 가나상사"_cp949 + "|120-88-12341");

    const Outcome once = RunIsolated({"--verify", "--other-copy", "1", invoice.native()});
    EXPECT_EQ(once.lines, (Lines{kStarted, kUnsignedBox, Navigated(), kStarted, Navigated()}));
    EXPECT_EQ(ReadBytes(Logs() / "zova_document.html"),
              "buyer|"_cp949 + "주식회사 가나상사"_cp949 + "|120-88-12341");
}

TEST_F(RenderToolTest, ChecksTheInvoicesOfAFolderWithoutWritingAPage) {
    const std::filesystem::path good = WriteStandardInvoice("docs/a.XML");
    // The same invoice again, in a subfolder, with a grand total that does not add up.
    std::string bad = ReadBytes(good);
    bad.replace(bad.find("1168200</Grand"), 7, "1168300");
    const std::filesystem::path wrong = folder.Write("docs/sub/b.xml", bad);
    folder.Write("docs/notes.txt", "");  // no document
    const Outcome outcome =
        Run({"--check", "--trust", Trust().native(), (folder.Path() / "docs").native()});
    EXPECT_EQ(outcome.exitCode, 1) << outcome.errors;
    EXPECT_EQ(
        outcome.lines,
        (Lines{kStarted, kUnsignedStatus, "checked\t" + good.native() + "\t0 errors\t0 warnings",
               kStarted, kUnsignedStatus,
               "check\t" + wrong.native() +
                   "\tK05\t오류\t공급가액 1,062,000원 + 세액 106,200원 = 1,168,200원: 합계 "
                   "1,168,300원과 다릅니다.",
               "check\t" + wrong.native() +
                   "\tK14\t경고\t승인번호 '202403154100001287650042': 같은 묶음의 '" +
                   good.native() + "'에도 있습니다.",
               "checked\t" + wrong.native() + "\t1 errors\t1 warnings"}));
    EXPECT_FALSE(std::filesystem::exists(Zova() / "Logs"));

    const Outcome correct = Run({"--check", "--trust", Trust().native(), good.native()});
    EXPECT_EQ(correct.exitCode, 0) << correct.errors;
}

TEST_F(RenderToolTest, TheStoredSettingsAndTheDocumentsFolderAreTheDefaults) {
    WriteInvoiceTemplates();
    const auto invoice = WriteStandardInvoice("invoice.xml");
    const auto storedHtml = folder.Path() / "stored.html";
    {
        QSettings settings(
            QString::fromStdString(
                (Home() / ".config" / "Local AppWizard-Generated Applications" / "ZOVA Viewer.conf")
                    .native()),
            QSettings::IniFormat);
        settings.setValue(QStringLiteral("Settings/User ID1"), QStringLiteral("120"));
        settings.setValue(QStringLiteral("Settings/User ID2"), QStringLiteral("88"));
        settings.setValue(QStringLiteral("Settings/User ID3"), QStringLiteral("12341"));
        settings.setValue(QStringLiteral("Settings/html file"),
                          QString::fromStdString(storedHtml.native()));
    }
    const Outcome stored = Run({"--templates", Templates().native(), invoice.native()});
    EXPECT_EQ(stored.exitCode, 0) << stored.errors;
    EXPECT_EQ(stored.lines.back(), "navigate\t" + storedHtml.native());
    EXPECT_TRUE(ReadBytes(storedHtml).starts_with("buyer|"));
    // The log folder is made in the documents folder even when the page goes elsewhere.
    EXPECT_TRUE(std::filesystem::is_directory(Zova() / "Logs"));

    // --html and --own-number win over the stored settings.
    const Outcome given = Run({"--templates", Templates().native(), "--own-number", "0", "--html",
                               (folder.Path() / "given.html").native(), invoice.native()});
    EXPECT_EQ(given.lines.back(), "navigate\t" + (folder.Path() / "given.html").native());
    EXPECT_TRUE(ReadBytes(folder.Path() / "given.html").starts_with("supplier|"));
}

TEST_F(RenderToolTest, VerifiesUnderTheDefaultTrustFolder) {
    const auto document = folder.Write("invoice.tsn", SemicolonBareFile(SignedText("<a/>")));
    const Outcome untrusted = Run({"--templates", Templates().native(), document.native()});
    // Both passes over a ".tsn" file report the module's error: the message opens, and its
    // verification finds no trust folder.
    ASSERT_EQ(untrusted.lines.size(), 4u);
    for (int pass : {1, 2}) {
        EXPECT_TRUE(untrusted.lines[pass].starts_with("box\tZOVA Viewer\t검증모듈에러:"))
            << untrusted.lines[pass];
    }
    EXPECT_EQ(untrusted.lines[3], kFailed);
    EXPECT_EQ(untrusted.exitCode, 1);

    TestAuthority::Trusted().WriteTrustFolder(Zova() / "CA");
    const Outcome trusted = Run({"--templates", Templates().native(), document.native()});
    // No template in the folder: the page cannot be made.
    EXPECT_EQ(trusted.lines, (Lines{kStarted, kSucceededStatus, kNoPage}));
    EXPECT_EQ(trusted.exitCode, 1);
}

testing::TestCertificate TrustedSigner(const std::string& commonName) {
    testing::CertificateOptions options;
    options.commonName = commonName;
    // Valid at the fixed signing times below.
    options.notBefore = UtcTime(2024, 1, 1);
    return TestAuthority::Trusted().Issue(options);
}

TEST_F(RenderToolTest, ListsTheSignersInOneLine) {
    const MessageOptions twoSigners{
        .signers = {{TrustedSigner("홍길동"), UtcTime(2024, 3, 15, 1, 2, 3)},
                    {TrustedSigner("(주)가나상사"), UtcTime(2024, 3, 16, 4, 5, 6)}}};
    const Outcome listed = RunIsolated(
        {"--verify",
         folder.Write("signers.ktx", SignedText("<TaxInvoice/>", twoSigners)).native()});
    // The message's signer set is sorted as DER, so either may come first.
    const std::string first = "서명정보:홍길동, 서명시간 : 2024-03-15 01:02:03 UTC\\n";
    const std::string second = "서명정보:(주)가나상사, 서명시간 : 2024-03-16 04:05:06 UTC\\n";
    ASSERT_EQ(listed.lines.size(), 4u);
    EXPECT_TRUE(listed.lines[1] == "box\tInfo\t" + first + second ||
                listed.lines[1] == "box\tInfo\t" + second + first)
        << listed.lines[1];
    EXPECT_EQ(listed.lines[2], kSucceededBox);
}

TEST_F(RenderToolTest, AnyFailedDocumentMakesTheExitStatusOne) {
    WriteInvoiceTemplates();
    const auto invoice = WriteStandardInvoice("invoice.XML");
    EXPECT_EQ(RunIsolated({invoice.native(), invoice.native()}).exitCode, 0);
    // A missing file, and an invoice without its required IssueID: the renderer's XML access
    // error fails that run only.
    const auto incomplete =
        folder.Write("incomplete.XML", "<TaxInvoice><TaxInvoiceDocument/></TaxInvoice>");
    const Outcome mixed =
        RunIsolated({invoice.native(), (folder.Path() / "none.XML").native(), incomplete.native()});
    EXPECT_EQ(mixed.exitCode, 1);
    EXPECT_EQ(mixed.lines,
              (Lines{kStarted, kUnsignedStatus, Navigated(), kStarted,
                     "box\t에러 메시지\t파일을 읽을 수 없습니다: 파일이 없습니다.", kFailed, kStarted,
                     kUnsignedStatus, kNoPage}));

    // A page over the file size limit is a failed write, never the end of the program.
    const Outcome limited = RunIsolated({invoice.native()}, [] {
        const rlimit limit{8, 8};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(limited.exitCode, 1);
    EXPECT_TRUE(std::any_of(limited.lines.begin(), limited.lines.end(),
                            [](const std::string& line) {
                                return line.starts_with(
                                    "box\t에러 메시지\t파일을 저장하지 못했습니다: ");
                            }))
        << ::testing::PrintToString(limited.lines);
}

}  // namespace
}  // namespace ledgra
