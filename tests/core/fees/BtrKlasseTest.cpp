// Fee classes: records and their stream layout, lookups, statistics, the
// legacy settings-file form and the editor's checks.
#include <gtest/gtest.h>

#include <cstring>

#include "VereinHilfen.h"
#include "views/Beitragsdialoge.h"

namespace zaq {
namespace {

using test::D;

class BtrKlassen : public test::MitVerein {
 protected:
  // Saves the editor as the user would: the script changes the fields, then presses OK.
  bool Bearbeite(TBtrKlasse& k, std::function<void(TfrmBtrKlasse&)> eingabe) {
    ui.Dialoge.push_back([eingabe](DialogDaten& d) {
      auto& dialog = dynamic_cast<TfrmBtrKlasse&>(d);
      eingabe(dialog);
      return dialog.Speichern();
    });
    return BearbeiteBtrKlasse(k, stamm().FBtrKlassen);
  }
};

TEST_F(BtrKlassen, NeueKlasse) {
  TBtrKlasse k;
  ASSERT_EQ(k.FAltKlassen.size(), 1u);
  EXPECT_EQ(k.FAltKlassen[0].FAlterBis, 150);
  EXPECT_EQ(k.FAltKlassen[0].FBetrag, 0.0f);
  EXPECT_EQ(k.FFamilienAlter, 18);
  EXPECT_EQ(k.FTeilberechnung, 0);
  EXPECT_FALSE(k.FFamilienbeitrag);
}

TEST_F(BtrKlassen, StreamUndDump) {
  TBtrKlasse& k = Klasse("ERW", {{"Jugend", 30.5f, 17}, {"Erwachsene", 96.1f, 64}, {"Senioren", 48.125f, 150}}, 3,
                         true);
  k.FFamilienMax = 3;
  k.FAltKlassen[1].FUnbekannt.push_back({4000, false, false, {1, 2}});
  Familie("FAM", 150.75f, "Familie").FAltKlassen.clear();

  TZAQStream s;
  bool ok = true;
  stamm().StreamSchreiben(s, sfUnbekannte, ok);
  ASSERT_TRUE(ok);
  TStammdaten gelesen;
  s.Positionieren(0);
  gelesen.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
  ASSERT_TRUE(ok && !s.FFehler);
  ASSERT_EQ(gelesen.FBtrKlassen.Anzahl(), 2);
  const TBtrKlasse& g = gelesen.FBtrKlassen.Element(0);
  EXPECT_EQ(g.FSchluessel, "ERW");
  EXPECT_EQ(g.FTeilberechnung, 3);
  EXPECT_TRUE(g.FFaktorText);
  EXPECT_EQ(g.FFamilienMax, 3);
  ASSERT_EQ(g.FAltKlassen.size(), 3u);
  EXPECT_EQ(g.FAltKlassen[1].FBetrag, 96.1f);
  EXPECT_EQ(g.FAltKlassen[1].FUnbekannt, k.FAltKlassen[1].FUnbekannt);
  EXPECT_EQ(g.FAltKlassen[2].FAlterBis, 150);
  // A class written without age classes reads back without the default one.
  EXPECT_TRUE(gelesen.FBtrKlassen.Element(1).FAltKlassen.empty());

  // The amount is the float's 4 bytes, a fixed block of size code 8.
  TZAQStream a;
  k.FAltKlassen[0].StreamSchreiben(a, 0, ok);
  const Bytes& b = a.Daten();
  const std::size_t text = 2 + std::strlen("Jugend");
  ASSERT_GE(b.size(), text + 6);
  EXPECT_EQ(b[text] | b[text + 1] << 8, 20 << 4 | 8);
  float betrag = 0;
  std::memcpy(&betrag, b.data() + text + 2, 4);
  EXPECT_EQ(betrag, 30.5f);

  Json j;
  gelesen.ZuJson(j);
  ASSERT_EQ(j["FBtrKlassen"].size(), 2u);
  EXPECT_EQ(j["FBtrKlassen"][0]["FAltKlassen"][1]["FBetrag"], static_cast<double>(96.1f));
  EXPECT_EQ(j["FBtrKlassen"][0]["FAltKlassen"][0]["FVerwendungszweck"], "Jugend");
  EXPECT_EQ(j["FBtrKlassen"][0]["FFamilienAlter"], 18);
  EXPECT_FALSE(j["FBtrKlassen"][1].contains("FAltKlassen"));
}

TEST_F(BtrKlassen, SucheNachSchluessel) {
  Klasse(" ", {});
  TBtrKlasse& a = Klasse("A", {});
  Klasse("A", {});
  EXPECT_EQ(stamm().SucheBtrKlasse(" "), nullptr);
  EXPECT_EQ(stamm().SucheBtrKlasse(""), nullptr);
  EXPECT_EQ(stamm().SucheBtrKlasse("a"), nullptr);
  EXPECT_EQ(stamm().SucheBtrKlasse("A "), nullptr);
  EXPECT_EQ(stamm().SucheBtrKlasse("A"), &a);
}

TEST_F(BtrKlassen, TeilberechnungsTexte) {
  std::string t = "alt";
  TeilberechnungText(14, t);
  EXPECT_EQ(t, "alt");
  TeilberechnungText(-1, t);
  EXPECT_EQ(t, "alt");
  TeilberechnungText(0, t);
  EXPECT_EQ(t, "Es findet keine Teilberechnung statt.");
  TeilberechnungText(7, t);
  EXPECT_EQ(t, "Beitrag wird aufgerundet auf ein Quartal genau berechnet.");
  TeilberechnungText(13, t);
  EXPECT_EQ(t, "Jahresbeitrag, aufrunden unter 12 Monaten");
  EXPECT_EQ(TeilberechnungTexte().size(), 14u);
}

TEST_F(BtrKlassen, Zusatzdatei) {
  test::Schreibe(dir / "alt.zaz",
                 std::string("[ZAQ Vereinsstammdaten]\r\nB-Schl\xFCsselanzahl=3\r\nB-Schl\xFCssel 1=FAM\r\n"
                             "B-Schl\xFCssel 2=ERW\r\nB-Schl\xFCssel 3=LEER\r\n\r\n"
                             "[BSLFAM]\r\nBezeichnung=Familie\r\nEinmalig berechnen=ja\r\nFamilien Max=2\r\n"
                             "Anzahl=1\r\nVerwendungszweck 1=Familienbeitrag\r\nBetrag 1=1250\r\n\r\n"
                             "[BSLERW]\r\nEinmalig berechnen=ja\r\nFamilienbeitrag=nein\r\nAltersklassen=2\r\n"
                             "Betrag 1=3000\r\nAlter 1=17\r\nBetrag 2=9610\r\nFamilien Alter=21\r\n\r\n"
                             "[BSLLEER]\r\nBezeichnung=Leer\r\n"));
  auto neu = TZAQ::CreateNeu(false, true);
  EXPECT_TRUE(LeseZusatzdatei(dir / "alt.zaz", *neu));
  const TBtrKlassenListe& l = neu->FStammdaten.FBtrKlassen;
  ASSERT_EQ(l.Anzahl(), 3);
  const TBtrKlasse& fam = l.Element(0);
  EXPECT_EQ(fam.FSchluessel, "FAM");
  EXPECT_TRUE(fam.FFamilienbeitrag);
  EXPECT_EQ(fam.FFamilienMax, 2);
  ASSERT_EQ(fam.FAltKlassen.size(), 1u);
  EXPECT_EQ(fam.FAltKlassen[0].FBetrag, 12.5f);
  EXPECT_EQ(fam.FAltKlassen[0].FVerwendungszweck, "Familienbeitrag");
  const TBtrKlasse& erw = l.Element(1);
  EXPECT_FALSE(erw.FFamilienbeitrag);
  EXPECT_EQ(erw.FFamilienAlter, 21);
  ASSERT_EQ(erw.FAltKlassen.size(), 2u);
  EXPECT_EQ(erw.FAltKlassen[0].FAlterBis, 17);
  EXPECT_EQ(erw.FAltKlassen[1].FAlterBis, 150);
  EXPECT_EQ(erw.FAltKlassen[1].FBetrag, 96.1f);
  // No count: one default age class.
  ASSERT_EQ(l.Element(2).FAltKlassen.size(), 1u);
  EXPECT_EQ(l.Element(2).FAltKlassen[0].FAlterBis, 150);

  // A byte out of range or a non-number fails the import; the rest is read.
  test::Schreibe(dir / "kaputt.zaz",
                 std::string("[ZAQ Vereinsstammdaten]\r\nB-Schl\xFCsselanzahl=1\r\nB-Schl\xFCssel 1=X\r\n\r\n"
                             "[BSLX]\r\nFamilien Alter=300\r\nAltersklassen=1\r\nBetrag 1=zwölf\r\nAlter 1=40\r\n"));
  auto kaputt = TZAQ::CreateNeu(false, true);
  EXPECT_FALSE(LeseZusatzdatei(dir / "kaputt.zaz", *kaputt));
  const TBtrKlasse& x = kaputt->FStammdaten.FBtrKlassen.Element(0);
  EXPECT_EQ(x.FFamilienAlter, 18);
  EXPECT_EQ(x.FAltKlassen[0].FAlterBis, 40);
}

TEST_F(BtrKlassen, EditorZeigtDieKlasse) {
  TBtrKlasse neu;
  TfrmBtrKlasse n(neu, stamm().FBtrKlassen);
  EXPECT_EQ(n.Titel, "Beitragsklasse hinzufügen");
  EXPECT_EQ(n.Knopf, "Hinzufügen");
  EXPECT_EQ(n.txtFamilienZweck, "Familienbeitrag");
  EXPECT_EQ(n.txtFamilienBetrag, "0,00");

  TBtrKlasse& k = Klasse("ERW", {{"Jugend", 30.5f, 17}, {"Erwachsene", 96, 64}}, 6);
  TfrmBtrKlasse d(k, stamm().FBtrKlassen);
  EXPECT_EQ(d.Titel, "Beitragsklasse bearbeiten");
  EXPECT_EQ(d.Knopf, "OK");
  EXPECT_EQ(d.cmbTeilberechnung, 6);
  EXPECT_EQ(d.txtAnzahl, 2);
  EXPECT_EQ(d.Zeilen[0].betrag, "30,50");
  EXPECT_EQ(d.Zeilen[1].von, 18);
  EXPECT_EQ(d.Zeilen[1].bis, 64);
  EXPECT_EQ(d.Zeilen[2].von, 65);
  EXPECT_EQ(d.Zeilen[2].bis, 150);
  EXPECT_EQ(d.Zeilen[2].zweck, "");
  // Raising a bound moves the next row's start and, below it, its bound.
  d.Zeilen[0].bis = 70;
  d.txtBisChange(0);
  EXPECT_EQ(d.Zeilen[1].von, 71);
  EXPECT_EQ(d.Zeilen[1].bis, 71);
  EXPECT_EQ(d.Zeilen[2].von, 72);

  TBtrKlasse& fam = Familie("FAM", 120, "Familie");
  fam.FFamilienIst = 2;
  TfrmBtrKlasse f(fam, stamm().FBtrKlassen);
  EXPECT_TRUE(f.optFamilienbeitrag);
  EXPECT_EQ(f.txtFamilienZweck, "Familie");
  EXPECT_EQ(f.txtFamilienBetrag, "120,00");
  EXPECT_EQ(f.Zeilen[0].zweck, "");
  EXPECT_EQ(f.Zeilen[0].bis, 150);
  EXPECT_TRUE(f.chkFesteZahl);
  EXPECT_FALSE(f.chkHoechstzahl);
  EXPECT_EQ(f.txtFamilienZahl, 2);
  f.chkHoechstzahl = true;
  f.chkHoechstzahlClick();
  EXPECT_FALSE(f.chkFesteZahl);
  f.chkFesteZahl = true;
  f.chkFesteZahlClick();
  EXPECT_FALSE(f.chkHoechstzahl);
}

TEST_F(BtrKlassen, EditorSpeichert) {
  TBtrKlasse& andere = Klasse("AKT", {{"Aktiv", 60, 150}});
  auto* neu = [&] {
    ui.Dialoge.push_back([](DialogDaten& d) {
      auto& dialog = dynamic_cast<TfrmBtrKlasse&>(d);
      dialog.txtSchluessel = " a ";
      dialog.txtSchluesselChange();
      dialog.txtBezeichnung = "  Familie  ";
      dialog.optFamilienbeitrag = true;
      dialog.txtAnzahl = 7;
      dialog.txtFamilienZweck = "Familie";
      dialog.txtFamilienBetrag = "120,5";
      dialog.chkHoechstzahl = true;
      dialog.txtFamilienZahl = 3;
      dialog.cmbTeilberechnung = 12;
      return dialog.Speichern();
    });
    return BtrKlasseHinzufuegen(stamm().FBtrKlassen);
  }();
  ASSERT_NE(neu, nullptr);
  EXPECT_EQ(stamm().FBtrKlassen.Anzahl(), 2);
  EXPECT_EQ(neu->FSchluessel, "A");
  EXPECT_EQ(neu->FBezeichnung, "Familie");
  EXPECT_EQ(neu->FTeilberechnung, 12);
  ASSERT_EQ(neu->FAltKlassen.size(), 1u);
  EXPECT_EQ(neu->FAltKlassen[0].FAlterBis, 0);
  EXPECT_EQ(neu->FAltKlassen[0].FBetrag, 120.5f);
  EXPECT_EQ(neu->FFamilienMax, 3);
  EXPECT_EQ(neu->FFamilienIst, 0);
  TfrmBtrKlasse wieder(*neu, stamm().FBtrKlassen);
  EXPECT_TRUE(wieder.chkHoechstzahl);
  EXPECT_FALSE(wieder.chkFesteZahl);
  EXPECT_EQ(wieder.txtFamilienZahl, 3);

  // Age classes from the rows up to "Anzahl".
  EXPECT_TRUE(Bearbeite(andere, [](TfrmBtrKlasse& d) {
    d.txtAnzahl = 3;
    d.Zeilen[0] = {"Kinder", 0, 13, "24"};
    d.Zeilen[1] = {"Jugend", 14, 17, "36,00"};
    d.Zeilen[2] = {"Erwachsene", 18, 150, "1234,56"};
  }));
  ASSERT_EQ(andere.FAltKlassen.size(), 3u);
  EXPECT_EQ(andere.FAltKlassen[1].FAlterBis, 17);
  EXPECT_EQ(andere.FAltKlassen[2].FBetrag, 1234.56f);
  EXPECT_EQ(andere.FSchluessel, "AKT");  // its own key may stay
  EXPECT_TRUE(ui.Meldungen.empty());

  // Refusals leave the class as it was.
  const struct {
    const char* fall;
    std::function<void(TfrmBtrKlasse&)> eingabe;
    const char* meldung;
  } faelle[] = {
      {"leer", [](TfrmBtrKlasse& d) { d.txtSchluessel = "   "; }, "Geben Sie bitte einen Schlüssel an."},
      {"vergeben", [](TfrmBtrKlasse& d) { d.txtSchluessel = "A"; },
       "Beitragsschlüssel existiert bereits. Wählen Sie einen anderen!"},
      {"vergeben mit Leerzeichen", [](TfrmBtrKlasse& d) { d.txtSchluessel = "A "; },
       "Beitragsschlüssel existiert bereits. Wählen Sie einen anderen!"},
      {"Betrag", [](TfrmBtrKlasse& d) { d.Zeilen[2].betrag = "12.50"; },
       "Fehler beim Speichern, bitte überprüfen Sie alle Angaben!"},
      {"Betrag leer", [](TfrmBtrKlasse& d) { d.Zeilen[0].betrag = ""; },
       "Fehler beim Speichern, bitte überprüfen Sie alle Angaben!"},
  };
  for (const auto& f : faelle) {
    ui.Leeren();
    const TBtrKlasse vorher = andere;
    EXPECT_FALSE(Bearbeite(andere, [&](TfrmBtrKlasse& d) {
      d.txtBezeichnung = "geändert";
      f.eingabe(d);
    })) << f.fall;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung}) << f.fall;
    EXPECT_EQ(andere.FBezeichnung, vorher.FBezeichnung) << f.fall;
    EXPECT_EQ(andere.FAltKlassen.size(), vorher.FAltKlassen.size()) << f.fall;
  }
  // A cancelled new class is not added.
  ui.Dialoge.push_back([](DialogDaten&) { return false; });
  EXPECT_EQ(BtrKlasseHinzufuegen(stamm().FBtrKlassen), nullptr);
  EXPECT_EQ(stamm().FBtrKlassen.Anzahl(), 2);
}

