// The selection: .zas lists written, read and refused, the question whether
// only selected members are meant, the full and the list selection.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fees/VereinHilfen.h"
#include "cli/ListenBefehle.h"
#include "interaction/Einstellungen.h"
#include "lists/Selektion.h"
#include "platform/Kodierung.h"

namespace zaq {
namespace {

using test::D;

class Selektion : public test::MitVerein {
 protected:
  Selektion() {
    plattform::SetzeFesteZeit(D("15.05.2019") + 0.5);
    stamm().FAlterStichtag = D("31.12.2019");
    stamm().FVereinsname = "TSV Muster";
    liste->FBeschreibung = "Mitglieder 2019";
    liste->SetzeAktuellerBenutzer(liste->Administrator());
    const struct {
      const char* name;
      const char* geburt;
      bool maennlich;
      std::uint8_t zahlart;
      const char* plz;
    } daten[] = {
        {"Adam", "01.01.1950", true, zaLastschrift, "10115"},   {"Becker", "15.06.1980", false, zaRechnung, "20095"},
        {"cem", "01.01.2005", true, zaLastschrift, "80331"},    {"Döring", "31.12.1969", false, zaLastschrift, "50667"},
        {"Ehlers", "02.02.1990", true, zaMitfinanziert, "70173"},
    };
    std::uint16_t nr = 1;
    for (const auto& d : daten) {
      TMitglied& m = Mitglied(nr++, "AKT", d.name);
      m.FGeburtsdatum = D(d.geburt);
      m.FEintrittsdatum = D("01.04.2000") + nr;
      m.FMaennlich = d.maennlich;
      m.FZahlart = d.zahlart;
      m.FPLZ = d.plz;
    }
  }
  ~Selektion() override { plattform::SetzeFesteZeit(0); }

  std::vector<std::string> Selektierte() const {
    std::vector<std::string> namen;
    for (const auto& m : liste->FMitglieder)
      if (m->FSelektiert) namen.push_back(m->FName);
    return namen;
  }
  void Waehle(std::initializer_list<int> indizes) {
    for (const auto& m : liste->FMitglieder) m->FSelektiert = false;
    for (int i : indizes) liste->FMitglieder[i].FSelektiert = true;
  }
  std::string Zas(std::vector<std::string> zeilen) {
    std::string text;
    for (const auto& z : zeilen) text += z + "\r\n";
    test::Schreibe(dir / "s.zas", Utf8ZuCp1252(text));
    return dir / "s.zas";
  }
  std::string Pruef(int i) const {
    const TMitglied& m = liste->FMitglieder[i];
    return std::to_string(static_cast<std::int64_t>(m.FGeburtsdatum) + m.FEintrittsdatum);
  }
};

TEST_F(Selektion, ListeSpeichernUndLaden) {
  Waehle({1, 3});
  liste->FDateiname = dir / "verein.zaq";
  ASSERT_TRUE(SpeichereSelektion(*liste, dir / "s.zas"));
  const auto bytes = test::Lies(dir / "s.zas");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            Utf8ZuCp1252("ZAQ Selektion 500\r\nMitglieder 2019\r\nTSV Muster\r\n2\r\n" + Pruef(1) + "\r\n4\r\n" +
                         Pruef(3) + "\r\n"));
  Waehle({0, 2, 4});
  EXPECT_EQ(LadeSelektion(*liste, dir / "s.zas", true), 0);
  EXPECT_EQ(Selektierte(), (std::vector<std::string>{"Becker", "Döring"}));
  EXPECT_TRUE(ui.Meldungen.empty());

  // The older origin of the check value selects the same members; a member
  // whose dates changed is not found.
  liste->FMitglieder[3].FEintrittsdatum += 1;
  Zas({"ZAQ Selektion", "Mitglieder 2019", "TSV Muster", "2",
       std::to_string(std::stoll(Pruef(1)) + kSelektionVersatzAlt), "4",
       std::to_string(std::stoll(Pruef(3)) - 1 + kSelektionVersatzAlt), "9", "1"});
  EXPECT_EQ(LadeSelektion(*liste, dir / "s.zas", true), 2);
  EXPECT_EQ(Selektierte(), std::vector<std::string>{"Becker"});

