#include "ui/app/message_hook.h"

#include "ui/app/action_registry.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

#include <array>
#include <string>
#include <utility>

namespace pelto::ui {

namespace {

using core::Key;

constexpr std::array<std::pair<int, Key>, 23> kNamedKeys = {{
    {Qt::Key_Backspace, Key::Backspace},
    {Qt::Key_Tab, Key::Tab},
    {Qt::Key_Return, Key::Enter},
    {Qt::Key_Enter, Key::Enter},
    {Qt::Key_Escape, Key::Escape},
    {Qt::Key_Delete, Key::Delete},
    {Qt::Key_Home, Key::Home},
    {Qt::Key_Left, Key::Left},
    {Qt::Key_Right, Key::Right},
    {Qt::Key_Up, Key::Up},
    {Qt::Key_Down, Key::Down},
    {Qt::Key_F1, Key::F1},
    {Qt::Key_F2, Key::F2},
    {Qt::Key_F3, Key::F3},
    {Qt::Key_F4, Key::F4},
    {Qt::Key_F5, Key::F5},
    {Qt::Key_F6, Key::F6},
    {Qt::Key_F7, Key::F7},
    {Qt::Key_F8, Key::F8},
    {Qt::Key_F9, Key::F9},
    {Qt::Key_F10, Key::F10},
    {Qt::Key_F11, Key::F11},
    {Qt::Key_F12, Key::F12},
}};

Key keyOf(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<Key>(static_cast<int>(Key::A) + (qtKey - Qt::Key_A));
    for (const auto& [code, key] : kNamedKeys) {
        if (code == qtKey)
            return key;
    }
    return Key::Unknown;
}

// The keyboard's browser keys, by their application command number; 0 for other keys.
int appCommandOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Back:
        return static_cast<int>(core::AppCommand::Back);
    case Qt::Key_Forward:
        return static_cast<int>(core::AppCommand::Forward);
    case Qt::Key_Refresh:
        return static_cast<int>(core::AppCommand::Refresh);
    case Qt::Key_Stop:
        return static_cast<int>(core::AppCommand::Stop);
    case Qt::Key_Search:
        return static_cast<int>(core::AppCommand::Search);
    case Qt::Key_Favorites:
        return static_cast<int>(core::AppCommand::Favorites);
    case Qt::Key_HomePage:
        return static_cast<int>(core::AppCommand::Home);
    default:
        return 0;
    }
}

bool within(const QWidget* widget, const QWidget* area)
{
    return widget && area && (widget == area || area->isAncestorOf(widget));
}

// The edit box the edit keys act on: a line edit, or the edit of an editable combo box.
QLineEdit* editBoxOf(QWidget* widget)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit;
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->lineEdit();
    return nullptr;
}

// What an optional getter of the host answers; the type's default when it has none.
template <typename R, typename... Params, typename... Args>
R ask(const std::function<R(Params...)>& getter, Args&&... args)
{
    return getter ? getter(std::forward<Args>(args)...) : R {};
}

}  // namespace

MessageHook::MessageHook(const ActionRegistry& actions, Host host, QObject* parent)
    : QObject(parent)
    , m_actions(actions)
    , m_host(std::move(host))
{
}

MessageHook::~MessageHook()
{
    remove();
}

void MessageHook::install()
{
    if (m_installed)
        return;
    qApp->installEventFilter(this);
    m_installed = true;
}

void MessageHook::remove()
{
    if (!m_installed)
        return;
    qApp->removeEventFilter(this);
    m_installed = false;
}

