// The member edit dialog: loading, input aids, checks in order, storing by rights.
#include <gtest/gtest.h>

#include "../bank/BankHilfen.h"
#include "../fees/VereinHilfen.h"
#include "base/Datum.h"
#include "views/Bearbeiten.h"
#include "views/Beitragsdialoge.h"

#include <set>

namespace zaq {
namespace {

using test::D;

class Bearbeiten : public test::MitVerein {
 protected:
  Bearbeiten() : bank(std::make_unique<TBank>(test::BundesbankVerzeichnis())) {
    Klasse("AKT", {{"Beitrag", 60.0f, 0}});
    TBenutzer* admin = liste->Administrator();
    liste->SetzeAktuellerBenutzer(admin);
    m = &Mitglied(7, "AKT", "Muster", "Max");
    m->FEintrittsdatum = D("01.03.2010");
    m->Konto()->FBLZ = "37040044";
    m->Konto()->FKontonummer = "0532013000";
    m->Konto()->FInhaber = "Max Muster";
  }
  TfrmZAQBearbeiten Dialog(TMitglied& mitglied, Editormodus modus = Editormodus::Bearbeiten) {
    return TfrmZAQBearbeiten(mitglied, *liste, modus, "Titel");
  }
  // Logs in a user with exactly these rights.
  void Rechte(std::uint32_t rechte) {
    auto& b = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("B" + std::to_string(rechte)));
    b.FRechte = rechte;
    liste->SetzeAktuellerBenutzer(&b);
  }
  BankverzeichnisSetzen bank;
  TMitglied* m;
};

TEST_F(Bearbeiten, LaedtFelderInAnzeigeform) {
  m->FEhrenmitgliedSeit = D("01.01.2020");
  auto d = Dialog(*m);
  EXPECT_EQ(d.txtBLZ, "370 400 44");
  EXPECT_EQ(d.txtKNR, "532 013 000");
  EXPECT_EQ(d.txtIBAN, "DE89 3704 0044 0532 0130 00");
  EXPECT_EQ(d.txtMandDat, "01.02.2014");
  EXPECT_EQ(d.txtEMG, "01.01.2020");
  EXPECT_EQ(d.txtADt, "");
  EXPECT_EQ(d.txtBnk, Bankverzeichnis()->KurzbezeichnungZu("37040044", "DE89370400440532013000"));
  EXPECT_FALSE(d.txtBnk.empty());
  EXPECT_EQ(d.kntrZahlVorlText, "kein vorläufiges Datum hinterlegt");
  EXPECT_FALSE(d.kntrZahlVorlAktiv);
  EXPECT_EQ(d.lstGruppen.size(), 8u);
  // A payer that does not resolve shows "?".
  TMitglied& kind = Kind(8, "AKT", *m);
  kind.Zahler()->FNummer = 99;
  EXPECT_EQ(Dialog(kind).txtZMG, "?");
  kind.Zahler()->Setze(m);
  EXPECT_EQ(Dialog(kind).txtZMG, "007");
}

TEST_F(Bearbeiten, SeitenNachRechtenUndModus) {
  using S = TfrmZAQBearbeiten::Seite;
  Rechte(0x200);
  auto d = Dialog(*m, Editormodus::Hinzufuegen);
  EXPECT_TRUE(d.SeiteSichtbar(S::Beitrag));
  EXPECT_FALSE(d.SeiteAktiv(S::Beitrag));
  EXPECT_FALSE(d.SeiteSichtbar(S::Austritt));
  EXPECT_FALSE(d.SeiteAktiv(S::Persoenlich));
  Rechte(0x80);
  EXPECT_FALSE(Dialog(*m).SeiteSichtbar(S::Beitrag));
  EXPECT_TRUE(Dialog(*m).SeiteAktiv(S::Persoenlich));
  EXPECT_TRUE(Dialog(*m).SeiteSichtbar(S::Austritt));
  Rechte(0x800);
  for (S s : {S::Persoenlich, S::Gruppen, S::Beitrag, S::Austritt}) EXPECT_TRUE(Dialog(*m).SeiteAktiv(s));
}

TEST_F(Bearbeiten, Eingabehilfen) {
  TMitglied neu(liste.get(), 123);
  liste->FZAQFormat = "0000";
  auto d = Dialog(neu, Editormodus::Hinzufuegen);
  d.txtNNa = "Muster";
  d.txtVNa = " Hans";
  d.txtZus = "jun.";
  d.txtGebDt = D("15.03.1980");
  d.txtEinDt = D("01.01.2005");
  d.BetreteKontoinhaber();
  EXPECT_EQ(d.txtKIN, "Muster, Hans jun.");
  d.BetreteMandatsreferenz();
  EXPECT_EQ(d.txtMandref, "0123H150380");
  d.BetreteMandatsdatum();
  EXPECT_EQ(d.txtMandDat, "20.01.2014");
  d.txtMandDat.clear();
  d.txtEinDt = D("01.06.2015");
  d.BetreteMandatsdatum();
  EXPECT_EQ(d.txtMandDat, "01.06.2015");
  d.MandatsreferenzGeaendert();
  EXPECT_EQ(d.txtMandDat, "");
  d.txtBLZ = "200 505 50";
  d.txtKNR = "1 501 824";
  d.BetreteIBAN();
  EXPECT_EQ(d.txtIBAN, "DE41 2005 0550 0001 5018 24");
  // A bank with its own IBAN rule gets none.
  d.txtIBAN.clear();
  d.txtBLZ = "37040044";
  d.txtKNR = "532013000";
  d.BetreteIBAN();
  EXPECT_EQ(d.txtIBAN, "");
  // The paid-until date follows the entry date only while it is the default.
  EXPECT_EQ(d.txtZahlDt, 36525);
  d.VerlasseEintrittsdatum();
  EXPECT_EQ(DatumText(d.txtZahlDt), "31.05.2015");
  d.txtEinDt = D("01.07.2015");
  d.VerlasseEintrittsdatum();
  EXPECT_EQ(DatumText(d.txtZahlDt), "31.05.2015");
  std::string datum = "1,2,2020";
  EXPECT_TRUE(d.VerlasseDatumstext(datum));
  EXPECT_EQ(datum, "01.02.2020");
  datum = "31.02.2020";
  EXPECT_FALSE(d.VerlasseDatumstext(datum));
  EXPECT_EQ(datum, "31.02.2020");
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Ungültiges Datum!"});
  d.txtPLZ = "1234";
  EXPECT_FALSE(d.PLZEingegeben());
  d.txtPLZ = "12345";
  EXPECT_TRUE(d.PLZEingegeben());
}

TEST_F(Bearbeiten, UngueltigeEingabenNachDerReihe) {
  struct Fall {
    const char* name;
    std::function<void(TfrmZAQBearbeiten&)> setzen;
    std::string meldung;
  };
  const std::string ungueltig = "Die angegebende IBAN DE00 3704 0044 0532 0130 00 wurde geprüft und ist wahrscheinlich "
                                "falsch. Wollen Sie sie trotzdem verwenden?";
  const std::vector<Fall> faelle = {
      {"Nachname", [](auto& d) { d.txtNNa = " "; }, "Geben Sie bitte einen Nachnamen ein!"},
      {"Vorname", [](auto& d) { d.txtVNa = ""; }, "Geben Sie bitte einen Vornamen ein!"},
      {"Eintritt", [](auto& d) { d.txtEinDt = d.txtGebDt - 1; }, "Das Eintrittsdatum darf nicht vor dem Geburtsdatum liegen."},
      {"Klasse", [](auto& d) { d.txtBTS = "XYZ"; }, "Geben Sie bitte einen gültigen Beitragsschlüssel an."},
      {"ohne Bank", [](auto& d) { d.txtBLZ = d.txtKNR = d.txtIBAN = ""; },
       "Geben Sie bitte eine Bankverbindung an oder stellen Sie die Zahlmethode um!"},
      {"IBAN", [](auto& d) { d.txtIBAN = "DE00 3704 0044 0532 0130 00"; }, ungueltig},
      {"BLZ", [](auto& d) { d.txtBLZ = "3704004"; d.txtIBAN = ""; },
       "Eine Bankleitzahl ist immer achtstellig. Prüfen Sie bitte Ihre Eingabe!"},
      {"Mandat", [](auto& d) { d.txtMandref = " "; }, "Bitte geben Sie eine Mandatsreferenznummer an!"},
      {"Mandatsdatum", [](auto& d) { d.txtMandDat = "31.02.2014"; }, "Ungültiges oder kein Mandatsdatum angegeben."},
      {"Mandatsdatum leer", [](auto& d) { d.txtMandDat = ""; }, "Ungültiges oder kein Mandatsdatum angegeben."},
      {"Inhaber", [](auto& d) { d.txtKIN = ""; }, "Geben Sie bitte einen Kontoinhaber an!"},
      {"Empfänger", [](auto& d) { d.txtEKS = "NEBEN"; }, "Geben Sie bitte einen gültigen Empfängerkontoschlüssel an!"},
      {"Austritt", [](auto& d) { d.txtADt = "32.12.2020"; }, "Ungültiges Austrittsdatum."},
      {"Zahler Text", [](auto& d) { d.FZahlart = 2; d.txtBLZ = d.txtKNR = d.txtIBAN = ""; d.txtZMG = "12a"; },
       "Ungültige Mitgliedsnummer für das zahlende Mitglied eingegeben."},
      {"Zahler gross", [](auto& d) { d.FZahlart = 2; d.txtBLZ = d.txtKNR = d.txtIBAN = ""; d.txtZMG = "65536"; },
       "Ungültige Mitgliedsnummer für das zahlende Mitglied eingegeben."},
      {"Zahler selbst", [](auto& d) { d.FZahlart = 2; d.txtBLZ = d.txtKNR = d.txtIBAN = ""; d.txtZMG = "7"; },
       "Als zahlende Mitgliedsnummer darf nicht die Nummer des aktuellen Mitglieds eingegeben werden."},
      {"Zahler null", [](auto& d) { d.FZahlart = 2; d.txtBLZ = d.txtKNR = d.txtIBAN = ""; d.txtZMG = "0"; },
       "Bitte eine zahlende Mitgliedsnummer eingeben!"},
      {"Zahler fehlt", [](auto& d) { d.FZahlart = 2; d.txtBLZ = d.txtKNR = d.txtIBAN = ""; d.txtZMG = "55"; },
       "Die als zahlendes Mitglied angegebene Mitgliedsnummer 055 ist ungültig, weil dieses Mitglied nicht vorhanden ist."},
  };
  TMitglied& zahler = Mitglied(30, "AKT", "Zahler");
  TMitglied& mitfinanziert = Kind(31, "AKT", zahler);
  for (const auto& f : faelle) {
    ui.Leeren();
    const TMitglied vorher(*m);
    auto d = Dialog(*m);
    f.setzen(d);
    ui.Antworten = {Antwort::Nein};
    EXPECT_FALSE(d.OK()) << f.name;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung}) << f.name;
    Json vorherJson, nachherJson;
    vorher.ZuJson(vorherJson);
    m->ZuJson(nachherJson);
    EXPECT_EQ(vorherJson, nachherJson) << f.name;
  }
  // A payer who is co-financed himself, and a member others name as payer.
  ui.Leeren();
  auto d = Dialog(*m);
  d.FZahlart = 2;
  d.txtBLZ = d.txtKNR = d.txtIBAN = "";
  d.txtZMG = "31";
  EXPECT_FALSE(d.OK());
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_NE(ui.Meldungen[0].meldung.text.find("selbstzahlendes Mitglied"), std::string::npos);
  ui.Leeren();
  auto z = Dialog(zahler);
  z.FZahlart = 2;
  z.txtBLZ = z.txtKNR = z.txtIBAN = "";
  z.txtZMG = "7";
  EXPECT_FALSE(z.OK());
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_NE(ui.Meldungen[0].meldung.text.find("eigene Bankverbindung"), std::string::npos);
  (void)mitfinanziert;
}

