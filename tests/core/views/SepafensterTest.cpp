// The SEPA window's logic headless: storing a booking with every check in
// its order, unsaved changes, deleting, searching, members inserted, the
// list's master data, and a list that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "bank/Bank.h"
#include "bank/BankHilfen.h"
#include "debits/sepa/Buchungsliste.h"
#include "fees/VereinHilfen.h"
#include "store/Benutzer.h"
#include "store/Konto.h"
#include "views/Sepafenster.h"

namespace zaq {
namespace {

namespace fs = std::filesystem;
using test::D;

class Sepafenster : public test::MitVerein {
 protected:
  Sepafenster() : bank(std::make_unique<TBank>(test::BundesbankVerzeichnis())), fenster(*liste) {
    plattform::SetzeFesteZeit(D("15.05.2011") + 0.5);
    datei = dir / "liste.slv";
    TSepa l;
    EXPECT_TRUE(l.Anlegen(datei));
    for (const char* name : {"BERG", "ADAM", "CEM"}) {
      TSepaBuchung b;
      b.Name = name;
      b.IBAN = "DE89370400440532013000";
      b.Mandatsreferenz = std::string("M") + name;
      b.Mandatsdatum = D("01.02.2014") + 0.75;
      b.Sequenz = 2;
      b.Betrag = 10.5f;
      b.Verwendungszweck = std::string("Beitrag ") + name;
      EXPECT_TRUE(l.Schreiben(b, l.Anzahl() + 1));
    }
    EXPECT_TRUE(fenster.Oeffnen(datei));
  }
  ~Sepafenster() override { plattform::SetzeFesteZeit(0); }
  TSepaBuchung AufDerPlatte(int i) {
    TSepa l;
    EXPECT_TRUE(l.Oeffnen(datei));
    return l.Lesen(i);
  }
  BankverzeichnisSetzen bank;
  TfrmSEPA fenster;
  std::string datei;
};

TEST_F(Sepafenster, BetragAlsText) {
  const struct {
    const char* text;
    std::optional<std::int64_t> cent;
    const char* meldung;
  } faelle[] = {
      {"12,50", 1250, nullptr},
      {" 7 ", 700, nullptr},
      {"-3", -300, nullptr},
      {"1,230", 123, nullptr},
      {"131071,99", 13107199, nullptr},
      {"abc", {}, "Bitte geben Sie einen gültigen Buchungsbetrag ein!"},
      {"", {}, "Bitte geben Sie einen gültigen Buchungsbetrag ein!"},
      {"1.5", {}, "Bitte geben Sie einen gültigen Buchungsbetrag ein!"},
      {"1,2x4", {}, "Bitte geben Sie einen gültigen Buchungsbetrag ein!"},
      {"1,234", {}, "Bitte geben Sie den Buchungsbetrag mit höchstens zwei Nachkommastellen ein!"},
      {"131072", {}, "Der Betrag 131072 kann nicht auf den Cent genau gespeichert werden. Ab 131.072,00 € sind nicht "
                     "mehr alle Centbeträge möglich."},
  };
  for (const auto& f : faelle) {
    ui.Leeren();
    EXPECT_EQ(LeseBuchungsbetrag(f.text), f.cent) << f.text;
    EXPECT_EQ(ui.Texte(), f.meldung ? std::vector<std::string>{f.meldung} : std::vector<std::string>{}) << f.text;
  }
  EXPECT_EQ(BuchungsbetragText(123456), "1234,56");
  EXPECT_EQ(BuchungsbetragText(-5), "-0,05");
}

TEST_F(Sepafenster, ZeigtEineBuchung) {
  EXPECT_EQ(fenster.Formulartext(), "Formular 1 von 3");
  EXPECT_EQ(fenster.Titel(), "SEPA-Lastschriften - [liste.slv]");
  EXPECT_EQ(fenster.FFelder, (TBuchungsfelder{"BERG", "DE89 3704 0044 0532 0130 00", "MBERG", "10,50", "01.02.2014",
                                              "", "Beitrag BERG"}));
  EXPECT_FALSE(fenster.Bankname().empty());
  EXPECT_FALSE(fenster.IBANRot());
  EXPECT_EQ(fenster.ZweckBeschriftung(), "Verwendungszweck (12/140 Zeichen)");
  EXPECT_EQ(fenster.StatusDatum(D("15.05.2011")), "So, 15.05.2011");
  EXPECT_EQ(fenster.StatusSumme(), "31,50 €");
  fenster.FFelder.IBAN = "DE00 3704 0044 0532 0130 00";
  EXPECT_TRUE(fenster.IBANRot());
}

// Each check of "Speichern" in its order; a refused booking changes nothing
// and stays marked.
TEST_F(Sepafenster, SpeichernPrueftInDieserReihenfolge) {
  const struct {
    std::function<void(TBuchungsfelder&)> eingabe;
    const char* meldung;
  } faelle[] = {
      {[](auto& f) { f.Verwendungszweck = std::string(141, 'v'); },
       "Der Text für das Feld „Verwendungszweck“ ist zu lang: Es sind höchstens 140 Zeichen möglich."},
      {[](auto& f) { f.Kontoinhaber = std::string(36, 'k'); },
       "Der Text für das Feld „Kontoinhaber“ ist zu lang: Es sind höchstens 35 Zeichen möglich."},
      {[](auto& f) { f.Kontoinhaber = "Łukasz"; },
       "Das Zeichen „Ł“ (U+0141) im Feld „Kontoinhaber“ kann in der Buchungsliste nicht gespeichert werden. Bitte "
       "ersetzen Sie es durch ein anderes Zeichen."},
      {[](auto& f) { f.Betrag = "zehn"; }, "Bitte geben Sie einen gültigen Buchungsbetrag ein!"},
      {[](auto& f) { f.Kontoinhaber = "  "; }, "Bitte geben Sie einen Kontoinhaber ein!"},
      {[](auto& f) { f.IBAN = " "; }, "Bitte geben Sie eine vollständige Bankverbindung an!"},
      {[](auto& f) { f.Mandatsdatum = "31.02.2014"; }, "'31.02.2014' ist kein gültiges Datum."},
      {[](auto& f) { f.Mandatsdatum = ""; }, "'' ist kein gültiges Datum."},
      {[](auto& f) { f.Betrag = "0"; }, "Bitte geben Sie einen Betrag größer als null ein!"},
      {[](auto& f) { f.Verwendungszweck = " \r\n "; }, "Bitte geben Sie einen Verwendungszweck ein!"},
  };
  const auto vorher = test::Lies(datei);
  for (const auto& f : faelle) {
    fenster.GeheZu(1);
    f.eingabe(fenster.FFelder);
    fenster.Geaendert();
    ui.Leeren();
    EXPECT_FALSE(fenster.Speichern()) << f.meldung;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung});
    EXPECT_TRUE(fenster.IstGeaendert());
    EXPECT_EQ(test::Lies(datei), vorher) << f.meldung;
    ui.Antworten = {Antwort::Nein};
  }