bool MessageHook::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ApplicationDeactivate:
        // A release that happens while another program has the keyboard never comes here.
        m_altGrDown = false;
        m_heldRight.reset();
        return false;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        break;
    default:
        return false;
    }
    // The toolkit shows each event to the window first and then to its widgets; only the
    // widgets' turn is looked at.
    if (!watched->isWidgetType())
        return false;
    auto* receiver = static_cast<QWidget*>(watched);
    if (ask(m_host.isExiting) || !inHookedWindow(receiver))
        return false;
    if (event->type() == QEvent::ContextMenu)
        return contextMenuEvent(static_cast<QContextMenuEvent*>(event));
    // Only the user's own input: events the program sends itself (a held-back press handed on,
    // the engine passing back a key the page did not want) go through untouched. The shortcut
    // override only claims a key for the key press that follows, and is sent rather than
    // queued when keys are simulated.
    if ((!event->spontaneous() && event->type() != QEvent::ShortcutOverride) || alreadySeen(receiver, event))
        return false;

    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return keyEvent(receiver, static_cast<QKeyEvent*>(event));
    case QEvent::MouseMove:
        mouseMoved(static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::Wheel:
        wheelEvent(receiver);
        return false;
    default:
        return mouseEvent(receiver, static_cast<QMouseEvent*>(event));
    }
}

bool MessageHook::inHookedWindow(const QWidget* widget) const
{
    if (!m_host.window)
        return true;
    const QWidget* top = widget->window();
    if (top == m_host.window)
        return true;
    // Dialogs and popup menus keep their own keys (Esc closes them, Enter accepts).
    if (top->windowType() == Qt::Popup || qobject_cast<const QDialog*>(top))
        return false;
    // Floating docks and bars of the main window are still part of it.
    for (const QObject* parent = top->parent(); parent; parent = parent->parent()) {
        if (parent == m_host.window)
            return true;
    }
    return false;
}

bool MessageHook::alreadySeen(QWidget* receiver, const QEvent* event)
{
    // An event its receiver does not accept travels on to the parent widgets (as the same
    // event, or for mouse events as a copy); the decision was made at the first receiver.
    SeenEvent now;
    now.type = event->type();
    now.receiver = receiver;
    if (event->isInputEvent())
        now.timestamp = static_cast<const QInputEvent*>(event)->timestamp();
    if (event->isPointerEvent()) {
        const auto* pointer = static_cast<const QSinglePointEvent*>(event);
        now.code = pointer->button();
        now.globalPosition = pointer->globalPosition();
    } else if (now.type == QEvent::KeyPress || now.type == QEvent::KeyRelease || now.type == QEvent::ShortcutOverride) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        now.code = key->key() | static_cast<int>(key->modifiers());
    }
    const bool travelling = m_seen.receiver && m_seen.receiver != receiver && receiver->isAncestorOf(m_seen.receiver)
        && m_seen.type == now.type && m_seen.timestamp == now.timestamp && m_seen.code == now.code
        && m_seen.globalPosition == now.globalPosition;
    if (!travelling)
        m_seen = now;
    return travelling;
}

core::KeyPress MessageHook::keyPressOf(const QKeyEvent& event) const
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    core::KeyPress press;
    press.key = keyOf(event.key());
    press.ctrl = modifiers.testFlag(Qt::ControlModifier);
    press.shift = modifiers.testFlag(Qt::ShiftModifier);
    press.alt = modifiers.testFlag(Qt::AltModifier);
    // On X11 the right Alt key comes as a key of its own and the keys typed with it may carry
    // the group switch; either way what is typed is a character, not a shortcut.
    press.altGr = m_altGrDown || modifiers.testFlag(Qt::GroupSwitchModifier);
    press.keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (event.key() == Qt::Key_Backtab) {
        // Shift+Tab arrives as a key of its own.
        press.key = Key::Tab;
        press.shift = true;
    }
    return press;
}

core::KeyTarget MessageHook::keyTargetOf(const QWidget* receiver) const
{
    core::KeyTarget target;
    target.insidePage = ask(m_host.insideActivePage, receiver);
    target.insidePageForm = target.insidePage || ask(m_host.insideActivePageWindow, receiver);
    target.historySearchBox = m_host.historySearchEnter && ask(m_host.isHistorySearchBox, receiver);
    target.addressBarVisible = ask(m_host.addressBox) && ask(m_host.addressBarVisible);
    target.searchBarVisible = ask(m_host.searchBox) && ask(m_host.searchBarVisible);
    return target;
}

