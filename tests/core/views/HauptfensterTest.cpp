// The main window's logic: how the member view composes its texts, stepping
// through the list, the quick search, rights and guards before commands, and
// the command table.
#include <gtest/gtest.h>

#include <set>

#include "Hilfen.h"
#include "bank/BankHilfen.h"
#include "base/Datum.h"
#include "base/Text.h"
#include "fees/VereinHilfen.h"
#include "store/Anmeldung.h"
#include "views/Bearbeiten.h"
#include "views/Hauptfenster.h"
#include "views/Mitgliederdialoge.h"
#include "views/Tabellenfenster.h"
#include "lists/Selektion.h"
#include "interaction/Einstellungen.h"
#include <filesystem>

namespace zaq {
namespace {

Tag D(const char* text) { return TextZuDatum(text).value(); }

// The window logic with the desktop and the check-out replaced.
class TestFenster : public TfrmZAQ {
 public:
  std::vector<std::string> Geoeffnet;
  std::function<bool()> BeimAusspeichern;
  using TfrmZAQ::Liste;

 protected:
  bool Oeffne(const std::string& ziel) override {
    Geoeffnet.push_back(ziel);
    return true;
  }
  bool Ausspeichern() override { return BeimAusspeichern ? BeimAusspeichern() : false; }
};

class Hauptfenster : public test::MitOberflaeche {
 protected:
  Hauptfenster() {
    auto liste = TZAQ::CreateNeu(false, true);
    L = liste.get();
    L->FBeschreibung = "TSV Test";
    L->FStammdaten.FAlterStichtag = D("31.12.2020");
    admin = L->Administrator();
    admin->FKennwortAktionen = 0;
    f.SetzeListe(std::move(liste));
  }
  TMitglied& Neu(std::uint16_t nummer, const std::string& name = "Muster", const std::string& vorname = "Max") {
    TMitglied& m = L->FMitglieder.Anhaengen(std::make_unique<TMitglied>(L, nummer));
    m.FName = name;
    m.FVorname = vorname;
    m.FGeburtsdatum = D("01.02.1960");
    m.FEintrittsdatum = D("01.04.1990");
    return m;
  }
  // Shows the first member after the list was filled in place.
  void Neuanzeige() {
    f.AktualisiereBereich();
    f.ZeigeMitglied(L->FMitglieder.Erstes());
    f.AktualisiereMenues();
  }
  std::string T(Anzeige feld) const { return f.Feld(feld).text; }
  // A user with exactly these rights, logged in.
  TBenutzer& Benutzer(std::uint32_t rechte) {
    auto& b = L->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Gast"));
    b.FVollerName = "Gerd Gast";
    b.FRechte = rechte;
    b.FKennwortAktionen = 0;
    L->SetzeAktuellerBenutzer(&b);
    return b;
  }
  TestFenster f;
  TZAQ* L;
  TBenutzer* admin;
};

TEST_F(Hauptfenster, MitgliederzahlInDerStatuszeile) {
  const struct {
    int mitglieder, selektiert;
    const char* text;
  } faelle[] = {
      {1, 0, "Ein Mitglied"}, {1, 1, "Ein Mitglied"}, {3, 0, "3 Mitglieder"}, {120, 7, "120 Mitgl. (7 Sel.)"}};
  for (const auto& fall : faelle) {
    L->FMitglieder.Leeren();
    for (int i = 1; i <= fall.mitglieder; ++i) Neu(static_cast<std::uint16_t>(i)).FSelektiert = i <= fall.selektiert;
    Neuanzeige();
    EXPECT_EQ(f.Status(2), fall.text) << fall.mitglieder << "/" << fall.selektiert;
  }
  f.Befehl(Bef::mnuMitglNaechst);
  EXPECT_EQ(f.Status(3), "Datensatz 2");
  // While the pointer rests on a command its hint stands there instead.
  f.ZeigeHinweis(Bef::befGesSel);
  EXPECT_EQ(f.Status(3), "[Umschalttaste] = Listenselektion");
  f.ZeigeHinweis({});
  EXPECT_EQ(f.Status(3), "Datensatz 2");

  plattform::SetzeFesteZeit(D("12.03.2019") + 0.5);
  f.FormActivate();
  plattform::SetzeFesteZeit(0);
  EXPECT_EQ(f.Status(1), "Di, 12.03.2019");
}

TEST_F(Hauptfenster, RahmenFuerAustretendeUndSelektierte) {
  TMitglied& m = Neu(1);
  Neuanzeige();
  EXPECT_EQ(f.FRahmen1, "Persönliche Daten");
  m.FSelektiert = true;
  f.AktualisiereAnzeige(false);
  EXPECT_EQ(f.FRahmen1, "Persönliche Daten (selektiert)");
  EXPECT_TRUE(f.Zustand(Bef::mnuMitglSelekt).markiert);
  EXPECT_TRUE(f.Zustand(Bef::befSel).markiert);
  // The exit date wins over the selection.
  m.FAustrittsdatum = D("31.12.2030");
  f.AktualisiereAnzeige(false);
  EXPECT_EQ(f.FRahmen1, "Persönliche Daten (automatisches Löschen nach dem 31.12.2030)");
  EXPECT_EQ(f.FRahmen2, "Beitragsdaten");
}

TEST_F(Hauptfenster, PersoenlicheDatenUndAlter) {
  TMitglied& m = Neu(7, "Müller", "Hans");
  m.FTitel = "Dr.";
  m.FMaennlich = false;
  m.FEhrung = 25;
  m.SetzeGruppe(1, true);
  m.SetzeGruppe(3, true);
  L->FStammdaten.FGruppenname[0] = "Aktive";
  L->FStammdaten.FGruppenname[2] = "Vorstand";
  Neuanzeige();
  EXPECT_EQ(T(Anzeige::txtNNa), "Müller");
  EXPECT_EQ(T(Anzeige::txtGes), "weibl.");
  EXPECT_EQ(T(Anzeige::txtGDt), "01.02.1960 (60)");
  EXPECT_EQ(T(Anzeige::txtEDt), "01.04.1990 (30)");
  EXPECT_EQ(T(Anzeige::txtEhr), "25");
  EXPECT_EQ(T(Anzeige::txtGru), "Aktive, Vorstand");
  EXPECT_EQ(f.cboSucheText, "Nr. 007");
  // An exit before the reference date ends the counting there.
  m.FAustrittsdatum = D("30.06.2010");
  f.AktualisiereAnzeige(true);
  EXPECT_EQ(T(Anzeige::txtGDt), "01.02.1960 (50)");
  EXPECT_EQ(T(Anzeige::txtEDt), "01.04.1990 (20)");
  // Without a date the day 0 is shown and counted like any other.
  m.FEintrittsdatum = 0;
  f.AktualisiereAnzeige(true);
  EXPECT_EQ(T(Anzeige::txtEDt), "30.12.1899 (110)");
}

TEST_F(Hauptfenster, HalbeUndVolleBreite) {
  TMitglied& m = Neu(1);
  Neuanzeige();
  EXPECT_FALSE(f.Feld(Anzeige::txtHTTP).sichtbar);
  EXPECT_FALSE(f.Zustand(Bef::befHttp).sichtbar);
  EXPECT_FALSE(f.Feld(Anzeige::txtGru).halbeBreite);
  EXPECT_FALSE(f.Feld(Anzeige::txtEMG).sichtbar);
  EXPECT_FALSE(f.Feld(Anzeige::txtAbt).halbeBreite);
  EXPECT_FALSE(f.Zustand(Bef::befMail).aktiv);

  m.FHomepage = "www.example.org";
  m.FEhrenmitgliedSeit = D("01.05.2015");
  m.FEMail = "max@example.org";
  f.AktualisiereAnzeige(true);
  EXPECT_TRUE(f.Feld(Anzeige::txtHTTP).sichtbar);
  EXPECT_TRUE(f.Zustand(Bef::befHttp).sichtbar);
  EXPECT_TRUE(f.Zustand(Bef::befHttp).aktiv);
  EXPECT_TRUE(f.Feld(Anzeige::txtGru).halbeBreite);
  EXPECT_TRUE(f.Feld(Anzeige::txtEMG).sichtbar);
  EXPECT_EQ(T(Anzeige::txtEMG), "01.05.2015");
  EXPECT_TRUE(f.Feld(Anzeige::txtAbt).halbeBreite);
  EXPECT_TRUE(f.Zustand(Bef::befMail).aktiv);

  // A homepage without "." is shown, but its link command is disabled.
  m.FHomepage = "intern";
  m.FEMail = "Fax 07143 1234";
  f.AktualisiereAnzeige(true);
  EXPECT_TRUE(f.Feld(Anzeige::txtHTTP).sichtbar);
  EXPECT_FALSE(f.Zustand(Bef::befHttp).aktiv);
  EXPECT_FALSE(f.Zustand(Bef::befMail).aktiv);
}

class HauptfensterBank : public test::MitBank {
 protected:
  HauptfensterBank() {
    auto liste = TZAQ::CreateNeu(false, true);
    L = liste.get();
    auto& konto = L->FStammdaten.FVereinskonten.Hinzufuegen();
    konto.FKontoSchluessel = "HAUPT";
    konto.FBezeichnung = "Hauptkonto Beiträge";
    zahler = &Neu(1);
    kind = &Neu(2);
    f.SetzeListe(std::move(liste));
  }
  TMitglied& Neu(std::uint16_t nummer) {
    TMitglied& m = L->FMitglieder.Anhaengen(std::make_unique<TMitglied>(L, nummer));
    m.FName = "Kunz";
    m.FVorname = nummer == 1 ? "Karl" : "Kai";
    m.FGeburtsdatum = D(nummer == 1 ? "03.03.1970" : "04.04.2010");
    return m;
  }
  std::string T(Anzeige feld) const { return f.Feld(feld).text; }
  TestFenster f;
  TZAQ* L;
  TMitglied* zahler;
  TMitglied* kind;
};

TEST_F(HauptfensterBank, BankdatenInGruppen) {
  auto& k = zahler->KontoAnlegen();
  k.FBLZ = "37040044";
  k.FKontonummer = "0532013000";
  k.FIBAN = "DE89370400440532013000";
  k.FInhaber = "Karl Kunz";
  k.FMandatsreferenz = "001K030370";
  k.FEmpfaengerKonto.wert = "HAUPT";
  zahler->FZahlart = zaLastschrift;
  f.ZeigeMitglied(zahler);
  EXPECT_EQ(f.FZahlartSeite, 1);
  EXPECT_EQ(T(Anzeige::txtBLZ), "370 400 44");
  EXPECT_EQ(T(Anzeige::txtKNr), "532 013 000");
  EXPECT_EQ(T(Anzeige::txtSepaIBAN), "DE89 3704 0044 0532 0130 00");
  EXPECT_FALSE(f.Feld(Anzeige::txtSepaIBAN).rot);
  EXPECT_EQ(T(Anzeige::txtSepaDate), "");
  EXPECT_EQ(T(Anzeige::txtEKO), "Hauptkonto Beiträge");
  EXPECT_EQ(T(Anzeige::txtBnk), "Commerzbank, 50447 Köln");

  // A wrong check digit shows red; an empty IBAN never does.
  k.FIBAN = "DE88370400440532013000";
  f.AktualisiereAnzeige(true);
  EXPECT_TRUE(f.Feld(Anzeige::txtSepaIBAN).rot);
  k.FIBAN.clear();
  k.FBLZ = "00000000";
  k.FKontonummer = "0000000000";
  k.FMandatsdatum = D("01.02.2014");
  f.AktualisiereAnzeige(true);
  EXPECT_FALSE(f.Feld(Anzeige::txtSepaIBAN).rot);
  EXPECT_EQ(T(Anzeige::txtBLZ), "");
  EXPECT_EQ(T(Anzeige::txtKNr), "");
  EXPECT_EQ(T(Anzeige::txtSepaDate), "01.02.2014");
  EXPECT_EQ(T(Anzeige::txtBnk), "");
  // Without an account every debit field is empty.
  k.FIBAN = "DE88370400440532013000";
  zahler->KontoEntfernen();
  f.AktualisiereAnzeige(true);
  EXPECT_EQ(T(Anzeige::txtKIn), "");
  EXPECT_EQ(T(Anzeige::txtEKO), "");
  EXPECT_FALSE(f.Feld(Anzeige::txtSepaIBAN).rot);
}

TEST_F(HauptfensterBank, ZahlerseiteUndBankverzeichnis) {
  auto& k = zahler->KontoAnlegen();
  k.FBLZ = "37040044";
  k.FKontonummer = "0532013000";
  k.FIBAN = "DE89370400440532013000";
  k.FEmpfaengerKonto.wert = "HAUPT";
  kind->FZahlart = zaMitfinanziert;
  kind->ZahlerAnlegen().Setze(zahler);
  f.ZeigeMitglied(kind);
  EXPECT_EQ(f.FZahlartSeite, 2);
  EXPECT_EQ(T(Anzeige::txtZNr), "001");
  EXPECT_EQ(T(Anzeige::txtZNa), "Kunz, Karl");
  EXPECT_EQ(T(Anzeige::txtZGd), "03.03.1970 (" + std::to_string(zahler->Alter()) + ")");
  EXPECT_EQ(T(Anzeige::txtZBa), "370 400 44");
  EXPECT_EQ(T(Anzeige::txtZKo), "532 013 000");
  EXPECT_EQ(T(Anzeige::txtZIb), "DE89 3704 0044 0532 0130 00");
  EXPECT_EQ(T(Anzeige::txtZEK), "Hauptkonto Beiträge");

  // The viewer opens at the payer's bank on page 2 ...
  ui.Dialoge = {[](DialogDaten& d) { return dynamic_cast<TBankdatenDialog&>(d).FBLZ == "37040044"; }};
  f.Befehl(Bef::mnuExtrasBankVerz);
  EXPECT_TRUE(ui.Dialoge.empty());
  // ... and without a position on page 0.
  kind->FZahlart = zaRechnung;
  f.AktualisiereAnzeige(true);
  std::string blz;
  ui.Dialoge = {[&](DialogDaten& d) { return blz = dynamic_cast<TBankdatenDialog&>(d).FBLZ, true; }};
  f.Befehl(Bef::mnuExtrasBankVerz);
  EXPECT_EQ(blz, "00000000");

  // ">>>" shows the payer.
  kind->FZahlart = zaMitfinanziert;
  f.AktualisiereAnzeige(true);
  f.Befehl(Bef::befZWechsel);
  EXPECT_EQ(f.AktuellesMitglied(), zahler);

  // A light refresh (dragging the scroll bar) leaves the payer's fields empty.
  f.bldlPosScroll(2, true);
  EXPECT_EQ(T(Anzeige::txtZNr), "001");
  EXPECT_EQ(T(Anzeige::txtZNa), "");
}

TEST_F(Hauptfenster, VorlaeufigesZahldatumUndAenderungshinweis) {
  TMitglied& m = Neu(1);
  m.FBezahltBis = D("31.12.2019");
  Neuanzeige();
  EXPECT_EQ(T(Anzeige::txtZahlDt), "31.12.2019");
  EXPECT_EQ(f.Feld(Anzeige::txtZahlDt).hinweis, "");
  EXPECT_EQ(f.Feld(Anzeige::txtNNa).hinweis, "");
  m.FVorlaeufigBezahltBis = D("31.12.2020");
  m.FGeaendertVon.Setze(admin);
  m.FGeaendertVon.FZeit = D("05.06.2020") + 0.5;
  f.AktualisiereAnzeige(true);
  EXPECT_EQ(T(Anzeige::txtZahlDt), "31.12.2019*");
  EXPECT_EQ(f.Feld(Anzeige::txtZahlDt).hinweis, "Vorläufiges, neues Zahldatum:\r\n31.12.2020|");
  EXPECT_EQ(f.Feld(Anzeige::txtNNa).hinweis, "Letzte Änderung am 05.06.2020, 12:00:00\r\ndurch Administrator|");
  EXPECT_EQ(T(Anzeige::txtBtrKlasse), "Keine Beitragsklasse gefunden");
}

class HauptfensterVerein : public test::MitVerein {
 protected:
  std::string T(Anzeige feld) const { return f.Feld(feld).text; }
  TestFenster f;
};

TEST_F(HauptfensterVerein, BeitragsklasseBetragUndMitfinanzierungen) {
  Klasse("AKT", {{"Beitrag", 120.0f, 150}});
  Familie("FAM", 150.0f, "Familie");
  TMitglied& a = Mitglied(1, "AKT");
  TMitglied& eltern = Mitglied(2, "FAM");
  TMitglied& kind = Kind(3, "FAM", eltern);
  Mitglied(4, "XYZ");
  TZAQ* L = liste.get();
  f.SetzeListe(std::move(liste));
  EXPECT_EQ(T(Anzeige::txtBtrKlasse), "Klasse AKT");
  EXPECT_EQ(T(Anzeige::txtBetrag), "120,00 €");
  f.ZeigeMitglied(&kind);
  EXPECT_EQ(T(Anzeige::txtBetrag), "0,00 € F");
  f.ZeigeMitgliedNr(4);
  EXPECT_EQ(T(Anzeige::txtBtrKlasse), "Keine Beitragsklasse gefunden");
  EXPECT_EQ(T(Anzeige::txtBetrag), "Fehler!");

  // The co-financing window: F4 shows it, ticks the command and refills it
  // with every full refresh.
  f.ZeigeMitglied(&eltern);
  EXPECT_TRUE(f.Befehl(Bef::mnuMitglMitfin));
  EXPECT_TRUE(f.FMitfinSichtbar);
  EXPECT_TRUE(f.Zustand(Bef::befMitfin).markiert);
  const auto stand = f.FMitfinStand;
  f.ZeigeMitglied(&a);
  EXPECT_GT(f.FMitfinStand, stand);
  f.SetzeMitfinSichtbar(false);
  EXPECT_FALSE(f.Zustand(Bef::mnuMitglMitfin).markiert);

  // Taking over the preliminary pay dates, after the warning.
  a.FVorlaeufigBezahltBis = D("31.12.2011");
  L->FKennwortBestaetigt = true;
  ui.Antworten = {Antwort::OK, Antwort::OK};
  EXPECT_TRUE(f.Befehl(Bef::mnuLSVZahldatenUebernahme));
  EXPECT_EQ(T(Anzeige::txtZahlDt), "31.12.2011");
  EXPECT_EQ(ui.Texte().back(), "Daten wurden übernommen");
  EXPECT_TRUE(L->FGeaendert);
}

TEST_F(Hauptfenster, NaechstesUndVorherigesMitSelektion) {
  for (std::uint16_t i = 1; i <= 5; ++i) Neu(i);
  Neuanzeige();
  f.Befehl(Bef::mnuMitglVorher);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es ist kein weiterer Datensatz vorhanden."});
  EXPECT_EQ(ui.Meldungen[0].meldung.art, MeldungsArt::Fehler);
  EXPECT_FALSE(f.Zustand(Bef::befZur).aktiv);
  f.bldlPosScroll(5, false);
  EXPECT_EQ(f.AktuelleNummer(), 5);
  EXPECT_FALSE(f.Zustand(Bef::mnuMitglNaechst).aktiv);
  ui.Leeren();
  f.Befehl(Bef::mnuMitglNaechst);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es ist kein weiterer Datensatz vorhanden."});

  // With a selection only the selected members are visited, counting the
  // position along.
  L->FMitglieder[1].FSelektiert = true;
  L->FMitglieder[3].FSelektiert = true;
  f.bldlPosScroll(1, false);
  f.Befehl(Bef::mnuMitglNaechst);
  EXPECT_EQ(f.AktuellePosition(), 2);
  f.Befehl(Bef::befVor);
  EXPECT_EQ(f.AktuellePosition(), 4);
  EXPECT_EQ(f.Status(3), "Datensatz 4");
  ui.Leeren();
  f.Befehl(Bef::mnuMitglNaechst);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es ist kein weiterer Datensatz selektiert."});
  EXPECT_EQ(ui.Meldungen[0].meldung.art, MeldungsArt::Information);
  EXPECT_EQ(f.AktuellePosition(), 4);
  f.Befehl(Bef::befZur);
  EXPECT_EQ(f.AktuellePosition(), 2);
}

TEST_F(Hauptfenster, BildlaufUndMausrad) {
  for (std::uint16_t i = 1; i <= 12; ++i) Neu(i);
  Neuanzeige();
  EXPECT_EQ(f.FBereich, 12);
  EXPECT_EQ(f.FGrosserSchritt, 2);
  f.bldlPosScroll(9, false);
  EXPECT_EQ(f.AktuelleNummer(), 9);
  // A position off the list changes nothing but the caption.
  f.bldlPosScroll(13, false);
  EXPECT_EQ(f.FTitel, "Fehler: Mitglieder nicht gefunden");
  EXPECT_EQ(f.AktuelleNummer(), 9);

  // The wheel steps through all members; Ctrl alone does nothing; at the ends nothing happens.
  L->FMitglieder[9].FSelektiert = true;
  EXPECT_TRUE(f.FormMausrad(-120, false));
  EXPECT_EQ(f.AktuelleNummer(), 8);
  EXPECT_TRUE(f.FormMausrad(120, false));
  f.FormMausrad(120, false);
  EXPECT_EQ(f.AktuelleNummer(), 10);
  EXPECT_TRUE(f.FormMausrad(120, true));
  EXPECT_EQ(f.AktuelleNummer(), 10);
  f.bldlPosScroll(12, false);
  f.FormMausrad(120, false);
  EXPECT_EQ(f.AktuelleNummer(), 12);
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Hauptfenster, NamensvergleichDerSchnellsuche) {
  TMitglied& m = Neu(1, "Müller-Lüdenscheidt", "Hans");
  m.FTitel = "Dr.";
  const struct {
    const char* text;
    bool passt;
  } faelle[] = {
      {"m", true},          {"M", true},        {"ü", false},      {"h", false},  // one character: surname start
      {"  m ", true},       {"ll", true},       {"lü", true},      {"hans müll", true},
      {"müll hans", true},  {"DR. HANS", true}, {"hans  müll", true}, {"hans maier", false},
      {"", false},          {"   ", false},
  };
  for (const auto& fall : faelle) EXPECT_EQ(NamePasst(m, fall.text), fall.passt) << '"' << fall.text << '"';
  TMitglied& u = Neu(2, "Übel", "Uwe");
  EXPECT_TRUE(NamePasst(u, "ü"));
}

TEST_F(Hauptfenster, SchnellsucheNachNamen) {
  Neu(1, "Schmidt", "Anna").FOrt = "Musterstadt";
  Neu(2, "Meier", "Hans");
  TMitglied& s = Neu(3, "Schneider", "Hans");
  s.FSelektiert = true;
  for (std::uint16_t i = 10; i < 40; ++i) Neu(i, "Sommer", "Paul");
  Neuanzeige();

  f.cboSucheEnter();
  EXPECT_EQ(f.cboSucheText, "");
  EXPECT_FALSE(f.cboSucheTaste(SuchTaste::Buchstabe));
  EXPECT_TRUE(f.FNamenssuche);
  f.cboSucheAenderung("hans sch");
  ASSERT_EQ(f.FTreffer.size(), 1u);
  EXPECT_TRUE(f.FTrefferOffen);
  EXPECT_EQ(f.FTreffer[0].text, "Nr. 003");
  EXPECT_EQ(f.FTreffer[0].name, "Schneider, Hans");
  EXPECT_EQ(f.FTreffer[0].symbol, Statussymbol::Selektiert);

  // One letter: at most 20 surnames with that initial, in list order.
  f.cboSucheAenderung("s");
  ASSERT_EQ(f.FTreffer.size(), 20u);
  EXPECT_EQ(f.FTreffer[0].name, "Schmidt, Anna");
  EXPECT_EQ(f.FTreffer[0].ort, "Musterstadt");
  EXPECT_EQ(f.FTreffer[1].name, "Schneider, Hans");
  f.cboSucheAenderung("xyz");
  EXPECT_TRUE(f.FTreffer.empty());
  EXPECT_FALSE(f.FTrefferOffen);

  // A text starting with "Nr." does not search.
  f.cboSucheAenderung("hans");
  f.cboSucheAenderung("Nr. 1");
  EXPECT_EQ(f.FTreffer.size(), 2u);
  f.cboSucheWahl(1);
  EXPECT_EQ(f.AktuelleNummer(), 3);
  EXPECT_EQ(f.cboSucheText, "Nr. 003");

  // A digit leaves the name search and clears the text; leaving the box
  // shows the number again.
  f.cboSucheTaste(SuchTaste::Buchstabe);
  f.cboSucheAenderung("sch");
  f.cboSucheTaste(SuchTaste::Ziffer);
  EXPECT_FALSE(f.FNamenssuche);
  EXPECT_EQ(f.cboSucheText, "");
  f.cboSucheExit();
  EXPECT_EQ(f.cboSucheText, "Nr. 003");
  EXPECT_TRUE(f.FTreffer.empty());
  EXPECT_TRUE(ui.Meldungen.empty());

  EXPECT_EQ(f.SucheName("hans", true), &L->FMitglieder[1]);
  EXPECT_EQ(f.SucheName("hans", false), nullptr);
}

TEST_F(Hauptfenster, SchnellsucheNachNummer) {
  Neu(1, "Erster");
  Neu(5, "Fünfter");
  Neuanzeige();
  const std::string ganzeZahl = "Die Mitgliedsnummer muß eine ganze Zahl im Bereich von 1 bis 9999 sein.";
  const std::string bereich = "Die Mitgliedsnummer muß im Bereich von 1 bis 99999 liegen.";
  const struct {
    const char* text;
    std::string meldung;
  } faelle[] = {{"0", bereich},         {"100000", bereich},  {"99999999999999999999", bereich},
                {"12a", ganzeZahl},     {"", ganzeZahl},      {" 5", ganzeZahl},
                {"70000", ganzeZahl}};
  for (const auto& fall : faelle) {
    ui.Leeren();
    f.cboSucheEnter();
    f.cboSucheAenderung(fall.text);
    EXPECT_TRUE(f.cboSucheTaste(SuchTaste::Enter));
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{fall.meldung}) << fall.text;
    EXPECT_EQ(f.cboSucheText, fall.text);
    EXPECT_EQ(f.AktuelleNummer(), 1);
  }

