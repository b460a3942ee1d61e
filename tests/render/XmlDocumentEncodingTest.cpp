#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "render/XmlDocument.h"
#include "render/XmlParsing.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {


std::string Utf16LittleEndian(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

struct FileCase {
    const char* name;
    std::string bytes;
    std::string expectedCp949;  // the text of //V
};

TEST(XmlDocumentEncoding, FilesAreReadAsTheyDeclareThemselves) {
    const std::string decl = R"(<?xml version="1.0" encoding="utf-8"?>)";
    const FileCase cases[] = {
        {"utf-8 declared", decl + "<V>가</V>", "\xB0\xA1"},
        {"utf-8 with byte-order mark", "\xEF\xBB\xBF" + decl + "<V>가</V>", "\xB0\xA1"},
        {"no declaration", "<V>가</V>", "\xB0\xA1"},
        {"euc-kr read as code page 949",
         "<?xml version=\"1.0\" encoding=\"euc-kr\"?><V>\xB0\xA1\x8C\x63</V>", "\xB0\xA1\x8C\x63"},
        {"other Korean name, single quotes",
         "<?xml version='1.0' encoding = 'KS_C_5601-1987' ?><V>\x8C\x63</V>", "\x8C\x63"},
        {"utf-16 with byte-order mark",
         Utf16LittleEndian(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><V>가</V>"), "\xB0\xA1"},
        {"iso-8859-1 declared", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><V>\xD7</V>",
         Cp949FromUtf8("×")},
        // Texts: untrimmed, outside code page 949 "?", references and sections resolved.
        {"untrimmed", "<V>\n\t x \t\n</V>", "\n\t x \t\n"},
        {"outside code page 949",
         "<V>A\xF0\x9F\x98\x80"
         "B\xE2\x82\xA9</V>",
         "A?B?"},
        {"references", "<V>&#44032;&lt;&amp;&gt;&quot;&apos;</V>", "\xB0\xA1<&>\"'"},
        {"cdata, comment and instruction", "<V><![CDATA[<b>]]>c<!-- no -->d<?pi no?></V>", "<b>cd"},
        {"empty", "<V/>", ""},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadXmlBytes(c.bytes));
        EXPECT_EQ(doc.SelectNode("//V").NodeText(), c.expectedCp949);
    }
}

TEST(XmlDocumentEncoding, EmptyAndUndecodableBytesDoNotLoad) {
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadXmlBytes(""));
    EXPECT_FALSE(doc.LoadXmlBytes("<?xml version=\"1.0\"?><V>\xFF</V>"));
}

TEST(XmlDocumentEncoding, TextIsCodePage949WhateverItDeclares) {
    const std::string_view cases[] = {
        "<?xml version=\"1.0\" encoding=\"euc-kr\"?><V>\xB0\xA1\x8C\x63</V>",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><V>\xB0\xA1\x8C\x63</V>",
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?><V>\xB0\xA1\x8C\x63</V>",
        "<V>\xB0\xA1\x8C\x63</V>",
    };
    for (std::string_view text : cases) {
        SCOPED_TRACE(std::string(text));
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadXmlText(text));
        EXPECT_EQ(doc.SelectNode("//V").NodeText(), "\xB0\xA1\x8C\x63");
    }
    // Never guessed to be UTF-16.
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadXmlText(std::string_view("<\0V\0/\0>\0", 8)));
}

// A well-formed document of exactly `size` bytes, in elements of ordinary size.
std::string DocumentOfSize(std::size_t size) {
    std::string text(size, 'x');
    text.replace(0, 3, "<R>");
    text.replace(size - 4, 4, "</R>");
    for (std::size_t at = 3; at + 4096 + 4 <= size; at += 4096) {
        text.replace(at, 3, "<a>");
        text.replace(at + 4092, 4, "</a>");
    }
    return text;
}

TEST(XmlDocumentEncoding, LargeDocumentsLoadOnEveryPath) {
    // Past 10 MB libxml2 refuses input it has to convert; every path must parse natively.
    const std::string large = DocumentOfSize(std::size_t{12} << 20);
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadXmlText(large));
    EXPECT_TRUE(doc.LoadXmlBytes(large));
    EXPECT_TRUE(doc.LoadXmlBytes("\xEF\xBB\xBF" + large));
    EXPECT_TRUE(doc.LoadXmlBytes("<?xml version=\"1.0\" encoding=\"euc-kr\"?>" + large));
    EXPECT_EQ(doc.SelectNode("/R/a").NodeText(), std::string(4089, 'x'));
}

TEST(XmlDocumentEncoding, DocumentsOverTheSizeLimitDoNotLoad) {
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadXmlText(DocumentOfSize(kMaxXmlDocumentBytes + 1)));

    EXPECT_FALSE(
        doc.LoadXmlBytes(DocumentOfSize(kMaxXmlDocumentBytes + 1)));
    EXPECT_TRUE(doc.LoadXmlBytes("<R>12345</R>"));
}

}  // namespace
}  // namespace ledgra