TEST_F(BtrKlassen, Entfernen) {
  Klasse("A", {});
  Klasse("B", {});
  ui.Antworten = {Antwort::Abbrechen, Antwort::OK};
  EXPECT_FALSE(BtrKlasseEntfernen(stamm().FBtrKlassen, 0));
  EXPECT_TRUE(BtrKlasseEntfernen(stamm().FBtrKlassen, 0));
  EXPECT_FALSE(BtrKlasseEntfernen(stamm().FBtrKlassen, 5));
  ASSERT_EQ(stamm().FBtrKlassen.Anzahl(), 1);
  EXPECT_EQ(stamm().FBtrKlassen.Element(0).FSchluessel, "B");
  EXPECT_EQ(ui.Texte().front(), "Hiermit entfernen Sie die ausgewählte Beitragsklasse.");
}

TEST_F(BtrKlassen, BetraegeLesen) {
  const struct {
    const char* text;
    std::optional<double> wert;
  } faelle[] = {{"12,50", 12.5}, {" 7 ", 7.0}, {"-3,5", -3.5}, {",5", 0.5}, {"12.50", std::nullopt},
                {"", std::nullopt}, {"1,", std::nullopt}, {"1.234,5", std::nullopt}, {"1e3", std::nullopt},
                {"-", std::nullopt}, {"12,5,0", std::nullopt}};
  for (const auto& f : faelle) EXPECT_EQ(LeseBetrag(f.text), f.wert) << f.text;
}

