#pragma once

#include <string_view>

// Names of the settings keys of section "Pelto Browser Settings", spelled as
// they are stored in "pbrowser.ini", and the defaults that do not depend on
// the machine.
namespace pelto::core::key {

// Left edge of the main window in normal state.
inline constexpr std::string_view Left = "Left";
// Top edge of the main window in normal state.
inline constexpr std::string_view Top = "Top";
// Width of the main window in normal state.
inline constexpr std::string_view Width = "Width";
// Height of the main window in normal state.
inline constexpr std::string_view Height = "Height";
// Main window starts maximised.
inline constexpr std::string_view Maximized = "Maximized";
// Program version, written at every start.
inline constexpr std::string_view VersionInfo = "VersionInfo";
// "no" from the end of the start-up until an orderly close writes "yes";
// "no" at start means the last run ended abnormally.
inline constexpr std::string_view ProperlyClosed = "ProperlyClosed";
// Program has a taskbar button (acts at the next start).
inline constexpr std::string_view ShowInTaskBar = "ShowInTaskBar";
// Show the splash at start.
inline constexpr std::string_view ShowSplash = "ShowSplash";
// Check at start whether the program is the default browser.
inline constexpr std::string_view CheckDefault = "CheckDefault";
// Interface language file.
inline constexpr std::string_view LangFile = "LangFile";
// Pages open in the page's own maximised state.
inline constexpr std::string_view OpenMax = "OpenMax";
// New pages open in the foreground (off: in the background).
inline constexpr std::string_view PopupForeground = "PopupForeground";
// Forms auto-complete in web pages.
inline constexpr std::string_view WebPageAutoComplete = "WebPageAutoComplete";
// Middle click on a tab closes its page.
inline constexpr std::string_view MClickClose = "MClickClose";
// Left double click on a tab closes its page.
inline constexpr std::string_view LDbClickClose = "LDbClickClose";
// Ask before Close All.
inline constexpr std::string_view ConfirmCloseAll = "ConfirmCloseAll";
// Ask before Close All Except the Current.
inline constexpr std::string_view ConfirmCloseExcept = "ConfirmCloseExcept";
// Mouse rocker gestures go back and forward.
inline constexpr std::string_view EnableBFGestures = "EnableBFGestures";
// Middle click on a link opens it in a new page.
inline constexpr std::string_view EnableMOpen = "EnableMOpen";
// A link opened by middle click opens in the background.
inline constexpr std::string_view sMOpenBackG = "sMOpenBackG";
// Auto-hide the top panel in full screen and full desktop mode.
inline constexpr std::string_view AutoHideTop = "AutoHideTop";
// Auto-hide the bottom panel in full screen and full desktop mode.
inline constexpr std::string_view AutoHideBottom = "AutoHideBottom";
// Block unrequested popup pages.
inline constexpr std::string_view StopAutoPopup = "StopAutoPopup";
// Play a sound when a popup is blocked.
inline constexpr std::string_view KPPlaySound = "KPPlaySound";
// Sound file played when a popup is blocked.
inline constexpr std::string_view KPSound = "KPSound";
// An address chosen in the address box always opens in a new page.
inline constexpr std::string_view NewAddress = "NewAddress";
// Show the Go button (also written by the options dialog's "Show Go Button").
inline constexpr std::string_view OButton1 = "OButton1";
// What New does: 0 blank page, 1 current page in a new page, 2 home page in a new page.
inline constexpr std::string_view DefaultNewPage = "DefaultNewPage";
// Group menus list the group's links.
inline constexpr std::string_view EnableOpenIdvGroup = "EnableOpenIdvGroup";
// Group menus offer "Open All Links in This Group".
inline constexpr std::string_view EnableOpenAllGroup = "EnableOpenAllGroup";
// Keep the list of recently closed pages.
inline constexpr std::string_view EnableRecentPages = "EnableRecentPages";
// Recent menu offers "Open All Recently Opened Pages".
inline constexpr std::string_view EnableOpenAllRecent = "EnableOpenAllRecent";
// Recent menu offers "Clear Recently Opened Page List".
inline constexpr std::string_view EnableClearRecent = "EnableClearRecent";
// At exit with pages open: 0 ask (exit prompt), 1 save the open pages, 2 exit directly.
inline constexpr std::string_view ActionWhenExit = "ActionWhenExit";
// Open the home page at start when no page was opened otherwise.
inline constexpr std::string_view StartsWithHomePage = "StartsWithHomePage";
// Open the extra home pages at start.
inline constexpr std::string_view StartsWithExtraHomePage = "StartsWithExtraHomePage";
// Home menu offers "Open All Home Pages".
inline constexpr std::string_view EnableOpenAllHome = "EnableOpenAllHome";
// Arrangement of the start-up pages: 0 maximise all, 1 tile horizontally,
// 2 tile vertically, 3 cascade.
inline constexpr std::string_view StartupMode = "StartupMode";
// Side bar is open.
inline constexpr std::string_view SideBar = "SideBar";
// Width of the side bar in pixels.
inline constexpr std::string_view SideWidth = "SideWidth";
// Side bar shows the favorites panel.
inline constexpr std::string_view FavoritesBand = "FavoritesBand";
// Side bar shows the history panel.
inline constexpr std::string_view HistoryBand = "HistoryBand";
// Side bar shows the search panel.
inline constexpr std::string_view SearchBand = "SearchBand";
// Hide the splitter bar while the side bar is closed.
inline constexpr std::string_view HideSplitter = "HideSplitter";
// Favorites always open in a new page.
inline constexpr std::string_view NewFavorite = "NewFavorite";
// Sort favorites alphabetically (acts at the next start).
inline constexpr std::string_view SortFA = "SortFA";
// Favorites folder menus offer "Open All Favorites in This Folder".
inline constexpr std::string_view EnableOpenAllFavo = "EnableOpenAllFavo";
// History entries always open in a new page.
inline constexpr std::string_view NewHistory = "NewHistory";
// History panel view: 0 by date, 1 by site, 2 by order visited, 3 by order visited today.
inline constexpr std::string_view HistoryView = "HistoryView";
// Search results always open in a new page.
inline constexpr std::string_view NewSearch = "NewSearch";
// The search panel's "Show results in a new page" check box.
inline constexpr std::string_view OpenNewforSearch = "OpenNewforSearch";
// Google server used for searches.
inline constexpr std::string_view SearchServer = "SearchServer";
// Index in the search-result language list (index 18 is "English").
inline constexpr std::string_view SearchLang = "SearchLang";
// Index in the keyword encoding list.
inline constexpr std::string_view SearchEncode = "SearchEncode";
// Active tab of the search panel: "dxtsSearchNormal" or "dxtsSearchAdvanced".
inline constexpr std::string_view SearchPage = "SearchPage";
// Allow pictures.
inline constexpr std::string_view ShowPictures = "ShowPictures";
// Allow videos.
inline constexpr std::string_view PlayVideos = "PlayVideos";
// Allow background sounds.
inline constexpr std::string_view PlaySounds = "PlaySounds";
// Enable ActiveX controls.
inline constexpr std::string_view EnableActiveX = "EnableActiveX";
// Enable scripts.
inline constexpr std::string_view EnableScripts = "EnableScripts";
// Enable Java applets.
inline constexpr std::string_view EnableJavaApplets = "EnableJavaApplets";
// Allow Flash animations (off: the Flash filter is on).
inline constexpr std::string_view AllowFlash = "AllowFlash";
// Chosen proxy server from the proxy list; empty when none is chosen.
inline constexpr std::string_view Proxy = "Proxy";
// Clean the checked items at every exit.
inline constexpr std::string_view AlwaysClearWhenExit = "AlwaysClearWhenExit";
// Cleaning includes typed addresses.
inline constexpr std::string_view ClearAddress = "ClearAddress";
// Cleaning includes recent pages.
inline constexpr std::string_view ClearRecent = "ClearRecent";
// Cleaning includes auto-complete passwords.
inline constexpr std::string_view ClearPasswords = "ClearPasswords";
// Cleaning includes cookies (the key is spelled this way).
inline constexpr std::string_view ClearCoockies = "ClearCoockies";
// Cleaning includes the history of visited pages.
inline constexpr std::string_view ClearHistory = "ClearHistory";
// Cleaning includes temporary Internet files.
inline constexpr std::string_view ClearTemp = "ClearTemp";
// Cleaning includes search keywords.
inline constexpr std::string_view ClearSearchKeywords = "ClearSearchKeywords";
// Show the tray icon.
inline constexpr std::string_view EnableTrayIcon = "EnableTrayIcon";
// Minimise hides the program to the tray.
inline constexpr std::string_view MinimizeToTray = "MinimizeToTray";
// The window's close button hides the program to the tray.
inline constexpr std::string_view CloseToTray = "CloseToTray";
// Start in full screen mode.
inline constexpr std::string_view FullScreen = "FullScreen";
// Start in full desktop mode.
inline constexpr std::string_view FullDesktop = "FullDesktop";
// Mail goes to a mail program (off: to a web mail address).
inline constexpr std::string_view ProgramEMailClient = "ProgramEMailClient";
// Mail program ("msimn.exe" for Outlook Express) or web mail address.
inline constexpr std::string_view EMailClient = "EMailClient";
// Time of the last update check.
inline constexpr std::string_view LastCheckNew = "LastCheckNew";
// Folder the last download was saved to; the next download's save dialog starts there.
inline constexpr std::string_view LastDownloadFolder = "LastDownloadFolder";
// Button bar visible.
inline constexpr std::string_view ButtonsBar = "ButtonsBar";
// Address bar visible.
inline constexpr std::string_view AddressBar = "AddressBar";
// Links bar visible.
inline constexpr std::string_view Linksbar = "Linksbar";
// Search bar visible.
inline constexpr std::string_view SearchBar = "SearchBar";
// Tab bar visible.
inline constexpr std::string_view TabsBar = "TabsBar";
// Status bar visible.
inline constexpr std::string_view StatusBar = "StatusBar";
// Toolbars cannot be dragged.
inline constexpr std::string_view LockToolbars = "LockToolbars";
// Chosen skin.
inline constexpr std::string_view Skin = "Skin";
// RoboForm band visible.
inline constexpr std::string_view RoboFormBar = "RoboFormBar";
// Google toolbar band visible.
inline constexpr std::string_view GoogleBar = "GoogleBar";
// Yahoo toolbar band visible.
inline constexpr std::string_view YahooBar = "YahooBar";
// Show the tips dialog at start.
inline constexpr std::string_view ShowTips = "ShowTips";
// Version of the tips text last shown; any other value turns `ShowTips` back on and shows the tips.
inline constexpr std::string_view TipVersion = "TipVersion";
// Index of the last tip shown.
inline constexpr std::string_view LastTip = "LastTip";
// Show the donation appeal at start.
inline constexpr std::string_view ShowDonations = "ShowDonations";
// State of the donation appeal.
inline constexpr std::string_view DFlag = "DFlag";
// Version of the donation appeal last set up (the key is spelled this way).
inline constexpr std::string_view DonateVerion = "DonateVerion";

// Toolbar keys that stand alone.
inline constexpr std::string_view BtnsVersion = "BtnsVersion";
inline constexpr std::string_view BtnText = "BtnText";
inline constexpr std::string_view BtnIcon = "BtnIcon";
inline constexpr std::string_view OBtnsVersion = "OBtnsVersion";
inline constexpr std::string_view OBtnText = "OBtnText";
inline constexpr std::string_view BandVersion = "BandVersion";

// Key families: the prefix followed by a decimal number ("Button0", "TTBTAG3").
inline constexpr std::string_view ButtonPrefix = "Button";
inline constexpr std::string_view ButtonVPrefix = "ButtonV";
inline constexpr std::string_view OButtonPrefix = "OButton";
inline constexpr std::string_view TTBTAGPrefix = "TTBTAG";
inline constexpr std::string_view TTBROWPrefix = "TTBROW";
inline constexpr std::string_view TTBPOSPrefix = "TTBPOS";
inline constexpr std::string_view BTBTAGPrefix = "BTBTAG";
inline constexpr std::string_view BTBROWPrefix = "BTBROW";
inline constexpr std::string_view BTBPOSPrefix = "BTBPOS";

}  // namespace pelto::core::key

