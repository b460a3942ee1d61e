#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "render/PageTemplates.h"
#include "res/EmbeddedTemplates.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using Names = std::set<std::string>;

// The placeholders of a page: ":" + name + ":", where the name is not empty, holds no colon,
// white space or markup character, and is not all digits (so that "a:link", "http://" and
// times such as 10:30:00 are not taken for placeholders). After a placeholder the search goes
// on behind its closing colon, as filling does; otherwise the closing colon may open the next.
Names PlaceholdersOf(std::string_view page) {
    static constexpr std::string_view kNotInNames = ": \t\r\n<>\"'=;{}()&/,#";
    Names found;
    std::size_t open = page.find(':');
    while (open != std::string_view::npos) {
        const std::size_t close = page.find(':', open + 1);
        if (close == std::string_view::npos) break;
        const std::string_view name = page.substr(open + 1, close - open - 1);
        const bool isName = !name.empty() && name.find_first_of(kNotInNames) == name.npos &&
                            name.find_first_not_of("0123456789") != name.npos;
        if (isName) found.insert(std::string(page.substr(open, close - open + 1)));
        open = isName ? page.find(':', close + 1) : close;
    }
    return found;
}

Names Numbered(std::string_view stem, int count) {
    Names names;
    for (int k = 1; k <= count; ++k)
        names.insert(":" + std::string(stem) + std::to_string(k) + ":");
    return names;
}

Names Join(std::initializer_list<Names> parts) {
    Names all;
    for (const Names& part : parts) all.insert(part.begin(), part.end());
    return all;
}

Names Without(Names names, const Names& removed) {
    for (const std::string& name : removed) names.erase(name);
    return names;
}

Names ItemRows(bool withTax) {
    Names rows;
    for (std::string_view cell : {"월", "일", "품목", "규격", "수량", "단가", "공급가액", "비고"}) {
        rows.merge(Numbered(cell, 4));
    }
    if (withTax) rows.merge(Numbered("세액", 4));
    return rows;
}

// Exactly the placeholders each template holds (UTF-8 here; the pages are code page 949).
const std::map<int, Names>& Vocabulary() {
    static const std::map<int, Names> vocabulary = [] {
        const Names supplier = {
            ":등록번호P:", ":상호P:", ":성명P:", ":주소P:", ":업태P:", ":종목P:"};
        const Names buyer = {":등록번호R:", ":상호R:", ":성명R:", ":주소R:", ":업태R:", ":종목R:"};
        const Names issueDate = {":작성년:", ":작성월:", ":작성일:"};
        const Names totals = {
            ":합계금액:", ":현금:", ":수표:", ":어음:", ":외상미수금:", ":영수청구:"};
        const Names seals = {":공급자인장:", ":공급받는자인장:"};
        // Every parties table carries the stamp background, because every invoice renderer
        // fills ":IMG:".
        const Names stamp = {":IMG:"};
        const Names book = Join({{":권:", ":호:", ":일련번호:"}, Numbered("일련번호", 6)});
        const Names taxInvoice = Join({supplier,
                                       buyer,
                                       stamp,
                                       seals,
                                       issueDate,
                                       {":공란수:", ":비고:"},
                                       Numbered("공", 11),
                                       Numbered("세", 10),
                                       ItemRows(true),
                                       totals,
                                       book});
        // The invoice without tax has no tax cells and keeps only the whole serial number.
        const Names plainInvoice = Without(
            taxInvoice, Join({Numbered("세", 10), Numbered("세액", 4), Numbered("일련번호", 6)}));
        const Names standard = Join(
            {supplier,
             buyer,
             stamp,
             issueDate,
             {":종사업장번호P:", ":종사업장번호R:", ":제목:", ":승인번호:", ":수정사유:", ":비고:"},
             Numbered("공", 12),
             Numbered("세", 11),
             ItemRows(true),
             totals});
        const Names contract = {":계약서내용:", ":첨부파일:"};
        const Names content = {":내용:"};
        return std::map<int, Names>{
            {140, taxInvoice},
            {141, taxInvoice},
            {189, plainInvoice},
            {190, plainInvoice},
            // The short receipt: addressee, the supplier with seal, date, amount and content.
            {209, Join({supplier,
                        stamp,
                        issueDate,
                        {":공급자인장:", ":상호R:", ":공급가액1:", ":비고:"}})},
            {210, Without(taxInvoice, book)},
            {213, standard},
            {214, Without(standard, {":종사업장번호R:"})},
            {188, contract},
            {208, content},
            // The carried pages are filled as the page of their kind would be.
            {191, content},
            {202, contract},
            {203, contract},
            {204, contract},
        };
    }();
    return vocabulary;
}

