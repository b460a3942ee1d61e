#pragma once
// What the file tree and the left view ask of the main window that holds them. The main frame
// implements it; the tree finds it as its top-level window.

#include <QString>

#include <filesystem>

namespace ledgra {

class FrameOperations {
public:
    virtual ~FrameOperations() = default;
    // The frame's command router (code 5: show the selected document).
    virtual void RouteCommand(int code) = 0;
    // The show form of the verification run.
    virtual void ShowDocument(const std::filesystem::path& path) = 0;
    // The document title, which the frame shows in its caption.
    virtual void SetDocumentTitle(const QString& title) = 0;
};

}  // namespace ledgra
