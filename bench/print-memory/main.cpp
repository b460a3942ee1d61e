// print-memory: the memory the viewer takes before, during and after a print preview, counted
// over the viewer and every browser-engine process under it (proportional set sizes, so that
// pages the processes share are counted once).
//
//   print-memory DOCUMENT [--keep-open SECONDS]
//
// It builds the real main frame (with the program's settings, folders and print preview) in a
// throwaway home, shows the document, prints it through the preview, closes the preview, and
// prints one line per moment: "<moment> <MiB>". Run it under xvfb-run.

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QStandardPaths>
#include <QTimer>
#include <QWebEngineView>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "app/FrameServices.h"
#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "app/PageScheme.h"
#include "app/PrintDialogs.h"
#include "app/QtTranslations.h"

namespace {

// The processes whose parent is among `parents`, found in /proc.
std::set<int> ChildrenOf(const std::set<int>& parents) {
    std::set<int> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream status(entry.path() / "status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("PPid:", 0) == 0) {
                if (parents.contains(std::stoi(line.substr(5)))) children.insert(std::stoi(name));
                break;
            }
        }
    }
    return children;
}

long PssKiB(int pid) {
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    for (std::string line; std::getline(rollup, line);) {
        if (line.rfind("Pss:", 0) == 0) return std::stol(line.substr(4));
    }
    return 0;
}

// The viewer and all processes below it.
double TotalMiB() {
    std::set<int> all{static_cast<int>(getpid())};
    for (std::set<int> level = all; !level.empty();) {
        level = ChildrenOf(level);
        all.insert(level.begin(), level.end());
    }
    long total = 0;
    for (const int pid : all) total += PssKiB(pid);
    return total / 1024.0;
}

void Report(const char* moment) {
    std::printf("%-15s %8.1f MiB\n", moment, TotalMiB());
    std::fflush(stdout);
}

// Runs the event loop for a while.
void Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A box would wait for a click; here its text goes to the error output.
class SilentPresenter final : public ledgra::MessagePresenter {
public:
    void Present(QWidget*, const QString& text, const QString&, ledgra::MessageIcon) override {
        std::fprintf(stderr, "box: %s\n", text.toStdString().c_str());
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: print-memory DOCUMENT [--keep-open SECONDS]\n");
        return 2;
    }
    const std::filesystem::path document = std::filesystem::absolute(argv[1]);
    const int keepOpenMs = argc >= 4 ? std::atoi(argv[3]) * 1000 : 5000;
    QStandardPaths::setTestModeEnabled(true);
    ledgra::RegisterPageScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    ledgra::InstallKoreanQtTranslations(application);

    ledgra::FrameServices services =
        ledgra::ProgramFrameServices(std::make_shared<SilentPresenter>());
    services.documentsFolder = QDir::tempPath().toStdString() + "/print-memory-documents";
    std::filesystem::create_directories(services.documentsFolder);
    // The print window has loaded the page: the moment just before the preview.
    services.previewPage = [](QWebEngineView& view, QPrinter& printer,
                              ledgra::PrintGuard::Scope& printing) {
        Report("print window");
        ledgra::PreviewInDialog(view, printer, printing);
    };
    ledgra::CMainFrame frame(std::move(services));
    frame.show();
    frame.ShowDocument(document);
    Wait(4000);
    if (frame.State().m_bDocumentShown != 1) {
        std::fprintf(stderr, "print-memory: the document was not shown: %s\n",
                     frame.StatusText().toStdString().c_str());
        return 1;
    }
    Report("shown");

    // While the preview is up: measure, then close it as the user would.
    QTimer::singleShot(keepOpenMs, [] {
        Report("preview open");
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(widget)) {
                std::printf("preview title   %s\n", preview->windowTitle().toStdString().c_str());
                preview->reject();
            }
        }
    });
    frame.PrintDocument();
    Report("preview closed");
    Wait(3000);
    Report("3 s later");
    // A second print reuses the print window.
    QTimer::singleShot(keepOpenMs, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(widget)) preview->reject();
        }
    });
    frame.PrintDocument();
    Wait(3000);
    Report("second print");
    std::printf("print windows   %8zu\n", frame.PrintWindows().size());
    return 0;
}
