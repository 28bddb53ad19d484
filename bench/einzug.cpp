// A fee collection run of a large club, step by step: the bookings of the
// fee engine's payers written into a new list, sorted by name, and on to
// pain.008.001.08 (building, own checks, XSD, text).  Run at 10,000 and
// 60,000 members, each step should cost the same per member.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

#include "cli/Demo.h"
#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/Einzug.h"
#include "debits/sepa/Export.h"
#include "debits/sepa/SEPASchema.h"
#include "store/ZAQ.h"

namespace {

namespace fs = std::filesystem;
using namespace zaq;

TSepaSammelOptionen Optionen();

struct Verein {
  std::unique_ptr<TZAQ> liste;
  std::string datei;
  TSepa fertig;  // the sorted list of one run, for the XML steps
};

Verein& Club(int n) {
  static std::map<int, std::unique_ptr<Verein>> vereine;
  auto& v = vereine[n];
  if (!v) {
    v = std::make_unique<Verein>();
    v->liste = cli::ErzeugeDemoverein(n, 3);
    const fs::path verzeichnis = fs::temp_directory_path() / ("zaq-bench-einzug-" + std::to_string(::getpid()));
    fs::create_directories(verzeichnis);
    v->datei = (verzeichnis / ("lauf" + std::to_string(n) + ".slv")).string();
    v->fertig.Anlegen(v->datei + ".fertig");
    SammleBuchungen(v->fertig, *v->liste, Optionen(), false);
    TSepaKopf kopf = v->fertig.Kopf();
    kopf.Kontoschluessel = "HAUPT";
    kopf.Sequenz = 2;
    v->fertig.SchreibeKopf(kopf);
    v->fertig.Sortieren(1);
  }
  return *v;
}

TSepaSammelOptionen Optionen() {
  TSepaSammelOptionen o;
  o.Vorlage = "Beitrag %Jahre%";
  o.Kontoschluessel = "HAUPT";
  o.Rechendatum = KodiereDatum(2027, 12, 31);
  return o;
}

void Buchungen(benchmark::State& state) {
  Verein& v = Club(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TSepa liste;
    liste.Anlegen(v.datei);
    const TSammelErgebnis e = SammleBuchungen(liste, *v.liste, Optionen(), false);
    benchmark::DoNotOptimize(e.Buchungen);
    state.counters["Buchungen"] = e.Buchungen;
  }
}

void NachNamen(benchmark::State& state) {
  Verein& v = Club(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    TSepa liste;
    liste.Anlegen(v.datei);
    SammleBuchungen(liste, *v.liste, Optionen(), false);
    state.ResumeTiming();
    liste.Sortieren(1);
  }
}

void Xml(benchmark::State& state) {
  Verein& v = Club(static_cast<int>(state.range(0)));
  const TVereinskonto& konto = *v.fertig.Vereinskonto(v.liste->FStammdaten);
  for (auto _ : state) {
    const auto dokument = BaueDokument(v.fertig, konto, sepa::kPain00800108, Heute() + 7);
    const std::string xml = dokument.Write();
    benchmark::DoNotOptimize(PruefeDokument(dokument, xml));
  }
}

}  // namespace

BENCHMARK(Buchungen)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(NachNamen)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(Xml)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
