#pragma once

#include "core/collections/exit_decision.h"
#include "core/collections/recent_pages.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QMenu;
class QWidget;

namespace pelto::core {
class SettingsStore;
}

namespace pelto::ui {

class ActionRegistry;
class PageManager;
class TfrmPage;
struct SharedState;

// The three memories of pages: the recently closed pages (recents.dat and the "Open Recent"
// menu), the open pages kept in pages.dat after every navigation and close so that a crash
// loses none, and what happens to them at exit (the saved choice or the exit prompt) and at
// the next start (reopened, or offered after a crash).
class RecentPages : public QObject {
    Q_OBJECT
public:
    // The exit prompt's answer and the choice its radio buttons show; nothing when the prompt
    // was closed without an answer.
    struct ExitPromptResult {
        core::ExitPromptAnswer answer = core::ExitPromptAnswer::Cancel;
        core::ActionWhenExit selected = core::ActionWhenExit::Prompt;
    };

    struct Services {
        PageManager* pages = nullptr;
        SharedState* state = nullptr;
        core::SettingsStore* store = nullptr;
        QString dataFolder;  // ends with a separator; empty: nothing is kept on disk
        // A yes-or-no question; true for Yes.
        std::function<bool(const QString& message)> confirm;
        // Shows the exit prompt modally.
        std::function<ExitPromptResult()> exitPrompt;
    };

    explicit RecentPages(Services services, QObject* parent = nullptr);

    // The "Open Recent" menu "mRecents".
    QMenu* menu() const { return m_menu; }
    // Attaches "Clear Recent Pages" and "Save All Opened Pages and Exit" (whose close request
    // goes to closeWindow).
    void attach(ActionRegistry& actions, std::function<void()> closeWindow);

    // Shows or hides the menu; when shown, writes the list to recents.dat (save) or reads it
    // from there, then rebuilds the menu.
    void RefreshRecentMenu(bool enabled, bool save);
    // A page closed: remember it, and with refresh write recents.dat and rebuild the menu.
    void AddRecentPage(const QString& title, const QString& address, bool refresh);
    void OpenAllRecent();
    // Asks, then forgets every recent page.
    void ClearRecentList();
    const core::RecentList& list() const { return m_list; }

    // Writes the open pages to pages.dat (not once the exit has begun, nor while the recovery
    // question is open).
    void SaveOpenPages();
    void ClearOpenPages();
    // At start: reopens the pages the last run saved, after a question when it crashed.
    void RestoreOpenPages();

    // The first step of the close: false keeps the program running (the exit prompt was
    // cancelled).
    bool DecideOpenPagesAtExit();
    // Once the close is decided: the open pages become recent pages, and the run is marked as
    // properly closed.
    void RecordPagesAtExit();

    QString recentsFile() const { return fileIn(QStringLiteral("recents.dat")); }
    QString pagesFile() const { return fileIn(QStringLiteral("pages.dat")); }

private:
    QString fileIn(const QString& name) const { return m_services.dataFolder.isEmpty() ? QString() : m_services.dataFolder + name; }
    void pageClosing(TfrmPage* page);
    void rebuildMenu();
    bool writeRecents();
    void applyPagesChange(core::PagesFileChange change);

    Services m_services;
    core::RecentList m_list;
    QMenu* m_menu = nullptr;
    bool m_recoveryPending = false;
};

}  // namespace pelto::ui
