#include "core/app/general_settings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

using pelto::core::GeneralDefaults;
using pelto::core::GeneralSettings;
using pelto::core::ReadGeneralSettings;
using pelto::core::SettingsStore;

namespace {

const GeneralDefaults kEnv{"/opt/pelto/kpp.wav"};

// What a fresh store holds after the general settings were read once: every
// key in the order the main window applies them, with its default.
const std::vector<std::pair<std::string, std::string>> kFreshFile = {
    {"ConfirmCloseAll", "yes"},       {"ConfirmCloseExcept", "yes"},
    {"OButton1", "yes"},              {"EnableBFGestures", "yes"},
    {"EnableMOpen", "yes"},           {"sMOpenBackG", "yes"},
    {"StartsWithHomePage", "yes"},    {"StartsWithExtraHomePage", "no"},
    {"StartupMode", "0"},             {"StopAutoPopup", "yes"},
    {"DefaultNewPage", "1"},          {"ActionWhenExit", "0"},
    {"NewFavorite", "no"},            {"NewHistory", "no"},
    {"NewAddress", "no"},             {"NewSearch", "no"},
    {"PopupForeground", "yes"},       {"MClickClose", "yes"},
    {"LDbClickClose", "yes"},         {"EnableRecentPages", "yes"},
    // The reload test reads six of the content switches before AllowFlash.
    {"WebPageAutoComplete", "yes"},   {"ShowPictures", "yes"},
    {"PlayVideos", "yes"},            {"PlaySounds", "yes"},
    {"EnableActiveX", "yes"},         {"EnableScripts", "yes"},
    {"EnableJavaApplets", "yes"},     {"AllowFlash", "yes"},
    {"EnableTrayIcon", "yes"},        {"MinimizeToTray", "no"},
    {"CloseToTray", "yes"},           {"EMailClient", "msimn.exe"},
    {"ProgramEMailClient", "yes"},    {"AlwaysClearWhenExit", "no"},
    {"ClearAddress", "no"},           {"ClearRecent", "no"},
    {"ClearPasswords", "no"},         {"ClearCoockies", "no"},
    {"ClearHistory", "no"},           {"ClearTemp", "no"},
    {"ClearSearchKeywords", "no"},    {"OpenMax", "yes"},
    {"HideSplitter", "yes"},          {"KPSound", "/opt/pelto/kpp.wav"},
    {"ShowInTaskBar", "yes"},         {"KPPlaySound", "yes"},
    {"SortFA", "no"},                 {"EnableOpenIdvGroup", "yes"},
    {"EnableOpenAllGroup", "yes"},    {"EnableOpenAllFavo", "yes"},
    {"EnableOpenAllRecent", "yes"},   {"EnableClearRecent", "yes"},
    {"EnableOpenAllHome", "yes"},     {"AutoHideTop", "yes"},
    {"AutoHideBottom", "yes"},        {"SearchServer", "www.google.com"},
    {"SearchPage", "dxtsSearchNormal"}, {"OpenNewforSearch", "yes"},
    {"Proxy", ""},
};

const std::set<std::string> kNotSwitches = {"StartupMode", "DefaultNewPage", "ActionWhenExit",
                                            "EMailClient", "KPSound",        "SearchServer",
                                            "SearchPage",  "Proxy"};

std::string settingsFile(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string text = "[Pelto Browser Settings]\n";
  for (const auto& [key, value] : entries) text += key + "=" + value + "\n";
  return text;
}

// Every switch of the general settings stored with the same text.
std::string allSwitches(const std::string& value) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const auto& entry : kFreshFile) {
    if (!kNotSwitches.contains(entry.first)) entries.emplace_back(entry.first, value);
  }
  return settingsFile(entries);
}

GeneralSettings readFrom(const std::string& text, const GeneralSettings* previous = nullptr) {
  SettingsStore store;
  store.open(text);
  return ReadGeneralSettings(store, kEnv, previous);
}

