// The member statistics, the smoothing, the member count between bounds and
// the free member numbers, with the edges: no member, ages above 150, every
// number taken.
#include <gtest/gtest.h>

#include <numeric>

#include "Hilfen.h"
#include "base/Datum.h"
#include "lists/Statistik.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

class Statistik : public test::MitOberflaeche {
 protected:
  Statistik() : liste(TZAQ::CreateNeu(false, true)) { liste->FStammdaten.FAlterStichtag = KodiereDatum(2025, 12, 31); }
  TMitglied& Neu(std::uint16_t nr, Tag geburt, bool mann = true, Tag eintritt = 0, int anrechnung = 0) {
    auto& m = liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nr));
    m.FGeburtsdatum = geburt;
    m.FEintrittsdatum = eintritt ? eintritt : geburt;
    m.FAnrechnung = static_cast<std::uint8_t>(anrechnung);
    m.FMaennlich = mann;
    return m;
  }
  std::unique_ptr<TZAQ> liste;
};

TEST(Glaettung, KernUndRaender) {
  EXPECT_EQ(Glaettungskern(5), (std::vector<double>{1 / 9.0, 2 / 9.0, 3 / 9.0, 2 / 9.0, 1 / 9.0}));
  const auto k30 = Glaettungskern(30);
  EXPECT_DOUBLE_EQ(k30[14], 15 / 240.0);
  EXPECT_DOUBLE_EQ(k30[15], 15 / 240.0);
  EXPECT_DOUBLE_EQ(std::accumulate(k30.begin(), k30.end(), 0.0), 1.0);
  // One member aged 40, width 15: ages 33 to 47, weights 1/64 to 8/64.
  THistogramm h(60, {0, 0, 0});
  h[40] = {1, 0, 1};
  const TGeglaettet g = Glaette(h, 15);
  EXPECT_DOUBLE_EQ(g[32][2], 0);
  EXPECT_DOUBLE_EQ(g[33][2], 1 / 64.0);
  EXPECT_DOUBLE_EQ(g[40][2], 8 / 64.0);
  EXPECT_DOUBLE_EQ(g[47][2], 1 / 64.0);
  EXPECT_DOUBLE_EQ(g[48][2], 0);
  // Width 1 changes nothing; at the edge nothing is renormalised.
  const TGeglaettet eins = Glaette(h, 1);
  EXPECT_DOUBLE_EQ(eins[40][0], 1);
  THistogramm rand{{3, 0, 3}, {0, 0, 0}};
  EXPECT_DOUBLE_EQ(Glaette(rand, 5)[0][0], 3 * 3 / 9.0);
}

TEST_F(Statistik, VerteilungUndMittel) {
  Neu(1, KodiereDatum(1985, 6, 1), true, KodiereDatum(2015, 1, 1), 2);  // 40, 10 + 2 years
  Neu(2, KodiereDatum(1985, 12, 31), false, KodiereDatum(2025, 1, 1));  // 40, 0 years
  Neu(3, KodiereDatum(1870, 1, 1), false, KodiereDatum(2020, 1, 1));    // 155: not in the histogram
  auto& aus = Neu(4, KodiereDatum(2000, 1, 1), true, KodiereDatum(2010, 1, 1));
  aus.FAustrittsdatum = KodiereDatum(2020, 6, 30);  // ages stop at the exit: 20, 10 years
  const TStatistik s = Mitgliederstatistik(*liste);
  EXPECT_EQ(s.Mitglieder, 4);
  ASSERT_EQ(s.Alter.size(), 41u);
  EXPECT_EQ(s.Alter[40], (std::array<int, 3>{1, 1, 2}));
  EXPECT_EQ(s.Alter[20], (std::array<int, 3>{1, 0, 1}));
  EXPECT_EQ(s.Mitgliedschaft[12], (std::array<int, 3>{1, 0, 1}));
  EXPECT_EQ(s.Mitgliedschaft[10], (std::array<int, 3>{1, 0, 1}));
  ASSERT_TRUE(s.DurchschnittlichesAlter);
  EXPECT_DOUBLE_EQ(*s.DurchschnittlichesAlter, (40 + 40 + 155 + 20) / 4.0);
  EXPECT_EQ(s.Statuszeile(), (std::array<std::string, 3>{"Durchschnittliches Alter: 63,8 Jahre",
                                                         "Durchschnittliche Mitgliedschaft: 6,8 Jahre",
                                                         "Mitglieder: 4"}));
  // No active member: nothing to average, nothing divided by zero.
  auto leer = TZAQ::CreateNeu(false, true);
  const TStatistik l = Mitgliederstatistik(*leer);
  EXPECT_FALSE(l.DurchschnittlichesAlter);
  EXPECT_TRUE(l.Alter.empty());
  EXPECT_EQ(l.Statuszeile()[2], "Mitglieder: 0");
}

