// The text export of a large club and the import of that text into an empty
// list: loading, splitting, the trial pass and the members appended.  Run at
// 15,000, 30,000 and 60,000 members, each should stay well under a second
// and grow linearly.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "cli/Demo.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"
#include "transfer/Textdatei.h"

namespace {

using namespace zaq;

const std::vector<int> kExportFelder = {10, 20, 21, 23, 30, 31, 32, 25, 24, 34, 36, 40, 0,
                                        41, 0,  42, 80, 50, 61, 62, 63, 60, 64, 65, 66, 70};

TZAQ& Club(int n) {
  static std::map<int, std::unique_ptr<TZAQ>> vereine;
  auto& v = vereine[n];
  if (!v) {
    v = cli::ErzeugeDemoverein(n, 6);
    v->SetzeAktuellerBenutzer(v->Administrator());
  }
  return *v;
}

void TextExport(benchmark::State& state) {
  TZAQ& liste = Club(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const std::string text = ExportText(liste);
    benchmark::DoNotOptimize(text.data());
    state.counters["Bytes"] = static_cast<double>(text.size());
  }
}

void TextImport(benchmark::State& state) {
  const std::string text = ExportText(Club(static_cast<int>(state.range(0))));
  const plattform::Bytes inhalt(text.begin(), text.end());
  for (auto _ : state) {
    state.PauseTiming();
    auto leer = TZAQ::CreateNeu(false, true);
    leer->SetzeAktuellerBenutzer(leer->Administrator());
    state.ResumeTiming();
    TTextimport import;
    import.Laden(inhalt);
    import.SetzeKopfzeilen(1);
    for (std::size_t c = 0; c < kExportFelder.size(); ++c) import.SetzeFeld(static_cast<int>(c), kExportFelder[c]);
    if (!import.Uebernehmen(*leer, Importziel::Mitgliederliste)) state.SkipWithError("Import abgelehnt");
    state.counters["Mitglieder"] = leer->AnzahlMitglieder();
    state.PauseTiming();
    leer.reset();
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(TextExport)->Arg(15000)->Arg(30000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(TextImport)->Arg(15000)->Arg(30000)->Arg(60000)->Unit(benchmark::kMillisecond);
