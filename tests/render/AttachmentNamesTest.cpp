#include <gtest/gtest.h>

#include "render/AttachmentNames.h"
#include "tests/render/ContractTestSupport.h"
#include "tests/render/RenderingTestSupport.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::ContractRendering;
using testing::ContractXml;
using testing::DataArea;
using testing::ReadBytes;
using Names = std::vector<std::string>;

struct NameCase {
    std::string name;  // code page 949, as decoded from the document
    std::string file;  // code page 949
};

TEST(AttachmentFileNames, EveryNameBecomesOneHarmlessFileName) {
    const std::string longStem(300, 'a');
    const std::string longKorean = [] {
        std::string text;
        for (int k = 0; k < 150; ++k) text += "가"_cp949;
        return text;
    }();
    const NameCase cases[] = {
        {"appendix.txt", "zova_appendix.txt"},
        {"계약서 부록.hwp"_cp949, "zova_계약서 부록.hwp"_cp949},
        {"../x", "zova____x"},
        {"a/../../y", "zova_a_______y"},
        {"/etc/passwd", "zova__etc_passwd"},
        {"..", "zova___"},
        {".bashrc", "zova__bashrc"},
        {"...hidden.txt", "zova____hidden.txt"},
        {"report..final.pdf", "zova_report__final.pdf"},
        {"a\\b.txt", "zova_a_b.txt"},
        {"C:\\Windows\\x.exe", "zova_C__Windows_x.exe"},
        {"trailing \t\r\n", "zova_trailing"},
        {"  leading", "zova_  leading"},
        {std::string("nul\0.pdf.exe", 12), "zova_nul_.pdf.exe"},
        {"line\nbreak\x1B[31m.txt", "zova_line_break_[31m.txt"},
        {"q'u\"o<t>e&s.txt", "zova_q_u_o_t_e_s.txt"},
        {"a#b?c%41d`e.txt", "zova_a_b_c_41d_e.txt"},
        {"a:b*c|d.txt", "zova_a_b_c_d.txt"},
        // A lead byte without its trail byte is no character.
        {"bad\xB0.txt", "zova_bad_.txt"},
        {"", "zova_"},
        {longStem + ".pdf", "zova_" + std::string(kMaxAttachmentFileNameBytes - 9, 'a') + ".pdf"},
        // 150 Hangul syllables: 450 bytes on disk; 63 of them fit beside the prefix and ".txt".
        {longKorean + ".txt", "zova_" + longKorean.substr(0, 2 * 63) + ".txt"},
        // An "extension" too long to be one is cut with the rest.
        {"x." + longStem, "zova_x." + std::string(kMaxAttachmentFileNameBytes - 7, 'a')},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(Utf8FromCp949(c.name));
        const std::string file = AttachmentFileNames().Claim(c.name);
        EXPECT_EQ(Utf8FromCp949(file), Utf8FromCp949(c.file));
        EXPECT_TRUE(IsValidCp949(file));
        EXPECT_LE(Utf8FromCp949(file).size(), kMaxAttachmentFileNameBytes);
        EXPECT_EQ(file.find('/'), std::string::npos);
    }
}

TEST(AttachmentFileNames, NamesThatCollideGetFilesOfTheirOwn) {
    AttachmentFileNames names;
    EXPECT_EQ(names.Claim("a/b.txt"), "zova_a_b.txt");
    EXPECT_EQ(names.Claim("a_b.txt"), "zova_a_b (2).txt");
    EXPECT_EQ(names.Claim("a\\b.txt"), "zova_a_b (3).txt");
    EXPECT_EQ(names.Claim("a_b (2).txt"), "zova_a_b (2) (2).txt");
    EXPECT_EQ(names.Claim("A_b.txt"), "zova_A_b.txt");
    EXPECT_EQ(names.Claim("noext"), "zova_noext");
    EXPECT_EQ(names.Claim("noext"), "zova_noext (2)");
    // A shortened name makes room for its number.
    const std::string longName = std::string(300, 'n') + ".pdf";
    const std::string first = names.Claim(longName);
    const std::string second = names.Claim(longName);
    EXPECT_NE(first, second);
    EXPECT_TRUE(second.ends_with(" (2).pdf"));
    EXPECT_LE(second.size(), kMaxAttachmentFileNameBytes);
}

