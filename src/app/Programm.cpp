#include "app/Programm.h"

#include "bank/Bank.h"
#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "lists/Sortierung.h"
#include "store/Benutzer.h"
#include "platform/Plattform.h"

namespace zaq {

namespace {
// "Auto Sortieren": 1 by last name, first name, number; 2 by number; else none.
void SortiereNachOeffnen(TZAQ& liste, int art) {
  if (art == 1) SortiereMitglieder(liste, Sortierschluessel{21, 22, 3});
  else if (art == 2) SortiereMitglieder(liste, Sortierschluessel{3});
}
}  // namespace

TProgramm::TProgramm() = default;
TProgramm::~TProgramm() = default;

std::vector<zaq::DateiFilter> TProgramm::Dateifilter() {
  return {{"ZAQ-Mitgliederdateien", "*.zaq"},
          {"Sicherungskopien", "*.~aq"},
          {"Alle Dateien", "*"}};
}

void TProgramm::SetzeListe(std::unique_ptr<TZAQ> liste) {
  FZAQ = std::move(liste);
  ListeGewechselt();
}

bool TProgramm::Starten(const std::vector<std::string>& argumente) {
  FZAQ.reset();
  // Without its bank directory the program cannot check a bank connection.
  if (!LadeBankverzeichnis()) return false;
  if (!argumente.empty()) {
    if (DateiOeffnen(argumente.front()) != 1) mnuDateiNeuClick();
    Warten().Schliessen();
  } else {
    Warten().Schliessen();
    auto merken = LeseEinstellungZahl(esDateiMerken);
    if (merken && *merken == 1) FOeffnenVorschlag = LeseEinstellung(esLetzteDatei);
    if (DateiOeffnen("") != 1) mnuDateiNeuClick();
  }
  return true;
}

TFtpSitzung& TProgramm::Ftp() {
  if (!FFtp) FFtp = std::make_unique<TFtpSitzung>(FZAQ);
  return *FFtp;
}

void TProgramm::NachFtp(const TZAQ* vorher) {
  Warten().Schliessen();
  if (FZAQ.get() != vorher) ListeGewechselt();
  MenuesNeu();
}

bool TProgramm::FtpAusspeichern() {
  const TZAQ* vorher = FZAQ.get();
  const bool ok = Ftp().SetzeStatus(false, true) == 0;
  Warten().Schliessen();
  if (ok)
    Meldung("Die Datenbank wurde erfolgreich ausgespeichert und ist nun reserviert.\r\nNach dem Bearbeiten die "
            "Datenbank bitte wieder einspeichern,\r\num sie für andere zum Bearbeiten wieder freizugeben!",
            MeldungsArt::Information);
  NachFtp(vorher);
  return ok;
}

bool TProgramm::FtpEinspeichern() {
  const TZAQ* vorher = FZAQ.get();
  const bool ok = Ftp().SetzeStatus(true, true) == 0;
  Warten().Schliessen();
  if (ok)
    Meldung("Die Datenbank wurde erfolgreich eingespeichert und steht nun wieder für alle zur Verfügung.",
            MeldungsArt::Information);
  NachFtp(vorher);
  return ok;
}

void TProgramm::FtpHerunterladen() {
  const TZAQ* vorher = FZAQ.get();
  Ftp().LadeVonServer(true, true);
  NachFtp(vorher);
}

void TProgramm::AutomatischEinspeichern() {
  if (FSitzungEndet || !FZAQ) return;
  const TFtpDaten& ftp = FZAQ->FFtpDaten;
  if (LeseEinstellung(esAutomatischesEinspeichern) != "1" || !ftp.IstAktiv() || !ftp.IstAusgespeichert()) return;
  const TZAQ* vorher = FZAQ.get();
  Ftp().SetzeStatus(true, true);
  NachFtp(vorher);
}

void TProgramm::NachDemOeffnen() {
  TFtpDaten& ftp = FZAQ->FFtpDaten;
  const TZAQ* vorher = FZAQ.get();
  if (ftp.IstAktiv() && ftp.IstAusgespeichert()) {
    // Clears a reservation the server no longer holds for this copy.
    Ftp().HoleServerStatus(false);
  } else if (ftp.IstAktiv() && GleichOhneGross(plattform::Pfad(FZAQ->FDateiname).extension().string(), ".zaq") &&
             LeseEinstellung(esFtpBeimOeffnen) == "1") {
    const auto abstand = LeseEinstellungZahl(esFtpAktualisierabstand).value_or(5);
    if (Jetzt() > ftp.FLetzteAktualisierung + abstand) Ftp().LadeVonServer(false, true);
  }
  Warten().Schliessen();
  if (FZAQ.get() != vorher) ListeGewechselt();
  FaelligeAnbieten();
  if (FFtp) FFtp->Trenne();
}

void TProgramm::FaelligeAnbieten() {
  const TFtpDaten& ftp = FZAQ->FFtpDaten;
  if (!ftp.IstAktiv() || ftp.IstAusgespeichert()) {
    FZAQ->FaelligeAnbieten();
    return;
  }
  const int n = FZAQ->AnzahlFaellig();
  const TBenutzer* b = FZAQ->AktuellerBenutzer();
  if (n == 0 || !b || !b->HatRecht(rOnline)) return;
  if (Meldung("Es sind " + std::to_string(n) + " Mitglieder zur Löschung ab dem heutigen Tag festgelegt. " + "\r\n" +
                  "Möchten Sie, daß diese Mitglieder nun endgültig gelöscht werden?" + "\r\n\r\n" +
                  "Zum Löschen wird die Datei automatisch aus- und wieder eingespeichert.",
              MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja)
    return;
  const TZAQ* vorher = FZAQ.get();
  const bool aus = Ftp().SetzeStatus(false, true) == 0;
  Warten().Schliessen();
  if (FZAQ.get() != vorher) ListeGewechselt();
  if (!aus) return;
  if (FZAQ->AnzahlFaellig() == 0)
    Meldung("Die Mitglieder wurden zwischenzeitlich bereits in der Online-Datenbank gelöscht.",
            MeldungsArt::Information);
  else
    FZAQ->LoescheFaellige();
  Ftp().SetzeStatus(true, true);
  Warten().Schliessen();
  MenuesNeu();
}

bool TProgramm::AenderungenSichern(Sichern art) {
  WartenSchliessen schliessen;
  if (!FZAQ) return true;
  const std::string& f = FZAQ->FDateiname;
  std::string frage;
  switch (art) {
    case Sichern::Neu:
      frage = "Wollen Sie trotzdem mit dem Anlegen einer neuen Mitgliederliste fortfahren, wodurch Änderungen an " + f + " verloren gehen?";
      break;
    case Sichern::Oeffnen:
      frage = "Wollen Sie trotzdem mit dem Öffnen einer vorhandenen Mitgliederliste fortfahren, wodurch Änderungen an " + f + " verloren gehen?";
      break;
    case Sichern::Beenden:
      frage = "Wollen Sie trotzdem die Mitgliederverwaltung beenden, wodurch Änderungen an " + f + " verloren gehen?";
      break;
    case Sichern::BeendenAktualisierung:
      frage = "Wollen Sie trotzdem die Mitgliederverwaltung beenden und die Aktualisierung durchführen, wodurch Änderungen an " + f + " verloren gehen?";
      break;
  }
  AutomatischEinspeichern();
  if (!FZAQ->FGeaendert) return true;
  return SichernOderFragen("Speichern der aktuell geöffneten Datei ist fehlgeschlagen. Sie können versuchen, die Datei evtl. unter einem anderen Namen abzuspeichern. " + frage);
}

bool TProgramm::SichernOderFragen(const std::string& frageBeiFehler) {
  if (FZAQ->HatDateiname()) {
    if (FZAQ->Speichern()) return true;
    return Meldung(frageBeiFehler, MeldungsArt::Fehler, Knoepfe::JaNein, 2) == Antwort::Ja;
  }
  switch (Meldung("Die aktuelle Liste wurde verändert und ist noch nicht gespeichert. Speichern?",
                  MeldungsArt::Frage, Knoepfe::JaNeinAbbrechen)) {
    case Antwort::Ja: return SpeichernUnter(false) == 1;
    case Antwort::Nein: return true;
    default: return false;
  }
}

void TProgramm::mnuDateiNeuClick() {
  if (!AenderungenSichern(Sichern::Neu)) return;
  FZAQ = TZAQ::CreateNeu(true, true);
  ListeGewechselt();
}

int TProgramm::DateiOeffnen(const std::string& vorgabeName) {
  WartenSchliessen schliessen;
  if (!AenderungenSichern(Sichern::Oeffnen)) return 0;
  std::string name = vorgabeName;
  while (true) {
    if (name.empty()) {
      DateiDialog dialog;
      dialog.titel = "Datei öffnen";
      dialog.filter = Dateifilter();
      dialog.vorschlag = FOeffnenVorschlag;
      FOeffnenVorschlag.clear();
      auto gewaehlt = UI().DateiOeffnen(dialog);
      if (!gewaehlt) return 0;
      name = Trim(*gewaehlt);
      if (name.empty()) return 0;
    }
    if (FZAQ && FZAQ->IstDatei(name)) {
      Meldung("Diese Datei ist bereits geöffnet. Geben Sie eine andere Datei an!", MeldungsArt::Fehler);
      name.clear();
      continue;
    }
    break;
  }
  auto neu = TZAQ::CreateAusDatei(name);
  if (!neu) return 2;
  FZAQ = std::move(neu);
  auto sicherung = LeseEinstellungZahl(esSicherungskopie);
  if (sicherung && *sicherung == 1) FZAQ->Sicherungskopie();
  NachDemOeffnen();
  if (auto sortieren = LeseEinstellungZahl(esAutoSortieren)) SortiereNachOeffnen(*FZAQ, *sortieren);
  ListeGewechselt();
  return 1;
}

int TProgramm::SpeichernUnter(bool kopie) {
  WartenSchliessen schliessen;
  if (!FZAQ) return 0;
  while (true) {
    DateiDialog dialog;
    dialog.titel = kopie ? "Kopie speichern untern" : "Datei speichern unter";
    dialog.filter = Dateifilter();
    dialog.vorschlag = plattform::PfadText(plattform::Pfad(FZAQ->FDateiname).filename().replace_extension(".zaq"));
    if (!FZAQ->HatDateiname()) dialog.vorschlag.clear();
    auto gewaehlt = UI().DateiSpeichern(dialog);
    if (!gewaehlt) return 0;
    std::string name = Trim(*gewaehlt);
    int ergebnis;
    if (!FZAQ->IstDatei(name)) {
      ergebnis = FZAQ->SpeichernAls(name, kopie) ? 1 : 2;
    } else if (kopie) {
      Meldung(name + " ist bereits geöffnet. Wählen Sie einen anderen Namen!", MeldungsArt::Fehler);
      continue;
    } else {
      Antwort a = Meldung(name + " ist bereits geöffnet. Möchten Sie die Änderungen unter gleichem Dateinamen speichern?",
                          MeldungsArt::Frage, Knoepfe::JaNeinAbbrechen);
      if (a == Antwort::Abbrechen) return 0;
      if (a == Antwort::Nein) {
        kopie = false;
        continue;
      }
      ergebnis = FZAQ->SpeichernAls(FZAQ->FDateiname, false) ? 1 : 2;
    }
    if (ergebnis == 2) {
      if (Meldung("Fehler beim Speichern der Datei.", MeldungsArt::Fehler, Knoepfe::WiederholenAbbrechen) ==
          Antwort::Wiederholen) {
        kopie = false;
        continue;
      }
      return 0;
    }
    return ergebnis;
  }
}

bool TProgramm::FormCloseQuery() {
  if (FSitzungEndet) FLGVOffen = FSEPAOffen = false;
  if (FLGVOffen) {
    Meldung("Bitte schließen Sie erst die Last- und Gutschriftenverwaltung, um fortfahren zu können.", MeldungsArt::Fehler);
    return false;
  }
  if (FSEPAOffen) {
    Meldung("Bitte schließen Sie erst die SEPA-Lastschriftenverwaltung, um fortfahren zu können.", MeldungsArt::Fehler);
    return false;
  }
  if (!FSitzungEndet) {
    auto ende = LeseEinstellungZahl(esEndeMeldung);
    if (ende && *ende == 1 &&
        Meldung("Wollen Sie das Programm wirklick verlassen?", MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja)
      return false;
  }
  AutomatischEinspeichern();
  if (!FZAQ || !FZAQ->FGeaendert) return true;
  return SichernOderFragen("Fehler beim Speichern der aktuell geöffneten Datei. Sie können versuchen, die Datei evtl. unter einem anderen Namen abzuspeichern. Wollen Sie ZAQ trotzdem beenden, wodurch Änderungen an " +
                           FZAQ->FDateiname + " verloren gehen?");
}

void TProgramm::FormClose() {
  if (FZAQ) {
    SchreibeEinstellung(esLetzteDatei, FZAQ->FDateiname);
    FZAQ.reset();
  }
  if (FFtp) FFtp->Trenne();
  Warten().Schliessen();
  SetzeBankverzeichnis(nullptr);
  FSitzungEndet = true;
}

}  // namespace zaq
