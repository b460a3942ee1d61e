// window-timing: the viewer started as its main() starts it, on the profile of $HOME (the
// demo profile, say), timed from outside the program's own code:
//   tree painted   from the process's start to the first paint of the tree with its items
//   disk read      the MiB this process had read from the disk by then (page faults on its
//                  libraries included): what a cold start waits for, whatever the disk
//   page visible   from the second click of a double click on a document (the second of two
//                  documents, so the engine is up) to the page loaded and painted in the view
// The start counts from LEDGRA_BENCH_SPAWNED (CLOCK_REALTIME nanoseconds, set by whoever
// spawns the program; else from entering main()). Prints "<measure> <ms>" lines. Run it
// offscreen (QT_QPA_PLATFORM=offscreen) or under xvfb-run.

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QWebEngineView>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/MessagePresenter.h"
#include "app/NavoTaxExplorerApp.h"
#include "app/ViewerProcess.h"

namespace {

// The bytes the kernel fetched from storage for this process so far (/proc/self/io).
double DiskReadMiB() {
    std::FILE* io = std::fopen("/proc/self/io", "r");
    if (io == nullptr) return 0;
    char line[128];
    unsigned long long bytes = 0;
    while (std::fgets(line, sizeof line, io) != nullptr) {
        if (std::sscanf(line, "read_bytes: %llu", &bytes) == 1) break;
    }
    std::fclose(io);
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

double RealtimeMs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Message boxes would wait for a click.
class SilentPresenter final : public ledgra::MessagePresenter {
public:
    void Present(QWidget*, const QString& text, const QString&, ledgra::MessageIcon) override {
        std::fprintf(stderr, "box: %s\n", text.toStdString().c_str());
    }
};

void Fail(const char* what) {
    std::fprintf(stderr, "window-timing: %s\n", what);
    std::fflush(stderr);
    std::_Exit(1);
}

// Watches every paint: the tree's first with items, then the page's after a double click.
class Timing final : public QObject {
public:
    explicit Timing(double startMs) : m_startMs(startMs) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        if (!m_treePainted) {
            auto* tree = qobject_cast<QTreeWidget*>(watched->parent());
            if (tree != nullptr && tree->topLevelItemCount() > 0) {
                m_treePainted = true;
                std::printf("tree painted %.1f\n", RealtimeMs() - m_startMs);
                std::printf("disk read %.1f\n", DiskReadMiB());
                std::fflush(stdout);
                m_tree = tree;
                QTimer::singleShot(0, this, [this] { FindDocuments(); });
            }
        } else if (m_loaded && m_view != nullptr && watched->isWidgetType() &&
                   m_view->isAncestorOf(static_cast<QWidget*>(watched))) {
            PageVisible();
        }
        return false;
    }

private:
    // The tree lists the tax files folder once its reader is done: wait for two documents.
    void FindDocuments() {
        m_documents.clear();
        for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
            const QString name = (*it)->text(0).toUpper();
            if (name.endsWith(u".XML") || name.endsWith(u".TSN") || name.endsWith(u".KTX")) {
                m_documents.push_back(*it);
            }
        }
        // The page pane is made once the tree is painted.
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* view = widget->findChild<QWebEngineView*>()) m_view = view;
        }
        if (m_documents.size() < 2 || m_view == nullptr) {
            if (++m_tries > 1000) Fail("the tree shows fewer than two documents, or no page view");
            QTimer::singleShot(10, this, [this] { FindDocuments(); });
            return;
        }
        connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (!ok) Fail("a page did not load");
            m_loaded = true;
            // Offscreen, the engine may paint nothing a widget sees: then the load counts.
            QTimer::singleShot(1000, this, [this, shown = m_shown] {
                if (m_loaded && m_shown == shown) PageVisible();
            });
        });
        DoubleClick(0);
    }

    void DoubleClick(std::size_t document) {
        QTreeWidgetItem* item = m_documents[document];
        m_tree->scrollToItem(item);
        const QPoint at = m_tree->visualItemRect(item).center();
        m_loaded = false;
        m_clickMs = RealtimeMs();
        QTest::mouseDClick(m_tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    void PageVisible() {
        m_loaded = false;
        ++m_shown;
        if (m_shown == 1) {
            QTimer::singleShot(200, this, [this] { DoubleClick(1); });
            return;
        }
        std::printf("page visible %.1f\n", RealtimeMs() - m_clickMs);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    double m_startMs;
    bool m_treePainted = false;
    QTreeWidget* m_tree = nullptr;
    QWebEngineView* m_view = nullptr;
    std::vector<QTreeWidgetItem*> m_documents;
    int m_tries = 0;
    bool m_loaded = false;
    int m_shown = 0;
    double m_clickMs = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    const char* spawned = std::getenv("LEDGRA_BENCH_SPAWNED");
    const double startMs = spawned != nullptr ? std::atof(spawned) / 1e6 : RealtimeMs();

    // As the viewer's main() does.
    ledgra::PrepareViewerProcess();
    QApplication application(argc, argv);
    ledgra::SetUpViewerApplication(application);

    Timing timing(startMs);
    application.installEventFilter(&timing);
    // A channel of its own, so that no running viewer takes the start over.
    const QString own = QStringLiteral("ledgra-window-timing-%1").arg(getpid());
    ledgra::CNAVO_TaxExplorerApp viewer(std::make_shared<SilentPresenter>(),
                                        {QDir::tempPath() + u'/' + own, own});
    if (viewer.InitInstance({}) != ledgra::CNAVO_TaxExplorerApp::StartOutcome::Run) {
        Fail("the viewer did not start");
    }
    QTimer::singleShot(60000, [] { Fail("no page within a minute"); });
    return application.exec();
}
