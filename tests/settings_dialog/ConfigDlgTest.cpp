#include "settings/ConfigDlg.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "settings/Profile.h"
#include "settings/QSettingsProfile.h"
#include "tests/support/TempFolder.h"
#include "tests/widgets/QtTestApplication.h"
#include "widgets/ButtonST.h"
#include "widgets/DialogUnits.h"

namespace ledgra {
namespace {

[[maybe_unused]] ::testing::Environment* const kQtApplication = testing::AddQtTestApplication();

struct ShownError {
    QWidget* owner;
    QString text;
    QString caption;
};

class ConfigDlgTest : public ::testing::Test {
protected:
    std::filesystem::path Documents() const { return m_folder.Path() / "Documents"; }
    std::string Taxfiles() const { return (Documents() / "ZOVA/Taxfiles/").native(); }

    CConfigDlg& Open() { return Open(m_profile); }
    CConfigDlg& Open(Profile& profile) {
        m_dialog = std::make_unique<CConfigDlg>(
            profile, Documents(),
            [this](QWidget* owner, const QString& text, const QString& caption) {
                m_errors.push_back({owner, text, caption});
            });
        return *m_dialog;
    }
    // Shows the dialog as the active window, so that the focus can be asked about.
    void ShowActive() {
        m_dialog->show();
        m_dialog->activateWindow();
        for (int wait = 0; wait < 100 && !m_dialog->isActiveWindow(); ++wait) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ASSERT_TRUE(m_dialog->isActiveWindow());
    }
    void Type(const char* first, const char* second, const char* third) {
        m_dialog->Edit(kUserId1Edit)->setText(QString::fromUtf8(first));
        m_dialog->Edit(kUserId2Edit)->setText(QString::fromUtf8(second));
        m_dialog->Edit(kUserId3Edit)->setText(QString::fromUtf8(third));
    }
    std::string Stored(const char* key) const {
        return m_profile.GetProfileString("Settings", key, "(absent)");
    }
    int StoredIsChecked() const { return m_profile.GetProfileInt("Settings", "IsChecked", -1); }

    testing::TempFolder m_folder;
    MemoryProfile m_profile;
    std::vector<ShownError> m_errors;
    std::unique_ptr<CConfigDlg> m_dialog;
};

TEST_F(ConfigDlgTest, IsLaidOutAsItsTemplateWithOnlyTheNumberFieldsShown) {
    CConfigDlg& dialog = Open();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("환경설정"));
    EXPECT_TRUE(dialog.parent() == nullptr);
    const QString family = QFontInfo(dialog.font()).family();
    EXPECT_TRUE(family == QStringLiteral("Dotum") || family == QStringLiteral("NanumGothic"))
        << family.toStdString();

    const DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.size(), units.Size(219, 73));
    EXPECT_EQ(dialog.Edit(kUserId1Edit)->geometry(), units.Rect(7, 25, 25, 13));
    EXPECT_EQ(dialog.Edit(kUserId3Edit)->geometry(), units.Rect(85, 25, 37, 13));
    EXPECT_EQ(dialog.OkButton().geometry(), units.Rect(162, 46, 50, 16));

    dialog.show();
    QStringList shownLabels;
    QStringList hiddenLabels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        (label->isVisible() ? shownLabels : hiddenLabels).append(label->text());
    }
    EXPECT_EQ(shownLabels,
              (QStringList{u"자신의 사업자등록번호를 입력하십시오."_qs, u"-"_qs, u"-"_qs}));
    EXPECT_EQ(hiddenLabels, QStringList{u"기본 경로를 설정하십시오."_qs});

    const int limits[][2] = {{kUserId1Edit, 3}, {kUserId2Edit, 2}, {kUserId3Edit, 5}};
    for (const auto& [id, limit] : limits) {
        EXPECT_TRUE(dialog.Edit(id)->isVisible()) << id;
        EXPECT_EQ(dialog.Edit(id)->maxLength(), limit) << id;
        EXPECT_EQ(dialog.Edit(id)->text(), QString()) << id;
    }
    EXPECT_FALSE(dialog.Edit(kDefaultFolderEdit)->isVisible());
    EXPECT_TRUE(dialog.Edit(kDefaultFolderEdit)->isReadOnly());
    EXPECT_EQ(dialog.Edit(1001), nullptr);

    EXPECT_FALSE(dialog.BrowseButton().isVisible());
    EXPECT_EQ(dialog.BrowseButton().text(), QStringLiteral("검색"));
    EXPECT_FALSE(dialog.BrowseButton().PictureSize().isEmpty());
    EXPECT_EQ(dialog.BrowseButton().Alignment(), CButtonST::ImageLeft);
    EXPECT_EQ(dialog.OkButton().text(), QStringLiteral("확인"));
    EXPECT_TRUE(dialog.OkButton().isDefault());
}

