#pragma once
// A small properties window of a file or folder, for desktops whose file manager offers none:
// name, kind, size, dates, permissions and the folder it lies in.

#include <QDateTime>
#include <QDialog>
#include <QString>

class QFormLayout;

namespace ledgra {

// "2,689 바이트 (2.6 KB)"; below 1 KB the bytes alone.
QString KoreanSizeText(qulonglong bytes);
// "2026년 12월 8일 (화) 09:58", in local time.
QString KoreanDateText(const QDateTime& when);

class CFilePropertiesDlg : public QDialog {
    Q_OBJECT

public:
    // path in the tree's form (see NativeNames.h).
    explicit CFilePropertiesDlg(const QString& path, QWidget* parent = nullptr);

    // The value shown beside a label ("" for a label not shown).
    QString Value(const QString& label) const;

private:
    void AddRow(const QString& label, const QString& value);

    QFormLayout* m_form;
};

}  // namespace ledgra