TEST(GeneralSettingsTest, FreshStoreRecordsEveryKeyInOrderWithItsDefault) {
  SettingsStore store;
  store.open("");
  const GeneralSettings settings = ReadGeneralSettings(store, kEnv);
  EXPECT_EQ(store.serialize(), settingsFile(kFreshFile));

  GeneralSettings expected;
  expected.KPSound = kEnv.kpSound;
  EXPECT_EQ(settings, expected);
}

TEST(GeneralSettingsTest, ReadingAgainChangesNothing) {
  SettingsStore store;
  store.open(settingsFile(kFreshFile));
  const GeneralSettings first = ReadGeneralSettings(store, kEnv);
  EXPECT_EQ(ReadGeneralSettings(store, kEnv, &first), first);
  EXPECT_EQ(store.serialize(), settingsFile(kFreshFile));
}

TEST(GeneralSettingsTest, OnlyLowerCaseYesSwitchesOn) {
  const GeneralSettings capital = readFrom(allSwitches("Yes"));
  const GeneralSettings lower = readFrom(allSwitches("yes"));
  EXPECT_EQ(capital, readFrom(allSwitches("no")));
  EXPECT_EQ(capital, readFrom(allSwitches("")));
  EXPECT_NE(capital, lower);
  EXPECT_FALSE(capital.ShowInTaskBar);
  EXPECT_FALSE(capital.ConfirmCloseAll);
  EXPECT_TRUE(lower.NewAddress);
  EXPECT_TRUE(lower.ClearCoockies);
}

TEST(GeneralSettingsTest, NumbersAndTexts) {
  const GeneralSettings s = readFrom(settingsFile({{"StartupMode", "2"},
                                                   {"DefaultNewPage", "x"},
                                                   {"ActionWhenExit", " 1"},
                                                   {"EMailClient", ""},
                                                   {"KPSound", "C:\\a b\\pop.wav"},
                                                   {"SearchServer", "www.google.fi"},
                                                   {"SearchPage", "dxtsSearchAdvanced"},
                                                   {"Proxy", "10.0.0.1:3128"}}));
  EXPECT_EQ(s.StartupMode, 2);
  EXPECT_EQ(s.DefaultNewPage, 1);  // not a number: the default
  EXPECT_EQ(s.ActionWhenExit, 0);
  EXPECT_EQ(s.EMailClient, "");    // stored empty is not absent
  EXPECT_EQ(s.KPSound, "C:\\a b\\pop.wav");
  EXPECT_EQ(s.SearchServer, "www.google.fi");
  EXPECT_EQ(s.SearchPage, "dxtsSearchAdvanced");
  EXPECT_EQ(s.Proxy, "10.0.0.1:3128");
}

TEST(GeneralSettingsTest, ReloadTestLooksAtContentSwitchesButFlash) {
  const GeneralSettings before = readFrom(settingsFile(kFreshFile));
  struct Case {
    const char* key;
    const char* value;
    bool reload;
  };
  const Case cases[] = {
      {"WebPageAutoComplete", "no", true}, {"ShowPictures", "no", true},
      {"PlayVideos", "no", true},          {"PlaySounds", "no", true},
      {"EnableActiveX", "no", true},       {"EnableScripts", "Yes", true},
      {"EnableJavaApplets", "", true},     {"AllowFlash", "no", false},
      {"ConfirmCloseAll", "no", false},    {"ShowPictures", "yes", false},
  };
  for (const Case& c : cases) {
    auto entries = kFreshFile;
    for (auto& entry : entries) {
      if (entry.first == c.key) entry.second = c.value;
    }
    const GeneralSettings after = readFrom(settingsFile(entries), &before);
    EXPECT_EQ(after.contentChanged, c.reload) << c.key << "=" << c.value;
    // Without the previous state there is nothing to compare with.
    EXPECT_FALSE(readFrom(settingsFile(entries)).contentChanged) << c.key;
  }
}

}  // namespace
