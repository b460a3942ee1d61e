#pragma once
// The windows a page opens for its attachment links (window.open of a file in the log
// folder). Text, pages and images show in a small window of their own; documents the browser
// engine cannot show go to the desktop's default application; every other kind opens nothing.

class QWidget;

namespace ledgra {

class LockedPage;
class PageProfile;

// The page of a new attachment window (600 by 400 until the page asks for another size)
// owned by `owner`'s window, for LockedPage's window factory. The window shows once its page
// has accepted a file of a kind it shows; a document only the desktop can show is handed
// over instead. A window that has shown nothing yet stays hidden, for the next link: a window
// deleted that early leaves the page unable to open one of that name again.
LockedPage* OpenAttachmentWindow(PageProfile& profile, QWidget* owner);

}  // namespace ledgra