  ui.Leeren();
  f.cboSucheAenderung("005");
  f.cboSucheTaste(SuchTaste::Enter);
  EXPECT_TRUE(ui.Meldungen.empty());
  EXPECT_EQ(f.AktuelleNummer(), 5);
  EXPECT_EQ(f.cboSucheText, "Nr. 005");
  EXPECT_TRUE(f.FSucheAuswaehlen);
}

TEST_F(Hauptfenster, NichtGefundenNeuesMitgliedAnlegen) {
  Neu(1, "Erster");
  Neuanzeige();
  const std::string frage =
      "Es wurde kein Mitglied mit der angegebenen Nummer gefunden.\r\nWollen Sie ein neues Mitglied mit dieser "
      "Nummer anlegen?";
  // No: the box shows the current member's number again.
  ui.Antworten = {Antwort::Nein};
  f.cboSucheAenderung("42");
  f.cboSucheTaste(SuchTaste::Enter);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{frage});
  EXPECT_EQ(f.cboSucheText, "Nr. 001");
  EXPECT_EQ(L->AnzahlMitglieder(), 1);

  // Yes: the editor opens on a member with that number; the member shown stays.
  ui.Leeren();
  ui.Antworten = {Antwort::Ja};
  std::string titel;
  ui.Dialoge = {[&](DialogDaten& d) {
    auto& e = dynamic_cast<TfrmZAQBearbeiten&>(d);
    titel = e.FTitel;
    e.txtNNa = "Neu";
    return true;
  }};
  f.cboSucheAenderung("42");
  f.cboSucheTaste(SuchTaste::Enter);
  EXPECT_EQ(titel, "Mitglied 042 hinzufügen");
  ASSERT_EQ(L->AnzahlMitglieder(), 2);
  EXPECT_EQ(L->FMitglieder[1].FMitgliedsnummer, 42);
  EXPECT_EQ(ui.Texte().back(), "Das Mitglied wurde aufgenommen.\r\n\r\nDer derzeitige Bestand beträgt 2 Mitglieder.");
  EXPECT_EQ(f.AktuelleNummer(), 1);
  EXPECT_EQ(f.FBereich, 2);
  EXPECT_EQ(f.Status(2), "2 Mitglieder");

