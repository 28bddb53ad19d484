// The member statistics of a large club: both histograms with the means,
// smoothed at the default width, the member count of one age range and the
// free member numbers.  Target: well under a second for 60,000 members.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "cli/Demo.h"
#include "lists/Statistik.h"
#include "store/ZAQ.h"

namespace {

using namespace zaq;

TZAQ& Club(int n) {
  static std::map<int, std::unique_ptr<TZAQ>> vereine;
  auto& v = vereine[n];
  if (!v) v = cli::ErzeugeDemoverein(n, 8);
  return *v;
}

void Statistik(benchmark::State& state) {
  TZAQ& liste = Club(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const TStatistik s = Mitgliederstatistik(liste);
    benchmark::DoNotOptimize(Glaette(s.Alter, 15));
    benchmark::DoNotOptimize(Glaette(s.Mitgliedschaft, 15));
    benchmark::DoNotOptimize(Bestandszaehlung(liste, {}, Bestandsart::Alter, "0", "18", liste.FStammdaten.FBeitragStichtag));
    benchmark::DoNotOptimize(FreieNummern(liste));
  }
}

}  // namespace

BENCHMARK(Statistik)->Arg(15000)->Arg(60000)->Unit(benchmark::kMillisecond);
