#pragma once
// Files dropped on the main window: which one the window shows.

#include <optional>
#include <string>

class QMimeData;

namespace ledgra {

// The first dropped local file that is a document file (one of the five document extensions,
// an existing file, not a folder), as native path bytes; none when no dropped item is one.
std::optional<std::string> DroppedDocumentPath(const QMimeData& data);

}  // namespace ledgra
