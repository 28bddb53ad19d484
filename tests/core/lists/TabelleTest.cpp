// Member tables: every column kind's cell, the filters, sorting, the grid
// with its widths, the exports, and the entry operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fees/VereinHilfen.h"
#include "interaction/Einstellungen.h"
#include "lists/Tabelle.h"
#include "platform/Kodierung.h"
#include "store/Benutzer.h"

namespace zaq {
namespace {

using test::D;

class Tabelle : public test::MitVerein {
 protected:
  Tabelle() {
    plattform::SetzeFesteZeit(D("15.05.2019") + 0.5);
    stamm().FAlterStichtag = D("31.12.2019");
    stamm().FEhrungen = "10;25;40";
    stamm().FGeburtstage = "50;60;70";
    stamm().FGeburtstagsJahre = 1;
    stamm().FGruppenname[0] = "Vorstand";
    stamm().FGruppenname[1] = "Jugendabteilung";
    stamm().FGruppenAnzahl = 3;
    admin = liste->Administrator();
    admin->FVollerName = "Anna Admin";
    liste->SetzeAktuellerBenutzer(admin);
    Klasse("AKT", {{"Beitrag", 1234.5f, 150}});
    Familie("FAM", 90, "Familie");
  }
  ~Tabelle() override { plattform::SetzeFesteZeit(0); }

