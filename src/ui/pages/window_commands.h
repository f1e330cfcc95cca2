#pragma once

#include <QObject>
#include <QString>

#include "core/pages/window_arrangement.h"

#include <QList>

#include <functional>
#include <optional>

class QMdiArea;

namespace pelto::ui {

class ActionRegistry;
class PageManager;
struct SharedState;
class TfrmPage;

// The commands that act on the pages as windows: previous and next page by tab slot, cascade
// and tile, minimise, maximise and restore all, stop and refresh all, the bulk closes (all, all
// but the current page, all but the right-clicked page, the checked pages), and the minimise,
// restore and close buttons that stand for those of a maximised page.
class WindowCommands : public QObject {
    Q_OBJECT
public:
    // Asks a yes-or-no question; true for Yes.
    using Confirm = std::function<bool(const QString& message)>;

    // Shows the Close Checked dialog for the pages; returns the pages the user checked and
    // confirmed with OK, or nothing on Cancel.
    using ChoosePages = std::function<std::optional<QList<TfrmPage*>>(const QList<TfrmPage*>& pages)>;

    WindowCommands(PageManager& pages, QMdiArea& area, SharedState& state, Confirm confirm,
                   std::function<void()> clearPageDisplay, QObject* parent = nullptr);

    // The dialog that Close Checked shows (by default none: the command closes nothing).
    void setChoosePages(ChoosePages choose) { m_choosePages = std::move(choose); }

    // Attaches the handlers and enabling rules to the registry's actions.
    void attach(ActionRegistry& actions);

    void previousPage();
    void nextPage();
    void closeAll();
    void closeAllExceptCurrent();
    // Closes every page but the one whose tab was right-clicked last.
    void closeAllExceptThis();
    // Lets the user check the pages to close, then closes them.
    void closeChecked();
    // Closes the given pages in one go, without a question (the OK of Close Checked).
    void closePages(const QList<TfrmPage*>& pages);
    // The first page in its own maximised state: the one the window-control buttons act on.
    TfrmPage* maximizedPage() const;
    void sysMinimize();
    void sysRestore();
    void sysClose();
    void stopAll();
    void refreshAll();
    void cascade();
    void tileHorizontally();
    void tileVertically();
    void arrangeIcons();
    void maximizeAll();
    void restoreAll();
    void minimizeAll();

signals:
    // A command closed several pages: the recent pages are written and their menu rebuilt
    // once, here.
    void bulkCloseFinished();

private:
    void stepPage(bool forward);
    void restoreMaximizedPages();
    void tile(core::TileMode mode);
    void finishBulkClose();
    bool sysCommandsEnabled() const;

    PageManager& m_pages;
    QMdiArea& m_area;
    SharedState& m_state;
    Confirm m_confirm;
    std::function<void()> m_clearPageDisplay;
    ChoosePages m_choosePages;
};

}  // namespace pelto::ui