  // Without the right to add: the rights message, and nothing is added.
  Benutzer(rPersoenlicheDaten);
  ui.Leeren();
  ui.Antworten = {Antwort::Ja};
  f.cboSucheAenderung("43");
  f.cboSucheTaste(SuchTaste::Enter);
  EXPECT_EQ(ui.Texte().back(),
            "Sie sind im Moment als Gerd Gast angemeldet und besitzen leider nicht das Recht, die gewünschte Aktion "
            "auszuführen.");
  EXPECT_TRUE(ui.DialogArten.empty());
  EXPECT_EQ(L->AnzahlMitglieder(), 2);
}

TEST_F(Hauptfenster, OhneRechtBleibtAllesWieEsIst) {
  TMitglied& m = Neu(1, "Erster");
  Neu(2, "Zweiter");
  Neuanzeige();
  Benutzer(rNotizenAnzeigen);
  L->FGeaendert = false;
  const std::string rechte =
      "Sie sind im Moment als Gerd Gast angemeldet und besitzen leider nicht das Recht, die gewünschte Aktion "
      "auszuführen.";
  for (Bef befehl : {Bef::mnuMitglHinzu, Bef::befHinz, Bef::mnuMitglDuplizieren, Bef::mnuMitglAendern,
                     Bef::befBearb, Bef::mnuMitglEntfernen, Bef::mnuMitglMitglnraendern}) {
    ui.Leeren();
    EXPECT_FALSE(f.Befehl(befehl)) << Name(befehl);
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{rechte}) << Name(befehl);
    EXPECT_TRUE(ui.DialogArten.empty()) << Name(befehl);
  }
  EXPECT_EQ(L->AnzahlMitglieder(), 2);
  EXPECT_EQ(m.FMitgliedsnummer, 1);
  EXPECT_FALSE(L->FGeaendert);
  // Without the right to see fee data the fee frame is hidden.
  f.AktualisiereMenues();
  EXPECT_FALSE(f.FRahmen2Sichtbar);

  // Any one of the alternatives is enough for editing.
  Benutzer(rGruppen);
  ui.Dialoge = {[](DialogDaten&) { return false; }};
  EXPECT_TRUE(f.Befehl(Bef::mnuMitglAendern));
  EXPECT_EQ(ui.DialogArten.back(), TfrmZAQBearbeiten::kArt);
}

