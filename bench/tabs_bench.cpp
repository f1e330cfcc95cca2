// The tab bar layout for 1,000 tabs on a 1,000-wide bar, beside a baseline that only fills a
// vector of as many rectangles with constants, so that the layout's own arithmetic can be read
// as the difference.

#include <benchmark/benchmark.h>

#include <vector>

#include "core/pages/tab_layout.h"

namespace {

constexpr int kTabCount = 1000;
constexpr int kBarWidth = 1000;

void BM_FillRectangles(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<pelto::core::Rect> tabs;
    tabs.reserve(kTabCount);
    for (int slot = 0; slot < kTabCount; ++slot) tabs.push_back(pelto::core::Rect{1, 0, 61, 22});
    benchmark::DoNotOptimize(tabs.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillRectangles);

void BM_LayoutTabs(benchmark::State& state) {
  int width = kBarWidth;
  for (auto _ : state) {
    benchmark::DoNotOptimize(width);
    pelto::core::TabLayout layout = pelto::core::LayoutTabs(width, kTabCount);
    benchmark::DoNotOptimize(layout.tabs.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LayoutTabs);

}  // namespace

BENCHMARK_MAIN();
