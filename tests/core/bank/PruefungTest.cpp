// The check-digit methods against the Bundesbank's published verdicts, the
// IBAN check digits, the whole check of a bank connection with its messages,
// and the IBAN computation.
#include <gtest/gtest.h>

#include <map>

#include "BankHilfen.h"
#include "bank/Pruefung.h"

namespace zaq {
namespace {

std::size_t Spalte(const std::vector<std::string>& kopf, const std::string& name) {
  for (std::size_t i = 0; i < kopf.size(); ++i)
    if (kopf[i] == name) return i;
  ADD_FAILURE() << "Spalte fehlt: " << name;
  return 0;
}

TEST(Pruefziffer, JedesBeispielDerBundesbankErhaeltIhrUrteil) {
  std::vector<std::string> kopf;
  auto zeilen = test::LiesTabelle(test::kBankTestdaten + "/check-methods.tsv", kopf);
  const std::size_t m = Spalte(kopf, "method"), k = Spalte(kopf, "account"), e = Spalte(kopf, "expected");
  const std::map<std::string, int> urteil = {
      {"valid", kKontoGueltig}, {"invalid", kKontoUngueltig}, {"unchecked", kKontoNichtPruefbar}};
  std::map<int, int> jeVerfahren;
  for (const auto& z : zeilen) {
    int verfahren = VerfahrenAusKennzeichen(z[m]);
    ASSERT_GE(verfahren, 0) << z[m];
    if (!TBank::VerfahrenImplementiert(verfahren)) {
      EXPECT_EQ(PruefeKonto(verfahren, z[k]), kKontoNichtPruefbar) << z[m];
      continue;
    }
    ASSERT_EQ(urteil.count(z[e]), 1u) << z[e];
    EXPECT_EQ(PruefeKonto(verfahren, z[k]), urteil.at(z[e])) << "Verfahren " << z[m] << ", Konto " << z[k];
    ++jeVerfahren[verfahren];
  }
  // Every implemented method has its examples in the table.
  EXPECT_EQ(jeVerfahren.size(), 18u);
  int anzahl = 0;
  for (auto [v, n] : jeVerfahren) anzahl += n;
  EXPECT_EQ(anzahl, 163);
}

// The points where the Bundesbank's definition reaches further than a short
// method table, one line each, and the rules the table does state.
TEST(Pruefziffer, SonderregelnDerVerfahren) {
  const struct {
    int verfahren;
    const char* konto;
    int ergebnis;
    const char* warum;
  } faelle[] = {
      {24, "0000138301", kKontoGueltig, "Beispiel: Gewichte 1,2,3 ab der ersten bedeutsamen Ziffer"},
      {24, "9990138301", kKontoGueltig, "d1 = 9: d1..d3 zählen als 0, führende Nullen entfallen"},
      {70, "0921421702", kKontoGueltig, "führende 0 ist kein Fehler"},
      {70, "1485253888", kKontoGueltig, "d4 = 5: d1..d3 zählen nicht"},
      {76, "0000123456", kKontoGueltig, "ohne Unterkontonummer: zwei Stellen weiter rechts"},
      {76, "1006543201", kKontoUngueltig, "Kontoart 1 gibt es nicht (ohne sie stimmte d8)"},
      {76, "5012345600", kKontoUngueltig, "Kontoart 5 gibt es nicht"},
      {76, "0100007000", kKontoNichtPruefbar, "Rest 10, auch verschoben keine Bestätigung"},
      {76, "0000974134", kKontoGueltig, "Rest 10 in der ersten Lesart, die verschobene bestätigt"},
      {81, "0199100002", kKontoGueltig, "d3 = 9: Ausnahme von Methode 51, erste Variante (d3..d9)"},
      {81, "0099100010", kKontoGueltig, "d3 = 9: zweite Variante wie Methode 10"},
      {81, "0001359100", kKontoGueltig, "sonst wie Methode 32"},
      {82, "3199500501", kKontoGueltig, "d3d4 = 99: wie Methode 10"},
      {84, "0000240961", kKontoGueltig, "Methode C: Modulus 10 über d5..d9"},
      {84, "1907787773", kKontoGueltig, "Methode C"},
      {84, "0000350985", kKontoGueltig, "Methode B: Modulus 7"},
      {84, "2599100002", kKontoGueltig, "d3 = 9: Ausnahme von Methode 51"},
      {95, "0000000001", kKontoGueltig, "Nummernkreis ohne Prüfziffer"},
      {95, "0989999999", kKontoGueltig, "Nummernkreis ohne Prüfziffer"},
      {95, "0990000001", kKontoUngueltig, "außerhalb der Nummernkreise gilt Methode 06"},
      {99, "0399999999", kKontoGueltig, "Nummernkreis ohne Prüfziffer"},
      {99, "0500000000", kKontoUngueltig, "außerhalb: Methode 06"},
      {63, "1234567890", kKontoUngueltig, "d1 muss 0 sein"},
  };
  for (const auto& f : faelle) EXPECT_EQ(PruefeKonto(f.verfahren, f.konto), f.ergebnis) << f.verfahren << " " << f.konto << ": " << f.warum;
}

TEST(Pruefziffer, NichtImplementiertOderKeineZehnZiffern) {
  for (int v : {2, 9, 12, 100, 121, 144, 200, -1}) EXPECT_EQ(PruefeKonto(v, "0000138301"), kKontoNichtPruefbar) << v;
  for (const char* k : {"138301", "00001383011", "000013830a", "", "0000 38301"})
    EXPECT_EQ(PruefeKonto(0, k), kKontoUngueltig) << k;
}

TEST(IBAN, Pruefziffern) {
  const struct {
    std::string iban;
    bool mitPruefziffer;
    int code;
  } faelle[] = {
      {"", true, 31},
      {"", false, 31},
      {"DE89", true, 32},
      {"DE890", true, 33},
      {"DE89370400440532013000", true, 0},
      {"DE88370400440532013000", true, 33},
      {"DE89370400440532013001", true, 33},
      {"DE88370400440532013000", false, 0},
      {"de89370400440532013000", true, 32},
      {"DE89 3704 0044 0532 0130 00", true, 32},
      {"GB82WEST12345698765432", true, 32},  // letters after position 2
      {"DE" + std::string(32, '0'), true, 33},
      {"DE" + std::string(33, '0'), true, 32},
      {"NO9386011117947", true, 0},
      {"BE68539007547034", true, 0},
  };
  for (const auto& f : faelle) EXPECT_EQ(IBANCode(f.iban, f.mitPruefziffer), f.code) << f.iban;
}

class Bankverbindung : public test::MitBank {};

TEST_F(Bankverbindung, Ergebniscodes) {
  const struct {
    const char* blz;
    const char* konto;
    std::string iban;
    int code;
  } faelle[] = {
      {"", "", "", 1},
      {"  ", " ", " ", 1},
      {"37040044", "532013000", "DE89370400440532013000", 0},
      {"370 400 44", "532 013 000", "DE89 3704 0044 0532 0130 00", 0},
      {"", "", "DE89370400440532013000", 0},            // bank code from the IBAN, account not checked
      {"", "", "DE25999999990532013000", 14},           // unknown bank code from the IBAN
      {"", "", "NO9386011117947", 0},                   // foreign IBAN: no bank code to look up
      {"", "532013000", "DE89370400440532013000", 11},
      {"3704004", "532013000", "DE89370400440532013000", 12},
      {"370400440", "532013000", "DE89370400440532013000", 12},
      {"3704004X", "532013000", "DE89370400440532013000", 13},
      {"99999999", "532013000", "DE89370400440532013000", 14},
      {"37040044", "", "DE89370400440532013000", 21},
      {"37040044", "0", "DE89370400440532013000", 21},
      {"37040044", "12345678901", "DE89370400440532013000", 22},
      {"37040044", "53201300X", "DE89370400440532013000", 23},
      {"50010517", "1234567890", "DE00500105171234567890", 24},  // method C1 not implemented
      {"37040044", "532023001", "DE89370400440532013000", 25},
      {"37040044", "532013000", "", 31},                          // valid account, but no IBAN
      {"37040044", "532013000", "DE89", 32},
      {"37040044", "532013000", std::string(35, '1'), 32},
      {"37040044", "532013000", "de89370400440532013000", 32},
      {"37040044", "532013000", "DE88370400440532013000", 33},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(PruefeBankverbindung(f.blz, f.konto, f.iban), f.code) << f.blz << " / " << f.konto << " / " << f.iban;
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Bankverbindung, Methode76MitRest10IstNichtPruefbar) {
  // A bank with method 76 and an account whose remainder is 10.
  ASSERT_TRUE(bank.Lade("10080000"));
  ASSERT_EQ(bank.Pruefverfahren(), 76);
  EXPECT_EQ(PruefeBankverbindung("10080000", "0100007000", "DE00100800000100007000"), 24);
}

TEST_F(Bankverbindung, Meldungen) {
  const std::string fragenText14 =
      "Die angegebende Bankleitzahl ist nicht in der Bankleitzahlendatei vorhanden und höchstwahrscheinlich falsch. "
      "Deshalb kann auch die Kontonummer nicht geprüft werden. Wollen Sie diese Bankleitzahl trotzdem verwenden?";
  const std::string ibanForm =
      "Eine IBAN darf nicht mehr als 34 Stellen und nicht weniger als fünf Stellen aufweisen. Außerdem sind nur die "
      "Zeichen A...Z sowie Ziffern erlaubt. Prüfen Sie bitte Ihre Eingabe!";
  const struct {
    const char* blz;
    const char* konto;
    bool leer;
    const char* iban;
    std::string text;  // empty: no message
    MeldungsArt art;
  } faelle[] = {
      {"37040044", "532013000", false, "DE89370400440532013000", "", MeldungsArt::Fehler},
      {"", "", true, "", "", MeldungsArt::Fehler},
      {"", "", false, "", "Bitte geben Sie eine vollständige Bankverbindung an!", MeldungsArt::Fehler},
      {"", "532013000", false, "DE89370400440532013000",
       "Bitte geben Sie eine vollständige Bankleitzahl an oder lassen Sie die Kontonummer gleich ganz weg!", MeldungsArt::Fehler},
      {"3704004", "532013000", false, "DE89370400440532013000",
       "Eine Bankleitzahl ist immer achtstellig. Prüfen Sie bitte Ihre Eingabe!", MeldungsArt::Fehler},
      {"3704004X", "532013000", false, "DE89370400440532013000",
       "Eine Bankleitzahl darf nur aus Ziffern bestehen. Prüfen Sie bitte Ihre Eingabe!", MeldungsArt::Fehler},
      {"99999999", "532013000", false, "DE89370400440532013000", fragenText14, MeldungsArt::Frage},
      {"37040044", "", false, "DE89370400440532013000",
       "Bitte geben Sie eine vollständige Kontonummer an oder lassen Sie die Bankleitzahl weg!", MeldungsArt::Fehler},
      {"37040044", "12345678901", false, "DE89370400440532013000",
       "Eine Kontonummer darf nicht mehr als zehn Stellen aufweisen. Prüfen Sie bitte Ihre Eingabe!", MeldungsArt::Fehler},
      {"37040044", "53201300X", false, "DE89370400440532013000",
       "Eine Kontonummer darf nur aus Ziffern bestehen. Prüfen Sie bitte Ihre Eingabe!", MeldungsArt::Fehler},
      {"50010517", "1234 567890", false, "DE00500105171234567890",
       "Für diese Bankleitzahl besteht kein Prüfziffernberechnungsverfahren. Soll die eingegebene Kontonummer 1234 "
       "567890 verwendet werden?",
       MeldungsArt::Frage},
      {"37040044", "532 023 001", false, "DE89370400440532013000",
       "Die angegebende Kontonummer 532 023 001 wurde geprüft und ist wahrscheinlich falsch. Wollen Sie sie trotzdem "
       "verwenden?",
       MeldungsArt::Frage},
      {"37040044", "532013000", false, "", "Bitte geben Sie eine vollständige IBAN an!", MeldungsArt::Fehler},
      {"37040044", "532013000", false, "DE89", ibanForm, MeldungsArt::Fehler},
      {"37040044", "532013000", false, "DE88 3704 0044 0532 0130 00",
       "Die angegebende IBAN DE88 3704 0044 0532 0130 00 wurde geprüft und ist wahrscheinlich falsch. Wollen Sie sie "
       "trotzdem verwenden?",
       MeldungsArt::Frage},
  };
  for (const auto& f : faelle) {
    // A question lets the caller go on with Yes and refuses with No; an
    // error always refuses; no message, no refusal.
    for (Antwort antwort : {Antwort::Ja, Antwort::Nein}) {
      ui.Leeren();
      ui.Antworten = {antwort};
      bool ergebnis = PruefeMitMeldung(f.blz, f.konto, f.leer, f.iban);
      std::string fall = std::string(f.blz) + " / " + f.konto + " / " + f.iban;
      if (f.text.empty()) {
        EXPECT_TRUE(ergebnis) << fall;
        EXPECT_TRUE(ui.Meldungen.empty()) << fall;
        continue;
      }
      ASSERT_EQ(ui.Meldungen.size(), 1u) << fall;
      const auto& m = ui.Meldungen[0].meldung;
      EXPECT_EQ(m.text, f.text) << fall;
      EXPECT_EQ(m.art, f.art) << fall;
      if (f.art == MeldungsArt::Frage) {
        EXPECT_EQ(m.knoepfe, Knoepfe::JaNein) << fall;
        EXPECT_EQ(ergebnis, antwort == Antwort::Ja) << fall;
      } else {
        EXPECT_EQ(m.knoepfe, Knoepfe::OK) << fall;
        EXPECT_FALSE(ergebnis) << fall;
      }
    }
  }
}

TEST_F(Bankverbindung, NachJaZurKontonummerKeineFrageZurIBAN) {
  ui.Antworten = {Antwort::Ja};
  EXPECT_TRUE(PruefeMitMeldung("37040044", "532023001", false, "DE00370400440532023001"));
  EXPECT_EQ(ui.Meldungen.size(), 1u);
}

TEST_F(Bankverbindung, NurIBAN) {
  EXPECT_TRUE(PruefeIBANMitMeldung("", true));
  EXPECT_TRUE(ui.Meldungen.empty());
  EXPECT_FALSE(PruefeIBANMitMeldung("", false));
  EXPECT_TRUE(PruefeIBANMitMeldung("DE89 3704 0044 0532 0130 00", false));
  ui.Leeren();
  ui.Antworten = {Antwort::Nein};
  EXPECT_FALSE(PruefeIBANMitMeldung("DE25999999990532013000", false));
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_EQ(ui.Meldungen[0].meldung.art, MeldungsArt::Frage);  // unknown bank code in the IBAN
}

TEST_F(Bankverbindung, IBANBerechnung) {
  std::vector<std::string> kopf;
  auto zeilen = test::LiesTabelle(test::kBankTestdaten + "/iban.tsv", kopf);
  const std::size_t b = Spalte(kopf, "blz"), k = Spalte(kopf, "account"), e = Spalte(kopf, "expected_iban"),
                    art = Spalte(kopf, "kind");
  int berechnet = 0, verweigert = 0;
  for (const auto& z : zeilen) {
    if (!z[e].empty()) {
      EXPECT_EQ(IBANCode(z[e], true), 0) << z[e];
    }
    ASSERT_TRUE(bank.Lade(z[b])) << z[b];
    bool standard = TBank::IBANRegelImplementiert(bank.IBANRegel(), bank.IBANRegelVersion());
    std::string iban = "unverändert";
    bool ok = BerechneIBAN(z[b], z[k], iban);
    if (standard) {
      // Only the standard rule is computed, and then it must be right.
      EXPECT_EQ(z[art], "standard") << z[b];
      EXPECT_TRUE(ok) << z[b];
      EXPECT_EQ(iban, z[e]) << z[b];
      ++berechnet;
    } else {
      EXPECT_FALSE(ok) << z[b] << " " << z[k];
      EXPECT_EQ(iban, "unverändert");
      ++verweigert;
    }
  }
  EXPECT_EQ(berechnet, 5);
  // Commerzbank (rule 0005.03) among them: its standard IBAN would be right
  // for this account, but the rule decides for all accounts of the bank.
  EXPECT_EQ(verweigert, 10);
  std::string iban;
  EXPECT_FALSE(BerechneIBAN("37040044", "0532013000", iban));
}

TEST_F(Bankverbindung, IBANBerechnungBrauchtZehnZiffernUndEineBekannteBank) {
  std::string iban;
  ASSERT_TRUE(BerechneIBAN("10090000", "0094012341", iban));
  EXPECT_EQ(iban, "DE43100900000094012341");
  EXPECT_FALSE(BerechneIBAN("10090000", "94012341", iban));    // callers pad to 10 first
  EXPECT_FALSE(BerechneIBAN("1009000", "0094012341", iban));
  EXPECT_FALSE(BerechneIBAN("1009000X", "0094012341", iban));
  EXPECT_FALSE(BerechneIBAN("10090000", "00940123X1", iban));
  // An unknown bank code must not borrow the rule of the last bank looked up.
  ASSERT_TRUE(bank.Lade("10090000"));
  EXPECT_FALSE(BerechneIBAN("10090001", "0094012341", iban));
  EXPECT_EQ(iban, "DE43100900000094012341");
}

TEST(IBAN, OhneVerzeichnisKeineBerechnung) {
  BankverzeichnisSetzen ohne(nullptr);
  std::string iban;
  EXPECT_FALSE(BerechneIBAN("10090000", "0094012341", iban));
  EXPECT_EQ(PruefeBankverbindung("10090000", "94012341", "DE43100900000094012341"), 14);
}

}  // namespace
}  // namespace zaq