TEST_F(Hauptfenster, EntfernenZeigtDenNachbarnAnSeinemPlatz) {
  for (std::uint16_t i = 1; i <= 5; ++i) Neu(i);
  Neuanzeige();
  auto sofort = [](DialogDaten& d) {
    return dynamic_cast<TLoeschDialog&>(d).Druecke(TLoeschDialog::Knopf::Sofort);
  };
  f.bldlPosScroll(3, false);
  ui.Dialoge = {sofort};
  ASSERT_TRUE(f.Befehl(Bef::mnuMitglEntfernen));
  EXPECT_EQ(L->AnzahlMitglieder(), 4);
  EXPECT_EQ(f.AktuelleNummer(), 2);
  EXPECT_EQ(f.AktuellePosition(), 2);
  EXPECT_EQ(f.FBereich, 4);
  // The first member's neighbour is its successor, now first itself.
  f.bldlPosScroll(1, false);
  ui.Dialoge = {sofort};
  f.Befehl(Bef::mnuMitglEntfernen);
  EXPECT_EQ(f.AktuelleNummer(), 2);
  EXPECT_EQ(f.AktuellePosition(), 1);
  // "Nach Austrittsdatum" keeps the member and shows its exit date.
  ui.Dialoge = {[](DialogDaten& d) {
    auto& l = dynamic_cast<TLoeschDialog&>(d);
    l.FDatum = "31.12.2040";
    return l.Druecke(TLoeschDialog::Knopf::NachAustrittsdatum);
  }};
  f.Befehl(Bef::mnuMitglEntfernen);
  EXPECT_EQ(L->AnzahlMitglieder(), 3);
  EXPECT_EQ(f.FRahmen1, "Persönliche Daten (automatisches Löschen nach dem 31.12.2040)");

  while (L->AnzahlMitglieder() > 1) L->FMitglieder.Loeschen(*L->FMitglieder.Letztes());
  f.ZeigeMitglied(L->FMitglieder.Erstes());
  ui.Leeren();
  f.Befehl(Bef::mnuMitglEntfernen);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Mindestens ein Datensatz muß vorhanden sein."});
  EXPECT_TRUE(ui.DialogArten.empty());
}

