// The order of members: German text order, every sort key both ways, the
// stable sort of the list, the keys of the commands, and the member search.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Hilfen.h"
#include "base/Datum.h"
#include "lists/Sortierung.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

Tag D(const char* text) { return TextZuDatum(text).value(); }

class Sortierung : public test::MitOberflaeche {
 protected:
  Sortierung() : liste(TZAQ::CreateNeu(false, true)) {
    plattform::SetzeFesteZeit(D("15.05.2019") + 0.5);
    liste->FMitglieder.Leeren();
  }
  ~Sortierung() override { plattform::SetzeFesteZeit(0); }

  TMitglied& Neu(const std::string& name, std::uint16_t nummer = 0) {
    auto m = std::make_unique<TMitglied>(liste.get(), nummer ? nummer : ++FNummer);
    m->FName = name;
    return liste->FMitglieder.Anhaengen(std::move(m));
  }
  std::vector<std::string> Namen() const {
    std::vector<std::string> n;
    for (const auto& m : liste->FMitglieder) n.push_back(m->FName);
    return n;
  }
  // The order by a mark that no sort key looks at.
  std::vector<std::string> Marken() const {
    std::vector<std::string> n;
    for (const auto& m : liste->FMitglieder) n.push_back(m->FHomepage);
    return n;
  }

  std::unique_ptr<TZAQ> liste;

 private:
  std::uint16_t FNummer = 0;
};

// German order as ICU's collator has it by default: umlauts right after their
// vowel, "ß" like "ss", lower case before upper case, a blank before a
// hyphen before a letter.
TEST_F(Sortierung, DeutscheNamenInBeideRichtungen) {
  const std::vector<std::string> richtig = {
      "Abel",       "Äbel",       "de Vries",  "De Vries", "Devries", "Mass",   "Maß",
      "Masse",      "Mast",       "Meier Hahn", "Meier-Hahn", "Meierhahn", "Mueller", "Muller",
      "müller",     "Müller",     "Muster",    "Oz",       "Öztürk",  "Zander",
  };
  std::vector<std::string> gemischt = richtig;
  std::reverse(gemischt.begin(), gemischt.end());
  std::rotate(gemischt.begin(), gemischt.begin() + 7, gemischt.end());
  for (const auto& n : gemischt) Neu(n);
  ASSERT_TRUE(SortiereMitglieder(*liste, Sortierschluessel{21}));
  EXPECT_EQ(Namen(), richtig);
  ASSERT_TRUE(SortiereMitglieder(*liste, Sortierschluessel{-21}));
  EXPECT_EQ(Namen(), std::vector<std::string>(richtig.rbegin(), richtig.rend()));
  for (int i = 0; i < liste->FMitglieder.Anzahl(); ++i) EXPECT_EQ(liste->FMitglieder[i].Index(), i);
  EXPECT_TRUE(ui.Texte().empty());
}