  // A wrong check digit asks; No refuses, Yes stores.
  fenster.GeheZu(1);
  fenster.FFelder.IBAN = "DE00370400440532013000";
  ui.Leeren();
  ui.Antworten = {Antwort::Nein};
  EXPECT_FALSE(fenster.Speichern());
  ui.Antworten = {Antwort::Ja};
  EXPECT_TRUE(fenster.Speichern());
  EXPECT_EQ(AufDerPlatte(1).IBAN, "DE00370400440532013000");
}

TEST_F(Sepafenster, GespeichertWirdWasDasFensterZeigt) {
  fenster.FFelder = {" Neu, Anna ", "DE89 3704 0044 0532 0130 00", "M 17 a", "131071,99", "1.3.2012", " K1 ",
                     "Zeile 1\r\nZeile 2\r\n"};
  fenster.Geaendert();
  ASSERT_TRUE(fenster.Speichern());
  EXPECT_FALSE(fenster.IstGeaendert());
  const TSepaBuchung b = AufDerPlatte(1);
  EXPECT_EQ(b.Name, "Neu, Anna");
  EXPECT_EQ(b.IBAN, "DE89370400440532013000");
  EXPECT_EQ(b.Mandatsreferenz, "M17a");
  EXPECT_EQ(BetragInCent(b.Betrag), 13107199);
  EXPECT_EQ(b.Mandatsdatum, D("01.03.2012"));
  EXPECT_EQ(b.Kundenreferenz, "K1");
  EXPECT_EQ(b.Verwendungszweck, "Zeile 1\r\nZeile 2");
  EXPECT_EQ(b.Sequenz, 0) << "the fee run's 2 is not kept";
  EXPECT_EQ(fenster.FFelder.Kontoinhaber, "Neu, Anna");
}

TEST_F(Sepafenster, UngespeicherteAenderungen) {
  fenster.FFelder.Betrag = "abc";
  fenster.Geaendert();
  EXPECT_EQ(fenster.Formulartext(), "Formular 1 von 3 (geändert)");
  ui.Antworten = {Antwort::Ja};
  EXPECT_FALSE(fenster.Naechste());
  EXPECT_EQ(ui.Texte(), (std::vector<std::string>{
                            "Das aktuelle Formular wurde geändert. Sollen die Änderungen gespeichert werden?",
                            "Bitte geben Sie einen gültigen Buchungsbetrag ein!"}));
  EXPECT_EQ(fenster.Index(), 1);
  ui.Antworten = {Antwort::Abbrechen};
  EXPECT_FALSE(fenster.Naechste());
  EXPECT_EQ(fenster.Index(), 1);
  ui.Antworten = {Antwort::Nein};
  EXPECT_TRUE(fenster.Naechste());
  EXPECT_EQ(fenster.Index(), 2);
  EXPECT_EQ(AufDerPlatte(1).Betrag, 10.5f);
  EXPECT_FALSE(fenster.Naechste() && fenster.Naechste()) << "no booking after the last";
  EXPECT_EQ(fenster.Index(), 3);
}

