#include "verify/XmlSignatureProfile.h"

#include <array>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "text/ByteString.h"
#include "verify/Base64Strict.h"

namespace ledgra {
namespace {

constexpr std::string_view kCanonicalXml10 = "http://www.w3.org/TR/2001/REC-xml-c14n-20010315";
constexpr std::string_view kXPathFilter = "http://www.w3.org/TR/1999/REC-xpath-19991116";

struct NamedDigest {
    std::string_view uri;
    XmlDigest digest;
};
constexpr std::array<NamedDigest, 3> kSignatureMethods = {{
    {"http://www.w3.org/2001/04/xmldsig-more#rsa-sha256", XmlDigest::Sha256},
    {"http://www.w3.org/2001/04/xmldsig-more#rsa-sha384", XmlDigest::Sha384},
    {"http://www.w3.org/2001/04/xmldsig-more#rsa-sha512", XmlDigest::Sha512},
}};
constexpr std::array<NamedDigest, 3> kDigestMethods = {{
    {"http://www.w3.org/2001/04/xmlenc#sha256", XmlDigest::Sha256},
    {"http://www.w3.org/2001/04/xmldsig-more#sha384", XmlDigest::Sha384},
    {"http://www.w3.org/2001/04/xmlenc#sha512", XmlDigest::Sha512},
}};

bool IsSignatureElement(const xmlNode* node, const char* localName) {
    return node->type == XML_ELEMENT_NODE && node->ns != nullptr &&
           std::strcmp(reinterpret_cast<const char*>(node->ns->href), kXmlSignatureNamespace) ==
               0 &&
           std::strcmp(reinterpret_cast<const char*>(node->name), localName) == 0;
}

// The signature's child elements with a local name, in order.
std::vector<xmlNode*> Children(const xmlNode* parent, const char* localName) {
    std::vector<xmlNode*> found;
    for (xmlNode* child = parent ? parent->children : nullptr; child; child = child->next) {
        if (IsSignatureElement(child, localName)) found.push_back(child);
    }
    return found;
}

xmlNode* OnlyChild(const xmlNode* parent, const char* localName) {
    std::vector<xmlNode*> found = Children(parent, localName);
    return found.size() == 1 ? found.front() : nullptr;
}

std::optional<std::string> Attribute(xmlNode* element, const char* name) {
    if (element == nullptr || !xmlHasProp(element, reinterpret_cast<const xmlChar*>(name))) {
        return std::nullopt;
    }
    xmlChar* value = xmlGetNoNsProp(element, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

std::string Text(xmlNode* element) {
    xmlChar* content = xmlNodeGetContent(element);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}

// Base64 as XML signatures write it: broken into lines, maybe indented.
std::optional<std::string> DecodedText(xmlNode* element) {
    if (element == nullptr) return std::nullopt;
    std::string text;
    for (char c : Text(element)) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') text += c;
    }
    return DecodeBase64Strict(text);
}

std::optional<XmlDigest> Named(const std::optional<std::string>& uri,
                               const std::array<NamedDigest, 3>& names) {
    for (const NamedDigest& named : names) {
        if (uri && *uri == named.uri) return named.digest;
    }
    return std::nullopt;
}

XmlSignatureProfile Refused(std::string detail,
                            VerifierFailure failure = VerifierFailure::UnsupportedXmlSignature) {
    XmlSignatureProfile profile;
    profile.found = XmlSignatureProfile::Found::Refused;
    profile.failure = failure;
    profile.detail = std::move(detail);
    return profile;
}

// Every ds:Signature element of the document, in document order.
std::vector<xmlNode*> SignatureElements(xmlDoc* document) {
    std::vector<xmlNode*> found;
    xmlNode* const root = xmlDocGetRootElement(document);
    for (xmlNode* node = root; node != nullptr;) {
        if (node->type == XML_ELEMENT_NODE) {
            if (IsSignatureElement(node, "Signature")) found.push_back(node);
            if (node->children != nullptr) {
                node = node->children;
                continue;
            }
        }
        while (node != root && node->next == nullptr) node = node->parent;
        node = node == root ? nullptr : node->next;
    }
    return found;
}

// The transforms must be exactly canonical XML 1.0 and then the invoice filter, whose "ds"
// prefix must name the signature namespace.
bool IsInvoiceTransformChain(xmlNode* transforms, std::string& detail) {
    std::vector<xmlNode*> steps = Children(transforms, "Transform");
    if (steps.size() != 2 || Attribute(steps[0], "Algorithm") != std::string(kCanonicalXml10) ||
        Attribute(steps[1], "Algorithm") != std::string(kXPathFilter)) {
        detail = "transforms";
        return false;
    }
    xmlNode* xpath = OnlyChild(steps[1], "XPath");
    xmlNs* ds =
        xpath ? xmlSearchNs(xpath->doc, xpath, reinterpret_cast<const xmlChar*>("ds")) : nullptr;
    if (xpath == nullptr || TrimmedView(Text(xpath)) != kInvoiceSignatureFilter || ds == nullptr ||
        std::strcmp(reinterpret_cast<const char*>(ds->href), kXmlSignatureNamespace) != 0) {
        detail = "XPath filter";
        return false;
    }
    return true;
}

}  // namespace

XmlSignatureProfile ReadXmlSignatureProfile(xmlDoc* document) {
    std::vector<xmlNode*> signatures = SignatureElements(document);
    if (signatures.empty()) return {};
    if (signatures.size() > 1) return Refused("more than one signature");

    XmlSignatureProfile profile;
    profile.signature = signatures.front();
    profile.signedInfo = OnlyChild(profile.signature, "SignedInfo");
    if (profile.signedInfo == nullptr) return Refused("SignedInfo");

    if (Attribute(OnlyChild(profile.signedInfo, "CanonicalizationMethod"), "Algorithm") !=
        std::string(kCanonicalXml10)) {
        return Refused("CanonicalizationMethod");
    }
    std::optional<std::string> method =
        Attribute(OnlyChild(profile.signedInfo, "SignatureMethod"), "Algorithm");
    std::optional<XmlDigest> signatureDigest = Named(method, kSignatureMethods);
    if (!signatureDigest) return Refused("SignatureMethod " + method.value_or(""));
    profile.signatureDigest = *signatureDigest;

    std::vector<xmlNode*> references = Children(profile.signedInfo, "Reference");
    if (references.size() != 1) return Refused("references");
    xmlNode* reference = references.front();
    if (Attribute(reference, "URI") != std::string()) return Refused("Reference URI");
    std::string detail;
    if (!IsInvoiceTransformChain(OnlyChild(reference, "Transforms"), detail)) {
        return Refused(detail);
    }
    std::optional<std::string> digestMethod =
        Attribute(OnlyChild(reference, "DigestMethod"), "Algorithm");
    std::optional<XmlDigest> referenceDigest = Named(digestMethod, kDigestMethods);
    if (!referenceDigest) return Refused("DigestMethod " + digestMethod.value_or(""));
    profile.referenceDigest = *referenceDigest;

    std::optional<std::string> digestValue = DecodedText(OnlyChild(reference, "DigestValue"));
    std::optional<std::string> signatureValue =
        DecodedText(OnlyChild(profile.signature, "SignatureValue"));
    if (!digestValue || !signatureValue) {
        return Refused("DigestValue or SignatureValue", VerifierFailure::MalformedMessage);
    }
    profile.digestValue = std::move(*digestValue);
    profile.signatureValue = std::move(*signatureValue);

    std::vector<xmlNode*> certificates =
        Children(OnlyChild(OnlyChild(profile.signature, "KeyInfo"), "X509Data"), "X509Certificate");
    std::optional<std::string> certificate =
        certificates.empty() ? std::nullopt : DecodedText(certificates.front());
    if (!certificate) return Refused({}, VerifierFailure::NoCertificates);
    profile.certificateDer = std::move(*certificate);
    profile.found = XmlSignatureProfile::Found::One;
    return profile;
}

}  // namespace ledgra
