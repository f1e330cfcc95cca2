// Any bytes as "pbrowser.ini": parsing never fails, the written text reads
// back to the same content and bytes, and settings read and written on top of
// it come back as written.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/app/ini_document.h"
#include "core/app/settings_store.h"

using pelto::core::IniDocument;
using pelto::core::SettingsStore;

namespace {

using Content = std::vector<std::tuple<std::string, std::string, std::string>>;

Content contentOf(const IniDocument& doc) {
  Content content;
  for (const std::string& section : doc.sectionNames()) {
    for (const std::string& key : doc.keyNames(section)) {
      content.emplace_back(section, key, doc.readValue(section, key).value_or("<missing>"));
    }
  }
  return content;
}

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "ini fuzz: %s\n", what);
    std::abort();
  }
}

void checkStable(const IniDocument& doc) {
  const std::string first = doc.serialize();
  const IniDocument again = IniDocument::parse(first);
  check(contentOf(again) == contentOf(doc), "content changed by a round trip");
  check(again.serialize() == first, "second serialisation differs from the first");
}

std::string oneLine(std::string_view text) {
  std::string line(text);
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  checkStable(IniDocument::parse(text));

  SettingsStore store;
  store.open(text);
  store.ReadSetting("ShowSplash", "yes");
  store.ReadIntSetting("SideWidth", 200);
  store.settingExists("Left");

  // Names and values taken from the input, line breaks and all.
  const std::string_view head = text.substr(0, std::min<std::size_t>(text.size(), 64));
  const std::string_view tail = text.substr(text.size() / 2);
  store.WriteSetting(head, tail);
  store.document()->writeValue(head, "Order", tail);
  store.WriteSetting("Proxy", head);

  const std::string written = store.serialize();
  SettingsStore reopened;
  reopened.open(written);
  check(reopened.ReadSetting("Proxy", "<absent>") == oneLine(head), "Proxy not read back");
  check(reopened.serialize() == written, "store text changed by reading it back");

  // Without line breaks, what was written is exactly what reads back.
  IniDocument doc = IniDocument::parse(text);
  doc.writeValue(oneLine(head), oneLine(tail), oneLine(head));
  doc.writeValue(oneLine(tail), "Order", oneLine(tail));
  checkStable(doc);
  doc.eraseSection(oneLine(head));
  check(!doc.sectionExists(oneLine(head)), "erased section still there");
  checkStable(doc);
  return 0;
}
