#include "filetree/FilePropertiesDlg.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <sys/stat.h>

#include <iterator>

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
    return KoreanDateText(QDateTime::fromSecsSinceEpoch(time.tv_sec));
}

// The kind of a file by its extension, as Korean desktops name it: "KTX 파일".
QString FileKindText(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || dot + 1 == name.size()) return QStringLiteral("파일");
    return name.mid(dot + 1).toUpper() + QStringLiteral(" 파일");
}

}  // namespace

CFilePropertiesDlg::CFilePropertiesDlg(const QString& path, QWidget* parent)
    : QDialog(parent), m_form(new QFormLayout) {
    const QString name = DisplayName(NameOf(path));
    setWindowTitle(name.isEmpty() ? DisplayName(path) : name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);

    AddRow(QStringLiteral("이름"), name.isEmpty() ? DisplayName(path) : name);
    struct stat status {};
    if (stat(NativeFromPath(path).constData(), &status) != 0) {
        AddRow(QStringLiteral("종류"), QStringLiteral("찾을 수 없음"));
    } else {
        const bool folder = S_ISDIR(status.st_mode);
        AddRow(QStringLiteral("종류"), folder ? QStringLiteral("폴더") : FileKindText(name));
        if (!folder)
            AddRow(QStringLiteral("크기"), KoreanSizeText(static_cast<qulonglong>(status.st_size)));
        AddRow(QStringLiteral("수정한 날짜"), DateText(status.st_mtim));
        AddRow(QStringLiteral("액세스한 날짜"), DateText(status.st_atim));
        AddRow(QStringLiteral("권한"), PermissionText(status.st_mode));
    }
    AddRow(QStringLiteral("위치"), DisplayName(FolderOf(path)));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("닫기"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString KoreanSizeText(qulonglong bytes) {
    const QString exact =
        QLocale(QLocale::Korean, QLocale::SouthKorea).toString(bytes) + QStringLiteral(" 바이트");
    static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
    double size = static_cast<double>(bytes);
    int unit = -1;
    while (size >= 1024 && unit + 1 < static_cast<int>(std::size(kUnits))) {
        size /= 1024;
        ++unit;
    }
    if (unit < 0) return exact;
    return exact + QStringLiteral(" (%1 %2)").arg(size, 0, 'f', 1).arg(QLatin1String(kUnits[unit]));
}

QString KoreanDateText(const QDateTime& when) {
    static const char16_t kWeekdays[] = u"월화수목금토일";
    const QDate date = when.date();
    return QStringLiteral("%1년 %2월 %3일 (%4) %5")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(QChar(kWeekdays[date.dayOfWeek() - 1]))
        .arg(when.time().toString(QStringLiteral("hh:mm")));
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