// The names of `names` that `others` lacks, one line, readable in a failure message.
std::string Missing(const Names& names, const Names& others) {
    std::string listed;
    for (const std::string& name : names) {
        if (!others.contains(name)) listed += name + " ";
    }
    return listed;
}

std::string SourceOf(int id) {
    return ReadBytes(std::filesystem::path(LEDGRA_SOURCE_DIR) / "res" / "templates" /
                     (std::to_string(id) + ".html"));
}

std::vector<int> AllIds() {
    std::vector<int> ids;
    for (const auto& [id, names] : Vocabulary()) ids.push_back(id);
    return ids;
}

TEST(PageTemplates, TheBuiltInIdsAreTheFourteenTemplates) {
    const std::span<const int> builtIn = EmbeddedTemplateIds();
    EXPECT_EQ(std::vector<int>(builtIn.begin(), builtIn.end()), AllIds());
}

class BuiltInTemplate : public ::testing::TestWithParam<int> {};

TEST_P(BuiltInTemplate, IsTheSourceInCodePage949WithExactlyItsPlaceholders) {
    const int id = GetParam();
    const std::optional<std::string> page = PageTemplates().LoadPageTemplate(id);
    ASSERT_TRUE(page.has_value());
    EXPECT_TRUE(IsValidCp949(*page));
    EXPECT_EQ(*page, Cp949FromUtf8(SourceOf(id)));
    const std::string text = Utf8FromCp949(*page);
    EXPECT_NE(text.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-kr\">"),
              std::string::npos);
    const Names found = PlaceholdersOf(text);
    const Names& expected = Vocabulary().at(id);
    EXPECT_TRUE(Missing(expected, found).empty()) << "missing: " << Missing(expected, found);
    EXPECT_TRUE(Missing(found, expected).empty()) << "unexpected: " << Missing(found, expected);
}

