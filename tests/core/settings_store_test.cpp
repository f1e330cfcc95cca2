#include "core/app/settings_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

using pelto::core::BoolToYesNo;
using pelto::core::IsYes;
using pelto::core::ParseDecimal;
using pelto::core::SettingsStore;

namespace {

using namespace std::string_literals;

SettingsStore openStore(std::string_view text) {
  SettingsStore store;
  store.open(text);
  return store;
}

TEST(SettingsStoreTest, ReadSettingRecordsAbsentKeysOnly) {
  SettingsStore store = openStore("");
  ASSERT_TRUE(store.isOpen());
  EXPECT_EQ(store.ReadSetting("Skin", "Nexos"), "Nexos");
  EXPECT_EQ(store.ReadSetting("LangFile", ""), "");
  EXPECT_EQ(store.serialize(), "[Pelto Browser Settings]\nSkin=Nexos\nLangFile=\n");

  // Once recorded, the stored text wins over any later default.
  EXPECT_EQ(store.ReadSetting("skin", "Other"), "Nexos");
  EXPECT_EQ(store.ReadSetting("LangFile", "English.lng"), "");
  EXPECT_EQ(store.serialize(), "[Pelto Browser Settings]\nSkin=Nexos\nLangFile=\n");
}

TEST(SettingsStoreTest, StoredValuesAreFoundWhateverTheirCase) {
  const std::string text = "[pelto browser settings]\nshowsplash=no\nLangFile=\n";
  SettingsStore store = openStore(text);
  EXPECT_EQ(store.ReadSetting("ShowSplash", "yes"), "no");
  EXPECT_EQ(store.ReadSetting("LangFile", "English.lng"), "");
  EXPECT_TRUE(store.settingExists("SHOWSPLASH"));
  EXPECT_EQ(store.serialize(), text);
}

TEST(SettingsStoreTest, OtherSectionsAreNotSettings) {
  SettingsStore store = openStore("[Favorites\\Links\\]\nOrder=abc\n");
  EXPECT_FALSE(store.settingExists("Order"));
  EXPECT_EQ(store.ReadSetting("Order", "d"), "d");
  EXPECT_EQ(store.document()->readValue("Favorites\\Links\\", "Order"), "abc");
  EXPECT_EQ(store.serialize(),
            "[Favorites\\Links\\]\nOrder=abc\n[Pelto Browser Settings]\nOrder=d\n");
}

TEST(SettingsStoreTest, SettingExistsNeverRecords) {
  SettingsStore store = openStore("");
  EXPECT_FALSE(store.settingExists("Left"));
  EXPECT_EQ(store.serialize(), "");
}

TEST(SettingsStoreTest, WrittenSettingsSurviveAFlushAndReopen) {
  SettingsStore store = openStore("; kept\n[Pelto Browser Settings]\nProxy=\n");
  store.WriteSetting("Proxy", "10.0.0.1:8080");
  store.WriteSetting("ProperlyClosed", BoolToYesNo(false));
  store.WriteSetting("EMailClient", " mail.exe ");

  SettingsStore reopened = openStore(store.serialize());
  EXPECT_EQ(reopened.ReadSetting("Proxy", ""), "10.0.0.1:8080");
  EXPECT_EQ(reopened.ReadSetting("ProperlyClosed", "yes"), "no");
  EXPECT_EQ(reopened.ReadSetting("EMailClient", ""), " mail.exe ");
  EXPECT_EQ(reopened.serialize(), store.serialize());
}

TEST(SettingsStoreTest, ClosedStoreGivesDefaultsAndKeepsNothing) {
  SettingsStore store;
  EXPECT_FALSE(store.isOpen());
  EXPECT_EQ(store.ReadSetting("Skin", "Nexos"), "Nexos");
  EXPECT_EQ(store.ReadIntSetting("SideWidth", 200), 200);
  store.WriteSetting("Skin", "Other");
  EXPECT_FALSE(store.settingExists("Skin"));
  EXPECT_EQ(store.document(), nullptr);
  EXPECT_EQ(store.serialize(), "");

  store.open("[Pelto Browser Settings]\nSkin=Blue\n");
  store.close();
  EXPECT_FALSE(store.isOpen());
  EXPECT_EQ(store.ReadSetting("Skin", "Nexos"), "Nexos");

  // Reopening starts again from the text given, not from what was there.
  store.open("");
  EXPECT_TRUE(store.isOpen());
  EXPECT_FALSE(store.settingExists("Skin"));
}

TEST(SettingsStoreTest, HostileKeysAndTextAreHarmless) {
  SettingsStore store = openStore("\xFF\xFE\0[\r\n=junk\n[Pelto Browser Settings\n"s);
  // A key no line could carry is not recorded; the default still comes back.
  EXPECT_EQ(store.ReadSetting("a=b", "d"), "d");
  EXPECT_EQ(store.ReadSetting("", "d"), "d");
  EXPECT_FALSE(store.settingExists("a=b"));
  EXPECT_EQ(store.ReadSetting("Skin", "Nexos"), "Nexos");
  EXPECT_TRUE(store.settingExists("Skin"));
}

TEST(SettingsStoreTest, NumbersAreStrictDecimals) {
  struct Case {
    std::string text;
    std::optional<int> parsed;
  };
  const std::vector<Case> cases = {
      {"12", 12},          {"-3", -3},           {"0", 0},
      {"-0", 0},           {"007", 7},           {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},                  {" 12", std::nullopt},
      {"12 ", std::nullopt},                     {"12a", std::nullopt},
      {"", std::nullopt},  {"-", std::nullopt},  {"+5", std::nullopt},
      {"--1", std::nullopt},                     {"99999999999", std::nullopt},
      {"2147483648", std::nullopt},              {"0x10", std::nullopt},
      {"1.5", std::nullopt},                     {"1\0"s, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseDecimal(c.text), c.parsed) << c.text;
    SettingsStore store;
    store.open("");
    store.WriteSetting("LastTip", c.text);
    EXPECT_EQ(store.ReadIntSetting("LastTip", 42), c.parsed.value_or(42)) << c.text;
  }
}

TEST(SettingsStoreTest, ReadIntSettingRecordsTheDefaultAsDecimalText) {
  SettingsStore store = openStore("");
  EXPECT_EQ(store.ReadIntSetting("LastTip", -1), -1);
  EXPECT_EQ(store.ReadIntSetting("SideWidth", 200), 200);
  EXPECT_EQ(store.serialize(), "[Pelto Browser Settings]\nLastTip=-1\nSideWidth=200\n");
}

TEST(SettingsStoreTest, SwitchTexts) {
  EXPECT_EQ(BoolToYesNo(true), "yes");
  EXPECT_EQ(BoolToYesNo(false), "no");
  EXPECT_TRUE(IsYes("yes"));
  for (const std::string& text : {"Yes"s, "YES"s, "yes "s, " yes"s, ""s, "1"s, "true"s, "no"s}) {
    EXPECT_FALSE(IsYes(text)) << text;
  }
}

}  // namespace
