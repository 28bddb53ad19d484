// Club account editor, conversion to SEPA, key and payer choosers, the
// payer check, the co-financing window and the creditor identifier check.
#include <gtest/gtest.h>

#include "bank/BankHilfen.h"
#include "base/Datum.h"
#include "debits/sepa/SEPACommon.h"
#include "fees/Beitrag.h"
#include "fees/VereinHilfen.h"
#include "views/Beitragsdialoge.h"

namespace zaq {
namespace {

using test::D;

class Konten : public test::MitVerein {
 protected:
  Konten() : FBank(std::make_unique<TBank>(test::BundesbankVerzeichnis())) {
    stamm().FVereinsname = "TSV Musterstadt";
  }
  TVereinskonto& Haupt() { return stamm().FVereinskonten.Element(0); }
  bool Bearbeite(TVereinskonto& k, std::function<void(TfrmVereinskonto&)> eingabe) {
    ui.Dialoge.push_back([eingabe](DialogDaten& d) {
      auto& dialog = dynamic_cast<TfrmVereinskonto&>(d);
      eingabe(dialog);
      return dialog.Speichern();
    });
    return BearbeiteVereinskonto(k, stamm().FVereinskonten, stamm().FVereinsname);
  }
  // The list chooser answers with an entry, or cancels with -1.
  void Waehle(int index, TfrmAuswahl* gesehen = nullptr) {
    ui.Dialoge.push_back([=](DialogDaten& d) {
      auto& a = dynamic_cast<TfrmAuswahl&>(d);
      if (gesehen) *gesehen = a;
      a.Index = index;
      return index >= 0;
    });
  }