TEST_F(Bearbeiten, UnbekannteBankleitzahlFragt) {
  auto d = Dialog(*m);
  d.txtBLZ = "11111111";
  ui.Antworten = {Antwort::Nein};
  EXPECT_FALSE(d.OK());
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_TRUE(ui.Meldungen[0].meldung.text.starts_with("Die angegebende Bankleitzahl ist nicht in der Bankleitzahlendatei"))
      << ui.Meldungen[0].meldung.text;
}

TEST_F(Bearbeiten, SpeichernNachRechten) {
  // Only viewing fee data: OK passes without checks and stores nothing.
  Rechte(0x200);
  auto d = Dialog(*m);
  d.txtNNa = "";
  d.txtBTS = "XYZ";
  d.txtADt = "kein Datum";
  EXPECT_TRUE(d.OK());
  d.SpeichereMitglied();
  EXPECT_EQ(m->FName, "Muster");
  EXPECT_EQ(m->FBeitragsschluessel.wert, "AKT");
  // Personal data only.
  Rechte(0x80);
  auto p = Dialog(*m);
  p.txtNNa = " Meier ";
  p.txtBTS = "FOE";
  p.lstGruppen[0] = !p.lstGruppen[0];
  const auto gruppen = m->FGruppen;
  ASSERT_TRUE(p.OK());
  p.SpeichereMitglied();
  EXPECT_EQ(m->FName, "Meier");
  EXPECT_EQ(m->FBeitragsschluessel.wert, "AKT");
  EXPECT_EQ(m->FGruppen, gruppen);
  // Groups only.
  Rechte(0x100);
  auto g = Dialog(*m);
  g.lstGruppen[2] = true;
  g.txtNNa = "";
  ASSERT_TRUE(g.OK());
  g.SpeichereMitglied();
  EXPECT_TRUE(m->InGruppe(3));
  EXPECT_EQ(m->FName, "Meier");
}

