#include "core/app/settings_store.h"

#include <charconv>

namespace pelto::core {

void SettingsStore::open(std::string_view fileText) {
  try {
    m_document = IniDocument::parse(fileText);
  } catch (...) {
    // The rest of the program expects an open store, empty if need be.
    m_document.emplace();
  }
}

void SettingsStore::close() { m_document.reset(); }

bool SettingsStore::isOpen() const { return m_document.has_value(); }

std::string SettingsStore::ReadSetting(std::string_view key, std::string_view defaultValue) {
  std::string result(defaultValue);
  if (!m_document) return result;
  try {
    if (std::optional<std::string> stored = m_document->readValue(kSettingsSection, key)) {
      result = std::move(*stored);
    } else {
      m_document->writeValue(kSettingsSection, key, defaultValue);
    }
  } catch (...) {
    // A failed read or write leaves the result as it stands.
  }
  return result;
}

void SettingsStore::WriteSetting(std::string_view key, std::string_view value) {
  if (!m_document) return;
  try {
    m_document->writeValue(kSettingsSection, key, value);
  } catch (...) {
  }
}

int SettingsStore::ReadIntSetting(std::string_view key, int defaultValue) {
  return ParseDecimal(ReadSetting(key, std::to_string(defaultValue))).value_or(defaultValue);
}

bool SettingsStore::settingExists(std::string_view key) const {
  return m_document && m_document->valueExists(kSettingsSection, key);
}

std::string SettingsStore::serialize() const {
  return m_document ? m_document->serialize() : std::string();
}

IniDocument* SettingsStore::document() { return m_document ? &*m_document : nullptr; }

const IniDocument* SettingsStore::document() const { return m_document ? &*m_document : nullptr; }

std::string BoolToYesNo(bool value) { return value ? "yes" : "no"; }

bool IsYes(std::string_view value) { return value == "yes"; }

std::optional<int> ParseDecimal(std::string_view text) {
  // from_chars also takes no '+' and no blanks, but it stops at the first
  // non-digit: the whole text must be used.
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace pelto::core
