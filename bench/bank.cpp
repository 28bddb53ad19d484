// Bank directory lookups and account checks on the directory the build
// generates beside the programs.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bank/Bank.h"
#include "bank/Pruefung.h"
#include "platform/Plattform.h"

namespace {

zaq::TBank& Verzeichnis() {
  static zaq::TBank bank(zaq::plattform::ProgrammVerzeichnis());
  return bank;
}

void BM_LadeEineMillionMal(benchmark::State& state) {
  zaq::TBank& bank = Verzeichnis();
  if (!bank.Geoeffnet()) {
    state.SkipWithError("Bankverzeichnis fehlt");
    return;
  }
  static const std::vector<std::string> codes = [] {
    std::vector<std::string> c;
    // The bank codes of the directory itself, read from its data file.
    zaq::plattform::Bytes daten;
    zaq::plattform::LeseDatei(zaq::plattform::ProgrammVerzeichnis() + zaq::kBLZDatei, daten);
    for (std::size_t i = 0; i + zaq::kBLZSatzLaenge <= daten.size(); i += zaq::kBLZSatzLaenge)
      c.emplace_back(reinterpret_cast<const char*>(daten.data() + i + 1), daten[i]);
    return c;
  }();
  for (auto _ : state) {
    std::size_t gefunden = 0;
    for (int i = 0; i < 1000000; ++i) gefunden += bank.Lade(codes[static_cast<std::size_t>(i) % codes.size()]);
    benchmark::DoNotOptimize(gefunden);
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_LadeEineMillionMal)->Unit(benchmark::kMillisecond);

void BM_PruefeBankverbindung(benchmark::State& state) {
  static zaq::BankverzeichnisSetzen setzen(std::make_unique<zaq::TBank>(zaq::plattform::ProgrammVerzeichnis()));
  for (auto _ : state)
    benchmark::DoNotOptimize(zaq::PruefeBankverbindung("37040044", "532013000", "DE89370400440532013000"));
}
BENCHMARK(BM_PruefeBankverbindung);

}  // namespace