TEST_F(ConfigDlgTest, OpeningShowsTheStoredValuesAndLongerInputIsCut) {
    m_profile.WriteProfileString("Settings", "User ID1", "123");
    m_profile.WriteProfileString("Settings", "User ID2", "45");
    m_profile.WriteProfileString("Settings", "User ID3", "67890");
    m_profile.WriteProfileString("Settings", "default folder", "/some/folder/");
    CConfigDlg& dialog = Open();
    EXPECT_EQ(dialog.Edit(kUserId1Edit)->text(), u"123"_qs);
    EXPECT_EQ(dialog.Edit(kUserId2Edit)->text(), u"45"_qs);
    EXPECT_EQ(dialog.Edit(kUserId3Edit)->text(), u"67890"_qs);
    EXPECT_EQ(dialog.Edit(kDefaultFolderEdit)->text(), u"/some/folder/"_qs);

    Type("1234", "456", "678901");
    EXPECT_EQ(dialog.Edit(kUserId1Edit)->text(), u"123"_qs);
    EXPECT_EQ(dialog.Edit(kUserId2Edit)->text(), u"45"_qs);
    EXPECT_EQ(dialog.Edit(kUserId3Edit)->text(), u"67890"_qs);
}

TEST_F(ConfigDlgTest, ARefusedNumberNamesItsFaultFocusesItsFieldAndStoresNothing) {
    const struct {
        const char* first;
        const char* second;
        const char* third;
        const char16_t* message;
        int field;
    } rows[] = {
        {"", "", "", u"첫번째 사업자번호는 세자리입니다.", kUserId1Edit},
        {"12", "", "", u"첫번째 사업자번호는 세자리입니다.", kUserId1Edit},
        {"12a", "", "", u"사업자번호는 숫자만 입력하셔야 합니다.", kUserId1Edit},
        {"123", "4", "56789", u"두번째 사업자번호는 두자리입니다.", kUserId2Edit},
        {"123", "4-", "56789", u"사업자번호는 숫자만 입력하셔야 합니다.", kUserId2Edit},
        {"123", "45", "6789", u"세번째 사업자번호는 다섯자리입니다.", kUserId3Edit},
        {"123", "45", "6789a", u"사업자번호는 숫자만 입력하셔야 합니다.", kUserId3Edit},
        // Two bytes in code page 949: too short for the first group.
        {"가", "45", "67890", u"첫번째 사업자번호는 세자리입니다.", kUserId1Edit},
    };
    CConfigDlg& dialog = Open();
    ShowActive();
    for (const auto& row : rows) {
        m_errors.clear();
        dialog.Edit(kUserId2Edit == row.field ? kUserId1Edit : kUserId2Edit)->setFocus();
        Type(row.first, row.second, row.third);
        dialog.OkButton().click();
        ASSERT_EQ(m_errors.size(), 1u) << row.first;
        EXPECT_EQ(m_errors[0].text, QString::fromUtf16(row.message)) << row.first;
        EXPECT_EQ(m_errors[0].caption, QStringLiteral("에러 메시지"));
        EXPECT_EQ(m_errors[0].owner, &dialog);
        EXPECT_EQ(QApplication::focusWidget(), dialog.Edit(row.field)) << row.first;
        EXPECT_TRUE(dialog.isVisible()) << row.first;
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(Stored("User ID1"), "(absent)");
    EXPECT_EQ(Stored("default folder"), "(absent)");
    EXPECT_EQ(StoredIsChecked(), -1);
}

TEST_F(ConfigDlgTest, AValidNumberIsStoredWithTheDefaultFolderAndTheMark) {
    for (const bool taxfilesExist : {false, true}) {
        if (taxfilesExist) m_folder.CreateFiles({"Documents/ZOVA/Taxfiles/"});
        CConfigDlg& dialog = Open();
        // Whatever the hidden field held is replaced.
        dialog.Edit(kDefaultFolderEdit)->setText(u"/elsewhere/"_qs);
        Type("123", "45", "67890");
        dialog.OkButton().click();
        EXPECT_TRUE(m_errors.empty());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(Stored("User ID1"), "123");
        EXPECT_EQ(Stored("User ID2"), "45");
        EXPECT_EQ(Stored("User ID3"), "67890");
        EXPECT_EQ(StoredIsChecked(), 1);
        EXPECT_EQ(Stored("default folder"), taxfilesExist ? Taxfiles() : "/") << taxfilesExist;
    }
}

TEST_F(ConfigDlgTest, SettingsThatCannotBeStoredKeepTheDialogOpenWithTheReason) {
    const std::filesystem::path blocked = m_folder.Write("blocked", "a file, not a folder");
    QSettingsProfile profile(QString::fromStdString((blocked / "ZOVA Viewer.conf").native()));
    Open(profile).show();
    Type("123", "45", "67890");
    m_dialog->OkButton().click();
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0].text, u"설정을 저장하지 못했습니다: "_qs +
                                    QString::fromStdString(blocked.native()) +
                                    u"/ZOVA Viewer.conf: 경로의 일부가 폴더가 아닙니다"_qs);
    EXPECT_EQ(m_errors[0].caption, u"에러 메시지"_qs);
    EXPECT_TRUE(m_dialog->isVisible());

    std::filesystem::remove(blocked);
    m_dialog->OkButton().click();
    EXPECT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
}

