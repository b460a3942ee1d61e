// Expanding big folders in the file tree: 20,000 files of which 5,000 are documents, and
// 2,000 sub-folders each holding one document (every one is looked into for its button).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "base/QtDocumentPatterns.h"
#include "filetree/FolderListing.h"
#include "filetree/TreeFileCtrl.h"
#include "filetree/TreeFileCtrlItem.h"

namespace {

using namespace ledgra;

constexpr int kFiles = 20000;
constexpr int kSubFolders = 2000;
constexpr int kDocumentEvery = 4;
const char* const kDocumentExtensions[] = {".ktx", ".KCX", ".tsn", ".XML", ".cqs"};

// The application and the big folder, made once and removed at exit.
class BigFolder {
public:
    BigFolder() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ledgra-tree-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) abort();
        m_path = pattern;
        for (int i = 0; i < kFiles; ++i) {
            // Names in a scrambled order and mixed case, so that sorting has work to do.
            const int key = (i * 7919) % kFiles;
            std::string name = (key % 3 ? "Invoice_" : "invoice_") + std::to_string(key);
            name +=
                i % kDocumentEvery == 0 ? kDocumentExtensions[(i / kDocumentEvery) % 5] : ".pdf";
            std::ofstream(m_path / name) << 'x';
        }
        m_folders = m_path.string() + "-folders";
        for (int i = 0; i < kSubFolders; ++i) {
            const int key = (i * 7919) % kSubFolders;
            const std::filesystem::path folder = m_folders / ("Folder_" + std::to_string(key));
            std::filesystem::create_directories(folder);
            std::ofstream(folder / "a.ktx") << 'x';
        }
    }
    ~BigFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
        std::filesystem::remove_all(m_folders, ignored);
    }
    QString Path() const { return QFile::decodeName(QByteArray::fromStdString(m_path.string())); }
    QString FoldersPath() const {
        return QFile::decodeName(QByteArray::fromStdString(m_folders.string()));
    }

private:
    int m_argc = 1;
    char m_name[16] = "tree_fill_bench";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
    std::filesystem::path m_path;
    std::filesystem::path m_folders;
};

const BigFolder& Folder() {
    static const BigFolder folder;
    return folder;
}

// Expands the folder once per iteration; `filled` says what is wrong with its items, if
// anything. The listing runs on a thread of its own: the time that counts is the wall time.
void FillFolderRepeatedly(benchmark::State& state, const QString& path,
                          const std::function<const char*(QTreeWidgetItem&)>& filled) {
    CTreeFileCtrl tree;
    tree.InitialiseTree();
    QTreeWidgetItem* item = tree.SelectPath(path, false);
    if (!item) {
        state.SkipWithError("the folder is not in the tree");
        return;
    }
    for (auto _ : state) {
        tree.FillFolderItem(path, item, true);
        state.PauseTiming();
        if (const char* error = filled(*item)) state.SkipWithError(error);
        qDeleteAll(item->takeChildren());
        state.ResumeTiming();
    }
}

// One expansion: the folder read once, the items made, sorted and inserted.
void BM_FillFolder(benchmark::State& state) {
    FillFolderRepeatedly(state, Folder().Path(), [](QTreeWidgetItem& item) -> const char* {
        return item.childCount() != kFiles / kDocumentEvery ? "wrong count" : nullptr;
    });
}
BENCHMARK(BM_FillFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

// One expansion of the folder of sub-folders: each is looked into once for its expand button,
// and no folder is asked twice what it is.
void BM_FillSubFolders(benchmark::State& state) {
    FillFolderRepeatedly(state, Folder().FoldersPath(), [](QTreeWidgetItem& item) -> const char* {
        if (item.childCount() != kSubFolders) return "wrong count";
        return CTreeFileCtrl::HasChildFlag(item.child(0)) ? nullptr : "no button";
    });
}
BENCHMARK(BM_FillSubFolders)->Unit(benchmark::kMillisecond)->UseRealTime();

// The directory pass alone, with the document patterns.
void BM_ReadFolder(benchmark::State& state) {
    const QString path = Folder().Path();
    const QStringList& patterns = DocumentPatternList();
    for (auto _ : state) {
        int documents = 0;
        ForEachFolderEntry(path, [&](const FolderEntry& entry) {
            for (const QString& pattern : patterns)
                if (MatchesPattern(entry.m_strName, pattern)) {
                    ++documents;
                    break;
                }
            return true;
        });
        benchmark::DoNotOptimize(documents);
    }
}
BENCHMARK(BM_ReadFolder)->Unit(benchmark::kMillisecond);

// Sorting the records of the documents, folders first and ignoring case.
void BM_SortRecords(benchmark::State& state) {
    std::vector<CTreeFileCtrlItemInfo> records;
    ForEachFolderEntry(Folder().Path(), [&](const FolderEntry& entry) {
        if (!entry.m_strName.endsWith(QLatin1String(".pdf"))) {
            CTreeFileCtrlItemInfo record;
            record.m_strName = entry.m_strName;
            record.m_bIsFile = true;
            records.push_back(std::move(record));
        }
        return true;
    });
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<CTreeFileCtrlItemInfo> copy = records;
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end(), SortsBefore);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_SortRecords)->Unit(benchmark::kMillisecond);

}  // namespace
