// ledgra-render --pdf: the PDFs of a batch, checked with Poppler's tools.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/PdfText.h"
#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::HasPopplerTools;
using testing::PdfPageCount;
using testing::PdfText;
using testing::ReadBytes;
using testing::TempFolder;

// An invoice page stays small: its fonts are subsets and its text is text, not a picture.
constexpr std::uintmax_t kMaxInvoicePdfBytes = 300 * 1024;

struct RenderResult {
    int exitCode = -1;
    std::string output;
    std::string errors;
};

class RenderPdfTest : public ::testing::Test {
protected:
    RenderPdfTest() {
        m_folder.CreateFiles({"home/Documents/", "trust/"});
        m_invoice = ReadBytes(std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples" / "sources" /
                              "standard-invoice.xml");
    }

    std::filesystem::path Pdfs() const { return m_folder.Path() / "pdf"; }

    RenderResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--trust", (m_folder.Path() / "trust").native(),
                                             "--log-folder", (m_folder.Path() / "logs").native()});
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const std::filesystem::path home = m_folder.Path() / "home";
        environment.insert(QStringLiteral("HOME"), QString::fromStdString(home.native()));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString((home / ".config").native()));
        process.setProcessEnvironment(environment);
        QStringList list;
        for (const std::string& argument : arguments) list << QString::fromStdString(argument);
        process.start(QStringLiteral(LEDGRA_RENDER_PROGRAM), list);
        EXPECT_TRUE(process.waitForFinished(120000)) << "ledgra-render did not finish";
        RenderResult result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.output = process.readAllStandardOutput().toStdString();
        result.errors = process.readAllStandardError().toStdString();
        return result;
    }

    TempFolder m_folder;
    std::string m_invoice;
};

TEST_F(RenderPdfTest, WritesOneSearchablePageForEachShownInvoice) {
    if (!HasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed";
    ASSERT_FALSE(m_invoice.empty());
    const auto first = m_folder.Write("a/invoice.XML", m_invoice);
    const auto second = m_folder.Write("b/invoice.xml", "\xEF\xBB\xBF" + m_invoice);
    const auto notADocument = m_folder.Write("c/junk.KTX", "no document");

    const RenderResult without = Run({first.native(), notADocument.native(), second.native()});
    const RenderResult with =
        Run({"--pdf", Pdfs().native(), first.native(), notADocument.native(), second.native()});
    // The events and the exit status are those of the run without PDFs.
    EXPECT_EQ(with.output, without.output);
    EXPECT_EQ(with.exitCode, 1) << with.errors;

    // The second document of the same name does not overwrite the first one's PDF; the file
    // that is no document gets none.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Pdfs())) {
        names.push_back(entry.path().filename().native());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"invoice (2).pdf", "invoice.pdf"}));

    for (const std::string& name : names) {
        const std::filesystem::path pdf = Pdfs() / name;
        EXPECT_EQ(PdfPageCount(pdf), 1) << name;
        EXPECT_LT(std::filesystem::file_size(pdf), kMaxInvoicePdfBytes) << name;
        const std::optional<std::string> text = PdfText(pdf);
        ASSERT_TRUE(text) << name;
        for (const char* expected :
             {"주식회사 가나상사", "다라물산 주식회사", "1,168,200", "202403154100001287650042"}) {
            EXPECT_NE(text->find(expected), std::string::npos) << name << ": " << expected;
        }
    }
}

// Every legacy invoice writes its seal under the same file name; each PDF of a batch carries
// its own.
TEST_F(RenderPdfTest, EachPdfOfABatchCarriesItsOwnSeal) {
    if (!HasPopplerTools()) GTEST_SKIP() << "poppler-utils is not installed";
    testing::TestAuthority::Trusted().WriteTrustFolder(m_folder.Path() / "trust");
    const std::string source = ReadBytes(std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples" /
                                         "sources" / "legacy-invoice.xml");
    const QSize seals[] = {QSize(8, 8), QSize(16, 4)};
    // As double clicks: the show form names no signer, yet the proof does.
    std::vector<std::string> documents = {"--pdf", Pdfs().native()};
    for (const QSize size : seals) {
        QImage seal(size, QImage::Format_RGB32);
        seal.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && seal.save(&buffer, "PNG"));
        std::string invoice = Cp949FromUtf8(source);
        invoice.replace(invoice.find("@SUPPLIER_SEAL@"), 15, png.toBase64().toStdString());
        const std::string name = std::to_string(size.width()) + "x" + std::to_string(size.height());
        documents.push_back(
            m_folder.Write(name + ".KTX", testing::BareMessageFile(testing::SignedText(invoice)))
                .native());
    }
    const RenderResult result = Run(documents);
    ASSERT_EQ(result.exitCode, 0) << result.output << result.errors;
    for (const QSize size : seals) {
        const std::string name = std::to_string(size.width()) + "x" + std::to_string(size.height());
        const std::filesystem::path pdf = Pdfs() / (name + ".pdf");
        EXPECT_EQ(testing::PdfImageSizes(pdf), std::vector<std::string>{name});
        // The proof the PDF carries names the signer the run found.
        EXPECT_EQ(testing::PdfAttachmentNames(pdf),
                  (std::vector<std::string>{name + ".KTX", "검증요약.txt"}));
        const std::optional<std::string> summary = testing::PdfAttachment(pdf, 2);
        ASSERT_TRUE(summary);
        EXPECT_NE(summary->find("서명자: Test Signer\n"), std::string::npos) << *summary;
    }
}

TEST_F(RenderPdfTest, APdfThatCannotBeWrittenIsReportedAndFailsTheRun) {
    const auto invoice = m_folder.Write("invoice.XML", m_invoice);
    // The PDF folder's place is taken by a file.
    const auto blocked = m_folder.Write("pdf", "a file, not a folder");
    const RenderResult result = Run({"--pdf", blocked.native(), invoice.native()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.errors.find("invoice.pdf"), std::string::npos) << result.errors;
    EXPECT_EQ(ReadBytes(blocked), "a file, not a folder");
    EXPECT_EQ(result.output, Run({invoice.native()}).output);
}

}  // namespace
}  // namespace ledgra
