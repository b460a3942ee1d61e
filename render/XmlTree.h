#pragma once
// A loaded document as its queries see it: libxml2's tree, and what searches of the whole
// document keep about it. Used from one thread at a time, like the document.

#include <vector>

#include "render/XmlLibrary.h"

namespace ledgra {

struct XmlTree {
    explicit XmlTree(XmlDocPtr loaded) : doc(std::move(loaded)) {}

    // Every element in document order, gathered by the first search of the whole document, so
    // that each later one passes over elements only.
    const std::vector<xmlNode*>& Elements();
    // Numbers the elements, once, so that libxml2 sorts the results of an XPath evaluation
    // into document order cheaply; the plain-name searches never need it.
    void NumberElements();

    XmlDocPtr doc;

private:
    std::vector<xmlNode*> m_elements;
    bool m_gathered = false;
    bool m_numbered = false;
};

}  // namespace ledgra
