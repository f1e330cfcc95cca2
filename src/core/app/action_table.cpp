#include "core/app/action_table.h"

#include <algorithm>
#include <array>

namespace pelto::core {

namespace {

constexpr std::array kActions = {
    // Menu headers.
    ActionSpec {"actMFile", "&File", "", ""},
    ActionSpec {"actMNavigation", "&Navigation", "", ""},
    ActionSpec {"actMWindows", "&Windows", "", ""},
    ActionSpec {"actMTools", "&Tools", "", ""},
    // Pages.
    // Address bar.
    ActionSpec {"actGO", "Go", "", ""},
    ActionSpec {"actOpenAddress", "Open", "", ""},
    ActionSpec {"actOpenAddressNew", "Open in a New Window", "", ""},
    ActionSpec {"actGoFromClipboard", "From Clipboard", "", ""},
    ActionSpec {"actUpDir", "Up", "Up one level on the current site", ""},
    ActionSpec {"actNewBlank", "Blank Page", "Open a blank page", ""},
    ActionSpec {"actClose", "Close", "Close the current page", "Ctrl+F4"},
    ActionSpec {"actExit", "Exit", "Exit Pelto Browser", ""},
    // Navigation.
    ActionSpec {"actBack", "Back", "Go back", "Alt+Left"},
    ActionSpec {"actForward", "Forward", "Go forward", "Alt+Right"},
    ActionSpec {"actStop", "Stop", "Stop loading", "Esc"},
    ActionSpec {"actRefresh", "Refresh", "Reload the page", "F5"},
    ActionSpec {"actHome", "Home", "Go to the home page", "Alt+Home"},
    // Windows.
    ActionSpec {"actCloseAll", "Close All", "Close All Windows", "Ctrl+Shift+F4"},
    ActionSpec {"actCloseExcept", "Close All Except the Current", "", ""},
    ActionSpec {"actStopAll", "Stop All", "", "Shift+Esc"},
    ActionSpec {"actRefreshAll", "Refresh All", "", "Shift+F5"},
    ActionSpec {"actPreviousPage", "Previous Window", "", "Ctrl+Up"},
    ActionSpec {"actNextPage", "Next Window", "", "Ctrl+Down"},
    ActionSpec {"actCascade", "Cascade", "Cascade All Windows", ""},
    ActionSpec {"actTileHorizontally", "Tile Horizontally", "Tile All Windows Horizontally", ""},
    ActionSpec {"actTileVertically", "Tile Vertically", "Tile All Windows Vertically", ""},
    ActionSpec {"actArrangeIcons", "Arrange Icons", "", ""},
    ActionSpec {"actMaximizeAll", "Maximize All", "", ""},
    ActionSpec {"actRestoreAll", "Restore All", "", ""},
    ActionSpec {"actMinimizeAll", "Minimize All", "", ""},
    ActionSpec {"actCloseChecked", "Close Checked...", "", ""},
    // The tab menu: these act on the page whose tab was right-clicked.
    ActionSpec {"actCMaximize", "Maximize", "", ""},
    ActionSpec {"actCMinimize", "Minimize", "", ""},
    ActionSpec {"actCRestore", "Restore", "", ""},
    ActionSpec {"actCClose", "Close", "", ""},
    ActionSpec {"actCRefresh", "Refresh", "", ""},
    ActionSpec {"actCDuplicate", "Duplicate", "", ""},
    ActionSpec {"actCCloseExcept", "Close All Except This Window", "", ""},
    // The window-control bar: the boxes of the maximised page.
    ActionSpec {"actSysMinimize", "Minimize", "", ""},
    ActionSpec {"actSysRestore", "Restore", "", ""},
    ActionSpec {"actSysClose", "Close", "", ""},
    // The popup blocker's switches.
    ActionSpec {"actBlock", "Block Unwanted Pop-up Pages", "", "", ActionCheck::Auto},
    ActionSpec {"actKPPlaySound", "Play Sound When Pop-up Page is Blocked", "", "", ActionCheck::Auto},
    ActionSpec {"actPopupForeground", "Open New Pages in the Foreground", "", "", ActionCheck::Auto},
};

}  // namespace

std::span<const ActionSpec> MainWindowActions()
{
    return kActions;
}

const ActionSpec* FindAction(std::string_view name)
{
    const auto it = std::find_if(kActions.begin(), kActions.end(), [&](const ActionSpec& a) { return a.name == name; });
    return it == kActions.end() ? nullptr : &*it;
}

}  // namespace pelto::core
