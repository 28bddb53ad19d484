#include "views/Einzug.h"

#include <algorithm>

#include "base/Text.h"
#include "debits/sepa/Export.h"
#include "interaction/Einstellungen.h"
#include "lists/Selektion.h"
#include "lists/Tabelle.h"
#include "platform/Plattform.h"
#include "store/ZAQ.h"
#include "views/Eingabe.h"

namespace zaq {

TfrmSEPAAssistent::TfrmSEPAAssistent(TZAQ& liste, bool sonder, Tag heute)
    : FRechendatum(NaechstesJahresende(heute)), FListe(liste), FSonder(sonder) {
  const std::string tag = DatumText(heute);
  if (sonder) {
    FBeschreibung = "Sonderbeiträge vom " + tag;
    FZweck = LeseEinstellung(esSonderbuchungHauptverwendung);
    FBetrag = LeseEinstellung(esSonderbuchungBetrag);
  } else {
    FBeschreibung = "Mitgliedsbeiträge " + std::to_string(ZerlegeDatum(FRechendatum).jahr) + " vom " + tag;
    FZweck = liste.FStammdaten.FZweckVorlage;
  }
  for (const auto& k : liste.FStammdaten.FVereinskonten) FKonten.push_back(k->FKontoSchluessel + ";" + k->FBezeichnung);
  if (FKonten.size() == 1) FKonto = 0;
  FKontofilter = FKonten.size() != 1;
  FNurSelektierte = LeseEinstellung(esJubiListenSelektiert) == "1";
}

std::string TfrmSEPAAssistent::Titel() const {
  return FSonder ? "Sonderbuchungsliste erstellen" : "Mitgliedsbeiträge einziehen";
}

TfrmSEPAAssistent::Seite TfrmSEPAAssistent::AktuelleSeite() const {
  static constexpr Seite kBeitrag[] = {Seite::Beschreibung, Seite::Zweck,          Seite::Rechendatum,
                                       Seite::Konto,        Seite::Kontoselektion, Seite::Mitglieder};
  static constexpr Seite kSonder[] = {Seite::Beschreibung, Seite::Zweck, Seite::Konto, Seite::Kontoselektion,
                                      Seite::Mitglieder};
  const int i = std::clamp(FSchritt, 1, Schritte()) - 1;
  return FSonder ? kSonder[i] : kBeitrag[i];
}

std::string TfrmSEPAAssistent::SchrittTitel() const {
  const char* name = "";
  switch (AktuelleSeite()) {
    case Seite::Beschreibung: name = "Dateibeschreibung"; break;
    case Seite::Zweck: name = FSonder ? "Betrag und Verwendungszweck" : "Verwendungszweck"; break;
    case Seite::Rechendatum: name = "Berechnungszeitraum (Rechendatum)"; break;
    case Seite::Konto: name = "Vereinskonto"; break;
    case Seite::Kontoselektion: name = "Kontoselektion"; break;
    case Seite::Mitglieder: name = "Mitgliederselektion"; break;
  }
  return "Schritt " + std::to_string(FSchritt) + " von " + std::to_string(Schritte()) + ": " + name;
}

bool TfrmSEPAAssistent::Pruefe() {
  auto fehler = [](const char* text) {
    Meldung(text, MeldungsArt::Fehler);
    return false;
  };
  switch (AktuelleSeite()) {
    case Seite::Beschreibung:
      FBeschreibung = ErsteZeichen(FBeschreibung, kBeschreibungLaenge);
      if (Trim(FBeschreibung).empty()) return fehler("Geben Sie bitte eine Dateibeschreibung ein!");
      return true;
    case Seite::Zweck:
      FZweck = ErsteZeichen(FZweck, kZweckLaenge);
      if (!FSonder) {
        if (Trim(FZweck).empty()) return fehler("Geben Sie bitte einen Verwendungszweck ein!");
        return true;
      }
      if (Trim(FZweck).empty() || !LeseCent(Trim(FBetrag)))
        return fehler("Geben Sie bitte einen Verwendungszweck und einen gültigen Betrag ein!");
      if (*LeseCent(Trim(FBetrag)) <= 0) return fehler("Geben Sie bitte einen Betrag größer als null ein!");
      return true;
    case Seite::Rechendatum:
      if (FDatumwahl == keine)
        return fehler(
            "Sie müssen wählen, ob das Beitrag-Bezahlt-Datum in den ZQA-Datensätzen nun aktualisiert werden sollen!");
      return true;
    case Seite::Konto:
    case Seite::Kontoselektion:
      if (FKonto < 0 || FKonto >= static_cast<int>(FKonten.size())) return fehler("Wählen Sie bitte ein Vereinskonto aus!");
      return true;
    case Seite::Mitglieder: return true;
  }
  return true;
}

bool TfrmSEPAAssistent::Weiter() {
  if (!Pruefe()) return false;
  if (!Letzter()) {
    ++FSchritt;
    return true;
  }
  // Finishing keeps what was entered for next time.
  if (FSonder) {
    SchreibeEinstellung(esSonderbuchungBetrag, Trim(FBetrag));
    SchreibeEinstellung(esSonderbuchungHauptverwendung, FZweck);
  } else if (FListe.FStammdaten.FZweckVorlage != FZweck) {
    FListe.FStammdaten.FZweckVorlage = FZweck;
    FListe.Geaendert();
  }
  FFertig = true;
  return true;
}

void TfrmSEPAAssistent::Zurueck() {
  if (FSchritt > 1) --FSchritt;
}

void TfrmSEPAAssistent::Gesamtselektion() {
  if (SelektionMoeglich()) GesamtSelektion(FListe);
}

void TfrmSEPAAssistent::Listenselektion() {
  if (SelektionMoeglich()) ListenSelektion(FListe);
}

std::string TfrmSEPAAssistent::VariablenText() {
  return "Für den Berechnungszeitraum kann ZAQ den Hauptverwendungszweck für jede Zahlung entsprechend "
         "anpassen. Dazu werden folgende Platzhalter ersetzt, jeweils an der ersten Stelle, an der sie "
         "vorkommen:\r\n\r\n"
         "%Jahre%\tJahr oder Jahre des Zeitraums (2015, 2015+16, 2015-17)\r\n"
         "%JahrVon2%, %JahrVon4%\tJahr des Beginns, zwei- oder vierstellig\r\n"
         "%JahrBis2%, %JahrBis4%\tJahr des Endes, zwei- oder vierstellig\r\n"
         "%DatVon4%, %DatVon6%, %DatVon8%\tBeginn als MM/JJ, TT.MM.JJ oder TT.MM.JJJJ\r\n"
         "%DatBis4%, %DatBis6%, %DatBis8%\tEnde als MM/JJ, TT.MM.JJ oder TT.MM.JJJJ\r\n\r\n"
         "Der Beginn ist der Tag nach dem frühesten Bezahlt-Datum der Mitglieder einer Zahlung, das Ende das "
         "Rechendatum.";
}

std::string TfrmSEPAAssistent::Kontoschluessel() const {
  if (FKonto < 0 || FKonto >= static_cast<int>(FKonten.size())) return {};
  const std::string& e = FKonten[static_cast<std::size_t>(FKonto)];
  return e.substr(0, e.find(';'));
}

TSepaSammelOptionen TfrmSEPAAssistent::Optionen() const {
  TSepaSammelOptionen o;
  o.Vorlage = FZweck;
  o.Kontoschluessel = Kontoschluessel();
  o.Kontofilter = FKontofilter;
  o.NurSelektierte = FNurSelektierte;
  if (FSonder) {
    o.Sonder = true;
    o.FesterBetrag = LeseCent(Trim(FBetrag)).value_or(0);
    o.VollesJahr = true;
  } else {
    o.VollesJahr = FVollesJahr;
    o.VorlDatumSetzen = FDatumwahl == vorlaeufig;
    o.Rechendatum = FRechendatum;
  }
  return o;
}

}  // namespace zaq
