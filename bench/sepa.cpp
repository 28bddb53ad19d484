// The pain.008 file of a booking list with 10,000 and 60,000 debits, step by
// step: building the document from the list, the program's own validation,
// the XSD check with libxml2, writing the text and the file.  The target is
// under 32 ms for 10,000 debits without the XSD check, under 0.6 s with it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

#include "base/Datum.h"
#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/Export.h"
#include "debits/sepa/SEPASchema.h"
#include "platform/Plattform.h"
#include "store/Konto.h"

namespace {

namespace fs = std::filesystem;
using namespace zaq;

struct Lauf {
  TSepa liste;
  TVereinskonto konto;
  std::string ziel;
};

// A list of n debits of a fee run, made once per size.
Lauf& Liste(int n) {
  static std::map<int, std::unique_ptr<Lauf>> laeufe;
  auto& l = laeufe[n];
  if (!l) {
    l = std::make_unique<Lauf>();
    const fs::path verzeichnis = fs::temp_directory_path() / ("zaq-bench-sepa-" + std::to_string(::getpid()));
    fs::create_directories(verzeichnis);
    const std::string datei = (verzeichnis / ("lauf" + std::to_string(n) + ".slv")).string();
    l->ziel = datei + ".xml";
    l->liste.Anlegen(datei);
    TSepaKopf kopf = l->liste.Kopf();
    kopf.Kontoschluessel = "HAUPT";
    kopf.Sequenz = 1;
    l->liste.SchreibeKopf(kopf);
    TSepa::Stapel stapel(l->liste);
    for (int i = 1; i <= n; ++i) {
      TSepaBuchung b;
      b.Name = "Müller-Lüdenscheidt, Jürgen " + std::to_string(i);
      b.IBAN = i % 2 ? "DE89370400440532013000" : "DE02120300000000202051";
      b.Mandatsreferenz = "ZAQ-" + std::to_string(i) + "-2014";
      b.Mandatsdatum = 41671;
      b.Sequenz = 2;
      b.Betrag = 12.5f + static_cast<float>(i % 100);
      b.Verwendungszweck = "Mitgliedsbeitrag 2027 Nr. " + std::to_string(i) + "\r\nAbteilung Fußball & Tennis";
      l->liste.Schreiben(b, i);
    }
    stapel.Ende();
    l->konto.FInhaber = "TSV Musterstadt e.V.";
    l->konto.FIBAN = "DE89370400440532013000";
    l->konto.FGlaeubigerID = "DE98ZZZ09999999999";
    sepa::SetExtendedCharsAllowed(true);
  }
  return *l;
}

sepa::TDirectDebitInitiation Bauen(const Lauf& l) {
  return BaueDokument(l.liste, l.konto, sepa::kPain00800108, Heute() + 5);
}

void SepaBauen(benchmark::State& state) {
  const Lauf& l = Liste(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(Bauen(l));
}

void SepaEigenePruefung(benchmark::State& state) {
  const auto d = Bauen(Liste(static_cast<int>(state.range(0))));
  for (auto _ : state)
    if (!d.Validate().empty()) state.SkipWithError("Befunde");
}

void SepaXsdPruefung(benchmark::State& state) {
  const std::string xml = Bauen(Liste(static_cast<int>(state.range(0)))).Write();
  sepa::ValidateAgainstXsd(xml, sepa::kPain00800108);  // the schema is parsed once per run of the program
  for (auto _ : state)
    if (!sepa::ValidateAgainstXsd(xml, sepa::kPain00800108).empty()) state.SkipWithError("Befunde");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}

void SepaSchreiben(benchmark::State& state) {
  const Lauf& l = Liste(static_cast<int>(state.range(0)));
  const auto d = Bauen(l);
  for (auto _ : state) {
    const std::string xml = d.Write();
    plattform::SchreibeDateiSicher(l.ziel, reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size());
  }
}

// Everything the export does after the date dialog, without and with the XSD.
void SepaGesamt(benchmark::State& state) {
  const Lauf& l = Liste(static_cast<int>(state.range(0)));
  const bool xsd = state.range(1) != 0;
  if (xsd) sepa::ValidateAgainstXsd("<x/>", sepa::kPain00800108);
  for (auto _ : state) {
    const auto d = Bauen(l);
    const std::string xml = d.Write();
    const auto funde = xsd ? PruefeDokument(d, xml) : d.Validate();
    if (!funde.empty()) state.SkipWithError("Befunde");
    plattform::SchreibeDateiSicher(l.ziel, reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size());
  }
}

}  // namespace

BENCHMARK(SepaBauen)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(SepaEigenePruefung)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(SepaXsdPruefung)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(SepaSchreiben)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(SepaGesamt)->ArgsProduct({{10000, 60000}, {0, 1}})->ArgNames({"", "xsd"})->Unit(benchmark::kMillisecond);