bool MessageHook::keyEvent(QWidget* receiver, QKeyEvent* event)
{
    if (event->key() == Qt::Key_AltGr) {
        m_altGrDown = event->type() != QEvent::KeyRelease;
        return false;
    }
    if (event->type() == QEvent::KeyRelease)
        return false;

    // The window's shortcuts are matched before the key press is delivered, on the shortcut
    // override: a key the hook takes is claimed there, so that no shortcut runs it a second time
    // and no shortcut takes a key that belongs to the page; the key press then carries it out.
    const bool run = event->type() == QEvent::KeyPress;
    if (const int command = appCommandOf(event->key())) {
        if (run)
            runAction(core::AppCommandAction(command));
        event->accept();
        return true;
    }

    const core::KeyDecision decision = core::DecideKeyDown(keyPressOf(*event), keyTargetOf(receiver));
    if (run && decision.openUserClickWindow && m_host.openUserClickWindow)
        m_host.openUserClickWindow();
    if (!carryOut(decision, receiver, run))
        return false;
    // A key for the page goes on to the page's own widget, which has the focus.
    if (run && decision.effect == core::KeyEffect::HandToPage)
        return false;
    event->accept();
    return true;
}

bool MessageHook::carryOut(const core::KeyDecision& decision, QWidget* receiver, bool run)
{
    using core::KeyEffect;
    switch (decision.effect) {
    case KeyEffect::Unhandled:
        return false;
    case KeyEffect::HandToPage:
        return true;
    case KeyEffect::RunAction: {
        // An action that is missing or disabled leaves the key to the focused widget.
        QAction* action = enabledAction(decision.action);
        if (!action)
            return false;
        if (run)
            action->trigger();
        return true;
    }
    case KeyEffect::SelectAll:
    case KeyEffect::Cut:
    case KeyEffect::Copy:
    case KeyEffect::Paste: {
        // Other widgets (lists, trees, text views) do their own editing.
        QLineEdit* edit = editBoxOf(receiver);
        if (!edit)
            return false;
        if (!run)
            return true;
        if (decision.effect == KeyEffect::SelectAll)
            edit->selectAll();
        else if (decision.effect == KeyEffect::Cut)
            edit->cut();
        else if (decision.effect == KeyEffect::Copy)
            edit->copy();
        else
            edit->paste();
        return true;
    }
    case KeyEffect::FocusAddressBox:
    case KeyEffect::FocusSearchBox: {
        QWidget* box = decision.effect == KeyEffect::FocusAddressBox ? ask(m_host.addressBox) : ask(m_host.searchBox);
        if (!box)
            return false;
        // A box focused as by a shortcut selects its text, ready to be typed over.
        if (run)
            box->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    case KeyEffect::HistorySearchEnter:
        if (!m_host.historySearchEnter)
            return false;
        if (run)
            m_host.historySearchEnter();
        return true;
    }
    return false;
}

QAction* MessageHook::enabledAction(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    QAction* action = m_actions.find(std::string(name).c_str());
    return action && action->isEnabled() ? action : nullptr;
}

void MessageHook::runAction(std::string_view name)
{
    if (QAction* action = enabledAction(name))
        action->trigger();
}

bool MessageHook::mouseEvent(QWidget* receiver, QMouseEvent* event)
{
    const bool press = event->type() != QEvent::MouseButtonRelease;
    // The toolkit asks for a context menu right after the right button's press (or release,
    // on some platforms); a menu is only let through after the event that asked for it.
    m_swallowMenu = false;

    core::MouseInput input;
    switch (event->button()) {
    case Qt::LeftButton:
        input.event = press ? core::MouseEvent::LeftDown : core::MouseEvent::LeftUp;
        break;
    case Qt::RightButton:
        input.event = press ? core::MouseEvent::RightDown : core::MouseEvent::RightUp;
        break;
    case Qt::BackButton:
    case Qt::ForwardButton:
        input.event = press ? core::MouseEvent::ExtraDown : core::MouseEvent::ExtraUp;
        input.extraButton = event->button() == Qt::BackButton ? 1 : 2;
        break;
    default:
        // The middle button and the rest belong to the page.
        return false;
    }
    const Qt::MouseButtons others = event->buttons() & ~Qt::MouseButtons(event->button());
    input.leftHeld = others.testFlag(Qt::LeftButton);
    input.rightHeld = others.testFlag(Qt::RightButton);
    input.insidePage = ask(m_host.insideActivePage, receiver);
    input.onAddressBox = within(receiver, ask(m_host.addressBox));
    input.enableBFGestures = m_host.gesturesEnabled ? m_host.gesturesEnabled() : true;
    if (input.event == core::MouseEvent::LeftUp)
        input.favoritesEditingElsewhere = ask(m_host.favoritesEditingOutside, receiver);

    const core::MouseDecision decision = m_gestures.decide(input);
    if (decision.endAddressEditing && m_host.setAddressEditing)
        m_host.setAddressEditing(false);
    if (decision.endFavoritesEditing && m_host.endFavoritesEditing)
        m_host.endFavoritesEditing();
    if (decision.openUserClickWindow && m_host.openUserClickWindow)
        m_host.openUserClickWindow();
    if (!decision.action.empty())
        runAction(decision.action);

    switch (input.event) {
    case core::MouseEvent::RightDown:
        if (decision.handled) {
            m_swallowMenu = true;
            return true;
        }
        if (input.insidePage && input.enableBFGestures) {
            // The engine opens its menu on the press here, which would take the mouse before a
            // left click could make it a gesture: the press waits for the release.
            HeldPress held;
            held.receiver = receiver;
            held.type = event->type();
            held.position = event->position();
            held.globalPosition = event->globalPosition();
            held.buttons = event->buttons();
            held.modifiers = event->modifiers();
            m_heldRight = held;
            m_swallowMenu = true;
            return true;
        }
        return false;
    case core::MouseEvent::RightUp:
        if (decision.handled) {
            m_heldRight.reset();
            m_swallowMenu = true;
            return true;
        }
        replayHeldPress();
        return false;
    case core::MouseEvent::LeftDown:
        // Part of a gesture whose right press the page has not seen either.
        return m_heldRight.has_value() && input.rightHeld;
    default:
        return decision.handled;
    }
}

void MessageHook::replayHeldPress()
{
    if (!m_heldRight)
        return;
    const HeldPress held = *std::exchange(m_heldRight, std::nullopt);
    if (!held.receiver)
        return;
    QPointer<QWidget> receiver = held.receiver;
    QMouseEvent press(held.type, held.position, held.globalPosition, Qt::RightButton, held.buttons, held.modifiers);
    QCoreApplication::sendEvent(receiver, &press);
    if (held.hasMenu && receiver) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, held.menuPosition, held.menuGlobalPosition, held.menuModifiers);
        QCoreApplication::sendEvent(receiver, &menu);
    }
}

bool MessageHook::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Mouse || !m_swallowMenu)
        return false;
    if (m_heldRight && !m_heldRight->hasMenu) {
        // Kept with its press, for the case that no gesture follows.
        m_heldRight->hasMenu = true;
        m_heldRight->menuPosition = event->pos();
        m_heldRight->menuGlobalPosition = event->globalPos();
        m_heldRight->menuModifiers = event->modifiers();
    }
    return true;
}

void MessageHook::wheelEvent(QWidget* receiver)
{
    QWidget* view = ask(m_host.activeView);
    const bool overBars = within(receiver, ask(m_host.topDock)) || within(receiver, ask(m_host.sideBar));
    if (!core::WheelFocusesPage(overBars, view != nullptr))
        return;
    // The turn itself goes on and scrolls what is under the mouse.
    if (!within(QApplication::focusWidget(), view))
        view->setFocus(Qt::MouseFocusReason);
}

void MessageHook::mouseMoved(QMouseEvent* event)
{
    if (!ask(m_host.displayModeActive) || !m_host.panelsFollowMouse || !m_host.window)
        return;
    m_host.panelsFollowMouse(m_host.window->mapFromGlobal(event->globalPosition().toPoint()));
}

}  // namespace pelto::ui
