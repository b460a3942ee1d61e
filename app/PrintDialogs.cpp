#include "app/PrintDialogs.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWebEngineView>

#include "app/PagePrinting.h"

namespace ledgra {

void PreviewInDialog(QWebEngineView& view, QPrinter& printer) {
    QPrintPreviewDialog preview(&printer, &view);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&view](QPrinter* target) {
                         if (PrintPage(view, *target) != PrintResult::Printed) {
                             PaintPrintFailure(*target);
                         }
                     });
    preview.exec();
}

bool ChoosePrinterInDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace ledgra
