#pragma once
// The print dialogs of the running program (tests put their own steps in their place).

class QPrinter;
class QWebEngineView;
class QWidget;

namespace ledgra {

// The print preview of the view's page; the user prints from it or closes it.
void PreviewInDialog(QWebEngineView& view, QPrinter& printer);

// The print dialog: true when the user chose to print.
bool ChoosePrinterInDialog(QPrinter& printer, QWidget* parent);

}  // namespace ledgra
