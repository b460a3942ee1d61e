#include "app/PdfExport.h"

#include <QEventLoop>
#include <QFile>
#include <QPageSize>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QWebEnginePage>

#include <memory>

#include "app/LockedPage.h"
#include "app/PageProfile.h"
#include "app/PageScheme.h"

namespace ledgra {
namespace {

// What an engine callback reports; shared with the callback, which may come after the wait gave
// up and its stack frame is gone.
struct PdfOutcome {
    bool done = false;
    QByteArray bytes;
};

}  // namespace

QPageLayout PdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

std::filesystem::path PdfFileName(const std::filesystem::path& document) {
    std::filesystem::path name = document.filename();
    name.replace_extension(".pdf");
    return name;
}

bool LoadPageAndWait(LockedPage& page, PageProfile& profile, const std::filesystem::path& htmlFile,
                     std::chrono::milliseconds limit) {
    QEventLoop loop;
    bool loaded = false;
    const auto finished =
        QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
            loaded = ok;
            loop.quit();
        });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    profile.Scheme().AllowPage(htmlFile);
    page.LoadOwn(PageUrl(htmlFile));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(finished);
    return loaded;
}

QByteArray PrintPageToPdf(QWebEnginePage& page, const QPageLayout& layout,
                          const QPageRanges& ranges, std::chrono::milliseconds limit) {
    auto outcome = std::make_shared<PdfOutcome>();
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    QObject::connect(&page, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    page.printToPdf(
        [outcome, waiting](const QByteArray& bytes) {
            outcome->done = true;
            outcome->bytes = bytes;
            if (waiting) waiting->quit();
        },
        layout, ranges);
    if (!outcome->done) loop.exec(QEventLoop::ExcludeUserInputEvents);
    return outcome->done ? outcome->bytes : QByteArray();
}

bool SavePageAsPdf(QWebEnginePage& page, const std::filesystem::path& file,
                   const QPageLayout& layout, const QPageRanges& ranges,
                   std::chrono::milliseconds limit) {
    const QByteArray pdf = PrintPageToPdf(page, layout, ranges, limit);
    if (pdf.isEmpty()) return false;
    // Written beside the target and renamed over it at the end.
    QSaveFile output(QFile::decodeName(QByteArray::fromStdString(file.native())));
    if (!output.open(QIODevice::WriteOnly)) return false;
    // A short write leaves the target untouched: the unfinished file goes with `output`.
    if (output.write(pdf) != pdf.size()) return false;
    return output.commit();
}

}  // namespace ledgra
