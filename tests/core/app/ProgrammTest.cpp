// File commands, start-up and closing with their questions.
#include <gtest/gtest.h>

#include <filesystem>

#include "Hilfen.h"
#include "app/Programm.h"

namespace zaq {
namespace {

namespace fs = std::filesystem;

const std::string kNeuFrage = "Die aktuelle Liste wurde verändert und ist noch nicht gespeichert. Speichern?";

class Programm : public test::MitOberflaeche {
 protected:
  void SetUp() override { SpeichereAutomatischeAnmeldung("Admin", ""); }
  std::string Datei(const std::string& name, const std::string& beschreibung) {
    auto liste = TZAQ::CreateNeu(true, true);
    liste->FBeschreibung = beschreibung;
    EXPECT_TRUE(liste->SpeichernAls(dir / name, false));
    return dir / name;
  }
  TProgramm p;
};

TEST_F(Programm, StartMitArgumentZeigtNieDenDialog) {
  SchreibeEinstellung(esLetzteDatei, Datei("alt.zaq", "alt"));
  const std::string datei = Datei("a.zaq", "A");
  ASSERT_TRUE(p.Starten({datei}));
  EXPECT_TRUE(ui.DateiDialoge.empty());
  EXPECT_EQ(p.Liste()->FBeschreibung, "A");
}

TEST_F(Programm, StartOhneArgumentSchlaegtLetzteDateiVor) {
  SchreibeEinstellung(esLetzteDatei, Datei("alt.zaq", "alt"));
  ui.Dateinamen = {dir / "alt.zaq"};
  ASSERT_TRUE(p.Starten({}));
  ASSERT_EQ(ui.DateiDialoge.size(), 1u);
  EXPECT_EQ(ui.DateiDialoge[0].titel, "Datei öffnen");
  EXPECT_EQ(ui.DateiDialoge[0].vorschlag, dir / "alt.zaq");
  EXPECT_EQ(ui.DateiDialoge[0].filter.front().muster, "*.zaq");
  EXPECT_EQ(p.Liste()->FBeschreibung, "alt");

  // "Datei merken" = 0: no proposal; a cancelled dialog leaves a new list.
  SchreibeEinstellungZahl(esDateiMerken, 0);
  TProgramm q;
  ui.Leeren();
  ASSERT_TRUE(q.Starten({}));
  EXPECT_EQ(ui.DateiDialoge.at(0).vorschlag, "");
  ASSERT_TRUE(q.Liste());
  EXPECT_FALSE(q.Liste()->HatDateiname());
  EXPECT_EQ(q.Liste()->FMitglieder.Anzahl(), 1);
  EXPECT_EQ(q.Liste()->AktuellerBenutzer()->FLogin, "Admin");
}

TEST_F(Programm, DefekteDateiBeimStartGibtNeueListe) {
  test::Schreibe(dir / "x.zaq", std::string("ZAQ32**700 kaputt"));
  ASSERT_TRUE(p.Starten({dir / "x.zaq"}));
  EXPECT_FALSE(p.Liste()->HatDateiname());
  EXPECT_EQ(ui.Meldungen.size(), 1u);
}

TEST_F(Programm, BereitsGeoeffneteDateiWirdAbgelehnt) {
  const std::string a = Datei("a.zaq", "A");
  Datei("b.zaq", "B");
  ASSERT_EQ(p.DateiOeffnen(a), 1);
  // Same file in other case, then its backup copy name, then another file.
  ui.Dateinamen = {dir / "A.ZAQ", dir / "a.~aq", dir / "b.zaq"};
  EXPECT_EQ(p.DateiOeffnen(""), 1);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>(2, "Diese Datei ist bereits geöffnet. Geben Sie eine andere Datei an!"));
  EXPECT_EQ(p.Liste()->FBeschreibung, "B");
}

TEST_F(Programm, GeaenderteNeueListeUndNein) {
  p.mnuDateiNeuClick();
  p.Liste()->Geaendert();
  const TZAQ* alt = p.Liste();
  ui.Antworten = {Antwort::Abbrechen};
  p.mnuDateiNeuClick();
  EXPECT_EQ(p.Liste(), alt);  // Cancel keeps the list
  ui.Antworten = {Antwort::Nein};
  p.mnuDateiNeuClick();
  EXPECT_NE(p.Liste(), alt);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>(2, kNeuFrage));
  EXPECT_EQ(ui.Meldungen[0].meldung.knoepfe, Knoepfe::JaNeinAbbrechen);
}