TEST_F(Bearbeiten, BankdatenWerdenNormiertGespeichert) {
  auto d = Dialog(*m);
  d.txtBLZ = "3704 0044";
  d.txtKNR = "53201 3000";
  d.txtIBAN = "de89 3704 0044 0532 0130 00";
  d.txtIBAN = "DE89 3704 0044 0532 0130 00";
  d.txtKIN = " Max Muster ";
  d.txtEKS = "HAUPT";
  ASSERT_TRUE(d.OK()) << (ui.Meldungen.empty() ? "" : ui.Meldungen[0].meldung.text);
  d.SpeichereMitglied();
  ASSERT_TRUE(m->Konto());
  EXPECT_EQ(m->Konto()->FBLZ, "37040044");
  EXPECT_EQ(m->Konto()->FKontonummer, "0532013000");
  EXPECT_EQ(m->Konto()->FIBAN, "DE89370400440532013000");
  EXPECT_EQ(m->Konto()->FInhaber, "Max Muster");
  // Switching to invoice asks, Yes drops the account.
  auto r = Dialog(*m);
  r.FZahlart = 0;
  ui.Antworten = {Antwort::Ja};
  ASSERT_TRUE(r.OK());
  r.SpeichereMitglied();
  EXPECT_FALSE(m->Konto());
  EXPECT_EQ(m->FZahlart, zaRechnung);
  EXPECT_EQ(ui.Meldungen.back().meldung.text,
            "Als Zahlungmethode wurde nicht Lastschrift gewählt, obwohl eine Bankverbindung angegeben wurde. "
            "Bankverbindung wird gelöscht. Fortfahren?");
}