// Amounts are read exactly, to the cent, and only where the stored float
// gives the same cent back.
TEST_F(BtrKlassen, BetraegeGenauAufDenCent) {
  const struct {
    const char* text;
    std::optional<std::int64_t> cent;
    bool floatOk;
  } faelle[] = {
      {"52,50", 5250, true},       {"0,07", 7, true},           {"12,505", std::nullopt, false},
      {"131071,99", 13107199, true}, {"131072,01", 13107201, false}, {"131072,00", 13107200, true},
      {"999999,99", 99999999, false}, {"-0,01", -1, true},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(LeseCent(f.text), f.cent) << f.text;
    bool zuGross = false;
    const auto wert = LeseFloatBetrag(f.text, &zuGross);
    EXPECT_EQ(wert.has_value(), f.floatOk) << f.text;
    EXPECT_EQ(zuGross, f.cent.has_value() && !f.floatOk) << f.text;
  }
  auto& k = Klasse("A", {{"Beitrag", 10.0f, 0}});
  TfrmBtrKlasse d(k, stamm().FBtrKlassen);
  d.Zeilen[0].betrag = "200000,01";
  EXPECT_FALSE(d.Speichern());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Der Betrag 200000,01 kann nicht auf den Cent genau gespeichert "
                                                 "werden. Ab 131.072,00 € sind nicht mehr alle Centbeträge möglich."});
  EXPECT_EQ(k.FAltKlassen.front().FBetrag, 10.0f);
  ui.Leeren();
  d.Zeilen[0].betrag = "12,50";
  d.txtBezeichnung = "Beitrag für Ağabey";
  EXPECT_FALSE(d.Speichern());
  EXPECT_EQ(ui.Texte().size(), 1u);
  EXPECT_NE(ui.Texte().front().find("„ğ“"), std::string::npos);
}

TEST(Eingaberegeln, Getippt) {
  const struct {
    TEingaberegel regel;
    const char* text;
    const char* ergebnis;
  } faelle[] = {
      {{5, true}, "straße", "STRAß"}, {{5, true}, "äöüé", "ÄÖÜÉ"}, {{5, true}, "abcdefg", "ABCDE"},
      {{10, false, true}, "1,2,2020", "1.2.2020"}, {{3}, "Äpfel", "Äpf"}, {{}, "frei, mit Komma", "frei, mit Komma"},
  };
  for (const auto& f : faelle) EXPECT_EQ(Getippt(f.regel, f.text), f.ergebnis) << f.text;
}

}  // namespace
}  // namespace zaq
