#pragma once

#include <QObject>
#include <QString>

#include "core/pages/window_arrangement.h"

#include <functional>

class QMdiArea;

namespace pelto::ui {

class ActionRegistry;
class PageManager;
struct SharedState;

// The commands that act on the pages as windows: previous and next page by tab slot, cascade
// and tile, minimise, maximise and restore all, stop and refresh all, close all and close all
// but the current page.
class WindowCommands : public QObject {
    Q_OBJECT
public:
    // Asks a yes-or-no question; true for Yes.
    using Confirm = std::function<bool(const QString& message)>;

    WindowCommands(PageManager& pages, QMdiArea& area, SharedState& state, Confirm confirm,
                   std::function<void()> clearPageDisplay, QObject* parent = nullptr);

    // Attaches the handlers and enabling rules to the registry's actions.
    void attach(ActionRegistry& actions);

    void previousPage();
    void nextPage();
    void closeAll();
    void closeAllExceptCurrent();
    void stopAll();
    void refreshAll();
    void cascade();
    void tileHorizontally();
    void tileVertically();
    void arrangeIcons();
    void maximizeAll();
    void restoreAll();
    void minimizeAll();

private:
    void stepPage(bool forward);
    void restoreMaximizedPages();
    void tile(core::TileMode mode);
    void finishBulkClose();

    PageManager& m_pages;
    QMdiArea& m_area;
    SharedState& m_state;
    Confirm m_confirm;
    std::function<void()> m_clearPageDisplay;
};

}  // namespace pelto::ui