// For every sortable kind a pair that differs only there: the first comes
// first ascending and last descending; the pair sorted by the list agrees.
TEST_F(Sortierung, JedeArtInBeideRichtungen) {
  liste->FStammdaten.FAlterStichtag = D("31.12.2018");
  struct Fall {
    std::int32_t art;
    void (*setze)(TMitglied& vorn, TMitglied& hinten);
  };
  const Fall faelle[] = {
      {3, [](TMitglied& a, TMitglied& b) { a.FMitgliedsnummer = 9; b.FMitgliedsnummer = 65000; }},
      {27, [](TMitglied& a, TMitglied& b) { a.FMaennlich = true; b.FMaennlich = false; }},
      {21, [](TMitglied& a, TMitglied& b) { a.FName = "Ärger"; b.FName = "Azur"; }},
      {22, [](TMitglied& a, TMitglied& b) { a.FVorname = "jan"; b.FVorname = "Jan"; }},
      {41, [](TMitglied& a, TMitglied& b) { a.FStrasse = "Hauptstr. 10"; b.FStrasse = "Hauptstr. 2"; }},
      {42, [](TMitglied& a, TMitglied& b) { a.FPLZ = "01067"; b.FPLZ = "97070"; }},
      {43, [](TMitglied& a, TMitglied& b) { a.FOrt = "Würzburg"; b.FOrt = "Wurzen-Ost"; }},
      {46, [](TMitglied& a, TMitglied& b) { a.FLand = "Österreich"; b.FLand = "Schweiz"; }},
      {32, [](TMitglied& a, TMitglied& b) { a.FGeburtsdatum = D("28.02.1990"); b.FGeburtsdatum = D("01.03.1950"); }},
      {28, [](TMitglied& a, TMitglied& b) { a.FGeburtsdatum = D("01.03.1950"); b.FGeburtsdatum = D("28.02.1990"); }},
      // The age stops at the exit: 39 at the exit against 40 at the reference date.
      {29,
       [](TMitglied& a, TMitglied& b) {
         a.FGeburtsdatum = b.FGeburtsdatum = D("01.01.1978");
         a.FAustrittsdatum = D("31.12.2017");
       }},
      {31, [](TMitglied& a, TMitglied& b) { a.FGeburtsdatum = D("10.03.1949"); b.FGeburtsdatum = D("10.03.1950"); }},
      {61, [](TMitglied& a, TMitglied& b) { a.FEintrittsdatum = D("01.01.1990"); b.FEintrittsdatum = D("01.01.2000"); }},
      // Credited years count.
      {65,
       [](TMitglied& a, TMitglied& b) {
         a.FEintrittsdatum = b.FEintrittsdatum = D("01.01.2000");
         b.FAnrechnung = 3;
       }},
      {67,
       [](TMitglied& a, TMitglied& b) {
         a.FEintrittsdatum = D("01.01.2010");
         b.FEintrittsdatum = D("01.01.1990");
       }},
      {70, [](TMitglied& a, TMitglied& b) { b.FAustrittsdatum = D("31.12.2019"); (void)a; }},
      {69, [](TMitglied& a, TMitglied& b) { a.FAbteilungen = "Fußball"; b.FAbteilungen = "Tennis"; }},
      {162, [](TMitglied& a, TMitglied& b) { a.FErstelltVon.FZeit = 40000.5; b.FErstelltVon.FZeit = 40000.75; }},
      // Never changed: its creation time counts.
      {164,
       [](TMitglied& a, TMitglied& b) {
         a.FErstelltVon.FZeit = 43000;
         b.FErstelltVon.FZeit = 41000;
         b.FGeaendertVon.FZeit = 44000;
       }},
  };
  for (const auto& f : faelle) {
    liste->FMitglieder.Leeren();
    TMitglied& hinten = Neu("Gleich", 1);
    TMitglied& vorn = Neu("Gleich", 1);
    hinten.FHomepage = "hinten";
    vorn.FHomepage = "vorn";
    f.setze(vorn, hinten);
    EXPECT_LT(Vergleiche(vorn, hinten, Sortierschluessel{f.art}, 0), 0) << f.art;
    EXPECT_GT(Vergleiche(vorn, hinten, Sortierschluessel{-f.art}, 0), 0) << f.art;
    EXPECT_EQ(Vergleiche(vorn, vorn, Sortierschluessel{f.art}, 0), 0) << f.art;
    ASSERT_TRUE(SortiereMitglieder(*liste, Sortierschluessel{f.art}));
    EXPECT_EQ(Marken(), (std::vector<std::string>{"vorn", "hinten"})) << f.art;
    ASSERT_TRUE(SortiereMitglieder(*liste, Sortierschluessel{-f.art}));
    EXPECT_EQ(Marken(), (std::vector<std::string>{"hinten", "vorn"})) << f.art;
  }
}