  // Only the header: nobody selected, nothing said.
  Zas({"ZAQ Selektion 500", "Mitglieder 2019", "TSV Muster"});
  EXPECT_EQ(LadeSelektion(*liste, dir / "s.zas", true), 0);
  EXPECT_TRUE(Selektierte().empty());
  EXPECT_TRUE(ui.Meldungen.empty());
}

// A list that cannot be read, is no list, is damaged or is refused leaves
// every mark as it was, even where pairs before the damage were fine.
TEST_F(Selektion, AbgelehnteListenAendernNichts) {
  const std::string gut = Pruef(0);
  const struct {
    const char* was;
    std::vector<std::string> zeilen;
    const char* meldung;
  } faelle[] = {
      {"Kennung", {"ZAQ Selektion 400", "Mitglieder 2019", "TSV Muster"},
       "Die Datei beinhaltet keine gültige Selektionsliste."},
      {"ohne Verein", {"ZAQ Selektion 500", "Mitglieder 2019"}, "Die Datei beinhaltet keine gültige Selektionsliste."},
      {"leer", {}, "Die Datei beinhaltet keine gültige Selektionsliste."},
      {"Nummer zu groß", {"ZAQ Selektion 500", "Mitglieder 2019", "TSV Muster", "1", gut, "65536", "1"},
       "Die Selektionsliste ist beschädigt. Datei konnte nicht bis zum Ende verarbeitet werden"},
      {"Prüfwert fehlt", {"ZAQ Selektion 500", "Mitglieder 2019", "TSV Muster", "1", gut, "2"},
       "Die Selektionsliste ist beschädigt. Datei konnte nicht bis zum Ende verarbeitet werden"},
      {"Prüfwert kein Wert", {"ZAQ Selektion 500", "Mitglieder 2019", "TSV Muster", "1", gut, "2", "x1"},
       "Die Selektionsliste ist beschädigt. Datei konnte nicht bis zum Ende verarbeitet werden"},
  };
  for (const auto& f : faelle) {
    Waehle({4});
    ui.Leeren();
    EXPECT_EQ(LadeSelektion(*liste, Zas(f.zeilen), true), -1) << f.was;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung}) << f.was;
    EXPECT_EQ(Selektierte(), std::vector<std::string>{"Ehlers"}) << f.was;
  }
  ui.Leeren();
  EXPECT_EQ(LadeSelektion(*liste, dir / "fehlt.zas", true), -1);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Kann die gewünschte Selektionsliste nicht öffnen."});

  // Another file and another club: each question may stop the load.
  Zas({"ZAQ Selektion 500", "Andere Datei", "Anderer Verein", "1", gut});
  for (const auto& antworten : {std::vector<Antwort>{Antwort::Nein}, {Antwort::Ja, Antwort::Nein}}) {
    ui.Leeren();
    ui.Antworten.assign(antworten.begin(), antworten.end());
    EXPECT_EQ(LadeSelektion(*liste, dir / "s.zas", true), -1);
    EXPECT_EQ(ui.Meldungen.size(), antworten.size());
    EXPECT_EQ(Selektierte(), std::vector<std::string>{"Ehlers"});
  }
  EXPECT_EQ(ui.Meldungen[1].meldung.text,
            "Der in der Selektionsliste angegebene Verein ist nicht der momentan geöffnete Verein.\r\n"
            "Wollen Sie trotzdem fortfahren?");
  ui.Leeren();
  EXPECT_EQ(LadeSelektion(*liste, dir / "s.zas", false), 0);
  EXPECT_TRUE(ui.Meldungen.empty());
  EXPECT_EQ(Selektierte(), std::vector<std::string>{"Adam"});

  // A check value no number can hold is a member not found, not a crash.
  Zas({"ZAQ Selektion", "Mitglieder 2019", "TSV Muster", "1", "-9223372036854775807", "2",
       "99999999999999999999999999999999"});
  EXPECT_EQ(LadeSelektion(*liste, dir / "s.zas", false), 2);
}

