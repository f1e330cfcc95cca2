#pragma once

#include <string>

#include "core/app/settings_keys.h"
#include "core/app/settings_store.h"

namespace pelto::core {

// The general settings that the main window holds, one field per key and
// named as the key: a switch as bool (on only for "yes"), a number as int, a
// text as string. A default-constructed value holds the key table's defaults
// (KPSound, which depends on the program folder, is empty).
struct GeneralSettings {
  bool ConfirmCloseAll = defaults::ConfirmCloseAll;
  bool ConfirmCloseExcept = defaults::ConfirmCloseExcept;
  bool OButton1 = defaults::OButton1;
  bool EnableBFGestures = defaults::EnableBFGestures;
  bool EnableMOpen = defaults::EnableMOpen;
  bool sMOpenBackG = defaults::sMOpenBackG;
  bool StartsWithHomePage = defaults::StartsWithHomePage;
  bool StartsWithExtraHomePage = defaults::StartsWithExtraHomePage;
  int StartupMode = defaults::StartupMode;
  bool StopAutoPopup = defaults::StopAutoPopup;
  int DefaultNewPage = defaults::DefaultNewPage;
  int ActionWhenExit = defaults::ActionWhenExit;
  bool NewFavorite = defaults::NewFavorite;
  bool NewHistory = defaults::NewHistory;
  bool NewAddress = defaults::NewAddress;
  bool NewSearch = defaults::NewSearch;
  bool PopupForeground = defaults::PopupForeground;
  bool MClickClose = defaults::MClickClose;
  bool LDbClickClose = defaults::LDbClickClose;
  bool EnableRecentPages = defaults::EnableRecentPages;

  bool WebPageAutoComplete = defaults::WebPageAutoComplete;
  bool ShowPictures = defaults::ShowPictures;
  bool AllowFlash = defaults::AllowFlash;
  bool PlayVideos = defaults::PlayVideos;
  bool PlaySounds = defaults::PlaySounds;
  bool EnableActiveX = defaults::EnableActiveX;
  bool EnableScripts = defaults::EnableScripts;
  bool EnableJavaApplets = defaults::EnableJavaApplets;

  bool EnableTrayIcon = defaults::EnableTrayIcon;
  bool MinimizeToTray = defaults::MinimizeToTray;
  bool CloseToTray = defaults::CloseToTray;
  std::string EMailClient{defaults::EMailClient};
  bool ProgramEMailClient = defaults::ProgramEMailClient;
  bool AlwaysClearWhenExit = defaults::AlwaysClearWhenExit;
  bool ClearAddress = defaults::ClearAddress;
  bool ClearRecent = defaults::ClearRecent;
  bool ClearPasswords = defaults::ClearPasswords;
  bool ClearCoockies = defaults::ClearCoockies;
  bool ClearHistory = defaults::ClearHistory;
  bool ClearTemp = defaults::ClearTemp;
  bool ClearSearchKeywords = defaults::ClearSearchKeywords;
  bool OpenMax = defaults::OpenMax;
  bool HideSplitter = defaults::HideSplitter;
  std::string KPSound;
  // A plain switch here; only the start sequence treats every text but "no" as on.
  bool ShowInTaskBar = defaults::ShowInTaskBar;
  bool KPPlaySound = defaults::KPPlaySound;
  bool SortFA = defaults::SortFA;
  bool EnableOpenIdvGroup = defaults::EnableOpenIdvGroup;
  bool EnableOpenAllGroup = defaults::EnableOpenAllGroup;
  bool EnableOpenAllFavo = defaults::EnableOpenAllFavo;
  bool EnableOpenAllRecent = defaults::EnableOpenAllRecent;
  bool EnableClearRecent = defaults::EnableClearRecent;
  bool EnableOpenAllHome = defaults::EnableOpenAllHome;
  bool AutoHideTop = defaults::AutoHideTop;
  bool AutoHideBottom = defaults::AutoHideBottom;
  std::string SearchServer{defaults::SearchServer};
  std::string SearchPage{defaults::SearchPage};
  bool OpenNewforSearch = defaults::OpenNewforSearch;
  std::string Proxy{defaults::Proxy};

  // Whether a stored content switch (all but AllowFlash) differs from the
  // values the window held before, so that open pages must be reloaded.
  bool contentChanged = false;

  // Field by field, contentChanged included.
  bool operator==(const GeneralSettings&) const = default;
};

// The defaults that depend on the machine.
struct GeneralDefaults {
  // Default of KPSound: the program folder followed by "kpp.wav".
  std::string kpSound;
};

// Reads the general settings in the order the main window applies them, each
// with its default (recording the defaults of absent keys). Before the content
// switches are read, their stored values are compared with previous, the
// settings the window holds now, to set contentChanged; with no previous
// settings (the first apply, when no page is open yet) it stays false.
GeneralSettings ReadGeneralSettings(SettingsStore& store, const GeneralDefaults& env,
                                    const GeneralSettings* previous = nullptr);

}  // namespace pelto::core