TEST(AttachmentLinkText, ShowsTheDocumentsNameWithoutItsMarkup) {
    const NameCase cases[] = {
        {"견적서.pdf"_cp949, "견적서.pdf"_cp949},
        {"../x", "../x"},
        {"<img src=x onerror=alert(1)>.txt", "&lt;img src=x onerror=alert(1)&gt;.txt"},
        {"</a><script>x()</script>", "&lt;/a&gt;&lt;script&gt;x()&lt;/script&gt;"},
        {"a&amp;b\"c'd", "a&amp;amp;b&quot;c&#39;d"},
        {std::string("tab\tnul\0.txt", 12), "tab_nul_.txt"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(AttachmentLinkText(c.name), c.file) << c.name;
    }
}

// Whatever the names, every attachment is written inside the log folder and each link opens
// the file written for it.
TEST(RenderContract, HostileNamesWriteOnlyInsideTheLogFolder) {
    ContractRendering r;
    const Names hostile = {"../x", "a/../../y", "/tmp/ledgra-escape", "..",  "../Logs/../z",
                           "../x", ".",         "~/.profile",         "Logs"};
    DataArea area{.fileCount = std::to_string(hostile.size())};
    for (const std::string& name : hostile) area.files.push_back({name, "from " + name});
    const std::string page = r.RenderContract(ContractXml({area}));

    EXPECT_EQ(r.FolderEntries(), (Names{"Logs", "templates"}));
    EXPECT_FALSE(std::filesystem::exists("/tmp/ledgra-escape"));
    const Names files = r.LogFiles();
    ASSERT_EQ(files.size(), hostile.size());
    const std::string list = ContractRendering::ListCell(page);
    for (std::size_t k = 0; k < files.size(); ++k) {
        SCOPED_TRACE(files[k]);
        EXPECT_TRUE(std::filesystem::is_regular_file(r.logFolder / files[k]));
        EXPECT_NE(list.find("window.open('" + r.logFolder.native() + files[k] + "'"),
                  std::string::npos);
    }
    // The two "../x" attachments keep their own contents.
    EXPECT_EQ(ReadBytes(r.logFolder / "zova____x"), "from ../x");
    EXPECT_EQ(ReadBytes(r.logFolder / "zova____x (2)"), "from ../x");
    EXPECT_NE(list.find(">1.../x</a>"), std::string::npos);
    EXPECT_NE(list.find(">6.../x</a>"), std::string::npos);
}

TEST(RenderContract, AttachmentsReplaceWhatWasPlantedAtTheirNames) {
    ContractRendering r;
    const auto victim = r.folder.Write("victim.txt", "keep");
    std::filesystem::create_symlink(victim, r.logFolder / "zova_a.txt");
    r.RenderContract(ContractXml({{.fileCount = "1", .files = {{"a.txt", "attachment"}}}}));
    EXPECT_EQ(ReadBytes(victim), "keep");
    EXPECT_FALSE(std::filesystem::is_symlink(r.logFolder / "zova_a.txt"));
    EXPECT_EQ(ReadBytes(r.logFolder / "zova_a.txt"), "attachment");
}

// The log folder's own name is the user's; characters in it that mean something to the
// link's address, script string or attribute are escaped for each.
TEST(RenderContract, TheLinkAddressSurvivesAnyLogFolderName) {
    ContractRendering r;
    const std::filesystem::path odd = r.folder.Path() / "it's \"50%\" #1 & <b>";
    std::filesystem::create_directory(odd);
    r.logFolder = odd.native() + "/";
    const std::string list = ContractRendering::ListCell(
        r.RenderContract(ContractXml({{.fileCount = "1", .files = {{"a.txt", "A"}}}})));
    const std::string escaped =
        r.folder.Path().native() + "/it\\'s &quot;50%25&quot; %231 &amp; &lt;b&gt;/zova_a.txt";
    EXPECT_NE(list.find("window.open('" + escaped + "','win'"), std::string::npos) << list;
    EXPECT_EQ(ReadBytes(odd / "zova_a.txt"), "A");
}

}  // namespace
}  // namespace ledgra
