#pragma once
// What the application shell's tests share: one QApplication with the page scheme, a home
// folder of each test's own, a presenter that records message boxes instead of opening them,
// frame services made of fakes, and waiting on signals.

#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/FrameServices.h"
#include "app/MessagePresenter.h"
#include "tests/support/TempFolder.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace ledgra::testing {

QString ToQString(const std::filesystem::path& path);

// One message box the program asked for.
struct RecordedMessage {
    QString text;
    QString caption;
    MessageIcon icon;
};

class RecordingPresenter final : public MessagePresenter {
public:
    void Present(QWidget*, const QString& text, const QString& caption, MessageIcon icon) override {
        m_messages.push_back({text, caption, icon});
        if (m_onPresent) m_onPresent();
    }
    QStringList Texts() const;

    std::vector<RecordedMessage> m_messages;
    // Runs while the "box" is up, as the user would see the program at that moment.
    std::function<void()> m_onPresent;
};

// What the frame's print steps were asked to do.
struct PrintLog {
    // The titles of the pages the preview was opened for.
    QStringList previewedTitles;
    int printerChoices = 0;
    // When set, the print dialog answers "print to this PDF file"; else it is cancelled.
    std::filesystem::path printToFile;
    // The files the PDF save dialog proposed, and what it answers (empty: cancelled).
    std::vector<std::filesystem::path> proposedPdfFiles;
    std::filesystem::path chosenPdfFile;
};

// A test with its own empty home folder (Documents, the tree's folders and the log folder live
// there), a recording presenter and print steps that only record.
class AppTest : public ::testing::Test {
protected:
    AppTest();
    ~AppTest() override;

    std::filesystem::path Home() const { return m_folder.Path() / "home"; }
    std::filesystem::path Documents() const { return Home() / "Documents"; }
    // Frame services of fakes: a settings store in memory, a verification module that must
    // not be needed, the recording presenter and print steps.
    FrameServices MakeServices();

    TempFolder m_folder;
    std::shared_ptr<RecordingPresenter> m_presenter = std::make_shared<RecordingPresenter>();
    std::shared_ptr<PrintLog> m_printLog = std::make_shared<PrintLog>();

private:
    QByteArray m_savedHome;
    QByteArray m_savedConfigHome;
};

// Runs the event loop until the signal arrives; false after the time limit.
template <typename Sender, typename Signal>
bool WaitForSignal(Sender* sender, Signal signal,
                   std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    QEventLoop loop;
    bool arrived = false;
    const auto connection = QObject::connect(sender, signal, &loop, [&] {
        arrived = true;
        loop.quit();
    });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return arrived;
}

}  // namespace ledgra::testing
