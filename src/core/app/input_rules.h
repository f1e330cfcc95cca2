#pragma once

#include <span>
#include <string_view>

namespace pelto::core {

// The keys the message hook knows, independent of any toolkit; the front end maps its own key
// codes onto these (Unknown for the rest).
enum class Key {
    Unknown,
    A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
    Backspace, Tab, Enter, Escape, Delete, Home, Left, Right, Up, Down,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
};

// A key press as the hook sees it.
struct KeyPress {
    Key key = Key::Unknown;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool altGr = false;   // the right Alt key, which types the third character of a key
    bool keypad = false;  // from the numeric keypad rather than the separate cursor block
};

// Where a key press is going.
struct KeyTarget {
    bool insidePage = false;          // the active page's browser view or one of its children
    bool insidePageForm = false;      // the active page's window or one of its children
    bool historySearchBox = false;    // the history panel's search box
    bool addressBarVisible = false;
    bool searchBarVisible = false;
};

// What the hook does with a key press.
enum class KeyEffect {
    Unhandled,           // dispatch it as usual
    HandToPage,          // give it straight to the page's view, past the window's shortcuts
    RunAction,           // run the action named by KeyDecision::action
    SelectAll,           // select all, cut, copy or paste in the focused box
    Cut,
    Copy,
    Paste,
    FocusAddressBox,
    FocusSearchBox,
    HistorySearchEnter,  // the history search box's Enter handling
};

// The hook's verdict on a key press.
struct KeyDecision {
    KeyEffect effect = KeyEffect::Unhandled;
    std::string_view action;        // the action's given name, for RunAction
    bool openUserClickWindow = false;  // Enter inside the page counts as a user action
    // Whether the key is swallowed (not dispatched further).
    bool handled() const { return effect != KeyEffect::Unhandled; }
    bool operator==(const KeyDecision&) const = default;
};

// How a table entry treats Shift.
enum class ShiftMatch { Any, Without, With };

// One entry of a key table. Entries that depend on the bars' visibility or the target are
// resolved by DecideKeyDown.
struct KeyBinding {
    Key key;
    ShiftMatch shift;
    KeyEffect effect;
    std::string_view action;  // for RunAction
};

// The Ctrl table: Ctrl+A/X/C/V (edit commands outside the page's window), New, Open Files,
// Open a Link, Save, Print, Find, Add to Favorites, Refresh (All), Close (All), Previous and
// Next Window.
std::span<const KeyBinding> CtrlKeyTable();
// The plain table: Esc, F1, F3, F5, F6, F7, F8, F11, F12 (Shift only where an entry says).
std::span<const KeyBinding> PlainKeyTable();
// The system-key table, for keys with Alt alone: Alt+S, Alt+D, Alt+Home, Alt+Left, Alt+Right.
std::span<const KeyBinding> SystemKeyTable();
// Whether a key is handed straight to the page when it comes from inside the page: Backspace,
// Tab, Enter, and Left, Right and Delete of the cursor block.
bool IsKeyForPage(const KeyPress& press);

// The hook's decision on a key press, in its order: Enter inside the page opens the user-click
// window; Ctrl+Tab switches windows; the keys for the page go to it; then Ctrl with Alt or
// AltGr stays unhandled (so that AltGr characters type), Ctrl uses the Ctrl table, Alt alone
// the system-key table and anything else the plain table.
KeyDecision DecideKeyDown(const KeyPress& press, const KeyTarget& target);

// Mouse events the hook looks at.
enum class MouseEvent {
    LeftDown,
    LeftUp,
    RightDown,
    RightUp,
    ExtraDown,
    ExtraUp,
};

// One mouse event with what the hook needs to know about it.
struct MouseInput {
    MouseEvent event = MouseEvent::LeftDown;
    bool leftHeld = false;   // the left button is down (besides the one of this event)
    bool rightHeld = false;  // the right button is down (besides the one of this event)
    int extraButton = 0;     // 1 or 2, for the extra buttons
    bool insidePage = false;
    bool onAddressBox = false;
    // The favorites tree is editing a name and this event is outside the tree.
    bool favoritesEditingElsewhere = false;
    bool enableBFGestures = true;  // the EnableBFGestures switch
};

// The hook's verdict on a mouse event.
struct MouseDecision {
    bool handled = false;
    std::string_view action;           // an action to run ("actBack", "actForward"), or empty
    bool openUserClickWindow = false;
    bool endAddressEditing = false;    // AddressEditing := false
    bool endFavoritesEditing = false;
    bool operator==(const MouseDecision&) const = default;
};

// The rocker gestures and the extra buttons: hold the right button and click the left one for
// Back, hold the left one and click the right one for Forward; the right button's next release
// is swallowed so that no context menu opens. Extra button 1 is Back, 2 is Forward.
class MouseGestures {
public:
    // The decision on one mouse event; updates the swallow mark.
    MouseDecision decide(const MouseInput& input);
    // Whether the next right button release will be swallowed.
    bool swallowsRightRelease() const { return m_swallowRightRelease; }

private:
    bool m_swallowRightRelease = false;
};

// The keyboard's browser keys and the system's application commands, by their command number.
enum class AppCommand {
    Back = 1,
    Forward = 2,
    Refresh = 3,
    Stop = 4,
    Search = 5,
    Favorites = 6,
    Home = 7,
};

// The action an application command runs ("actBack", ... "actSearchBand", "actFavoritesBand",
// "actHome"), or empty for other numbers. Every application command is swallowed.
std::string_view AppCommandAction(int command);

// Whether a wheel turn first gives the keyboard focus to the active page (its window, then its
// view), so that it scrolls the page under the mouse: when there is a page and the wheel is
// not turned over the top toolbar dock or the side bar. The turn itself is never swallowed.
bool WheelFocusesPage(bool overTopDockOrSideBar, bool hasPage);

// Whether the status text shows that the mouse is over a link, the way a page writes it: the
// 9 characters "  http://" (two spaces) begin it. A middle click that was not over a link is
// handed back to the page as a middle click.
bool StatusTextShowsLink(std::string_view statusText);

}  // namespace pelto::core