 private:
  BankverzeichnisSetzen FBank;
};

TEST_F(Konten, VereinskontoZeigenUndAusfuellen) {
  TVereinskonto& k = Haupt();
  k.FBLZ = "62050000";
  k.FKontonummer = "0001234569";
  k.FIBAN = "DE69620500000001234569";
  TfrmVereinskonto d(k, stamm().FVereinskonten, "TSV");
  EXPECT_EQ(d.Titel, "Vereinskonto bearbeiten");
  EXPECT_EQ(d.Knopf, "OK");
  EXPECT_EQ(d.txtBLZ, "620 500 00");
  EXPECT_EQ(d.txtKonto, "1 234 569");
  EXPECT_EQ(d.txtIBAN, "DE69 6205 0000 0001 2345 69");

  TVereinskonto neu;
  TfrmVereinskonto n(neu, stamm().FVereinskonten, "TSV Musterstadt");
  EXPECT_EQ(n.Titel, "Vereinskonto hinzufügen");
  EXPECT_EQ(n.Knopf, "Hinzufügen");
  EXPECT_EQ(n.txtBLZ, "");
  EXPECT_EQ(n.txtKonto, "");
  EXPECT_EQ(n.txtBezeichnung, "Vorgabe");
  n.txtIBANEnter();
  EXPECT_EQ(n.txtIBAN, "");  // nothing to compute from
  n.txtBLZ = "620 500 00";
  n.txtKonto = "1234569";
  n.txtIBANEnter();
  EXPECT_EQ(n.txtIBAN, "DE69 6205 0000 0001 2345 69");
  n.txtKonto = "999";
  n.txtIBANEnter();  // an IBAN already there stays
  EXPECT_EQ(n.txtIBAN, "DE69 6205 0000 0001 2345 69");
  n.txtInhaberEnter();
  EXPECT_EQ(n.txtInhaber, "TSV Musterstadt");
  n.txtBanknameEnter();
  EXPECT_EQ(n.txtBankname, "Kreissparkasse Heilbronn");
  n.txtBankname = "Eigene Angabe";
  n.txtBanknameEnter();
  EXPECT_EQ(n.txtBankname, "Eigene Angabe");
}

TEST_F(Konten, VereinskontoSpeichern) {
  auto* neu = [&] {
    ui.Dialoge.push_back([](DialogDaten& d) {
      auto& k = dynamic_cast<TfrmVereinskonto&>(d);
      k.txtSchluessel = "jug";
      k.txtSchluesselChange();
      k.txtBezeichnung = " Jugendkasse ";
      k.txtBLZ = "6 2 0 5 0 0 0 0";
      k.txtKonto = "1234569";
      k.txtIBAN = "DE69 6205 0000 0001 2345 69";
      k.txtGlaeubigerID = "DE98ZZZ09999999999";
      return k.Speichern();
    });
    return VereinskontoHinzufuegen(stamm().FVereinskonten, stamm().FVereinsname);
  }();
  ASSERT_NE(neu, nullptr);
  EXPECT_EQ(neu->FKontoSchluessel, "JUG");
  EXPECT_EQ(neu->FBezeichnung, "Jugendkasse");
  EXPECT_EQ(neu->FBLZ, "62050000");
  EXPECT_EQ(neu->FKontonummer, "0001234569");
  EXPECT_EQ(neu->FIBAN, "DE69620500000001234569");
  EXPECT_EQ(stamm().SucheVereinskonto("JUG"), neu);

  const struct {
    const char* fall;
    std::function<void(TfrmVereinskonto&)> eingabe;
    std::vector<Antwort> antworten;
    const char* meldung;
    bool gespeichert;
  } faelle[] = {
      {"ohne Schlüssel", [](TfrmVereinskonto& k) { k.txtSchluessel = " "; }, {},
       "Geben Sie bitte einen Schlüssel an.", false},
      {"vergeben", [](TfrmVereinskonto& k) { k.txtSchluessel = "HAUPT "; }, {},
       "Kontoschlüssel existiert bereits. Wählen Sie einen anderen!", false},
      {"ohne Bankverbindung", [](TfrmVereinskonto& k) { k.txtBLZ = k.txtKonto = k.txtIBAN = ""; }, {},
       "Bitte geben Sie eine vollständige Bankverbindung an!", false},
      {"ohne IBAN", [](TfrmVereinskonto& k) { k.txtIBAN = ""; }, {}, "Bitte geben Sie eine vollständige IBAN an!",
       false},
      {"falsche Kontonummer abgelehnt", [](TfrmVereinskonto& k) { k.txtKonto = "1234568"; }, {Antwort::Nein},
       "Die angegebende Kontonummer 1234568 wurde geprüft und ist wahrscheinlich falsch. Wollen Sie sie trotzdem "
       "verwenden?",
       false},
      {"falsche Gläubiger-ID", [](TfrmVereinskonto& k) { k.txtGlaeubigerID = " DE97ZZZ09999999999 "; }, {},
       "Die angegebene Gläubiger-ID DE97ZZZ09999999999 ist ungültig. Prüfen Sie bitte Ihre Eingabe!", false},
      {"falsche Kontonummer angenommen", [](TfrmVereinskonto& k) { k.txtKonto = "1234"; }, {Antwort::Ja},
       "Die angegebende Kontonummer 1234 wurde geprüft und ist wahrscheinlich falsch. Wollen Sie sie trotzdem "
       "verwenden?",
       true},
  };
  for (const auto& f : faelle) {
    ui.Leeren();
    ui.Antworten.assign(f.antworten.begin(), f.antworten.end());
    const TVereinskonto vorher = *neu;
    EXPECT_EQ(Bearbeite(*neu,
                        [&](TfrmVereinskonto& k) {
                          k.txtBezeichnung = "Neu";
                          f.eingabe(k);
                        }),
              f.gespeichert)
        << f.fall;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung}) << f.fall;
    EXPECT_EQ(neu->FBezeichnung, f.gespeichert ? "Neu" : vorher.FBezeichnung) << f.fall;
    EXPECT_EQ(neu->FKontonummer, f.gespeichert ? "0000001234" : "0001234569") << f.fall;
    *neu = vorher;
  }
  ui.Antworten = {Antwort::OK};
  EXPECT_TRUE(VereinskontoEntfernen(stamm().FVereinskonten, 1));
  EXPECT_EQ(ui.Texte().back(), "Hiermit entfernen Sie das ausgewählte Vereinskonto.");
  EXPECT_EQ(stamm().FVereinskonten.Anzahl(), 1);
}

