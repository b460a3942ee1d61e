#include "verify/VerificationRunAhead.h"

#include <sys/stat.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <string>
#include <system_error>
#include <utility>

namespace ledgra {
namespace {

thread_local VerificationRunAhead* t_ahead = nullptr;

// Each thread checks at most this many documents ahead of the runs, and begins another beyond
// the one the runs wait for only while the checks not yet taken hold fewer bytes than this:
// large documents are not piled up.
constexpr std::size_t kReadyPerThread = 4;
constexpr std::size_t kReadyBytes = std::size_t{64} << 20;

// What the file was when it was read: a later run may have written over it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec written{};
    timespec changed{};
    bool operator==(const FileStamp& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               written.tv_sec == other.written.tv_sec &&
               written.tv_nsec == other.written.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

// The user interface of a check made ahead: what it is told, kept to be told again in order.
class KeptUserInterface final : public UserInterface {
public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        m_events.emplace_back(
            [=](UserInterface& ui) { ui.ShowMessage(text, caption, icon); });
    }
    void SetStatusText(const std::string& text) override {
        m_events.emplace_back([=](UserInterface& ui) { ui.SetStatusText(text); });
    }
    void NavigateView(const std::filesystem::path& htmlFile) override {
        m_events.emplace_back([=](UserInterface& ui) { ui.NavigateView(htmlFile); });
    }

    void TellAgain(UserInterface& ui) const {
        for (const auto& event : m_events) event(ui);
    }

private:
    std::vector<std::function<void(UserInterface&)>> m_events;
};

}  // namespace

struct VerificationRunAhead::Checked {
    std::size_t Bytes() const {
        return check.fileBytes.size() + check.document.content.size() +
               check.document.xmlSignature.signedDocument.size() +
               check.document.xmlSignature.unsignedTree.Bytes();
    }

    std::optional<FileStamp> stamp;
    KeptUserInterface told;
    DocumentCheck check;
    // Thrown by the check; thrown again to the run that takes it, as its own check would.
    std::exception_ptr failure;
};

VerificationRunAhead::VerificationRunAhead(std::vector<std::filesystem::path> documents,
                                           UnwrapMode mode,
                                           SignedDataVerifierFactory verifierFactory,
                                           unsigned threads)
    : m_documents(std::move(documents)),
      m_mode(mode),
      m_verifierFactory(std::move(verifierFactory)),
      m_kept(kReadyPerThread * (std::max(1U, threads) + 1)),
      m_done(m_documents.size()) {
    try {
        for (unsigned i = 0; i < std::max(1U, threads); ++i) {
            m_checking.emplace_back([this] { CheckOnThread(); });
        }
    } catch (const std::system_error&) {
        // Fewer threads than asked for: the runs check what the others do not.
    }
    t_ahead = this;
}

VerificationRunAhead::~VerificationRunAhead() {
    t_ahead = nullptr;
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_changed.notify_all();
}

std::unique_ptr<VerificationRunAhead::Checked> VerificationRunAhead::Check(
    std::size_t index) const {
    auto checked = std::make_unique<Checked>();
    const std::filesystem::path& path = m_documents[index];
    checked->stamp = StampOf(path);
    try {
        checked->check = CheckDocumentFile(path, m_mode, m_verifierFactory, checked->told);
    } catch (...) {
        checked->failure = std::current_exception();
    }
    return checked;
}

bool VerificationRunAhead::MayBegin() const {
    return !m_stopped && m_nextToBegin < m_documents.size() &&
           m_nextToBegin < m_nextTaken + m_kept &&
           (m_nextToBegin == m_nextTaken || m_doneBytes < kReadyBytes);
}

void VerificationRunAhead::Keep(std::size_t index, std::unique_ptr<Checked> checked) {
    m_doneBytes += checked->Bytes();
    m_done[index] = std::move(checked);
}

void VerificationRunAhead::CheckOnThread() {
    // Every document checked on this thread shares one read of the trust folder.
    const TrustStoreRunCache trustFolderReadOnce;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] {
            return m_stopped || m_nextToBegin == m_documents.size() || MayBegin();
        });
        if (!MayBegin()) return;
        const std::size_t index = m_nextToBegin++;
        lock.unlock();
        std::unique_ptr<Checked> checked = Check(index);
        lock.lock();
        Keep(index, std::move(checked));
        m_changed.notify_all();
    }
}

std::optional<DocumentCheck> VerificationRunAhead::Take(const std::filesystem::path& path,
                                                        UnwrapMode mode, UserInterface& ui) {
    if (mode != m_mode || m_nextTaken == m_documents.size() || m_documents[m_nextTaken] != path) {
        return std::nullopt;
    }
    const std::size_t index = m_nextTaken;
    std::unique_ptr<Checked> checked;
    {
        std::unique_lock lock(m_mutex);
        while (!m_done[index]) {
            if (m_nextToBegin == index) {
                // Nobody has begun it: the run checks it itself, telling the user as it goes.
                ++m_nextToBegin;
                ++m_nextTaken;
                lock.unlock();
                m_changed.notify_all();
                return std::nullopt;
            }
            if (!MayBegin()) {
                m_changed.wait(lock);
                continue;
            }
            // Another thread is checking it: rather than wait, check a later one.
            const std::size_t later = m_nextToBegin++;
            lock.unlock();
            std::unique_ptr<Checked> laterChecked = Check(later);
            lock.lock();
            Keep(later, std::move(laterChecked));
        }
        checked = std::move(m_done[index]);
        m_doneBytes -= checked->Bytes();
        ++m_nextTaken;
    }
    m_changed.notify_all();
    // A file written since it was read is checked again by the run.
    if (!checked->stamp || checked->stamp != StampOf(path)) return std::nullopt;
    checked->told.TellAgain(ui);
    if (checked->failure) std::rethrow_exception(checked->failure);
    return std::move(checked->check);
}

std::optional<VerificationRunAhead> CheckAhead(const std::vector<std::filesystem::path>& documents,
                                               UnwrapMode mode,
                                               const SignedDataVerifierFactory& verifierFactory) {
    if (documents.size() < 2) return std::nullopt;
    // One thread for each core the runs' own thread leaves: more would take turns with it.
    return std::optional<VerificationRunAhead>(std::in_place, documents, mode, verifierFactory,
                                               std::max(2U, std::thread::hardware_concurrency()) - 1);
}

std::optional<DocumentCheck> TakeCheckedAhead(const std::filesystem::path& path, UnwrapMode mode,
                                              UserInterface& ui) {
    return t_ahead ? t_ahead->Take(path, mode, ui) : std::nullopt;
}

}  // namespace ledgra
