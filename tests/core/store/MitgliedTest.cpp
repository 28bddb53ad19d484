// Derived values and text forms of a member.
#include <gtest/gtest.h>

#include "Hilfen.h"
#include "base/Datum.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

Tag D(const char* text) { return TextZuDatum(text).value(); }

class Mitglied : public test::MitOberflaeche {
 protected:
  Mitglied() : liste(TZAQ::CreateNeu(false, true)) {}
  TMitglied& Neu(std::uint16_t nummer = 7) {
    return liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nummer));
  }
  std::unique_ptr<TZAQ> liste;
};

TEST_F(Mitglied, GeburtstagsnummerImSchaltjahr) {
  const struct {
    const char* geburt;
    int nummer;
  } faelle[] = {{"01.01.1980", 1}, {"29.02.1980", 60}, {"01.03.1981", 61}, {"01.03.1980", 61}, {"31.12.1981", 366}};
  TMitglied& m = Neu();
  for (const auto& f : faelle) {
    m.FGeburtsdatum = D(f.geburt);
    EXPECT_EQ(m.Geburtstagsnummer(), f.nummer) << f.geburt;
  }
}

TEST_F(Mitglied, AlterUndMitgliedsjahreStehenMitDemAustritt) {
  TMitglied& m = Neu();
  m.FGeburtsdatum = D("15.06.1970");
  m.FEintrittsdatum = D("01.07.1990");
  m.FAnrechnung = 3;
  EXPECT_EQ(m.Alter(D("14.06.2020")), 49);
  EXPECT_EQ(m.Alter(D("15.06.2020")), 50);
  EXPECT_EQ(m.Mitgliedsjahre(D("30.06.2020")), 29 + 3);
  EXPECT_EQ(m.Mitgliedsjahre(D("01.07.2020")), 30 + 3);
  m.FAustrittsdatum = D("31.12.2010");
  EXPECT_EQ(m.Alter(D("15.06.2020")), 40);
  EXPECT_EQ(m.Mitgliedsjahre(D("15.06.2020")), 20 + 3);
  // An exit after the reference date does not count yet.
  EXPECT_EQ(m.Alter(D("01.01.2010")), 39);
}

TEST_F(Mitglied, FaelligeEhrung) {
  TMitglied& m = Neu();
  m.FEintrittsdatum = D("01.01.1990");
  const Tag stichtag = D("01.06.2017");  // 27 years
  const struct {
    const char* ehrungen;
    int letzte, faellig;
  } faelle[] = {
      {"10;25;40;50;60;70;80;90;100", 10, 25},
      {"10;25;40;50;60;70;80;90;100", 25, 0},
      {"10;25;40;50;60;70;80;90;100", 0, 25},
      {"10; 20 ;x;25", 0, 20},  // a broken entry ends the list
      {"", 0, 0},
  };
  for (const auto& f : faelle) {
    liste->FStammdaten.FEhrungen = f.ehrungen;
    m.FEhrung = static_cast<std::uint8_t>(f.letzte);
    EXPECT_EQ(m.FaelligeEhrung(stichtag), f.faellig) << f.ehrungen << " " << f.letzte;
  }
}

TEST_F(Mitglied, GeburtstagsjubilaeumMitHorizont) {
  TMitglied& m = Neu();
  m.FGeburtsdatum = D("10.03.1950");
  liste->FStammdaten.FGeburtstage = "65;70;75;80;85;90;95;100;105";
  liste->FStammdaten.FGeburtstagsJahre = 2;
  const struct {
    const char* stichtag;
    int jahre;
    const char* datum;
  } faelle[] = {
      {"01.01.2019", 70, "10.03.2020"},
      {"01.01.2017", 0, "10.03.2020"},
      {"01.06.2020", 70, "10.03.2020"},  // aged exactly 70: the past birthday still counts
      {"01.06.2056", 0, "30.12.1899"},   // beyond the list
  };
  for (const auto& f : faelle) {
    Jubilaeum j = m.Geburtstagsjubilaeum(D(f.stichtag));
    EXPECT_EQ(j.jahre, f.jahre) << f.stichtag;
    EXPECT_EQ(DatumText(j.datum), f.datum) << f.stichtag;
  }
}

