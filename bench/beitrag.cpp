// The fee run over the demo club: its time per member must not grow with
// the club (payers are matched to their members in one pass).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "cli/Demo.h"
#include "fees/Beitrag.h"

namespace {

zaq::TZAQ& Verein(int mitglieder) {
  static std::map<int, std::unique_ptr<zaq::TZAQ>> vereine;
  auto& v = vereine[mitglieder];
  if (!v) v = zaq::cli::ErzeugeDemoverein(mitglieder, 7);
  return *v;
}

void Beitragslauf(benchmark::State& state) {
  zaq::TZAQ& liste = Verein(static_cast<int>(state.range(0)));
  const auto n = static_cast<double>(liste.FMitglieder.Anzahl());
  for (auto _ : state) {
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

}  // namespace

BENCHMARK(Beitragslauf)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
