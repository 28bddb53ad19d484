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
    : TAssistent(liste), FRechendatum(NaechstesJahresende(heute)), FSonder(sonder) {
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
}

std::string TfrmSEPAAssistent::Titel() const {
  return FSonder ? "Sonderbuchungsliste erstellen" : "Mitgliedsbeiträge einziehen";
}

TfrmSEPAAssistent::Seiten TfrmSEPAAssistent::AktuelleSeite() const {
  using S = Seiten;
  static constexpr S kBeitrag[] = {S::Beschreibung, S::Zweck, S::Rechendatum, S::Konto, S::Kontoselektion,
                                   S::Mitglieder};
  static constexpr S kSonder[] = {S::Beschreibung, S::Zweck, S::Konto, S::Kontoselektion, S::Mitglieder};
  const int i = std::clamp(Schritt(), 1, Schritte()) - 1;
  return FSonder ? kSonder[i] : kBeitrag[i];
}

std::string TfrmSEPAAssistent::SchrittTitel() const {
  const char* name = "";
  switch (AktuelleSeite()) {
    case Seiten::Beschreibung: name = "Dateibeschreibung"; break;
    case Seiten::Zweck: name = FSonder ? "Betrag und Verwendungszweck" : "Verwendungszweck"; break;
    case Seiten::Rechendatum: name = "Berechnungszeitraum (Rechendatum)"; break;
    case Seiten::Konto: name = "Vereinskonto"; break;
    case Seiten::Kontoselektion: name = "Kontoselektion"; break;
    case Seiten::Mitglieder: name = "Mitgliederselektion"; break;
  }
  return "Schritt " + std::to_string(Schritt()) + " von " + std::to_string(Schritte()) + ": " + name;
}

bool TfrmSEPAAssistent::Pruefe() {
  auto fehler = [](const char* text) {
    Meldung(text, MeldungsArt::Fehler);
    return false;
  };
  switch (AktuelleSeite()) {
    case Seiten::Beschreibung:
      FBeschreibung = ErsteZeichen(FBeschreibung, kBeschreibungLaenge);
      if (Trim(FBeschreibung).empty()) return fehler("Geben Sie bitte eine Dateibeschreibung ein!");
      return true;
    case Seiten::Zweck:
      FZweck = ErsteZeichen(FZweck, kZweckLaenge);
      if (!FSonder) {
        if (Trim(FZweck).empty()) return fehler("Geben Sie bitte einen Verwendungszweck ein!");
        return true;
      }
      if (Trim(FZweck).empty() || !LeseCent(Trim(FBetrag)))
        return fehler("Geben Sie bitte einen Verwendungszweck und einen gültigen Betrag ein!");
      if (*LeseCent(Trim(FBetrag)) <= 0) return fehler("Geben Sie bitte einen Betrag größer als null ein!");
      return true;
    case Seiten::Rechendatum:
      if (FDatumwahl == keine)
        return fehler(
            "Sie müssen wählen, ob das Beitrag-Bezahlt-Datum in den ZQA-Datensätzen nun aktualisiert werden sollen!");
      return true;
    case Seiten::Konto:
    case Seiten::Kontoselektion:
      if (FKonto < 0 || FKonto >= static_cast<int>(FKonten.size())) return fehler("Wählen Sie bitte ein Vereinskonto aus!");
      return true;
    case Seiten::Mitglieder: return true;
  }
  return true;
}

void TfrmSEPAAssistent::Beenden() {
  // Finishing keeps what was entered for next time.
  if (FSonder) {
    SchreibeEinstellung(esSonderbuchungBetrag, Trim(FBetrag));
    SchreibeEinstellung(esSonderbuchungHauptverwendung, FZweck);
  } else if (FListe.FStammdaten.FZweckVorlage != FZweck) {
    FListe.FStammdaten.FZweckVorlage = FZweck;
    FListe.Geaendert();
  }
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
