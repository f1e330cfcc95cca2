#include "core/app/general_settings.h"

namespace pelto::core {

namespace {

bool readSwitch(SettingsStore& store, std::string_view key, bool defaultValue) {
  return IsYes(store.ReadSetting(key, BoolToYesNo(defaultValue)));
}

// Whether any content switch that takes part in the reload test is stored
// with another value than the window holds. AllowFlash takes no part.
bool contentSwitchesChanged(SettingsStore& store, const GeneralSettings* previous) {
  struct Switch {
    std::string_view key;
    bool GeneralSettings::*field;
  };
  static constexpr Switch kSwitches[] = {
      {key::WebPageAutoComplete, &GeneralSettings::WebPageAutoComplete},
      {key::ShowPictures, &GeneralSettings::ShowPictures},
      {key::PlayVideos, &GeneralSettings::PlayVideos},
      {key::PlaySounds, &GeneralSettings::PlaySounds},
      {key::EnableActiveX, &GeneralSettings::EnableActiveX},
      {key::EnableScripts, &GeneralSettings::EnableScripts},
      {key::EnableJavaApplets, &GeneralSettings::EnableJavaApplets},
  };
  bool changed = false;
  // Every switch is read, even after a difference is found, so that a fresh
  // store records them all in this order.
  for (const Switch& s : kSwitches) {
    const bool stored = IsYes(store.ReadSetting(s.key, "yes"));
    if (previous != nullptr && stored != previous->*s.field) changed = true;
  }
  return changed;
}

}  // namespace

GeneralSettings ReadGeneralSettings(SettingsStore& store, const GeneralDefaults& env,
                                    const GeneralSettings* previous) {
  GeneralSettings s;
  // The order of the reads is the order in which a fresh file records the keys.
  s.ConfirmCloseAll = readSwitch(store, key::ConfirmCloseAll, defaults::ConfirmCloseAll);
  s.ConfirmCloseExcept = readSwitch(store, key::ConfirmCloseExcept, defaults::ConfirmCloseExcept);
  s.OButton1 = readSwitch(store, key::OButton1, defaults::OButton1);
  s.EnableBFGestures = readSwitch(store, key::EnableBFGestures, defaults::EnableBFGestures);
  s.EnableMOpen = readSwitch(store, key::EnableMOpen, defaults::EnableMOpen);
  s.sMOpenBackG = readSwitch(store, key::sMOpenBackG, defaults::sMOpenBackG);
  s.StartsWithHomePage = readSwitch(store, key::StartsWithHomePage, defaults::StartsWithHomePage);
  s.StartsWithExtraHomePage =
      readSwitch(store, key::StartsWithExtraHomePage, defaults::StartsWithExtraHomePage);
  s.StartupMode = store.ReadIntSetting(key::StartupMode, defaults::StartupMode);
  s.StopAutoPopup = readSwitch(store, key::StopAutoPopup, defaults::StopAutoPopup);
  s.DefaultNewPage = store.ReadIntSetting(key::DefaultNewPage, defaults::DefaultNewPage);
  s.ActionWhenExit = store.ReadIntSetting(key::ActionWhenExit, defaults::ActionWhenExit);
  s.NewFavorite = readSwitch(store, key::NewFavorite, defaults::NewFavorite);
  s.NewHistory = readSwitch(store, key::NewHistory, defaults::NewHistory);
  s.NewAddress = readSwitch(store, key::NewAddress, defaults::NewAddress);
  s.NewSearch = readSwitch(store, key::NewSearch, defaults::NewSearch);
  s.PopupForeground = readSwitch(store, key::PopupForeground, defaults::PopupForeground);
  s.MClickClose = readSwitch(store, key::MClickClose, defaults::MClickClose);
  s.LDbClickClose = readSwitch(store, key::LDbClickClose, defaults::LDbClickClose);
  s.EnableRecentPages = readSwitch(store, key::EnableRecentPages, defaults::EnableRecentPages);

  // The reload test looks at the stored values before the switches take them.
  s.contentChanged = contentSwitchesChanged(store, previous);
  s.WebPageAutoComplete =
      readSwitch(store, key::WebPageAutoComplete, defaults::WebPageAutoComplete);
  s.ShowPictures = readSwitch(store, key::ShowPictures, defaults::ShowPictures);
  s.AllowFlash = readSwitch(store, key::AllowFlash, defaults::AllowFlash);
  s.PlayVideos = readSwitch(store, key::PlayVideos, defaults::PlayVideos);
  s.PlaySounds = readSwitch(store, key::PlaySounds, defaults::PlaySounds);
  s.EnableActiveX = readSwitch(store, key::EnableActiveX, defaults::EnableActiveX);
  s.EnableScripts = readSwitch(store, key::EnableScripts, defaults::EnableScripts);
  s.EnableJavaApplets = readSwitch(store, key::EnableJavaApplets, defaults::EnableJavaApplets);

  s.EnableTrayIcon = readSwitch(store, key::EnableTrayIcon, defaults::EnableTrayIcon);
  s.MinimizeToTray = readSwitch(store, key::MinimizeToTray, defaults::MinimizeToTray);
  s.CloseToTray = readSwitch(store, key::CloseToTray, defaults::CloseToTray);
  s.EMailClient = store.ReadSetting(key::EMailClient, defaults::EMailClient);
  s.ProgramEMailClient = readSwitch(store, key::ProgramEMailClient, defaults::ProgramEMailClient);
  s.AlwaysClearWhenExit =
      readSwitch(store, key::AlwaysClearWhenExit, defaults::AlwaysClearWhenExit);
  s.ClearAddress = readSwitch(store, key::ClearAddress, defaults::ClearAddress);
  s.ClearRecent = readSwitch(store, key::ClearRecent, defaults::ClearRecent);
  s.ClearPasswords = readSwitch(store, key::ClearPasswords, defaults::ClearPasswords);
  s.ClearCoockies = readSwitch(store, key::ClearCoockies, defaults::ClearCoockies);
  s.ClearHistory = readSwitch(store, key::ClearHistory, defaults::ClearHistory);
  s.ClearTemp = readSwitch(store, key::ClearTemp, defaults::ClearTemp);
  s.ClearSearchKeywords =
      readSwitch(store, key::ClearSearchKeywords, defaults::ClearSearchKeywords);
  s.OpenMax = readSwitch(store, key::OpenMax, defaults::OpenMax);
  s.HideSplitter = readSwitch(store, key::HideSplitter, defaults::HideSplitter);
  s.KPSound = store.ReadSetting(key::KPSound, env.kpSound);
  s.ShowInTaskBar = readSwitch(store, key::ShowInTaskBar, defaults::ShowInTaskBar);
  s.KPPlaySound = readSwitch(store, key::KPPlaySound, defaults::KPPlaySound);
  s.SortFA = readSwitch(store, key::SortFA, defaults::SortFA);
  s.EnableOpenIdvGroup = readSwitch(store, key::EnableOpenIdvGroup, defaults::EnableOpenIdvGroup);
  s.EnableOpenAllGroup = readSwitch(store, key::EnableOpenAllGroup, defaults::EnableOpenAllGroup);
  s.EnableOpenAllFavo = readSwitch(store, key::EnableOpenAllFavo, defaults::EnableOpenAllFavo);
  s.EnableOpenAllRecent =
      readSwitch(store, key::EnableOpenAllRecent, defaults::EnableOpenAllRecent);
  s.EnableClearRecent = readSwitch(store, key::EnableClearRecent, defaults::EnableClearRecent);
  s.EnableOpenAllHome = readSwitch(store, key::EnableOpenAllHome, defaults::EnableOpenAllHome);
  s.AutoHideTop = readSwitch(store, key::AutoHideTop, defaults::AutoHideTop);
  s.AutoHideBottom = readSwitch(store, key::AutoHideBottom, defaults::AutoHideBottom);
  s.SearchServer = store.ReadSetting(key::SearchServer, defaults::SearchServer);
  s.SearchPage = store.ReadSetting(key::SearchPage, defaults::SearchPage);
  s.OpenNewforSearch = readSwitch(store, key::OpenNewforSearch, defaults::OpenNewforSearch);
  s.Proxy = store.ReadSetting(key::Proxy, defaults::Proxy);
  return s;
}

}  // namespace pelto::core
