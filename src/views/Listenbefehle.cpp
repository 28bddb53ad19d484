// The main window's Tables and Selection menus.
#include <filesystem>

#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "lists/Selektion.h"
#include "lists/Tabelle.h"
#include "platform/Plattform.h"
#include "store/Benutzer.h"
#include "views/Hauptfenster.h"
#include "views/Tabellenfenster.h"

namespace zaq {

void TfrmZAQ::StandardTabelle(int n, bool fragen) {
  bool nurSelektierte = false;
  if (fragen) {
    const int antwort = FrageNurSelektierte(*Liste());
    Darstellen();
    if (antwort == 0) return;
    nurSelektierte = antwort == 2;
  }
  ZeigeStandardtabelle(*Liste(), n, 0, nurSelektierte);
}

void TfrmZAQ::mnuTabEhrungenClick() {
  TfrmZAQTabEhrung d(Heute(), Liste()->AnzahlSelektierte());
  if (!UI().Dialog(d)) return;
  d.Bestaetigen();
  ZeigeStandardtabelle(*Liste(), 4, d.FDatum, d.FNurSelektierte);
}

void TfrmZAQ::mnuExtrasAustritteClick() {
  if (HatRecht(rArchiv)) ZeigeStandardtabelle(*Liste(), 11, 0, false);
}

void TfrmZAQ::TabellenMenueWahl(int eintrag) {
  TZAQ* liste = Liste();
  if (!liste || eintrag < 0 || eintrag >= static_cast<int>(FTabellenMenue.size())) return;
  const TTabellenEintrag& e = FTabellenMenue[static_cast<std::size_t>(eintrag)];
  if (e.trenner) return;
  // An empty result opens no window and says nothing.
  if (e.verein) {
    auto& vorlagen = liste->FStammdaten.FTabVorlagen;
    if (e.index >= vorlagen.Anzahl()) return;
    TTabVorlage& vorlage = vorlagen.Element(e.index);
    vorlage.FBezugsdatum = liste->FStammdaten.FAlterStichtag;
    if ((vorlage.FFilter & tfArchiv) && !HatRecht(rArchiv)) {
      const TBenutzer* b = liste->AktuellerBenutzer();
      Meldung("Sie sind im Moment als " + (b ? b->FVollerName : std::string()) +
                  " angemeldet und besitzen leider nicht das Recht auf Zugriff zum Archiv.",
              MeldungsArt::Information);
      return;
    }
    ZeigeFilterTabelle(*liste, vorlage);
    return;
  }
  // The line is read again: the settings may have changed meanwhile.
  TTabVorlage vorlage;
  vorlage.LeseZeile(LeseEinstellung(esTabellen + e.index));
  vorlage.FBezugsdatum = liste->FStammdaten.FAlterStichtag;
  ZeigeFilterTabelle(*liste, vorlage);
}

bool TfrmZAQ::ZeigeTabellenMitglied(const TTabelle& tabelle, int oben, int unten) {
  if (tabelle.Liste() != Liste()) return false;
  TMitglied* m = tabelle.MitgliedZumAufrufen(oben, unten);
  return m && ZeigeMitgliedRef(m);
}

void TfrmZAQ::mnuSelGesamtClick() {
  GesamtSelektion(*Liste());
  AktualisiereAnzeige(true);
}

void TfrmZAQ::mnuSelEinzelClick() {
  ListenSelektion(*Liste());
  AktualisiereAnzeige(true);
}

void TfrmZAQ::mnuSelUmkClick() {
  SelektionUmkehren(*Liste());
  AktualisiereAnzeige(true);
}

void TfrmZAQ::mnuSelAufhebenClick() {
  TZAQ& liste = *Liste();
  if (liste.AnzahlSelektierte() == 0) {
    Meldung("Es sind zur Zeit keine Mitglieder selektiert.", MeldungsArt::Information);
    return;
  }
  if (Meldung("Wollen Sie wirklich jede Selektion aufheben?", MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja)
    return;
  SelektionAufheben(liste);
  AktualisiereAnzeige(true);
}

namespace {
DateiDialog SelektionsDialog(const char* titel) {
  DateiDialog d;
  d.titel = titel;
  d.filter = {{"ZAQ-Selektionslisten", "*.zas"}, {"Alle Dateien", "*.*"}};
  d.verzeichnis = plattform::PfadText(std::filesystem::current_path());
  d.endung = "zas";
  return d;
}
}  // namespace

void TfrmZAQ::mnuSelSpeichernClick() {
  TZAQ& liste = *Liste();
  if (liste.AnzahlSelektierte() == 0) {
    Meldung("Momentan sind keine Mitgliedern selektiert.", MeldungsArt::Information);
    return;
  }
  DateiDialog d = SelektionsDialog("Selektion speichern");
  d.ueberschreibenFragen = true;
  if (auto datei = UI().DateiSpeichern(d)) SpeichereSelektion(liste, *datei);
}

void TfrmZAQ::mnuSelLadenClick() {
  TZAQ& liste = *Liste();
  DateiDialog d = SelektionsDialog("Selektion laden");
  const auto datei = UI().DateiOeffnen(d);
  if (!datei) return;
  int ergebnis;
  {
    WartenSchliessen schliessen;
    Warten().ZeigeStatus("Lade Selektion");
    ergebnis = LadeSelektion(liste, *datei, true);
  }
  AktualisiereAnzeige(true);
  if (ergebnis > 0)
    Meldung(std::to_string(ergebnis) + " Mitglieder wurden nicht gefunden und konnten folglich nicht selektiert werden.",
            MeldungsArt::Information);
  else if (ergebnis == 0 && liste.AnzahlSelektierte() > 0)
    Meldung("Alle " + std::to_string(liste.AnzahlSelektierte()) + " Mitglieder wurden selektiert.",
            MeldungsArt::Information);
}

void TfrmZAQ::mnuSelStatusClick() {
  const TZAQ& liste = *Liste();
  Meldung("Momentan sind " + std::to_string(liste.AnzahlSelektierte()) + " von " +
              std::to_string(liste.AnzahlMitglieder()) + " Mitgliedern selektiert.",
          MeldungsArt::Information);
}

}  // namespace zaq
