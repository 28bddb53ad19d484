// Building the directory from a Bundesbank file: main records only, letter
// methods, IBAN rules from the file or the table, damaged lines, failures
// that leave an existing directory alone.
#include <gtest/gtest.h>

#include "BankHilfen.h"
#include "bank/BLZImport.h"
#include "platform/Kodierung.h"

namespace zaq {
namespace {

// One line of the fixed-width file (ISO 8859-1 when latin1, else UTF-8).
std::string Zeile(const std::string& blz, char merkmal, const std::string& name, const std::string& plz,
                  const std::string& ort, const std::string& kurz, const std::string& bic, const std::string& verfahren,
                  const std::string& regel = "") {
  auto feld = [](std::string t, std::size_t n) {
    // Pad by characters, not bytes.
    std::size_t zeichen = Cp1252Laenge(t);
    if (zeichen < n) t.append(n - zeichen, ' ');
    return t;
  };
  std::string z = feld(blz, 8) + merkmal + feld(name, 58) + feld(plz, 5) + feld(ort, 35) + feld(kurz, 27) +
                  "12345" + feld(bic, 11) + feld(verfahren, 2) + "000001U000000000";
  return z + regel + "\r\n";
}

std::string Latin1(const std::string& utf8) { return Utf8ZuCp1252(utf8); }

class Import : public test::MitOberflaeche {
 protected:
  std::string Datei(const std::string& inhalt, const std::string& name = "blz.txt") {
    test::Schreibe(dir / name, inhalt);
    return dir / name;
  }
  std::string ziel = dir / "ziel";
  BLZImportBericht bericht;
};

TEST_F(Import, HauptdatensaetzeBuchstabenverfahrenUndRegeltabelle) {
  std::string inhalt = Latin1(Zeile("10020030", '1', "Bank Köln", "50667", "Köln", "Bank Köln", "BANKDEFFXXX", "C1") +
                              Zeile("10020030", '2', "Filiale Bonn", "53111", "Bonn", "Filiale", "", "C1") +
                              Zeile("10020040", '1', "Zweite", "10117", "Berlin", "Zweite", "ZWEIDEFFXXX", "06") +
                              Zeile("10020050", '1', "Dritte", "10117", "Berlin", "Dritte", "", "E4"));
  std::string regeln = Datei("# Kommentar\n10020040;503\n10020060;100\n", "regeln.txt");
  ASSERT_TRUE(ErzeugeBLZVerzeichnis(Datei(inhalt), ziel, regeln, bericht));
  TBank bank(ziel);
  ASSERT_TRUE(bank.Geoeffnet());
  EXPECT_EQ(bank.AnzahlBanken(), 3u);
  ASSERT_TRUE(bank.Lade("10020030"));
  EXPECT_EQ(bank.Bezeichnung(), "Bank Köln");  // the main record, not the branch
  EXPECT_EQ(bank.Ort(), "Köln");
  EXPECT_EQ(bank.Pruefverfahren(), 121);
  EXPECT_EQ(bank.IBANRegel(), 0);
  ASSERT_TRUE(bank.Lade("10020040"));
  EXPECT_EQ(bank.Pruefverfahren(), 6);
  EXPECT_EQ(bank.IBANRegel(), 5);
  EXPECT_EQ(bank.IBANRegelVersion(), 3);
  ASSERT_TRUE(bank.Lade("10020050"));
  EXPECT_EQ(bank.Pruefverfahren(), 144);
  EXPECT_EQ(bericht.FHauptsaetze, 3u);
  EXPECT_EQ(bericht.FFilialen, 1u);
  EXPECT_EQ(bericht.FBuchstabenverfahren, 2u);
  EXPECT_EQ(bericht.FRegelnTabelle, 2u);
  EXPECT_EQ(bericht.FRegelnZugeordnet, 1u);
  EXPECT_EQ(bericht.Zeilen().front(), "Gelesen: 4 Zeilen, 3 Banken (Hauptdatensätze), 1 Filialen übersprungen");
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Import, RegelspalteDerDateiGehtVor) {
  std::string inhalt = Zeile("10020030", '1', "Mit Regel", "50667", "Koeln", "A", "", "06", "002002") +
                       Zeile("10020040", '1', "Standard", "50667", "Koeln", "B", "", "06", "000000");
  std::string regeln = Datei("10020030;100\n10020040;4200\n", "regeln.txt");
  for (const std::string& tabelle : {std::string(), regeln}) {
    BLZImportBericht b;
    ASSERT_TRUE(ErzeugeBLZVerzeichnis(Datei(inhalt), ziel, tabelle, b));
    TBank bank(ziel);
    ASSERT_TRUE(bank.Lade("10020030"));
    EXPECT_EQ(bank.IBANRegel(), 20);
    EXPECT_EQ(bank.IBANRegelVersion(), 2);
    ASSERT_TRUE(bank.Lade("10020040"));
    EXPECT_EQ(bank.IBANRegel(), 0);
    EXPECT_EQ(b.FRegelnAusDatei, 2u);
  }
}

TEST_F(Import, Utf8GespeicherteDateiWirdGleichGelesen) {
  std::string utf8 = Zeile("10020030", '1', "Bank Köln Äußere Straße", "50667", "Köln", "Bank Köln", "", "06");
  ASSERT_TRUE(ErzeugeBLZVerzeichnis(Datei(utf8), ziel, Datei("", "regeln.txt"), bericht));
  TBank bank(ziel);
  ASSERT_TRUE(bank.Lade("10020030"));
  EXPECT_EQ(bank.Bezeichnung(), "Bank Köln Äußere Straße");
  EXPECT_EQ(bank.Ort(), "Köln");
}

TEST_F(Import, FehlerhafteZeilenWerdenGemeldetUndUebersprungen) {
  std::string inhalt = Zeile("10020030", '1', "Gut", "50667", "Koeln", "Gut", "", "06") +
                       Zeile("1002004X", '1', "Falsche BLZ", "50667", "Koeln", "X", "", "06") +
                       Zeile("10020050", '3', "Falsches Merkmal", "50667", "Koeln", "X", "", "06") +
                       Zeile("10020060", '1', "Falsches Verfahren", "50667", "Koeln", "X", "", "F1") +
                       "10020070 zu kurz\r\n" + Zeile("10020030", '1', "Doppelt", "50667", "Koeln", "X", "", "06") +
                       Zeile("00000000", '1', "Null", "50667", "Koeln", "X", "", "06") + "\r\n";
  std::string regeln = Datei("10020030;503\nkaputt\n10020030;100\n", "regeln.txt");
  ASSERT_TRUE(ErzeugeBLZVerzeichnis(Datei(inhalt), ziel, regeln, bericht));
  TBank bank(ziel);
  EXPECT_EQ(bank.AnzahlBanken(), 1u);
  ASSERT_TRUE(bank.Lade("10020030"));
  EXPECT_EQ(bank.Bezeichnung(), "Gut");
  EXPECT_EQ(bericht.FFehlerhaft, 6u);
  EXPECT_EQ(bericht.FRegelnFehlerhaft, 2u);
  const std::vector<std::string> hinweise = {
      "IBAN-Regeln, Zeile 2: \"kaputt\" übersprungen",
      "IBAN-Regeln, Zeile 3: \"10020030;100\" übersprungen",
      "Zeile 2: ungültige Bankleitzahl \"1002004X\", übersprungen",
      "Zeile 3: unbekanntes Merkmal \"3\", übersprungen",
      "Zeile 4: ungültiges Prüfziffernverfahren \"F1\", übersprungen",
      "Zeile 5: zu kurz (16 Zeichen), übersprungen",
      "Zeile 7: ungültige Bankleitzahl \"00000000\", übersprungen",
      "Bankleitzahl 10020030: weiterer Hauptdatensatz, übersprungen",
  };
  EXPECT_EQ(bericht.FHinweise, hinweise);
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Import, FehlschlagLaesstDasVorhandeneVerzeichnisUnveraendert) {
  std::string gut = Zeile("10020030", '1', "Gut", "50667", "Koeln", "Gut", "", "06");
  std::string regeln = Datei("", "regeln.txt");
  ASSERT_TRUE(ErzeugeBLZVerzeichnis(Datei(gut), ziel, regeln, bericht));
  auto daten = test::Lies(ziel + "/ZAQ-BLZ.DAT");
  auto index = test::Lies(ziel + "/ZAQ-BLZ.IND");
  const struct {
    std::string datei, regeln, meldung;
  } faelle[] = {
      {dir / "fehlt.txt", regeln, "Die Bankleitzahlendatei " + (dir / "fehlt.txt") + " kann nicht gelesen werden."},
      {Datei(gut), dir / "fehlt.txt",
       "Die Tabelle der IBAN-Regeln " + (dir / "fehlt.txt") + " kann nicht gelesen werden."},
      {Datei("nur Unsinn\r\n", "leer.txt"), regeln,
       "Die Datei " + (dir / "leer.txt") + " enthält keine Bank der Bankleitzahlendatei der Deutschen Bundesbank."},
      {Datei(gut), "",
       "Die Bankleitzahlendatei " + (dir / "blz.txt") +
           " enthält keine IBAN-Regeln, und es ist keine Tabelle der IBAN-Regeln angegeben. Ohne sie erhielten "
           "Banken mit eigener IBAN-Regel falsche IBANs."},
  };
  for (const auto& f : faelle) {
    ui.Leeren();
    BLZImportBericht b;
    EXPECT_FALSE(ErzeugeBLZVerzeichnis(f.datei, ziel, f.regeln, b)) << f.meldung;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung});
    EXPECT_TRUE(test::Lies(ziel + "/ZAQ-BLZ.DAT") == daten);
    EXPECT_TRUE(test::Lies(ziel + "/ZAQ-BLZ.IND") == index);
  }
}

