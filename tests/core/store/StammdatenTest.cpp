// Master data: reference dates, account lookups, older additional files;
// shared-server settings; notes.
#include <gtest/gtest.h>

#include "Hilfen.h"
#include "base/Datum.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

Tag D(const char* text) { return TextZuDatum(text).value(); }

class Stammdaten : public test::MitOberflaeche {
 protected:
  Stammdaten() { plattform::SetzeFesteZeit(D("15.05.2019") + 0.5); }
  ~Stammdaten() override { plattform::SetzeFesteZeit(0); }
};

TEST_F(Stammdaten, Stichtage) {
  TStammdaten s;
  const struct {
    int regel;
    const char *datum, *stichtag;
  } faelle[] = {
      {1, "31.12.2000", "31.12.2018"}, {2, "31.12.2000", "31.12.2019"}, {2, "01.07.2000", "01.07.2019"},
      {3, "01.07.2010", "01.07.2010"}, {0, "01.07.2010", "15.05.2019"}, {9, "01.07.2010", "15.05.2019"},
      {2, "29.02.2000", "28.02.2019"},
  };
  for (const auto& f : faelle) {
    s.FJahresberechnung = s.FBeitragsberechnung = static_cast<std::uint8_t>(f.regel);
    s.FJahresdatum1 = s.FJahresdatum2 = s.FJahresdatum3 = D(f.datum);
    s.FBeitragsdatum1 = s.FBeitragsdatum2 = s.FBeitragsdatum3 = D(f.datum);
    s.BerechneStichtage();
    EXPECT_EQ(DatumText(s.FAlterStichtag), f.stichtag) << f.regel << " " << f.datum;
    EXPECT_EQ(DatumText(s.FBeitragStichtag), f.stichtag) << f.regel << " " << f.datum;
  }
}

TEST_F(Stammdaten, VorgabenUndKontosuche) {
  TStammdaten s;
  EXPECT_EQ(s.FGruppenname[1], "Fördermitglied");
  EXPECT_EQ(s.FGruppenname[8], "Gruppe 9");
  EXPECT_EQ(DatumText(s.FAlterStichtag), "31.12.2018");
  auto& k = s.FVereinskonten.Hinzufuegen();
  k.FKontoSchluessel = " ";
  k.FBezeichnung = "Leer";
  auto& k2 = s.FVereinskonten.Hinzufuegen();
  k2.FKontoSchluessel = "HAUPT";
  k2.FIBAN = "DE02120300000000202051";
  EXPECT_EQ(s.SucheVereinskonto(" "), nullptr);
  EXPECT_EQ(s.SucheVereinskonto("haupt"), nullptr);
  EXPECT_EQ(s.SucheVereinskonto("HAUPT"), &k2);
  EXPECT_EQ(s.KontoIBAN("HAUPT"), "DE02120300000000202051");
  EXPECT_EQ(s.KontoIBAN("X"), "");
  EXPECT_EQ(k2.FBezeichnung, "Vorgabe");
}

TEST_F(Stammdaten, VereinskontoMitFeld440) {
  TZAQStream s;
  SchreibeText(s, "HAUPT", 400);
  SchreibeInt32(s, 12345, 440);
  TVereinskonto k;
  bool ok = true;
  s.Positionieren(0);
  k.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
  ASSERT_TRUE(ok);
  EXPECT_TRUE(k.FUnbekannt.empty());
  TZAQStream aus;
  k.StreamSchreiben(aus, sfUnbekannte, ok);
  for (std::size_t i = 0; i + 1 < aus.Groesse(); ++i)
    EXPECT_NE(aus.Daten()[i] | aus.Daten()[i + 1] << 8, 440 * 16 + 8);
}

TEST_F(Stammdaten, FtpDaten) {
  auto liste = TZAQ::CreateNeu(false, true);
  TFtpDaten& f = liste->FFtpDaten;
  f.NeuerSchluessel();
  EXPECT_TRUE(f.FSchluessel.empty());
  for (int i = 0; i < 200; ++i) liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), i + 1));
  f.NeuerSchluessel();
  EXPECT_EQ(f.FSchluessel.size(), 1000u);
  EXPECT_EQ(f.FSchluesselZeit, D("15.05.2019") + 0.5);
  f.FServer = "ftp.verein.de";
  f.FFtpBenutzer = "verein";
  f.FFtpKennwort = "geheim";
  EXPECT_TRUE(f.HatZugangsdaten());
  EXPECT_FALSE(f.IstAktiv());
  f.FServerDatei = "verein/daten.zaq";
  EXPECT_TRUE(f.IstAktiv());
  EXPECT_EQ(f.Serverdateiname("zai"), "daten.zai");
  EXPECT_EQ(f.SchluesselPruefwert(), CRC32(f.FSchluessel));
  f.SchluesselEntfernen();
  EXPECT_FALSE(f.IstAktiv());
  EXPECT_EQ(f.SchluesselPruefwert(), 0u);
  liste->FGeaendert = false;
  f.SetzeAusgespeichert("Admin");
  EXPECT_TRUE(f.IstAusgespeichert());
  EXPECT_TRUE(liste->FGeaendert);
}

