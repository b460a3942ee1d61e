#include <gtest/gtest.h>

#include "tests/render/ContractTestSupport.h"
#include "tests/render/RenderingTestSupport.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::ContractRendering;

TEST(RenderContentPage, TheCellGetsTheBodyFromItsTagToItsClosingTag) {
    struct Case {
        std::string text;
        std::string cell;
    };
    const Case cases[] = {
        {"<html><head><title>t</title></head><body bgcolor=\"#ffffff\">안내</body></html>"_cp949,
         "<body bgcolor=\"#ffffff\">안내</body>"_cp949},
        {"<body>a</body><body>b</body>", "<body>a</body>"},
        {"<body onload='x()'><script>y()</script></body>",
         "<body onload='x()'><script>y()</script></body>"},
        // Without either tag, or closed before it opens, the body is empty.
        {"<html>no body</html>", ""},
        {"<body>never closed", ""},
        {"</body> then <body>", ""},
        {"<BODY>upper case</BODY>", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        ContractRendering r;
        EXPECT_EQ(r.RenderContentPage(c.text), "[" + c.cell + "]") << c.text;
        EXPECT_TRUE(r.ui.Events().empty());
    }
}

TEST(RenderContentPage, WithoutItsTemplateThereIsNoPage) {
    ContractRendering r;
    std::filesystem::remove(r.folder.Path() / "templates" / "208.html");
    EXPECT_EQ(r.RenderContentPage("<body>x</body>"), "");
}

TEST(RenderContentPage, TheBuiltInPageShowsTheBodyInItsBlock) {
    ContractRendering r(true);
    const std::string page = Utf8FromCp949(r.RenderContentPage("<body>거래 안내</body>"_cp949));
    EXPECT_NE(page.find("><body>거래 안내</body></pre>"), std::string::npos);
}

}  // namespace
}  // namespace ledgra
