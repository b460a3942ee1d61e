#pragma once
// The picture of a page's form for a thumbnail: the first page of its PDF, cut to the form
// (the paper's empty margins would leave a small form in a large white square).

#include <QByteArray>
#include <QImage>

namespace ledgra {

// The smallest and largest thumbnails made; file managers ask for 128 to 1024 pixels.
inline constexpr int kMinThumbnailSize = 16;
inline constexpr int kMaxThumbnailSize = 1024;

// The form on the PDF's first page, scaled so that its longer side is `size` pixels, in its
// own proportions, on white. A null image when the PDF cannot be read or its first page is
// blank.
QImage PageThumbnail(const QByteArray& pdf, int size);

}  // namespace ledgra