// Pages come from documents of unknown origin; the templates themselves reach nothing, except
// the stamp image, which the page does without.
TEST_P(BuiltInTemplate, HasNoScriptAndNoOutsideAddressButTheStamp) {
    std::string text = Utf8FromCp949(*PageTemplates().LoadPageTemplate(GetParam()));
    EXPECT_EQ(text.find("<script"), std::string::npos);
    for (std::string_view allowed :
         {"\"http://www.w3.org/TR/html4/loose.dtd\"",
          "'http://stamp.ledgra.invalid/dti/jsp/stamp_image/:IMG:.gif'"}) {
        for (std::size_t at; (at = text.find(allowed)) != std::string::npos;) {
            text.erase(at, allowed.size());
        }
    }
    EXPECT_EQ(text.find("://"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EveryId, BuiltInTemplate, ::testing::ValuesIn(AllIds()),
                         [](const auto& info) { return std::to_string(info.param); });

// The renderers choose a copy by its id: each id must be the copy, title and form it names.
TEST(PageTemplates, EachInvoiceIsItsOwnCopyFormAndColour) {
    const std::string supplier = "(공급자 보관용)", buyer = "(공급받는자 보관용)";
    const std::string red = "#d7191c", blue = "#1f4fb4";
    const std::string taxForm = "[별지 제11호 서식] (96.3.30. 개정)";
    const std::string plainForm = "[별지 제28호 서식] (96.3.30. 개정)";
    struct Copy {
        int id;
        bool supplierCopy;
        std::vector<std::string> texts;
    };
    const Copy copies[] = {
        {140, false, {"세 금 계 산 서 " + buyer, taxForm}},
        {141, true, {"세 금 계 산 서 " + supplier, taxForm}},
        {189, false, {"계 산 서 " + buyer, plainForm}},
        {190, true, {"계 산 서 " + supplier, plainForm}},
        {209,
         false,
         {"입금표 " + buyer, ":상호R: <span class=\"cap\">귀 하</span>", "위 금액을 정히 영수함"}},
        {210, true, {"입금표 " + supplier, taxForm}},
        {213, false, {":제목: " + buyer}},
        {214, true, {":제목: " + supplier}},
    };
    for (const Copy& copy : copies) {
        SCOPED_TRACE(copy.id);
        const std::string text = Utf8FromCp949(*PageTemplates().LoadPageTemplate(copy.id));
        for (const std::string& expected : copy.texts) {
            EXPECT_NE(text.find(expected), std::string::npos) << expected;
        }
        EXPECT_EQ(text.find(copy.supplierCopy ? buyer : supplier), std::string::npos);
        EXPECT_NE(text.find(copy.supplierCopy ? red : blue), std::string::npos);
        EXPECT_EQ(text.find(copy.supplierCopy ? blue : red), std::string::npos);
        EXPECT_NE(text.find("주의 : 본 전자세금계산서는 전자세금계산서 표준안(한국전자거래진흥원 "
                            "ebXML)으로 작성되었으며,"),
                  std::string::npos);
        EXPECT_NE(text.find("공인인증서로 전자서명한 전자문서로 전자서명법에 의거 법적 효력을 갖는 "
                            "전자문서입니다."),
                  std::string::npos);
    }
}

TEST(PageTemplates, TheContractNoteIsPreformattedWithARedMark) {
    const std::string note =
        "<pre class=\"notice\"><font color=\"#d7191c\">※ </font>이 계약서는 전자서명법 제3조에 "
        "의거 발행된 전자문서로 당사자간의 약정에 따른 서명, 서명날인 또는 기명날인\n"
        "으로서의 효력을 가진다.</pre>";
    const std::string text = Utf8FromCp949(*PageTemplates().LoadPageTemplate(188));
    EXPECT_NE(text.find(note), std::string::npos);
    EXPECT_LT(text.find(":첨부파일:"), text.find(note));
    EXPECT_NE(Utf8FromCp949(*PageTemplates().LoadPageTemplate(208)).find(">:내용:</pre>"),
              std::string::npos);
}

TEST(PageTemplates, UnknownIdsGiveNothing) {
    for (int id : {0, -140, 139, 142, 205, 1000}) {
        EXPECT_FALSE(PageTemplates().LoadPageTemplate(id).has_value()) << id;
    }
}

TEST(PageTemplates, AFolderGivesTheFileBytesExactly) {
    TempFolder folder;
    const std::string bytes("<html>\r\n\xBB\xF3\xC8\xA3 \xFF\x80\0tail:IMG:\n", 25);
    folder.Write("141.html", bytes);
    EXPECT_EQ(PageTemplates(folder.Path()).LoadPageTemplate(141), bytes);
    folder.Write("999.html", "");
    EXPECT_EQ(PageTemplates(folder.Path()).LoadPageTemplate(999), "");
}

TEST(PageTemplates, AFolderWithoutTheFileGivesNothingEvenForABuiltInId) {
    TempFolder folder;
    folder.CreateFiles({"140.html/", "213.htm"});
    const PageTemplates templates(folder.Path());
    EXPECT_FALSE(templates.LoadPageTemplate(140).has_value());  // a folder of that name
    EXPECT_FALSE(templates.LoadPageTemplate(213).has_value());
    EXPECT_FALSE(PageTemplates(folder.Path() / "missing").LoadPageTemplate(141).has_value());
}

TEST(PageTemplates, AFileFarLargerThanAnyPageIsNotRead) {
    TempFolder folder;
    folder.Write("188.html", std::string((std::size_t{4} << 20) + 1, 'x'));
    folder.Write("208.html", std::string(std::size_t{4} << 20, 'x'));
    EXPECT_FALSE(PageTemplates(folder.Path()).LoadPageTemplate(188).has_value());
    EXPECT_EQ(PageTemplates(folder.Path()).LoadPageTemplate(208)->size(), std::size_t{4} << 20);
}

TEST(PlaceholdersOf, TakesNamesBetweenColonsOnly) {
    EXPECT_EQ(PlaceholdersOf(":공1::공2:"), (Names{":공1:", ":공2:"}));
    EXPECT_EQ(PlaceholdersOf("url('http://a.invalid/x/:IMG:.gif')"), Names{":IMG:"});
    EXPECT_EQ(PlaceholdersOf("a:link { color: red } 10:30:00 a: b: <p>:</p>:"), Names{});
    EXPECT_EQ(PlaceholdersOf("이 금액을 :영수청구: 함."), Names{":영수청구:"});
}

}  // namespace
}  // namespace ledgra
