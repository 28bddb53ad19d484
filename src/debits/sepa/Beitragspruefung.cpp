#include "debits/sepa/Beitragspruefung.h"

#include "fees/Beitrag.h"
#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "lists/Tabelle.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {

namespace {

std::shared_ptr<TTabelle> Tabelle(TZAQ& liste, const std::vector<TMitglied*>& mitglieder, int standard,
                                  Tag rechendatum, const std::string& titelZusatz = "") {
  Warten().ZeigeStatus("Erstelle Tabelle");
  TTabVorlage vorlage;
  vorlage.Standardvorlage(standard);
  vorlage.FTitel += titelZusatz;
  vorlage.FBezugsdatum = liste.FStammdaten.FAlterStichtag;
  vorlage.FRechendatum = rechendatum;
  return ZeigeTabelle(liste, mitglieder, vorlage);
}

}  // namespace

TBeitragspruefung PruefeBeitraege(TZAQ& liste, Tag rechendatum, bool vollesJahr, bool nurSelektierte,
                                  bool anzeigen) {
  TBeitragspruefung e;
  {
    WartenSchliessen schliessen;
    Warten().ZeigeStatus("Überprüfe Zahlungen");
    TBeitragslaufOptionen o;
    o.Zahlarten = TBeitragslaufOptionen::Zahlart(zaRechnung) | TBeitragslaufOptionen::Zahlart(zaLastschrift);
    o.NurSelektierte = nurSelektierte;
    Beitragslauf(liste, rechendatum, vollesJahr, o);
    e.Summe = o.Summe;
    e.Hinweisliste = std::move(o.Hinweisliste);
    if (e.Hinweisliste.empty()) {
      e.Meldung = "Es wurden keinerlei Fehler oder Hinweise festgestellt.\r\n\r\nDie Summe der Mitgliedsbeiträge lautet: " +
                  BetragText(e.Summe) + " €.";
    } else {
      if (anzeigen) e.Befunde = Tabelle(liste, e.Hinweisliste, 10, rechendatum);
      e.Meldung = "Es wurden Fehler oder Hinweise festgestellt.\r\n\r\nDie Summe der korrekten Beiträge lautet: " +
                  BetragText(e.Summe) + " €.";
    }
  }
  if (anzeigen) Meldung(e.Meldung, MeldungsArt::Information);
  return e;
}

namespace {

// The run and its tables under the wait window; the message that closes
// the run comes after the window is gone.
std::string Rechnungslauf(TRechnungslauf& e, TZAQ& liste, Tag rechendatum, bool vollesJahr, bool vorlDatumSetzen,
                          bool nurSelektierte, bool nullbetraege) {
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Erstelle Rechnungen");
  TBeitragslaufOptionen o;
  o.Zahlarten = TBeitragslaufOptionen::Zahlart(zaRechnung);
  o.MitZahlerliste = true;
  o.VorlDatumSetzen = vorlDatumSetzen;
  o.NurSelektierte = nurSelektierte;
  Beitragslauf(liste, rechendatum, vollesJahr, o);
  e.Summe = o.Summe;
  e.Hinweisliste = std::move(o.Hinweisliste);
  if (o.Zahlerliste.empty())
    return "Es wurden keine Zahler gefunden, die den Beitrag per Rechnung noch zu bezahlen haben.";
  for (const TZahler& z : o.Zahlerliste)
    for (TMitglied* x : z.zahltFuer)
      if (nullbetraege || BeitragBetrag(*x, rechendatum, vollesJahr) > 0) e.Rechnungsliste.push_back(x);
  if (e.Rechnungsliste.empty())
    return "Es wurden keine Mitglieder gefunden, die den Beitrag per Rechnung noch zu bezahlen haben.";
  e.Rechnungen = Tabelle(liste, e.Rechnungsliste, 9, rechendatum, " (Rechendatum: " + DatumText(rechendatum) + ")");
  if (e.Hinweisliste.empty())
    return "Es wurden keinerlei Fehler festgestellt.\r\n\r\nDie Summe der Mitgliedsbeiträge lautet: " +
           BetragText(e.Summe) + " €.";
  e.Befunde = Tabelle(liste, e.Hinweisliste, 10, rechendatum);
  return "Es wurden Fehler festgestellt bzw. es sind Hinweise vorhanden.\r\n\r\nDie Summe der korrekten Beiträge "
         "lautet: " +
         BetragText(e.Summe) + " €.";
}

}  // namespace

TRechnungslauf ErstelleRechnungen(TZAQ& liste, Tag rechendatum, bool vollesJahr, bool vorlDatumSetzen,
                                  bool nurSelektierte, bool nullbetraege) {
  TRechnungslauf e;
  Meldung(Rechnungslauf(e, liste, rechendatum, vollesJahr, vorlDatumSetzen, nurSelektierte, nullbetraege),
          MeldungsArt::Information);
  return e;
}

}  // namespace zaq