TEST_F(ConfigDlgTest, ReopenedAndUnchangedItStoresAgainWithoutChecking) {
    m_folder.CreateFiles({"Documents/ZOVA/Taxfiles/"});
    Open();
    Type("123", "45", "67890");
    m_dialog->OkButton().click();
    ASSERT_EQ(Stored("default folder"), Taxfiles());

    // Gone folder and a cleared mark: the shortcut stores what the dialog shows, as it is.
    std::filesystem::remove(Documents() / "ZOVA/Taxfiles");
    m_profile.WriteProfileInt("Settings", "IsChecked", 0);
    Open().OkButton().click();
    EXPECT_TRUE(m_errors.empty());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(StoredIsChecked(), 1);
    EXPECT_EQ(Stored("default folder"), Taxfiles());

    // Any change is checked again, and then the folder is recomputed.
    Open();
    Type("124", "45", "67890");
    m_dialog->OkButton().click();
    EXPECT_EQ(Stored("User ID1"), "124");
    EXPECT_EQ(Stored("default folder"), "/");
}

TEST_F(ConfigDlgTest, EscapeAndTheCloseBoxStoreNothing) {
    Open();
    ShowActive();
    Type("123", "45", "67890");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(m_dialog->Edit(kUserId1Edit), &escape);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);

    Open();
    ShowActive();
    Type("123", "45", "67890");
    m_dialog->close();
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Stored("User ID1"), "(absent)");
    EXPECT_EQ(StoredIsChecked(), -1);
}

TEST_F(ConfigDlgTest, ReturnInAFieldPressesOk) {
    Open();
    ShowActive();
    Type("12", "", "");
    QLineEdit* first = m_dialog->Edit(kUserId1Edit);
    first->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(first, &enter);
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0].text, u"첫번째 사업자번호는 세자리입니다."_qs);
}

TEST_F(ConfigDlgTest, TheBrowseButtonTakesTheChosenFolderOrTheRoot) {
    const struct {
        bool picked;
        const char* chosen;
        const char* shown;
    } rows[] = {
        {true, "/home/user/taxes", "/home/user/taxes"},
        {false, "", "/"},
        {true, "", "/"},
    };
    for (const auto& row : rows) {
        CConfigDlg& dialog = Open();
        int calls = 0;
        dialog.SetFolderPicker([&](QString& path, const QString& title, QWidget* owner,
                                   const QString& root, const QString& selection) {
            ++calls;
            EXPECT_TRUE(title.isEmpty() && root.isEmpty() && selection.isEmpty());
            EXPECT_EQ(owner, &dialog);
            path = QString::fromUtf8(row.chosen);
            return row.picked;
        });
        // What the user typed survives the round trip through the members.
        dialog.Edit(kUserId1Edit)->setText(u"12"_qs);
        dialog.BrowseButton().click();
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(dialog.Edit(kDefaultFolderEdit)->text(), QString::fromUtf8(row.shown));
        EXPECT_EQ(dialog.Edit(kUserId1Edit)->text(), u"12"_qs);
    }
}

}  // namespace
}  // namespace ledgra
