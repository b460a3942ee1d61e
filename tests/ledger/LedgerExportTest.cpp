#include <gtest/gtest.h>

#include <cstdio>

#include "ledger/LedgerCsv.h"
#include "ledger/LedgerExport.h"
#include "tests/ledger/LedgerFixture.h"

namespace ledgra::testing {
namespace {

// One member of a zip file, read with the unzip program.
std::string ZipMember(const std::filesystem::path& zip, const std::string& member) {
    const std::string command = "unzip -p '" + zip.string() + "' " + member;
    std::string bytes;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t count = 0;
        while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            bytes.append(buffer, count);
        pclose(pipe);
    }
    return bytes;
}

TEST_F(LedgerFolder, CsvFilesAreUtf8WithAByteOrderMarkQuotedAsRfc4180) {
    LedgerModel ledger = ReadAll();
    LedgerFilter sales;
    sales.side = TradeSide::Sale;
    ledger.SetFilter(sales);
    const std::filesystem::path file = m_folder.Path() / "out" / "장부.csv";
    std::filesystem::create_directory(file.parent_path());
    ASSERT_TRUE(ExportLedger(ledger, file));

    EXPECT_EQ(ReadBytes(CsvItemsFile(file)),
              "\xEF\xBB\xBF승인번호,작성일자,공급자 상호,순번,품목일자,품목명,규격,수량,단가,"
              "공급가액,세액,비고\r\n"
              "202403154100001287650001,2024-03-15,가나상사,1,20240315,복사용지,,,,500000,50000,"
              "\r\n"
              "202403154100001287650001,2024-03-15,가나상사,2,20240315,\"'=토너 \"\"A\"\", 정품\",,"
              ",,272000,27200,\r\n"
              "202404014100001287650003,2024-04-01,가나상사,1,20240401,복사용지 반품,,,,-100000,"
              "-10000,\r\n");
    const std::string list = ReadBytes(file);
    EXPECT_TRUE(list.starts_with(
        "\xEF\xBB\xBF구분,작성일자,승인번호,발급일자,분류,종류,공급자 등록번호,공급자 상호,"
        "공급자 대표자,공급받는자 등록번호,공급받는자 상호,공급받는자 대표자,공급가액,세액,합계,"
        "영수/청구,수정사유,당초승인번호,품목,서명,검사,파일\r\n"
        "매출,2024-03-15,202403154100001287650001,2024-03-15,세금계산서,일반,1208812341,가나상사,"
        "대표,2148867893,다라물산,대표,772000,77200,849200,청구,,,복사용지 외 1건,서명 없음,"
        "이상 없음,"));
    EXPECT_NE(
        list.find("\r\n매출,2024-04-01,202404014100001287650003,2024-04-01,수정세금계산서,일반,"),
        std::string::npos);
    EXPECT_NE(list.find(",-100000,-10000,-110000,청구,공급가액 변동,20240315-41000012-87650001,"),
              std::string::npos);
}

TEST_F(LedgerFolder, WorkbookHoldsFourSheetsWithDatesNumbersHeaderFilterAndTotals) {
    const LedgerModel ledger = ReadAll();
    const std::filesystem::path file = m_folder.Path() / "장부.xlsx";
    ASSERT_TRUE(ExportLedger(ledger, file));

    const std::string workbook = ZipMember(file, "xl/workbook.xml");
    const std::size_t list = workbook.find("name=\"목록\"");
    const std::size_t items = workbook.find("name=\"품목\"");
    const std::size_t summary = workbook.find("name=\"요약\"");
    const std::size_t findings = workbook.find("name=\"검사\"");
    ASSERT_NE(findings, std::string::npos);
    EXPECT_TRUE(list < items && items < summary && summary < findings);

    const std::string sheet = ZipMember(file, "xl/worksheets/sheet1.xml");
    for (const char* part : {
             "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>",
             "<autoFilter ref=\"A1:V7\"/>",
             "<c r=\"B2\" s=\"2\"><v>45366</v></c>",  // 2024-03-15
             "<c r=\"M2\" s=\"3\"><v>772000</v></c>",
             "<c r=\"M4\" s=\"3\"><v>-100000</v></c>",
             "<c r=\"M8\" s=\"4\"><f>SUBTOTAL(109,M2:M7)</f><v>872000</v></c>",
         }) {
        EXPECT_NE(sheet.find(part), std::string::npos) << part;
    }
    const std::string styles = ZipMember(file, "xl/styles.xml");
    EXPECT_NE(styles.find("formatCode=\"yyyy-mm-dd\""), std::string::npos);
    EXPECT_NE(styles.find("formatCode=\"#,##0\""), std::string::npos);
    const std::string strings = ZipMember(file, "xl/sharedStrings.xml");
    EXPECT_NE(strings.find("<t>=토너 \"A\", 정품</t>"), std::string::npos);
    EXPECT_NE(strings.find("<t>K14</t>"), std::string::npos);
}

TEST_F(LedgerFolder, AFileThatCannotBeWrittenLeavesNothingBehind) {
    const LedgerModel ledger = ReadAll();
    const std::filesystem::path taken = m_folder.Path() / "taken";
    for (const char* name : {"taken/a.xlsx", "taken/a.csv"}) {
        SCOPED_TRACE(name);
        std::filesystem::create_directories(m_folder.Path() / name);  // a folder at the name
        EXPECT_FALSE(ExportLedger(ledger, m_folder.Path() / name));
        EXPECT_FALSE(ExportLedger(ledger, m_folder.Path() / "missing" / "a.xlsx"));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(taken),
                            std::filesystem::directory_iterator()),
              2);
    EXPECT_FALSE(ExportLedger(ledger, m_folder.Path() / "a.ods"));
}

}  // namespace
}  // namespace ledgra::testing