TEST_F(Bearbeiten, ZahlerAustrittUndArchiv) {
  TMitglied& zahler = Mitglied(30, "AKT", "Zahler");
  auto d = Dialog(*m);
  d.FZahlart = 2;
  d.txtBLZ = d.txtKNR = d.txtIBAN = "";
  d.txtZMG = "030";
  d.txtADt = "31.12.2030";
  d.txtATx = " Umzug ";
  ASSERT_TRUE(d.OK());
  d.SpeichereMitglied();
  EXPECT_FALSE(m->Konto());
  ASSERT_TRUE(m->Zahler());
  EXPECT_EQ(m->Zahler()->GetZiel(), &zahler);
  EXPECT_EQ(DatumText(m->FAustrittsdatum), "31.12.2030");
  EXPECT_EQ(m->FAustrittsgrund, "Umzug");
  EXPECT_TRUE(m->FAustrittVon.IstGesetzt());
  auto w = Dialog(*m);
  w.txtADt = "";
  ASSERT_TRUE(w.OK());
  w.SpeichereMitglied();
  EXPECT_EQ(m->FAustrittsdatum, 0);
  EXPECT_FALSE(m->FAustrittVon.IstGesetzt());
  // An archived member keeps no bank data.
  auto a = TfrmZAQBearbeiten(zahler, *liste, Editormodus::Archiv, "Archiv");
  a.txtBTS = "gibt es nicht";  // not checked in the archive
  ASSERT_TRUE(a.OK());
  a.SpeichereMitglied();
  EXPECT_FALSE(zahler.Konto());
  EXPECT_FALSE(zahler.Zahler());
}

TEST_F(Bearbeiten, GruppeUmbenennenBrauchtStammdatenrecht) {
  auto d = Dialog(*m);
  ui.Dateinamen = {"Senioren"};
  ui.Dialoge.push_back([](DialogDaten&) { return true; });  // the administrator's empty password
  EXPECT_TRUE(d.GruppeUmbenennen(2));
  EXPECT_EQ(liste->FStammdaten.FGruppenname[1], "Senioren");
  EXPECT_TRUE(liste->FGeaendert);
  Rechte(0x80);
  EXPECT_FALSE(d.GruppeUmbenennen(2));
  EXPECT_EQ(ui.Meldungen.size(), 1u);
}

