// The fee collection run: one booking per paying member with a mandate,
// special bookings, the list's header and order, a run that is all or
// nothing, and the list check.
#include <gtest/gtest.h>

#include <filesystem>

#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/Einzug.h"
#include "debits/sepa/Export.h"
#include "debits/sepa/SEPASchema.h"
#include "fees/Beitrag.h"
#include "fees/VereinHilfen.h"
#include "interaction/Einstellungen.h"
#include "lists/Tabelle.h"
#include "store/Konto.h"

namespace zaq {
namespace {

using test::D;

class Einzug : public test::MitVerein {
 protected:
  Einzug() {
    plattform::SetzeFesteZeit(D("15.05.2011") + 0.25);
    TVereinskonto& k = stamm().FVereinskonten.Element(0);
    k.FInhaber = "TSV Muster";
    k.FIBAN = "DE89370400440532013000";
    k.FGlaeubigerID = "DE98ZZZ09999999999";
    Klasse("ERW", {{"Erwachsene", 120, 150}}, 2);
    Klasse("JUG", {{"Jugend", 30, 150}}, 2);
    Familie("FAM", 200, "Familie");
    EXPECT_TRUE(liste_.Anlegen(dir / "lauf.slv"));
  }
  ~Einzug() override { plattform::SetzeFesteZeit(0); }
  TSepaSammelOptionen Optionen() const {
    TSepaSammelOptionen o;
    o.Vorlage = "Beitrag %Jahre%";
    o.Kontoschluessel = "HAUPT";
    o.Rechendatum = D("31.12.2010");
    return o;
  }
  // Every stored field of the list.
  std::string Gespeichert() const {
    Json j;
    liste->ZuJson(j);
    return j.dump();
  }
  TSepa liste_;
};

// A family of three with one payer: one booking whose purpose is the
// template line and a line per member, the amount their sum.
TEST_F(Einzug, EineBuchungJeZahlerMitMandat) {
  TMitglied& vater = Mitglied(17, "ERW", "Muster", "Anna");
  Kind(18, "JUG", vater);
  Kind(19, "JUG", vater, "01.01.1999");
  TMitglied& ohneMandat = Mitglied(20, "ERW", "Zeh", "Udo");
  ohneMandat.KontoEntfernen();
  ohneMandat.FZahlart = zaRechnung;
  Mitglied(21, "ERW", "Berg", "Bea");
  const TSammelErgebnis e = SammleBuchungen(liste_, *liste, Optionen());
  ASSERT_EQ(e.Buchungen, 2);
  ASSERT_EQ(liste_.Anzahl(), 2);
  const TSepaBuchung b = liste_.Lesen(1);
  EXPECT_EQ(b.Name, "");  // the fixture's accounts have no holder
  EXPECT_EQ(b.IBAN, "DE89370400440532013000");
  EXPECT_EQ(b.Mandatsreferenz, "M17");
  EXPECT_EQ(b.Mandatsdatum, D("01.02.2014"));
  EXPECT_EQ(b.Sequenz, 2);
  EXPECT_EQ(b.Verwendungszweck, "Beitrag 2010\r\n017 Muster, Anna (Erwachsene)\r\n018 Muster, Kind18 (Jugend)\r\n"
                                "019 Muster, Kind19 (Jugend)");
  EXPECT_EQ(BetragInCent(b.Betrag), 18000);
  EXPECT_EQ(e.Summe, 18000 + 12000);
  // A trial changes nobody.
  EXPECT_EQ(liste->FMitglieder[0].FVorlaeufigBezahltBis, 0);
  EXPECT_EQ(liste->FMitglieder[0].Konto()->FErstlastschrift, 0);
}

TEST_F(Einzug, KontofilterUndNullbetrag) {
  // Keys are looked up exactly; the filter compares them in upper case.
  stamm().FVereinskonten.Hinzufuegen().FKontoSchluessel = "haupt";
  stamm().FVereinskonten.Hinzufuegen().FKontoSchluessel = "NEBEN";
  TMitglied& klein = Mitglied(1, "ERW", "Klein");
  klein.Konto()->FEmpfaengerKonto.wert = "haupt";
  TMitglied& andere = Mitglied(2, "ERW", "Andere");
  andere.Konto()->FEmpfaengerKonto.wert = "NEBEN";
  TMitglied& bezahlt = Mitglied(3, "ERW", "Bezahlt");
  bezahlt.FBezahltBis = D("31.12.2011");
  TSepaSammelOptionen o = Optionen();
  o.Kontofilter = true;
  o.VorlDatumSetzen = true;
  liste->FGeaendert = false;
  const TSammelErgebnis e = SammleBuchungen(liste_, *liste, o);
  ASSERT_EQ(e.Buchungen, 1);
  EXPECT_EQ(liste_.Lesen(1).Mandatsreferenz, "M1");
  EXPECT_TRUE(e.Hinweisliste.size() == 1 && e.Hinweisliste[0] == &bezahlt) << "only the zero amount is a finding";
  // Paid beyond the date: no booking, but a real run gives the first-debit
  // date; the filtered payer gets neither.
  EXPECT_EQ(bezahlt.Konto()->FErstlastschrift, D("15.05.2011"));
  EXPECT_EQ(klein.Konto()->FErstlastschrift, D("15.05.2011"));
  EXPECT_EQ(andere.Konto()->FErstlastschrift, 0);
  EXPECT_EQ(klein.FVorlaeufigBezahltBis, D("31.12.2010"));
  EXPECT_EQ(bezahlt.FVorlaeufigBezahltBis, D("31.12.2010"));
  EXPECT_EQ(andere.FVorlaeufigBezahltBis, 0);
  EXPECT_TRUE(liste->FGeaendert);
}

TEST_F(Einzug, Sonderbuchungen) {
  TMitglied& vater = Mitglied(7, "ERW", "Muster", "Anna");
  Kind(8, "JUG", vater);
  Kind(9, "XYZ", vater);  // a special booking does not look at fee classes
  TSepaSammelOptionen o = Optionen();
  o.Sonder = true;
  o.FesterBetrag = 500;
  o.VollesJahr = true;
  o.Vorlage = "Umlage %Jahre%";
  const TSammelErgebnis e = SammleBuchungen(liste_, *liste, o);
  ASSERT_EQ(e.Buchungen, 1);
  const TSepaBuchung b = liste_.Lesen(1);
  EXPECT_EQ(BetragInCent(b.Betrag), 1500);
  EXPECT_EQ(b.Sequenz, 0);
  EXPECT_EQ(b.Mandatsreferenz, "007A150511-060000");
  EXPECT_EQ(b.Mandatsdatum, D("15.05.2011"));
  EXPECT_EQ(b.Verwendungszweck, "Umlage %Jahre%\r\n007 Muster, Anna\r\n008 Muster, Kind8\r\n009 Muster, Kind9");
  EXPECT_EQ(vater.Konto()->FErstlastschrift, 0);
}

// Cancelled in the middle: no booking written, nobody changed, no list.
TEST_F(Einzug, AbbruchAendertNichts) {
  for (std::uint16_t nr = 1; nr <= 300; ++nr) Mitglied(nr, "ERW", "M" + std::to_string(nr));
  TSepaSammelOptionen o = Optionen();
  o.VorlDatumSetzen = true;
  const std::string vorher = Gespeichert();
  liste->FGeaendert = false;
  ui.AbbrechenBeiText = "Erstelle Buchungsliste";
  ui.Antworten.push_back(Antwort::Ja);
  const TSammelErgebnis e = Einzugslauf(liste_, *liste, o, "Lauf", 2, Jetzt() + 3, "Erstelle Mitgliedsbeiträge");
  EXPECT_TRUE(e.Abgebrochen);
  EXPECT_EQ(e.Buchungen, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "lauf.slv"));
  EXPECT_FALSE(liste->FGeaendert);
  EXPECT_TRUE(Gespeichert() == vorher) << "the run changed the member list";
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Wollen Sie den Vorgang wirklich abbrechen?"});
}

// A whole run: header, order by name, the XML with the run's sum; a real
// run taken over charges nothing more for the same period.
TEST_F(Einzug, LaufKopfSortierungUndUebernahme) {
  Mitglied(1, "ERW", "Zander").Konto()->FInhaber = "Zander, Zoe";
  Mitglied(2, "ERW", "Abel").Konto()->FInhaber = "Abel, Ali";
  Mitglied(3, "JUG", "Meier").Konto()->FInhaber = "Meier, Mia";
  TSepaSammelOptionen o = Optionen();
  o.VorlDatumSetzen = true;
  const TSammelErgebnis e =
      Einzugslauf(liste_, *liste, o, "Mitgliedsbeiträge 2010 vom 15.05.2011", 2, Jetzt() + 3, "Erstelle Mitgliedsbeiträge");
  ASSERT_EQ(e.Buchungen, 3);
  const TSepaKopf k = liste_.Kopf();
  EXPECT_EQ(k.Beschreibung, "Mitgliedsbeiträge 2010 vom 15.05.2011");
  EXPECT_EQ(k.Kontoschluessel, "HAUPT");
  EXPECT_DOUBLE_EQ(k.Datum, D("18.05.2011") + 0.25);
  EXPECT_EQ(k.Sequenz, 2);
  EXPECT_EQ(liste_.Lesen(1).Name, "Abel, Ali");
  EXPECT_EQ(liste_.Lesen(3).Name, "Zander, Zoe");

  sepa::SetExtendedCharsAllowed(true);
  const auto dokument = BaueDokument(liste_, stamm().FVereinskonten.Element(0), sepa::kPain00800108, D("20.05.2011"));
  const std::string xml = dokument.Write();
  EXPECT_TRUE(sepa::ValidateAgainstXsd(xml, sepa::kPain00800108).empty());
  EXPECT_NE(xml.find("<CtrlSum>" + sepa::AmountToText(sepa::Currency::FromCents(e.Summe), 2) + "</CtrlSum>"),
            std::string::npos);

  EXPECT_EQ(UebernehmeVorlDaten(*liste), 3);
  EXPECT_EQ(liste->FMitglieder[0].FBezahltBis, D("31.12.2010"));
  TSepa zweite;
  ASSERT_TRUE(zweite.Anlegen(dir / "zweite.slv"));
  ui.Leeren();
  const TSammelErgebnis nochmal = Einzugslauf(zweite, *liste, o, "Nochmal", 2, Jetzt() + 3, "Erstelle Mitgliedsbeiträge");
  EXPECT_EQ(nochmal.Buchungen, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "zweite.slv"));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es wurden keine Mitglieder gefunden."});
}

