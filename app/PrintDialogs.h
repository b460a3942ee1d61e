#pragma once
// The print and save dialogs of the running program (tests put their own steps in their place).

#include <filesystem>

#include "app/PrintGuard.h"

class QPrinter;
class QWebEngineView;
class QWidget;

namespace ledgra {

// The print preview of the view's page; the user prints from it or closes it. The memory the
// preview's pictures took goes back to the system when it closes.
void PreviewInDialog(QWebEngineView& view, QPrinter& printer, PrintGuard::Scope& printing);

// The print dialog: true when the user chose to print.
bool ChoosePrinterInDialog(QPrinter& printer, QWidget* parent);

// The save dialog for a PDF, proposing `proposed`; empty when the user cancelled.
std::filesystem::path ChoosePdfFileInDialog(QWidget* parent, const std::filesystem::path& proposed);

}  // namespace ledgra
