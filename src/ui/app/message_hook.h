#pragma once

#include "core/app/input_rules.h"

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>

#include <functional>
#include <optional>
#include <string_view>

class QAction;
class QContextMenuEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace pelto::ui {

class ActionRegistry;

// The main window's look at every piece of user input before the widgets get it: the
// browser-wide keyboard shortcuts (which work while a page has the focus), the keys that belong
// to the page (kept from the window's shortcuts), the rocker gestures, the extra mouse buttons
// and the keyboard's browser keys, the wheel's focus rule, and the left clicks that count as the
// user's own action in the page. Only real input is looked at: what a script does inside a page
// never passes through the toolkit's event queue, and events the program sends itself are let
// through.
//
// Middle clicks are left alone: the engine turns a middle click on a link into a request for a
// page behind, which the page's new-window handling decides on; elsewhere the page gets the
// middle click as it is.
class MessageHook : public QObject {
    Q_OBJECT
public:
    // What the hook needs of the main window. Entries marked optional may stay empty.
    struct Host {
        // The main window; input to dialogs and popup menus is left alone.
        QWidget* window = nullptr;
        // True once the program is closing: the hook then does nothing.
        std::function<bool()> isExiting;
        // The active page's view widget, or null when there is no page.
        std::function<QWidget*()> activeView;
        // Whether a widget is the active page's view or lies inside it / inside its page window.
        std::function<bool(const QWidget*)> insideActivePage;
        std::function<bool(const QWidget*)> insideActivePageWindow;
        // The address box and the search box (null when there is none).
        std::function<QWidget*()> addressBox;
        std::function<QWidget*()> searchBox;
        std::function<bool()> addressBarVisible;
        std::function<bool()> searchBarVisible;
        // The top toolbar dock and the side bar, where the wheel does not move the focus.
        std::function<QWidget*()> topDock;
        std::function<QWidget*()> sideBar;
        // The EnableBFGestures switch.
        std::function<bool()> gesturesEnabled;
        // Sets AddressEditing (the hook only ever clears it, on a click outside the address box).
        std::function<void(bool)> setAddressEditing;
        // Opens the popup blocker's user-click window.
        std::function<void()> openUserClickWindow;
        // Optional: the history panel's search box and its Enter handling.
        std::function<bool(const QWidget*)> isHistorySearchBox;
        std::function<void()> historySearchEnter;
        // Optional: the favorites tree is editing a name and the widget is outside the tree; ends it.
        std::function<bool(const QWidget*)> favoritesEditingOutside;
        std::function<void()> endFavoritesEditing;
        // Optional: full-screen auto-hide. While displayModeActive() is true every mouse move is
        // handed to panelsFollowMouse with the mouse position in the main window's coordinates;
        // that is where the floating panels slide in and out (DecidePanelAutoHide).
        std::function<bool()> displayModeActive;
        std::function<void(QPoint)> panelsFollowMouse;
    };

    // Runs the actions of the registry by the names the key tables and gestures give.
    MessageHook(const ActionRegistry& actions, Host host, QObject* parent = nullptr);
    ~MessageHook() override;

    // Starts and stops watching the application's input.
    void install();
    void remove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A right button press kept from the page until it is clear whether it starts a gesture.
    struct HeldPress {
        QPointer<QWidget> receiver;
        QEvent::Type type = QEvent::MouseButtonPress;
        QPointF position;
        QPointF globalPosition;
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        // The context menu the toolkit asked for on that press, if it did.
        bool hasMenu = false;
        QPoint menuPosition;
        QPoint menuGlobalPosition;
        Qt::KeyboardModifiers menuModifiers;
    };

    // The last input event looked at, to know it again while it travels up to the parents.
    struct SeenEvent {
        QEvent::Type type = QEvent::None;
        quint64 timestamp = 0;
        int code = 0;
        QPointF globalPosition;
        QPointer<QWidget> receiver;
    };

    bool inHookedWindow(const QWidget* widget) const;
    bool alreadySeen(QWidget* receiver, const QEvent* event);

    bool keyEvent(QWidget* receiver, QKeyEvent* event);
    bool mouseEvent(QWidget* receiver, QMouseEvent* event);
    bool contextMenuEvent(QContextMenuEvent* event);
    void wheelEvent(QWidget* receiver);
    void mouseMoved(QMouseEvent* event);

    core::KeyPress keyPressOf(const QKeyEvent& event) const;
    core::KeyTarget keyTargetOf(const QWidget* receiver) const;
    // Whether the decision can be carried out here; if so and `run`, carries it out.
    bool carryOut(const core::KeyDecision& decision, QWidget* receiver, bool run);
    // The enabled action of that name, or null.
    QAction* enabledAction(std::string_view name) const;
    void runAction(std::string_view name);
    void replayHeldPress();

    const ActionRegistry& m_actions;
    Host m_host;
    core::MouseGestures m_gestures;
    std::optional<HeldPress> m_heldRight;
    bool m_swallowMenu = false;
    bool m_altGrDown = false;
    bool m_installed = false;
    SeenEvent m_seen;
};

}  // namespace pelto::ui
