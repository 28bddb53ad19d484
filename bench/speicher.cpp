// Opening and saving a member file, next to the raw cost of its bytes:
// read the file, compute its CRC-32, write it back.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <filesystem>
#include <map>
#include <unistd.h>

#include "cli/Demo.h"
#include "interaction/Einstellungen.h"
#include "platform/Plattform.h"
#include "store/ZAQ.h"

namespace {

namespace fs = std::filesystem;

struct Vorlage {
  fs::path verzeichnis;
  std::string datei;
  std::uint64_t groesse = 0;
};

const Vorlage& Datei(int mitglieder) {
  static std::map<int, Vorlage> dateien;
  auto& v = dateien[mitglieder];
  if (v.datei.empty()) {
    v.verzeichnis = fs::temp_directory_path() / ("zaq-bench-" + std::to_string(::getpid()));
    fs::create_directories(v.verzeichnis);
    // Opening logs in: the settings of the benchmark's directory name the
    // demo club's administrator, who has no password.
    zaq::SetzeEinstellungsVerzeichnis(v.verzeichnis.string());
    zaq::SpeichereAutomatischeAnmeldung("Admin", "");
    v.datei = (v.verzeichnis / ("verein" + std::to_string(mitglieder) + ".zaq")).string();
    auto liste = zaq::cli::ErzeugeDemoverein(mitglieder, 7);
    liste->SpeichernAls(v.datei, false);
    v.groesse = fs::file_size(v.datei);
  }
  return v;
}

void Grundlinie(benchmark::State& state) {
  const Vorlage& v = Datei(static_cast<int>(state.range(0)));
  const std::string ziel = v.datei + ".roh";
  for (auto _ : state) {
    zaq::plattform::Bytes inhalt;
    zaq::plattform::LeseDatei(v.datei, inhalt);
    benchmark::DoNotOptimize(crc32(0, inhalt.data(), static_cast<uInt>(inhalt.size())));
    zaq::plattform::SchreibeDateiSicher(ziel, inhalt);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * v.groesse));
}

void OeffnenUndSpeichern(benchmark::State& state) {
  const Vorlage& v = Datei(static_cast<int>(state.range(0)));
  const std::string ziel = v.datei + ".neu";
  for (auto _ : state) {
    auto liste = zaq::TZAQ::CreateAusDatei(v.datei);
    if (!liste || !liste->SpeichernAls(ziel, false)) state.SkipWithError("Laden oder Speichern fehlgeschlagen");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * v.groesse));
}

}  // namespace

BENCHMARK(Grundlinie)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(OeffnenUndSpeichern)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);

namespace {

void NurOeffnen(benchmark::State& state) {
  const Vorlage& v = Datei(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto liste = zaq::TZAQ::CreateAusDatei(v.datei);
    if (!liste) state.SkipWithError("Laden fehlgeschlagen");
    state.PauseTiming();
    liste.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * v.groesse));
}

void NurSpeichern(benchmark::State& state) {
  const Vorlage& v = Datei(static_cast<int>(state.range(0)));
  auto liste = zaq::TZAQ::CreateAusDatei(v.datei);
  if (!liste) {
    state.SkipWithError("Laden fehlgeschlagen");
    return;
  }
  const std::string ziel = v.datei + ".neu";
  for (auto _ : state) liste->SpeichernAls(ziel, false);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * v.groesse));
}

}  // namespace

BENCHMARK(NurOeffnen)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(NurSpeichern)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);

namespace {

// Freeing an open list, the third part of a cycle of opening and saving.
void NurFreigeben(benchmark::State& state) {
  const Vorlage& v = Datei(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto liste = zaq::TZAQ::CreateAusDatei(v.datei);
    state.ResumeTiming();
    liste.reset();
  }
}

}  // namespace

BENCHMARK(NurFreigeben)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
