#pragma once
// The names the program goes by, each written once.

namespace ledgra {

// The caption of a message box that names none of its own, and the settings' application name.
inline constexpr const char* kProgramName = "ZOVA Viewer";

// The window title of the program's document type, shown after the document's title.
inline constexpr const char* kDocumentTypeTitle = "ZOVAViewer";

// Where the settings live: on Linux the file
// ~/.config/Local AppWizard-Generated Applications/ZOVA Viewer.conf, on Windows the registry key
// HKCU\Software\Local AppWizard-Generated Applications\ZOVA Viewer.
inline constexpr const char* kProfileOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* kProfileApplication = kProgramName;

}  // namespace ledgra
