#pragma once
// What the file tree tests share: a home folder of their own, a stand-in main window, waiting
// on signals, and a check of the tree's invariants.

#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "filetree/LeftView.h"
#include "filetree/TreeFileCtrl.h"
#include "tests/support/TempFolder.h"

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '(' << texts.join(QStringLiteral(", ")).toStdString() << ')';
}

namespace ledgra::testing {

QString ToQString(const std::filesystem::path& path);

// Gives each test an empty home folder, so that Desktop and Documents are folders the test
// builds and the user's own profile is never touched.
class TreeTest : public ::testing::Test {
protected:
    TreeTest();
    ~TreeTest() override;

    // A path below the home folder.
    QString HomePath(const std::string& relative) const;
    QString DocumentsPath(const std::string& relative = {}) const;
    // Creates files and folders ("a/" is a folder) below Documents.
    void CreateDocuments(std::initializer_list<std::string_view> names);

    TempFolder m_folder;

private:
    QByteArray m_savedHome;
    QByteArray m_savedConfigHome;
};

// A main window that records what the tree and the left view ask of it.
class FakeFrame : public QWidget {
public:
    void Listen(CTreeFileCtrl& tree);
    void Listen(CMyTreeFileCtrl& tree);  // the titles too
    void Listen(CLeftView& view);        // and its tree

    QStringList m_activated;  // the documents to show
    QStringList m_refused;    // the messages of what could not be opened
    QStringList m_titles;
    QStringList m_shown;  // the start documents
};

// Stands in for the desktop's default application (QDesktopServices::setUrlHandler).
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> m_urls;

public slots:
    void Open(const QUrl& url) { m_urls.append(url); }
};

// Runs the event loop until the signal arrives; false after the time limit.
template <typename Sender, typename Signal>
bool WaitForSignal(Sender* sender, Signal signal, int timeoutMs = 5000) {
    QEventLoop loop;
    bool arrived = false;
    QObject::connect(sender, signal, &loop, [&] {
        arrived = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return arrived;
}

QStringList Texts(std::initializer_list<const char*> texts);

// The texts of an item's children, in order.
QStringList ChildTexts(const QTreeWidgetItem* item);

// Every item but a placeholder has a record, and the children of every filled folder are its
// entries (each path its folder's path and its name), folders first, sorted by name ignoring case.
void ExpectConsistent(const CTreeFileCtrl& tree);

}  // namespace ledgra::testing
