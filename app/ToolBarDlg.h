#pragma once
// The command bar at the top of the main window: verify, print, settings and the other-copy
// button, each a picture above its caption. A press goes to the frame's command router.

#include <QString>
#include <QWidget>

#include <map>

#include "verify/FrameCommand.h"

class QAbstractButton;

namespace ledgra {

class CButtonST;
class CMainFrame;

inline constexpr int kVerifyButtonId = 1001;
inline constexpr int kPrintButtonId = 1002;
inline constexpr int kSettingsButtonId = 1005;
inline constexpr int kCopyButtonId = 1008;

class CToolBarDlg : public QWidget {
    Q_OBJECT

public:
    CToolBarDlg(CMainFrame& frame, QWidget* parent = nullptr);

    // The button of a control id (1001, 1002, 1005, 1008); null for any other id.
    QAbstractButton* Button(int id) const;
    // Sets a button's caption and its tooltip, which always read the same.
    void SetButtonCaption(int id, const QString& caption);

private:
    void AddButton(int id, int width, const QString& caption, int picture, FrameCommand command);

    CMainFrame& m_frame;
    std::map<int, CButtonST*> m_buttons;
};

}  // namespace ledgra
