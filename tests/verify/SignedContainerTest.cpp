#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/RecordingUserInterface.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"
#include "verify/SignedContainer.h"

namespace ledgra {
namespace {

using testing::RecordingUserInterface;
using testing::TempFolder;
using namespace std::string_literals;

const std::string kRejection = "box|에러 메시지|!|규정된 파일이 아닙니다.";

// Unwraps a file through a checker that records the signed texts it is given and hands back
// "verified <text>".
struct Unwrapped {
    bool accepted = false;
    std::string content;
    std::vector<std::string> signedTexts;
    std::vector<bool> listedSigners;
    std::vector<std::string> lines;
};

Unwrapped Unwrap(const std::string& fileText, UnwrapMode mode = UnwrapMode::Show) {
    TempFolder folder;
    const auto path = folder.Write("document.ktx", fileText);
    RecordingUserInterface ui;
    Unwrapped result;
    result.accepted = UnwrapSignedFile(
        path, result.content, mode, ui,
        [&result](const std::string& signedText, std::string& content, bool listSigners) {
            result.signedTexts.push_back(signedText);
            result.listedSigners.push_back(listSigners);
            content = "verified " + signedText;
            return true;
        });
    result.lines = ui.Lines();
    return result;
}

TEST(UnwrapSignedFile, RecognisesTheFormByItsFirstCharacter) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        std::string name;
        std::string fileText;
        // The signed text handed to the module; none for a plain XML document or a rejection.
        std::vector<std::string> signedTexts;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {"plain XML", "<?xml version=\"1.0\"?><a/>", {}, true},
        {"plain XML after a byte-order mark", bom + "<a/>", {}, true},
        {"bare signed message", "MIIBsigned", {"MIIBsigned"}, true},
        {"bare signed message after a byte-order mark", bom + "MIIB", {"MIIB"}, true},
        {"bare form, code 2, length 7", ";07020;SIGNED", {"SIGNED"}, true},
        {"bare form, code 6, length 9", ";09060000SIGNED", {"SIGNED"}, true},
        {"bare form, header only", ";07020;", {""}, true},
        {"wrapped form", ";0700;<doc data=\";07020;SIGNED\"/>", {"SIGNED"}, true},
        {"wrapped form, payload length 9",
         ";0700;<doc data=\";09020000SIGNED\"/>",
         {"SIGNED"},
         true},
        {"bare form with length digit 8", ";08020;;SIGNED", {}, false},
        {"unknown form code", ";07050;SIGNED", {}, false},
        {"header shorter than the form code", ";07", {}, false},
        {"header longer than the file", ";0902", {}, false},
        {"bare form ending inside its header", ";09020", {}, false},
        {"wrapped form without data=\"", ";0700;<doc data=;07020;SIGNED/>", {}, false},
        {"wrapped form with an unterminated payload", ";0700;<doc data=\";07020;SIGNED", {}, false},
        {"wrapped payload with length digit 8", ";0700;<doc data=\";08020;;SIGNED\"/>", {}, false},
        {"wrapped payload too short for its header", ";0700;<doc data=\";0\"/>", {}, false},
        {"empty file", "", {}, false},
        {"zero first byte", "\0MIIB"s, {}, false},
        {"another first character", "PK\x03\x04", {}, false},
        {"byte-order mark alone", bom, {}, false},
        {"a blank before the form", " <a/>", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Unwrapped result = Unwrap(c.fileText);
        EXPECT_EQ(result.accepted, c.accepted);
        EXPECT_EQ(result.signedTexts, c.signedTexts);
        if (c.accepted) {
            EXPECT_TRUE(result.lines.empty());
        } else {
            EXPECT_EQ(result.lines, std::vector<std::string>{kRejection});
        }
    }
}

TEST(UnwrapSignedFile, PlainXmlKeepsTheWholeTextAsContent) {
    const std::string text = "\xEF\xBB\xBF<TaxInvoice>\xB0\xA1</TaxInvoice>";
    EXPECT_EQ(Unwrap(text).content, text);
    EXPECT_EQ(Unwrap("<a>\0tail"s).content, "<a>");
}

TEST(UnwrapSignedFile, AFileThatCannotBeReadSaysWhyAndAnEmptyOneIsNotADocument) {
    TempFolder folder;
    folder.Write("empty.tsn", "");
    folder.Write("locked.tsn", "M...");
    std::filesystem::permissions(folder.Path() / "locked.tsn", std::filesystem::perms::none);
    std::filesystem::create_directory(folder.Path() / "folder.tsn");
    ASSERT_EQ(::mkfifo((folder.Path() / "fifo.tsn").c_str(), 0600), 0);
    const std::string unreadable = "box|에러 메시지|!|파일을 읽을 수 없습니다: ";
    const struct {
        std::string name;
        std::string line;
    } cases[] = {
        {"missing.tsn", unreadable + "파일이 없습니다."},
        {"folder.tsn", unreadable + "일반 파일이 아닙니다."},
        {"fifo.tsn", unreadable + "일반 파일이 아닙니다."},
        {"locked.tsn", unreadable + "읽을 권한이 없습니다."},
        {"empty.tsn", kRejection},
    };
    for (const auto& c : cases) {
        // Permissions do not hold for the superuser.
        if (c.name == "locked.tsn" && ::geteuid() == 0) continue;
        SCOPED_TRACE(c.name);
        RecordingUserInterface ui;
        std::string content;
        std::string rejection;
        EXPECT_FALSE(UnwrapSignedFile(
            folder.Path() / c.name, content, UnwrapMode::Verify, ui,
            [](const std::string&, std::string&, bool) { return true; }, {}, &rejection));
        EXPECT_EQ(ui.Lines(), std::vector<std::string>{c.line});
        EXPECT_EQ("box|에러 메시지|!|" + Utf8FromCp949(rejection), c.line);
    }
}

TEST(UnwrapSignedFile, BadAttachmentHeadersAreReportedAndTheDocumentStillVerified) {
    const std::string file =
        ";0700;<container><doc data=\";07020;SIGNED\"/>"
        "<file name=\"a.txt\" data=\";05020;QUJD\"/>"
        "<file name=\"b.txt\" data=\";09060000QUJD\"/>"
        "<file name=\"c.txt\" data=\";0\"/>"
        "<file name=\"d.txt\" data=\";07020;QUJD\"/></container>";
    const Unwrapped result = Unwrap(file);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.signedTexts, std::vector<std::string>{"SIGNED"});
    // Digit 5 and a header too short to have a digit; 9 and 7 are fine.
    EXPECT_EQ(result.lines, (std::vector<std::string>{kRejection, kRejection}));
}

