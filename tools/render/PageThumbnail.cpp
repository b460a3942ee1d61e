#include "tools/render/PageThumbnail.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>

#include <algorithm>

namespace ledgra {
namespace {

// Lighter than this in every channel counts as paper.
constexpr int kPaperLevel = 245;

// The first page at about twice the thumbnail's size, so that cutting and scaling down keep
// the lines sharp; flattened onto white.
QImage RenderFirstPage(QPdfDocument& document, int size) {
    const QSizeF points = document.pagePointSize(0);
    if (points.isEmpty()) return {};
    const double scale = std::max(2.0 * size, 800.0) / std::max(points.width(), points.height());
    const QSize pixels = (points * scale).toSize();
    const QImage rendered = document.render(0, pixels);
    if (rendered.isNull()) return {};
    QImage page(pixels, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter(&page).drawImage(0, 0, rendered);
    return page;
}

// The smallest rectangle holding every pixel that is not paper; empty when there is none.
QRect InkBounds(const QImage& page) {
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = line[x];
            if (qRed(pixel) >= kPaperLevel && qGreen(pixel) >= kPaperLevel &&
                qBlue(pixel) >= kPaperLevel) {
                continue;
            }
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

QImage PageThumbnail(const QByteArray& pdf, int size) {
    QByteArray bytes = pdf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1) return {};

    const QImage page = RenderFirstPage(document, size);
    if (page.isNull()) return {};
    const QRect ink = InkBounds(page);
    if (ink.isEmpty()) return {};
    // A thin white edge, as the form has on paper.
    const int edge = std::max(ink.width(), ink.height()) / 50;
    const QRect form = ink.adjusted(-edge, -edge, edge, edge).intersected(page.rect());
    return page.copy(form).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace ledgra
