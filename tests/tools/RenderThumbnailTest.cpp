// ledgra-render --thumbnail on every demo document, as a file manager calls it.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QString>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

namespace ledgra {
namespace {

using testing::TempFolder;

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.native());
}

// The share of pixels that are not paper white.
double InkShare(const QImage& image) {
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 240) ++ink;
        }
    }
    return static_cast<double>(ink) / (qint64{image.width()} * image.height());
}

TEST(RenderThumbnail, EveryDemoDocumentGetsItsFormAndAFailingOneNothing) {
    constexpr int kSize = 128;
    TempFolder folder;
    const std::filesystem::path home = folder.Path() / "home";
    std::filesystem::create_directories(home);
    std::filesystem::copy(std::filesystem::path(LEDGRA_BINARY_DIR) / "demo-home" / "Documents",
                          home / "Documents", std::filesystem::copy_options::recursive);
    const std::filesystem::path taxfiles = home / "Documents" / "ZOVA" / "Taxfiles";
    const std::filesystem::path forged = folder.Write("forged.KTX", ";09060000not signed");

    std::vector<std::filesystem::path> documents;
    for (const auto& entry : std::filesystem::directory_iterator(taxfiles)) {
        documents.push_back(entry.path());
    }
    ASSERT_EQ(documents.size(), 5u);
    documents.push_back(forged);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), ToQString(home));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), ToQString(home / ".config"));
    environment.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
    for (const std::filesystem::path& document : documents) {
        SCOPED_TRACE(document.filename().string());
        const std::filesystem::path png = folder.Path() / (document.filename().string() + ".png");
        QProcess render;
        render.setProcessEnvironment(environment);
        render.start(QStringLiteral(LEDGRA_RENDER_PROGRAM),
                     {QStringLiteral("--thumbnail"), QString::number(kSize), ToQString(document),
                      ToQString(png)});
        ASSERT_TRUE(render.waitForFinished(120000));
        const QImage image(ToQString(png));
        if (document == forged) {
            EXPECT_EQ(render.exitCode(), 1);
            EXPECT_FALSE(std::filesystem::exists(png));
            continue;
        }
        EXPECT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(std::max(image.width(), image.height()), kSize);
        // Ruled lines and text on paper: neither blank nor a dark block.
        const double ink = InkShare(image);
        EXPECT_GT(ink, 0.03);
        EXPECT_LT(ink, 0.6);
    }
    // The user's log folder stays untouched.
    EXPECT_FALSE(std::filesystem::exists(home / "Documents" / "ZOVA" / "Logs"));
}

}  // namespace
}  // namespace ledgra
