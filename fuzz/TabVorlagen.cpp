// Table templates: a template list as the master data holds it (an even
// first byte), or the line form of a program template from the settings
// file (an odd one).  What is read must write and read back the same.
#include <string>

#include "Fuzzhilfen.h"
#include "store/Mitglied.h"
#include "store/TabVorlage.h"

namespace {

zaq::Bytes Geschrieben(const zaq::TTabVorlagenListe& liste) {
  zaq::TZAQStream s;
  bool ok = true;
  liste.StreamSchreiben(s, zaq::sfUnbekannte, ok);
  if (!ok) __builtin_trap();
  return s.Daten();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  if (groesse == 0) return 0;
  if (daten[0] & 1) {
    TTabVorlage t;
    t.LeseZeile(fuzz::Text(daten + 1, groesse - 1));
    const std::string zeile = t.SchreibeZeile();
    TTabVorlage wieder;
    wieder.LeseZeile(zeile);
    if (wieder.FTitel != t.FTitel || wieder.FSpalten != t.FSpalten) __builtin_trap();
    for (int i = -1; i <= t.SpaltenAnzahl(); ++i)
      (void)TMitglied::SpaltenTitel(t.Spalte(i), i % 2 == 0);
    return 0;
  }
  TTabVorlagenListe liste;
  TZAQStream s(Bytes(daten + 1, daten + groesse));
  bool ok = true;
  liste.StreamLesen(s, static_cast<std::int64_t>(groesse - 1), ok);
  if (!ok) return 0;
  for (const auto& t : liste) {
    (void)SortierIndex(t->FSortierung.empty() ? 0 : t->FSortierung.front());
    t->SpaltenEntfernen(t->SpaltenAnzahl(), -1);
  }
  const Bytes erste = Geschrieben(liste);
  TTabVorlagenListe zweite;
  TZAQStream wieder(erste);
  liste.Leeren();
  zweite.StreamLesen(wieder, static_cast<std::int64_t>(erste.size()), ok);
  if (!ok || Geschrieben(zweite) != erste) __builtin_trap();
  return 0;
}
