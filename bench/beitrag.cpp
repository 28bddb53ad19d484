// The fee run over the demo club: its time per member must not grow with
// the club (payers are matched to their members in one pass).
//
// A club of 10,000 members fits a 32 MB cache, one of 60,000 does not; the
// "kalt" runs start each run with the caches emptied, as a run in the
// program does after other work, so both sizes pay for their memory alike.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <vector>

#include "cli/Demo.h"
#include "fees/Beitrag.h"

namespace {

zaq::TZAQ& Verein(int mitglieder) {
  static std::map<int, std::unique_ptr<zaq::TZAQ>> vereine;
  auto& v = vereine[mitglieder];
  if (!v) v = zaq::cli::ErzeugeDemoverein(mitglieder, 7);
  return *v;
}

// Writes more memory than any cache holds.
void CachesLeeren() {
  static std::vector<char> puffer(256u << 20);
  for (std::size_t i = 0; i < puffer.size(); i += 64) puffer[i] = static_cast<char>(puffer[i] + 1);
  benchmark::ClobberMemory();
}

void Lauf(benchmark::State& state, bool kalt) {
  zaq::TZAQ& liste = Verein(static_cast<int>(state.range(0)));
  const auto n = static_cast<double>(liste.FMitglieder.Anzahl());
  for (auto _ : state) {
    if (kalt) {
      state.PauseTiming();
      CachesLeeren();
      state.ResumeTiming();
    }
    zaq::TBeitragslaufOptionen o;
    o.Zahlarten = 0b011;
    o.MitZahlerliste = true;
    zaq::Beitragslauf(liste, 0, false, o);
    benchmark::DoNotOptimize(o.Summe);
  }
  state.counters["Mitglieder"] = n;
  // Seconds per member, shown in the unit of the benchmark.
  state.counters["pro_Mitglied"] =
      benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Beitragslauf(benchmark::State& state) { Lauf(state, false); }
void BeitragslaufKalt(benchmark::State& state) { Lauf(state, true); }

}  // namespace

BENCHMARK(Beitragslauf)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(BeitragslaufKalt)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