TEST_F(Statistik, BestandszaehlungMitGrenzenUndFiltern) {
  Neu(1, KodiereDatum(1995, 12, 31), true).FAbteilungen = "Turnen";
  Neu(2, KodiereDatum(1996, 1, 1), false).FAbteilungen = "Schwimmen";
  Neu(3, KodiereDatum(1995, 6, 1), false).FSelektiert = true;
  const Tag bezug = KodiereDatum(2025, 12, 31);
  struct Fall {
    Bestandsart art;
    std::string von, bis;
    TBestandsfilter filter;
    int maenner, frauen;
    std::string meldung;
  };
  const Fall faelle[] = {
      {Bestandsart::Alter, "30", "30", {}, 1, 1, ""},
      {Bestandsart::Alter, "29", "30", {}, 1, 2, ""},
      {Bestandsart::Geburtsjahr, "1995", "1995", {}, 1, 1, ""},
      {Bestandsart::Geburtsdatum, "01.06.1995", "31.12.1995", {}, 1, 1, ""},
      {Bestandsart::Alter, "0", "99", {true, "Turnen", false}, 1, 0, ""},
      {Bestandsart::Alter, "0", "99", {false, "", true}, 0, 1, ""},
      {Bestandsart::Alter, "31", "30", {}, 0, 0, "Das Alter bei \"von\" muß kleiner als das Alter bei \"bis\" sein."},
      {Bestandsart::Geburtsjahr, "2000", "1999", {}, 0, 0,
       "Das Jahr bei \"von\" muß kleiner als das Jahr bei \"bis\" sein."},
      {Bestandsart::Geburtsdatum, "02.01.2000", "01.01.2000", {}, 0, 0, "Das Anfangsdatum muß vor dem Enddatum liegen."},
      {Bestandsart::Alter, "x", "30", {}, 0, 0, "Bitte geben Sie bei \"von\" und \"bis\" ganze Zahlen an."},
      {Bestandsart::Geburtsdatum, "31.02.2000", "01.03.2000", {}, 0, 0,
       "Bitte geben Sie bei \"von\" und \"bis\" gültige Daten in der Form TT.MM.JJJJ an."},
  };
  std::vector<TBestandszeile> zeilen;
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.von + " " + f.bis);
    ui.Leeren();
    const auto z = Bestandszaehlung(*liste, f.filter, f.art, f.von, f.bis, bezug);
    ASSERT_EQ(z.has_value(), f.meldung.empty());
    if (!z) {
      EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung});
      continue;
    }
    EXPECT_EQ(z->maenner, f.maenner);
    EXPECT_EQ(z->frauen, f.frauen);
    EXPECT_EQ(z->gesamt, f.maenner + f.frauen);
    zeilen.push_back(*z);
  }
  EXPECT_TRUE(BestandszaehlungText({zeilen[0], zeilen[3]}) ==
              "ZAQ Bestandszählung\r\n\r\nvon\tbis\tMänner\tFrauen\tgesamt\r\n30\t30\t1\t1\t2\r\n"
              "01.06.1995\t31.12.1995\t1\t1\t2");
}

TEST_F(Statistik, FreieNummern) {
  TFreieNummern leer = FreieNummern(*liste);
  EXPECT_FALSE(leer.kleinste);
  EXPECT_EQ(leer.ersteFreie, std::optional<std::uint16_t>(1));
  for (std::uint16_t n : {5, 1, 2}) Neu(n, 0);
  liste->FArchiv.Anhaengen(std::make_unique<TMitglied>(liste.get(), 3));  // the archive takes no number
  TFreieNummern f = FreieNummern(*liste);
  EXPECT_EQ(f.kleinste, std::optional<std::uint16_t>(1));
  EXPECT_EQ(f.hoechste, std::optional<std::uint16_t>(5));
  EXPECT_EQ(f.frei, (std::vector<std::uint16_t>{3, 4}));
  EXPECT_EQ(f.ersteFreie, std::optional<std::uint16_t>(3));
  Neu(3, 0);
  Neu(4, 0);
  EXPECT_EQ(FreieNummern(*liste).ersteFreie, std::optional<std::uint16_t>(6));
  // Every number up to 65535 taken: no free number, and no wrap to 0.
  for (int n = 6; n <= 65535; ++n) Neu(static_cast<std::uint16_t>(n), 0);
  f = FreieNummern(*liste);
  EXPECT_TRUE(f.frei.empty());
  EXPECT_FALSE(f.ersteFreie);
}

}  // namespace
}  // namespace zaq
