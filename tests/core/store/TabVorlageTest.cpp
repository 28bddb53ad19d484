// Table templates: defaults, the line form, columns, the standard templates,
// headings and sortable kinds, and the stream form inside the master data.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "Hilfen.h"
#include "base/Datum.h"
#include "store/Mitglied.h"
#include "store/Stammdaten.h"
#include "store/TabVorlage.h"

namespace zaq {
namespace {

using V = std::vector<std::int32_t>;

class TabVorlagen : public test::MitOberflaeche {
 protected:
  TabVorlagen() { plattform::SetzeFesteZeit(TextZuDatum("15.05.2019").value() + 0.5); }
  ~TabVorlagen() override { plattform::SetzeFesteZeit(0); }

  template <class R>
  static void Rundreise(const R& von, R& nach, std::uint32_t flags = sfUnbekannte) {
    TZAQStream s;
    bool ok = true;
    von.StreamSchreiben(s, flags, ok);
    ASSERT_TRUE(ok);
    s.Positionieren(0);
    nach.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
    ASSERT_TRUE(ok);
  }
};

TEST_F(TabVorlagen, VorgabenZeilenformUndSpalten) {
  const TTabVorlage t;
  EXPECT_EQ(t.FTitel, "Adressenliste");
  EXPECT_EQ(t.FSpalten, (V{1, 3, 25, 41, 44}));
  EXPECT_EQ(t.FSortierung, (V{21, 22, 3}));
  EXPECT_EQ(t.FAbteilungen, "*");
  EXPECT_EQ(t.FFilter, 0);
  EXPECT_EQ(t.FDruckOptionen, 0x11);
  EXPECT_EQ(t.FBezugsdatum, Heute());
  EXPECT_EQ(t.FKopfFormat.Schrift(), (TSchrift{"Tahoma", 10, kFett, 0x800000}));
  EXPECT_EQ(t.FTabellenFormat.Schrift(), (TSchrift{"Tahoma", 11, 0, 0}));
  EXPECT_EQ(t.SchreibeZeile(), "Adressenliste;1;3;25;41;44");

  const struct {
    const char* zeile;
    const char* titel;
    V spalten;
  } zeilen[] = {
      {"Vorgabe", "Vorgabe", {}},
      {"Liste;1;x;3", "Liste", {1, 0, 3}},
      {"Leer;", "Leer", {0}},
      {";21; 22 ;-5", "", {21, 22, -5}},
  };
  for (const auto& z : zeilen) {
    TTabVorlage v;
    v.FFilter = tfSelektiert;
    v.LeseZeile(z.zeile);
    EXPECT_EQ(v.FTitel, z.titel) << z.zeile;
    EXPECT_EQ(v.FSpalten, z.spalten) << z.zeile;
    EXPECT_EQ(v.FFilter, tfSelektiert) << "nothing else changes";
    EXPECT_EQ(v.FSortierung, (V{21, 22, 3}));
  }
  TTabVorlage v;
  v.LeseZeile("Vorgabe");
  EXPECT_EQ(v.SchreibeZeile(), "Vorgabe");

  v.FSpalten = {1, 3, 25, 41};
  EXPECT_EQ(v.Spalte(-1), 0);
  EXPECT_EQ(v.Spalte(v.SpaltenAnzahl()), 0);
  EXPECT_EQ(v.Spalte(2), 25);
  v.SpaltenEntfernen(1, 2);
  EXPECT_EQ(v.FSpalten, (V{1, 41}));
  v.SpaltenEntfernen(1, 7);
  EXPECT_EQ(v.FSpalten, (V{1}));
  v.SpalteHinzufuegen(255);
  v.SpalteHinzufuegen(256);
  v.SpalteHinzufuegen(-1);
  EXPECT_EQ(v.FSpalten, (V{1, 255}));
  v.SetzeSortierAnzahl(5);
  EXPECT_EQ(v.FSortierung, (V{21, 22, 3, 0, 0}));
  v.SetzeSortierAnzahl(1);
  EXPECT_EQ(v.FSortierung, (V{21}));
}

TEST_F(TabVorlagen, Standardvorlagen) {
  const struct {
    int n;
    const char* titel;
    std::size_t spalten;
    std::uint8_t filter;
    V sortierung;
  } faelle[] = {
      {0, "Persönliche Daten / Adressenliste", 11, tfSelektiert, {}},
      {3, "Detaillierte Liste", 24, tfSelektiert, {}},
      {4, "Vereinsehrungen (Jubiläumsliste)", 10, tfOhneAustritt | tfVereinsehrung, {67, 21, 22}},
      {5, "Vereinsehrungen (Jubiläumsliste)", 8, tfOhneAustritt | tfVereinsehrung, {-61, 21, 22}},
      {6, "Geburtstage (Jubiläumsliste)", 8, tfOhneAustritt | tfGeburtstagsjubilaeum, {31, 21, 22}},
      {7, "Ehrenmitglieder", 10, tfEhrenmitglied, {}},
      {8, "Austretende Mitglieder", 7, tfAustretend, {21, 22, 3}},
      {10, "Fehler und Hinweise beim Einziehen von Mitgliedsbeiträgen (nicht übernommene Datensätze!)", 12,
       tfSelektiert, {}},
      {11, "Ehemalige Mitglieder (Archiv)", 7, tfArchiv, {-70, 21, 22}},
  };
  for (const auto& f : faelle) {
    TTabVorlage t;
    t.FFilter = tfSelektiert;  // kept by the templates without criteria
    t.FAbteilungen = "Tennis";
    t.Standardvorlage(f.n);
    EXPECT_EQ(t.FTitel, f.titel) << f.n;
    EXPECT_EQ(t.FSpalten.size(), f.spalten) << f.n;
    EXPECT_EQ(t.FFilter, f.filter) << f.n;
    EXPECT_EQ(t.FSortierung, f.sortierung) << f.n;
    EXPECT_EQ(t.FAbteilungen, "Tennis") << f.n;
  }
  TTabVorlage t;
  t.Standardvorlage(12);
  EXPECT_EQ(t.FTitel, "Adressenliste");
  EXPECT_TRUE(t.FSortierung.empty());
  t.Standardvorlage(2);
  EXPECT_EQ(t.FSpalten, (V{1, 3, 25, 41, 44, 81, 83, 84, 85, 86, 101, 104, 105, 106, 121, 122}));
}

TEST_F(TabVorlagen, SpaltentitelUndSortierbareArten) {
  const struct {
    std::int32_t art;
    const char *kurz, *lang;
  } faelle[] = {
      {0, "Listenangaben:", "Listenangaben:"},
      {25, "Name", "Name, Vorname kombiniert"},
      {26, "Name", "Vorname Name kombiniert"},
      {67, "MJub.", "Mitgliedschafsjubiläum"},
      {170, "Hinweise intern", "Hinweise intern"},
      {160, "Erstellt und Geändert:", "Erstellt und Geändert:"},
      {6, "?", "?"},
      {171, "?", "?"},
      {-1, "?", "?"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(TMitglied::SpaltenTitel(f.art, true), f.kurz) << f.art;
    EXPECT_EQ(TMitglied::SpaltenTitel(f.art, false), f.lang) << f.art;
  }
  int koepfe = 0, benannt = 0;
  for (int art = 0; art <= kHoechsteSpalte; ++art) {
    koepfe += IstGruppenkopf(art);
    benannt += TMitglied::SpaltenTitel(art, false) != "?";
  }
  EXPECT_EQ(koepfe, 9);
  EXPECT_EQ(benannt, 77);
  EXPECT_FALSE(IstGruppenkopf(170));
  EXPECT_FALSE(IstGruppenkopf(180));

  EXPECT_EQ(SortierText(0), "Mitgliedsnummer");
  EXPECT_EQ(SortierText(19), "Änderungsdatum");
  EXPECT_EQ(SortierText(20), "Keine Sortierung");
  EXPECT_EQ(SortierText(-1), "Keine Sortierung");
  EXPECT_EQ(SortierArt(10), 29);
  EXPECT_EQ(SortierArt(20), 0);
  EXPECT_EQ(SortierIndex(-21), 2);
  EXPECT_EQ(SortierIndex(164), 19);
  EXPECT_EQ(SortierIndex(25), -1);
  EXPECT_EQ(SortierIndex(0), -1);
  EXPECT_EQ(SortierIndex(std::numeric_limits<std::int32_t>::min()), -1);
  for (int i = 0; i < kSortierArten; ++i) EXPECT_EQ(SortierIndex(SortierArt(i)), i);
}

TEST_F(TabVorlagen, StreamUndKopie) {
  TTabVorlage t;
  t.FTitel = "Übungsleiter – Adressen";
  t.FDruckOptionen = 0xFF;
  t.FKopfFormat.SetzeSchrift({"Arial", 14, kKursiv | kUnterstrichen, 0x00102030});
  t.FTabellenFormat.FZweitfarbe = 0x00ABCDEF;
  t.FSpalten = {0, 255, -1, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
  t.FSortierung.clear();
  t.FAbteilungen = "";
  t.FFilter = 0xFF;
  t.FGruppen = 0xFFFFFFFF;
  t.FBezugsdatum = 12345;
  t.FRechendatum = 777;

  plattform::SetzeFesteZeit(TextZuDatum("16.05.2019").value());
  TTabVorlage r;
  r.FSortierung = {1};
  Rundreise(t, r);
  EXPECT_EQ(r.FTitel, t.FTitel);
  EXPECT_EQ(r.FDruckOptionen, 0xFF);
  EXPECT_EQ(r.FKopfFormat.Schrift(), (TSchrift{"Arial", 14, kKursiv | kUnterstrichen, 0x00102030}));
  EXPECT_EQ(r.FTabellenFormat.FZweitfarbe, 0x00ABCDEFu);
  EXPECT_EQ(r.FSpalten, t.FSpalten);
  EXPECT_TRUE(r.FSortierung.empty()) << "an empty array is stored as such";
  EXPECT_EQ(r.FAbteilungen, "");
  EXPECT_EQ(r.FFilter, 0xFF);
  EXPECT_EQ(r.FGruppen, 0xFFFFFFFFu);
  EXPECT_EQ(r.FBezugsdatum, Heute()) << "the dates are not stored";
  EXPECT_EQ(r.FRechendatum, 0);

  TTabVorlage kopie;
  kopie = t;
  EXPECT_EQ(kopie.FBezugsdatum, 12345);
  EXPECT_EQ(kopie.FRechendatum, 777);
  EXPECT_EQ(kopie.FKopfFormat.Schrift(), t.FKopfFormat.Schrift());
  kopie.FKopfFormat.SetzeGroesse(8);
  EXPECT_EQ(t.FKopfFormat.FGroesse, 14) << "the formats are copied, not shared";
}

// The templates are master data now: they survive a save that drops
// unknown fields, and a list's items get the defaults of a new template.
TEST_F(TabVorlagen, InDenStammdaten) {
  TStammdaten s;
  s.FTabVorlagen.Hinzufuegen().Standardvorlage(6);
  s.FTabVorlagen.Hinzufuegen().LeseZeile("Telefonliste;25;47;48");
  TStammdaten r;
  Rundreise(s, r, 0);
  ASSERT_EQ(r.FTabVorlagen.Anzahl(), 2);
  EXPECT_TRUE(r.FUnbekannt.empty());
  EXPECT_EQ(r.FTabVorlagen.Element(0).FTitel, "Geburtstage (Jubiläumsliste)");
  EXPECT_EQ(r.FTabVorlagen.Element(0).FFilter, tfOhneAustritt | tfGeburtstagsjubilaeum);
  EXPECT_EQ(r.FTabVorlagen.Element(1).SchreibeZeile(), "Telefonliste;25;47;48");
  EXPECT_EQ(r.FTabVorlagen.Element(1).FSortierung, (V{21, 22, 3}));

  // A template holding only its title: everything else is the default.
  TZAQStream nurTitel;
  SchreibeText(nurTitel, "Nur Titel", 10);
  bool ok = true;
  nurTitel.Positionieren(0);
  TTabVorlage neu;
  neu.StreamLesen(nurTitel, static_cast<std::int64_t>(nurTitel.Groesse()), ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(neu.FTitel, "Nur Titel");
  EXPECT_EQ(neu.FSpalten, (V{1, 3, 25, 41, 44}));
  EXPECT_EQ(neu.FAbteilungen, "*");
  EXPECT_EQ(neu.FKopfFormat.Schrift(), (TSchrift{"Tahoma", 10, kFett, 0x800000}));
}

TEST_F(TabVorlagen, SchriftGehtDurchDenFont) {
  TFormat f;
  f.SetzeStil(0xFF);
  EXPECT_EQ(f.FStil, kFett | kKursiv | kUnterstrichen | kDurchgestrichen);
  f.SetzeFarbe(0xFF123456);
  EXPECT_EQ(f.FFarbe, 0x123456u);
  f.SetzeGroesse(9);
  EXPECT_EQ(f.Schrift().groesse, 9);
  f.FSchriftart = "Verdana";
  f.FGroesse = 20;
  TFormat r;
  Rundreise(f, r);
  EXPECT_EQ(r.Schrift(), (TSchrift{"Verdana", 20, 15, 0x123456})) << "the font follows what was read";
}

}  // namespace
}  // namespace zaq
