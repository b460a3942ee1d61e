#include <gtest/gtest.h>

#include "render/Contract.h"
#include "render/PlaceholderFill.h"
#include "render/XmlDocument.h"
#include "tests/render/ContractTestSupport.h"
#include "tests/render/RenderingTestSupport.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::ContractRendering;
using testing::ContractXml;
using testing::DataArea;
using testing::FileNode;
using testing::ReadBytes;
using Names = std::vector<std::string>;

// The link the list shows for attachment `number`, opening the file `fileName` of the log
// folder and reading `text`.
std::string LinkTo(const ContractRendering& r, std::string_view fileName, int number,
                   std::string_view text) {
    return "<a href='#' onclick=\"javascript:window.open('" + r.logFolder.native() +
           std::string(fileName) +
           "','win','top=60,left=300,width=600,height=400,menubar=0,resizable=0,scrollbars=1,"
           "status=0,titlebar=0,toolbar=1');\" style='font-size:9pt'>" +
           std::to_string(number) + "." + std::string(text) + "</a>&nbsp;<br>";
}

TEST(RenderContract, TwoAttachmentsAreWrittenAndListedInOrder) {
    ContractRendering r;
    const std::string page = r.RenderContract(
        ContractXml({{.body = "<h3>계약서</h3>"_cp949,
                      .fileCount = "2",
                      .files = {{"appendix.txt", "부록"_cp949},
                                {"견적서.pdf"_cp949, std::string("%PDF-1.4\0\xFF", 10)}}}}));
    EXPECT_EQ(ContractRendering::BodyCell(page), "<h3>계약서</h3>"_cp949);
    EXPECT_EQ(ContractRendering::ListCell(page),
              LinkTo(r, "zova_appendix.txt", 1, "appendix.txt") +
                  LinkTo(r, "zova_견적서.pdf"_cp949, 2, "견적서.pdf"_cp949));
    EXPECT_EQ(r.LogFiles(), (Names{"zova_appendix.txt", "zova_견적서.pdf"}));
    EXPECT_EQ(ReadBytes(r.logFolder / "zova_appendix.txt"), "부록"_cp949);
    EXPECT_EQ(ReadBytes(r.logFolder / "zova_견적서.pdf"), std::string("%PDF-1.4\0\xFF", 10));
    EXPECT_TRUE(r.ui.Events().empty());
}

