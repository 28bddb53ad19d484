#include "cli/CliOberflaeche.h"

#include "interaction/Drucker.h"
#include "qtdruck/QtDrucker.h"

namespace zaq::cli {

Antwort CliOberflaeche::AntwortFuer(Knoepfe knoepfe, bool ja) {
  switch (knoepfe) {
    case Knoepfe::OK: return Antwort::OK;
    case Knoepfe::OKAbbrechen: return ja ? Antwort::OK : Antwort::Abbrechen;
    case Knoepfe::JaNein: return ja ? Antwort::Ja : Antwort::Nein;
    case Knoepfe::JaNeinAbbrechen: return ja ? Antwort::Ja : Antwort::Abbrechen;
    // Retrying without a person to change anything would loop for ever.
    case Knoepfe::WiederholenAbbrechen: return Antwort::Abbrechen;
    case Knoepfe::AbbrechenWiederholenIgnorieren: return ja ? Antwort::Ignorieren : Antwort::Abbruch;
    case Knoepfe::OKIgnorieren: return ja ? Antwort::Ignorieren : Antwort::OK;
  }
  return Antwort::OK;
}

Antwort CliOberflaeche::Meldung(const MeldungsDaten& meldung) {
  std::string text = meldung.text;
  // One message, one line group: carriage returns only confuse terminals.
  std::string bereinigt;
  for (char c : text)
    if (c != '\r') bereinigt += c;
  FFehler << ArtText(meldung.art) << ": " << bereinigt << '\n';
  return AntwortFuer(meldung.knoepfe, FJa);
}

bool CliOberflaeche::Dialog(DialogDaten& dialog) {
  auto it = DialogAntworten.find(dialog.Art());
  if (it == DialogAntworten.end()) return false;
  return it->second(dialog);
}

void CliOberflaeche::MeldungsListe(const std::vector<std::string>& zeilen) {
  for (const auto& z : zeilen) FFehler << z << '\n';
}

bool CliOberflaeche::Drucken(TDruckauftrag& auftrag) {
  if (PdfDatei.empty()) return false;
  return qtdruck::DruckeAlsPdf(auftrag, PdfDatei);
}

}  // namespace zaq::cli
