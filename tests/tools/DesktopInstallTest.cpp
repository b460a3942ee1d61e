// `cmake --install` into a fresh prefix: the programs, the menu entry, the document types, the
// icons and the AppStream metadata, checked with the desktop's own tools.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace ledgra {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

constexpr const char* kAppId = "org.ledgra.Viewer";

bool HasCommand(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command; true when it succeeds. Its output goes to `output`, when given.
bool RunShell(const std::string& command, const std::filesystem::path& output = "/dev/null") {
    return std::system((command + " >'" + output.native() + "' 2>&1").c_str()) == 0;
}

class DesktopInstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = new TempFolder;
        s_installed = RunShell(std::string("'") + LEDGRA_CMAKE_COMMAND + "' --install '" +
                                   LEDGRA_BINARY_DIR + "' --prefix '" + Prefix().native() + "'",
                               s_folder->Path() / "install.log");
    }
    static void TearDownTestSuite() {
        delete s_folder;
        s_folder = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(s_installed) << ReadBytes(s_folder->Path() / "install.log");
    }

    static std::filesystem::path Prefix() { return s_folder->Path() / "prefix"; }
    static std::filesystem::path Share() { return Prefix() / "share"; }
    std::filesystem::path DesktopFile() const {
        return Share() / "applications" / (std::string(kAppId) + ".desktop");
    }
    // The command's output with the prefix's data first in the desktop's search path.
    std::string Output(const std::string& command) {
        const std::filesystem::path output = s_folder->Path() / "output";
        const std::string environment = "XDG_DATA_DIRS='" + Share().native() + ":/usr/share' ";
        RunShell(environment + command, output);
        std::string text = ReadBytes(output);
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        return text;
    }

    static inline TempFolder* s_folder = nullptr;
    static inline bool s_installed = false;
};

TEST_F(DesktopInstallTest, PutsEveryFileWhereADesktopLooks) {
    const std::string id = kAppId;
    std::vector<std::filesystem::path> files = {
        Prefix() / "bin" / "ledgra-viewer",
        Prefix() / "bin" / "ledgra-render",
        DesktopFile(),
        Share() / "mime" / "packages" / (id + ".xml"),
        Share() / "metainfo" / (id + ".metainfo.xml"),
        Share() / "thumbnailers" / (id + ".thumbnailer"),
        Share() / "icons" / "hicolor" / "scalable" / "apps" / (id + ".svg"),
    };
    for (const char* size : {"16x16", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"}) {
        files.push_back(Share() / "icons" / "hicolor" / size / "apps" / (id + ".png"));
    }
    for (const std::filesystem::path& file : files) {
        EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    }
    for (const char* program : {"ledgra-viewer", "ledgra-render"}) {
        const auto permissions = std::filesystem::status(Prefix() / "bin" / program).permissions();
        EXPECT_NE(permissions & std::filesystem::perms::owner_exec, std::filesystem::perms::none);
    }
}

TEST_F(DesktopInstallTest, TheMenuEntryAndTheMetadataAreValid) {
    if (!HasCommand("desktop-file-validate") || !HasCommand("appstreamcli")) {
        GTEST_SKIP() << "desktop-file-utils or appstream is not installed";
    }
    const std::filesystem::path log = s_folder->Path() / "validate.log";
    EXPECT_TRUE(RunShell("desktop-file-validate '" + DesktopFile().native() + "'", log))
        << ReadBytes(log);
    const std::filesystem::path metainfo =
        Share() / "metainfo" / (std::string(kAppId) + ".metainfo.xml");
    EXPECT_TRUE(RunShell("appstreamcli validate --no-net '" + metainfo.native() + "'", log))
        << ReadBytes(log);

    const std::string entry = ReadBytes(DesktopFile());
    for (const char* line :
         {"\nExec=ledgra-viewer %f\n", "\nName=Ledgra Viewer\n",
          "\nName[ko]=", "\nCategories=Office;Viewer;\n",
          "\nMimeType=application/x-ledgra-ktx;application/x-ledgra-kcx;application/x-ledgra-tsn;"
          "application/x-ledgra-cqs;application/x-ledgra-tax-invoice+xml;\n"}) {
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    }
}

TEST_F(DesktopInstallTest, DocumentFilesAreKnownByNameAndByTheirFirstBytes) {
    if (!HasCommand("gio")) GTEST_SKIP() << "gio (libglib2.0-bin) is not installed";
    TempFolder files;
    const std::string container = ";0700;\n<zova version=\"1.0\">\n<document data=\";07020;MII\"/>";
    const std::string signedText = "MIIUCgYJKoZIhvcNAQcCoIIT+zCCE/cCAQExDTALBglghkgBZQMEAgEw";
    const struct {
        const char* name;
        std::string bytes;
        const char* type;
    } cases[] = {
        {"a.KTX", container, "application/x-ledgra-ktx"},
        {"a.ktx", signedText, "application/x-ledgra-ktx"},
        {"a.KcX", container, "application/x-ledgra-kcx"},
        {"a.TSN", signedText, "application/x-ledgra-tsn"},
        {"a.cqs", container, "application/x-ledgra-cqs"},
        // The texture format that shares the extension keeps its files.
        {"texture.ktx", "\xABKTX 11\xBB\r\n\x1A\n", "image/ktx"},
        {"texture2.KTX", "\xABKTX 11\xBB\r\n\x1A\n", "image/ktx"},
    };
    for (const auto& row : cases) {
        const std::filesystem::path file = files.Write(row.name, row.bytes);
        EXPECT_EQ(Output("gio info -a standard::content-type '" + file.native() +
                         "' | sed -n 's/.*content-type: //p'"),
                  row.type)
            << row.name;
    }
    // Without a pattern, a semicolon container is still one of ours.
    const std::filesystem::path bare = files.Write("document", container);
    EXPECT_TRUE(Output("gio info -a standard::content-type '" + bare.native() +
                       "' | sed -n 's/.*content-type: //p'")
                    .starts_with("application/x-ledgra-"));
    // An XML file that is no invoice stays XML.
    const std::filesystem::path xml = files.Write("plain.xml", "<?xml version=\"1.0\"?><a/>");
    EXPECT_EQ(Output("gio info -a standard::content-type '" + xml.native() +
                     "' | sed -n 's/.*content-type: //p'"),
              "application/xml");
}

}  // namespace
}  // namespace ledgra
