#include "debits/sepa/Einzug.h"

#include <algorithm>

#include "bank/Pruefung.h"
#include "base/Text.h"
#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/SEPACommon.h"
#include "fees/Beitrag.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "lists/Tabelle.h"
#include "store/Mitglied.h"
#include "store/Stammdaten.h"
#include "store/ZAQ.h"

namespace zaq {

TSammelErgebnis SammleBuchungen(TSepa& liste, TZAQ& verein, const TSepaSammelOptionen& o, bool befundeZeigen) {
  TSammelErgebnis e;
  Warten().ZeigeStatus("Erstelle Buchungsliste");
  const Tag datum = o.Rechendatum != 0 ? o.Rechendatum : verein.FStammdaten.FBeitragStichtag;
  TBeitragslaufOptionen lauf;
  lauf.Zahlarten = TBeitragslaufOptionen::Zahlart(zaLastschrift);
  lauf.MitZahlerliste = true;
  lauf.MitNullbetrag = true;
  lauf.NurSelektierte = o.NurSelektierte;
  lauf.OhneBerechnung = o.Sonder;
  Beitragslauf(verein, datum, o.VollesJahr, lauf);

  const bool ohneAkzente = LeseEinstellung(esDTASonderzeichen) == "1";
  const std::string schluessel = GrossVergleich(o.Kontoschluessel);
  std::vector<TSepaBuchung> buchungen;
  // What a real run changes, applied only once the list is written.
  std::vector<TMitglied*> vorlaeufig, erstlastschrift;
  const std::size_t anzahl = lauf.Zahlerliste.size();
  for (std::size_t i = 0; i < anzahl; ++i) {
    if (i % 64 == 0) {
      Warten().Fortschritt(static_cast<double>(i) / static_cast<double>(std::max<std::size_t>(anzahl, 1)));
      Warten().Verarbeiten();
      if (Warten().AbbruchGewuenscht()) {
        e.Abgebrochen = true;
        return e;
      }
    }
    const TZahler& z = lauf.Zahlerliste[i];
    TMitglied& p = *z.mitglied;
    const TMitgliedskonto* k = p.Konto();
    if (!k) continue;
    if (o.Kontofilter && GrossVergleich(k->FEmpfaengerKonto.wert) != schluessel) continue;
    std::string text;
    std::int64_t cent = 0;
    if (o.Sonder) {
      text = SonderVerwendungszweck(z.zahltFuer, 140, o.Vorlage, "\r\n");
      cent = static_cast<std::int64_t>(z.zahltFuer.size()) * o.FesterBetrag;
    } else {
      const TVerwendungszweck zweck =
          Verwendungszweck(verein, z.zahltFuer, datum, o.Vorlage, "\r\n", 140, false, false, o.VollesJahr);
      text = zweck.text;
      cent = zweck.cent;
      if (o.VorlDatumSetzen) vorlaeufig.insert(vorlaeufig.end(), z.zahltFuer.begin(), z.zahltFuer.end());
    }
    if (cent > 0) {
      TSepaBuchung b;
      b.Name = k->FInhaber;
      b.IBAN = k->FIBAN;
      b.Mandatsreferenz = o.Sonder ? p.BuchungsKennung() : k->FMandatsreferenz;
      b.Mandatsdatum = o.Sonder ? Heute() : k->FMandatsdatum;
      b.Sequenz = o.Sonder ? 0 : 2;
      b.Verwendungszweck = text;
      b.Betrag = static_cast<float>(static_cast<double>(cent) / 100.0);
      if (ohneAkzente) {
        b.Name = TSepa::AkzenteEntfernen(b.Name);
        b.Verwendungszweck = TSepa::AkzenteEntfernen(b.Verwendungszweck);
      }
      buchungen.push_back(std::move(b));
      e.Summe += cent;
    }
    if (o.VorlDatumSetzen && !o.Sonder && k->FErstlastschrift == 0) erstlastschrift.push_back(&p);
  }

  if (static_cast<std::size_t>(kSepaHoechstzahl - liste.Anzahl()) < buchungen.size()) {
    Meldung("Die Liste ist voll: sie kann höchstens " + std::to_string(kSepaHoechstzahl) + " Buchungen aufnehmen.",
            MeldungsArt::Fehler);
    e.Schreibfehler = true;
    e.Summe = 0;
    return e;
  }
  {
    TSepa::Stapel stapel(liste);
    for (const TSepaBuchung& b : buchungen) liste.Schreiben(b, liste.Anzahl() + 1);
    if (!stapel.Ende()) {
      e.Schreibfehler = true;
      e.Summe = 0;
      return e;
    }
  }
  e.Buchungen = static_cast<int>(buchungen.size());
  if (!vorlaeufig.empty() || !erstlastschrift.empty()) {
    for (TMitglied* m : vorlaeufig) m->FVorlaeufigBezahltBis = datum;
    for (TMitglied* m : erstlastschrift) m->Konto()->FErstlastschrift = Heute();
    verein.Geaendert();
  }
  e.Hinweisliste = std::move(lauf.Hinweisliste);
  if (befundeZeigen && !e.Hinweisliste.empty()) {
    TTabVorlage vorlage;
    vorlage.Standardvorlage(10);
    vorlage.FBezugsdatum = verein.FStammdaten.FAlterStichtag;
    vorlage.FRechendatum = datum;
    e.Befunde = ZeigeTabelle(verein, e.Hinweisliste, vorlage);
  }
  return e;
}

TSammelErgebnis Einzugslauf(TSepa& liste, TZAQ& verein, const TSepaSammelOptionen& o, const std::string& beschreibung,
                            std::uint8_t sequenz, double abbuchung, const std::string& warteText, bool befundeZeigen) {
  TSammelErgebnis e;
  {
    WartenSchliessen schliessen;
    Warten().ZeigeStatus(warteText);
    e = SammleBuchungen(liste, verein, o, befundeZeigen);
  }
  if (e.Buchungen == 0) {
    liste.SchliessenUndLoeschen();
    if (!e.Abgebrochen && !e.Schreibfehler) Meldung("Es wurden keine Mitglieder gefunden.", MeldungsArt::Information);
    return e;
  }
  TSepaKopf kopf = liste.Kopf();
  kopf.Beschreibung = ErsteZeichen(beschreibung, 140);
  kopf.Kontoschluessel = o.Kontoschluessel;
  kopf.Datum = abbuchung;
  kopf.Sequenz = sequenz;
  liste.SchreibeKopf(kopf);
  liste.Sortieren(1);
  return e;
}

namespace {

// The IBAN check of the list: its three faults.
void PruefeIBAN(std::vector<TListenbefund>& befunde, int formular, const std::string& feld, const std::string& iban) {
  switch (IBANCode(iban)) {
    case bpIBANFehlt: befunde.push_back({formular, feld, "nicht vorhanden"}); break;
    case bpIBANForm: befunde.push_back({formular, feld, "ungültiges Format"}); break;
    case bpIBANPruefziffer: befunde.push_back({formular, feld, "falsche IBAN (Prüfziffer)"}); break;
    default: break;
  }
}

}  // namespace

std::vector<TListenbefund> ListenBefunde(const TSepa& liste, const TStammdaten& stamm) {
  std::vector<TListenbefund> b;
  if (const TVereinskonto* konto = liste.Vereinskonto(stamm); !konto) {
    b.push_back({0, "Stammdaten: Kontoschlüssel", "fehlt oder ungültig"});
  } else {
    if (Trim(konto->FInhaber).empty()) b.push_back({0, "Stammdaten: Inhaber", "nicht vorhanden"});
    else if (!TSepa::ZeichenGueltig(konto->FInhaber)) b.push_back({0, "Vereinskonto: Inhaber", "ungültige Zeichen"});
    PruefeIBAN(b, 0, "Vereinskonto: IBAN", konto->FIBAN);
    if (!sepa::IsValidCreditorId(konto->FGlaeubigerID)) b.push_back({0, "Vereinskonto: Gläubiger-ID", "ungültige"});
  }
  const int n = liste.Anzahl();
  for (int i = 1; i <= n; ++i) {
    if (i % 64 == 0) {
      Warten().Fortschritt(static_cast<double>(i) / n);
      Warten().Verarbeiten();
      if (Warten().AbbruchGewuenscht()) {
        b.push_back({i, "Ende der Prüfung", "Abbruch durch Benutzer"});
        return b;
      }
    }
    const TSepaBuchung x = liste.Lesen(i);
    if (x.Name.empty()) b.push_back({i, "Kontoinhaber", "nicht vorhanden"});
    else if (!TSepa::ZeichenGueltig(x.Name)) b.push_back({i, "Kontoinhaber", "ungültige Zeichen"});
    PruefeIBAN(b, i, "IBAN", x.IBAN);
    if (x.Mandatsreferenz.empty()) b.push_back({i, "Mandatsreferenznummer", "nicht vorhanden"});
    else if (!TSepa::ZeichenGueltig(x.Mandatsreferenz))
      b.push_back({i, "Mandatsreferenznummer", "ungültige Zeichen"});
    if (!TSepa::ZeichenGueltig(x.Kundenreferenz)) b.push_back({i, "Kundenreferenznummer", "ungültige Zeichen"});
    // Also a value that is no number.
    if (!(x.Betrag > 0)) b.push_back({i, "Betrag", "Nulleingabe oder negativ"});
    if (x.Verwendungszweck.empty()) b.push_back({i, "Verwendungszweck", "nicht vorhanden"});
    else if (!TSepa::ZeichenGueltig(Ersetze(x.Verwendungszweck, "\r\n", "//")))
      b.push_back({i, "Verwendungszweck", "ungültige Zeichen"});
  }
  return b;
}

bool PruefeListe(const TSepa& liste, const TStammdaten& stamm) {
  std::vector<TListenbefund> befunde;
  {
    WartenSchliessen schliessen;
    Warten().ZeigeStatus("Überprüfe Datenbank");
    befunde = ListenBefunde(liste, stamm);
  }
  if (befunde.empty()) return true;
  std::vector<std::vector<std::string>> zeilen;
  for (std::size_t i = 0; i < befunde.size(); ++i)
    zeilen.push_back({std::to_string(i + 1), std::to_string(befunde[i].formular), befunde[i].feld, befunde[i].fehler});
  auto t = std::make_shared<TTabelle>("Nicht übernommene Datensätze",
                                      std::vector<std::string>{"Pos.", "Formular", "Feld", "Fehler"}, zeilen);
  t->FKopfLinks = {"Fehlermeldungen", ""};
  t->FKopfRechts = {"Referenznummer: ", "Ausdruck: " + DatumText(Heute())};
  UI().Fenster(t);
  return false;
}

}  // namespace zaq
