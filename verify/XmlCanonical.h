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

#include <optional>
#include <string>

struct _xmlDoc;
struct _xmlNode;

namespace ledgra {

enum class CanonicalReading { Java, Strict };

// Real invoices declare three or four.
inline constexpr int kMaxNamespaceDeclarations = 64;

class SignedNodeSet {
public:
    // Marks the nodes of `document` (its nodes' _private fields, which nothing else uses on a
    // tree made for the check) for the signature element `signature` and its SignedInfo.
    // nullopt when the document is outside what the filter can sign soundly, or cheaply: an
    // element named TaxInvoice other than the root (its tags would be unsigned around signed
    // content), or more than kMaxNamespaceDeclarations namespace declarations (libxml2 looks at
    // each declaration in scope for every element).
    static std::optional<SignedNodeSet> Mark(_xmlDoc* document, _xmlNode* signature,
                                             _xmlNode* signedInfo);

    // The canonical form of the signed node set; nullopt when libxml2 fails.
    std::optional<std::string> Reference(CanonicalReading reading) const;
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