TEST_F(Import, IndexbaumFuerWenigeBanken) {
  std::vector<Bankdatensatz> banken(3);
  banken[0].FBLZ = "10000000";
  banken[1].FBLZ = "10000001";
  banken[2].FBLZ = "20000000";
  auto index = BLZIndexDatei(banken);
  // First level "1", "2", end; then the two children of "1" side by side.
  ASSERT_EQ(index.size() % 7, 0u);
  auto knoten = [&](std::size_t i) {
    const std::uint8_t* p = index.data() + i * 7;
    std::int32_t wert = static_cast<std::int32_t>(p[1] | p[2] << 8 | p[3] << 16 | static_cast<std::uint32_t>(p[4]) << 24);
    return std::tuple<char, std::int32_t, int>(static_cast<char>(p[0]), wert, p[5] | p[6] << 8);
  };
  EXPECT_EQ(std::get<0>(knoten(0)), '1');
  EXPECT_EQ(std::get<2>(knoten(0)), 1);
  EXPECT_EQ(std::get<0>(knoten(1)), '2');
  EXPECT_EQ(std::get<1>(knoten(2)), -1);
  // "1" then six shared zeros and the two last digits; "2" then seven digits.
  EXPECT_EQ(index.size() / 7, 3u + 6u + 2u + 7u);
}

}  // namespace
}  // namespace zaq
