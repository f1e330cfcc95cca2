#pragma once

#include <QObject>
#include <QPoint>

class QMenu;
class QWidget;

namespace pelto::ui {

class ActionRegistry;
class PageManager;
class TabBar;
class TfrmPage;
struct SharedState;

// The tab menu "tbxTabMenu" and the commands in it that act on the page whose tab was
// right-clicked: maximise, minimise, restore, close, refresh and duplicate it. The bulk closes
// in the menu belong to the window commands.
class TabMenu : public QObject {
    Q_OBJECT
public:
    TabMenu(PageManager& pages, SharedState& state, QWidget* menuParent, QObject* parent = nullptr);

    // Attaches the handlers and enabling rules and builds the menu from the registry's actions.
    void attach(ActionRegistry& actions);
    // Pops the menu up for the tab bar's right clicks.
    void connectTo(TabBar& tabs);

    QMenu* menu() const { return m_menu; }

    void maximize();
    void minimize();
    void restore();
    void close();
    void refresh();
    void duplicate();

private:
    void popUp(TfrmPage* page, QPoint globalPosition);

    PageManager& m_pages;
    SharedState& m_state;
    ActionRegistry* m_actions = nullptr;
    QMenu* m_menu = nullptr;
};

}  // namespace pelto::ui
