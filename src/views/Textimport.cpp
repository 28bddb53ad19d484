#include "views/Textimport.h"

#include "platform/Plattform.h"
#include "store/ZAQ.h"

namespace zaq {

namespace {

std::vector<DateiFilter> Textfilter() {
  return {{"Textdateien", "*.txt"}, {"Alle Dateien", "*.*"}};
}

}  // namespace

bool TextExportieren(TZAQ& liste) {
  DateiDialog d;
  d.titel = "Datei exportieren";
  d.filter = Textfilter();
  d.vorschlag = "*.txt";
  d.endung = "txt";
  d.verzeichnis = liste.Verzeichnis();
  d.ueberschreibenFragen = true;
  const auto datei = UI().DateiSpeichern(d);
  if (!datei) return false;
  // The open member file is refused by its name and as the same file under
  // another name: writing text over it would destroy the club's data.
  if (IstMitgliederdatei(liste, *datei)) {
    Meldung("Diese Datei ist bereits geöffnet.", MeldungsArt::Fehler);
    return false;
  }
  return ExportiereText(liste, *datei);
}

const std::vector<std::string>& TfrmZAQImport::Hinweis() {
  static const std::vector<std::string> zeilen = {
      "Hinweis:",
      "Die Datei muß im Textformat gespeichert sein. Es werden alle Datensätze der Textdatei ",
      "importiet. Falls Kopfzeilen enthalten sind, muß die Zahl unten angegeben werden. Folgende ",
      "Trennzeichen werden erkannt:",
      "Semikolon, Tabulatur, Schrägstrich, Komma",
      "",
      "Jede zu importierende Zeile muß alle Spalten bzw. Felder aufweisen, d.h. die Zahl der ",
      "Trennzeichen muß in jeder Zeile gleich sein.",
      "",
      "Beim Geschlechtsfeld gilt: ",
      "W oder F = weiblich, ansonsten männlich",
      "",
      "Bei Zahlart gilt: ",
      "LA = per Lastschrift",
      "RE = per Rechnung",
      "ZA = Zahler (Verweis auf MNr.)",
      "",
      "Bei Benutzer (Ersteller und Bearbeiter) gilt:",
      "Hier muß der Login-Name eines aktuell vorhandenen Benutzers angegeben werden.",
      "",
      "Vorgehensweise zum Importieren von Textdateien:",
      "1. Datei laden",
      "2. Zahl von Kopfzeilen einstellen",
      "3. Felder wählen (rechte Maustaste auf Tabelle)",
      "4. Tabelle kontrollieren",
      "5. Importieren",
  };
  return zeilen;
}

bool TfrmZAQImport::Laden() {
  DateiDialog d;
  d.titel = "Datei importieren";
  d.filter = Textfilter();
  d.vorschlag = "mitglied.txt";
  d.verzeichnis = FListe.Verzeichnis();
  const auto datei = UI().DateiOeffnen(d);
  return datei && LadeDatei(*datei);
}

bool TfrmZAQImport::LadeDatei(const std::string& datei) {
  FGeladen = FImport.LadeDatei(datei);
  return FGeladen && FImport.SetzeKopfzeilen(FImport.Kopfzeilen());
}

bool TfrmZAQImport::SetzeKopfzeilen(int n) { return FGeladen && FImport.SetzeKopfzeilen(n); }

bool TfrmZAQImport::Importieren() { return FImport.Importiere(FListe, FZiel); }

bool TextImportieren(TZAQ& liste) {
  TfrmZAQImport dialog(liste);
  return UI().Dialog(dialog);
}

}  // namespace zaq
