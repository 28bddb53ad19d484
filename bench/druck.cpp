// A large club's address table printed to a PDF file as zaq-cli drucken does:
// every row laid out on pages with header, heading row and shading, written
// by Qt's PDF writer.  Run at 15,000, 30,000 and 60,000 members, the time per
// row should stay the same.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

#include "cli/Demo.h"
#include "lists/Druck.h"
#include "lists/Tabelle.h"
#include "qtdruck/QtDrucker.h"
#include "store/ZAQ.h"

namespace {

namespace fs = std::filesystem;
using namespace zaq;

// Qt lays out text only with an application; the benchmark has no screen.
void Anwendung() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "zaq_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication anwendung(argc, argv);
}

std::unique_ptr<TZAQ>& Club(int n) {
  static std::map<int, std::unique_ptr<TZAQ>> vereine;
  auto& v = vereine[n];
  if (!v) {
    v = cli::ErzeugeDemoverein(n, 4);
    v->SetzeAktuellerBenutzer(v->Administrator());
  }
  return v;
}

void TabelleAlsPdf(benchmark::State& state) {
  Anwendung();
  auto& liste = Club(static_cast<int>(state.range(0)));
  TTabVorlage vorlage;
  vorlage.FTitel = "Adressenliste";
  vorlage.FSpalten = {1, 3, 25, 41, 44, 28, 29, 61};
  vorlage.FSortierung = {21, 22, 3};
  vorlage.FBezugsdatum = liste->FStammdaten.FAlterStichtag;
  TTabelle tabelle(*liste, vorlage, true);
  tabelle.Aufbauen();
  const fs::path pdf = fs::temp_directory_path() / ("zaq-bench-druck-" + std::to_string(::getpid()) + ".pdf");
  for (auto _ : state) {
    TDruckauftrag auftrag;
    auftrag.titel = "ZAQ Tabellenausdruck";
    const TTabellendruck druck = Tabellendruck(tabelle);
    auftrag.drucken = [&](TDruckgeraet& g) { return DruckeTabelle(tabelle, druck, g); };
    if (!qtdruck::DruckeAlsPdf(auftrag, pdf.string())) state.SkipWithError("PDF nicht geschrieben");
    state.counters["Bytes"] = static_cast<double>(fs::file_size(pdf));
  }
  state.counters["Zeilen"] = tabelle.Zeilenzahl();
  fs::remove(pdf);
}

}  // namespace

BENCHMARK(TabelleAlsPdf)->Arg(15000)->Arg(30000)->Arg(60000)->Unit(benchmark::kMillisecond)->Iterations(2);
