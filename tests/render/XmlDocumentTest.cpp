#include "render/XmlDocument.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "render/XmlParsing.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// A standard-schema invoice in miniature: default namespace, a signature with prefixed
// elements (one named like an invoice element), repeated and nested values.
constexpr std::string_view kInvoice = R"(<?xml version="1.0" encoding="UTF-8"?>
<TaxInvoice xmlns="urn:kr:or:kec:standard:Tax:ReusableAggregateBusinessInformationEntitySchemaModule:1:0"
    xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
  <ExchangedDocument><ID>E1</ID></ExchangedDocument>
  <ds:Signature xmlns:ds="http://www.w3.org/2000/09/xmldsig#">
    <ds:SignedInfo><ds:DigestValue>D</ds:DigestValue></ds:SignedInfo>
    <ds:SignatureValue>S</ds:SignatureValue>
    <ds:Object><ds:IssueID>decoy</ds:IssueID></ds:Object>
  </ds:Signature>
  <TaxInvoiceDocument><IssueID>  2016 0718 </IssueID><TypeCode>0101</TypeCode></TaxInvoiceDocument>
  <TaxInvoiceTradeSettlement>
    <InvoicerParty kind="P"><ID>1388602200</ID><NameText>(주)오딘</NameText>
      <SpecifiedPerson><NameText>이성안</NameText></SpecifiedPerson></InvoicerParty>
    <InvoiceeParty><ID>1388504400</ID>
      <SpecifiedPerson><NameText>김</NameText></SpecifiedPerson></InvoiceeParty>
  </TaxInvoiceTradeSettlement>
  <TaxInvoiceTradeLineItem><SequenceNumeric>1</SequenceNumeric><NameText>A</NameText></TaxInvoiceTradeLineItem>
  <TaxInvoiceTradeLineItem><SequenceNumeric>2</SequenceNumeric><NameText>B</NameText></TaxInvoiceTradeLineItem>
</TaxInvoice>)";

// The older schema names its elements with dots.
constexpr std::string_view kDottedInvoice =
    "<TaxInvoice><TaxInvoice.Type.Code>01</TaxInvoice.Type.Code><Header><Parties>"
    "<SupplierParty><Party.Identifier>123</Party.Identifier></SupplierParty>"
    "<BuyerParty><Party.Identifier>456</Party.Identifier></BuyerParty>"
    "</Parties></Header></TaxInvoice>";

constexpr std::string_view kNestedNamespaces =
    R"(<A xmlns="urn:a"><B xmlns="urn:b"><C>1</C></B><p:D xmlns:p="urn:a"><E>2</E></p:D>)"
    R"(<F xmlns=""><C>3</C></F></A>)";

// The node texts of a list joined by "|", as code page 949.
std::string Texts(const XmlNodeList& list) {
    std::string joined;
    for (long i = 0; i < list.ListLength(); ++i) {
        if (i > 0) joined += '|';
        joined += list.ListItem(i).NodeText();
    }
    return joined;
}

XmlNodeList Select(const XmlDocument& doc, std::string_view context, std::string_view query) {
    return context.empty() ? doc.SelectNodes(query) : doc.SelectNode(context).SelectNodes(query);
}

void LoadUtf8(XmlDocument& doc, std::string_view utf8) {
    ASSERT_TRUE(doc.LoadXmlText(Cp949FromUtf8(utf8))) << utf8;
}

struct QueryCase {
    std::string_view document;
    std::string_view context;  // empty: asked on the document
    std::string_view query;
    std::string_view expectedUtf8;  // node texts joined by "|"
    long expectedLength;
};