// Text the file cannot hold is refused on OK, naming the character and the
// field, before anything is stored; fields on pages the user cannot change
// are not looked at.
TEST_F(Bearbeiten, FremdeZeichenWerdenAbgelehnt) {
  const Json vorher = [&] {
    Json j;
    m->ZuJson(j);
    return j;
  }();
  const struct {
    std::string TfrmZAQBearbeiten::*feld;
    const char* text;
    std::string meldung;
  } faelle[] = {
      {&TfrmZAQBearbeiten::txtNNa, "Yılmaz",
       "Das Zeichen „ı“ (U+0131) im Feld „Nachname“ kann in der Mitgliederdatei nicht gespeichert werden. Bitte "
       "ersetzen Sie es durch ein anderes Zeichen."},
      {&TfrmZAQBearbeiten::txtOrt, "Łódź",
       "Das Zeichen „Ł“ (U+0141) im Feld „Ort“ kann in der Mitgliederdatei nicht gespeichert werden. Bitte ersetzen "
       "Sie es durch ein anderes Zeichen."},
      {&TfrmZAQBearbeiten::txtKIN, "Иван Петров",
       "Das Zeichen „И“ (U+0418) im Feld „Kontoinhaber“ kann in der Mitgliederdatei nicht gespeichert werden. Bitte "
       "ersetzen Sie es durch ein anderes Zeichen."},
      {&TfrmZAQBearbeiten::txtATx, "Umzug 🏠",
       "Das Zeichen „🏠“ (U+1F3E0) im Feld „Austrittsgrund“ kann in der Mitgliederdatei nicht gespeichert werden. "
       "Bitte ersetzen Sie es durch ein anderes Zeichen."},
  };
  for (const auto& f : faelle) {
    ui.Leeren();
    auto d = Dialog(*m);
    d.*f.feld = f.text;
    EXPECT_FALSE(d.OK()) << f.text;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung});
  }
  Json nachher;
  m->ZuJson(nachher);
  EXPECT_EQ(nachher, vorher);
  // What Windows-1252 holds passes: umlauts, ß, €, the typographic quotes.
  auto d = Dialog(*m);
  d.txtNNa = "Müller-Lüdenscheidt „Groß“ €";
  ui.Leeren();
  EXPECT_TRUE(d.OK()) << testing::PrintToString(ui.Texte());
  // Without the right to change fee data the fee fields are not checked.
  Rechte(0x80 | 0x200);
  auto r = Dialog(*m);
  r.txtKIN = "Иван";
  EXPECT_TRUE(r.OK());
}

TEST_F(Bearbeiten, EingabeNachDenRegelnDesFelds) {
  auto d = Dialog(*m);
  const struct {
    std::string TfrmZAQBearbeiten::*feld;
    std::string getippt, ergebnis;
  } faelle[] = {
      {&TfrmZAQBearbeiten::txtBTS, "akt", "AKT"},
      {&TfrmZAQBearbeiten::txtBTS, "straße", "STRAß"},  // five characters, ß stays one
      {&TfrmZAQBearbeiten::txtEKS, "äöü", "ÄÖÜ"},
      {&TfrmZAQBearbeiten::txtIBAN, "de89 3704", "DE89 3704"},
      {&TfrmZAQBearbeiten::txtMandDat, "01,02,2014", "01.02.2014"},
      {&TfrmZAQBearbeiten::txtEMG, "1,5,20", "1.5.20"},
      {&TfrmZAQBearbeiten::txtNNa, std::string(120, 'x'), std::string(100, 'x')},
      {&TfrmZAQBearbeiten::txtMail, std::string(150, 'e') + "ü" + std::string(60, 'e'),
       std::string(150, 'e') + "ü" + std::string(49, 'e')},
      {&TfrmZAQBearbeiten::txtZMG, "1234567", "12345"},
      {&TfrmZAQBearbeiten::txtStr, "Hauptstr. 1,5", "Hauptstr. 1,5"},
  };
  for (const auto& f : faelle) {
    d.Tippe(f.feld, f.getippt);
    EXPECT_EQ(d.*f.feld, f.ergebnis) << f.getippt;
  }
  // Changing the mandate reference clears the mandate date.
  d.txtMandDat = "01.02.2014";
  d.Tippe(&TfrmZAQBearbeiten::txtMandref, "0007M");
  EXPECT_EQ(d.txtMandDat, "");
  // Each text member is in the table once.
  std::set<std::string> namen;
  for (const auto& f : TfrmZAQBearbeiten::Textfelder()) {
    EXPECT_TRUE(namen.insert(f.name).second) << f.name;
    EXPECT_EQ(TfrmZAQBearbeiten::TextfeldVon(f.text).name, std::string(f.name));
  }
}

