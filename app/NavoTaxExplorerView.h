#pragma once
// The right pane: the page the last verification run produced. It shows the html file and
// nothing else; the right mouse button never reaches the page. The same view, in a window of
// its own, serves printing and the attachment windows a contract page opens.

#include <QWebEngineView>

#include <filesystem>

#include "app/LockedPage.h"

namespace ledgra {

class PageProfile;

class CNAVO_TaxExplorerView : public QWebEngineView {
    Q_OBJECT

public:
    CNAVO_TaxExplorerView(PageProfile& profile, QWidget* parent = nullptr);

    // Shows the html file (decoded with the viewer's code page 949 codec).
    void Navigate2(const std::filesystem::path& htmlFile);

    LockedPage& Page() const { return *m_page; }

protected:
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PageProfile& m_profile;
    LockedPage* m_page;
};

}  // namespace ledgra
