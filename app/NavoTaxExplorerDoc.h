#pragma once
// The viewer's one document. It holds nothing but its title, which the left view sets to the
// path selected in the tree and the main window shows in its caption.

#include <QString>

namespace ledgra {

class CNAVO_TaxExplorerDoc {
public:
    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title) { m_strTitle = title; }
    // A new document (Ctrl+N) starts without a title.
    void OnNewDocument() { m_strTitle.clear(); }

private:
    QString m_strTitle;
};

}  // namespace ledgra