TEST(RenderContract, TheFileCountDecidesHowManySlotsAreListed) {
    const std::vector<FileNode> two = {{"a.txt", "A"}, {"b.txt", "B"}};
    struct Case {
        std::optional<std::string> count;
        std::vector<int> listed;  // the numbers of the links
    };
    const Case cases[] = {
        {"2", {1, 2}},
        {"1", {1}},
        {"0", {}},
        {"", {}},
        {std::nullopt, {}},  // and the File nodes are not even read
        {" +2 files", {1, 2}},
        {"-1", {}},
        {"x2", {}},
        {"5", {1, 2}},  // the slots past the File nodes are empty and add nothing
        {"99999999999999999999999", {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count.value_or("<none>"));
        ContractRendering r;
        const std::string page =
            r.RenderContract(ContractXml({{.fileCount = c.count, .files = two}}));
        std::string expected;
        for (int number : c.listed) {
            const std::string name = number == 1 ? "a.txt" : "b.txt";
            expected += LinkTo(r, "zova_" + name, number, name);
        }
        EXPECT_EQ(ContractRendering::ListCell(page), expected.empty() ? "&nbsp;" : expected);
        EXPECT_EQ(r.LogFiles().size(), c.listed.size());
    }
}

TEST(RenderContract, EmptyNamesAreSkippedOrWrittenUnlisted) {
    ContractRendering r;
    // Slot 1 has no name at all; slot 2's name is Base64 of nothing ("=" only decodes to no
    // byte); slot 3 is a real file and keeps its number.
    std::string xml = ContractXml(
        {{.fileCount = "3", .files = {{"", "skipped"}, {"@", "unnamed"}, {"c.txt", "C"}}}});
    const std::string encodedAt = "QA==";  // Base64 of "@"
    xml.replace(xml.find(encodedAt), encodedAt.size(), "====");
    const std::string page = r.RenderContract(xml);
    EXPECT_EQ(ContractRendering::ListCell(page), LinkTo(r, "zova_c.txt", 3, "c.txt"));
    EXPECT_EQ(r.LogFiles(), (Names{"zova_", "zova_c.txt"}));
    EXPECT_EQ(ReadBytes(r.logFolder / "zova_"), "unnamed");
}

TEST(RenderContract, TheBodyIsDecodedUpToItsFirstNulAndKeepsItsMarkup) {
    struct Case {
        std::optional<std::string> body;
        std::string cell;
    };
    const Case cases[] = {
        {"<b onclick='x()'>제1조</b>"_cp949, "<b onclick='x()'>제1조</b>"_cp949},
        {std::string("head\0tail", 9), "head"},
        {"", "&nbsp;"},
    };
    for (const Case& c : cases) {
        ContractRendering r;
        EXPECT_EQ(ContractRendering::BodyCell(r.RenderContract(ContractXml({{.body = c.body}}))),
                  c.cell);
    }
}

TEST(RenderContract, LaterDataAreasReplaceTheBodyAndRefillTheSlotsFromTheFirst) {
    ContractRendering r;
    const std::string page = r.RenderContract(ContractXml({
        {.body = "first", .fileCount = "3", .files = {{"a1", "1"}, {"b1", "2"}, {"c1", "3"}}},
        {.body = "second", .fileCount = "3", .files = {{"a2", "4"}}},
    }));
    EXPECT_EQ(ContractRendering::BodyCell(page), "second");
    // Slot 1 is the second area's; slots 2 and 3 are still the first's.
    EXPECT_EQ(ContractRendering::ListCell(page), LinkTo(r, "zova_a2", 1, "a2") +
                                                     LinkTo(r, "zova_b1", 2, "b1") +
                                                     LinkTo(r, "zova_c1", 3, "c1"));
    EXPECT_EQ(ReadBytes(r.logFolder / "zova_a2"), "4");
    EXPECT_FALSE(std::filesystem::exists(r.logFolder / "zova_a1"));
}

TEST(RenderContract, ALaterDataAreaWithoutFileCountListsNothing) {
    ContractRendering r;
    const std::string page = r.RenderContract(ContractXml({
        {.body = "first", .fileCount = "1", .files = {{"a.txt", "A"}}},
        {.body = "second", .files = {{std::nullopt, std::nullopt}}},
    }));
    EXPECT_EQ(ContractRendering::BodyCell(page), "second");
    EXPECT_EQ(ContractRendering::ListCell(page), "&nbsp;");
    EXPECT_TRUE(r.LogFiles().empty());
}

TEST(RenderContract, NoMoreThanFiftyNineAttachmentsAreKept) {
    ContractRendering r;
    DataArea area{.fileCount = "60"};
    for (int k = 1; k <= 60; ++k) area.files.push_back({"f" + std::to_string(k), "x"});
    // The 60th File node is not read at all: it may lack its parts.
    area.files.push_back({std::nullopt, std::nullopt});
    const std::string list = ContractRendering::ListCell(r.RenderContract(ContractXml({area})));
    EXPECT_NE(list.find(">59.f59</a>"), std::string::npos);
    EXPECT_EQ(list.find("f60"), std::string::npos);
    EXPECT_EQ(r.LogFiles().size(), 59u);
}

TEST(RenderContract, AMissingRequiredElementIsAnXmlAccessError) {
    const std::string cases[] = {
        ContractXml({{.body = std::nullopt}}),
        ContractXml({{.fileCount = "1", .files = {{std::nullopt, "content"}}}}),
        ContractXml({{.fileCount = "1", .files = {{"name", std::nullopt}}}}),
        ContractXml({{.body = "fine"}, {.body = std::nullopt}}),
    };
    for (const std::string& xml : cases) {
        ContractRendering r;
        EXPECT_THROW(r.RenderContract(xml), XmlAccessError) << xml;
        EXPECT_TRUE(r.LogFiles().empty());
    }
}

TEST(RenderContract, ContentThatDoesNotLoadIsReported) {
    ContractRendering r;
    EXPECT_EQ(r.RenderContract("<DigitalContent><DataArea>"), "");
    EXPECT_EQ(r.ui.Lines(), (Names{"box|에러 메시지|!|XML 파일 로딩 에러"}));
}

TEST(RenderContract, WithoutItsTemplateNothingIsWrittenOrSaid) {
    ContractRendering r;
    std::filesystem::remove(r.folder.Path() / "templates" / "188.html");
    EXPECT_EQ(r.RenderContract(ContractXml({{.fileCount = "1", .files = {{"a.txt", "A"}}}})), "");
    EXPECT_TRUE(r.ui.Events().empty());
    EXPECT_TRUE(r.LogFiles().empty());
}

// The body of a signed contract is the document's markup, and ":첨부파일:" inside it is filled
// with the list too, as every placeholder text in a value is by a later fill; a body that
// names it often enough to pass the page's size limit stops the fill.
TEST(RenderContract, PlaceholderTextInTheBodyIsFilledButBounded) {
    ContractRendering r;
    const std::string list = ":첨부파일:"_cp949;
    const std::string page = r.RenderContract(
        ContractXml({{.body = "see " + list, .fileCount = "1", .files = {{"a", "A"}}}}));
    EXPECT_EQ(ContractRendering::BodyCell(page), "see " + LinkTo(r, "zova_a", 1, "a"));

    std::string many;
    for (int k = 0; k < 100000; ++k) many += list;
    DataArea area{.body = many, .fileCount = "59"};
    for (int k = 1; k <= 59; ++k) area.files.push_back({std::string(150, 'n'), ""});
    EXPECT_THROW(r.RenderContract(ContractXml({area})), PageTooLargeError);
}

TEST(RenderContract, TheBuiltInPageCarriesTheBodyTheListAndTheNote) {
    ContractRendering r(true);
    const std::string page = Utf8FromCp949(r.RenderContract(
        ContractXml({{.body = "<p>본문</p>"_cp949, .fileCount = "1", .files = {{"a.txt", "A"}}}})));
    EXPECT_NE(page.find("<p>본문</p>"), std::string::npos);
    EXPECT_NE(page.find(">1.a.txt</a>&nbsp;<br>"), std::string::npos);
    EXPECT_NE(page.find("으로서의 효력을 가진다."), std::string::npos);
    EXPECT_EQ(page.find(":계약서내용:"), std::string::npos);
    EXPECT_EQ(page.find(":첨부파일:"), std::string::npos);
}

TEST(RendererTable, ContractsAndContentPagesHaveTheirRenderers) {
    ContractRendering r;
    const std::string kcx =
        r.Render(RendererFor("*.KCX", ProductRenderers()), ContractXml({{.body = "terms"}})).page;
    EXPECT_EQ(ContractRendering::BodyCell(kcx), "terms");
    const std::string cqs =
        r.Render(RendererFor("*.CQS", ProductRenderers()), "<body>news</body>").page;
    EXPECT_EQ(cqs, "[<body>news</body>]");
}

}  // namespace
}  // namespace ledgra
