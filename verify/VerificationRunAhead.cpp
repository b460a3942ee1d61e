#include "verify/VerificationRunAhead.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <string>
#include <system_error>
#include <utility>

#include "base/OrderedPool.h"
#include "verify/TrustStore.h"

namespace ledgra {
namespace {

thread_local VerificationRunAhead* t_ahead = nullptr;

// Checked documents wait at most this many per thread for the runs to take them, and beyond
// the first one at most this many bytes of content: large documents are not piled up.
constexpr std::size_t kReadyPerThread = 4;
constexpr std::size_t kReadyBytes = std::size_t{64} << 20;

// What the file was when it was read: a later run may have written over it.
struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
    std::error_code error;
    FileStamp stamp{std::filesystem::file_size(path, error), {}};
    if (error) return std::nullopt;
    stamp.written = std::filesystem::last_write_time(path, error);
    if (error) return std::nullopt;
    return stamp;
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
               check.document.xmlSignature.signedDocument.size();
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
    : m_documents(std::move(documents)), m_mode(mode) {
    const std::size_t kept = kReadyPerThread * std::max(1U, threads);
    m_checking = std::jthread([this, threads, kept, verifierFactory = std::move(verifierFactory)] {
        auto makeWorker = [&] {
            return [&, trustFolderReadOnce = std::make_unique<TrustStoreRunCache>()](
                       std::size_t index) {
                auto checked = std::make_unique<Checked>();
                const std::filesystem::path& path = m_documents[index];
                checked->stamp = StampOf(path);
                try {
                    checked->check = CheckDocumentFile(path, m_mode, verifierFactory, checked->told);
                } catch (...) {
                    checked->failure = std::current_exception();
                }
                return checked;
            };
        };
        auto sink = [&](std::size_t, std::unique_ptr<Checked> checked) {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] {
                return m_stopped || m_ready.empty() ||
                       (m_ready.size() < kept && m_readyBytes < kReadyBytes);
            });
            m_readyBytes += checked->Bytes();
            m_ready.push_back(std::move(checked));
            m_changed.notify_all();
        };
        RunInOrder(m_documents.size(), threads, makeWorker, sink, m_stopped);
    });
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

std::optional<DocumentCheck> VerificationRunAhead::Take(const std::filesystem::path& path,
                                                        UnwrapMode mode, UserInterface& ui) {
    if (mode != m_mode || m_nextTaken == m_documents.size() || m_documents[m_nextTaken] != path) {
        return std::nullopt;
    }
    std::unique_ptr<Checked> checked;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_ready.empty(); });
        checked = std::move(m_ready.front());
        m_ready.pop_front();
        m_readyBytes -= checked->Bytes();
    }
    m_changed.notify_all();
    ++m_nextTaken;
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
