// The fee check with its report, and the invoice run: what they list, say
// and count, and that the report's sums are the run's cents.
#include <gtest/gtest.h>

#include <algorithm>

#include "debits/sepa/Beitragspruefung.h"
#include "fees/Beitrag.h"
#include "fees/Beitragsbericht.h"
#include "fees/VereinHilfen.h"
#include "lists/Tabelle.h"
#include "store/Konto.h"

namespace zaq {
namespace {

using test::D;

class Beitragspruefung : public test::MitVerein {
 protected:
  Beitragspruefung() { plattform::SetzeFesteZeit(D("15.05.2011") + 0.25); }
  ~Beitragspruefung() override { plattform::SetzeFesteZeit(0); }
  TMitglied& Rechnung(std::uint16_t nummer, const std::string& klasse) {
    TMitglied& m = Mitglied(nummer, klasse, "Rech" + std::to_string(nummer));
    m.FZahlart = zaRechnung;
    return m;
  }
};

TEST_F(Beitragspruefung, OhneBefundeNurDieSumme) {
  Klasse("ERW", {{"Erwachsene", 120, 150}});
  Mitglied(1, "ERW");
  Rechnung(2, "ERW");
  const TBeitragspruefung p = PruefeBeitraege(*liste, D("31.12.2010"), false, false);
  EXPECT_EQ(p.Summe, 24000);
  EXPECT_FALSE(p.Befunde);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es wurden keinerlei Fehler oder Hinweise festgestellt.\r\n\r\n"
                                                 "Die Summe der Mitgliedsbeiträge lautet: 240,00 €."});
  EXPECT_FALSE(liste->FGeaendert);
}

// A debit member without mandate reference is listed, and its fee still
// counts in the total and in the report.
TEST_F(Beitragspruefung, OhneMandatsreferenzGelistetUndGezaehlt) {
  Klasse("ERW", {{"Erwachsene", 1200.5f, 150}});
  Mitglied(1, "ERW");
  TMitglied& ohne = Mitglied(2, "ERW", "Ohne");
  ohne.Konto()->FMandatsreferenz = " ";
  Mitglied(3, "XXX", "Falsch");
  const TBeitragspruefung p = PruefeBeitraege(*liste, D("31.12.2010"), false, false);
  ASSERT_EQ(p.Hinweisliste.size(), 2u);
  EXPECT_EQ(p.Hinweisliste[0], &ohne);
  EXPECT_NE(ohne.FHinweise.find("Fehlende Mandatsreferenz"), std::string::npos);
  EXPECT_EQ(p.Summe, 240100);
  ASSERT_TRUE(p.Befunde);
  EXPECT_EQ(p.Befunde->Zeilenzahl(), 2);
  // The second message formats its sum as the first does.
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es wurden Fehler oder Hinweise festgestellt.\r\n\r\n"
                                                 "Die Summe der korrekten Beiträge lautet: 2.401,00 €."});
  const TBeitragsbericht b = ErstelleBeitragsbericht(stamm());
  EXPECT_EQ(b.Summe, p.Summe);
  EXPECT_EQ(b.Anzahl, 2);
}