// How many attachments of a wrapped container are bad, read with AttributeValue as the
// container's definition reads them: the data value after each "<file" from position 5 on.
int BadAttachments(const std::string& file) {
    int bad = 0;
    for (std::size_t at = file.find("<file", 5); at != std::string::npos;
         at = file.find("<file", at + 5)) {
        const std::string value = AttributeValue(file, "data=", at);
        if (value.size() <= 2 || (value[2] != '7' && value[2] != '9')) ++bad;
    }
    return bad;
}

TEST(UnwrapSignedFile, TheAttachmentScanReadsValuesAsAttributeValueDoes) {
    const std::string header = ";0700;<doc data=\";07020;SIGNED\"/>";
    // Tags without a value of their own take the next one; values cut short or unquoted.
    const std::vector<std::string> attachments = {
        "<file name=\"a\"/><file data=\";09\"/>",
        "<file name=\"a\"/><file/><file data=\";05\"/>",
        "<file data=\";0\"/><file data=\"\"/>",
        "<file data= \";07\"/><file data=;09 \"x\"",
        "<file data=\";07",
        "<file data=",
        "<file><file><file",
    };
    for (const std::string& tail : attachments) {
        const std::string file = header + tail;
        const Unwrapped result = Unwrap(file);
        EXPECT_TRUE(result.accepted) << tail;
        EXPECT_EQ(result.lines, std::vector<std::string>(BadAttachments(file), kRejection)) << tail;
    }
}