TEST_F(Programm, GeaenderteNeueListeUndJaSpeichertUnter) {
  p.mnuDateiNeuClick();
  p.Liste()->FBeschreibung = "gerettet";
  p.Liste()->Geaendert();
  ui.Antworten = {Antwort::Ja};
  ui.Dateinamen = {dir / "gerettet.zaq"};
  p.mnuDateiNeuClick();
  EXPECT_EQ(TZAQ::CreateAusDatei(dir / "gerettet.zaq")->FBeschreibung, "gerettet");
  EXPECT_FALSE(p.Liste()->HatDateiname());
  ASSERT_EQ(ui.DateiDialoge.size(), 1u);
  EXPECT_EQ(ui.DateiDialoge[0].titel, "Datei speichern unter");
}

TEST_F(Programm, GeaenderteDateiWirdStillGespeichert) {
  ASSERT_EQ(p.DateiOeffnen(Datei("a.zaq", "A")), 1);
  p.Liste()->FBeschreibung = "A2";
  p.Liste()->Geaendert();
  ASSERT_EQ(p.DateiOeffnen(Datei("b.zaq", "B")), 1);
  EXPECT_TRUE(ui.Meldungen.empty());
  EXPECT_EQ(TZAQ::CreateAusDatei(dir / "a.zaq")->FBeschreibung, "A2");
}

TEST_F(Programm, SpeichernScheitertUndDerBenutzerEntscheidet) {
  ASSERT_EQ(p.DateiOeffnen(Datei("a.zaq", "A")), 1);
  p.Liste()->Geaendert();
  // The file's place is taken by a directory: saving must fail.
  fs::remove(dir / "a.zaq");
  fs::create_directory(dir / "a.zaq");
  const std::string frage = "Speichern der aktuell geöffneten Datei ist fehlgeschlagen. Sie können versuchen, die "
                            "Datei evtl. unter einem anderen Namen abzuspeichern. Wollen Sie trotzdem mit dem "
                            "Öffnen einer vorhandenen Mitgliederliste fortfahren, wodurch Änderungen an " +
                            (dir / "a.zaq") + " verloren gehen?";
  ui.Antworten = {Antwort::OK, Antwort::Nein};
  EXPECT_EQ(p.DateiOeffnen(Datei("b.zaq", "B")), 0);
  ASSERT_EQ(ui.Meldungen.size(), 2u);
  EXPECT_EQ(ui.Meldungen[1].meldung.text, frage);
  EXPECT_EQ(ui.Meldungen[1].meldung.vorgabe, 2);
  EXPECT_EQ(p.Liste()->FBeschreibung, "A");
}

TEST_F(Programm, KopieAufDieOffeneDateiWirdAbgelehnt) {
  ASSERT_EQ(p.DateiOeffnen(Datei("a.zaq", "A")), 1);
  ui.Dateinamen = {dir / "a.zaq", std::nullopt};
  EXPECT_EQ(p.SpeichernUnter(true), 0);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{dir / "a.zaq" + " ist bereits geöffnet. Wählen Sie einen anderen Namen!"});
  EXPECT_EQ(ui.DateiDialoge.at(0).titel, "Kopie speichern untern");
  EXPECT_EQ(ui.DateiDialoge.at(0).vorschlag, "a.zaq");
}

TEST_F(Programm, SpeichernUnterAufDieOffeneDateiFragt) {
  ASSERT_EQ(p.DateiOeffnen(Datei("a.zaq", "A")), 1);
  p.Liste()->FBeschreibung = "A2";
  p.Liste()->Geaendert();
  ui.Dateinamen = {dir / "a.zaq"};
  ui.Antworten = {Antwort::Ja};
  EXPECT_EQ(p.SpeichernUnter(false), 1);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{dir / "a.zaq" + " ist bereits geöffnet. Möchten Sie die Änderungen unter gleichem Dateinamen speichern?"});
  EXPECT_FALSE(p.Liste()->FGeaendert);
  EXPECT_EQ(TZAQ::CreateAusDatei(dir / "a.zaq")->FBeschreibung, "A2");
}

TEST_F(Programm, SpeichernUnterMachtDenNamenZumListennamenKopieNicht) {
  p.mnuDateiNeuClick();
  p.Liste()->Geaendert();
  ui.Dateinamen = {dir / "kopie.zaq", dir / "neu.zaq"};
  EXPECT_EQ(p.SpeichernUnter(true), 1);
  EXPECT_FALSE(p.Liste()->HatDateiname());
  EXPECT_TRUE(p.Liste()->FGeaendert);
  EXPECT_EQ(p.SpeichernUnter(false), 1);
  EXPECT_EQ(p.Liste()->FDateiname, dir / "neu.zaq");
  EXPECT_FALSE(p.Liste()->FGeaendert);
}

