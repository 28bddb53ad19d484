// Comparing two 60,000-member lists that differ in a few members: matched
// through an index, so the time grows with the members, not their square.
// Target: well under a second.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "cli/Demo.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"
#include "transfer/Vergleich.h"

namespace {

using namespace zaq;

void Vergleichen(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto a = cli::ErzeugeDemoverein(n, 9);
  auto b = cli::ErzeugeDemoverein(n, 9);
  for (int i = 0; i < n; i += 100) b->FMitglieder[i].FGeaendertVon.FZeit += 1;
  for (auto _ : state) {
    const TVergleich v = VergleicheMitglieder(*a, *b);
    benchmark::DoNotOptimize(v.identisch);
    state.counters["Geaendert"] = static_cast<double>(v.geaendert.size());
  }
}

}  // namespace

BENCHMARK(Vergleichen)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
