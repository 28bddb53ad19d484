// A table of a large club from a template with ten columns: the rows chosen,
// sorted, the cells filled and the columns sized, then written as the table
// window saves it (tab-separated, Windows-1252).  Target: under half a second.
#include <benchmark/benchmark.h>

#include "cli/Demo.h"
#include "lists/Tabelle.h"
#include "platform/Kodierung.h"
#include "store/ZAQ.h"

namespace {

void TabelleBauenUndSchreiben(benchmark::State& state) {
  auto liste = zaq::cli::ErzeugeDemoverein(static_cast<int>(state.range(0)), 5);
  liste->SetzeAktuellerBenutzer(liste->Administrator());
  zaq::TTabVorlage vorlage;
  vorlage.FSpalten = {1, 3, 25, 41, 44, 28, 29, 61, 81, 101};
  vorlage.FSortierung = {21, 22, 3};
  vorlage.FBezugsdatum = liste->FStammdaten.FAlterStichtag;
  for (auto _ : state) {
    zaq::TTabelle t(*liste, vorlage, true);
    t.Aufbauen();
    const std::string text = zaq::Utf8ZuCp1252(t.Text(zaq::Exportform::Tabulator));
    benchmark::DoNotOptimize(text.data());
    state.counters["Bytes"] = static_cast<double>(text.size());
  }
}

}  // namespace

BENCHMARK(TabelleBauenUndSchreiben)->Arg(60000)->Unit(benchmark::kMillisecond);
