#include "settings/ConfigDlg.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "base/Captions.h"
#include "settings/BrowseForFolder.h"
#include "settings/ConfigCheck.h"
#include "settings/StoredSettings.h"
#include "text/QtCp949.h"
#include "widgets/ButtonST.h"
#include "widgets/DialogUnits.h"

// The browse button's picture is compiled into this library; a static library loads it itself.
static void LoadConfigDlgPictures() {
    Q_INIT_RESOURCE(ConfigDlg);
}

namespace ledgra {
namespace {

constexpr int kBrowsePicture = 182;

// The dialog is drawn in 돋움 10 point; where that font is missing, in Nanum Gothic, the
// nearest Korean sans-serif face that Linux desktops carry.
QFont DialogFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Dotum"), QStringLiteral("돋움"), QStringLiteral("NanumGothic")});
    font.setPointSize(10);
    return font;
}

QLabel* AddLabel(QWidget* parent, const DialogUnits& units, QRect rect, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(units.Rect(rect.x(), rect.y(), rect.width(), rect.height()));
    return label;
}

QLineEdit* AddEdit(QWidget* parent, const DialogUnits& units, QRect rect, int id) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("edit%1").arg(id));
    edit->setGeometry(units.Rect(rect.x(), rect.y(), rect.width(), rect.height()));
    return edit;
}

}  // namespace

CConfigDlg::CConfigDlg(Profile& profile, std::filesystem::path documents, ErrorPresenter showError,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_profile(profile),
      m_documents(std::move(documents)),
      m_showError(std::move(showError)),
      m_pickFolder(BrowseForFolder) {
    LoadConfigDlgPictures();
    setWindowTitle(QStringLiteral("환경설정"));
    setFont(DialogFont());
    CreateControls();

    // Opening: the stored values into the members, the browse button's face, then the
    // members into the controls. The first number field takes the focus.
    UpdateData(true);
    const StoredSettingsReader stored(m_profile);
    m_strUserId1 = stored.UserId1();
    m_strUserId2 = stored.UserId2();
    m_strUserId3 = stored.UserId3();
    m_strDefaultFolder = stored.DefaultFolder();
    m_btnBrowse->setText(QStringLiteral("검색"));
    m_btnBrowse->SetPicture(kBrowsePicture, palette().color(QPalette::Base));
    UpdateData(false);
}

CConfigDlg::~CConfigDlg() = default;

void CConfigDlg::CreateControls() {
    const DialogUnits units(font());
    setFixedSize(units.Size(219, 73));

    // In the template's order, which is also the order Tab follows.
    AddLabel(this, units, {7, 13, 153, 11},
             QStringLiteral("자신의 사업자등록번호를 입력하십시오."));
    m_editUserId1 = AddEdit(this, units, {7, 25, 25, 13}, kUserId1Edit);
    AddLabel(this, units, {35, 29, 8, 9}, QStringLiteral("-"));
    m_editUserId2 = AddEdit(this, units, {46, 25, 25, 13}, kUserId2Edit);
    AddLabel(this, units, {74, 29, 8, 9}, QStringLiteral("-"));
    m_editUserId3 = AddEdit(this, units, {85, 25, 37, 13}, kUserId3Edit);

    // The default folder's controls exist but nothing shows them.
    AddLabel(this, units, {7, 46, 108, 11}, QStringLiteral("기본 경로를 설정하십시오."))->hide();
    m_editDefaultFolder = AddEdit(this, units, {177, 7, 14, 16}, kDefaultFolderEdit);
    m_editDefaultFolder->setReadOnly(true);
    m_editDefaultFolder->hide();
    m_btnBrowse = new CButtonST(this);
    m_btnBrowse->setObjectName(QStringLiteral("button%1").arg(kBrowseButton));
    m_btnBrowse->setGeometry(units.Rect(195, 7, 17, 19));
    m_btnBrowse->hide();
    connect(m_btnBrowse, &CButtonST::clicked, this, &CConfigDlg::OnBrowse);

    m_okButton = new QPushButton(QStringLiteral("확인"), this);
    m_okButton->setGeometry(units.Rect(162, 46, 50, 16));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &CConfigDlg::accept);
}

QLineEdit* CConfigDlg::Edit(int id) const {
    switch (id) {
        case kUserId1Edit:
            return m_editUserId1;
        case kUserId2Edit:
            return m_editUserId2;
        case kUserId3Edit:
            return m_editUserId3;
        case kDefaultFolderEdit:
            return m_editDefaultFolder;
        default:
            return nullptr;
    }
}

void CConfigDlg::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        m_strDefaultFolder = Cp949FromQString(m_editDefaultFolder->text());
        m_strUserId1 = Cp949FromQString(m_editUserId1->text());
        m_strUserId2 = Cp949FromQString(m_editUserId2->text());
        m_strUserId3 = Cp949FromQString(m_editUserId3->text());
        return;
    }
    m_editDefaultFolder->setText(QStringFromCp949(m_strDefaultFolder));
    m_editUserId1->setText(QStringFromCp949(m_strUserId1));
    m_editUserId1->setMaxLength(3);
    m_editUserId2->setText(QStringFromCp949(m_strUserId2));
    m_editUserId2->setMaxLength(2);
    m_editUserId3->setText(QStringFromCp949(m_strUserId3));
    m_editUserId3->setMaxLength(5);
}

void CConfigDlg::accept() {
    const ConfigValues before{m_strDefaultFolder, m_strUserId1, m_strUserId2, m_strUserId3};
    UpdateData(true);
    ConfigValues entered{m_strDefaultFolder, m_strUserId1, m_strUserId2, m_strUserId3};

    const ConfigCheckResult check = CheckConfig(before, entered);
    switch (check.outcome) {
        case ConfigCheckResult::Outcome::Refuse:
            m_showError(this, QStringFromCp949(check.message), QStringFromCp949(ErrorCaption()));
            Edit(static_cast<int>(check.field))->setFocus(Qt::OtherFocusReason);
            return;
        case ConfigCheckResult::Outcome::StoreChecked:
            m_strDefaultFolder = entered.defaultFolder = ConfirmedDefaultFolder(m_documents);
            break;
        case ConfigCheckResult::Outcome::StoreUnchecked:
            break;
    }
    const std::optional<std::string> failure = StoredSettings(m_profile).StoreConfirmed(
        entered.defaultFolder, entered.userId1, entered.userId2, entered.userId3);
    if (failure) {
        // The number holds until the program ends; the user may make room and press OK again.
        m_showError(this,
                    QStringLiteral("설정을 저장하지 못했습니다: ") + QStringFromCp949(*failure),
                    QStringLiteral("에러 메시지"));
        return;
    }
    QDialog::accept();
}

void CConfigDlg::OnBrowse() {
    UpdateData(true);
    QString chosen;
    const bool picked = m_pickFolder(chosen, QString(), this, QString(), QString());
    m_strDefaultFolder =
        picked && !chosen.isEmpty() ? Cp949FromQString(chosen) : kFallbackDefaultFolder;
    UpdateData(false);
}

}  // namespace ledgra