// The defaults given to ReadSetting for the keys whose default is fixed: a
// switch as bool (written with BoolToYesNo), a number as int, a text as text.
// Keys whose default depends on the screen, the system or the program folder
// (Left, Top, Width, Height, LangFile, KPSound, SearchEncode) have none here.
namespace pelto::core::defaults {

inline constexpr bool Maximized = true;
inline constexpr bool ProperlyClosed = true;
inline constexpr bool ShowInTaskBar = true;
inline constexpr bool ShowSplash = true;
inline constexpr bool CheckDefault = true;
inline constexpr bool OpenMax = true;
inline constexpr bool PopupForeground = true;
inline constexpr bool WebPageAutoComplete = true;
inline constexpr bool MClickClose = true;
inline constexpr bool LDbClickClose = true;
inline constexpr bool ConfirmCloseAll = true;
inline constexpr bool ConfirmCloseExcept = true;
inline constexpr bool EnableBFGestures = true;
inline constexpr bool EnableMOpen = true;
inline constexpr bool sMOpenBackG = true;
inline constexpr bool AutoHideTop = true;
inline constexpr bool AutoHideBottom = true;
inline constexpr bool StopAutoPopup = true;
inline constexpr bool KPPlaySound = true;
inline constexpr bool NewAddress = false;
inline constexpr bool OButton1 = true;
inline constexpr int DefaultNewPage = 1;
inline constexpr bool EnableOpenIdvGroup = true;
inline constexpr bool EnableOpenAllGroup = true;
inline constexpr bool EnableRecentPages = true;
inline constexpr bool EnableOpenAllRecent = true;
inline constexpr bool EnableClearRecent = true;
inline constexpr int ActionWhenExit = 0;
inline constexpr bool StartsWithHomePage = true;
inline constexpr bool StartsWithExtraHomePage = false;
inline constexpr bool EnableOpenAllHome = true;
inline constexpr int StartupMode = 0;
inline constexpr bool SideBar = false;
inline constexpr int SideWidth = 200;
inline constexpr bool FavoritesBand = false;
inline constexpr bool HistoryBand = false;
inline constexpr bool SearchBand = false;
inline constexpr bool HideSplitter = true;
inline constexpr bool NewFavorite = false;
inline constexpr bool SortFA = false;
inline constexpr bool EnableOpenAllFavo = true;
inline constexpr bool NewHistory = false;
inline constexpr int HistoryView = 0;
inline constexpr bool NewSearch = false;
inline constexpr bool OpenNewforSearch = true;
// The Google web search host, first of the options dialog's server list.
inline constexpr std::string_view SearchServer = "www.google.com";
inline constexpr int SearchLang = 18;
inline constexpr std::string_view SearchPage = "dxtsSearchNormal";
inline constexpr bool ShowPictures = true;
inline constexpr bool PlayVideos = true;
inline constexpr bool PlaySounds = true;
inline constexpr bool EnableActiveX = true;
inline constexpr bool EnableScripts = true;
inline constexpr bool EnableJavaApplets = true;
inline constexpr bool AllowFlash = true;
inline constexpr std::string_view Proxy = "";
inline constexpr bool AlwaysClearWhenExit = false;
inline constexpr bool ClearAddress = false;
inline constexpr bool ClearRecent = false;
inline constexpr bool ClearPasswords = false;
inline constexpr bool ClearCoockies = false;
inline constexpr bool ClearHistory = false;
inline constexpr bool ClearTemp = false;
inline constexpr bool ClearSearchKeywords = false;
inline constexpr bool EnableTrayIcon = true;
inline constexpr bool MinimizeToTray = false;
inline constexpr bool CloseToTray = true;
inline constexpr bool FullScreen = false;
inline constexpr bool FullDesktop = false;
inline constexpr bool ProgramEMailClient = true;
inline constexpr std::string_view EMailClient = "msimn.exe";
inline constexpr std::string_view LastCheckNew = "";
inline constexpr bool ButtonsBar = true;
inline constexpr bool AddressBar = true;
inline constexpr bool Linksbar = false;
inline constexpr bool SearchBar = true;
inline constexpr bool TabsBar = true;
inline constexpr bool StatusBar = true;
inline constexpr bool LockToolbars = false;
inline constexpr std::string_view Skin = "Nexos";
inline constexpr bool RoboFormBar = true;
inline constexpr bool GoogleBar = false;
inline constexpr bool YahooBar = false;
inline constexpr bool ShowTips = true;
inline constexpr std::string_view TipVersion = "";
inline constexpr int LastTip = -1;
inline constexpr bool ShowDonations = true;
inline constexpr std::string_view DFlag = "";
inline constexpr std::string_view DonateVerion = "";

// The program's version text, written to VersionInfo at every start.
inline constexpr std::string_view VersionInfo = "8.02 build 101";
// The file name of the blocked-popup sound in the program folder; KPSound's
// default is the program folder followed by this name.
inline constexpr std::string_view KPSoundFileName = "kpp.wav";

}  // namespace pelto::core::defaults
