// The sort commands of the main window, the extended sort dialog, the search
// window, and the template dialog "Tabelleneigenschaften" with its relatives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Hilfen.h"
#include "base/Datum.h"
#include "interaction/Einstellungen.h"
#include "store/ZAQ.h"
#include "views/Hauptfenster.h"
#include "views/Sortieren.h"
#include "views/Tabellenvorlage.h"

namespace zaq {
namespace {

using V = std::vector<std::int32_t>;

class Sortieren : public test::MitOberflaeche {
 protected:
  Sortieren() {
    auto liste = TZAQ::CreateNeu(false, true);
    L = liste.get();
    L->FMitglieder.Leeren();
    L->Administrator()->FKennwortAktionen = 0;
    for (const auto& [nr, name, vorname] : {std::tuple{5, "Zander", "Ulf"}, {2, "Bauer", "Anna"},
                                            {9, "Öztürk", "Can"}, {1, "Bauer", "Anton"}}) {
      TMitglied& m = L->FMitglieder.Anhaengen(std::make_unique<TMitglied>(L, static_cast<std::uint16_t>(nr)));
      m.FName = name;
      m.FVorname = vorname;
    }
    f.SetzeListe(std::move(liste));
    f.AktualisiereBereich();
    f.ZeigeMitglied(L->FMitglieder.Erstes());
  }
  std::vector<int> Nummern() const {
    std::vector<int> n;
    for (const auto& m : L->FMitglieder) n.push_back(m->FMitgliedsnummer);
    return n;
  }
  // Answers the next dialog of class D with a change.
  template <class D>
  void Antworte(std::function<void(D&)> aendern, bool ok = true) {
    ui.Dialoge.push_back([aendern, ok](DialogDaten& d) {
      auto* dd = dynamic_cast<D*>(&d);
      if (!dd) {
        ADD_FAILURE() << "unerwarteter Dialog " << d.Art();
        return false;
      }
      aendern(*dd);
      return ok;
    });
  }
  TfrmZAQ f;
  TZAQ* L;
};

TEST_F(Sortieren, BefehleSortierenUndZeigenDasMitgliedVonVorher) {
  EXPECT_TRUE(f.Zustand(Bef::mnuSortName).aktiv);
  ASSERT_EQ(f.AktuelleNummer(), 5);
  ASSERT_TRUE(f.Befehl(Bef::mnuSortName));
  EXPECT_EQ(Nummern(), (std::vector<int>{2, 1, 9, 5}));
  EXPECT_EQ(f.AktuelleNummer(), 5);
  EXPECT_EQ(f.AktuellePosition(), 4);
  ASSERT_TRUE(f.Befehl(Bef::mnuSortVorname));
  EXPECT_EQ(Nummern(), (std::vector<int>{2, 1, 9, 5}));
  ASSERT_TRUE(f.Befehl(Bef::mnuSortMNr));
  EXPECT_EQ(Nummern(), (std::vector<int>{1, 2, 5, 9}));
  EXPECT_TRUE(ui.DialogArten.empty()) << "fixed keys ask nothing";

  // The extended sort starts from no keys: every choice at the first entry.
  Antworte<TfrmZAQSort>([](TfrmZAQSort& d) {
    EXPECT_EQ(d.FWahl, (std::array<int, 3>{0, 0, 0}));
    d.FWahl = {2, 3, 0};
    d.FAbsteigend = {true, false, false};
  });
  ASSERT_TRUE(f.Befehl(Bef::mnuSortErweitert));
  EXPECT_EQ(Nummern(), (std::vector<int>{5, 9, 2, 1}));
  // "Schließen" sorts nothing.
  Antworte<TfrmZAQSort>([](TfrmZAQSort& d) { d.FWahl = {0, -1, -1}; }, false);
  f.Befehl(Bef::mnuSortErweitert);
  EXPECT_EQ(Nummern(), (std::vector<int>{5, 9, 2, 1}));
  EXPECT_TRUE(ui.AlleBeantwortet());
}

TEST_F(Sortieren, ErweiterterDialog) {
  const TfrmZAQSort d(Sortierschluessel{-70, 25});
  EXPECT_EQ(d.FWahl, (std::array<int, 3>{16, -1, 0}));
  EXPECT_EQ(d.FAbsteigend, (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(d.Sortieren(), (Sortierschluessel{-70, 0, 3}));
  EXPECT_EQ(TfrmZAQSort::Auswahl().size(), 20u);
  EXPECT_EQ(TfrmZAQSort::Auswahl()[12], "Altersjub.-Datum");

  Sortierschluessel s{21};
  Antworte<TfrmZAQSort>([](TfrmZAQSort& dd) { dd.FAbsteigend[2] = true; });
  ASSERT_TRUE(SortierSchluessel(0, s));
  EXPECT_EQ(s, (Sortierschluessel{21, 3, -3}));
  Antworte<TfrmZAQSort>([](TfrmZAQSort& dd) { dd.FWahl = {1, 1, 1}; }, false);
  EXPECT_FALSE(SortierDialog(s));
  EXPECT_EQ(s, (Sortierschluessel{21, 3, -3}));
  ASSERT_TRUE(SortierSchluessel(32, s));
  EXPECT_EQ(s, (Sortierschluessel{-70, 21, 22}));
}

TEST_F(Sortieren, Suchfenster) {
  TfrmZAQSuchen& s = f.Suchfenster();
  EXPECT_FALSE(f.Zustand(Bef::mnuMitglSuchen).markiert);
  ASSERT_TRUE(f.Befehl(Bef::mnuMitglSuchen));
  EXPECT_TRUE(s.Sichtbar());
  EXPECT_TRUE(f.Zustand(Bef::mnuMitglSuchen).markiert);
  EXPECT_TRUE(s.FAutomatisch);

  s.TextGeaendert("ö");
  EXPECT_EQ(f.AktuelleNummer(), 9);
  s.TextGeaendert("ÖZTÜRK");
  EXPECT_EQ(f.AktuelleNummer(), 9);
  s.TextGeaendert("bauer");
  EXPECT_EQ(f.AktuelleNummer(), 2);
  s.Suchen();
  EXPECT_EQ(f.AktuelleNummer(), 1);
  s.Suchen();
  EXPECT_EQ(f.AktuelleNummer(), 1);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Keinen weiteren Datensatz gefunden."});
  EXPECT_EQ(ui.Meldungen[0].meldung.art, MeldungsArt::Information);
  EXPECT_TRUE(s.FTextAuswaehlen);

  // Without the automatic search, typing goes back to the first member.
  s.FAutomatisch = false;
  s.TextGeaendert("Zander");
  EXPECT_EQ(f.AktuelleNummer(), 5);
  s.Schliessen();
  EXPECT_FALSE(f.Zustand(Bef::mnuMitglSuchen).markiert);

  SchreibeEinstellungZahl(esAutosuchen, 0);
  f.Befehl(Bef::mnuMitglSuchen);
  EXPECT_FALSE(s.FAutomatisch);
  TfrmZAQSuchen::SpeicherePlatz({120, 80});
  EXPECT_EQ(TfrmZAQSuchen::GespeicherterPlatz().x, 120);
  EXPECT_EQ(LeseEinstellung(esZAQSuchenY), "80");
}

// --- the template dialog -----------------------------------------------------

using Tab = TfrmZAQBenutzerTab;

std::vector<std::int32_t> Arten(const std::vector<Tab::Eintrag>& liste) {
  std::vector<std::int32_t> a;
  for (const auto& e : liste) a.push_back(e.art);
  return a;
}

TEST_F(Sortieren, VorlagendialogVorbereiten) {
  TTabVorlage t;
  t.FSpalten = {25, 3, 25, 20, 6, 170};
  t.FSortierung = {-21, 30, 25};
  t.FDruckOptionen = tdProgrammSchrift | tdNichtSkalieren | tdAnpassen;
  t.FFilter = tfSelektiert | tfArchiv;
  t.FGruppen = 0x80000005;
  const Tab d(t, Tab::mdVerein, {"Aktiv", "Passiv", "Jugend"});
  EXPECT_EQ(d.Titel(), "Vereinstabellenvorlage bearbeiten");
  // The duplicate, the heading and the number without heading drop out.
  EXPECT_EQ(Arten(d.FGewaehlt), (V{25, 3, 170}));
  ASSERT_EQ(d.FVerfuegbar.size() + d.FGewaehlt.size(), 77u);
  EXPECT_EQ(d.FVerfuegbar[0], (Tab::Eintrag{0, "000;Listenangaben:", true}));
  EXPECT_EQ(d.FGewaehlt[0].text, "025;Name, Vorname kombiniert");
  EXPECT_TRUE(std::is_sorted(d.FVerfuegbar.begin(), d.FVerfuegbar.end(),
                             [](const Tab::Eintrag& a, const Tab::Eintrag& b) { return a.text < b.text; }));
  EXPECT_EQ(d.FSortWahl, (std::array<int, 3>{2, 11, 20}));
  EXPECT_EQ(d.FAbsteigend, (std::array<bool, 3>{true, false, false}));
  EXPECT_TRUE(d.FProgrammSchrift);
  EXPECT_EQ(d.FSkalierung, Tab::skAnpassen) << "the later option wins";
  EXPECT_EQ(d.FKriterien, (std::array<bool, 8>{false, true, false, false, false, false, false, true}));
  EXPECT_EQ(d.FGruppen, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(Tab::SortierAuswahl().size(), 21u);
  EXPECT_EQ(Tab::SortierAuswahl()[20], "keine Sortierung");

  const struct {
    int modus;
    const char* titel;
    bool kriterien, bezug, sortierung;
  } modi[] = {
      {Tab::mdProgramm, "Programmtabellenvorlage bearbeiten", false, false, false},
      {Tab::mdVerein, "Vereinstabellenvorlage bearbeiten", true, false, true},
      {Tab::mdTabelle, "Tabelleneigenschaften", false, true, true},
      {Tab::mdFilter, "Eigenschaften der Filtertabelle", true, true, true},
  };
  for (const auto& m : modi) {
    const Tab x(t, m.modus, {"Aktiv"});
    EXPECT_EQ(x.Titel(), m.titel);
    EXPECT_EQ(x.ZeigtKriterien(), m.kriterien) << m.modus;
    EXPECT_EQ(x.GruppenAenderbar(), m.kriterien) << m.modus;
    EXPECT_EQ(x.ZeigtBezugsdatum(), m.bezug) << m.modus;
    EXPECT_EQ(x.ZeigtSortierung(), m.sortierung) << m.modus;
  }
  EXPECT_FALSE(Tab(t, Tab::mdVerein, {}).GruppenAenderbar());
}

TEST_F(Sortieren, VorlagendialogSpaltenVerschieben) {
  TTabVorlage t;
  Tab d(t, Tab::mdTabelle);
  ASSERT_EQ(Arten(d.FGewaehlt), (V{1, 3, 25, 41, 44}));
  EXPECT_FALSE(d.Waehle(0)) << "a heading cannot be chosen";
  const auto verfuegbar = d.FVerfuegbar.size();
  auto index = [&](std::int32_t art) {
    for (std::size_t i = 0; i < d.FVerfuegbar.size(); ++i)
      if (d.FVerfuegbar[i].art == art) return static_cast<int>(i);
    return -1;
  };
  ASSERT_TRUE(d.Waehle(index(170), 1));
  ASSERT_TRUE(d.Waehle(index(21)));
  EXPECT_EQ(Arten(d.FGewaehlt), (V{1, 170, 3, 25, 41, 44, 21}));
  ASSERT_TRUE(d.Verschiebe(0, 7));
  ASSERT_TRUE(d.Verschiebe(5, 0));
  EXPECT_EQ(Arten(d.FGewaehlt), (V{21, 170, 3, 25, 41, 44, 1}));
  ASSERT_TRUE(d.Verschiebe(2, 3)) << "the gap right behind it leaves it in place";
  EXPECT_EQ(Arten(d.FGewaehlt), (V{21, 170, 3, 25, 41, 44, 1}));
  EXPECT_FALSE(d.Verschiebe(7, 0));
  EXPECT_FALSE(d.Verschiebe(0, 8));
  ASSERT_TRUE(d.Entferne(1));
  EXPECT_EQ(d.FVerfuegbar.back().art, 170) << "back at its place by kind";
  EXPECT_EQ(d.FVerfuegbar.size(), verfuegbar - 1);
  EXPECT_FALSE(d.Entferne(6));
  EXPECT_EQ(Tab::NaechsteLuecke(-5, 16, 4), 0);
  EXPECT_EQ(Tab::NaechsteLuecke(7, 16, 4), 0);
  EXPECT_EQ(Tab::NaechsteLuecke(9, 16, 4), 1);
  EXPECT_EQ(Tab::NaechsteLuecke(500, 16, 4), 4);
}

TEST_F(Sortieren, VorlagendialogUebernehmen) {
  TTabVorlage t;
  t.FSpalten = {25, 25, 40, 21};
  t.FGruppen = 0x80000002;
  t.FRechendatum = 4711;
  const struct {
    std::array<int, 3> wahl;
    std::array<bool, 3> ab;
    V schluessel;
  } sortierungen[] = {
      {{20, 20, 20}, {true, false, false}, {}},
      {{20, 2, 20}, {false, true, false}, {0, -21, 0}},
      {{0, 19, 12}, {false, false, true}, {3, 164, -31}},
  };
  for (const auto& s : sortierungen) {
    TTabVorlage v = t;
    Antworte<Tab>([&s](Tab& d) {
      d.FSortWahl = s.wahl;
      d.FAbsteigend = s.ab;
      d.FTitel = "  Neue Liste \t";
      d.FAbteilungen = " Tennis, Fußball ";
      d.FBezugsdatum = 40000;
      d.FKriterien[2] = d.FKriterien[6] = true;
      d.FGruppen = {true, false};
      d.FProgrammSchrift = true;
      d.FSkalierung = Tab::skNicht;
    });
    ASSERT_TRUE(BearbeiteVorlage(v, Tab::mdFilter, {"A", "B"}));
    EXPECT_EQ(v.FSortierung, s.schluessel);
    EXPECT_EQ(v.FTitel, "Neue Liste");
    EXPECT_EQ(v.FAbteilungen, "Tennis, Fußball");
    EXPECT_EQ(v.FBezugsdatum, 40000);
    EXPECT_EQ(v.FRechendatum, 4711);
    EXPECT_EQ(v.FFilter, tfOhneAustritt | tfGeburtstagsjubilaeum);
    EXPECT_EQ(v.FGruppen, 0x80000001u) << "bits of unlisted groups keep their value";
    EXPECT_EQ(v.FDruckOptionen, tdProgrammSchrift | tdNichtSkalieren);
    EXPECT_EQ(v.FSpalten, (V{25, 21}));
  }
  // "Abbrechen" leaves the template as it was.
  TTabVorlage v = t;
  Antworte<Tab>([](Tab& d) { d.FTitel = "Anders"; }, false);
  EXPECT_FALSE(BearbeiteVorlage(v, Tab::mdVerein));
  EXPECT_EQ(v.FTitel, "Adressenliste");
  EXPECT_EQ(v.FSpalten, (V{25, 25, 40, 21}));
  EXPECT_TRUE(ui.AlleBeantwortet());
}

TEST_F(Sortieren, SchriftenUndProgrammvorlagen) {
  TTabVorlage t;
  Antworte<Tab>([this](Tab& d) {
    Antworte<TSchriftDialog>([](TSchriftDialog& s) {
      EXPECT_EQ(s.FSchrift, (TSchrift{"Tahoma", 10, kFett, 0x800000}));
      s.FSchrift = {"Verdana", 16, kKursiv, 0x0000FF};
    });
    d.KopfSchrift();
    Antworte<TSchriftDialog>([](TSchriftDialog& s) { s.FSchrift.groesse = 99; }, false);
    d.TabellenSchrift();
  });
  ASSERT_TRUE(BearbeiteVorlage(t, Tab::mdTabelle));
  EXPECT_EQ(t.FKopfFormat.Schrift(), (TSchrift{"Verdana", 16, kKursiv, 0x0000FF}));
  EXPECT_EQ(t.FKopfFormat.FSchriftart, "Verdana");
  EXPECT_EQ(t.FTabellenFormat.FGroesse, 11) << "a cancelled font choice changes nothing";

  Antworte<Tab>([](Tab& d) {
    EXPECT_EQ(d.FTitel, "Vorgabe");
    EXPECT_TRUE(d.FGewaehlt.empty());
    EXPECT_FALSE(d.ZeigtGruppen());
    d.Waehle(5);
    d.FTitel = "Telefon";
  });
  EXPECT_EQ(BearbeiteProgrammvorlage(), "Telefon;5");
  Antworte<Tab>([](Tab& d) { EXPECT_EQ(Arten(d.FGewaehlt), (V{25, 47})); });
  EXPECT_EQ(BearbeiteProgrammvorlage("Liste;25;47;0"), "Liste;25;47");
  Antworte<Tab>([](Tab&) {}, false);
  EXPECT_EQ(BearbeiteProgrammvorlage("Liste;25"), std::nullopt);
}

}  // namespace
}  // namespace zaq
