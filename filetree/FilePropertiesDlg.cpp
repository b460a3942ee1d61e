#include "filetree/FilePropertiesDlg.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QVBoxLayout>

#include <sys/stat.h>

#include "filetree/NativeNames.h"

namespace ledgra {

namespace {

QString FolderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString NameOf(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// "rwxr-x---" from the mode bits.
QString PermissionText(mode_t mode) {
    const char* const letters = "rwxrwxrwx";
    QString text;
    for (int bit = 0; bit < 9; ++bit)
        text.append(mode & (0400 >> bit) ? QLatin1Char(letters[bit]) : QLatin1Char('-'));
    return text;
}

QString DateText(const timespec& time) {
    const QDateTime when = QDateTime::fromSecsSinceEpoch(time.tv_sec);
    return QLocale().toString(when, QLocale::LongFormat);
}

}  // namespace

CFilePropertiesDlg::CFilePropertiesDlg(const QString& path, QWidget* parent)
    : QDialog(parent), m_form(new QFormLayout) {
    const QString name = DisplayName(NameOf(path));
    setWindowTitle(name.isEmpty() ? DisplayName(path) : name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);

    AddRow(tr("Name"), name.isEmpty() ? DisplayName(path) : name);
    struct stat status {};
    if (stat(NativeFromPath(path).constData(), &status) != 0) {
        AddRow(tr("Kind"), tr("Not found"));
    } else {
        const bool folder = S_ISDIR(status.st_mode);
        AddRow(
            tr("Kind"),
            folder
                ? tr("Folder")
                : QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).comment());
        if (!folder)
            AddRow(tr("Size"),
                   tr("%1 bytes").arg(QLocale().toString(static_cast<qulonglong>(status.st_size))));
        AddRow(tr("Modified"), DateText(status.st_mtim));
        AddRow(tr("Accessed"), DateText(status.st_atim));
        AddRow(tr("Permissions"), PermissionText(status.st_mode));
    }
    AddRow(tr("Folder"), DisplayName(FolderOf(path)));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CFilePropertiesDlg::AddRow(const QString& label, const QString& value) {
    auto* shown = new QLabel(value, this);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    shown->setTextFormat(Qt::PlainText);  // names are the user's, never markup
    m_form->addRow(label, shown);
}

QString CFilePropertiesDlg::Value(const QString& label) const {
    for (int row = 0; row < m_form->rowCount(); ++row) {
        auto* name = qobject_cast<QLabel*>(m_form->itemAt(row, QFormLayout::LabelRole)->widget());
        if (!name || name->text() != label) continue;
        auto* value = qobject_cast<QLabel*>(m_form->itemAt(row, QFormLayout::FieldRole)->widget());
        return value ? value->text() : QString();
    }
    return {};
}

}  // namespace ledgra