// Members with findings get no booking and open the findings table.
TEST_F(Einzug, BefundeOeffnenDieTabelle) {
  Mitglied(1, "ERW", "Gut");
  Mitglied(2, "XYZ", "Falsch");
  const TSammelErgebnis e = SammleBuchungen(liste_, *liste, Optionen());
  EXPECT_EQ(e.Buchungen, 1);
  ASSERT_EQ(e.Hinweisliste.size(), 1u);
  ASSERT_EQ(ui.Fensterliste.size(), 1u);
  const auto& t = dynamic_cast<const TTabelle&>(*ui.Fensterliste[0]);
  EXPECT_EQ(t.Vorlage().FTitel,
            "Fehler und Hinweise beim Einziehen von Mitgliedsbeiträgen (nicht übernommene Datensätze!)");
  EXPECT_EQ(t.Zeilenzahl(), 1);
  EXPECT_EQ(t.Vorlage().FRechendatum, D("31.12.2010"));
}

TEST_F(Einzug, Listenpruefung) {
  TSepaKopf kopf = liste_.Kopf();
  kopf.Kontoschluessel = "HAUPT";
  ASSERT_TRUE(liste_.SchreibeKopf(kopf));
  TSepaBuchung gut;
  gut.Name = "Müller, Hans";
  gut.IBAN = "DE89370400440532013000";
  gut.Mandatsreferenz = "M-1";
  gut.Betrag = 12;
  gut.Verwendungszweck = "Beitrag 2011\r\n001 Müller, Hans";
  TSepaBuchung falsch;
  falsch.Name = "Gonçalves";
  falsch.IBAN = "DE89370400440532013001";
  falsch.Kundenreferenz = "a_b";
  falsch.Betrag = 0;
  TSepaBuchung form = gut;
  form.IBAN = "DE89 3704";
  form.Mandatsreferenz = "M_1";
  form.Verwendungszweck = "Beitrag [2011]";
  ASSERT_TRUE(liste_.Schreiben(gut, 1));
  ASSERT_TRUE(liste_.Schreiben(falsch, 2));
  ASSERT_TRUE(liste_.Schreiben(form, 3));
  stamm().FVereinskonten.Element(0).FGlaeubigerID = "DE98ZZZ09999999990";
  const std::vector<TListenbefund> erwartet = {
      {0, "Vereinskonto: Gläubiger-ID", "ungültige"},
      {2, "Kontoinhaber", "ungültige Zeichen"},
      {2, "IBAN", "falsche IBAN (Prüfziffer)"},
      {2, "Mandatsreferenznummer", "nicht vorhanden"},
      {2, "Kundenreferenznummer", "ungültige Zeichen"},
      {2, "Betrag", "Nulleingabe oder negativ"},
      {2, "Verwendungszweck", "nicht vorhanden"},
      {3, "IBAN", "ungültiges Format"},
      {3, "Mandatsreferenznummer", "ungültige Zeichen"},
      {3, "Verwendungszweck", "ungültige Zeichen"},
  };
  EXPECT_EQ(ListenBefunde(liste_, stamm()), erwartet);
  EXPECT_FALSE(PruefeListe(liste_, stamm()));
  ASSERT_EQ(ui.Fensterliste.size(), 1u);
  const auto& t = dynamic_cast<const TTabelle&>(*ui.Fensterliste[0]);
  EXPECT_EQ(t.Titel(), "Nicht übernommene Datensätze");
  EXPECT_EQ(t.Zelle(0, 3), "Fehler");
  EXPECT_EQ(t.Zelle(10, 0), "10");
  EXPECT_EQ(t.FStatus[0], "Tabelle ohne Vereinsbezug");

  kopf.Kontoschluessel = "FEHLT";
  ASSERT_TRUE(liste_.SchreibeKopf(kopf));
  ASSERT_TRUE(liste_.Loeschen(3));
  ASSERT_TRUE(liste_.Loeschen(2));
  const std::vector<TListenbefund> ohneKonto{{0, "Stammdaten: Kontoschlüssel", "fehlt oder ungültig"}};
  EXPECT_EQ(ListenBefunde(liste_, stamm()), ohneKonto);
}

}  // namespace
}  // namespace zaq
