#include "app/LedgerSaveDialog.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

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
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

}  // namespace ledgra
