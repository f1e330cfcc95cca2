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
    ActionSpec {"actMEdit", "&Edit", "", ""},
    ActionSpec {"actMView", "&View", "", ""},
    ActionSpec {"actMHelp", "&Help", "", ""},
    ActionSpec {"actMNew", "New", "", ""},
    ActionSpec {"actMTextSize", "Text Size", "", ""},
    ActionSpec {"actMEncoding", "Encoding Language", "", ""},
    // Pages.
    // Address bar.
    ActionSpec {"actGO", "Go", "", ""},
    ActionSpec {"actOpenAddress", "Open", "", ""},
    ActionSpec {"actOpenAddressNew", "Open in a New Window", "", ""},
    ActionSpec {"actGoFromClipboard", "From Clipboard", "", ""},
    ActionSpec {"actUpDir", "Up", "Up one level on the current site", ""},
    ActionSpec {"actNew", "New", "New Window", "Ctrl+N"},
    ActionSpec {"actNewBlank", "Blank Page", "Open a blank page", ""},
    ActionSpec {"actNewCurrent", "Current Page", "Open the current page again in a new page", ""},
    ActionSpec {"actNewHomepage", "Home Page", "Open the home page in a new page", ""},
    ActionSpec {"actNewClipboard", "From Clipboard", "Open the address on the clipboard in a new page", ""},
    ActionSpec {"actClose", "Close", "Close the current page", "Ctrl+F4"},
    ActionSpec {"actExit", "Exit", "Exit Pelto Browser", ""},
    // Navigation.
    ActionSpec {"actBack", "Back", "Go back", "Alt+Left"},
    ActionSpec {"actForward", "Forward", "Go forward", "Alt+Right"},
    ActionSpec {"actStop", "Stop", "Stop loading", "Esc"},
    ActionSpec {"actRefresh", "Refresh", "Reload the page", "F5"},
    ActionSpec {"actHome", "Home", "Go to the home page", "Alt+Home"},
    // Document.
    ActionSpec {"actOpen", "Open Files...", "Open files from your computer in new pages", "Ctrl+O"},
    ActionSpec {"actSave", "Save...", "Save the current page", "Ctrl+S"},
    ActionSpec {"actProperties", "Properties", "Show the properties of the current page", ""},
    ActionSpec {"actPageSetup", "Page Setup...", "Change the page layout for printing", ""},
    ActionSpec {"actPrintPreview", "Print Preview...", "Preview the current page as it will print", ""},
    ActionSpec {"actPrintDlg", "Print", "Print the current page", "Ctrl+P"},
    ActionSpec {"actPrint", "Print", "Print the current page on the default printer", ""},
    ActionSpec {"actCopy", "Copy", "Copy the selection", "Ctrl+C"},
    ActionSpec {"actCut", "Cut", "Cut the selection", "Ctrl+X"},
    ActionSpec {"actPaste", "Paste", "Paste from the clipboard", "Ctrl+V"},
    ActionSpec {"actSelectAll", "Select All", "Select the whole page", "Ctrl+A"},
    ActionSpec {"actFind", "Find on This Page...", "Find text on the current page", "Ctrl+F"},
    ActionSpec {"actSource", "Source", "Show the source of the current page", ""},
    ActionSpec {"actTSLargest", "Largest", "Show the text at its largest size", "", ActionCheck::Radio, 10},
    ActionSpec {"actTSLarger", "Larger", "Show the text larger", "", ActionCheck::Radio, 10},
    ActionSpec {"actTSMedium", "Medium", "Show the text at its medium size", "", ActionCheck::Radio, 10},
    ActionSpec {"actTSSmaller", "Smaller", "Show the text smaller", "", ActionCheck::Radio, 10},
    ActionSpec {"actTSSmallest", "Smallest", "Show the text at its smallest size", "", ActionCheck::Radio, 10},
    ActionSpec {"actLArabic", "Arabic", "Show the page as Arabic text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLBaltic", "Baltic", "Show the page as Baltic text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLCentralEuropean", "Central European", "Show the page as Central European text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLChineseSimplified", "Chinese Simplified", "Show the page as Simplified Chinese text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLChineseTraditional", "Chinese Traditional", "Show the page as Traditional Chinese text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLCyrillic", "Cyrillic", "Show the page as Cyrillic text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLEnglish", "English (Unicode)", "Show the page as Unicode text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLGreek", "Greek", "Show the page as Greek text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLHebrew", "Hebrew", "Show the page as Hebrew text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLJapanese", "Japanese", "Show the page as Japanese text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLKorean", "Korean", "Show the page as Korean text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLThai", "Thai", "Show the page as Thai text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLTurkish", "Turkish", "Show the page as Turkish text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLVietnamese", "Vietnamese", "Show the page as Vietnamese text", "", ActionCheck::Radio, 11},
    ActionSpec {"actLWesternEuropean", "Western European", "Show the page as Western European text", "", ActionCheck::Radio, 11},
    ActionSpec {"actHelp", "Help", "Open the Pelto Browser manual", "F1"},
    ActionSpec {"actPBrowserHOME", "Pelto Browser Home Page", "Visit the Pelto Browser home page", ""},
    ActionSpec {"actComments", "Send Comments to the Developer", "Write to the developer of Pelto Browser", ""},
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
    // Recent pages and the saved session.
    ActionSpec {"actClearRecents", "Clear Recent Pages", "", ""},
    ActionSpec {"actSaveExit", "Save All Opened Pages and Exit", "", ""},
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
