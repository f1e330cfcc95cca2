// The settings store on a "pbrowser.ini" of 2,000 keys, beside a baseline that
// only copies the same bytes and scans them once for line ends, so that the
// figures can be read as multiples of the baseline.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/app/settings_store.h"

namespace {

constexpr int kKeyCount = 2000;

std::vector<std::string> keyNames() {
  std::vector<std::string> keys;
  keys.reserve(kKeyCount);
  for (int i = 0; i < kKeyCount; ++i) keys.push_back("SettingKey" + std::to_string(i));
  return keys;
}

// A settings file of kKeyCount keys with values of mixed length, and one
// favorites-order section, as a long-used file would hold.
std::string settingsText(const std::vector<std::string>& keys) {
  std::string text = "[Pelto Browser Settings]\r\n";
  for (std::size_t i = 0; i < keys.size(); ++i) {
    text += keys[i] + "=" + (i % 3 == 0 ? "yes" : "C:\\Program Files\\Pelto Browser\\value" +
                                                      std::to_string(i)) + "\r\n";
  }
  text += "[Favorites\\Links\\]\r\nOrder=0a1b2c3d4e5f\r\n";
  return text;
}

const std::vector<std::string>& keys() {
  static const std::vector<std::string> k = keyNames();
  return k;
}

const std::string& text() {
  static const std::string t = settingsText(keys());
  return t;
}

void BM_Baseline_CopyAndScanLines(benchmark::State& state) {
  for (auto _ : state) {
    std::string copy = text();
    benchmark::DoNotOptimize(std::count(copy.begin(), copy.end(), '\n'));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text().size()));
}
BENCHMARK(BM_Baseline_CopyAndScanLines);

void BM_OpenAndReadEveryKey(benchmark::State& state) {
  for (auto _ : state) {
    pelto::core::SettingsStore store;
    store.open(text());
    for (const std::string& key : keys()) benchmark::DoNotOptimize(store.ReadSetting(key, ""));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text().size()));
}
BENCHMARK(BM_OpenAndReadEveryKey)->Unit(benchmark::kMicrosecond);

void BM_Serialize(benchmark::State& state) {
  pelto::core::SettingsStore store;
  store.open(text());
  for (auto _ : state) benchmark::DoNotOptimize(store.serialize());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text().size()));
}
BENCHMARK(BM_Serialize)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
