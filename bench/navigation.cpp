// One step to the next member in the main window's logic on a large club:
// the display fields, the command states and the status line are made anew.
// A frame is 16 ms; the step should take well under 1 ms.
#include <benchmark/benchmark.h>

#include <memory>

#include "cli/Demo.h"
#include "views/Hauptfenster.h"

namespace {

void NaechstesMitglied(benchmark::State& state) {
  zaq::TfrmZAQ fenster;
  fenster.SetzeListe(zaq::cli::ErzeugeDemoverein(static_cast<int>(state.range(0)), 7));
  const zaq::TMitglied* erstes = fenster.Liste()->FMitglieder.Erstes();
  for (auto _ : state) {
    if (!fenster.AktuellesMitglied()->Nachfolger()) {
      state.PauseTiming();
      fenster.ZeigeMitgliedRef(erstes);
      state.ResumeTiming();
    }
    fenster.Befehl(zaq::Bef::mnuMitglNaechst);
    for (int feld = 1; feld <= 3; ++feld) benchmark::DoNotOptimize(fenster.Status(feld));
    benchmark::DoNotOptimize(fenster.Zustand(zaq::Bef::befZur));
  }
}

}  // namespace

BENCHMARK(NaechstesMitglied)->Arg(60000)->Unit(benchmark::kMicrosecond);
