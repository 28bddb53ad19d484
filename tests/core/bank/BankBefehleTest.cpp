// zaq-cli bank, konto and blz-import: output and exit codes.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "BankHilfen.h"
#include "cli/Befehle.h"

namespace zaq {
namespace {

class BankBefehle : public test::MitOberflaeche {
 protected:
  BankBefehle() { plattform::SetzeProgrammVerzeichnis(test::BundesbankVerzeichnis()); }
  ~BankBefehle() override { plattform::SetzeProgrammVerzeichnis(""); }
  int Aufruf(const std::vector<std::string>& argumente) {
    aus.str("");
    fehler.str("");
    return cli::Run(argumente, aus, fehler);
  }
  std::ostringstream aus, fehler;
};

const std::string kNichtGefunden = "Fehler: Die angegebene Bankleitzahl wurde im BLZ-Verzeichnis nicht gefunden.\n";

TEST_F(BankBefehle, BankAlsJson) {
  ASSERT_EQ(Aufruf({"bank", "37040044"}), 0) << fehler.str();
  auto j = nlohmann::ordered_json::parse(aus.str());
  const nlohmann::ordered_json erwartet = {
      {"blz", "37040044"},
      {"bezeichnung", "Commerzbank"},
      {"kurzbezeichnung", "Commerzbank Köln"},
      {"plz", "50447"},
      {"ort", "Köln"},
      {"bic", "COBADEFFXXX"},
      {"pruefverfahren", 13},
      {"pruefverfahrenKennzeichen", "13"},
      {"pruefverfahrenImplementiert", true},
      {"ibanRegel", 5},
      {"ibanRegelVersion", 3},
      {"ibanRegelImplementiert", false},
  };
  EXPECT_EQ(j, erwartet);
  EXPECT_EQ(fehler.str(), "");
  ASSERT_EQ(Aufruf({"bank", "50010517"}), 0);
  j = nlohmann::ordered_json::parse(aus.str());
  EXPECT_EQ(j["pruefverfahren"], 121);
  EXPECT_EQ(j["pruefverfahrenKennzeichen"], "C1");
  EXPECT_EQ(j["pruefverfahrenImplementiert"], false);
  EXPECT_EQ(j["ibanRegelImplementiert"], true);
}

TEST_F(BankBefehle, Rueckgabewerte) {
  const struct {
    std::vector<std::string> argumente;
    int rueckgabe;
    const char* ergebnis;  // "ergebnis" of konto, or nullptr
    std::string fehler;
  } faelle[] = {
      {{"bank", "99999999"}, 1, nullptr, kNichtGefunden},
      {{"bank", "1234"}, 2, nullptr, "Fehler: Eine Bankleitzahl ist immer achtstellig. Prüfen Sie bitte Ihre Eingabe!\n"},
      {{"konto", "37040044", "532013000"}, 0, "gültig", ""},
      {{"konto", "370 400 44", "0532013000"}, 0, "gültig", ""},
      {{"konto", "37040044", "532023001"}, 1, "ungültig", ""},
      {{"konto", "50010517", "1234567890"}, 3, "nicht implementiert", ""},
      {{"konto", "10080000", "0100007000"}, 3, "nicht prüfbar", ""},
      {{"konto", "99999999", "1"}, 3, nullptr, kNichtGefunden},
      {{"konto", "3704004X", "1"}, 2, nullptr,
       "Fehler: Eine Bankleitzahl darf nur aus Ziffern bestehen. Prüfen Sie bitte Ihre Eingabe!\n"},
      {{"konto", "37040044", "12a"}, 2, nullptr,
       "Fehler: Eine Kontonummer darf nur aus Ziffern bestehen. Prüfen Sie bitte Ihre Eingabe!\n"},
      {{"konto", "37040044", "12345678901"}, 2, nullptr,
       "Fehler: Eine Kontonummer darf nicht mehr als zehn Stellen aufweisen. Prüfen Sie bitte Ihre Eingabe!\n"},
      {{"konto", "37040044", "0"}, 2, nullptr,
       "Fehler: Bitte geben Sie eine vollständige Kontonummer an oder lassen Sie die Bankleitzahl weg!\n"},
  };
  for (const auto& f : faelle) {
    std::string fall = f.argumente[0] + " " + f.argumente[1];
    EXPECT_EQ(Aufruf(f.argumente), f.rueckgabe) << fall;
    EXPECT_EQ(fehler.str(), f.fehler) << fall;
    if (!f.ergebnis) {
      EXPECT_EQ(aus.str(), "") << fall;
      continue;
    }
    auto j = nlohmann::ordered_json::parse(aus.str());
    EXPECT_EQ(j["ergebnis"], f.ergebnis) << fall;
    EXPECT_EQ(j["konto"].get<std::string>().size(), 10u) << fall;
  }
  Aufruf({"konto", "37040044", "532013000"});
  EXPECT_EQ(aus.str(),
            "{\"blz\":\"37040044\",\"konto\":\"0532013000\",\"pruefverfahren\":13,\"pruefverfahrenKennzeichen\":\"13\","
            "\"ergebnis\":\"gültig\"}\n");
}

// Every IBAN row of the test data: the listed IBAN, or exit 1 with the
// message when the bank's rule is one the program cannot apply.
TEST_F(BankBefehle, IBANDerTestdaten) {
  const std::string regel =
      "Fehler: Die IBAN-Berechnung erfolgt nur bei Bankleitzahlen, die nach der BLZ-Datei der deutschen Bundesbank "
      "die IBAN-Regel 0 Revision 0 verwenden. Alle anderen IBAN müssen manuell bestimmt werden.\n";
  std::vector<std::string> kopf;
  const auto zeilen = test::LiesTabelle(test::kBankTestdaten + "/iban.tsv", kopf);
  ASSERT_EQ(kopf[0], "blz");
  ASSERT_EQ(kopf[2], "expected_iban");
  ASSERT_EQ(kopf[3], "kind");
  int berechnet = 0;
  for (const auto& z : zeilen) {
    const std::string& blz = z[0];
    const std::string fall = blz + " " + z[1] + " (" + z[3] + ")";
    const bool bekannt = Aufruf({"bank", blz}) == 0;
    const bool standard = bekannt && nlohmann::ordered_json::parse(aus.str())["ibanRegelImplementiert"] == true;
    const int status = Aufruf({"iban", blz, z[1]});
    if (standard) {
      // Rule 0000.00 in the directory: the test data call it standard too.
      EXPECT_EQ(z[3], "standard") << fall;
      EXPECT_EQ(status, 0) << fall;
      EXPECT_EQ(aus.str(), z[2] + "\n") << fall;
      EXPECT_EQ(fehler.str(), "") << fall;
      ++berechnet;
    } else {
      EXPECT_EQ(status, 1) << fall;
      EXPECT_EQ(aus.str(), "") << fall;
      EXPECT_EQ(fehler.str(), bekannt ? regel : kNichtGefunden) << fall;
    }
  }
  EXPECT_GE(berechnet, 4);
  // Input is checked as for konto, and padded the same way.
  EXPECT_EQ(Aufruf({"iban", "370 400 44", "532013000"}), 1);
  EXPECT_EQ(Aufruf({"iban", "10010010", "138301"}), 0);
  EXPECT_EQ(aus.str(), "DE48100100100000138301\n");
  EXPECT_EQ(Aufruf({"iban", "1001001", "138301"}), 2);
  EXPECT_EQ(fehler.str(), "Fehler: Eine Bankleitzahl ist immer achtstellig. Prüfen Sie bitte Ihre Eingabe!\n");
  EXPECT_EQ(Aufruf({"iban", "10010010", "13830X"}), 2);
  EXPECT_EQ(aus.str(), "");
}

TEST_F(BankBefehle, IBANPruefen) {
  const struct {
    std::string iban;
    int status;
    std::string fehler;
  } faelle[] = {
      {"DE89370400440532013000", 0, ""},
      {"DE89 3704 0044 0532 0130 00", 0, ""},
      {"DE88370400440532013000", 1,
       "Fehler: Die angegebende IBAN DE88370400440532013000 wurde geprüft und ist wahrscheinlich falsch.\n"},
      {"DE89", 1,
       "Fehler: Eine IBAN darf nicht mehr als 34 Stellen und nicht weniger als fünf Stellen aufweisen. Außerdem "
       "sind nur die Zeichen A...Z sowie Ziffern erlaubt. Prüfen Sie bitte Ihre Eingabe!\n"},
      {"de89370400440532013000", 1,
       "Fehler: Eine IBAN darf nicht mehr als 34 Stellen und nicht weniger als fünf Stellen aufweisen. Außerdem "
       "sind nur die Zeichen A...Z sowie Ziffern erlaubt. Prüfen Sie bitte Ihre Eingabe!\n"},
      {" ", 1, "Fehler: Bitte geben Sie eine vollständige IBAN an!\n"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(Aufruf({"iban-pruefen", f.iban}), f.status) << f.iban;
    EXPECT_EQ(aus.str(), f.status == 0 ? "gültig\n" : "ungültig\n") << f.iban;
    EXPECT_EQ(fehler.str(), f.fehler) << f.iban;
  }
}

TEST_F(BankBefehle, OhneVerzeichnis) {
  plattform::SetzeProgrammVerzeichnis(dir.Pfad().string());
  EXPECT_EQ(Aufruf({"bank", "37040044"}), 1);
  EXPECT_NE(fehler.str().find("für die BLZ-Datenbank fehlen"), std::string::npos);
  EXPECT_EQ(Aufruf({"konto", "37040044", "532013000"}), 3);
  EXPECT_NE(fehler.str().find("für die BLZ-Datenbank fehlen"), std::string::npos);
  EXPECT_EQ(aus.str(), "");
}

TEST_F(BankBefehle, VerzeichnisErzeugen) {
  std::string ziel = dir / "neu";
  ASSERT_EQ(Aufruf({"blz-import", test::kBundesbankDatei, ziel, "--iban-regeln", test::kIBANRegeln}), 0) << fehler.str();
  EXPECT_EQ(aus.str(),
            "Gelesen: 16028 Zeilen, 3542 Banken (Hauptdatensätze), 12486 Filialen übersprungen\n"
            "Prüfziffernverfahren mit Buchstaben (A0 bis E4): 101\n"
            "IBAN-Regeln aus der Bankleitzahlendatei: 0, aus der Regeltabelle: 1157 von 1255 Einträgen zugeordnet\n"
            "Übersprungen: 0 fehlerhafte oder doppelte Zeilen, 0 fehlerhafte Zeilen der Regeltabelle\n"
            "Geschrieben: 3542 Datensätze, 12709 Indexknoten\n");
  EXPECT_TRUE(test::Lies(ziel + "/ZAQ-BLZ.DAT") == test::Lies(test::BundesbankVerzeichnis() + "/ZAQ-BLZ.DAT"));
  // Without the rule table the 2020 file would give every bank the standard IBAN.
  EXPECT_EQ(Aufruf({"blz-import", test::kBundesbankDatei, dir / "ohne"}), 1);
  EXPECT_NE(fehler.str().find("enthält keine IBAN-Regeln"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "ohne/ZAQ-BLZ.DAT"));
  EXPECT_EQ(Aufruf({"blz-import", test::kBundesbankDatei, ziel, "--iban-regeln"}), 2);
  EXPECT_EQ(Aufruf({"blz-import", test::kBundesbankDatei}), 2);
}

}  // namespace
}  // namespace zaq
