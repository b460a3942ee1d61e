#include <gtest/gtest.h>

#include "tests/render/RenderingTestSupport.h"
#include "tests/render/StandardInvoiceTestSupport.h"
#include "tests/support/SharedSamples.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::InvoiceRendering;
using testing::RenderedInvoice;
using testing::StandardInvoicePlaceholderNames;

using Cells = std::map<std::string, std::string>;

std::filesystem::path RealSample(std::string_view name) {
    return std::filesystem::path(LEDGRA_SHARED_SAMPLES "/real/xml") / name;
}

// The cells every sample by the same issuer shares.
Cells OdinParties() {
    return {{"IMG", "1388602200"},
            {"등록번호P", "138-86-02200"},
            {"상호P", "(주)오딘소프트"},
            {"성명P", "이성안"},
            {"주소P", "경기 성남시 분당구 삼평동 삼환하이펙스 B동 B101-3호"},
            {"업태P", "서비스"},
            {"종목P", "S/W개발공급"},
            {"종사업장번호P", "&nbsp;"},
            {"등록번호R", "138-85-04400"},
            {"상호R", "(주)오딘서비스"},
            {"성명R", "홍길동"},
            {"주소R", "경기도 성남시 분당구 삼평동 삼환하이펙스 B102"},
            {"업태R", "서비스"},
            {"종목R", "S/W개발공급자문"},
            {"품목1", "통합전산시스템 유지보수료&nbsp;"},
            {"규격1", "&nbsp;"},
            {"비고1", "&nbsp;"},
            {"품목2", "&nbsp;"},
            {"수정사유", "&nbsp;"},
            {"비고", "&nbsp;"},
            {"현금", "0"},
            {"수표", "0"},
            {"어음", "0"},
            {"영수청구", "청구"}};
}

Cells With(Cells cells, const Cells& more) {
    for (const auto& [name, value] : more) cells[name] = value;
    return cells;
}

struct SampleCase {
    const char* file;
    Cells cells;
};

