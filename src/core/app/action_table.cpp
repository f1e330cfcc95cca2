#include "core/app/action_table.h"

#include <algorithm>
#include <array>

namespace pelto::core {

namespace {

constexpr std::array kActions = {
    // Menu headers.
    ActionSpec {"actMFile", "&File", "", ""},
    ActionSpec {"actMNavigation", "&Navigation", "", ""},
    ActionSpec {"actMWindows", "&Window", "", ""},
    // Pages.
    ActionSpec {"actNewBlank", "Blank Page", "Open a blank page", ""},
    ActionSpec {"actClose", "Close", "Close the current page", "Ctrl+F4"},
    ActionSpec {"actExit", "Exit", "Exit Pelto Browser", ""},
    // Navigation.
    ActionSpec {"actBack", "Back", "Go back", "Alt+Left"},
    ActionSpec {"actForward", "Forward", "Go forward", "Alt+Right"},
    ActionSpec {"actStop", "Stop", "Stop loading", "Esc"},
    ActionSpec {"actRefresh", "Refresh", "Reload the page", "F5"},
    ActionSpec {"actHome", "Home", "Go to the home page", "Alt+Home"},
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