TEST(UnwrapSignedFile, ManyBadAttachmentsAreToldOnlyAFewTimes) {
    std::string file = ";0700;<doc data=\";07020;SIGNED\"/>";
    for (int i = 0; i < 20000; ++i) file += "<file data=\";05\"/>";
    const Unwrapped result = Unwrap(file);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.lines, std::vector<std::string>(3, kRejection));
}

TEST(UnwrapSignedFile, AttachmentsAreNotCheckedWhenThePayloadIsRejected) {
    const Unwrapped result =
        Unwrap(";0700;<doc data=\";08020;;SIGNED\"/><file name=\"a\" data=\";05\"/>");
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.lines, std::vector<std::string>{kRejection});
}

TEST(UnwrapSignedFile, OnlyABareSignedMessageInVerifyModeListsItsSigners) {
    EXPECT_EQ(Unwrap("MIIB", UnwrapMode::Verify).listedSigners, std::vector<bool>{true});
    EXPECT_EQ(Unwrap("MIIB", UnwrapMode::Show).listedSigners, std::vector<bool>{false});
    EXPECT_EQ(Unwrap(";07020;MIIB", UnwrapMode::Verify).listedSigners, std::vector<bool>{false});
}

// A checker whose contents are given by signed text, failing for texts it does not know.
struct NestedChecker {
    std::map<std::string, std::string> contents;
    std::vector<std::string> signedTexts;

    bool operator()(const std::string& signedText, std::string& content, bool) {
        signedTexts.push_back(signedText);
        const auto found = contents.find(signedText);
        if (found == contents.end()) return false;
        content = found->second;
        return true;
    }
};

bool UnwrapNested(const std::string& fileText, UnwrapMode mode, NestedChecker& checker,
                  std::string& content) {
    TempFolder folder;
    RecordingUserInterface ui;
    return UnwrapSignedFile(folder.Write("nested.kcx", fileText), content, mode, ui,
                            std::ref(checker));
}

TEST(UnwrapSignedFile, ShowModeUnwrapsASignedMessageInsideASignedMessageOnce) {
    const std::map<std::string, std::string> contents = {
        {"MOUTER", "MMIDDLE"}, {"MMIDDLE", "MINNER"}, {"MINNER", "<doc/>"}};
    {
        NestedChecker checker{contents, {}};
        std::string content;
        EXPECT_TRUE(UnwrapNested("MOUTER", UnwrapMode::Show, checker, content));
        // No third level.
        EXPECT_EQ(checker.signedTexts, (std::vector<std::string>{"MOUTER", "MMIDDLE"}));
        EXPECT_EQ(content, "MINNER");
    }
    {
        NestedChecker checker{contents, {}};
        std::string content;
        EXPECT_TRUE(UnwrapNested("MOUTER", UnwrapMode::Verify, checker, content));
        EXPECT_EQ(checker.signedTexts, std::vector<std::string>{"MOUTER"});
        EXPECT_EQ(content, "MMIDDLE");
    }
    {
        // The inner message's verdict is final.
        NestedChecker checker{{{"MOUTER", "MBROKEN"}}, {}};
        std::string content;
        EXPECT_FALSE(UnwrapNested("MOUTER", UnwrapMode::Show, checker, content));
    }
}

TEST(UnwrapSignedFile, AFailedOuterMessageIsNotUnwrappedFurther) {
    NestedChecker checker{{{"MINNER", "<doc/>"}}, {}};
    std::string content;
    EXPECT_FALSE(UnwrapNested("MOUTER", UnwrapMode::Show, checker, content));
    EXPECT_EQ(checker.signedTexts, std::vector<std::string>{"MOUTER"});
}

}  // namespace
}  // namespace ledgra
