// The LGV window's logic headless: opening with its messages, the forms of
// the fields, storing a booking with its checks in order, the master data,
// the sums, and setting purpose lines of every booking at once.
#include <gtest/gtest.h>

#include "bank/Bank.h"
#include "bank/BankHilfen.h"
#include "fees/VereinHilfen.h"
#include "store/Konto.h"
#include "views/Lgvfenster.h"

namespace zaq {
namespace {

class Lgvfenster : public test::MitVerein {
 protected:
  Lgvfenster() : bank(std::make_unique<TBank>(test::BundesbankVerzeichnis())), fenster(*liste) {
    datei = dir / "liste.lsv";
    plattform::Bytes kopf(kLgvSatzgroesse, 0);
    const std::string schluessel(kLgvLastschriften);
    kopf[0] = static_cast<std::uint8_t>(schluessel.size());
    std::copy(schluessel.begin(), schluessel.end(), kopf.begin() + 1);
    test::Schreibe(datei, kopf);
    TLGV l;
    EXPECT_TRUE(l.Oeffnen(datei));
    for (const char* name : {"Berg", "Adam"}) {
      TLGVBuchung b;
      b.Kontoinhaber = name;
      b.BLZ = "37040044";
      b.Kontonummer = "0532013000";
      b.Betrag = 12.5f;
      b.Zweck[0] = std::string("Beitrag ") + name;
      b.Zweck[1] = "Zeile 2";
      b.Zweck[13] = "#SEPA007B-140201";
      EXPECT_TRUE(l.Schreiben(b, l.Anzahl() + 1));
    }
    EXPECT_TRUE(fenster.Oeffnen(datei));
  }
  TLGVBuchung AufDerPlatte(int i) {
    TLGV l;
    EXPECT_TRUE(l.Oeffnen(datei));
    return l.Lesen(i);
  }
  BankverzeichnisSetzen bank;
  TfrmLGV fenster;
  std::string datei;
};

TEST_F(Lgvfenster, ZeigtDieBuchungUndDieListe) {
  EXPECT_EQ(fenster.Titel(), "Lastschriften - [liste.lsv]");
  EXPECT_EQ(fenster.Betragsbeschriftung(), "Abbuchungsbetrag");
  EXPECT_EQ(fenster.Formulartext(), "Formular 1 von 2");
  EXPECT_EQ(fenster.FFelder.BLZ, "370 400 44");
  EXPECT_EQ(fenster.FFelder.Kontonummer, "532013000");
  EXPECT_EQ(fenster.FFelder.Betrag, "12,50");
  EXPECT_FALSE(fenster.Bankname().empty());
  EXPECT_EQ(fenster.StatusSumme(), "25,00 €");
  fenster.FFelder.BLZ = "1234567";
  EXPECT_FALSE(fenster.BLZGetippt());
  fenster.FFelder.BLZ = "00000000";
  EXPECT_FALSE(fenster.BLZGetippt());
  fenster.FFelder.BLZ = "370 400 44";
  EXPECT_TRUE(fenster.BLZGetippt());
  fenster.FFelder.Kontonummer = "17";
  fenster.KontoVerlassen();
  EXPECT_EQ(fenster.FFelder.Kontonummer, "0000000017");

  // A file that is no list: both messages, and the open list stays.
  test::Schreibe(dir / "kaputt.lsv", std::string(444, 'x'));
  ui.Leeren();
  EXPECT_FALSE(fenster.Oeffnen(dir / "kaputt.lsv"));
  EXPECT_EQ(ui.Texte(), (std::vector<std::string>{
                            "Die Datei hat einen ungültigen Textschlüssel.",
                            "Das Programm konnte die ausgewähle Datei nicht öffnen.\r\n\r\nEntweder ist diese Datei "
                            "ungültig bzw. beschädigt oder das eingegebene Kennwort ist falsch."}));
  EXPECT_EQ(fenster.Liste().Dateiname(), datei);
}

TEST_F(Lgvfenster, SpeichernPrueftInDieserReihenfolge) {
  struct Fall {
    std::string inhaber, blz, konto, betrag, zweck1, meldung;
  };
  const Fall faelle[] = {
      {"A", "", "", "abc", "Z", "Bitte geben Sie einen gültigen Buchungsbetrag ein!"},
      {"  ", "", "", "1,00", "Z", "Bitte geben Sie einen Kontoinhaber ein!"},
      {"A", "", "", "0,00", "Z", "Bitte geben Sie einen Betrag größer als null ein!"},
      {"A", "", "", "1,00", " ", "Bitte geben Sie einen Verwendungszweck ein!"},
      {"Łukasz", "", "", "1,00", "Z", ""},
      {std::string(28, 'x'), "", "", "1,00", "Z", ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.inhaber + "/" + f.betrag);
    ui.Leeren();
    fenster.GeheZu(1);
    fenster.FFelder.Kontoinhaber = f.inhaber;
    fenster.FFelder.BLZ = f.blz;
    fenster.FFelder.Kontonummer = f.konto;
    fenster.FFelder.Betrag = f.betrag;
    fenster.FFelder.Zweck[0] = f.zweck1;
    fenster.Geaendert();
    EXPECT_FALSE(fenster.Speichern());
    ASSERT_EQ(ui.Texte().size(), 1u);
    if (!f.meldung.empty()) {
      EXPECT_EQ(ui.Texte()[0], f.meldung);
    }
    EXPECT_EQ(AufDerPlatte(1).Kontoinhaber, "Berg");
    ASSERT_TRUE(fenster.Oeffnen(datei));
  }
  // An empty connection is allowed and stored as zeros; lines are trimmed.
  ui.Leeren();
  fenster.FFelder.Kontoinhaber = " Neu ";
  fenster.FFelder.BLZ = "";
  fenster.FFelder.Kontonummer = "";
  fenster.FFelder.Betrag = "3";
  fenster.FFelder.Zweck[2] = " drei ";
  fenster.Geaendert();
  ASSERT_TRUE(fenster.Speichern()) << (ui.Texte().empty() ? "" : ui.Texte()[0]);
  const TLGVBuchung b = AufDerPlatte(1);
  EXPECT_EQ(b.Kontoinhaber, "Neu");
  EXPECT_EQ(b.BLZ, "00000000");
  EXPECT_EQ(b.Kontonummer, "0000000000");
  EXPECT_EQ(b.Betrag, 3.0f);
  EXPECT_EQ(b.Zweck[2], "drei");
  EXPECT_EQ(fenster.FFelder.BLZ, "");
}

TEST_F(Lgvfenster, StammdatenUndSummen) {
  TfrmLgvStammdaten d(fenster.Liste(), *liste);
  d.FBLZ = "370 400 44";
  d.FKonto = "532013000";
  struct Fall {
    std::string referenz, auftraggeber, bank, meldung;
  };
  for (const Fall& f : {Fall{"12a", "TSV", "Bank", "Ungültige Referenznummer."},
                        Fall{"42", " ", "Bank", "Keine Vereinsbezeichnung angegeben."},
                        Fall{"42", "TSV", "", "Kein Bankname angegeben."}}) {
    ui.Leeren();
    d.FReferenz = f.referenz;
    d.FAuftraggeber = f.auftraggeber;
    d.FBankname = f.bank;
    EXPECT_FALSE(d.OK());
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung});
  }
  d.FBankname = "Commerzbank";
  d.FBeschreibung = std::string(27, 'a') + "bc";
  ASSERT_TRUE(d.OK());
  const TLGVKopf k = fenster.Liste().Kopf();
  EXPECT_EQ(k.Referenznummer, "0000000042");
  EXPECT_EQ(k.BLZ, "37040044");
  EXPECT_EQ(k.Kontonummer, "0532013000");
  EXPECT_EQ(k.Beschreibung1, std::string(27, 'a'));
  EXPECT_EQ(k.Beschreibung2, "bc");