TEST_F(Sortierung, GleicheBleibenInIhrerReihenfolge) {
  // Same surname, first name and number; "Altersjubiläum", 0 and kinds that
  // cannot be sorted compare nothing.
  for (const char* strasse : {"1", "2", "3", "4"}) {
    TMitglied& m = Neu("Gleich", 7);
    m.FHomepage = strasse;
    m.FGeburtsdatum = D(strasse[0] == '2' ? "01.01.1950" : "01.01.1990");
  }
  for (const Sortierschluessel& s : {Sortierschluessel{21, 22, 3}, Sortierschluessel{30}, Sortierschluessel{0, 25, 84},
                                     Sortierschluessel{}}) {
    ASSERT_TRUE(SortiereMitglieder(*liste, s));
    EXPECT_EQ(Marken(), (std::vector<std::string>{"1", "2", "3", "4"}));
  }
  // "nach Alter": the younger first within the same age.
  liste->FMitglieder[0].FGeburtsdatum = D("02.01.1990");
  ASSERT_TRUE(SortiereMitglieder(*liste, *BefehlsSchluessel(22)));
  EXPECT_EQ(Marken(), (std::vector<std::string>{"1", "3", "4", "2"}));
  // A reference date given replaces the club's: on 01.01.1991 the member
  // born 02.01.1990 is 0, the one born 01.01.1990 is 1.
  const TMitglied &jung = liste->FMitglieder[0], &alt = liste->FMitglieder[1];
  EXPECT_EQ(Vergleiche(jung, alt, Sortierschluessel{29}, 0), 0);
  EXPECT_LT(Vergleiche(jung, alt, Sortierschluessel{29}, D("01.01.1991")), 0);
}

TEST_F(Sortierung, SchluesselDerBefehleUndVonHand) {
  const struct {
    int nummer;
    Sortierschluessel schluessel;
  } befehle[] = {
      {10, {21, 22, 3}},  {11, {22, 21, 3}},     {12, {46, 42, 43, 41}}, {20, {32, 21, 22}},
      {21, {28, 21, 22}}, {22, {29, -28, 21, 22}}, {30, {61, 21, 22}},  {31, {65, -61, 21, 22}},
      {32, {-70, 21, 22}}, {40, {3, 21, 22}},     {41, {164, 21, 22}},
  };
  for (const auto& b : befehle) EXPECT_EQ(BefehlsSchluessel(b.nummer), b.schluessel) << b.nummer;
  for (int n : {0, 1, 13, 42}) EXPECT_FALSE(BefehlsSchluessel(n)) << n;

  const struct {
    const char* text;
    std::optional<std::int32_t> schluessel;
  } texte[] = {
      {"21", 21},         {"-70", -70},     {"0", 0},           {"999", 999},
      {"Nachname", 21},   {"-Nachname", -21}, {"Altersjub.-Datum", 31}, {"-Altersjub.-Datum", -31},
      {"Änderungsdatum", 164}, {"nach Alter", std::nullopt}, {"nachname", std::nullopt},
      {"21x", std::nullopt}, {"", std::nullopt}, {" 21", std::nullopt}, {"--21", std::nullopt},
  };
  for (const auto& t : texte) EXPECT_EQ(LeseSortierSchluessel(t.text), t.schluessel) << t.text;
}

TEST_F(Sortierung, MitgliedSuchen) {
  Neu("Bauer").FVorname = "Anna";
  Neu("Maier").FVorname = "Berta";
  Neu("Öztürk").FVorname = "Can";
  Neu("Straße").FVorname = "Dora";
  Neu("bMüller").FVorname = "Emil";
  Neu("Becker").FVorname = "Anna Lena";
  auto nummer = [&](const char* text, const TMitglied* aktuell = nullptr, bool weiter = false) {
    auto f = SucheMitglied(*liste, aktuell, text, weiter);
    return f ? f->position : 0;
  };
  const struct {
    const char* text;
    int position;
  } faelle[] = {
      {"b", 1},            // the first surname starting with it, in either case
      {"e", 0},            // a single letter inside a name does not count
      {"ö", 3},    {"ÖZTÜRK", 3}, {"öztürk can", 3},
      {"STRASSE", 4},      // "ß" upper-cases to "SS"
      {"anna", 1}, {"lena anna", 6}, {"  maier  ", 2},
      {"anna  bauer", 0},  // two blanks make an empty word, which never occurs
      {"", 0},     {"   ", 0},    {"xyz", 0},
  };
  for (const auto& f : faelle) EXPECT_EQ(nummer(f.text), f.position) << f.text;
  // Continuing starts after the current member, without wrapping round.
  EXPECT_EQ(nummer("anna", &liste->FMitglieder[0], true), 6);
  EXPECT_EQ(nummer("anna", &liste->FMitglieder[5], true), 0);
  EXPECT_EQ(nummer("anna", &liste->FMitglieder[5], false), 1);
  EXPECT_EQ(nummer("b", &liste->FMitglieder[0], true), 5);
}

}  // namespace
}  // namespace zaq
