#pragma once
// A page that goes only where the viewer sends it. Its main frame shows the address the viewer
// loaded (or, in a window a page opened, the one log-folder file it was opened for); frames
// inside it may show only what the page scheme serves. A meta refresh, a link or a script
// that tries to go anywhere else goes nowhere.

#include <QUrl>
#include <QWebEnginePage>

#include <filesystem>
#include <functional>

namespace ledgra {

class PageProfile;

class LockedPage : public QWebEnginePage {
    Q_OBJECT

public:
    // Makes the page of a window the page opened (window.open of an attachment); null refuses.
    using WindowFactory = std::function<LockedPage*()>;

    LockedPage(PageProfile& profile, QObject* parent = nullptr);

    // Shows a page file of our own (decoded with the viewer's code page 949 codec), under an
    // address of a load of its own: nothing of an earlier page is reused.
    void LoadOwn(const std::filesystem::path& htmlFile);
    // Shows a page of the viewer's own words, made in memory (no file, nothing it refers to).
    void LoadNotice(const QString& html);
    // The address the page was last sent to; empty before the first load.
    const QUrl& OwnUrl() const { return m_ownUrl; }
    // Which of the addresses the page scheme serves a window's page takes.
    using AddressFilter = std::function<bool(const QUrl&)>;
    // A page of a window opened by another page (window.open of an attachment link): from
    // now on it goes to the files the page scheme serves that `accept` takes, and nowhere
    // else. The attachment links of a page share one window name, so a later link sends the
    // window that an earlier one opened to its own file.
    void AcceptServedAddresses(AddressFilter accept) { m_acceptServed = std::move(accept); }
    void SetWindowFactory(WindowFactory factory) { m_windowFactory = std::move(factory); }

signals:
    // The page of an opened window accepted an address (the window may now be shown), or
    // refused it (a window not yet shown has nothing to show).
    void OpenedAddressDecided(bool accepted);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    bool IsOwnAddress(const QUrl& url) const;

    PageProfile& m_profile;
    QUrl m_ownUrl;
    AddressFilter m_acceptServed;
    WindowFactory m_windowFactory;
};

}  // namespace ledgra