TEST_F(Sepafenster, EntfernenFragtUndLaesstEinenStehen) {
  fenster.GeheZu(2);
  ui.Antworten = {Antwort::Nein};
  EXPECT_EQ(fenster.Entfernen(), Ausgang::Nein);
  EXPECT_EQ(fenster.Liste().Anzahl(), 3);
  EXPECT_EQ(ui.Meldungen.back().meldung.vorgabe, 2) << "No is preselected";
  ui.Antworten = {Antwort::Ja, Antwort::Ja};
  EXPECT_EQ(fenster.Entfernen(), Ausgang::Erledigt);
  EXPECT_EQ(fenster.FFelder.Kontoinhaber, "CEM");
  EXPECT_EQ(fs::file_size(datei), 3 * kSepaSatzgroesse);
  EXPECT_EQ(fenster.Entfernen(), Ausgang::Erledigt);
  EXPECT_EQ(fenster.Index(), 1);
  ui.Leeren();
  EXPECT_EQ(fenster.Entfernen(), Ausgang::Fehler);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Mindestens ein Formular muß vorhanden sein."});
}

TEST_F(Sepafenster, Suchen) {
  // Without automatic search a change of the text shows booking 1; the
  // search goes on after the shown one and reports the end.
  fenster.FAutoSuche = false;
  fenster.GeheZu(2);
  fenster.SuchtextGeaendert("m");
  EXPECT_EQ(fenster.Index(), 1);
  EXPECT_TRUE(fenster.SucheWeiter());
  EXPECT_EQ(fenster.Index(), 2);
  EXPECT_TRUE(fenster.SucheWeiter());
  EXPECT_EQ(fenster.Index(), 3);
  EXPECT_FALSE(fenster.SucheWeiter());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Keinen weiteren Datensatz gefunden."});
  EXPECT_TRUE(fenster.FSucheAuswaehlen);
  fenster.FAutoSuche = true;
  fenster.SuchtextGeaendert("ada");
  EXPECT_EQ(fenster.Index(), 2);
  EXPECT_EQ(fenster.Suche("CEM", 3), 3) << "the search starts at the given booking";
}

TEST_F(Sepafenster, MitgliedEinfuegen) {
  Mitglied(17, "ERW", "Muster", "Anna").Konto()->FInhaber = "Anna Muster";
  Mitglied(18, "ERW", "Ohne", "Otto").KontoEntfernen();
  ui.Dateinamen = {"x", "99", "18", "17"};
  ASSERT_TRUE(fenster.MitgliedPerNummer());
  EXPECT_EQ(ui.Texte(), (std::vector<std::string>{
                            "Ungültige Mitgliedsnummer.", "Mitgliedsnummer ist nicht vorhanden.",
                            "Bei Ohne, Otto ist keine Bankverbindung angegeben. Bitte wählen Sie ein anderes Mitglied!"}));
  EXPECT_EQ(fenster.Index(), 4);
  EXPECT_EQ(fenster.FFelder.Kontoinhaber, "Anna Muster");
  EXPECT_EQ(fenster.FFelder.Betrag, "0,00");
  EXPECT_EQ(fenster.FFelder.Mandatsreferenz, "017A150511-120000");
  ui.Dateinamen = {std::nullopt};
  EXPECT_FALSE(fenster.MitgliedPerNummer()) << "cancelled";

  // The member shown in the main window.
  fenster.AktuellesMitglied = [this] { return liste->SucheNummer(17); };
  EXPECT_TRUE(fenster.AngezeigtesMitgliedEinfuegen());
  EXPECT_EQ(fenster.Liste().Anzahl(), 5);
}

