// The bank directory files ZAQ-BLZ.DAT and ZAQ-BLZ.IND.  The first two bytes
// give the length of the data file; the rest after it is the index.
#include "Fuzzhilfen.h"
#include "bank/Bank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  if (groesse < 2) return 0;
  const std::size_t dat = std::min<std::size_t>(groesse - 2, daten[0] | daten[1] << 8);
  const std::string_view rest = fuzz::Text(daten + 2, groesse - 2);
  fuzz::Datei("ZAQ-BLZ.DAT", rest.substr(0, dat));
  fuzz::Datei("ZAQ-BLZ.IND", rest.substr(dat));
  TBank bank(fuzz::Verzeichnis().string());
  if (!bank.Geoeffnet()) return 0;
  for (const char* blz : {"37040044", "10010010", "00000000", "99999999", "12345678"}) {
    if (bank.Lade(blz)) (void)bank.Bezeichnung(), (void)bank.Pruefverfahren(), (void)bank.IBANRegel();
  }
  // A code taken from the input reaches the paths the fixed ones miss.
  if (rest.size() >= 8) (void)bank.LadeBank(rest.substr(rest.size() - 8), "");
  return 0;
}
