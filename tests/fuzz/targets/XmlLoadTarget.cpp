// An XML document loaded both ways the renderers load one (a file's bytes honouring their own
// encoding, and code page 949 text) and queried the way they query: whole-document searches,
// relative paths and node texts.

#include <algorithm>

#include "render/XmlDocument.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "text/Cp949.h"

namespace ledgra::fuzz {
namespace {

// A node's text covers all its descendants, so only the first nodes of a list are read: the
// renderers read a bounded number of texts too.
constexpr long kTextsRead = 64;

void ReadTexts(const XmlNodeList& nodes) {
    const long count = std::min(nodes.ListLength(), kTextsRead);
    for (long i = 0; i < count; ++i) {
        // Texts come back as code page 949, with "?" for what it cannot hold.
        FUZZ_CHECK(IsValidCp949(nodes.ListItem(i).NodeText()));
    }
}

void CompareLists(const XmlNodeList& walked, const XmlNodeList& evaluated) {
    FUZZ_CHECK(walked.ListLength() == evaluated.ListLength());
    for (long j = 0; j < std::min(walked.ListLength(), kTextsRead); ++j) {
        FUZZ_CHECK(walked.ListItem(j).NodeText() == evaluated.ListItem(j).NodeText());
    }
}

// A path of plain names is walked without XPath; in parentheses it goes to XPath, and both must
// select the same nodes.
void CompareWalks(const XmlDocument& document, const XmlNodeList& elements) {
    static const XPath kWalked("TaxInvoiceDocument/IssueID");
    static const XPath kEvaluated("(TaxInvoiceDocument/IssueID)");
    static const XPath kWalkedAnywhere("//TaxInvoice/TaxInvoiceDocument");
    static const XPath kEvaluatedAnywhere("(//TaxInvoice/TaxInvoiceDocument)");
    CompareLists(document.SelectNodes(kWalkedAnywhere), document.SelectNodes(kEvaluatedAnywhere));
    const long count = std::min(elements.ListLength(), kTextsRead);
    for (long i = 0; i < count; ++i) {
        CompareLists(elements.ListItem(i).SelectNodes(kWalked),
                     elements.ListItem(i).SelectNodes(kEvaluated));
    }
}

void Query(const XmlDocument& document) {
    static const XPath kElements("//*");
    static const XPath kAttributes("//@*");
    static const XPath kInvoiceDocument("//TaxInvoice/TaxInvoiceDocument");
    static const XPath kIssueId("IssueID");
    static const XPath kParty("//TaxInvoiceTradeSettlement/InvoicerParty");

    const XmlNodeList elements = document.SelectNodes(kElements);
    ReadTexts(elements);
    CompareWalks(document, elements);
    ReadTexts(document.SelectNodes(kAttributes));
    if (elements.ListLength() > 0) {
        ReadTexts(elements.ListItem(0).SelectNodes(kParty));
        ReadTexts(elements.ListItem(elements.ListLength() - 1).SelectNodes(kIssueId));
    }
    const XmlNodeList invoices = document.SelectNodes(kInvoiceDocument);
    if (invoices.ListLength() > 0) {
        ReadTexts(invoices.ListItem(0).SelectNodes(kIssueId));
    } else {
        // A node that is not there is an error the renderers let the run catch.
        bool thrown = false;
        try {
            document.SelectNode(kInvoiceDocument);
        } catch (const XmlAccessError&) {
            thrown = true;
        }
        FUZZ_CHECK(thrown);
    }
}

}  // namespace

void FuzzXmlLoad(std::string_view input) {
    XmlDocument fromBytes;
    if (fromBytes.LoadXmlBytes(input)) {
        Query(fromBytes);
    } else {
        FUZZ_CHECK(fromBytes.SelectNodes("//*").ListLength() == 0);
    }
    XmlDocument fromText;
    if (fromText.LoadXmlText(input)) Query(fromText);
}

}  // namespace ledgra::fuzz
