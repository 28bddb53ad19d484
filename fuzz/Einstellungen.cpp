// The settings file "zaq.ini" and every key of it.
#include "Fuzzhilfen.h"
#include "interaction/Einstellungen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  static const bool eingerichtet = [] {
    SetzeEinstellungsVerzeichnis(fuzz::Verzeichnis().string());
    return true;
  }();
  (void)eingerichtet;
  fuzz::Datei("zaq.ini", fuzz::Text(daten, groesse));
  for (int code : {esLetzteDatei, esAutoSortieren, esSicherungsdatei, esFtpPassiv, esVerbindungsversuche})
    (void)LeseEinstellung(code), (void)LeseEinstellungZahl(code);
  (void)LeseEinstellungHex(esAutoLogin);
  (void)LeseEinstellungHex(esProgAktKennw);
  (void)ProfilLesen(EinstellungsDatei(), "ZAQ Mitgliederverwaltung", "Letzte Datei", "");
  return 0;
}
