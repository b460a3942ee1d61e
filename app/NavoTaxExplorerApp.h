#pragma once
// The application object: starts the viewer as the first instance, or hands the document path
// of a later start to the running one.

#include <QString>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/MessagePresenter.h"

namespace ledgra {

class CMainFrame;
class HandOffServer;
class InstanceLock;

// Where the first instance keeps its lock and listens for later starts.
struct InstanceChannel {
    QString lockFolder;
    QString channelName;
};

// The user's runtime folder and the user's channel.
InstanceChannel ProgramInstanceChannel();

class CNAVO_TaxExplorerApp {
public:
    enum class StartOutcome {
        Run,        // the window is up: run the event loop
        HandedOff,  // another instance runs and got the path: end
        Failed,     // the start-up document cannot be opened: end with an error status
    };

    explicit CNAVO_TaxExplorerApp(std::shared_ptr<MessagePresenter> presenter,
                                  InstanceChannel channel = ProgramInstanceChannel());
    ~CNAVO_TaxExplorerApp();

    // `arguments` are the program's arguments without its name, as native bytes.
    StartOutcome InitInstance(const std::vector<std::string>& arguments);

    // The main window once the first instance is up; null before and in a later start.
    CMainFrame* MainWindow() const { return m_pMainWnd.get(); }

    // The document named at start-up, empty if none.
    std::filesystem::path m_strStartPath;

private:
    void RunSecondInstance(const std::vector<std::string>& arguments);
    bool CanOpenStartDocument();

    std::shared_ptr<MessagePresenter> m_presenter;
    InstanceChannel m_channel;
    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    std::unique_ptr<HandOffServer> m_handOffServer;
};

}  // namespace ledgra