// The member file is never overwritten by a selection list, whatever the
// spelling of its name.
TEST_F(Selektion, NieUeberDieMitgliederdatei) {
  Waehle({0});
  const std::string datei = dir / "verein.zaq";
  ASSERT_TRUE(liste->SpeichernAls(datei, false));
  const auto vorher = test::Lies(datei);
  std::filesystem::create_directory(dir / "unter");
  std::filesystem::create_hard_link(datei, dir / "hart.zas");
  std::filesystem::create_symlink(datei, dir / "link.zas");
  for (const std::string& name : {datei, dir / "unter/../verein.zaq", dir / "hart.zas", dir / "link.zas"}) {
    ui.Leeren();
    EXPECT_FALSE(SpeichereSelektion(*liste, name)) << name;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Diese Datei ist bereits geöffnet."}) << name;
  }
  EXPECT_EQ(test::Lies(datei), vorher);
  // Beside it, with the same name and another extension, is fine.
  EXPECT_TRUE(SpeichereSelektion(*liste, dir / "verein.zas"));
  ui.Leeren();
  EXPECT_FALSE(SpeichereSelektion(*liste, dir / "gibt/es/nicht.zas"));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Kann " + (dir / "gibt/es/nicht.zas") + " nicht anlegen."});
}

TEST_F(Selektion, NurSelektierteFragen) {
  Waehle({});
  EXPECT_EQ(FrageNurSelektierte(*liste), 1);
  EXPECT_TRUE(ui.DialogArten.empty());
  Waehle({2});
  const struct {
    int antwort;
    bool merken;
    int ergebnis;
    const char* einstellung;
  } faelle[] = {{2, false, 2, "1"}, {1, false, 1, "0"}, {0, true, 0, "0"}, {2, true, 2, "1"}};
  for (const auto& f : faelle) {
    std::string text;
    bool zuerstSelektiert = false;
    ui.Dialoge.push_back([&](DialogDaten& d) {
      auto& frage = dynamic_cast<TfrmZAQSelFrage&>(d);
      text = frage.FText;
      zuerstSelektiert = frage.FSelektiertZuerst;
      frage.FAntwort = f.antwort;
      frage.FAntwortMerken = f.merken;
      return f.antwort != 0;
    });
    const std::string vorher = LeseEinstellung(esSelektion);
    EXPECT_EQ(FrageNurSelektierte(*liste), f.ergebnis);
    EXPECT_EQ(text, "Momentan ist eins von 5 Mitgliedern selektiert.");
    EXPECT_EQ(zuerstSelektiert, vorher == "1");
    EXPECT_EQ(LeseEinstellung(esSelektion), f.einstellung) << f.antwort;
  }
  // The remembered answer is given without asking, until a mark changes.
  const auto dialoge = ui.DialogArten.size();
  EXPECT_EQ(FrageNurSelektierte(*liste), 2);
  EXPECT_EQ(ui.DialogArten.size(), dialoge);
  liste->SetzeSelektion(liste->FMitglieder[3], true);
  EXPECT_EQ(liste->FNurSelektierteAntwort, 0);
  EXPECT_EQ(SelektionsText(2, 5), "Momentan sind 2 von 5 Mitgliedern selektiert.");
}

