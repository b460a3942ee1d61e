#pragma once
// The part of ledgra-render that needs the browser engine (saving pages as PDFs, drawing
// thumbnails) is a program of its own, installed beside it: the verify, render, check and
// ledger commands start without loading the engine's libraries.

#include <string>
#include <vector>

namespace ledgra {

// The name of the engine's program, in the folder of ledgra-render.
inline constexpr const char* kEngineProgramName = "ledgra-render-pdf";

// True when the arguments (without the program name) ask for a thumbnail
// (ThumbnailCommand.h), which only the engine's program draws.
bool IsThumbnailCommand(const std::vector<std::string>& arguments);

// Replaces this process with the engine's program, given the same arguments, so that its
// output and exit status are the command's. Returns only when it cannot be started, with the
// exit status to end with after a line on the error output.
int ContinueInEngineProgram(char** argv);

}  // namespace ledgra