TEST_F(Hauptfenster, HinzufuegenUndDuplizieren) {
  Neu(1, "Erster");
  Neu(3, "Dritter");
  Neuanzeige();
  ui.Dialoge = {[](DialogDaten&) { return true; }, [](DialogDaten&) { return true; }};
  f.Befehl(Bef::mnuMitglHinzu);
  EXPECT_EQ(f.AktuelleNummer(), 2);
  EXPECT_EQ(f.AktuellePosition(), 3);
  EXPECT_EQ(ui.Texte().back(), "Das Mitglied wurde aufgenommen.\r\n\r\nDer derzeitige Bestand beträgt 3 Mitglieder.");
  f.Befehl(Bef::mnuMitglDuplizieren);
  EXPECT_EQ(f.AktuelleNummer(), 4);
  EXPECT_EQ(ui.Texte().back(),
            "Das duplizerte Mitglied wurde aufgenommen.\r\n\r\nDer derzeitige Bestand beträgt 4 Mitglieder.");
  // Cancelled: nothing added, no message.
  ui.Leeren();
  f.Befehl(Bef::mnuMitglHinzu);
  EXPECT_TRUE(ui.Meldungen.empty());
  EXPECT_EQ(L->AnzahlMitglieder(), 4);
}

TEST_F(Hauptfenster, SelektionUndMitfinanzierte) {
  TMitglied& a = Neu(1);
  TMitglied& b = Neu(2);
  TMitglied& c = Neu(3);
  b.ZahlerAnlegen().Setze(&a);
  Neuanzeige();
  L->FNurSelektierteAntwort = 2;
  f.Befehl(Bef::befSel);
  EXPECT_TRUE(a.FSelektiert);
  EXPECT_EQ(L->FNurSelektierteAntwort, 0);
  EXPECT_TRUE(f.Zustand(Bef::mnuSelFragen).markiert);
  EXPECT_FALSE(f.Zustand(Bef::mnuSelFragen).aktiv);
  f.Befehl(Bef::mnuMitglSelekt);
  EXPECT_FALSE(a.FSelektiert);
  f.Befehl(Bef::mnuMitglZugSelekt);
  EXPECT_TRUE(a.FSelektiert);
  EXPECT_TRUE(b.FSelektiert);
  EXPECT_FALSE(c.FSelektiert);
  EXPECT_EQ(f.Status(2), "3 Mitgl. (2 Sel.)");
  EXPECT_EQ(f.FRahmen1, "Persönliche Daten (selektiert)");
}

TEST_F(Hauptfenster, SelektierteLoeschen) {
  for (std::uint16_t i = 1; i <= 3; ++i) Neu(i);
  Neuanzeige();
  f.Befehl(Bef::mnuExtrasMassenSelekLoschen);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Zur Zeit sind keine Mitglieder selektiert."});
  for (auto& m : L->FMitglieder) m->FSelektiert = true;
  ui.Leeren();
  ui.Antworten = {Antwort::Ja};
  f.Befehl(Bef::mnuExtrasMassenSelekLoschen);
  EXPECT_EQ(ui.Texte().back(),
            "Es dürfen nicht alle Mitglieder selektiert sein. Mindestens ein Datensatz muß bestehen bleiben.");
  L->FMitglieder[2].FSelektiert = false;
  f.bldlPosScroll(2, false);
  ui.Leeren();
  ui.Antworten = {Antwort::Ja};
  ui.Dialoge = {[](DialogDaten& d) { return dynamic_cast<TLoeschDialog&>(d).Druecke(TLoeschDialog::Knopf::Sofort); }};
  f.Befehl(Bef::mnuExtrasMassenSelekLoschen);
  EXPECT_EQ(L->AnzahlMitglieder(), 1);
  EXPECT_EQ(f.AktuelleNummer(), 3);
  EXPECT_EQ(f.FBereich, 1);
}

TEST_F(Hauptfenster, MehrbenutzerfrageVorDemHinzufuegen) {
  Neu(1);
  Neuanzeige();
  auto& ftp = L->FFtpDaten;
  ftp.FServer = "ftp.example.org";
  ftp.FFtpBenutzer = "verein";
  ftp.FFtpKennwort = "geheim";
  ftp.FServerDatei = "liste.zaq";
  ftp.FSchluessel = Bytes(16, 7);
  f.AktualisiereMenues();
  EXPECT_TRUE(f.Zustand(Bef::mnuDateiAusspeichern).sichtbar);
  // Administrator: also "Änderungen auch ohne Ausspeichern" -> Yes/No/Cancel.
  ui.Antworten = {Antwort::Abbrechen};
  EXPECT_FALSE(f.Befehl(Bef::mnuMitglHinzu));
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_TRUE(ui.Meldungen[0].meldung.text.starts_with("Achtung:\r\n\r\nDie geöffnete Datei nimmt als aktive"));
  EXPECT_EQ(ui.Meldungen[0].meldung.knoepfe, Knoepfe::JaNeinAbbrechen);
  EXPECT_TRUE(ui.DialogArten.empty());
  EXPECT_EQ(L->AnzahlMitglieder(), 1);
  // No: go on without checking out.
  ui.Leeren();
  ui.Antworten = {Antwort::Nein};
  EXPECT_TRUE(f.Befehl(Bef::mnuMitglHinzu));
  EXPECT_EQ(ui.DialogArten, std::vector<std::string>{std::string(TfrmZAQBearbeiten::kArt)});

  // Without that right only OK/Cancel; a failed check-out stops the command.
  Benutzer(rOnline | rMitgliederHinzufuegen);
  ui.Leeren();
  ui.Antworten = {Antwort::OK};
  EXPECT_FALSE(f.Befehl(Bef::mnuMitglHinzu));
  EXPECT_EQ(ui.Meldungen[0].meldung.knoepfe, Knoepfe::OKAbbrechen);
  EXPECT_TRUE(ui.DialogArten.empty());
  // A user outside the shared procedure is not asked.
  Benutzer(rMitgliederHinzufuegen);
  ui.Leeren();
  f.Befehl(Bef::mnuMitglHinzu);
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Hauptfenster, VeraltetesMitgliedNachDemAusspeichern) {
  TMitglied& m = Neu(7, "Alt", "Anna");
  Neuanzeige();
  auto& ftp = L->FFtpDaten;
  ftp.FServer = ftp.FFtpBenutzer = ftp.FFtpKennwort = ftp.FServerDatei = "x";
  ftp.FSchluessel = Bytes(16, 1);
  f.ZeigeMitglied(&m);
  // The check-out brings a list in which number 7 has another birth date.
  f.BeimAusspeichern = [&] {
    auto neu = TZAQ::CreateNeu(false, true);
    TMitglied& x = neu->FMitglieder.Anhaengen(std::make_unique<TMitglied>(neu.get(), 7));
    x.FGeburtsdatum = D("02.02.1960");
    neu->FFtpDaten.FAusgespeichertVon = "Admin";
    f.SetzeListe(std::move(neu));
    return true;
  };
  ui.Antworten = {Antwort::Ja};
  EXPECT_FALSE(f.Befehl(Bef::mnuMitglAendern));
  EXPECT_EQ(ui.Texte().back(),
            "Das Mitglied Anna Alt ist in der aktuellen Datenbank nicht mehr unter der alten Mitgliedsnummer 007 und "
            "mit selbem Geburts- (01.02.1960) und Eintrittsdatum (01.04.1990) vorhanden. Der aktuelle Vorgang wird "
            "abgebrochen, suchen Sie das gewünschte Mitglied in der aktualisierten Liste und führen Sie die "
            "gewünschte Operation dann erneut aus.");
  EXPECT_EQ(ui.Meldungen.back().meldung.art, MeldungsArt::Warnung);
  EXPECT_TRUE(ui.DialogArten.empty());
  // The remembered number is shown again in the new list, checked out.
  EXPECT_EQ(f.AktuelleNummer(), 7);
  EXPECT_EQ(f.FTitel, "ZAQ Mitgliederverwaltung");
  EXPECT_TRUE(f.FAusgespeichertFarbe);
}