TEST_F(Konten, UmstellungAufSepa) {
  liste->FZAQFormat = "0000";
  Klasse("K", {{"Beitrag", 10, 150}});
  TMitglied& a = Mitglied(17, "K", "Muster", " Anna");
  a.FGeburtsdatum = D("05.03.1990");
  a.Konto()->FIBAN.clear();
  a.Konto()->FBLZ = "62050000";
  a.Konto()->FKontonummer = "0001234569";
  TMitglied& ohneBLZ = Mitglied(18, "K");
  ohneBLZ.Konto()->FIBAN.clear();
  ohneBLZ.Konto()->FBLZ = "00000000";
  TMitglied& mitIBAN = Mitglied(19, "K");  // keeps its IBAN
  mitIBAN.Konto()->FBLZ = "62050000";
  TMitglied& unbekannt = Mitglied(20, "K");
  unbekannt.Konto()->FIBAN.clear();
  unbekannt.Konto()->FBLZ = "99999999";
  unbekannt.Konto()->FKontonummer = "0001234569";
  TMitglied& ohneKonto = Mitglied(21, "K");
  ohneKonto.KontoEntfernen();

  TfrmSepaUmstellung d(*liste);
  EXPECT_EQ(d.txtMandatsdatum, DatumText(Heute()));
  d.befIBANClick();  // not confirmed yet: nothing happens
  EXPECT_TRUE(ui.Meldungen.empty());
  d.chkBestaetigung1 = d.chkBestaetigung2 = true;
  d.befIBANClick();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es wurde bei 1 Mitgliedern die IBAN generiert. Bei 1 konnte leider "
                                                  "keine IBAN automatisch berechnet werden."});
  EXPECT_EQ(a.Konto()->FIBAN, "DE69620500000001234569");
  EXPECT_EQ(mitIBAN.Konto()->FIBAN, "DE89370400440532013000");
  EXPECT_TRUE(ohneBLZ.Konto()->FIBAN.empty());
  EXPECT_TRUE(liste->FGeaendert);

  ui.Leeren();
  d.txtMandatsdatum = "31.02.2014";
  d.befMandateClick();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"'31.02.2014' ist kein gültiges Datum."});
  EXPECT_EQ(a.Konto()->FMandatsreferenz, "M17");
  ui.Leeren();
  d.txtMandatsdatum = "01.02.2014";
  d.befMandateClick();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es wurden bei 4 Mitgliedern die Mandate erstellt."});
  EXPECT_EQ(a.Konto()->FMandatsreferenz, "0017A050390");
  EXPECT_EQ(a.Konto()->FMandatsdatum, D("01.02.2014"));
}

