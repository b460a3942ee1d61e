#pragma once
// The viewer process's set-up around its application object, in one place for the viewer's
// main() and for whatever starts the viewer the same way (the window benchmark).

class QApplication;

namespace ledgra {

// Before the application object exists: the page scheme must be known to the browser engine
// by then, and the engine's own output is kept quiet. A write past the user's file size limit
// fails and is reported like a full disk rather than end the process.
void PrepareViewerProcess();

// Once the application object exists: Korean standard dialogs, and the names the settings
// store files the profile under.
void SetUpViewerApplication(QApplication& application);

}  // namespace ledgra
