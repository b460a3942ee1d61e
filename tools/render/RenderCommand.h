#pragma once
// The render command of ledgra-render: each document verified and shown as a double click or
// the verify command does, every event printed as a line. Shared by the light program and the
// one with the browser engine, which also saves each shown page as a PDF.

#include <filesystem>
#include <functional>
#include <string>

#include "tools/render/RenderOptions.h"
#include "verify/VerificationRun.h"

namespace ledgra {

constexpr int kAllShown = 0;
constexpr int kSomeFailed = 1;

// Called after each document whose run ended with a page shown, with how that run ended; false
// when what it made of the page failed.
using ShownPageSink =
    std::function<bool(const std::filesystem::path& document, const std::filesystem::path& htmlFile,
                       const RunOutcome& outcome)>;

// Makes the sink once the run is set up, from its log folder (with its trailing separator).
using ShownPageSinkMaker = std::function<ShownPageSink(const std::filesystem::path& logFolder)>;

// Runs the documents; without `makeSink` the shown pages are left as they are. Returns the exit
// status.
int RunRenderCommand(const RenderOptions& options, const ShownPageSinkMaker& makeSink = {});

}  // namespace ledgra