TEST_F(Hauptfenster, NotizanzeigeUndBlinken) {
  TMitglied& m = Neu(1, "Muster", "Max");
  Neuanzeige();
  EXPECT_FALSE(f.FNotizTimer);
  EXPECT_EQ(f.Hinweis(Bef::befNotiz), "Neue Notiz für Max Muster anlegen.");
  ASSERT_EQ(f.FNotizMenue.size(), 1u);
  EXPECT_EQ(f.FNotizMenue[0].text, "Neue Notiz für Max Muster anlegen");

  auto& a = m.FNotizen.Hinzufuegen();
  a.FBetreff = "Adresse prüfen";
  a.FVerfasser.Setze(admin);
  auto& b = m.FNotizen.Hinzufuegen();
  b.FBetreff = "Lizenz";
  b.FVerfasser.FLogin = "Weg";
  b.FVerfasser.FBenutzerNr = 99;
  admin->FBildNr = 3;
  f.AktualisiereAnzeige(true);
  EXPECT_TRUE(f.FNotizTimer);
  EXPECT_EQ(f.Hinweis(Bef::befNotiz), "Für Max Muster sind 2 Notizen hinterlegt.");
  ASSERT_EQ(f.FNotizMenue.size(), 4u);
  EXPECT_EQ(f.FNotizMenue[0].text, "Adresse prüfen (Administrator)");
  ASSERT_TRUE(f.FNotizMenue[0].bild);
  EXPECT_EQ(f.FNotizMenue[0].bild->nummer, 3);
  EXPECT_EQ(f.FNotizMenue[1].text, "Lizenz (Weg)");
  EXPECT_FALSE(f.FNotizMenue[1].bild);
  EXPECT_TRUE(f.FNotizMenue[2].trenner);
  // The newest note's author is unknown: the button blinks with an empty picture.
  EXPECT_FALSE(f.FNotizAutor);
  f.NotizTimerTick();
  EXPECT_TRUE(f.FNotizAutorZeigen);
  f.NotizTimerTick();
  EXPECT_FALSE(f.FNotizAutorZeigen);

  m.FNotizen.Loeschen(1);
  f.AktualisiereAnzeige(true);
  EXPECT_EQ(f.Hinweis(Bef::befNotiz), "Für Max Muster ist eine Notiz hinterlegt.");
  ASSERT_TRUE(f.FNotizAutor);
  EXPECT_EQ(f.FNotizAutor->nummer, 3);
  // A light refresh leaves the indicator alone.
  m.FNotizen.Leeren();
  f.AktualisiereAnzeige(false);
  EXPECT_TRUE(f.FNotizTimer);
}

TEST_F(Hauptfenster, FenstertitelUndAufgaben) {
  Neu(1);
  Neuanzeige();
  EXPECT_EQ(f.FTitel, "ZAQ - TSV Test");
  L->FBeschreibung = "   ";
  auto& n = L->FNotizen.Hinzufuegen();
  n.FBetreff = "Versammlung";
  n.FVerfasser.Setze(admin);
  f.AktualisiereMenues();
  EXPECT_EQ(f.FTitel, "ZAQ Mitgliederverwaltung");
  ASSERT_EQ(f.FAufgaben.size(), 3u);
  EXPECT_EQ(f.FAufgaben[0].text, "Versammlung (Administrator)");
  EXPECT_EQ(f.FAufgaben[2].text, "Neue Vereinsnotiz anlegen");
  EXPECT_TRUE(f.Zustand(Bef::mnuExtrasAustritte).sichtbar);
  L->FAustrittsliste = false;
  f.AktualisiereMenues();
  EXPECT_FALSE(f.Zustand(Bef::mnuExtrasAustritte).sichtbar);
}

TEST_F(Hauptfenster, MailLinkUndZwischenablage) {
  TMitglied& m = Neu(1, "Muster", "Max");
  m.FEMail = "max@example.org";
  m.FHomepage = "https://example.org/max";
  m.FStrasse = "Hauptstraße 1";
  m.FPLZ = "74321";
  m.FOrt = "Musterstadt";
  Neuanzeige();
  f.Befehl(Bef::befMail);
  f.Befehl(Bef::befHttp);
  EXPECT_EQ(f.Geoeffnet, (std::vector<std::string>{"mailto:max@example.org", "https://example.org/max"}));
  f.Befehl(Bef::mnuMitglAnredKopieren);
  EXPECT_EQ(ui.ZwischenablageText, "An Herrn\r\nMuster, Max\r\nHauptstraße 1\r\n74321 Musterstadt");
  f.Befehl(Bef::mnuMitglKopieren);
  EXPECT_TRUE(ui.ZwischenablageText.starts_with("ZAQ Mitgliederverwaltung\r\n\r\nMitgliedsnummer:\t001\r\n"));
}

TEST_F(Hauptfenster, BenutzerwechselBautMenuesNeu) {
  Neu(1);
  Neuanzeige();
  auto& kasse = L->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Kasse"));
  kasse.FRechte = rNotizenAnzeigen;
  ui.Dialoge = {[](DialogDaten& d) {
                  auto& a = dynamic_cast<TAnmeldeDialog&>(d);
                  return a.Waehle(1);
                },
                [](DialogDaten&) { return true; }};
  EXPECT_TRUE(f.Befehl(Bef::mnuExtrasBenutzer));
  EXPECT_EQ(L->AktuellerBenutzer(), &kasse);
  EXPECT_FALSE(f.FRahmen2Sichtbar);
}

