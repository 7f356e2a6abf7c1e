// The reference lookups of the live check, which runs on every keystroke of the QSO entry:
// prefix extraction of a call, band of a frequency, distance and bearing of two locators.
// Each benchmark makes 1,000,000 calls over a mix of typical inputs.
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "logbook/reference/bands.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/prefix.h"

namespace {

constexpr int kCalls = 1'000'000;

constexpr std::array<std::string_view, 8> kCalls8 = {
    "DL1ABC", "OE/DL1ABC/P", "DL1ABC/3", "K1ABC/VE3", "FO/A", "dl1abc/p", "3Y/B/LA1ABC", "W1AW//"};

void ExtractPrefix(benchmark::State& state) {
  const logbook::ToPrefix prefix;
  for (auto _ : state) {
    for (int i = 0; i < kCalls; ++i) {
      benchmark::DoNotOptimize(
          prefix.ExtractPrefix(kCalls8[static_cast<std::size_t>(i) & 7], i & 1));
    }
  }
  state.SetItemsProcessed(state.iterations() * kCalls);
}
BENCHMARK(ExtractPrefix)->Unit(benchmark::kMillisecond);

constexpr std::array<double, 8> kFrequencies = {1.83, 3.6, 7.02, 14.25, 28.5, 144.3, 432.2, 100.0};

void Freq2Band(benchmark::State& state) {
  const logbook::ToBaender bands;
  for (auto _ : state) {
    for (int i = 0; i < kCalls; ++i) {
      benchmark::DoNotOptimize(bands.Freq2Band(kFrequencies[static_cast<std::size_t>(i) & 7]));
    }
  }
  state.SetItemsProcessed(state.iterations() * kCalls);
}
BENCHMARK(Freq2Band)->Unit(benchmark::kMillisecond);

constexpr std::array<std::string_view, 8> kLocators = {"JO62MM", "JO31NF", "IO91WM", "FN31PR",
                                                       "QF22LE", "JN58",   "KP20",   "JO62MM"};

void DistanceBearing(benchmark::State& state) {
  for (auto _ : state) {
    for (int i = 0; i < kCalls; ++i) {
      double lon;
      double bearing;
      double distance;
      benchmark::DoNotOptimize(logbook::ToLocator::DistanceBearing(
          kLocators[static_cast<std::size_t>(i) & 7],
          kLocators[static_cast<std::size_t>(i + 3) & 7], lon, bearing, distance));
      benchmark::DoNotOptimize(distance);
    }
  }
  state.SetItemsProcessed(state.iterations() * kCalls);
}
BENCHMARK(DistanceBearing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