TEST_F(Selektion, KriterienDerGesamtselektion) {
  const struct {
    std::string kriterien;
    TSelektionskriterien::Vorhanden option;
    std::vector<std::string> namen;
  } faelle[] = {
      {"", TSelektionskriterien::keine, {"Adam", "Becker", "cem", "Döring", "Ehlers"}},
      // Case does not count in text bounds; umlauts sort as German readers sort.
      {"NachnameVon=b;NachnameBis=D", TSelektionskriterien::keine, {"Becker", "cem"}},
      {"NachnameVon=C;NachnameBis=dz", TSelektionskriterien::keine, {"cem", "Döring"}},
      {"Maenner=0", TSelektionskriterien::keine, {"Becker", "Döring"}},
      {"AlterVon=30;AlterBis=50", TSelektionskriterien::keine, {"Becker", "Döring"}},
      {"GeburtsdatumBis=31.12.1969", TSelektionskriterien::keine, {"Adam", "Döring"}},
      {"Lastschrift=0;Mitfinanziert=0", TSelektionskriterien::keine, {"Becker"}},
      {"PLZVon=5;PLZBis=8", TSelektionskriterien::keine, {"Döring", "Ehlers"}},
      {"EintrittsdatumVon=05.04.2000", TSelektionskriterien::keine, {"cem", "Döring", "Ehlers"}},
      {"Maenner=0", TSelektionskriterien::oder, {"Adam", "Becker", "Döring"}},
      {"Frauen=0", TSelektionskriterien::und, {"Adam"}},
      // Nobody matches, but the selection is kept: still a question.
      {"NachnameVon=X", TSelektionskriterien::oder, {"Adam"}},
  };
  for (const auto& f : faelle) {
    Waehle({0});
    TfrmZAQSelGesamt d(*liste);
    ASSERT_TRUE(cli::LeseKriterien(f.kriterien, d.K)) << f.kriterien;
    d.K.Option = f.option;
    ui.Leeren();
    ui.Antworten.push_back(Antwort::Ja);
    EXPECT_TRUE(d.OK()) << f.kriterien;
    EXPECT_EQ(Selektierte(), f.namen) << f.kriterien;
    ASSERT_EQ(ui.Meldungen.size(), 1u) << f.kriterien;
    EXPECT_EQ(ui.Meldungen[0].meldung.knoepfe, Knoepfe::JaNein);
  }

  // Nobody: the information, nothing changes, the dialog stays; "Nein"
  // changes nothing either.
  Waehle({0});
  TfrmZAQSelGesamt d(*liste);
  d.K.Maenner = false;
  d.K.Option = TSelektionskriterien::und;
  ui.Leeren();
  EXPECT_FALSE(d.OK());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{
                            "Es wurden keine Mitglieder gefunden, auf welche die gewählten Eigenschaften passen. "});
  d.K.Option = TSelektionskriterien::keine;
  ui.Leeren();
  ui.Antworten.push_back(Antwort::Nein);
  EXPECT_FALSE(d.OK());
  EXPECT_EQ(Selektierte(), std::vector<std::string>{"Adam"});
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Hiermit werden 2 von 5 Mitglieder selektiert. \r\n"
                                                 "Die Anzahl der vorher selektierten Mitglieder lautet 1.\r\n"
                                                 "Wollen Sie fortfahren?"});
}