TEST_F(Stammdaten, SchluesselNurLokalUnbekannteNurLokal) {
  TFtpDaten f;
  f.FSchluessel = {9, 9, 9};
  f.FUnbekannt.push_back({900, false, false, {1, 2}});
  auto lese = [](std::uint32_t flags, const TFtpDaten& q) {
    TZAQStream s;
    bool ok = true;
    q.StreamSchreiben(s, flags, ok);
    TFtpDaten z;
    s.Positionieren(0);
    z.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
    return z;
  };
  TFtpDaten lokal = lese(sfLokal | sfLokaleDaten | sfUnbekannte, f);
  EXPECT_EQ(lokal.FSchluessel, f.FSchluessel);
  EXPECT_EQ(lokal.FUnbekannt, f.FUnbekannt);
  TFtpDaten server = lese(sfVerschluesseln | sfArchivFrist | sfUnbekannte, f);
  EXPECT_TRUE(server.FSchluessel.empty());
  EXPECT_TRUE(server.FUnbekannt.empty());
}

TEST_F(Stammdaten, Zusatzdatei) {
  test::Schreibe(dir / "alt.zaz",
                 std::string("[ZAQ Vereinsstammdaten]\r\nMGN-Format=5\r\nNullbetrag melden=0\r\n"
                             "Ehrungen=10;20\r\nJahresdatum 1=30.06.\r\nJahresdatum 3=31.12.2015\r\n"
                             "Jahresberechnung=3\r\nBeitragsdatum 2=kein Datum\r\nGruppe 2=Passiv\r\n"
                             "K-Schl\xFCsselanzahl=1\r\nK-Schl\xFCssel 1=SPK\r\n\r\n"
                             "[KSLSPK]\r\nBezeichnung=Sparkasse\r\nBankleitzahl=37050198\r\n"
                             "Auftraggeberident=DE98ZZZ09999999999\r\n"));
  auto liste = TZAQ::CreateNeu(false, true);
  LeseZusatzdatei(dir / "alt.zaz", *liste);
  const TStammdaten& s = liste->FStammdaten;
  EXPECT_EQ(liste->FZAQFormat, "00000");
  EXPECT_FALSE(liste->FNullbetragMelden);
  EXPECT_TRUE(liste->FAustrittsliste);
  EXPECT_EQ(s.FEhrungen, "10;20");
  EXPECT_EQ(DatumText(s.FJahresdatum1), "30.06.2000");
  EXPECT_EQ(DatumText(s.FJahresdatum2), "01.01.2000");
  EXPECT_EQ(DatumText(s.FAlterStichtag), "31.12.2015");
  EXPECT_EQ(s.FBeitragsdatum2, 36891);  // an unreadable date keeps the old value
  EXPECT_EQ(s.FGruppenname[1], "Passiv");
  EXPECT_EQ(s.FGruppenname[0], "Aktives Mitglied");
  ASSERT_EQ(s.FVereinskonten.Anzahl(), 1);
  EXPECT_EQ(s.FVereinskonten.Element(0).FKontoSchluessel, "SPK");
  EXPECT_EQ(s.FVereinskonten.Element(0).FBLZ, "37050198");
  EXPECT_EQ(s.FVereinskonten.Element(0).FGlaeubigerID, "DE98ZZZ09999999999");
  EXPECT_EQ(ui.WarteTexte, std::vector<std::string>{"Lade Stammdaten"});
}

TEST_F(Stammdaten, NotizKopieBehaeltArtNichtUndFolgtDemBenutzer) {
  auto liste = TZAQ::CreateNeu(false, true);
  auto& weg = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Weg"));
  TNotiz n(liste.get());
  n.FArt = 5;
  n.FBetreff = "Termin";
  n.FTermin = D("01.06.2019") + 0.75;
  n.FVerfasser.Setze(&weg);
  n.FBearbeiter.Setze(liste->Administrator());
  n.FVerfasser.FZeit = 100.5;
  liste->FBenutzer.Entfernen(&weg);
  TNotiz kopie(n);
  EXPECT_EQ(kopie.FArt, 0);
  EXPECT_EQ(kopie.FBetreff, "Termin");
  EXPECT_EQ(kopie.FTermin, n.FTermin);
  EXPECT_EQ(kopie.FVerfasser.FLogin, "");
  EXPECT_EQ(kopie.FVerfasser.FZeit, 0);
  EXPECT_EQ(kopie.FBearbeiter.GetZiel(), liste->Administrator());
  EXPECT_EQ(kopie.FBearbeiter.FZeit, n.FBearbeiter.FZeit);
  // Read back from a stream, the byte of field 10 stays.
  TZAQStream s;
  bool ok = true;
  n.StreamSchreiben(s, 0, ok);
  TNotiz zurueck(liste.get());
  s.Positionieren(0);
  zurueck.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
  EXPECT_EQ(zurueck.FArt, 5);
  EXPECT_EQ(zurueck.FTermin, n.FTermin);
}

TEST_F(Stammdaten, BenutzerSucheUndVerweis) {
  auto liste = TZAQ::CreateNeu(false, true);
  auto& a = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Kasse"));
  auto& b = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Kasse"));
  b.FBenutzerNr = static_cast<std::uint16_t>(a.FBenutzerNr + 1);
  EXPECT_EQ(liste->SucheBenutzer("Kasse", 0), &b);
  EXPECT_EQ(liste->SucheBenutzer(" Kasse ", a.FBenutzerNr), &a);
  EXPECT_EQ(liste->SucheBenutzer("kasse", 0), nullptr);
  auto& alt = liste->FVerwaisteBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Alt"));
  EXPECT_EQ(liste->SucheBenutzer("Alt", 0), nullptr);
  EXPECT_EQ(liste->SucheBenutzer("Alt", alt.FBenutzerNr), &alt);
  TVerweisBen v(liste.get(), &a);
  EXPECT_EQ(v.GetZiel(), &a);
  liste->FBenutzer.Entfernen(&a);
  EXPECT_EQ(v.GetZiel(), nullptr);
}

}  // namespace
}  // namespace zaq
