#pragma once
// The main frame's members that the verification run, the copy button and printing share.
// The document session owns one, in the window and in the command-line host alike.

#include <filesystem>

namespace ledgra {

struct FrameState {
    // <Documents>/ZOVA/Logs/ with its trailing separator: the html file, seal images and
    // contract attachments are written here.
    std::filesystem::path m_strLogFolder;
    // The document of the current or last verification run.
    std::filesystem::path m_strDocPath;
    // 1 after a run rendered and showed a page, 0 after a failed run; printing requires 1.
    int m_bDocumentShown = 0;
    // 1 only while the re-render started by the copy button runs.
    int m_bShowOtherCopy = 0;
    // Which template the last invoice page used: 0 none yet, 1 the renderer's matching
    // template, 2 its other one.
    int m_nLastCopy = 0;
    // 1 while the copy button reads "공급자", 0 while it reads "공급받는자".
    int m_bCopyButtonSupplier = 0;
};

}  // namespace ledgra
