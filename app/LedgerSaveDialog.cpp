#include "app/LedgerSaveDialog.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include <system_error>

#include "ledger/LedgerCsv.h"
#include "ledger/LedgerExport.h"

namespace ledgra {

std::filesystem::path ChooseLedgerFileInDialog(QWidget* parent,
                                               const std::filesystem::path& proposed) {
    const QString spreadsheet = QStringLiteral("Excel 통합 문서 (*.xlsx)");
    const QString csv = QStringLiteral("CSV UTF-8 (*.csv)");
    QFileDialog dialog(parent, QStringLiteral("목록 내보내기"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({spreadsheet, csv});
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, csv](const QString& filter) {
                         dialog.setDefaultSuffix(filter == csv ? QStringLiteral("csv")
                                                               : QStringLiteral("xlsx"));
                     });
    dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(proposed.native())));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const std::filesystem::path file =
        QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    // The dialog asked about the file named; replacing it replaces the line items' file beside
    // a CSV file too, but that file alone is not replaced without a question.
    std::error_code error;
    const std::filesystem::path items = CsvItemsFile(file);
    if (LedgerFileTypeOf(file) == LedgerFileType::Csv && !std::filesystem::exists(file, error) &&
        std::filesystem::exists(items, error) &&
        QMessageBox::question(
            parent, QStringLiteral("목록 내보내기"),
            QFile::decodeName(QByteArray::fromStdString(items.filename().native())) +
                QStringLiteral(" 파일이 이미 있습니다.\n바꾸시겠습니까?")) != QMessageBox::Yes) {
        return {};
    }
    return file;
}

}  // namespace ledgra