TEST(Befehlstabelle, JederBefehlUndJedesMenueStehtEinmalDarin) {
  std::map<Menue, int> menues;
  for (const TMenue& m : TfrmZAQ::Menues()) ++menues[m.id];
  for (std::size_t i = 0; i < kAnzahlMenues; ++i) EXPECT_EQ(menues[static_cast<Menue>(i)], 1) << Name(static_cast<Menue>(i));
  std::map<Bef, int> befehle;
  for (const TBefehl& b : TfrmZAQ::Befehle()) {
    ++befehle[b.id];
    if (b.menue) {
      EXPECT_STRNE(b.titel, "") << Name(b.id);
    }
    if (b.wie) {
      EXPECT_FALSE(TfrmZAQ::SucheBefehl(*b.wie).wie) << Name(b.id);
    }
    // What is switched on can run.
    if (b.verfuegbar && !b.wie && b.id != Bef::cboSuche && b.id != Bef::bldlPos) {
      EXPECT_TRUE(b.handler) << Name(b.id);
    }
  }
  for (std::size_t i = 0; i < kAnzahlBefehle; ++i) EXPECT_EQ(befehle[static_cast<Bef>(i)], 1) << Name(static_cast<Bef>(i));
  // The names a front end carries lead back to the same command or menu.
  EXPECT_EQ(HinweisZielNamens("befGesSel"), THinweisZiel(Bef::befGesSel));
  EXPECT_EQ(HinweisZielNamens("mnuExtrasMassen"), THinweisZiel(Menue::mnuExtrasMassen));
  EXPECT_EQ(HinweisZielNamens("befGesSe"), THinweisZiel());
  EXPECT_STREQ(Name(Anzeige::txtSepaIBAN), "txtSepaIBAN");
  // Shortcuts are unique, except F2 which the member and the info menu share.
  std::map<std::string, int> tasten;
  for (const TBefehl& b : TfrmZAQ::Befehle())
    if (*b.taste) ++tasten[b.taste];
  for (const auto& [taste, anzahl] : tasten) EXPECT_EQ(anzahl, taste == "F2" ? 2 : 1) << taste;
}

TEST_F(Hauptfenster, NichtGebauteBefehleSindAusgegraut) {
  Neu(1);
  Neuanzeige();
  EXPECT_FALSE(f.Zustand(Bef::mnuDateiZAQImport).aktiv);
  EXPECT_FALSE(f.Befehl(Bef::mnuDateiZAQImport));
  EXPECT_TRUE(f.Zustand(Bef::befTabelle).aktiv);
  EXPECT_TRUE(f.Zustand(Bef::mnuMitglAendern).aktiv);
  EXPECT_TRUE(f.Zustand(Bef::befBearb).aktiv);
  EXPECT_EQ(KurzHinweis(f.Hinweis(Bef::befTabelle)), "Tabelle mit persönlichen [vereinsbezogenen] Daten");
  EXPECT_EQ(f.Hinweis(Menue::mnuDatei), "Mitgliederlisten erstellen, öffnen, speichern...");
  EXPECT_TRUE(ui.Meldungen.empty());
}

// Every letter starts the name search, umlauts and ß included; Page Up and
// Page Down are the next and the previous member, wherever they are typed.
TEST_F(Hauptfenster, TastenDerSucheUndBlaettern) {
  const struct {
    const char* text;
    SuchTaste taste;
  } faelle[] = {{"a", SuchTaste::Buchstabe}, {"Ä", SuchTaste::Buchstabe}, {"ö", SuchTaste::Buchstabe},
                {"ß", SuchTaste::Buchstabe}, {"é", SuchTaste::Buchstabe}, {"7", SuchTaste::Ziffer},
                {"-", SuchTaste::Andere},    {"", SuchTaste::Andere},     {" ", SuchTaste::Andere}};
  for (const auto& fall : faelle) EXPECT_EQ(SuchtasteFuerText(fall.text), fall.taste) << fall.text;
  Neu(1);
  Neu(2);
  Neuanzeige();
  f.cboSucheEnter();
  EXPECT_FALSE(f.cboSucheTaste(SuchtasteFuerText("Ö")));
  EXPECT_TRUE(f.FNamenssuche);
  EXPECT_EQ(TfrmZAQ::BefehlFuerTaste("PgUp"), Bef::mnuMitglNaechst);
  EXPECT_EQ(TfrmZAQ::BefehlFuerTaste("PgDown"), Bef::mnuMitglVorher);
  EXPECT_EQ(TfrmZAQ::BefehlFuerTaste("Ctrl+Q"), std::nullopt);
  EXPECT_TRUE(f.Befehl(*TfrmZAQ::BefehlFuerTaste("PgUp")));
  EXPECT_EQ(f.AktuelleNummer(), 2);
}

}  // namespace
}  // namespace zaq

