#include "app/PrintDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWebEngineView>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/PagePrinting.h"

namespace ledgra {

void PreviewInDialog(QWebEngineView& view, QPrinter& printer, PrintGuard::Scope& printing) {
    UsePrintResolution(printer);
    UsePrintMargins(printer);
    {
        QPrintPreviewDialog preview(&printer, &view);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&view, &printing](QPrinter* target) {
                             if (PrintPage(view, *target, printing) != PrintResult::Printed) {
                                 PaintPrintFailure(*target);
                             }
                         });
        preview.exec();
    }
#if defined(__GLIBC__)
    // The page pictures were freed with the preview; without this the allocator keeps the
    // space for the process.
    malloc_trim(0);
#endif
}

bool ChoosePrinterInDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::filesystem::path ChoosePdfFileInDialog(QWidget* parent,
                                            const std::filesystem::path& proposed) {
    QFileDialog dialog(parent, QStringLiteral("PDF로 저장"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(proposed.native())));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

}  // namespace ledgra