TEST(StandardInvoiceSamples, RealInvoicesShowEveryValue) {
    LEDGRA_SKIP_WITHOUT_SHARED_SAMPLES();
    const SampleCase cases[] = {
        {"kr-etax-sample_unsigned.xml",
         {{"제목", "전 자 세 금 계 산 서"},
          {"승인번호", "200909143900502610018801"},
          {"IMG", "2048631263"},
          {"등록번호P", "204-86-31263"},
          {"상호P", "(주)샘플사업자"},
          {"성명P", "홍길동"},
          {"종사업장번호P", "1111"},
          {"업태P", "통신업,도소매,부동산,사업서비스"},
          {"종목P", "부가통신업,컴퓨터 및 주변기기"},
          {"주소P", "서울 강남구 역삼동"},
          {"등록번호R", "602-81-31841"},
          {"상호R", "상하차업체"},
          {"종사업장번호R", "&nbsp;"},
          {"작성년", "2009"},
          {"작성월", "09"},
          {"작성일", "14"},
          {"공1", "&nbsp;"},
          {"공3", "&nbsp;"},
          {"공4", "1"},
          {"공12", "0"},
          {"세4", "1"},
          {"월1", "09"},
          {"일1", "14"},
          {"품목1", "한석봉&nbsp;"},
          {"규격1", "&nbsp;"},
          {"수량1", "1&nbsp;"},
          {"단가1", "100,000,000"},
          {"공급가액1", "100,000,000"},
          {"세액1", "10,000,000"},
          {"비고1", "&nbsp;"},
          {"합계금액", "110,000,000"},
          {"현금", "110,000,000"},
          {"수표", "0"},
          {"외상미수금", "0"}}},
        {"open-etaxbill_1-0101.xml", With(OdinParties(), {{"제목", "전 자 세 금 계 산 서"},
                                                          {"승인번호", "201607184200023800000001"},
                                                          {"작성년", "2016"},
                                                          {"작성월", "07"},
                                                          {"작성일", "18"},
                                                          {"공7", "2"},
                                                          {"공12", "0"},
                                                          {"세7", "2"},
                                                          {"월1", "07"},
                                                          {"일1", "18"},
                                                          {"수량1", "1&nbsp;"},
                                                          {"단가1", "220,000"},
                                                          {"공급가액1", "220,000"},
                                                          {"세액1", "22,000"},
                                                          {"합계금액", "242,000"},
                                                          {"외상미수금", "242,000"}})},
        {"open-etaxbill_1-0201.xml", With(OdinParties(), {{"제목", "전 자 수 정 세 금 계 산 서"},
                                                          {"승인번호", "201607204200023800000001"},
                                                          {"작성일", "20"},
                                                          {"공5", "&nbsp;"},
                                                          {"공6", "-"},
                                                          {"공7", "2"},
                                                          {"수량1", "-1&nbsp;"},
                                                          {"공급가액1", "-220,000"},
                                                          {"세액1", "-22,000"},
                                                          {"합계금액", "-242,000"},
                                                          {"외상미수금", "-242,000"}})},
        {"open-etaxbill_1-0301.xml", With(OdinParties(), {{"제목", "전 자 계 산 서"},
                                                          {"승인번호", "201607254200023800000001"},
                                                          {"작성일", "25"},
                                                          {"세10", "&nbsp;"},
                                                          {"세11", "0"},
                                                          {"공급가액1", "220,000"},
                                                          {"세액1", "0"},
                                                          {"합계금액", "220,000"},
                                                          {"외상미수금", "220,000"}})},
        {"open-etaxbill_1-0401.xml", With(OdinParties(), {{"제목", "전 자 수 정 계 산 서"},
                                                          {"승인번호", "201607304200023800000001"},
                                                          {"작성일", "30"},
                                                          {"공급가액1", "-220,000"},
                                                          {"세액1", "0"},
                                                          {"합계금액", "-220,000"},
                                                          {"외상미수금", "-220,000"}})},
        {"etaxbill-certifier_6-0101_signed.xml",
         {{"제목", "전 자 세 금 계 산 서"},
          {"승인번호", "201409184100007300000001"},
          {"상호P", "(주)오라이언소프트"},
          {"성명P", "노병호"},
          {"업태P", "서비스,제조외"},
          {"등록번호R", "144-85-04244"},
          {"상호R", "(주)엔씨소프트 (판교알앤디센터지점)"},
          {"주소R", "경기 성남시 분당구 대왕판교로644번길 12 (삼평동,판교알앤디센터지점)"},
          {"작성년", "2014"},
          {"품목1", "엔씨소프트 C타워 8층 오픈회의실 출입통제시스템 추가 공사 &nbsp;"},
          {"수량1", "0.00&nbsp;"},
          {"단가1", "0.00"},
          {"공급가액1", "1,189,100"},
          {"세액1", "118,910"},
          {"합계금액", "1,308,010"},
          {"외상미수금", "1,308,010"}}},
        {"etaxbill-certifier_6-0301_signed.xml",
         {{"제목", "전 자 계 산 서"},
          {"승인번호", "201106304100007300000001"},
          {"상호P", "(주)오딘소프트"},
          {"등록번호R", "111-11-11119"},
          {"상호R", "(주)오딘소프트서비스"},
          {"종목R", "콜센터및텔레마케팅"},
          {"작성월", "06"},
          {"공급가액1", "1,000"},
          {"합계금액", "1,000"},
          {"외상미수금", "1,000"}}},
    };
    for (const SampleCase& sample : cases) {
        SCOPED_TRACE(sample.file);
        InvoiceRendering rendering;
        const RenderedInvoice rendered = rendering.RenderFile(RealSample(sample.file));
        ASSERT_FALSE(rendered.page.empty());
        EXPECT_TRUE(rendering.ui.Events().empty());
        for (const auto& [name, value] : sample.cells) {
            EXPECT_EQ(rendered.Cell(name), value) << "cell " << name;
        }
        // Every placeholder was filled.
        EXPECT_EQ(rendered.page.find(':'), std::string::npos);
    }
}

// The placeholders of the standard invoice's vocabulary still found in a page.
std::vector<std::string> UnfilledPlaceholders(const std::string& page) {
    std::vector<std::string> unfilled;
    for (const std::string& name : StandardInvoicePlaceholderNames()) {
        if (page.find(Cp949FromUtf8(":" + name + ":")) != std::string::npos) {
            unfilled.push_back(name);
        }
    }
    return unfilled;
}

TEST(StandardInvoiceSamples, BuiltInTemplatesAreFilledCompletelyInBothCopies) {
    LEDGRA_SKIP_WITHOUT_SHARED_SAMPLES();
    InvoiceRendering rendering(/*builtInTemplates=*/true);
    rendering.SetOwnNumber("1388602200");
    const std::filesystem::path sample = RealSample("open-etaxbill_1-0201.xml");

    const std::string buyerCopy = rendering.RenderFile(sample).page;
    EXPECT_NE(buyerCopy.find("(공급받는자 보관용)"_cp949), std::string::npos);
    EXPECT_EQ(UnfilledPlaceholders(buyerCopy), std::vector<std::string>{});

    rendering.copy.otherCopy = true;
    const std::string supplierCopy = rendering.RenderFile(sample).page;
    EXPECT_NE(supplierCopy.find("(공급자 보관용)"_cp949), std::string::npos);
    EXPECT_EQ(UnfilledPlaceholders(supplierCopy), std::vector<std::string>{});

    for (const std::string* page : {&buyerCopy, &supplierCopy}) {
        EXPECT_NE(page->find("전 자 수 정 세 금 계 산 서"_cp949), std::string::npos);
        EXPECT_NE(page->find("(주)오딘소프트"_cp949), std::string::npos);
        EXPECT_NE(page->find("-242,000"), std::string::npos);
        EXPECT_NE(page->find("stamp_image/1388602200.gif"), std::string::npos);
    }
}

}  // namespace
}  // namespace ledgra