TEST_F(Programm, FehlerBeimSpeichernUnterBietetWiederholen) {
  p.mnuDateiNeuClick();
  fs::create_directory(dir / "ordner.zaq");
  ui.Dateinamen = {dir / "ordner.zaq", dir / "gut.zaq"};
  ui.Antworten = {Antwort::OK, Antwort::Wiederholen};
  EXPECT_EQ(p.SpeichernUnter(false), 1);
  ASSERT_EQ(ui.Meldungen.size(), 2u);
  EXPECT_EQ(ui.Meldungen[1].meldung.text, "Fehler beim Speichern der Datei.");
  EXPECT_EQ(ui.Meldungen[1].meldung.knoepfe, Knoepfe::WiederholenAbbrechen);
  EXPECT_EQ(p.Liste()->FDateiname, dir / "gut.zaq");
}

TEST_F(Programm, BeendenFragtNurMitEndeMeldungUndNieBeimSitzungsende) {
  p.mnuDateiNeuClick();
  EXPECT_TRUE(p.FormCloseQuery());
  EXPECT_TRUE(ui.Meldungen.empty());
  SchreibeEinstellungZahl(esEndeMeldung, 1);
  ui.Antworten = {Antwort::Nein};
  EXPECT_FALSE(p.FormCloseQuery());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Wollen Sie das Programm wirklick verlassen?"});
  p.BeiSitzungsende();
  EXPECT_TRUE(p.FormCloseQuery());
  EXPECT_EQ(ui.Meldungen.size(), 1u);
}

TEST_F(Programm, OffeneFensterVerhindernDasBeenden) {
  p.mnuDateiNeuClick();
  p.FSEPAOffen = true;
  EXPECT_FALSE(p.FormCloseQuery());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Bitte schließen Sie erst die SEPA-Lastschriftenverwaltung, um fortfahren zu können."});
  p.BeiSitzungsende();
  EXPECT_TRUE(p.FormCloseQuery());
}

TEST_F(Programm, BeendenMerktDieLetzteDatei) {
  const std::string a = Datei("a.zaq", "A");
  ASSERT_EQ(p.DateiOeffnen(a), 1);
  p.Liste()->FBeschreibung = "geändert";
  p.Liste()->Geaendert();
  ASSERT_TRUE(p.FormCloseQuery());
  p.FormClose();
  EXPECT_EQ(LeseEinstellung(esLetzteDatei), a);
  EXPECT_EQ(TZAQ::CreateAusDatei(a)->FBeschreibung, "geändert");
}

// "Auto Sortieren": 1 by name, 2 by number, any other value leaves the
// order of the file.
TEST_F(Programm, AutoSortierenNachDemOeffnen) {
  auto liste = TZAQ::CreateNeu(false, true);
  const struct {
    const char* name;
    int nummer;
  } mitglieder[] = {{"Zander", 1}, {"Ärger", 3}, {"Abel", 2}};
  for (const auto& m : mitglieder) {
    auto neu = std::make_unique<TMitglied>();
    neu->FName = m.name;
    neu->FMitgliedsnummer = static_cast<std::uint16_t>(m.nummer);
    liste->FMitglieder.Anhaengen(std::move(neu));
  }
  ASSERT_TRUE(liste->SpeichernAls(dir / "s.zaq", false));
  const struct {
    int art;
    std::vector<std::string> namen;
  } faelle[] = {
      {0, {"Zander", "Ärger", "Abel"}},
      {1, {"Abel", "Ärger", "Zander"}},
      {2, {"Zander", "Abel", "Ärger"}},
      {3, {"Zander", "Ärger", "Abel"}},
  };
  for (const auto& f : faelle) {
    SchreibeEinstellungZahl(esAutoSortieren, f.art);
    TProgramm q;
    ASSERT_EQ(q.DateiOeffnen(dir / "s.zaq"), 1);
    std::vector<std::string> namen;
    for (const auto& m : q.Liste()->FMitglieder) namen.push_back(m->FName);
    EXPECT_EQ(namen, f.namen) << f.art;
  }
}

TEST_F(Programm, SicherungskopieBeimOeffnen) {
  SchreibeEinstellungZahl(esSicherungskopie, 1);
  SchreibeEinstellung(esSicherungsverzeichnis, dir.Pfad().string());
  ASSERT_EQ(p.DateiOeffnen(Datei("a.zaq", "A")), 1);
  EXPECT_TRUE(fs::exists(dir / "~Sicherungskopie1.~aq"));
  // Opening the copy shows the note and writes none.
  TProgramm q;
  ASSERT_EQ(q.DateiOeffnen(dir / "~Sicherungskopie1.~aq"), 1);
  EXPECT_FALSE(fs::exists(dir / "~Sicherungskopie2.~aq"));
  EXPECT_EQ(ui.Meldungen.size(), 1u);
}

}  // namespace
}  // namespace zaq
