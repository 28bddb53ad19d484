#include "views/Statistikfenster.h"

#include "base/Text.h"
#include "interaction/Einstellungen.h"
#include "platform/Plattform.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {

TfrmStatistik::TfrmStatistik(const TZAQ& liste, Tag bezug)
    : FVerein(liste.FStammdaten.FVereinsname), FVerzeichnis(liste.Verzeichnis()),
      FDateiname(plattform::PfadText(plattform::Pfad(liste.FDateiname).stem())),
      FDaten(Mitgliederstatistik(liste, bezug)) {}

std::array<std::string, 2> TfrmStatistik::Titel() const {
  return {FVerein, "Bezugsdatum: " + DatumText(FDaten.Bezugsdatum)};
}

std::string TfrmStatistik::Achse() const { return FMitgliedschaft ? "Mitgliedschaft in Jahren" : "Alter in Jahren"; }

TGeglaettet TfrmStatistik::Reihen() const {
  return Glaette(FMitgliedschaft ? FDaten.Mitgliedschaft : FDaten.Alter, FGlaettung);
}

bool TfrmStatistik::Exportieren(const std::function<bool(const std::string&, bool)>& schreiben) {
  for (;;) {
    DateiDialog d;
    d.titel = "Diagramm exportieren";
    d.filter = {{"PNG-Bild", "*.png"}, {"PDF-Dokument", "*.pdf"}};
    d.vorschlag = FDateiname;
    d.verzeichnis = FVerzeichnis;
    const auto datei = UI().DateiSpeichern(d);
    if (!datei) return false;
    // The file type chosen sets the extension; a name typed with ".pdf" is a PDF too.
    const bool pdf = d.filterIndex == 1 || GleichOhneGross(plattform::PfadText(plattform::Pfad(*datei).extension()), ".pdf");
    std::string name = plattform::PfadText(plattform::Pfad(*datei).replace_extension(pdf ? ".pdf" : ".png"));
    if (plattform::DateiExistiert(name) &&
        Meldung("Die Datei " + name + " existiert bereits. Soll sie überschrieben werden?", MeldungsArt::Frage,
                Knoepfe::JaNein) != Antwort::Ja)
      continue;
    if (schreiben(name, pdf)) return true;
    Meldung("Fehler beim Speichern von " + name + ".", MeldungsArt::Fehler);
    return false;
  }
}

TfrmBestandszaehlung::TfrmBestandszaehlung(const TZAQ& liste)
    : FStichtag(liste.FStammdaten.FBeitragStichtag), FListe(liste) {
  const Datum heute = ZerlegeDatum(Heute());
  for (int i = 0; i < 36; ++i) {
    const int jahr = heute.jahr - 1 + i / 12, monat = i % 12 + 1;
    // The last day of the month: the day before the first of the next.
    FStichtage.push_back(KodiereDatum(monat == 12 ? jahr + 1 : jahr, monat == 12 ? 1 : monat + 1, 1) - 1);
  }
  for (const auto& m : liste.FMitglieder)
    if (m->FSelektiert) FSelektionMoeglich = true;
  FSelektion = FSelektionMoeglich && LeseEinstellung(esJubiListenSelektiert) == "1";
}

void TfrmBestandszaehlung::VonGeaendert() {
  switch (FArt) {
    case Bestandsart::Alter: FAlterBis = FAlterVon; break;
    case Bestandsart::Geburtsjahr: FJahrBis = FJahrVon; break;
    case Bestandsart::Geburtsdatum: FDatumBis = FDatumVon; break;
  }
}

bool TfrmBestandszaehlung::Auflisten() {
  const TBestandsfilter filter{FAbteilung, FAbteilungText, FSelektion && FSelektionMoeglich};
  const auto& von = FArt == Bestandsart::Alter ? FAlterVon : FArt == Bestandsart::Geburtsjahr ? FJahrVon : FDatumVon;
  const auto& bis = FArt == Bestandsart::Alter ? FAlterBis : FArt == Bestandsart::Geburtsjahr ? FJahrBis : FDatumBis;
  const auto zeile = Bestandszaehlung(FListe, filter, FArt, von, bis, FStichtag);
  if (!zeile) return false;
  FZeilen.push_back(*zeile);
  return true;
}

bool TfrmBestandszaehlung::Kopieren() const {
  if (FZeilen.empty()) return false;
  UI().Zwischenablage(BestandszaehlungText(FZeilen));
  return true;
}

TfrmFreieNummern::TfrmFreieNummern(const TZAQ& liste) {
  const TFreieNummern f = FreieNummern(liste);
  if (f.kleinste) Kleinste = liste.MitgliedsnummerText(*f.kleinste);
  if (f.hoechste) Hoechste = liste.MitgliedsnummerText(*f.hoechste);
  for (std::uint16_t n : f.frei) Frei.push_back(liste.MitgliedsnummerText(n));
}

}  // namespace zaq
