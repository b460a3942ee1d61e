#pragma once
// Waiting for a page and printing it. The browser engine loads and prints asynchronously; the
// viewer's print commands are synchronous, so they wait here, each wait bounded.

#include <chrono>
#include <filesystem>

#include "app/PrintGuard.h"

class QPrinter;
class QWebEngineView;

namespace ledgra {

class CNAVO_TaxExplorerView;

inline constexpr std::chrono::milliseconds kPageLoadLimit{30'000};
inline constexpr std::chrono::milliseconds kPrintLimit{120'000};

// The resolution pages are printed and previewed at. The engine hands a printer each page as
// one picture of the printer's resolution: at 1200 dpi that is a 9816 by 14033 picture, half
// a gigabyte of memory for one A4 page.
inline constexpr int kPrintResolution = 300;
inline constexpr int kMaxPrintResolution = 600;

// Shows the html file in the view and waits until it has loaded, the interface staying
// responsive. False when the load failed, the limit passed or the view went away meanwhile.
bool NavigateAndWait(CNAVO_TaxExplorerView& view, const std::filesystem::path& htmlFile,
                     std::chrono::milliseconds limit = kPageLoadLimit);

// Brings a printer outside 300 to 600 dpi to kPrintResolution; must not be printing.
void UsePrintResolution(QPrinter& printer);
// Gives the printer at least kPrintMarginMm on every side (more where the printer or the user
// wants more), the same on the left and the right so that the page is centred; must not be
// printing.
void UsePrintMargins(QPrinter& printer);

// Whether the printer writes a PDF file ("print to file"), as opposed to a printer or a preview.
bool PrintsToPdfFile(QPrinter& printer);

enum class PrintResult { Printed, Failed, TimedOut, Busy };

// Prints the view's page on the printer, within a print command's scope of the guard, and
// waits until the engine reports it done; while it waits the program handles everything but
// user input. A printer that writes a PDF file gets the page as vectors, with its text; any
// other gets pictures at a sane resolution; both get the print margins. While the engine is still at an earlier print (one
// whose wait timed out), the print is refused with Busy. The printer must stay alive until the
// engine has finished with it.
PrintResult PrintPage(QWebEngineView& view, QPrinter& printer, PrintGuard::Scope& printing,
                      std::chrono::milliseconds limit = kPrintLimit);

// Paints a page that says the preview could not be made.
void PaintPrintFailure(QPrinter& printer);

}  // namespace ledgra
