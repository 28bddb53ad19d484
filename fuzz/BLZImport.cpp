// The Bundesbank's bank code file and the table of IBAN rules, as the import
// reads them.  A line "----" splits the input into the two files.
#include "Fuzzhilfen.h"
#include "bank/BLZImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  const std::string_view text = fuzz::Text(daten, groesse);
  const std::size_t trenner = text.find("\n----\n");
  const std::string bbk = fuzz::Datei("blz.txt", text.substr(0, trenner));
  std::string regeln;
  if (trenner != std::string_view::npos) regeln = fuzz::Datei("regeln.txt", text.substr(trenner + 6));
  const auto ziel = fuzz::Verzeichnis() / "verzeichnis";
  std::filesystem::create_directories(ziel);
  BLZImportBericht bericht;
  if (!ErzeugeBLZVerzeichnis(bbk, ziel.string(), regeln, bericht)) return 0;
  // What the import wrote opens as a directory.
  TBank bank(ziel.string());
  if (!bank.Geoeffnet()) __builtin_trap();
  return 0;
}