namespace zaq {
namespace {

class Listenmenues : public Hauptfenster {
 protected:
  Listenmenues() {
    for (std::uint16_t nr = 1; nr <= 4; ++nr) Neu(nr, "Name" + std::to_string(nr));
    L->FMitglieder[0].FEhrenmitgliedSeit = D("01.01.2000");
    Neuanzeige();
    L->SetzeAktuellerBenutzer(admin);
  }
  const TTabelle& Tabelle(std::size_t i) { return dynamic_cast<const TTabelle&>(*ui.Fensterliste.at(i)); }
};

TEST_F(Listenmenues, SelektionsmenueMeldetUndFragt) {
  EXPECT_TRUE(f.Befehl(Bef::mnuSelAufheben));
  EXPECT_TRUE(f.Befehl(Bef::mnuSelSpeichern));
  EXPECT_EQ(ui.Texte(), (std::vector<std::string>{"Es sind zur Zeit keine Mitglieder selektiert.",
                                                   "Momentan sind keine Mitgliedern selektiert."}));
  EXPECT_TRUE(ui.DateiDialoge.empty());
  f.Befehl(Bef::mnuSelUmk);
  ui.Leeren();
  ui.Dateinamen.push_back(dir / "alle.zas");
  f.Befehl(Bef::mnuSelSpeichern);
  ASSERT_EQ(ui.DateiDialoge.size(), 1u);
  EXPECT_EQ(ui.DateiDialoge[0].titel, "Selektion speichern");
  EXPECT_EQ(ui.DateiDialoge[0].filter[0].beschreibung, "ZAQ-Selektionslisten");
  EXPECT_TRUE(std::filesystem::exists(dir / "alle.zas"));
  f.Befehl(Bef::mnuSelStatus);
  ui.Antworten.push_back(Antwort::Nein);
  f.Befehl(Bef::mnuSelAufheben);
  EXPECT_EQ(L->AnzahlSelektierte(), 4);
  ui.Antworten.push_back(Antwort::Ja);
  f.Befehl(Bef::mnuSelAufheben);
  EXPECT_EQ(L->AnzahlSelektierte(), 0);
  // Loading reports how many were selected, or how many were not found.
  ui.Dateinamen.push_back(dir / "alle.zas");
  f.Befehl(Bef::mnuSelLaden);
  L->FMitglieder[1].FGeburtsdatum += 1;
  ui.Dateinamen.push_back(dir / "alle.zas");
  f.Befehl(Bef::mnuSelLaden);
  EXPECT_EQ(ui.Texte(), (std::vector<std::string>{"Momentan sind 4 von 4 Mitgliedern selektiert.",
                                                   "Wollen Sie wirklich jede Selektion aufheben?",
                                                   "Wollen Sie wirklich jede Selektion aufheben?",
                                                   "Alle 4 Mitglieder wurden selektiert.",
                                                   "1 Mitglieder wurden nicht gefunden und konnten folglich nicht "
                                                   "selektiert werden."}));
  EXPECT_EQ(ui.WarteTexte.back(), "Selektiere Datensätze");
}

TEST_F(Listenmenues, TabellenmenueUndNachfragen) {
  // Nobody selected: no question; "&Tabellen" with Shift is the club data.
  EXPECT_TRUE(f.Befehl(Bef::befTabelle, true));
  ASSERT_EQ(ui.Fensterliste.size(), 1u);
  EXPECT_EQ(Tabelle(0).Vorlage().FTitel, "Vereinstechnische Daten");
  EXPECT_TRUE(ui.DialogArten.empty());
  L->SetzeSelektion(L->FMitglieder[2], true);
  // The question, cancelled: no table.
  ui.Dialoge.push_back([](DialogDaten& d) { return dynamic_cast<TfrmZAQSelFrage&>(d).FAntwort = 0, false; });
  f.Befehl(Bef::mnuTabPers);
  EXPECT_EQ(ui.Fensterliste.size(), 1u);
  // "&Selektiert", remembered: the next table does not ask, and "Nachfragen" is on.
  ui.Dialoge.push_back([](DialogDaten& d) {
    auto& frage = dynamic_cast<TfrmZAQSelFrage&>(d);
    frage.FAntwort = 2;
    frage.FAntwortMerken = true;
    return true;
  });
  f.Befehl(Bef::mnuTabBeitr);
  ASSERT_EQ(ui.Fensterliste.size(), 2u);
  EXPECT_EQ(Tabelle(1).Zeilenzahl(), 1);
  EXPECT_TRUE(f.Zustand(Bef::mnuSelFragen).aktiv);
  EXPECT_FALSE(f.Zustand(Bef::mnuSelFragen).markiert);
  f.Befehl(Bef::mnuTabBestand);
  EXPECT_EQ(ui.DialogArten.size(), 2u);
  f.Befehl(Bef::mnuSelFragen);
  EXPECT_FALSE(f.Zustand(Bef::mnuSelFragen).aktiv);
  // Nobody with an exit date: the message, no window.
  ui.Leeren();
  f.Befehl(Bef::mnuTabGeloeschte);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{
                            "Es wurden keine Mitglieder gefunden, die den gewünschten Filterkriterien entsprechen."});
  EXPECT_TRUE(ui.Fensterliste.empty());
  f.Befehl(Bef::mnuTabEMG);
  ASSERT_EQ(ui.Fensterliste.size(), 1u);
  // Going back to a member of the open list from its row.
  EXPECT_TRUE(f.ZeigeTabellenMitglied(Tabelle(0), 1, 1));
  EXPECT_EQ(f.AktuellesMitglied(), &L->FMitglieder[0]);
}

TEST_F(Listenmenues, VereinsUndProgrammvorlagenImMenue) {
  auto& v = L->FStammdaten.FTabVorlagen.Hinzufuegen();
  v.FTitel = "Archivliste";
  v.FFilter = tfArchiv;
  auto& w = L->FStammdaten.FTabVorlagen.Hinzufuegen();
  w.FTitel = "Alle";
  w.FSpalten = {3, 21};
  TTabVorlage p;
  p.LeseZeile("Telefon;21;47");
  SchreibeProgrammvorlagen({p});
  f.AktualisiereMenues();
  ASSERT_EQ(f.FTabellenMenue.size(), 5u);
  EXPECT_TRUE(f.FTabellenMenue[0].trenner);
  EXPECT_EQ(f.FTabellenMenue[1].text, "Archivliste");
  EXPECT_EQ(f.FTabellenMenue[1].hinweis, "Benutzerdefinierte Tabelle aus Stammdaten");
  EXPECT_TRUE(f.FTabellenMenue[3].trenner);
  EXPECT_EQ(f.FTabellenMenue[4].text, "Telefon");
  EXPECT_EQ(f.FTabellenMenue[4].hinweis, "Benutzerdefinierte Tabelle aus Programmeinstellungen");
  // An empty archive table opens nothing and says nothing.
  f.TabellenMenueWahl(1);
  EXPECT_TRUE(ui.Meldungen.empty());
  EXPECT_TRUE(ui.Fensterliste.empty());
  Benutzer(kAlleRechte & ~rArchiv);
  f.TabellenMenueWahl(1);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Sie sind im Moment als Gerd Gast angemeldet und besitzen leider "
                                                 "nicht das Recht auf Zugriff zum Archiv."});
  // The program template is read again from the settings.
  p.LeseZeile("Telefon;21;48");
  SchreibeProgrammvorlagen({p});
  f.TabellenMenueWahl(4);
  f.TabellenMenueWahl(2);
  ASSERT_EQ(ui.Fensterliste.size(), 2u);
  EXPECT_EQ(Tabelle(0).Vorlage().FSpalten, (std::vector<std::int32_t>{21, 48}));
  EXPECT_EQ(Tabelle(0).Vorlage().FBezugsdatum, D("31.12.2020"));
  EXPECT_EQ(Tabelle(1).Zelle(1, 1), "Name1");
  // The archive command does nothing without the right.
  ui.Leeren();
  EXPECT_TRUE(f.Befehl(Bef::mnuExtrasAustritte));
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST(Ehrungsliste, DatumKnoepfeUndSelektion) {
  test::TempVerzeichnis dir;
  EinstellungsVerzeichnisSetzen einstellungen(dir.Pfad().string());
  const struct {
    const char* heute;
    const char* vorschlag;
  } faelle[] = {{"30.06.2021", "31.12.2021"}, {"01.07.2021", "31.12.2022"}};
  for (const auto& f : faelle) {
    TfrmZAQTabEhrung d(D(f.heute), 0);
    EXPECT_EQ(DatumText(d.FDatum), f.vorschlag);
    EXPECT_EQ(d.KnopfText(0), "Dezember 2021");
    EXPECT_EQ(d.KnopfText(2), "Dezember 2023");
    d.Knopf(1);
    EXPECT_EQ(d.AuswahlText(), "Auswahl: 31.12.2022");
    EXPECT_FALSE(d.NurSelektierteMoeglich());
  }
  SchreibeEinstellungZahl(esJubiListenSelektiert, 1);
  EXPECT_TRUE(TfrmZAQTabEhrung(D("01.01.2021"), 3).FNurSelektierte);
  EXPECT_FALSE(TfrmZAQTabEhrung(D("01.01.2021"), 0).FNurSelektierte);
  TfrmZAQTabEhrung d(D("01.01.2021"), 3);
  d.FNurSelektierte = false;
  d.Bestaetigen();
  EXPECT_EQ(LeseEinstellung(esSelektion), "0");
}

}  // namespace
}  // namespace zaq

namespace zaq {
namespace {

// "Liste vergleichen mit...": the open file is refused and asked again; the
// tables of added and missing members open, each on its list, and the
// summary follows.
TEST_F(Hauptfenster, ListeVergleichen) {
  Neu(1);
  Neu(2, "Zweite");
  L->FDateiname = dir / "verein.zaq";
  auto andere = TZAQ::CreateNeu(false, true);
  andere->FBeschreibung = "Kopie";
  auto& m = andere->FMitglieder.Anhaengen(std::make_unique<TMitglied>(andere.get(), 1));
  m.FGeburtsdatum = D("01.02.1960");
  m.FEintrittsdatum = D("01.04.1990");
  m.FGeaendertVon.FZeit = L->FMitglieder[0].FGeaendertVon.FZeit;
  auto& fremd = andere->FMitglieder.Anhaengen(std::make_unique<TMitglied>(andere.get(), 9));
  fremd.FName = "Fremd";
  ASSERT_TRUE(andere->SpeichernAls(dir / "kopie.zaq", false));
  SpeichereAutomatischeAnmeldung("Admin", "");
  Neuanzeige();
  ui.Leeren();
  ui.Dateinamen = {dir / "VEREIN.ZAQ", dir / "kopie.zaq"};
  ASSERT_TRUE(f.Befehl(Bef::Dateivergleich1));
  const auto texte = ui.Texte();
  ASSERT_GE(texte.size(), 2u);
  EXPECT_EQ(texte.front(), "Diese Datei ist bereits geöffnet. Geben Sie eine andere Datei an!");
  EXPECT_TRUE(texte.back().starts_with("Der Dateivergleich ergab, daß bei der geöffneten Datei im Vergleich zur "
                                       "gewählten Datei \r\n\r\n     1 Mitglieder zusätzlich existieren,"));
  std::vector<std::string> titel;
  for (const auto& fenster : ui.Fensterliste)
    if (auto* t = dynamic_cast<TTabelle*>(fenster.get())) titel.push_back(t->Vorlage().FTitel);
  EXPECT_EQ(titel, (std::vector<std::string>{"Zusätzliche Mitglieder verglichen mit Kopie",
                                             "Fehlende Mitglieder verglichen mit Kopie"}));
}

}  // namespace
}  // namespace zaq
