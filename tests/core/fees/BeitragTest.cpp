// The fee of one member: modes, factors, rounding, age classes, family fees.
#include <gtest/gtest.h>

#include "VereinHilfen.h"
#include "fees/Beitrag.h"

namespace zaq {
namespace {

using test::D;

class Beitragsrechnung : public test::MitVerein {};

TEST_F(Beitragsrechnung, TeilzeitraeumeAllerModi) {
  const struct {
    const char* bezahlt;
    const char* rechendatum;
    int modus;
    float betrag;
    std::int64_t cent;
    const char* teil;
  } faelle[] = {
      // One full year unpaid: every mode charges the annual amount.
      {"31.12.2009", "31.12.2010", 0, 120, 12000, "Beitrag"},
      {"31.12.2009", "31.12.2010", 1, 120, 12000, "Beitrag"},
      {"31.12.2009", "31.12.2010", 2, 120, 12000, "Beitrag"},
      {"31.12.2009", "31.12.2010", 7, 120, 12000, "Beitrag"},
      {"31.12.2009", "31.12.2010", 11, 120, 12000, "Beitrag"},
      {"31.12.2009", "31.12.2010", 12, 120, 12000, "Beitrag"},
      {"31.12.2009", "31.12.2010", 13, 120, 12000, "Beitrag"},
      // Half a year: m = 6, 184 days.
      {"30.06.2010", "31.12.2010", 1, 120, 6049, "6/12xBeitrag"},
      {"30.06.2010", "31.12.2010", 2, 120, 6000, "6/12xBeitrag"},
      {"30.06.2010", "31.12.2010", 3, 120, 6000, "6/12xBeitrag"},
      {"30.06.2010", "31.12.2010", 4, 120, 6000, "6/12xBeitrag"},
      {"30.06.2010", "31.12.2010", 6, 120, 6000, "6/12xBeitrag"},
      {"30.06.2010", "31.12.2010", 8, 120, 4000, "4/12xBeitrag"},
      {"30.06.2010", "31.12.2010", 9, 120, 8000, "8/12xBeitrag"},
      {"30.06.2010", "31.12.2010", 10, 120, 6000, "6/12xBeitrag"},
      {"30.06.2010", "31.12.2010", 11, 120, 6000, "6/12xBeitrag"},
      {"30.06.2010", "31.12.2010", 12, 120, 0, "0xBeitrag"},
      {"30.06.2010", "31.12.2010", 13, 120, 12000, "Beitrag"},
      // From 15 March to 1 January: m = 9, 292 days.
      {"14.03.2010", "31.12.2010", 1, 120, 9600, "10/12xBeitrag"},
      {"14.03.2010", "31.12.2010", 4, 120, 8000, "8/12xBeitrag"},
      {"14.03.2010", "31.12.2010", 5, 120, 10000, "10/12xBeitrag"},
      {"14.03.2010", "31.12.2010", 6, 120, 9000, "9/12xBeitrag"},
      {"14.03.2010", "31.12.2010", 7, 120, 9000, "9/12xBeitrag"},
      {"14.03.2010", "31.12.2010", 8, 120, 8000, "8/12xBeitrag"},
      {"14.03.2010", "31.12.2010", 9, 120, 12000, "Beitrag"},
      {"14.03.2010", "31.12.2010", 10, 120, 6000, "6/12xBeitrag"},
      {"14.03.2010", "31.12.2010", 11, 120, 12000, "Beitrag"},
      // Two years unpaid: double fee.
      {"31.12.2008", "31.12.2010", 1, 120, 24000, "24/12xBeitrag"},
      {"31.12.2008", "31.12.2010", 2, 120, 24000, "24/12xBeitrag"},
      {"31.12.2008", "31.12.2010", 12, 120, 24000, "2xBeitrag"},
      {"31.12.2008", "31.12.2010", 0, 120, 12000, "Beitrag"},
      // Paid up to the calculation date: nothing left in a partial mode.
      {"31.12.2010", "31.12.2010", 2, 120, 0, "0/12xBeitrag"},
      {"31.12.2010", "31.12.2010", 13, 120, 0, "0xBeitrag"},
      // 29 February does not count as a day; 2012 is one full year.
      {"31.12.2011", "31.12.2012", 1, 120, 12000, "Beitrag"},
      {"28.02.2012", "31.12.2012", 1, 120, 10060, "10/12xBeitrag"},
      // Rounding to the even cent: 5.125 and 30.625 exactly.
      {"30.06.2010", "31.12.2010", 2, 10.25f, 512, "6/12xBeitrag"},
      {"31.05.2010", "31.12.2010", 2, 52.5f, 3062, "7/12xBeitrag"},
      {"31.05.2010", "31.12.2010", 2, 52.75f, 3077, "7/12xBeitrag"},
      // The stored float 96.1 is 96.099998...: the annual fee is 96.10.
      {"31.12.2009", "31.12.2010", 0, 96.1f, 9610, "Beitrag"},
      // A class without amount has no factor to show.
      {"30.06.2010", "31.12.2010", 2, 0, 0, "Beitrag"},
  };
  TBtrKlasse& k = Klasse("K", {{"Beitrag", 0, 150}}, 0, true);
  TMitglied& m = Mitglied(1, "K");
  for (const auto& f : faelle) {
    k.FTeilberechnung = static_cast<std::uint8_t>(f.modus);
    k.FAltKlassen[0].FBetrag = f.betrag;
    m.FBezahltBis = D(f.bezahlt);
    TBeitrag b = Beitrag(&k, m, D(f.rechendatum), false, false);
    EXPECT_EQ(b.cent, f.cent) << f.bezahlt << " " << f.rechendatum << " Modus " << f.modus << " " << f.betrag;
    EXPECT_EQ(b.teil, f.teil) << f.bezahlt << " " << f.rechendatum << " Modus " << f.modus;
  }
}

TEST_F(Beitragsrechnung, BezahltUeberDasRechendatumHinausNurModusNullBerechnet) {
  TBtrKlasse& k = Klasse("K", {{"Beitrag", 60, 150}}, 0, true);
  TMitglied& m = Mitglied(1, "K");
  m.FBezahltBis = D("30.06.2011");
  for (int modus = 0; modus < kTeilberechnungen; ++modus) {
    k.FTeilberechnung = static_cast<std::uint8_t>(modus);
    TBeitrag b = Beitrag(&k, m, D("31.12.2010"), false, false);
    EXPECT_EQ(b.cent, modus == 0 ? 6000 : 0) << modus;
    EXPECT_EQ(b.teil, "Beitrag") << modus;
    // Full year and calculation date 0 charge the annual amount in every mode.
    EXPECT_EQ(Beitrag(&k, m, D("31.12.2010"), false, true).cent, 6000) << modus;
    EXPECT_EQ(Beitrag(&k, m, 0, false, false).cent, 6000) << modus;
  }
}

TEST_F(Beitragsrechnung, AltersklasseNachAlterAmBeitragsstichtag) {
  TBtrKlasse& k = Klasse("K", {{"Jugend", 30, 17}, {"Erwachsene", 96, 64}, {"Senioren", 48, 150}});
  const struct {
    int alter;
    const char* zweck;
  } faelle[] = {{0, "Jugend"}, {17, "Jugend"}, {18, "Erwachsene"}, {64, "Erwachsene"},
                {65, "Senioren"}, {150, "Senioren"}, {151, nullptr}, {255, nullptr}, {300, nullptr}};
  for (const auto& f : faelle) {
    const TAltKlasse* a = k.AltKlasseFuerAlter(f.alter);
    EXPECT_EQ(a ? a->FVerwendungszweck : "keine", f.zweck ? f.zweck : "keine") << f.alter;
  }
  // Born on 29 February: one year older on 1 March of a common year.
  TBtrKlasse& schalt = Klasse("S", {{"bis 18", 10, 18}, {"ab 19", 20, 150}});
  TMitglied& m = Mitglied(1, "S");
  m.FGeburtsdatum = D("29.02.1992");
  stamm().FBeitragsdatum3 = D("28.02.2011");
  stamm().BerechneStichtage();
  EXPECT_EQ(Beitrag(&schalt, m, 0, false, false).teil, "bis 18");
  stamm().FBeitragsdatum3 = D("01.03.2011");
  stamm().BerechneStichtage();
  EXPECT_EQ(Beitrag(&schalt, m, 0, false, false).teil, "ab 19");
  // An age no class covers cannot be computed.
  schalt.FAltKlassen.pop_back();
  EXPECT_FALSE(Beitrag(&schalt, m, 0, false, false).Berechnet());
}

TEST_F(Beitragsrechnung, UnbrauchbareBetraegeSindFehler) {
  TBtrKlasse& k = Klasse("K", {{"Beitrag", 0, 150}}, 2);
  TMitglied& m = Mitglied(1, "K");
  for (float betrag : {-5.0f, -0.001f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(), 3e38f}) {
    k.FAltKlassen[0].FBetrag = betrag;
    TBeitrag b = Beitrag(&k, m, D("31.12.2010"), true, false);
    EXPECT_LT(b.cent, 0) << betrag;
    EXPECT_EQ(BeitragBetrag(m, D("31.12.2010"), false), -1) << betrag;
    EXPECT_EQ(BeitragText(m, D("31.12.2010"), false), "Fehler!") << betrag;
  }
  EXPECT_EQ(k.StatistikAnzahl(), 0);
  // A paid-until date far outside the calendar counts as the calendar's end.
  k.FAltKlassen[0].FBetrag = 12;
  m.FBezahltBis = std::numeric_limits<Tag>::min();
  EXPECT_GT(Beitrag(&k, m, D("31.12.2010"), false, false).cent, 0);
  m.FBezahltBis = std::numeric_limits<Tag>::max();
  EXPECT_EQ(Beitrag(&k, m, D("31.12.2010"), false, false).cent, 0);
}

TEST_F(Beitragsrechnung, RundeCentIstExakt) {
  EXPECT_EQ(RundeCent(0.125f, 1, 1), 12);   // 12.5 → 12
  EXPECT_EQ(RundeCent(0.135f, 1, 1), 14);   // the float lies above 0.135
  EXPECT_EQ(RundeCent(0.145f, 1, 1), 14);   // and this one below 0.145
  EXPECT_EQ(RundeCent(1.5f, 1, 12), 12);    // 12.5 → 12, where the double product is 12.500000000000002
  EXPECT_EQ(RundeCent(52.5f, 13, 12), 5688);  // 5687.5 → 5688
  EXPECT_EQ(RundeCent(1e9f, 20000, 1), 2'000'000'000'000'000);
  EXPECT_EQ(RundeCent(1e-30f, 20000, 1), 0);
  EXPECT_EQ(RundeCent(1, 20001, 1), -1);
}

TEST_F(Beitragsrechnung, TexteUndBetraege) {
  Klasse("K", {{"Beitrag", 1234.5f, 150}});
  TBtrKlasse& fam = Familie("FAM", 120, "Familie");
  TMitglied& zahler = Mitglied(1, "K");
  TMitglied& kind = Kind(2, "FAM", zahler);
  TMitglied& ohne = Mitglied(3, "XYZ");
  EXPECT_EQ(BeitragText(zahler, 0, false), "1.234,50 €");
  EXPECT_EQ(BeitragText(kind, 0, false), "0,00 € F");
  EXPECT_EQ(BeitragBetrag(kind, 0, false), 0);
  EXPECT_EQ(BeitragText(ohne, 0, false), "Fehler!");
  EXPECT_EQ(BeitragsklasseText(kind), "Klasse FAM");
  EXPECT_EQ(BeitragsklasseText(ohne), "Keine Beitragsklasse gefunden");
  zahler.FBeitragsschluessel.wert = "FAM";
  EXPECT_EQ(BeitragText(zahler, 0, false), "120,00 €");
  fam.FAltKlassen.clear();
  EXPECT_EQ(BeitragText(zahler, 0, false), "Fehler!");
  EXPECT_EQ(BetragText(123456789), "1.234.567,89");
  EXPECT_EQ(BetragText(5), "0,05");
}

TEST_F(Beitragsrechnung, FamilienbeitragEinmalJeZahler) {
  TBtrKlasse& fam = Familie("FAM", 120, "Familie", true);
  Klasse("JUG", {{"Jugend", 36, 150}});
  TMitglied& zahler = Mitglied(1, "FAM");
  TMitglied& kind = Kind(2, "FAM", zahler);
  TMitglied& fremd = Kind(3, "JUG", zahler);
  TBeitrag b = Beitrag(&fam, zahler, D("31.12.2010"), true, false);
  EXPECT_EQ(b.cent, 12000);
  EXPECT_EQ(b.teil, "Familie");
  b = Beitrag(&fam, kind, D("31.12.2010"), true, false);
  EXPECT_EQ(b.cent, 0);
  EXPECT_EQ(b.teil, "0xFamilie");
  EXPECT_EQ(fam.StatistikAnzahl(), 2);
  EXPECT_EQ(fam.StatistikSumme(), 12000);
  // A payer that cannot be found: no fee, nothing counted.
  kind.Zahler()->FNummer = 99;
  EXPECT_FALSE(Beitrag(&fam, kind, D("31.12.2010"), true, false).Berechnet());
  EXPECT_EQ(fam.StatistikAnzahl(), 2);
  // A reference left behind after the member turned self-paying does not count.
  kind.Zahler()->Setze(&zahler);
  kind.FZahlart = zaRechnung;
  EXPECT_EQ(Beitrag(&fam, kind, D("31.12.2010"), false, false).cent, 12000);
  (void)fremd;
}

}  // namespace
}  // namespace zaq