TEST_F(Mitglied, KurzName) {
  TMitglied& m = Neu();
  m.FName = "Mustermann";
  m.FVorname = "Max";
  const struct {
    int n;
    const char* name;
  } faelle[] = {{0, "Mustermann, Max"}, {3, "Muster-, Max"}, {7, "Mu-, Max"}, {8, "M., Max"}, {9, "M., M."}, {20, "M., M."}};
  for (const auto& f : faelle) EXPECT_EQ(m.KurzName(f.n), f.name) << f.n;
  m.FName = "Größenwahn";
  EXPECT_EQ(m.KurzName(3), "Größen-, Max");
}

TEST_F(Mitglied, InAbteilung) {
  TMitglied& m = Neu();
  const struct {
    const char *abteilungen, *filter;
    bool passt;
  } faelle[] = {
      {"", "*", true},
      {"Tennis, Fußball", "Jugend, Fußball", true},
      {"Fußball, A-Jugend", "Jugend", false},
      {"Ball", "Fussball", true},
      {"", "", true},
      {"Tennis", "", false},
      {"tennis", "TENNIS", true},
      {" , ", "Tennis", false},
      {"Fußball", "FUSSBALL", true},
      {"STRASSENLAUF", "Straßenlauf", true},
  };
  for (const auto& f : faelle) {
    m.FAbteilungen = f.abteilungen;
    EXPECT_EQ(m.InAbteilung(f.filter), f.passt) << f.abteilungen << " / " << f.filter;
  }
}

TEST_F(Mitglied, TextformenUndNummern) {
  TMitglied& m = Neu(7);
  m.FName = " Müller ";
  m.FVorname = "Hans";
  m.FTitel = "Dr.";
  m.FStrasse = "Hauptstr. 1";
  m.FPLZ = "12345";
  m.FOrt = "Dorf";
  m.FGeburtsdatum = D("05.03.1990");
  EXPECT_EQ(m.MitgliedsnummerText(), "007");
  EXPECT_EQ(m.NameKomplett(), "Müller, Dr. Hans");
  EXPECT_EQ(m.NameAnzeige(), "Dr. Hans  Müller");
  EXPECT_EQ(m.Adresszeile(), "Hauptstr. 1, 12345 Dorf");
  m.FStrasse.clear();
  EXPECT_EQ(m.Adresszeile(), "12345 Dorf");
  EXPECT_EQ(m.Anschrift(), "An Herrn\r\nMüller, Dr. Hans\r\n\r\n12345 Dorf");
  liste->FZAQFormat = "0000";
  m.FMitgliedsnummer = 17;
  EXPECT_EQ(m.MandatsreferenzVorschlag(" Anna", m.FGeburtsdatum), "0017A050390");
  m.FMitgliedsnummer = 12345;
  EXPECT_EQ(m.MitgliedsnummerText(), "12345");
  TMitglied frei(nullptr, 7);
  EXPECT_EQ(frei.MitgliedsnummerText(), "7");
}

TEST_F(Mitglied, Gruppen) {
  TMitglied& m = Neu();
  m.SetzeGruppe(1, true);
  m.SetzeGruppe(6, true);
  m.SetzeGruppe(32, true);
  m.SetzeGruppe(33, true);
  EXPECT_EQ(m.FGruppen, 0x80000021u);
  EXPECT_EQ(m.GruppenText(false), "Aktives Mitglied, Übungsleiter, Gruppe 32");
  EXPECT_EQ(m.GruppenText(true), "Aktive…, Übungs…, Gruppe…");
  EXPECT_EQ(m.GruppenBits(), "10000100");
  EXPECT_EQ(m.SetzeGruppenBits("0x1"), 0x80000024u);
  EXPECT_TRUE(m.InGruppenMaske(0));
  EXPECT_FALSE(m.InGruppenMaske(0x2));
}

TEST_F(Mitglied, StatusUndZahltFuer) {
  TMitglied& zahler = Neu(1);
  TMitglied& kind = Neu(2);
  TMitglied& fremd = Neu(3);
  zahler.FGeburtsdatum = D("01.02.1960");
  kind.FZahlart = zaMitfinanziert;
  kind.ZahlerAnlegen().Setze(&zahler);
  EXPECT_TRUE(ZahltFuer(zahler, zahler));
  EXPECT_TRUE(ZahltFuer(zahler, kind));
  EXPECT_FALSE(ZahltFuer(zahler, fremd));
  EXPECT_FALSE(ZahltFuer(kind, kind));  // a co-financed member pays for nobody
  fremd.ZahlerAnlegen().Setze(&zahler);  // left behind: fremd pays by direct debit
  EXPECT_FALSE(ZahltFuer(zahler, fremd));
  EXPECT_EQ(zahler.ErmittleZahltFuer(false), 2);
  kind.FSelektiert = false;
  EXPECT_EQ(zahler.ErmittleZahltFuer(true), 0);
  kind.FSelektiert = true;
  kind.FAustrittsdatum = 1;
  EXPECT_EQ(kind.Symbol(), Statussymbol::Selektiert);
  kind.FSelektiert = false;
  EXPECT_EQ(kind.Symbol(), Statussymbol::Austritt);
  fremd.FMaennlich = false;
  EXPECT_EQ(fremd.Symbol(), Statussymbol::Weiblich);
}

