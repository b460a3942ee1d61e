#pragma once
// Canonical XML 1.0 (inclusive, without comments) of the parts of a standard-schema invoice
// that its XML signature covers, computed with libxml2 over a tree as written.
//
// The signed node set is the invoice filter's: every node except the root TaxInvoice element,
// the ExchangedDocument and the ds:Signature subtrees. The nodes are marked once, so that the
// canonicalisation asks each node's membership in constant time.
//
// Signers canonicalise that node set in one of two ways, and both are accepted:
// - Strict: the W3C text as written (what xmlsec computes): the root's namespace declarations
//   and attributes are printed on their own, and every element of the root's namespace below
//   it declares that namespace again, since no ancestor of it in the node set did.
// - Java: as Java XML-signature implementations do it, and as real invoices are signed: the
//   root's namespace declarations are printed on their own, its attributes are not, and no
//   descendant declares them again.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct _xmlDoc;
struct _xmlNode;

namespace ledgra {

enum class CanonicalReading { Java, Strict };

// Real invoices declare three or four.
inline constexpr int kMaxNamespaceDeclarations = 64;

// libxml2's canonicalisation walks, for every element, each namespace declaration in scope and
// looks each one up through the element's ancestors, and sorts the element's attributes by
// insertion: its work grows with the elements times their depth times the declarations in
// scope, and with the square of the attributes per element, not with the document's size. A document whose
// work would pass this bound (about a second for the three passes on a slow machine; a real
// invoice needs well under a thousandth of it) is refused before any pass starts.
inline constexpr std::size_t kMaxCanonicalWork = 40'000'000;

// Receives the canonical form piece by piece; false stops the canonicalisation.
using CanonicalSink = std::function<bool(std::string_view)>;

class SignedNodeSet {
public:
    // Marks the nodes of `document` (its nodes' _private fields, which nothing else uses on a
    // tree made for the check) for the signature element `signature` and its SignedInfo.
    // nullopt, with the reason in `refusal` (ASCII), when the document is outside what the
    // filter can sign soundly, or cheaply: an element named TaxInvoice other than the root (its
    // tags would be unsigned around signed content), more than kMaxNamespaceDeclarations
    // namespace declarations, canonicalisation work past kMaxCanonicalWork, or a relative
    // namespace address that canonical XML would have to print (it cannot).
    //
    // A relative namespace address that nothing signed inherits (inside the ExchangedDocument)
    // is set to an absolute placeholder: libxml2 refuses one anywhere in the document, yet it
    // changes nothing the signature covers.
    static std::optional<SignedNodeSet> Mark(_xmlDoc* document, _xmlNode* signature,
                                             _xmlNode* signedInfo, std::string& refusal);

    // Hands the canonical form of the signed node set to `sink`; false when libxml2 fails or
    // the sink stops it.
    bool Reference(CanonicalReading reading, const CanonicalSink& sink) const;
    // The canonical form of SignedInfo in its document context (with the namespaces it
    // inherits).
    std::optional<std::string> SignedInfo() const;

    // Takes every unsigned node out of the document (the marks are not needed after this): the
    // ExchangedDocument and signature subtrees, the root's attributes and all comments (canonical
    // XML without comments does not sign them). What remains is what the signature vouches for,
    // under the root element.
    void RemoveUnsignedNodes();

private:
    explicit SignedNodeSet(_xmlDoc* document) : m_document(document) {}
    _xmlDoc* m_document;
};

}  // namespace ledgra
