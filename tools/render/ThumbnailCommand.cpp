#include "tools/render/ThumbnailCommand.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/LockedPage.h"
#include "app/PageProfile.h"
#include "app/PdfExport.h"
#include "base/FileAccess.h"
#include "base/Folders.h"
#include "base/UserFolders.h"
#include "render/PageTemplates.h"
#include "settings/IniFileProfile.h"
#include "settings/StoredSettings.h"
#include "tools/render/CommandLine.h"
#include "tools/render/ConsoleUserInterface.h"
#include "tools/render/PageEngine.h"
#include "tools/render/PageThumbnail.h"
#include "verify/DocumentSession.h"

namespace ledgra {
namespace {

constexpr int kWritten = 0;
constexpr int kNoThumbnail = 1;

int Fail(int status, const std::string& reason) {
    std::fprintf(stderr, "ledgra-render --thumbnail: %s\n", reason.c_str());
    return status;
}

std::optional<int> ThumbnailSize(const std::string& text) {
    int size = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (size < kMinThumbnailSize || size > kMaxThumbnailSize) return std::nullopt;
    return size;
}

std::filesystem::path NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Verifies and renders the document into the log folder as the viewer's run does; the page
// file, or nothing when the run did not show the document.
std::optional<std::filesystem::path> ShowDocument(const std::filesystem::path& document,
                                                  const std::filesystem::path& logFolder) {
    // The user's settings as stored; what the run writes stays in memory.
    IniFileProfile profile;
    // An empty html file setting counts as none: the page goes into the log folder.
    profile.WriteProfileString(kSettingsSection, kHtmlFileKey, "");
    const PageTemplates templates;
    ConsoleUserInterface ui(stderr);
    DocumentSession session(logFolder, profile, templates, ui,
                            OpenSslVerifierFactory(TrustFolder(DocumentsLocation())));
    session.ShowDocument(document);
    if (ui.NavigationCount() == 0 || session.State().m_bDocumentShown != 1) return std::nullopt;
    return session.HtmlFilePath();
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

}  // namespace

int RunThumbnailCommand(int& argc, char** argv) {
    if (argc != 5) return Fail(kUsageError, "usage: ledgra-render --thumbnail SIZE DOCUMENT PNG");
    const std::optional<int> size = ThumbnailSize(argv[2]);
    if (!size) {
        return Fail(kUsageError, "SIZE must be " + std::to_string(kMinThumbnailSize) + " to " +
                                     std::to_string(kMaxThumbnailSize));
    }
    const std::filesystem::path document = argv[3];
    const std::filesystem::path png = argv[4];

    const std::unique_ptr<QGuiApplication> application = StartPageEngine(argc, argv);
    const QTemporaryDir temporary;
    if (!temporary.isValid()) return Fail(kNoThumbnail, "no temporary folder");
    const std::filesystem::path logFolder = NativePath(temporary.path()).native() + "/";

    const std::optional<std::filesystem::path> htmlFile = ShowDocument(document, logFolder);
    if (!htmlFile) return Fail(kNoThumbnail, "the document was not shown");
    QByteArray pdf;
    {
        PageProfile pageProfile(logFolder);
        LockedPage page(pageProfile);
        if (!LoadPageAndWait(page, *htmlFile)) {
            return Fail(kNoThumbnail, "the page did not load");
        }
        pdf = PrintPageToPdf(page);
    }
    const QByteArray bytes = PngBytes(PageThumbnail(pdf, *size));
    if (bytes.isEmpty()) return Fail(kNoThumbnail, "the page made no picture");
    if (!WriteOwnFile(png, std::string_view(bytes.constData(), bytes.size()))) {
        return Fail(kNoThumbnail, "cannot write " + png.native());
    }
    return kWritten;
}

}  // namespace ledgra
