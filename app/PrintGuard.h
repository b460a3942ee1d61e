#pragma once
// Whether a print is under way. The print commands wait for the engine with the interface
// responsive, so a second command can arrive meanwhile; and the engine never finishes a second
// print started while one runs, which may outlast its wait. One guard answers both: it is taken
// by a command for its duration, and by the engine's print until the engine reports it done.

#include <QPointer>
#include <QWebEngineView>

#include <optional>

namespace ledgra {

class PrintGuard {
public:
    // Holds the guard while it lives.
    class Scope {
    public:
        explicit Scope(PrintGuard& guard) : m_guard(guard) { m_guard.m_commandUnderWay = true; }
        ~Scope() { m_guard.m_commandUnderWay = false; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        PrintGuard& Guard() const { return m_guard; }

    private:
        PrintGuard& m_guard;
    };

    PrintGuard() = default;
    PrintGuard(const PrintGuard&) = delete;
    PrintGuard& operator=(const PrintGuard&) = delete;

    // Whether a command or the engine is printing.
    bool Busy() const { return m_commandUnderWay || EnginePrinting(); }
    // The guard for one command; nothing while a print is under way.
    std::optional<Scope> Enter() {
        if (Busy()) return std::nullopt;
        return std::optional<Scope>(std::in_place, *this);
    }

    // Whether the engine is still at a print (also one whose wait gave up).
    bool EnginePrinting() const { return !m_printingView.isNull(); }
    // The engine prints the view's page from now until EngineFinished for the view.
    void EngineStarted(QWebEngineView& view) { m_printingView = &view; }
    void EngineFinished(const QWebEngineView& view) {
        if (m_printingView == &view) m_printingView = nullptr;
    }

private:
    bool m_commandUnderWay = false;
    QPointer<QWebEngineView> m_printingView;
};

}  // namespace ledgra