TEST_F(Sepafenster, ListeWechseln) {
  // A file that is no list leaves the open one open.
  test::Schreibe(dir / "falsch.slv", std::string("kein Kopf"));
  EXPECT_FALSE(fenster.Oeffnen(dir / "falsch.slv"));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Die Datei beinhaltet keine gültigen SEPA-Lastschriften."});
  EXPECT_TRUE(fenster.Liste().Offen());
  EXPECT_EQ(fenster.Liste().Dateiname(), datei);

  ui.Leeren();
  EXPECT_FALSE(fenster.SpeichernUnter(dir / "LISTE.SLV"));
  EXPECT_EQ(ui.Texte(),
            std::vector<std::string>{"Diese Datei ist bereits geöffnet. Bitte wählen Sie eine andere Datei."});
  ui.Dateinamen = {dir / "kopie.elv"};
  ASSERT_TRUE(fenster.SpeichernUnterDialog());
  EXPECT_EQ(ui.DateiDialoge.back().titel, "SEPA-Lastschriften speichern unter");
  EXPECT_EQ(ui.DateiDialoge.back().vorschlag, "Lastschriften");
  EXPECT_EQ(ui.DateiDialoge.back().endung, "elv");
  EXPECT_EQ(fenster.Titel(), "SEPA-Lastschriften - [kopie.elv]");

  ui.Dateinamen = {dir / "neu.slv"};
  ASSERT_TRUE(fenster.Neu());
  EXPECT_EQ(ui.DateiDialoge.back().vorschlag, "Neue Lastschriften");
  EXPECT_EQ(fenster.Liste().Anzahl(), 1);
  EXPECT_EQ(fenster.Formulartext(), "Formular 1 von 1");
}

TEST_F(Sepafenster, Buchungsstammdaten) {
  TfrmBuchungsstammdaten d(fenster.Liste(), *liste);
  stamm().FVereinskonten.Element(0).FBezeichnung = "Hauptkonto";
  d.FBeschreibung = "  Beiträge 2011 ";
  d.FDatum = "32.05.2011";
  d.FSequenz = 2;
  d.FSchluessel = "HA UP";
  EXPECT_FALSE(d.OK());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"'32.05.2011' ist kein gültiges Datum."});
  EXPECT_EQ(fenster.Liste().Kopf().Beschreibung, "");
  d.FDatum = "20.05.2011";
  ASSERT_TRUE(d.OK());
  TSepa l;
  ASSERT_TRUE(l.Oeffnen(datei));
  EXPECT_EQ(l.Kopf().Beschreibung, "Beiträge 2011");
  EXPECT_EQ(l.Kopf().Datum, D("20.05.2011"));
  EXPECT_EQ(l.Kopf().Sequenz, 2);
  EXPECT_EQ(l.Kopf().Kontoschluessel, "HAUP");

  TfrmBuchungsstammdaten wieder(fenster.Liste(), *liste);
  EXPECT_EQ(wieder.FDatum, "20.05.2011");
  wieder.FSchluessel = "HAUPT";
  EXPECT_EQ(wieder.Verknuepfung(), "Verknüpfung: Hauptkonto");
  EXPECT_EQ(wieder.IBAN(), "");
  wieder.FSchluessel = std::string(6, 'X');
  ui.Leeren();
  EXPECT_FALSE(wieder.OK());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{
                            "Der Text für das Feld „Kontoschluessel“ ist zu lang: Es sind höchstens 5 Zeichen möglich."});
}

// A list that cannot be written: the message says why, and the window does
// not pretend the booking was stored.
TEST_F(Sepafenster, NichtBeschreibbareListe) {
  const std::string ordner = dir / "weg";
  fs::create_directory(ordner);
  fs::copy_file(datei, ordner + "/l.slv");
  ASSERT_TRUE(fenster.Oeffnen(ordner + "/l.slv"));
  fs::remove_all(ordner);
  fenster.FFelder.Betrag = "99,00";
  fenster.Geaendert();
  ui.Leeren();
  EXPECT_FALSE(fenster.Speichern());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{SchreibfehlerText(ordner + "/l.slv")});
  EXPECT_TRUE(fenster.IstGeaendert());
  EXPECT_EQ(fenster.FFelder.Betrag, "99,00");
  EXPECT_EQ(fenster.Liste().Lesen(1).Betrag, 10.5f);
  EXPECT_EQ(fenster.StatusSumme(), "31,50 €");
}

// The total is the bookings' exact cents, which a float sum is not.
TEST_F(Sepafenster, GesamtbetragGenau) {
  TSepa::Stapel stapel(fenster.Liste());
  TSepaBuchung b = fenster.Liste().Lesen(1);
  b.Betrag = 99999.99f;
  for (int i = 0; i < 200; ++i) fenster.Liste().Schreiben(b, fenster.Liste().Anzahl() + 1);
  ASSERT_TRUE(stapel.Ende());
  float summe = 31.5f;
  for (int i = 0; i < 200; ++i) summe += 99999.99f;
  const std::int64_t genau = 200 * 9'999'999LL + 3150;
  ASSERT_NE(BetragInCent(summe), genau);
  EXPECT_EQ(fenster.Liste().Gesamtbetrag(), genau);
}

}  // namespace
}  // namespace zaq
