#pragma once
// A small properties window of a file or folder, for desktops whose file manager offers none:
// name, kind, size, dates, permissions and the folder it lies in.

#include <QDialog>
#include <QString>

class QFormLayout;

namespace ledgra {

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