TEST_F(Bearbeiten, BeitragsseiteOhneAenderungsrechtNurLesen) {
  using S = TfrmZAQBearbeiten::Seite;
  Rechte(0x80 | 0x200);
  auto d = Dialog(*m);
  EXPECT_TRUE(d.SeiteSichtbar(S::Beitrag));
  EXPECT_FALSE(d.SeiteAktiv(S::Beitrag));
  d.Tippe(&TfrmZAQBearbeiten::txtBTS, "xyz");
  EXPECT_EQ(d.txtBTS, "AKT");
  EXPECT_FALSE(d.Feldtaste(&TfrmZAQBearbeiten::txtBTS, Feldtaste::RechteMaustaste));
  EXPECT_TRUE(ui.DialogArten.empty());
}

TEST_F(Bearbeiten, AuswahlMitRechterMaustasteUndBildAb) {
  Klasse("JUG", {{"Jugend", 30.0f, 0}});
  auto d = Dialog(*m);
  ui.Dialoge.push_back([](DialogDaten& dd) {
    auto& a = dynamic_cast<TfrmAuswahl&>(dd);
    a.Index = 1;
    return true;
  });
  EXPECT_TRUE(d.Feldtaste(&TfrmZAQBearbeiten::txtBTS, Feldtaste::RechteMaustaste));
  EXPECT_EQ(d.txtBTS, "JUG");
  ui.Dialoge.push_back([](DialogDaten& dd) {
    dynamic_cast<TfrmAuswahl&>(dd).Index = 0;
    return true;
  });
  EXPECT_TRUE(d.Feldtaste(&TfrmZAQBearbeiten::txtBTS, Feldtaste::BildAb));
  EXPECT_EQ(d.txtBTS, "AKT");
  // A field without a chooser takes neither.
  EXPECT_FALSE(d.Feldtaste(&TfrmZAQBearbeiten::txtNNa, Feldtaste::BildAb));
  EXPECT_EQ(ui.DialogArten, (std::vector<std::string>{"Auswahl", "Auswahl"}));
}

// A date field holds no date (day 0) as well as the date still to be entered
// (day 2, "TT.MM.JJJJ").
TEST_F(Bearbeiten, DatumsfelderMitOhneDatum) {
  const struct {
    Tag tag;
    const char* text;
  } formen[] = {{0, ""}, {2, "TT.MM.JJJJ"}, {D("01.03.2010"), "01.03.2010"}};
  for (const auto& f : formen) {
    EXPECT_EQ(DatumsfeldText(f.tag), f.text);
    EXPECT_EQ(LeseDatumsfeld(f.text), f.tag) << f.text;
  }
  EXPECT_EQ(LeseDatumsfeld(" 1,3,2010 "), D("01.03.2010"));
  EXPECT_EQ(LeseDatumsfeld("31.02.2010"), std::nullopt);
  auto d = Dialog(*m);
  EXPECT_TRUE(d.VerlasseDatumsfeld(&TfrmZAQBearbeiten::txtGebDt, ""));
  EXPECT_EQ(d.txtGebDt, 0);
  EXPECT_FALSE(d.VerlasseDatumsfeld(&TfrmZAQBearbeiten::txtEinDt, "30.02.2010"));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Ungültiges Datum!"});
  EXPECT_EQ(d.txtEinDt, D("01.03.2010"));
  // Leaving the entry date runs its input aid.
  d.txtZahlDt = 36525;
  EXPECT_TRUE(d.VerlasseDatumsfeld(&TfrmZAQBearbeiten::txtEinDt, "01.04.2011"));
  EXPECT_EQ(d.txtZahlDt, D("31.03.2011"));
  ASSERT_TRUE(d.OK());
  d.SpeichereMitglied();
  EXPECT_EQ(m->FGeburtsdatum, 0);
}

}  // namespace
}  // namespace zaq
