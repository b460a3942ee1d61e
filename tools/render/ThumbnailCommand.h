#pragma once
// ledgra-render --thumbnail SIZE DOCUMENT PNG: the thumbnail a file manager shows for a
// document (the desktop's .thumbnailer entry calls it). The document is verified and rendered
// as the viewer's run does, with the user's settings and trust folder; only a document the run
// shows gets a thumbnail. The run's files go to a temporary folder removed afterwards: the
// user's log folder and settings are not touched.

#include <string>
#include <vector>

namespace ledgra {

// True when the arguments (without the program name) ask for a thumbnail.
bool IsThumbnailCommand(const std::vector<std::string>& arguments);

// Runs it; the exit status: 0 when the PNG was written, 1 when the document did not verify or
// render or no PNG could be made (nothing is written then), 2 for a usage error.
int RunThumbnailCommand(int& argc, char** argv);

}  // namespace ledgra
