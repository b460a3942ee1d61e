// ledgra-render --thumbnail on every demo document, as a file manager calls it.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>

#include <algorithm>
#include <filesystem>

#include "tests/support/TempFolder.h"

namespace ledgra {
namespace {

TEST(RenderThumbnail, EveryDemoDocumentGetsItsFormAndAFailingOneNothing) {
    constexpr int kSize = 128;
    testing::TempFolder folder;
    const std::filesystem::path home = folder.Path() / "home";
    std::filesystem::create_directories(home);
    std::filesystem::copy(std::filesystem::path(LEDGRA_BINARY_DIR) / "demo-home" / "Documents",
                          home / "Documents", std::filesystem::copy_options::recursive);
    // The demo home may have been used: its pages are not this test's.
    std::filesystem::remove_all(home / "Documents/ZOVA/Logs");
    const std::filesystem::path forged = folder.Write("forged.KTX", ";09060000not signed");
    std::vector<std::filesystem::path> documents = {forged};
    for (const auto& entry :
         std::filesystem::directory_iterator(home / "Documents/ZOVA/Taxfiles")) {
        documents.push_back(entry.path());
    }
    ASSERT_EQ(documents.size(), 6u);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_qs, QString::fromStdString(home.native()));
    environment.insert(u"XDG_CONFIG_HOME"_qs, QString::fromStdString(home.native() + "/.config"));
    environment.remove(u"XDG_DOCUMENTS_DIR"_qs);
    for (const std::filesystem::path& document : documents) {
        SCOPED_TRACE(document.filename().string());
        const QString png = QString::fromStdString(document.native() + ".png");
        QProcess render;
        render.setProcessEnvironment(environment);
        render.start(QStringLiteral(LEDGRA_RENDER_PROGRAM),
                     {u"--thumbnail"_qs, QString::number(kSize),
                      QString::fromStdString(document.native()), png});
        ASSERT_TRUE(render.waitForFinished(120000));
        EXPECT_EQ(render.exitCode(), document == forged ? 1 : 0);
        const QImage image(png);
        if (document == forged) {
            EXPECT_TRUE(image.isNull());
            continue;
        }
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(std::max(image.width(), image.height()), kSize);
        // Ruled lines and text on paper: neither blank nor a dark block.
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 240;
        }
        EXPECT_GT(ink, image.width() * image.height() / 30);
        EXPECT_LT(ink, image.width() * image.height() / 2);
    }
    // The user's log folder stays untouched.
    EXPECT_FALSE(std::filesystem::exists(home / "Documents/ZOVA/Logs"));
}

}  // namespace
}  // namespace ledgra
