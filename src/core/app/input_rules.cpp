#include "core/app/input_rules.h"

#include <array>

namespace pelto::core {

namespace {

using E = KeyEffect;
using S = ShiftMatch;

constexpr std::array kCtrlTable = {
    KeyBinding{Key::A, S::Any, E::SelectAll, {}},
    KeyBinding{Key::X, S::Any, E::Cut, {}},
    KeyBinding{Key::C, S::Any, E::Copy, {}},
    KeyBinding{Key::V, S::Any, E::Paste, {}},
    KeyBinding{Key::N, S::Any, E::RunAction, "actNew"},
    KeyBinding{Key::O, S::Any, E::RunAction, "actOpen"},
    KeyBinding{Key::L, S::Any, E::RunAction, "actOpenLink"},
    KeyBinding{Key::S, S::Any, E::RunAction, "actSave"},
    KeyBinding{Key::P, S::Any, E::RunAction, "actPrintDlg"},
    KeyBinding{Key::F, S::Any, E::RunAction, "actFind"},
    KeyBinding{Key::D, S::Any, E::RunAction, "actAddFavorites"},
    KeyBinding{Key::R, S::Without, E::RunAction, "actRefresh"},
    KeyBinding{Key::R, S::With, E::RunAction, "actRefreshAll"},
    KeyBinding{Key::W, S::Without, E::RunAction, "actClose"},
    KeyBinding{Key::W, S::With, E::RunAction, "actCloseAll"},
    KeyBinding{Key::F4, S::Without, E::RunAction, "actClose"},
    KeyBinding{Key::F4, S::With, E::RunAction, "actCloseAll"},
    KeyBinding{Key::Up, S::Any, E::RunAction, "actPreviousPage"},
    KeyBinding{Key::Down, S::Any, E::RunAction, "actNextPage"},
};

constexpr std::array kPlainTable = {
    KeyBinding{Key::Escape, S::Without, E::RunAction, "actStop"},
    KeyBinding{Key::Escape, S::With, E::RunAction, "actStopAll"},
    KeyBinding{Key::F1, S::Any, E::RunAction, "actHelp"},
    KeyBinding{Key::F3, S::Any, E::RunAction, "actFindKeyword"},
    KeyBinding{Key::F5, S::Without, E::RunAction, "actRefresh"},
    KeyBinding{Key::F5, S::With, E::RunAction, "actRefreshAll"},
    KeyBinding{Key::F6, S::Any, E::FocusAddressBox, {}},
    KeyBinding{Key::F7, S::Any, E::RunAction, "actPreviousPage"},
    KeyBinding{Key::F8, S::Any, E::RunAction, "actNextPage"},
    KeyBinding{Key::F11, S::Any, E::RunAction, "actFullScreen"},
    KeyBinding{Key::F12, S::Any, E::RunAction, "actFullDesktop"},
};

constexpr std::array kSystemTable = {
    KeyBinding{Key::S, S::Any, E::FocusSearchBox, {}},
    KeyBinding{Key::D, S::Any, E::FocusAddressBox, {}},
    KeyBinding{Key::Home, S::Any, E::RunAction, "actHome"},
    KeyBinding{Key::Left, S::Any, E::RunAction, "actBack"},
    KeyBinding{Key::Right, S::Any, E::RunAction, "actForward"},
};

const KeyBinding* findBinding(std::span<const KeyBinding> table, const KeyPress& press)
{
    for (const KeyBinding& binding : table) {
        if (binding.key != press.key)
            continue;
        if ((binding.shift == S::With && !press.shift) || (binding.shift == S::Without && press.shift))
            continue;
        return &binding;
    }
    return nullptr;
}

bool isEditEffect(KeyEffect effect)
{
    return effect == E::SelectAll || effect == E::Cut || effect == E::Copy || effect == E::Paste;
}

// The table's verdict, with the entries that depend on where the key goes.
KeyDecision resolve(const KeyBinding* binding, const KeyTarget& target, KeyDecision decision)
{
    if (!binding)
        return decision;
    // Inside the page's window its own editing takes the edit keys.
    if (isEditEffect(binding->effect) && target.insidePageForm)
        return decision;
    if (binding->effect == E::FocusAddressBox && !target.addressBarVisible)
        return decision;
    if (binding->effect == E::FocusSearchBox && !target.searchBarVisible)
        return decision;
    decision.effect = binding->effect;
    decision.action = binding->action;
    return decision;
}

}  // namespace

std::span<const KeyBinding> CtrlKeyTable()
{
    return kCtrlTable;
}

std::span<const KeyBinding> PlainKeyTable()
{
    return kPlainTable;
}

std::span<const KeyBinding> SystemKeyTable()
{
    return kSystemTable;
}

bool IsKeyForPage(const KeyPress& press)
{
    switch (press.key) {
    case Key::Backspace:
    case Key::Tab:
    case Key::Enter:
        return true;
    case Key::Left:
    case Key::Right:
    case Key::Delete:
        return !press.keypad;
    default:
        return false;
    }
}

KeyDecision DecideKeyDown(const KeyPress& press, const KeyTarget& target)
{
    KeyDecision decision;
    // Alt alone makes a system key; Ctrl with Alt is AltGr on some keyboards and types.
    const bool systemKey = press.alt && !press.ctrl && !press.altGr;
    if (systemKey)
        return resolve(findBinding(SystemKeyTable(), press), target, decision);

    if (press.key == Key::Enter) {
        if (target.insidePage) {
            decision.openUserClickWindow = true;
        } else if (target.historySearchBox) {
            decision.effect = E::HistorySearchEnter;
            return decision;
        }
    }
    if (press.ctrl && press.key == Key::Tab) {
        decision.effect = E::RunAction;
        decision.action = press.shift ? "actPreviousPage" : "actNextPage";
        return decision;
    }
    if (IsKeyForPage(press) && target.insidePage) {
        decision.effect = E::HandToPage;
        return decision;
    }
    if (press.ctrl || press.altGr) {
        if (press.alt || press.altGr)
            return decision;
        return resolve(findBinding(CtrlKeyTable(), press), target, decision);
    }
    return resolve(findBinding(PlainKeyTable(), press), target, decision);
}

MouseDecision MouseGestures::decide(const MouseInput& input)
{
    MouseDecision decision;
    switch (input.event) {
    case MouseEvent::LeftDown:
        decision.endAddressEditing = !input.onAddressBox;
        decision.openUserClickWindow = input.insidePage;
        break;
    case MouseEvent::LeftUp:
        decision.endFavoritesEditing = input.favoritesEditingElsewhere;
        if (input.enableBFGestures && input.rightHeld && input.insidePage) {
            decision.handled = true;
            decision.action = "actBack";
            m_swallowRightRelease = true;
        } else {
            decision.openUserClickWindow = input.insidePage;
        }
        break;
    case MouseEvent::RightDown:
        // Where the context menu opens on the press, the press that completes a Forward
        // gesture must not reach the page either.
        decision.handled = input.enableBFGestures && input.leftHeld && input.insidePage;
        break;
    case MouseEvent::RightUp:
        decision.handled = m_swallowRightRelease;
        m_swallowRightRelease = false;
        // This release itself is swallowed; marking the next one as well would eat the
        // context menu of the user's next, unrelated right click.
        if (input.enableBFGestures && input.leftHeld && input.insidePage) {
            decision.handled = true;
            decision.action = "actForward";
        }
        break;
    case MouseEvent::ExtraDown:
        decision.handled = true;
        break;
    case MouseEvent::ExtraUp:
        decision.handled = true;
        if (input.extraButton == 1)
            decision.action = "actBack";
        else if (input.extraButton == 2)
            decision.action = "actForward";
        break;
    }
    return decision;
}

std::string_view AppCommandAction(int command)
{
    switch (command) {
    case static_cast<int>(AppCommand::Back):
        return "actBack";
    case static_cast<int>(AppCommand::Forward):
        return "actForward";
    case static_cast<int>(AppCommand::Refresh):
        return "actRefresh";
    case static_cast<int>(AppCommand::Stop):
        return "actStop";
    case static_cast<int>(AppCommand::Search):
        return "actSearchBand";
    case static_cast<int>(AppCommand::Favorites):
        return "actFavoritesBand";
    case static_cast<int>(AppCommand::Home):
        return "actHome";
    default:
        return {};
    }
}

bool WheelFocusesPage(bool overTopDockOrSideBar, bool hasPage)
{
    return hasPage && !overTopDockOrSideBar;
}

bool StatusTextShowsLink(std::string_view statusText)
{
    return statusText.starts_with("  http://");
}

}  // namespace pelto::core