  ui.Leeren();
  fenster.Summieren();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Anzahl der Buchungen: 2\r\nSumme der Bankleitzahlen: 74080088\r\n"
                                                 "Summe der Kontonummern: 1064026000\r\nGesamtbetrag: 25,00 €"});
}

TEST_F(Lgvfenster, MehrfachaenderungSetztZeilenUndBetraege) {
  TfrmLgvMehrfach d(fenster.Liste());
  EXPECT_EQ(d.FZeilen[3], "Mandatsref %SEPA%");
  d.FBetrag = "x";
  ui.Leeren();
  EXPECT_FALSE(d.OK());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Bitte geben Sie einen gültigen Buchungsbetrag ein!"});
  // Appending after the filled line 2; lines beyond 14 are dropped.
  d.FBetrag = "20,00";
  d.FZeilen[0] = "Beitrag %sepa%";
  d.FZeilen[13] = "letzte";
  d.FAnfuegen = true;
  ui.Antworten = {Antwort::Ja};
  ASSERT_TRUE(d.OK());
  const TLGVBuchung b = AufDerPlatte(2);
  EXPECT_EQ(b.Betrag, 20.0f);
  EXPECT_EQ(b.Zweck[0], "Beitrag 007B-140201");
  EXPECT_EQ(b.Zweck[1], "Zeile 2");
  EXPECT_EQ(b.Zweck[2], "Ab 2015 erfolgt der Einzug");
  EXPECT_EQ(b.Zweck[4], "Mandatsref 007B-140201");
  EXPECT_EQ(b.Zweck[13], "");
  // Answered No, nothing changes.
  const auto vorher = test::Lies(datei);
  TfrmLgvMehrfach nein(fenster.Liste());
  ui.Antworten = {Antwort::Nein};
  EXPECT_FALSE(nein.OK());
  EXPECT_EQ(test::Lies(datei), vorher);
}

}  // namespace
}  // namespace zaq