TEST(XmlDocumentQueries, SelectTheNodesTheRenderersAskFor) {
    const QueryCase cases[] = {
        // Unprefixed names find the default namespace's elements, never the signature's.
        {kInvoice, "", "//TaxInvoice/TaxInvoiceDocument/IssueID", "  2016 0718 ", 1},
        {kInvoice, "", "//IssueID", "  2016 0718 ", 1},
        {kInvoice, "", "//SignatureValue", "", 0},
        {kInvoice, "", "//Signature", "", 0},
        {kInvoice, "", "//DigestValue", "", 0},
        {kInvoice, "", "TaxInvoice/ExchangedDocument/ID", "E1", 1},
        {kInvoice, "", "//TaxInvoiceTradeLineItem/NameText", "A|B", 2},
        {kInvoice, "", "//SpecifiedPerson/NameText", "이성안|김", 2},
        {kInvoice, "", "//TaxInvoiceTradeLineItem[SequenceNumeric='2']/NameText", "B", 1},
        {kInvoice, "", "//InvoicerParty/@kind", "P", 1},
        {kInvoice, "", "//Missing", "", 0},
        // An element's text is all its descendant text.
        {kInvoice, "", "//TaxInvoiceDocument", "  2016 0718 0101", 1},
        // Relative paths go down from the node; "//" searches the whole document.
        {kInvoice, "//InvoicerParty", "SpecifiedPerson/NameText", "이성안", 1},
        {kInvoice, "//InvoicerParty", "NameText", "(주)오딘", 1},
        {kInvoice, "//InvoicerParty", "//ExchangedDocument/ID", "E1", 1},
        {kInvoice, "//InvoicerParty", "//SpecifiedPerson/NameText", "이성안|김", 2},
        {kInvoice, "//InvoicerParty", "Missing", "", 0},
        {kInvoice, "", "TaxInvoice/Signature", "", 0},
        {kInvoice, "//TaxInvoiceTradeSettlement", "InvoiceeParty/SpecifiedPerson/NameText", "김",
         1},
        {kInvoice, "", "TaxInvoice/TaxInvoiceTradeLineItem/NameText", "A|B", 2},
        {"<A><B>1<A><B>2</B></A></B><B>3</B></A>", "", "//A/B", "12|2|3", 3},
        {"<A><B>1<A><B>2</B></A></B><B>3</B></A>", "//B", "//B/A/B", "2", 1},
        // Dotted names are ordinary names.
        {kDottedInvoice, "", "//Header/Parties/SupplierParty/Party.Identifier", "123", 1},
        {kDottedInvoice, "", "//TaxInvoice.Type.Code", "01", 1},
        {kDottedInvoice, "", "//Party.Identifier", "123|456", 2},
        {kDottedInvoice, "//Header/Parties/BuyerParty", "Party.Identifier", "456", 1},
        // Default namespaces declared again below, undeclared, and a prefix for one of them.
        {kNestedNamespaces, "", "//C", "1|3", 2},
        {kNestedNamespaces, "", "//D", "", 0},
        {kNestedNamespaces, "", "//D/E", "", 0},
        {kNestedNamespaces, "", "//E", "2", 1},
        {kNestedNamespaces, "//B", "C", "1", 1},
    };
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(std::string(c.context) + " :: " + std::string(c.query));
        XmlDocument doc;
        LoadUtf8(doc, c.document);
        XmlNodeList list = Select(doc, c.context, c.query);
        EXPECT_EQ(list.ListLength(), c.expectedLength);
        EXPECT_EQ(Texts(list), Cp949FromUtf8(c.expectedUtf8));
        // The tree the signature check parsed as written, handed on, reads the same.
        XmlDocument kept;
        const ParsedXml tree = KeepParsedXml(
            c.document.size(), ParseXmlFileBytes(c.document, XmlNamespaces::AsWritten));
        ASSERT_TRUE(kept.LoadXmlBytes(c.document, &tree));
        EXPECT_EQ(Texts(Select(kept, c.context, c.query)), Texts(list));
        EXPECT_EQ(Texts(Select(kept, c.context, "(" + std::string(c.query) + ")")), Texts(list));
        // The compiled form gives the same nodes.
        EXPECT_EQ(Texts(c.context.empty() ? doc.SelectNodes(XPath(c.query))
                                          : doc.SelectNode(c.context).SelectNodes(XPath(c.query))),
                  Texts(list));
        // Paths of plain names are walked without XPath; in parentheses they go to XPath.
        EXPECT_EQ(Texts(Select(doc, c.context, "(" + std::string(c.query) + ")")), Texts(list));
        // The first and the last are found without the list, both ways.
        for (const std::string& query : {std::string(c.query), "(" + std::string(c.query) + ")"}) {
            const XPath xpath(query);
            const auto first = [&] {
                return c.context.empty() ? doc.SelectNode(xpath)
                                         : doc.SelectNode(c.context).SelectNode(xpath);
            };
            if (c.expectedLength == 0) {
                EXPECT_THROW(first(), XmlAccessError);
            } else {
                EXPECT_EQ(first().NodeText(), list.ListItem(0).NodeText());
            }
            if (c.context.empty()) continue;
            const XmlNode context = doc.SelectNode(c.context);
            const std::optional<std::string> last = context.SelectLastText(xpath);
            ASSERT_EQ(last.has_value(), c.expectedLength > 0);
            if (last) {
                EXPECT_EQ(*last, list.ListItem(c.expectedLength - 1).NodeText());
                EXPECT_EQ(context.SelectFirstText(xpath), list.ListItem(0).NodeText());
            } else {
                EXPECT_THROW(context.SelectFirstText(xpath), XmlAccessError);
            }
        }
    }
}

TEST(XmlDocumentQueries, AsciiTextsReadAsCodePage949Converts) {
    std::string text = "\t\n";
    for (char c = ' '; c < 0x7F; ++c) {
        if (c != '<' && c != '&') text += c;
    }
    XmlDocument doc;
    LoadUtf8(doc, "<A>" + text + "</A>");
    EXPECT_EQ(doc.SelectNode("A").NodeText(), Cp949FromUtf8(text));
}

