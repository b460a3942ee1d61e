// page-shot: renders a code page 949 html page to a PNG file.
//
//   page-shot <page.html> <shot.png> [width]
//
// The page is decoded with our own codec and handed to the engine with the file's address as
// base, as the viewer does (the engine's own euc-kr decoder lacks part of code page 949). The
// view is sized to the whole page before it is grabbed. Local images (the seals in the log folder)
// show; nothing is fetched from the network.
// Run it under xvfb-run with QTWEBENGINE_DISABLE_SANDBOX=1 when there is no display.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <cstdio>
#include <string>

#include "text/QtCp949.h"

namespace {

// More than any page of ours; the engine refuses in-memory content beyond 2 MB anyway.
constexpr qint64 kMaxPageBytes = qint64{2} << 20;
// How long a page may take to load and paint before the tool gives up.
constexpr int kTimeLimitMs = 30000;

int Fail(const std::string& message) {
    std::fprintf(stderr, "page-shot: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3 || arguments.size() > 4) {
        return Fail("usage: page-shot <page.html> <shot.png> [width]");
    }
    const QString pagePath = QFileInfo(arguments[1]).absoluteFilePath();
    const QString shotPath = arguments[2];
    bool widthOk = true;
    const int width = arguments.size() == 4 ? arguments[3].toInt(&widthOk) : 660;
    if (!widthOk || width < 100 || width > 4000) return Fail("the width must be 100 to 4000");

    QFile file(pagePath);
    if (!file.open(QIODevice::ReadOnly)) return Fail("cannot read " + pagePath.toStdString());
    const QByteArray bytes = file.read(kMaxPageBytes + 1);
    if (bytes.size() > kMaxPageBytes) return Fail("the page is larger than 2 MB");

    QWebEngineView view;
    QWebEngineSettings* settings = view.page()->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    view.resize(width, 400);
    view.show();

    int status = 1;
    QTimer::singleShot(kTimeLimitMs, &app, [&] {
        Fail("the page did not finish in time");
        app.exit(1);
    });
    // After the load, size the view to the page; grab once the engine has painted that size.
    QObject::connect(&view, &QWebEngineView::loadFinished, &app, [&](bool ok) {
        if (!ok) {
            Fail("the page did not load");
            app.exit(1);
            return;
        }
        view.page()->runJavaScript(QStringLiteral("document.documentElement.scrollHeight"),
                                   [&](const QVariant& height) {
                                       view.resize(width, qBound(100, height.toInt() + 8, 8000));
                                       QTimer::singleShot(500, &app, [&] {
                                           if (view.grab().save(shotPath)) {
                                               status = 0;
                                           } else {
                                               Fail("cannot write " + shotPath.toStdString());
                                           }
                                           app.exit(status);
                                       });
                                   });
    });
    view.setHtml(ledgra::QStringFromCp949(std::string_view(bytes.constData(), bytes.size())),
                 QUrl::fromLocalFile(pagePath));
    app.exec();
    return status;
}