TEST_F(Selektion, FragenPruefungenUndSchalter) {
  const struct {
    int w;
    std::vector<int> vorher;
    const char* text;
  } fragen[] = {
      {1, {0}, "Hiermit wird eins von 5 Mitgliedern selektiert. \r\nWollen Sie fortfahren?"},
      {1, {}, "Hiermit wird eins von 5 Mitgliedern selektiert. \r\n"
              "Die Anzahl der vorher selektierten Mitglieder lautet 0.\r\nWollen Sie fortfahren?"},
      {3, {0, 1, 2}, "Hiermit werden 3 von 5 Mitglieder selektiert. \r\nWollen Sie fortfahren?"},
      {3, {1}, "Hiermit werden 3 von 5 Mitglieder selektiert. \r\n"
               "Die Anzahl der vorher selektierten Mitglieder lautet 1.\r\nWollen Sie fortfahren?"},
  };
  for (const auto& f : fragen) {
    for (const auto& m : liste->FMitglieder) m->FSelektiert = false;
    for (int i : f.vorher) liste->FMitglieder[i].FSelektiert = true;
    const TSelektionskriterien k;
    EXPECT_EQ(TSelektion(*liste, k).Frage(f.w), f.text) << f.w;
  }

  // The first invalid field in the dialog's order is named; "*" and dates
  // with "." are valid, an empty "from" first-debit field too.
  const struct {
    const char* kriterien;
    const char* meldung;
  } pruefungen[] = {
      {"GeburtsdatumBis=31.02.2000;AlterVon=x", "Ungültiges Bis-Geburtsdatum."},
      {"AlterVon=x;EintrittsdatumVon=1", "Ungültiges Von-Alter."},
      {"AlterBis=", "Ungültiges Bis-Alter."},
      {"MitgliedschaftVon=-1", "Ungültige Von-Mitgliedschaft."},
      {"EhrungBis=1.5", "Ungültige Bis-Ehrung."},
      {"ErstbuchungVon=;ErstbuchungBis=heute", "Ungültiges Bis-Erstbuchungsdatum."},
      {"ErstelltVon=gestern", "Ungültiges Von-Erstelldatum"},
      {"GeaendertBis=32.01.2019", "Ungültiges Bis-Änderungsdatum"},
  };
  for (const auto& p : pruefungen) {
    TfrmZAQSelGesamt d(*liste);
    ASSERT_TRUE(cli::LeseKriterien(p.kriterien, d.K)) << p.kriterien;
    ui.Leeren();
    EXPECT_FALSE(d.OK()) << p.kriterien;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{p.meldung}) << p.kriterien;
  }
  TSelektionskriterien gueltig;
  ASSERT_TRUE(cli::LeseKriterien("ErstbuchungVon=;GeburtsdatumVon=01.01.1950", gueltig));
  EXPECT_EQ(gueltig.Pruefe(), std::nullopt);

  // A "Bezahlt" bound that is no date stops the count; nothing changes.
  Waehle({4});
  TfrmZAQSelGesamt bezahlt(*liste);
  bezahlt.K.BezahltBis = "irgendwann";
  ui.Leeren();
  EXPECT_FALSE(bezahlt.OK());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Ungültiges Bezahlt-Datum."});
  EXPECT_EQ(Selektierte(), std::vector<std::string>{"Ehlers"});

  // Both sexes cannot be off; the options exclude each other and need a selection.
  TfrmZAQSelGesamt d(*liste);
  d.SetzeFrauen(false);
  d.SetzeMaenner(false);
  EXPECT_TRUE(d.K.Frauen);
  EXPECT_FALSE(d.K.Maenner);
  d.SetzeOption(TSelektionskriterien::oder, true);
  d.SetzeOption(TSelektionskriterien::und, true);
  EXPECT_EQ(d.K.Option, TSelektionskriterien::und);
  d.SetzeOption(TSelektionskriterien::oder, false);
  EXPECT_EQ(d.K.Option, TSelektionskriterien::und);
  d.SetzeErstbuchungVon("");
  EXPECT_EQ(d.K.ErstbuchungBis, "*");
  EXPECT_EQ(d.Status(), "Momentan sind 1 von 5 Mitgliedern selektiert.");
  EXPECT_TRUE(d.OptionenMoeglich());
  Waehle({});
  EXPECT_FALSE(d.OptionenMoeglich());
  EXPECT_EQ(d.Status(), "Momentan ist kein Mitglied selektiert.");
  EXPECT_EQ(d.Gruppenliste().size(), 1u + stamm().FGruppenAnzahl);
  TSelektionskriterien k;
  for (const char* falsch : {"Unbekannt=1", "Gruppe=33", "Maenner=vielleicht", "Ehrenmitglied=oft", "NachnameVon"})
    EXPECT_FALSE(cli::LeseKriterien(falsch, k)) << falsch;
}

TEST_F(Selektion, ListenselektionUndUmkehren) {
  Waehle({1});
  TfrmZAQSelListe d(*liste);
  ASSERT_EQ(d.FZeilen.size(), 5u);
  EXPECT_EQ(d.FZeilen[1].nummer, "002");
  EXPECT_EQ(d.FZeilen[1].name, "Becker, Anna");
  EXPECT_TRUE(d.FZeilen[1].selektiert);
  d.Umschalten(1);
  d.Umschalten(3);
  EXPECT_TRUE(d.Geaendert());
  // Closed without "OK": asked; "Nein" keeps the marks.
  ui.Antworten.push_back(Antwort::Nein);
  EXPECT_FALSE(d.Schliessen());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Wollen Sie die Änderungen übernehmen?"});
  EXPECT_EQ(Selektierte(), std::vector<std::string>{"Becker"});
  ui.Antworten.push_back(Antwort::Ja);
  EXPECT_TRUE(d.Schliessen());
  EXPECT_EQ(Selektierte(), std::vector<std::string>{"Döring"});

  liste->FGeaendert = false;
  SelektionUmkehren(*liste);
  EXPECT_EQ(Selektierte(), (std::vector<std::string>{"Adam", "Becker", "cem", "Ehlers"}));
  EXPECT_TRUE(liste->FGeaendert);
  liste->FNurSelektierteAntwort = 2;
  SelektionAufheben(*liste);
  EXPECT_TRUE(Selektierte().empty());
  EXPECT_EQ(liste->FNurSelektierteAntwort, 2) << "resetting keeps the remembered answer";
}

}  // namespace
}  // namespace zaq
