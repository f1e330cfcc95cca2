#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/app/ini_document.h"

namespace pelto::core {

// The section of "pbrowser.ini" that holds every general setting.
inline constexpr std::string_view kSettingsSection = "Pelto Browser Settings";

// The program's settings: the in-memory "pbrowser.ini" document between the
// start sequence and the close procedure. While closed, reads give their
// defaults and writes do nothing. Reading and writing the file itself is the
// caller's business: open() takes its text, serialize() gives it back.
class SettingsStore {
 public:
  // Creates the store from the file's text; empty text gives an empty store.
  void open(std::string_view fileText);
  // Releases the store; write serialize() out first to keep its content.
  void close();
  // Whether the store exists.
  bool isOpen() const;

  // The stored value of key, or defaultValue when the key is absent, in which
  // case key=defaultValue is recorded so that the next flush writes it. An
  // empty stored value is returned as it is. A closed store records nothing.
  std::string ReadSetting(std::string_view key, std::string_view defaultValue);
  // Sets key=value in memory; does nothing while closed.
  void WriteSetting(std::string_view key, std::string_view value);
  // ReadSetting with the default's decimal text, as a number; a stored text
  // that ParseDecimal rejects gives defaultValue.
  int ReadIntSetting(std::string_view key, int defaultValue);
  // Whether the key is stored; never records anything.
  bool settingExists(std::string_view key) const;

  // The whole document as file text; empty while closed.
  std::string serialize() const;

  // The document itself, for the sections other than the settings section;
  // nullptr while closed.
  IniDocument* document();
  const IniDocument* document() const;

 private:
  std::optional<IniDocument> m_document;
};

// The text of a switch: "yes" for true, "no" for false.
std::string BoolToYesNo(bool value);

// Whether a switch's text means on: exactly "yes", so "Yes" and "" are off.
bool IsYes(std::string_view value);

// A decimal integer in int range: an optional '-' then digits only, with no
// blanks or sign '+'; anything else gives nothing.
std::optional<int> ParseDecimal(std::string_view text);

}  // namespace pelto::core