TEST_F(Mitglied, ZahlerverweisFolgtGeburtsdatumUndNummer) {
  TMitglied& zahler = Neu(7);
  zahler.FGeburtsdatum = D("01.02.1960");
  TMitglied& kind = Neu(8);
  kind.ZahlerAnlegen().Setze(&zahler);
  EXPECT_EQ(kind.Zahler()->GetZiel(), &zahler);
  zahler.FGeburtsdatum = D("02.02.1960");  // corrected birth date
  EXPECT_EQ(kind.Zahler()->GetZiel(), nullptr);
  kind.Zahler()->Setze(&zahler);
  EXPECT_EQ(kind.Zahler()->GetZiel(), &zahler);
  // A copy looks the target up afresh and finds the same member.
  TMitglied kopie(kind);
  EXPECT_EQ(kopie.Zahler()->GetZiel(), &zahler);
  // Once the payer is gone, the cached pointer is never handed out.
  liste->FMitglieder.Loeschen(zahler);
  EXPECT_EQ(kind.Zahler()->GetZiel(), nullptr);
  // Another member with the number but another birth date is not the target.
  TMitglied& anderer = Neu(7);
  anderer.FGeburtsdatum = D("01.01.2000");
  EXPECT_EQ(kind.Zahler()->GetZiel(), nullptr);
}

TEST_F(Mitglied, ZwischenablageMitKontoUndZahler) {
  TMitglied& zahler = Neu(1);
  TMitglied& m = Neu(12);
  m.FName = "Muster";
  m.FVorname = "Eva";
  m.FMaennlich = false;
  m.KontoAnlegen().FBLZ = "37040044";
  m.ZahlerAnlegen().Setze(&zahler);
  m.KopiereInZwischenablage(false);
  const std::string& t = ui.ZwischenablageText;
  EXPECT_TRUE(t.starts_with("ZAQ Mitgliederverwaltung\r\n\r\nMitgliedsnummer:\t012\r\nName:\tMuster, Eva\r\nGeschlecht:\tweiblich\r\n"));
  EXPECT_NE(t.find("Bankleitzahl:\t37040044\r\n"), std::string::npos);
  EXPECT_NE(t.find("Zahlende Mitgliedsnummer:\t001\r\n"), std::string::npos);
  EXPECT_TRUE(t.ends_with("Selektiert:\tnein"));
  m.KopiereInZwischenablage(true);
  EXPECT_EQ(ui.ZwischenablageText, "An Frau\r\nMuster, Eva\r\n\r\n ");
}

TEST_F(Mitglied, StempelUndAenderung) {
  TMitglied& m = Neu();
  EXPECT_EQ(m.FErstelltVon.FLogin, "Admin");
  EXPECT_FALSE(m.FGeaendertVon.IstGesetzt());
  liste->FGeaendert = false;
  m.SetzeSelektiert(true);
  EXPECT_TRUE(liste->FGeaendert);
  EXPECT_TRUE(m.FGeaendertVon.IstGesetzt());
  EXPECT_TRUE(m.VerweistAufBenutzer(*liste->Administrator()));
  EXPECT_EQ(m.LetzteAenderung(), m.FGeaendertVon.FZeit);
}

TEST_F(Mitglied, StempelOhneBenutzerWerdenNichtGeschrieben) {
  TMitglied& m = Neu();
  m.FGeaendertVon.FLogin = "Weg";
  m.FGeaendertVon.FBenutzerNr = 99;
  TZAQStream s;
  bool ok = true;
  m.StreamSchreiben(s, sfUnbekannte, ok);
  TMitglied zurueck(liste.get(), 0);
  s.Positionieren(0);
  zurueck.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(zurueck.FGeaendertVon.FLogin, "");
  EXPECT_EQ(zurueck.FErstelltVon.FLogin, "Admin");
  EXPECT_EQ(zurueck.FGroesse, static_cast<std::int64_t>(s.Groesse()));
}

}  // namespace
}  // namespace zaq