TEST_F(Konten, SchluesselAuswahl) {
  std::string schluessel = "haupt";
  auto& zweites = stamm().FVereinskonten.Hinzufuegen();
  zweites.FKontoSchluessel = "JUG";
  zweites.FBezeichnung = "Jugend";
  TfrmAuswahl gesehen;
  Waehle(1, &gesehen);
  EXPECT_TRUE(ZeigeSchlAuswahl(stamm(), schluessel, skVereinskonto));
  EXPECT_EQ(schluessel, "JUG");
  EXPECT_EQ(gesehen.Titel, "Kontoschlüssel wählen");
  EXPECT_EQ(gesehen.Eintraege, (std::vector<std::string>{"HAUPT;Vorgabe", "JUG;Jugend"}));
  EXPECT_EQ(gesehen.Index, 0);  // "haupt" in upper case
  Waehle(-1);
  EXPECT_FALSE(ZeigeSchlAuswahl(stamm(), schluessel, skVereinskonto));
  EXPECT_EQ(schluessel, "JUG");

  const struct {
    int art;
    const char* meldung;
  } faelle[] = {{skBeitragsklasse, "Keine Beitragsklassen vorhanden. Bitte in den Vereinsstammdaten eintragen!"},
                {3, "Ungültige Schlüsselkennzahl in TZAQ.ZeigeSchlAuswahl."}};
  for (const auto& f : faelle) {
    ui.Leeren();
    EXPECT_FALSE(ZeigeSchlAuswahl(stamm(), schluessel, f.art));
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung});
  }
  Klasse("AKT", {});
  Klasse("JUG", {});
  Waehle(0, &gesehen);
  EXPECT_TRUE(ZeigeSchlAuswahl(stamm(), schluessel, skBeitragsklasse));
  EXPECT_EQ(gesehen.Titel, "Beitragsschlüssel wählen");
  EXPECT_EQ(gesehen.Index, 1);
  EXPECT_EQ(schluessel, "AKT");
  stamm().FVereinskonten.Leeren();
  ui.Leeren();
  EXPECT_FALSE(ZeigeSchlAuswahl(stamm(), schluessel, skVereinskonto));
  EXPECT_EQ(ui.Texte(),
            std::vector<std::string>{"Keine Vereinskonten vorhanden. Bitte in den Vereinsstammdaten eintragen!"});
}

TEST_F(Konten, ZahlerWaehlen) {
  TMitglied& vater = Mitglied(1, "K", "Muster", "Hans");
  vater.FTitel = "Dr.";
  vater.FStrasse = "Hauptstraße 1";
  vater.FPLZ = "74321";
  vater.FOrt = "Musterstadt";
  TMitglied& mutter = Mitglied(2, "K", "Muster", "Eva");
  mutter.FPLZ = "74321";
  mutter.FOrt = "Musterstadt";
  TMitglied& kind = Kind(3, "K", vater);
  kind.FPLZ = "74321";
  kind.FOrt = "Musterstadt";
  TMitglied& anderswo = Mitglied(4, "K", "Muster", "Max");
  anderswo.FPLZ = "74322";
  anderswo.FOrt = "Musterstadt";

  std::uint16_t zahler = 2;
  TfrmAuswahl gesehen;
  Waehle(0, &gesehen);
  EXPECT_TRUE(WaehleZahler(*liste, zahler, "Muster", "74321", "Musterstadt", 3));
  EXPECT_EQ(zahler, 1);
  EXPECT_EQ(gesehen.Titel, "Zahlendes Mitglied wählen");
  EXPECT_EQ(gesehen.Breite, 500);
  EXPECT_EQ(gesehen.Spaltenbreiten, (std::vector<int>{60, 200}));
  EXPECT_EQ(gesehen.Eintraege, (std::vector<std::string>{"001;Muster, Dr. Hans;Hauptstraße 1, 74321 Musterstadt",
                                                         "002;Muster, Eva;74321 Musterstadt"}));
  EXPECT_EQ(gesehen.Index, 1);
  // The member itself and co-financed members are never proposed.
  Waehle(0, &gesehen);
  EXPECT_TRUE(WaehleZahler(*liste, zahler, "Muster", "74321", "Musterstadt", 1));
  EXPECT_EQ(gesehen.Eintraege.size(), 1u);
  EXPECT_EQ(zahler, 2);
  EXPECT_FALSE(WaehleZahler(*liste, zahler, "Muster", "74321", "Nirgendwo", 1));
  EXPECT_EQ(ui.Texte().back(), "Kein Mitglied gefunden, was passen könnte. Bitte Mitgliedsnummer manuell eingeben!");
  EXPECT_EQ(zahler, 2);
}

