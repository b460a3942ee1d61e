#include "app/NavoTaxExplorerApp.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <system_error>

#include "app/CommandLine.h"
#include "app/FrameServices.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "base/FileAccess.h"

namespace ledgra {
namespace {

// How long a later start looks for the running instance's channel.
constexpr std::chrono::milliseconds kConnectLimit{3000};

std::filesystem::path CurrentFolder() {
    std::error_code ignored;
    return std::filesystem::current_path(ignored);
}

}  // namespace

InstanceChannel ProgramInstanceChannel() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return {runtime.isEmpty() ? QDir::tempPath() : runtime, HandOffChannelName()};
}

CNAVO_TaxExplorerApp::CNAVO_TaxExplorerApp(std::shared_ptr<MessagePresenter> presenter,
                                           InstanceChannel channel)
    : m_presenter(std::move(presenter)), m_channel(std::move(channel)) {}

CNAVO_TaxExplorerApp::~CNAVO_TaxExplorerApp() = default;

CNAVO_TaxExplorerApp::StartOutcome CNAVO_TaxExplorerApp::InitInstance(
    const std::vector<std::string>& arguments) {
    m_lock = std::make_unique<InstanceLock>(m_channel.lockFolder);
    if (!m_lock->TryLock()) {
        RunSecondInstance(arguments);
        return StartOutcome::HandedOff;
    }

    m_strStartPath = StartPathFromArguments(arguments, CurrentFolder());
    if (!CanOpenStartDocument()) {
        const QString path = QFile::decodeName(QByteArray::fromStdString(m_strStartPath.native()));
        m_presenter->Present(nullptr, path + QStringLiteral("\n파일을 열 수 없습니다."), QString(),
                             MessageIcon::Exclamation);
        return StartOutcome::Failed;
    }

    m_pMainWnd = std::make_unique<CMainFrame>(ProgramFrameServices(m_presenter));
    m_pMainWnd->InitialUpdate(m_strStartPath);
    m_pMainWnd->show();
    m_pMainWnd->setWindowTitle(QString::fromLatin1(kFrameTitle));

    CMainFrame* frame = m_pMainWnd.get();
    m_handOffServer = std::make_unique<HandOffServer>(
        [frame](const QByteArray& path) { frame->OnCopyData(path); });
    m_handOffServer->Listen(m_channel.channelName);
    return StartOutcome::Run;
}

void CNAVO_TaxExplorerApp::RunSecondInstance(const std::vector<std::string>& arguments) {
    m_presenter->Present(nullptr, QStringLiteral("프로그램이 이미 실행중입니다."), QString(),
                         MessageIcon::Exclamation);
    const std::string path = HandOffPathFromArguments(arguments, CurrentFolder());
    SendHandOff(m_channel.channelName, QByteArray::fromStdString(path), kConnectLimit);
}

bool CNAVO_TaxExplorerApp::CanOpenStartDocument() {
    if (m_strStartPath.empty()) return true;
    // Only a regular file is a document: opening a FIFO or a device could block or never end.
    return IsReadableRegularFile(m_strStartPath);
}

}  // namespace ledgra