// A class with 10 of 100 counted members and a quarter of the money; one
// with a single member; one nobody is counted in has no balance.
TEST_F(Beitragspruefung, Bericht) {
  Klasse("A", {{"Kind", 75, 17}, {"Erw", 75, 150}});
  Klasse("B", {{"B", 25, 150}});
  Klasse("C", {{"C", 100, 150}});
  Klasse("L", {{"Leer", 10, 150}});
  for (std::uint16_t i = 1; i <= 10; ++i) Mitglied(i, "A");
  for (std::uint16_t i = 11; i <= 99; ++i) Mitglied(i, "B");
  Mitglied(100, "C").FGeburtsdatum = D("01.01.1950");
  PruefeBeitraege(*liste, D("31.12.2010"), true, false, false);
  const TBeitragsbericht b = ErstelleBeitragsbericht(stamm());
  ASSERT_EQ(b.Summe, 75000 + 222500 + 10000);
  const auto& z = b.Zeilen;
  ASSERT_GE(z.size(), 10u);
  EXPECT_EQ(z[0], "Die Summe an Beiträgen entsteht durch;100 Mitglieder.");
  EXPECT_EQ(z[1], "Die Gesamtsumme der Beiträge lautet;3.075,00 €.");
  EXPECT_EQ(std::vector<std::string>(z.begin() + 2, z.begin() + 9),
            (std::vector<std::string>{"", "Auflistung:", "-", "Beitragsklasse A:;Klasse A", "Option:;Altersklassen",
                                      "Rechenanzahl:;10 Mitglieder;10,0 %", "Rechensumme:;750,00 €;24,4 %;+143,9 %"}));
  // The age class nobody fell in: no balance column.
  const auto kind = std::find(z.begin(), z.end(), "  >  Altersklasse 1:;Kind");
  ASSERT_NE(kind, z.end());
  EXPECT_EQ(*(kind + 1), "  >  Alter:;bis 17 Jahre");
  EXPECT_EQ(*(kind + 2), "  >  Teilrechenanzahl:;0 Mitglieder;0,0 %");
  EXPECT_EQ(*(kind + 3), "  >  Teilrechensumme:;0,00 €;0,0 %");
  EXPECT_NE(std::find(z.begin(), z.end(), "Rechenanzahl:;1 Mitglied;1,0 %"), z.end());
  EXPECT_NE(std::find(z.begin(), z.end(), "Rechensumme:;0,00 €;0,0 %"), z.end());
  EXPECT_EQ(z.back(), "Rechensumme:;0,00 €;0,0 %");
  ASSERT_EQ(b.Klassen.size(), 4u);
  EXPECT_EQ(b.Klassen[0].Altersklassen[1].Anzahl, 10);
  EXPECT_EQ(b.Klassen[3].Anzahl, 0);

  // The balance of the exact case: 10 of 100 members with 25 % of the money.
  stamm().StatistikZuruecksetzen();
  for (int i = 0; i < 10; ++i) stamm().FBtrKlassen.Element(0).FAltKlassen[1].Zaehle(2500);
  for (int i = 0; i < 89; ++i) stamm().FBtrKlassen.Element(1).FAltKlassen[0].Zaehle(833);
  stamm().FBtrKlassen.Element(1).FAltKlassen[0].Zaehle(863);
  const TBeitragsbericht genau = ErstelleBeitragsbericht(stamm());
  EXPECT_EQ(genau.Summe, 100000);
  EXPECT_NE(std::find(genau.Zeilen.begin(), genau.Zeilen.end(), "Rechensumme:;250,00 €;25,0 %;+150,0 %"),
            genau.Zeilen.end());

  // Nothing counted: no lines.
  stamm().StatistikZuruecksetzen();
  EXPECT_TRUE(ErstelleBeitragsbericht(stamm()).Zeilen.empty());
}

TEST_F(Beitragspruefung, Rechnungen) {
  Klasse("ERW", {{"Erwachsene", 120, 150}});
  Familie("FAM", 200, "Familie");
  TMitglied& vater = Rechnung(1, "FAM");
  Kind(2, "FAM", vater);
  Mitglied(3, "ERW");  // direct debit: no invoice

  // Without co-financed members of fee 0, with them, and as a real run.
  for (const bool nullbetraege : {false, true}) {
    ui.Leeren();
    const TRechnungslauf r = ErstelleRechnungen(*liste, D("31.12.2010"), false, false, false, nullbetraege);
    EXPECT_EQ(r.Rechnungsliste.size(), nullbetraege ? 2u : 1u);
    ASSERT_TRUE(r.Rechnungen);
    EXPECT_TRUE(r.Rechnungen->Titel().ends_with(" (Rechendatum: 31.12.2010)")) << r.Rechnungen->Titel();
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es wurden keinerlei Fehler festgestellt.\r\n\r\n"
                                                   "Die Summe der Mitgliedsbeiträge lautet: 200,00 €."});
  }
  EXPECT_EQ(vater.FVorlaeufigBezahltBis, 0);
  ErstelleRechnungen(*liste, D("31.12.2010"), false, true, false, false);
  EXPECT_EQ(vater.FVorlaeufigBezahltBis, D("31.12.2010"));
  EXPECT_EQ(liste->SucheNummer(2)->FVorlaeufigBezahltBis, D("31.12.2010"));
  EXPECT_EQ(liste->SucheNummer(3)->FVorlaeufigBezahltBis, 0);

  // Paid beyond the date: nobody owes anything.
  ui.Leeren();
  vater.FBezahltBis = D("31.12.2011");
  liste->SucheNummer(2)->FBezahltBis = D("31.12.2011");
  stamm().FBtrKlassen.Element(1).FTeilberechnung = 2;
  const TRechnungslauf leer = ErstelleRechnungen(*liste, D("31.12.2010"), false, false, false, false);
  EXPECT_FALSE(leer.Rechnungen);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{
                            "Es wurden keine Zahler gefunden, die den Beitrag per Rechnung noch zu bezahlen haben."});
}

}  // namespace
}  // namespace zaq