TEST_F(Konten, ZahlerPruefen) {
  liste->FZAQFormat = "0000";
  TMitglied& vater = Mitglied(1, "K");
  TMitglied& kind = Kind(2, "K", vater);
  Mitglied(3, "K");
  TMitglied& alt = Mitglied(4, "K");
  alt.ZahlerAnlegen().Setze(&vater);  // left behind: alt pays by direct debit
  const struct {
    std::uint16_t eigene, zahler;
    const char* meldung;
  } faelle[] = {
      {3, 1, nullptr},
      {3, 4, nullptr},
      {1, 3,
       "Das aktuelle Mitglied muß eine eigene Bankverbindung aufweisen, da es bereits bei Mitglied Nummer 0002 als "
       "zahlungspflichtiges Mitglied eingetragen ist."},
      {3, 2,
       "Das aktuelle Mitglied darf nur auf ein selbstzahlendes Mitglied verweisen, tut es aber nicht. Denn Mitglied "
       "Nummer 0002 wird seinerseits wiederum von Mitglied Nummer 0001 mitfinanziert."},
      {3, 9,
       "Die als zahlendes Mitglied angegebene Mitgliedsnummer 0009 ist ungültig, weil dieses Mitglied nicht "
       "vorhanden ist."},
  };
  for (const auto& f : faelle) {
    ui.Leeren();
    EXPECT_EQ(PruefeZahler(*liste, f.eigene, f.zahler), f.meldung == nullptr) << f.eigene << "->" << f.zahler;
    EXPECT_EQ(ui.Texte(), f.meldung ? std::vector<std::string>{f.meldung} : std::vector<std::string>{})
        << f.eigene << "->" << f.zahler;
  }
  (void)kind;
}

TEST_F(Konten, Mitfinanzierungen) {
  TMitglied& vater = Mitglied(1, "K", "Muster", "Hans");
  Kind(2, "K", vater).FTitel = "Dr.";
  Mitglied(3, "K");
  Kind(4, "K", vater);
  TfrmMitfinanzierungen f;
  f.Fuellen(liste.get(), &vater);
  EXPECT_EQ(f.Eintraege(), (std::vector<std::string>{"002;Muster, Dr. Kind2", "004;Muster, Kind4"}));
  EXPECT_EQ(f.Mitglied(1), &liste->FMitglieder[3]);
  EXPECT_EQ(f.Mitglied(2), nullptr);
  f.Fuellen(liste.get(), &liste->FMitglieder[2]);
  EXPECT_TRUE(f.Eintraege().empty());

  EXPECT_FALSE(TfrmMitfinanzierungen::GespeicherterPlatz());
  TfrmMitfinanzierungen::SpeicherePlatz({10, 20, 300, 400});
  auto platz = TfrmMitfinanzierungen::GespeicherterPlatz();
  ASSERT_TRUE(platz);
  EXPECT_EQ(platz->x, 10);
  EXPECT_EQ(platz->hoehe, 400);
}

TEST(GlaeubigerID, Pruefung) {
  const struct {
    std::string id;
    bool gueltig;
  } faelle[] = {
      {"DE98ZZZ09999999999", true},   {"de98 zzz0 9999 9999 99", true}, {"DE98ABC09999999999", true},
      {"DE97ZZZ09999999999", false},  {"DE98ZZZ09999999998", false},    {"DE98ZZZ0999999999_", false},
      {"", false},                    {"DE98ZZZ" + std::string(29, '0'), false},
  };
  for (const auto& f : faelle) EXPECT_EQ(sepa::IsValidCreditorId(f.id), f.gueltig) << f.id;
  EXPECT_EQ(sepa::Modulo97("123456789012345678901234567890"), 52);
  EXPECT_EQ(sepa::Modulo97(""), std::nullopt);
  EXPECT_EQ(sepa::LettersToDigits("DE9A"), "1314910");
  EXPECT_EQ(sepa::LettersToDigits("D-"), std::nullopt);
}

}  // namespace
}  // namespace zaq