  // The cells of one member by kind, with the template's dates.
  std::string Wert(TMitglied& m, std::int32_t art, bool recht = true) {
    return SpaltenWert(m, art, 7, D("31.12.2019"), 0, recht);
  }
  std::vector<std::string> Spalte(const TTabelle& t, int spalte) const {
    std::vector<std::string> werte;
    for (int z = 1; z <= t.Zeilenzahl(); ++z) werte.push_back(t.Zelle(z, spalte));
    return werte;
  }
  TBenutzer* admin;
};

TEST_F(Tabelle, JedeSpaltenartEinesMitglieds) {
  TMitglied& m = Mitglied(12, "AKT", "Groß", "Jürgen");
  m.FTitel = "Dr.";
  m.FZusatz = "jun.";
  m.FGeburtsdatum = D("20.06.1969");
  m.FStrasse = "Hauptstraße 1";
  m.FPLZ = "74321";
  m.FOrt = "Bietigheim";
  m.FLand = "D";
  m.FTelefon = "07142 1";
  m.FMobil = "";
  m.FEMail = "j@example.org";
  m.FEintrittsdatum = D("01.03.1994");
  m.FAnrechnung = 2;
  m.FEhrung = 10;
  m.FEhrenmitgliedSeit = 0;
  m.FAbteilungen = "Tennis, Schach";
  m.FAustrittsgrund = "";
  m.FSelektiert = true;
  m.SetzeGruppe(1, true);
  m.SetzeGruppe(2, true);
  m.FHinweise = "Kein Konto";
  TMitgliedskonto& k = *m.Konto();
  k.FBLZ = "37040044";
  k.FKontonummer = "0532013000";
  k.FInhaber = "Jürgen Groß";
  k.FErstlastschrift = 0;
  m.FErstelltVon.Setze(admin);
  m.FErstelltVon.FZeit = D("02.01.2018") + 0.5;

  const struct {
    std::int32_t art;
    std::string text;
  } faelle[] = {
      {1, "7"},
      {2, "7*"},
      {3, "012"},
      {4, "012*"},
      {5, "X"},
      {21, "Groß"},
      {22, "Jürgen"},
      {23, "jun."},
      {24, "Dr."},
      {25, "Groß, Dr. Jürgen jun."},
      {26, "Dr. Jürgen Groß jun."},
      {27, "m"},
      {28, "20.06.1969"},
      {29, "50"},
      {30, "50"},
      {31, "20.06.2019"},
      // The day of the year in a leap year.
      {32, "172"},
      {41, "Hauptstraße 1"},
      {44, "74321 Bietigheim"},
      {45, "Hauptstraße 1, 74321 Bietigheim"},
      {46, "D"},
      {49, "07142 1"},
      {51, "07142 1; j@example.org"},
      {52, "j@example.org"},
      {61, "01.03.1994"},
      {62, "2"},
      {63, "10"},
      {64, "10"},
      {65, "27"},
      {66, "27*"},
      {67, "25"},
      {68, ""},
      {69, "Tennis, Schach"},
      {70, ""},
      {141, "Vorstand, Jugendabteilung"},
      {142, "Vorsta…, Jugend…"},
      {143, "110"},
      {161, "Anna Admin"},
      {162, "02.01.2018, 12:00:00"},
      {163, ""},
      {164, ""},
      {170, "Kein Konto"},
      {81, "AKT"},
      {82, "Klasse AKT"},
      {83, "1.234,50 €"},
      {84, "1.234,50 €"},
      {85, "31.12.2009"},
      {86, "Lastschrift"},
      {101, "DE89 3704 0044 0532 0130 00"},
      {102, "370 400 44"},
      {103, "532 013 000"},
      {105, "Jürgen Groß"},
      {106, "HAUPT"},
      {107, "M12"},
      {108, "01.02.2014"},
      {109, ""},
      {110, "Erst"},
      {121, ""},
      {122, ""},
      {0, "?"},
      {20, "?"},
      {33, "?"},
      {171, "?"},
  };
  for (const auto& f : faelle) EXPECT_EQ(Wert(m, f.art), f.text) << "Art " << f.art;
  // Without the fee right every fee and account kind, and every number
  // without a heading, shows "***"; the others stay.
  for (std::int32_t art : {81, 83, 101, 110, 121, 0, 20, 33}) EXPECT_EQ(Wert(m, art, false), "***") << art;
  for (std::int32_t art : {3, 25, 170}) EXPECT_NE(Wert(m, art, false), "***") << art;

  // Without an account the account kinds are empty; a first debit makes the
  // sequence "Folge".
  k.FErstlastschrift = D("01.03.2015");
  EXPECT_EQ(Wert(m, 109), "01.03.2015");
  EXPECT_EQ(Wert(m, 110), "Folge");
  m.KontoEntfernen();
  for (std::int32_t art = 101; art <= 110; ++art) EXPECT_EQ(Wert(m, art), "") << art;
  // A date of 0 where a date is always written, and the female mark.
  m.FGeburtsdatum = 0;
  m.FMaennlich = false;
  EXPECT_EQ(Wert(m, 28), "30.12.1899");
  EXPECT_EQ(Wert(m, 27), "w");
}

// Kind 64 marks the honorary member, kind 66 credited years; the age and
// membership stop at an exit before the reference date; the jubilee date
// shows even beyond the horizon.
TEST_F(Tabelle, EhrungenJubilaeenUndAustritt) {
  TMitglied& a = Mitglied(1, "AKT");
  a.FEhrung = 25;
  a.FEhrenmitgliedSeit = D("01.01.2015");
  a.FEintrittsdatum = D("01.01.1990");
  TMitglied& b = Mitglied(2, "AKT");
  b.FEintrittsdatum = D("01.01.1990");
  b.FAustrittsdatum = D("31.12.2009");
  b.FGeburtsdatum = D("01.07.1950");
  EXPECT_EQ(Wert(a, 64), "25*");
  EXPECT_EQ(Wert(a, 66), "29");
  EXPECT_EQ(Wert(a, 68), "01.01.2015");
  EXPECT_EQ(Wert(b, 65), "19");
  EXPECT_EQ(Wert(b, 29), "59");
  EXPECT_EQ(Wert(b, 70), "31.12.2009");
  // Born 01.01.1980: 40 on 01.01.2020, no jubilee of the list; the next,
  // 50, lies beyond the horizon of one year: no jubilee, but its date.
  EXPECT_EQ(Wert(a, 30), "");
  EXPECT_EQ(Wert(a, 31), "01.01.2030");
}

// Annual and computed fee: no class gives nothing; an error comes before
// the family mark; a co-financed family member shows "0,00 € F".
TEST_F(Tabelle, Beitragszellen) {
  TMitglied& zahler = Mitglied(1, "FAM");
  TMitglied& kind = Kind(2, "FAM", zahler);
  TMitglied& ohne = Mitglied(3, "XYZ");
  TMitglied& falsch = Mitglied(4, "AKT");
  TMitglied& waise = Kind(5, "FAM", zahler);
  waise.Zahler()->FNummer = 99;
  stamm().SucheBtrKlasse("AKT")->FAltKlassen.front().FAlterBis = 10;  // no age class for 39 years
  const struct {
    TMitglied* m;
    const char* text;
  } faelle[] = {
      {&zahler, "90,00 €"}, {&kind, "0,00 € F"}, {&ohne, ""}, {&falsch, "Fehler!"}, {&waise, "Fehler!"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(Wert(*f.m, 83), f.text) << f.m->FMitgliedsnummer;
    EXPECT_EQ(Wert(*f.m, 84), f.text) << f.m->FMitgliedsnummer;
  }
  EXPECT_EQ(Wert(ohne, 82), "Keine Beitragsklasse gefunden");
  // The payer columns name the resolved payer only.
  EXPECT_EQ(Wert(kind, 121), "001");
  EXPECT_EQ(Wert(kind, 122), "Muster, Anna");
  EXPECT_EQ(Wert(waise, 121), "");
  EXPECT_EQ(Wert(kind, 86), "Mitfin.");
  // Half a year charged on 30.06.2010 for a member paid until 31.12.2009.
  stamm().SucheBtrKlasse("FAM")->FTeilberechnung = 2;
  EXPECT_EQ(SpaltenWert(zahler, 84, 1, D("31.12.2019"), D("30.06.2010"), true), "45,00 €");
  EXPECT_EQ(SpaltenWert(zahler, 83, 1, D("31.12.2019"), D("30.06.2010"), true), "90,00 €");
}

// Stamps name the user found among the users and then the former users;
// one that names nobody shows neither name nor time.
TEST_F(Tabelle, StempelNennenBenutzerUndEhemalige) {
  TMitglied& m = Mitglied(1, "AKT");
  auto& alt = liste->FVerwaisteBenutzer.Hinzufuegen();
  alt.FLogin = "Kasse";
  alt.FBenutzerNr = 7;
  alt.FVollerName = "Karl Kasse";
  m.FGeaendertVon.FLogin = "Kasse";
  m.FGeaendertVon.FBenutzerNr = 7;
  m.FGeaendertVon.FZeit = D("03.04.2019") + 0.75;
  m.FAustrittVon.FLogin = "Niemand";
  m.FAustrittVon.FBenutzerNr = 9;
  m.FAustrittVon.FZeit = D("03.04.2019");
  EXPECT_EQ(Wert(m, 163), "Karl Kasse");
  EXPECT_EQ(Wert(m, 164), "03.04.2019, 18:00:00");
  EXPECT_EQ(Wert(m, 165), "");
  EXPECT_EQ(Wert(m, 166), "");
}

class Filtertabelle : public Tabelle {
 protected:
  Filtertabelle() {
    const struct {
      const char* name;
      bool selektiert, austritt, ehren;
      std::uint32_t gruppen;
      const char* abteilungen;
    } mitglieder[] = {
        {"Adam", true, false, false, 1, "fussball, Schach"},
        {"Berg", false, true, false, 2, "Tennis"},
        {"Cem", true, true, true, 0, ""},
        {"Dora", false, false, true, 3, "Ball"},
    };
    std::uint16_t nr = 1;
    for (const auto& d : mitglieder) {
      TMitglied& m = Mitglied(nr++, "AKT", d.name);
      m.FSelektiert = d.selektiert;
      m.FAustrittsdatum = d.austritt ? D("31.12.2020") : 0;
      m.FEhrenmitgliedSeit = d.ehren ? D("01.01.2000") : 0;
      m.FGruppen = d.gruppen;
      m.FAbteilungen = d.abteilungen;
    }
  }
  std::vector<std::string> Namen(const TTabVorlage& v) {
    TTabelle t(*liste, v, true);
    t.ZeilenWaehlen();
    std::vector<std::string> namen;
    for (int z = 1; z <= t.Zeilenzahl(); ++z) namen.push_back(t.Mitglied(z)->FName);
    return namen;
  }
};

TEST_F(Filtertabelle, KriterienGruppenUndAbteilungen) {
  const struct {
    std::uint8_t filter;
    std::uint32_t gruppen;
    const char* abteilungen;
    std::vector<std::string> namen;
  } faelle[] = {
      {0, 0, "*", {"Adam", "Berg", "Cem", "Dora"}},
      {tfNichtSelektiert, 0, "*", {"Berg", "Dora"}},
      {tfSelektiert, 0, "*", {"Adam", "Cem"}},
      {tfNichtSelektiert | tfSelektiert, 0, "*", {}},
      {tfOhneAustritt, 0, "*", {"Adam", "Dora"}},
      {tfAustretend | tfEhrenmitglied, 0, "*", {"Cem"}},
      {0, 2, "*", {"Berg", "Dora"}},
      {0, 0, "", {"Cem"}},
      // Case does not count, blanks after the filter's commas do not hinder,
      // and "Ball" lies inside "FUSSBALL,".
      {0, 0, "Tennis, Fussball", {"Adam", "Berg", "Dora"}},
      {tfSelektiert, 1, "Schach", {"Adam"}},
  };
  for (const auto& f : faelle) {
    TTabVorlage v;
    v.FFilter = f.filter;
    v.FGruppen = f.gruppen;
    v.FAbteilungen = f.abteilungen;
    v.FSortierung.clear();
    EXPECT_EQ(Namen(v), f.namen) << int(f.filter) << " " << f.gruppen << " " << f.abteilungen;
  }
}

TEST_F(Filtertabelle, ArchivNurMitDemRecht) {
  std::vector<std::string> meldungen;
  TMitglied& weg = liste->FMitglieder[1];
  liste->EntferneMitglied(weg, meldungen);
  ASSERT_EQ(liste->FArchiv.Anzahl(), 1);
  TTabVorlage v;
  v.Standardvorlage(11);
  EXPECT_EQ(Namen(v), std::vector<std::string>{"Berg"});
  auto& schrift = liste->FBenutzer.Hinzufuegen();
  schrift.FLogin = "Schrift";
  schrift.FBenutzerNr = 5;
  schrift.FRechte = kAlleRechte & ~rArchiv;
  liste->SetzeAktuellerBenutzer(&schrift);
  EXPECT_TRUE(Namen(v).empty());
}

TEST_F(Filtertabelle, SortierenUndGitter) {
  TTabVorlage v;
  v.FSortierung = {-21};
  TTabelle t(*liste, v, true);
  ASSERT_TRUE(t.Aufbauen());
  EXPECT_EQ(Spalte(t, 2), (std::vector<std::string>{"Dora, Anna", "Cem, Anna", "Berg, Anna", "Adam, Anna"}));
  EXPECT_EQ(Spalte(t, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(t.Zelle(0, 2), "Name");
  EXPECT_TRUE(t.ErsteSpalteFest());
  EXPECT_EQ(t.FStatus[2], "4 von 4 Mitgliedern");
  EXPECT_EQ(t.FKopfLinks[1], "Benutzer: Anna Admin");
  // A later change shows when the cell is drawn again.
  liste->FMitglieder[0].FName = "Zander";
  EXPECT_EQ(t.Zelle(4, 2), "Adam, Anna");
  EXPECT_EQ(t.ZelleZeichnen(4, 2), "Zander, Anna");
  // A template without columns warns and keeps the grid.
  t.Vorlage().FSpalten.clear();
  EXPECT_FALSE(t.Fuellen());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{
                            "Es wurden keine Felder angegeben. Die Tabelle muß mindestens eine Spalte aufweisen."});
  EXPECT_EQ(t.Spaltenzahl(), 5);
}

// A handed list keeps its order; a member that is gone shows "?".
TEST_F(Filtertabelle, UebergebeneListe) {
  TTabVorlage v;
  v.FSortierung.clear();
  v.FSpalten = {3, 21};
  std::vector<TMitglied*> zeilen{&liste->FMitglieder[3], &liste->FMitglieder[0]};
  auto t = ZeigeTabelle(*liste, zeilen, v);
  ASSERT_EQ(ui.Fensterliste.size(), 1u);
  EXPECT_EQ(Spalte(*t, 1), (std::vector<std::string>{"Dora", "Adam"}));
  std::vector<std::string> meldungen;
  liste->EntferneMitglied(liste->FMitglieder[0], meldungen);
  liste->FArchiv.Leeren();
  ASSERT_TRUE(t->Fuellen());
  EXPECT_EQ(Spalte(*t, 1), (std::vector<std::string>{"Dora", "?"}));
  EXPECT_EQ(t->MitgliedZumAufrufen(2, 2), nullptr);
  EXPECT_EQ(t->MitgliedZumAufrufen(1, 2), nullptr);
  EXPECT_EQ(t->MitgliedZumAufrufen(1, 1), &liste->FMitglieder[2]);
}

TEST_F(Filtertabelle, EinstiegeUndMeldung) {
  // Cem is honorary and selected; without him no honorary member is.
  EXPECT_TRUE(ZeigeStandardtabelle(*liste, 7, 0, true));
  ui.Leeren();
  liste->FMitglieder[2].FSelektiert = false;
  EXPECT_FALSE(ZeigeStandardtabelle(*liste, 7, 0, true));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{
                            "Es wurden keine Mitglieder gefunden, die den gewünschten Filterkriterien entsprechen."});
  EXPECT_TRUE(ui.Fensterliste.empty());
  EXPECT_TRUE(ZeigeStandardtabelle(*liste, 7, D("01.01.2021"), false));
  ASSERT_EQ(ui.Fensterliste.size(), 1u);
  const auto& t = dynamic_cast<const TTabelle&>(*ui.Fensterliste[0]);
  EXPECT_EQ(t.Vorlage().FTitel, "Ehrenmitglieder");
  EXPECT_EQ(t.Vorlage().FBezugsdatum, D("01.01.2021"));
  EXPECT_EQ(t.Vorlage().FRechendatum, D("01.01.2021"));
  EXPECT_EQ(Standardtabelle(*liste, 0, 0, true).FFilter, tfSelektiert);
  EXPECT_EQ(Standardtabelle(*liste, 0, 0, false).FBezugsdatum, D("31.12.2019"));
}

class Ausgabe : public Tabelle {
 protected:
  Ausgabe() {
    TMitglied& a = Mitglied(1, "AKT", "Müller", "Hans");
    a.FOrt = "Say \"hi\"";
    a.FAbteilungen = "Tennis; Golf";
    TMitglied& b = Mitglied(2, "AKT", "{Back}\\slash", "Eva");
    b.FOrt = "Ulm";
    b.FAbteilungen = "";
    vorlage.FSortierung.clear();
    vorlage.FSpalten = {3, 25, 43, 69, 83};
    tabelle = std::make_unique<TTabelle>(*liste, vorlage, true);
    tabelle->Aufbauen();
  }
  TTabVorlage vorlage;
  std::unique_ptr<TTabelle> tabelle;
};

// The ";" and "," forms quote a cell that holds the separator, a quote or a
// line break; RTF escapes backslash and braces; every line ends in CR LF.
TEST_F(Ausgabe, VierFormen) {
  EXPECT_EQ(tabelle->Text(Exportform::Tabulator),
            "MNr.\tName\tWohnort\tAbt.\tJahresbtr.\r\n"
            "001\tMüller, Hans\tSay \"hi\"\tTennis; Golf\t1.234,50 €\r\n"
            "002\t{Back}\\slash, Eva\tUlm\t\t1.234,50 €\r\n");
  EXPECT_EQ(tabelle->Text(Exportform::Semikolon),
            "MNr.;Name;Wohnort;Abt.;Jahresbtr.\r\n"
            "001;Müller, Hans;\"Say \"\"hi\"\"\";\"Tennis; Golf\";1.234,50 €\r\n"
            "002;{Back}\\slash, Eva;Ulm;;1.234,50 €\r\n");
  EXPECT_EQ(tabelle->Text(Exportform::Komma),
            "MNr.,Name,Wohnort,Abt.,Jahresbtr.\r\n"
            "001,\"Müller, Hans\",\"Say \"\"hi\"\"\",Tennis; Golf,\"1.234,50 €\"\r\n"
            "002,\"{Back}\\slash, Eva\",Ulm,,\"1.234,50 €\"\r\n");
  const std::string rtf = tabelle->Text(Exportform::Rtf);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\deff0\r\n\\b\\trowd\\cellx", 0), 0u) << rtf;
  EXPECT_NE(rtf.find("\\pard\\intbl 002\\intbl\\cell \\{Back\\}\\\\slash, Eva\\intbl\\cell"), std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("\\intbl\\cell\\row\\b0\r\n\\trowd"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.substr(rtf.size() - 3), "}\r\n");
  // Widths in twips from the first copied column on.
  const auto& b = tabelle->Breiten();
  EXPECT_NE(rtf.find("\\cellx" + std::to_string(b[0] * 1440 / 96) + "\\cellx" +
                     std::to_string(b[0] * 1440 / 96 + b[1] * 1440 / 96) + "\\cellx"),
            std::string::npos);

  // Two cells of one row: the headings of their columns and the two cells.
  tabelle->Kopieren(TZellbereich{1, 2, 2, 2});
  EXPECT_EQ(ui.ZwischenablageText, "Name\tWohnort\r\n{Back}\\slash, Eva\tUlm\r\n");
  EXPECT_EQ(ui.ZwischenablageRtfText.rfind("{\\rtf1\\ansi\\deff0\r\n\\b\\trowd\\cellx" +
                                               std::to_string(b[1] * 1440 / 96) + "\\cellx",
                                           0),
            0u);

  // Saving writes Windows-1252; a "," file reads back as the same cells.
  ASSERT_TRUE(tabelle->Speichern(dir / "t.csv", Exportform::Komma));
  const auto bytes = test::Lies(dir / "t.csv");
  EXPECT_EQ(Cp1252ZuUtf8(std::string(bytes.begin(), bytes.end())), tabelle->Text(Exportform::Komma));
}

// Widths: an empty column is 30 pixels unless its heading needs more; one
// long cell among short ones does not widen its column.
TEST_F(Ausgabe, Spaltenbreiten) {
  TTabVorlage v;
  v.FSortierung.clear();
  v.FSpalten = {3, 23, 43};
  for (int i = 3; i <= 12; ++i) Mitglied(static_cast<std::uint16_t>(i), "AKT").FOrt = "Ulm";
  liste->FMitglieder[0].FOrt = std::string(80, 'W');
  TTabelle t(*liste, v, true);
  ASSERT_TRUE(t.Aufbauen());
  const TSchrift& kopf = v.FKopfFormat.Schrift();
  const TSchrift& text = v.FTabellenFormat.Schrift();
  EXPECT_EQ(t.Breiten()[1], std::max(30, TextBreite(kopf, "Zusatz") + 15));
  EXPECT_EQ(t.Breiten()[2], std::max({30, TextBreite(text, "Ulm") + 19, TextBreite(kopf, "Wohnort") + 15}));
  EXPECT_LT(t.Breiten()[2], TextBreite(text, liste->FMitglieder[0].FOrt));
  EXPECT_EQ(t.Zeilenhoehe(), TextHoehe(text) + 8);
  // Column moves and hiding change the template.
  t.SpalteVerschieben(2, 0);
  EXPECT_EQ(t.Vorlage().FSpalten, (std::vector<std::int32_t>{43, 3, 23}));
  EXPECT_EQ(t.AusblendenText(1, 1), "\"MNr.\" ausblenden");
  EXPECT_EQ(t.AusblendenText(1, 2), "Spalten ausblenden");
  t.SpaltenAusblenden(1, 2);
  EXPECT_EQ(t.Vorlage().FSpalten, (std::vector<std::int32_t>{43}));
  EXPECT_EQ(t.Zelle(0, 0), "Wohnort");
}

TEST_F(Tabelle, ProgrammvorlagenInDenEinstellungen) {
  TTabVorlage a, b;
  a.LeseZeile("Telefonliste;25;47;48");
  b.LeseZeile("Leer");
  SchreibeProgrammvorlagen({a, b});
  EXPECT_EQ(LeseEinstellung(esTabellen), "2");
  EXPECT_EQ(LeseEinstellung(esTabellen + 1), "Telefonliste;25;47;48");
  const auto gelesen = Programmvorlagen();
  ASSERT_EQ(gelesen.size(), 2u);
  EXPECT_EQ(gelesen[0].FSpalten, (std::vector<std::int32_t>{25, 47, 48}));
  EXPECT_EQ(gelesen[1].FTitel, "Leer");
  SchreibeEinstellung(esTabellen, "kaputt");
  ui.Leeren();
  EXPECT_TRUE(Programmvorlagen().empty());
}

}  // namespace
}  // namespace zaq
