#include "tests/app/PageTestSupport.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>

#include <fstream>
#include <memory>
#include <optional>

#include "text/Cp949.h"

namespace ledgra::testing {

std::filesystem::path WriteCp949Page(const std::filesystem::path& file, std::string_view utf8) {
    std::filesystem::create_directories(file.parent_path());
    const std::string bytes = Cp949FromUtf8(utf8);
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

bool WaitForTitle(QWebEngineView& view, const std::function<bool(const QString&)>& condition,
                  std::chrono::milliseconds limit) {
    if (condition(view.title())) return true;
    QEventLoop loop;
    const auto connection =
        QObject::connect(&view, &QWebEngineView::titleChanged, &loop, [&](const QString& title) {
            if (condition(title)) loop.quit();
        });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return condition(view.title());
}

QString PageText(QWebEngineView& view, std::chrono::milliseconds limit) {
    // Shared with the engine's answer, which may come after the wait gave up.
    auto text = std::make_shared<std::optional<QString>>();
    view.page()->toPlainText([text](const QString& shown) { *text = shown; });
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (text->has_value()) loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
    return text->value_or(QString());
}

bool FocusWidget(QWidget& window, QWidget& widget) {
    window.show();
    window.activateWindow();
    widget.setFocus(Qt::OtherFocusReason);
    const auto focused = [&] {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == &widget || widget.isAncestorOf(focus));
    };
    if (focused()) return true;
    QEventLoop loop;
    const auto connection = QObject::connect(qApp, &QApplication::focusChanged, &loop, [&] {
        if (focused()) loop.quit();
    });
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &loop,
                     [&] { widget.setFocus(Qt::OtherFocusReason); });
    QTimer::singleShot(std::chrono::seconds(10), &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return focused();
}

}  // namespace ledgra::testing
