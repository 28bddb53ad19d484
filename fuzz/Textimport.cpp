// The text import: any file is loaded, split and checked, and an import
// either appends every row as a member or leaves the list as it was.
#include "Fuzzhilfen.h"
#include "platform/Plattform.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"
#include "transfer/Textdatei.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  if (groesse < 2) return 0;
  // The first bytes choose the header lines and the fields of the columns.
  const int kopfzeilen = daten[0] % 3;
  const std::size_t spalten = daten[1] % 8;
  if (groesse < 2 + spalten) return 0;
  const auto& felder = ImportFelder();
  TTextimport import;
  const plattform::Bytes inhalt(daten + 2 + spalten, daten + groesse);
  if (!import.Laden(inhalt) || !import.SetzeKopfzeilen(kopfzeilen)) return 0;
  for (std::size_t c = 0; c < spalten && static_cast<int>(c) < import.Spaltenanzahl(); ++c)
    import.SetzeFeld(static_cast<int>(c), felder[daten[2 + c] % felder.size()].nummer);
  static std::unique_ptr<TZAQ> vorlage = [] {
    auto l = TZAQ::CreateNeu(true, true);
    l->SetzeAktuellerBenutzer(l->Administrator());
    return l;
  }();
  TZAQ& liste = *vorlage;
  const int vorher = liste.FMitglieder.Anzahl();
  const bool ok = import.Uebernehmen(liste, Importziel::Mitgliederliste);
  const int danach = liste.FMitglieder.Anzahl();
  if (ok ? danach != vorher + static_cast<int>(import.Vorschau().size()) : danach != vorher) __builtin_trap();
  // The list goes back to its first member for the next input.
  while (liste.FMitglieder.Anzahl() > vorher) liste.FMitglieder.Loeschen(*liste.FMitglieder.Letztes());
  liste.IndexVeraltet();
  return 0;
}