TEST(XmlDocumentQueries, SelectNodeGivesTheFirstInDocumentOrder) {
    XmlDocument doc;
    LoadUtf8(doc, kInvoice);
    EXPECT_EQ(doc.SelectNode("//NameText").NodeText(), "(주)오딘"_cp949);
    EXPECT_EQ(doc.SelectNode("//TaxInvoiceTradeLineItem").SelectNode("NameText").NodeText(), "A");
    XmlNodeList items = doc.SelectNodes("//TaxInvoiceTradeLineItem");
    ASSERT_EQ(items.ListLength(), 2);
    EXPECT_EQ(items.ListItem(1).SelectNode("SequenceNumeric").NodeText(), "2");
}

TEST(XmlDocumentQueries, MissingNodesItemsAndBadExpressionsThrow) {
    XmlDocument doc;
    LoadUtf8(doc, kInvoice);
    const XmlNode party = doc.SelectNode("//InvoicerParty");
    XmlNodeList two = doc.SelectNodes("//TaxInvoiceTradeLineItem");
    XmlNodeList none = doc.SelectNodes("//Missing");

    EXPECT_THROW(doc.SelectNode("//Missing"), XmlAccessError);
    EXPECT_THROW(doc.SelectNode("//SignatureValue"), XmlAccessError);
    EXPECT_THROW(party.SelectNode("Missing"), XmlAccessError);
    EXPECT_THROW(two.ListItem(2), XmlAccessError);
    EXPECT_THROW(two.ListItem(-1), XmlAccessError);
    EXPECT_THROW(none.ListItem(0), XmlAccessError);
    EXPECT_THROW(doc.SelectNodes("//["), XmlAccessError);
    EXPECT_THROW(XPath("TaxInvoice/"), XmlAccessError);
    EXPECT_THROW(doc.SelectNodes("ds:Signature"), XmlAccessError);  // prefix never declared
    EXPECT_THROW(doc.SelectNodes("count(//ID)"), XmlAccessError);   // a number, not nodes
    EXPECT_THROW(party.SelectNodes("namespace::*"), XmlAccessError);
    try {
        doc.SelectNode("//Missing");
    } catch (const XmlAccessError& error) {
        EXPECT_NE(std::string(error.what()).find("//Missing"), std::string::npos) << error.what();
    }
}

TEST(XmlDocumentQueries, AnEmptyDocumentHasNoNodes) {
    XmlDocument unloaded;
    EXPECT_EQ(unloaded.SelectNodes("//IssueID").ListLength(), 0);
    EXPECT_THROW(unloaded.SelectNode("//IssueID"), XmlAccessError);

    // A failed load empties a document that held one.
    XmlDocument doc;
    LoadUtf8(doc, kInvoice);
    EXPECT_FALSE(doc.LoadXmlText("<TaxInvoice>"));
    EXPECT_EQ(doc.SelectNodes("//IssueID").ListLength(), 0);
    EXPECT_THROW(doc.SelectNode("//IssueID"), XmlAccessError);
}

TEST(XmlDocumentQueries, NodesAndListsOutliveReloadsAndTheirDocument) {
    auto doc = std::make_unique<XmlDocument>();
    LoadUtf8(*doc, kInvoice);
    XmlNode issueId = doc->SelectNode("//IssueID");
    XmlNodeList items = doc->SelectNodes("//TaxInvoiceTradeLineItem/NameText");
    LoadUtf8(*doc, kDottedInvoice);
    EXPECT_EQ(doc->SelectNode("//Party.Identifier").NodeText(), "123");
    doc.reset();
    EXPECT_EQ(issueId.NodeText(), "  2016 0718 ");
    EXPECT_EQ(Texts(items), "A|B");
    EXPECT_EQ(issueId.SelectNode("//ExchangedDocument/ID").NodeText(), "E1");
}

TEST(XmlDocumentQueries, OneCompiledExpressionServesManyDocumentsAndThreads) {
    static const XPath kNameOfSecondItem("//Item[string-length(Seq) > 0 and Seq = '2']/Name");
    auto run = [](int worker, std::string* failure) {
        for (int round = 0; round < 200; ++round) {
            const std::string name = std::to_string(worker * 1000 + round);
            XmlDocument doc;
            if (!doc.LoadXmlText("<R><Item><Seq>1</Seq><Name>x</Name></Item><Item><Seq>2</Seq>"
                                 "<Name>" +
                                 name + "</Name></Item></R>")) {
                *failure = "load failed";
                return;
            }
            const XPath copy = kNameOfSecondItem;
            const std::string text = doc.SelectNode(copy).NodeText();
            if (text != name) {
                *failure = "worker " + std::to_string(worker) + " read " + text;
                return;
            }
        }
    };
    std::vector<std::string> failures(4);
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i) workers.emplace_back(run, i, &failures[i]);
    for (std::thread& worker : workers) worker.join();
    for (const std::string& failure : failures) EXPECT_EQ(failure, "");
}

}  // namespace
}  // namespace ledgra
