#pragma once
// The settings dialog: the user enters their own business registration number in three groups
// (3, 2 and 5 digits); OK checks them and stores them, with the default folder and the mark
// that the settings were confirmed, and stays open with a message when they cannot be stored.
// Escape and the close box store nothing.

#include <QDialog>
#include <QString>

#include <filesystem>
#include <functional>
#include <string>

#include "settings/Profile.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ledgra {

class CButtonST;

inline constexpr int kUserId1Edit = 1003;
inline constexpr int kUserId2Edit = 1004;
inline constexpr int kUserId3Edit = 1005;
inline constexpr int kDefaultFolderEdit = 1006;
inline constexpr int kBrowseButton = 1007;

class CConfigDlg : public QDialog {
    Q_OBJECT

public:
    // Shows one error box over the dialog and returns when the user closed it. The program's
    // boxes carry the warning icon; tests record the messages instead.
    using ErrorPresenter =
        std::function<void(QWidget* owner, const QString& text, const QString& caption)>;
    // The folder picker, with BrowseForFolder's arguments and result.
    using FolderPicker =
        std::function<bool(QString& path, const QString& title, QWidget* owner,
                           const QString& rootFolder, const QString& initialSelection)>;

    // Reads the stored number and default folder from `profile`; `documents` is the user's
    // documents folder, under which OK looks for the default folder.
    CConfigDlg(Profile& profile, std::filesystem::path documents, ErrorPresenter showError,
               QWidget* parent = nullptr);
    ~CConfigDlg() override;

    void SetFolderPicker(FolderPicker picker) { m_pickFolder = std::move(picker); }

    // The edit of a control id (1003 to 1006); null for any other id.
    QLineEdit* Edit(int id) const;
    CButtonST& BrowseButton() const { return *m_btnBrowse; }
    QPushButton& OkButton() const { return *m_okButton; }

    // OK: checks the number and, when it passes, stores and closes.
    void accept() override;

private:
    void CreateControls();
    // Reads the controls into the members (true) or writes the members into them (false).
    void UpdateData(bool saveAndValidate);
    void OnBrowse();

    Profile& m_profile;
    std::filesystem::path m_documents;
    ErrorPresenter m_showError;
    FolderPicker m_pickFolder;

    // The members the controls exchange with, code page 949 as every stored string.
    CButtonST* m_btnBrowse = nullptr;
    std::string m_strDefaultFolder;
    std::string m_strUserId1;
    std::string m_strUserId2;
    std::string m_strUserId3;

    QLineEdit* m_editUserId1 = nullptr;
    QLineEdit* m_editUserId2 = nullptr;
    QLineEdit* m_editUserId3 = nullptr;
    QLineEdit* m_editDefaultFolder = nullptr;
    QPushButton* m_okButton = nullptr;
};

}  // namespace ledgra
