// Sorting a large club: by name (surname, first name, number) and by three
// keys of mixed kinds.  Each run sorts the same club made anew, so the input
// order is the same every time.
#include <benchmark/benchmark.h>

#include <memory>

#include "cli/Demo.h"
#include "lists/Sortierung.h"
#include "store/ZAQ.h"

namespace {

void Sortieren(benchmark::State& state, zaq::Sortierschluessel schluessel) {
  for (auto _ : state) {
    state.PauseTiming();
    auto liste = zaq::cli::ErzeugeDemoverein(static_cast<int>(state.range(0)), 11);
    state.ResumeTiming();
    benchmark::DoNotOptimize(zaq::SortiereMitglieder(*liste, schluessel));
    state.PauseTiming();
    liste.reset();
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK_CAPTURE(Sortieren, NachName, zaq::Sortierschluessel{21, 22, 3})
    ->Arg(60000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sortieren, OrtAlterEintritt, zaq::Sortierschluessel{43, -29, 61})
    ->Arg(60000)
    ->Unit(benchmark::kMillisecond);
