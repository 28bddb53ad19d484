// The settings file: creation rule, defaults, reading and writing rules.
#include <gtest/gtest.h>

#include <filesystem>

#include "Hilfen.h"
#include "interaction/Einstellungen.h"
#include "platform/Plattform.h"

namespace zaq {
namespace {

namespace fs = std::filesystem;
class Einstellungen : public test::MitOberflaeche {};

TEST_F(Einstellungen, StandardIniWirdNurKopiertWennZaqIniFehlt) {
  const std::string standard = "[ZAQ Mitgliederverwaltung]\r\nEnde Meldung=1\r\n; Vereinsvorgabe\r\n";
  test::Schreibe(dir / "STANDARD.INI", standard);
  PruefeEinstellungsdatei();
  EXPECT_EQ(test::Lies(dir / "ZAQ.INI"), plattform::Bytes(standard.begin(), standard.end()));
  EXPECT_EQ(LeseEinstellung(esEndeMeldung), "1");

  test::Schreibe(dir / "ZAQ.INI", std::string("[ZAQ Mitgliederverwaltung]\r\nEnde Meldung=0\r\n"));
  PruefeEinstellungsdatei();
  EXPECT_EQ(LeseEinstellung(esEndeMeldung), "0");
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Einstellungen, OhneDateiGeltenDieVorgaben) {
  const struct {
    int code;
    std::string name, vorgabe;
  } faelle[] = {
      {esSchriftVerein, "Schrift Verein", "Arial;14;255;1;0;0"},
      {esLetzteDatei, "Letzte Datei", ""},
      {esSonderbuchungBetrag, "Sonderbuchung Betrag", "0,00"},
      {esSicherungsverzeichnis, "Sicherungsverzeichnis", plattform::ProgrammVerzeichnis()},
      {esBlockEintraege, "Block Einträge", "5"},
      {esVerbindungsversuche, "Verbindungsversuche", "5"},
      {301, "Programm 1", "0"},
      {399, "Programm 99", "0"},
      {457, "Tabelle 57", "0"},
      {203, "", ""},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(EinstellungsName(f.code), f.name) << f.code;
    EXPECT_EQ(LeseEinstellung(f.code), f.vorgabe) << f.code;
  }
  EXPECT_EQ(LeseEinstellungZahl(esAutoSortieren), 0);
  EXPECT_FALSE(fs::exists(dir / "zaq.ini"));
}

TEST_F(Einstellungen, ErstesSchreibenLegtDieDateiAn) {
  SchreibeEinstellung(esLetzteDatei, "C:\\Vereine\\Müller.zaq");
  SchreibeEinstellungZahl(esAutoSortieren, 2);
  const std::string erwartet =
      "[ZAQ Mitgliederverwaltung]\r\nLetzte Datei=C:\\Vereine\\M\xFCller.zaq\r\nAuto Sortieren=2\r\n";
  EXPECT_EQ(test::Lies(dir / "zaq.ini"), plattform::Bytes(erwartet.begin(), erwartet.end()));
  EXPECT_EQ(LeseEinstellung(esLetzteDatei), "C:\\Vereine\\Müller.zaq");
  SchreibeEinstellungZahl(esAutoSortieren, 1);
  EXPECT_EQ(LeseEinstellungZahl(esAutoSortieren), 1);
  // A code without a name writes nothing.
  SchreibeEinstellung(203, "x");
  EXPECT_EQ(test::Lies(dir / "zaq.ini").size(), erwartet.size());
}

TEST_F(Einstellungen, LesenNachDenRegelnDerProfildatei) {
  test::Schreibe(dir / "Zaq.Ini",
                 std::string("[Andere]\r\nEnde Meldung=7\r\n\r\n[zaq mitgliederverwaltung]\r\n"
                             "ende meldung = 1 \r\nAutosuchen=\r\nProgAkt-Server=\"http://a\"\r\n"
                             "Letzte Datei=") +
                     std::string(200, 'x') + "\r\nAuto Sortieren=zwei\r\n");
  EXPECT_EQ(LeseEinstellung(esEndeMeldung), "1");          // section and key without case
  EXPECT_EQ(LeseEinstellung(esAutosuchen), "1");           // empty reads as the default
  EXPECT_EQ(LeseEinstellung(esProgAktServer), "http://a");  // quotes are not part of the value
  EXPECT_EQ(LeseEinstellung(esLetzteDatei), std::string(127, 'x'));
  EXPECT_TRUE(ui.Meldungen.empty());
  EXPECT_EQ(LeseEinstellungZahl(esAutoSortieren), std::nullopt);
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_EQ(ui.Meldungen[0].meldung.art, MeldungsArt::Fehler);
  // Writing keeps the other section and replaces the key in place.
  SchreibeEinstellung(esEndeMeldung, "0");
  EXPECT_EQ(LeseEinstellung(esEndeMeldung), "0");
  auto inhalt = test::Lies(dir / "Zaq.Ini");
  EXPECT_NE(std::string(inhalt.begin(), inhalt.end()).find("[Andere]\r\nEnde Meldung=7"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "zaq.ini") && fs::exists(dir / "Zaq.Ini") && !fs::equivalent(dir / "zaq.ini", dir / "Zaq.Ini"));
}

TEST_F(Einstellungen, HexSchluessel) {
  SchreibeEinstellungHex(esAutoLogin, "Müller");
  EXPECT_EQ(LeseEinstellung(esAutoLogin), "4DFC6C6C6572");
  EXPECT_EQ(LeseEinstellungHex(esAutoLogin), "Müller");
  // The proxy password is scrambled before it becomes hex text.
  SchreibeEinstellungHex(esProgAktKennw, "abc");
  EXPECT_EQ(LeseEinstellung(esProgAktKennw), "656765");  // a^4, b^5, c^6, reversed
  EXPECT_EQ(LeseEinstellungHex(esProgAktKennw), "abc");
  // An odd last digit is ignored.
  SchreibeEinstellung(esProgAktName, "41424");
  EXPECT_EQ(LeseEinstellungHex(esProgAktName), "AB");
}

}  // namespace
}  // namespace zaq

namespace zaq {
namespace {

TEST(Einzelinstanz, ZweiterStartFindetDenErsten) {
  const std::string name = "ZAQ Mitgliederverwaltung Test " + std::to_string(::getpid());
  {
    plattform::Einzelinstanz erste(name);
    EXPECT_FALSE(erste.BereitsVorhanden());
    plattform::Einzelinstanz zweite(name);
    EXPECT_TRUE(zweite.BereitsVorhanden());
  }
  // Once the first has ended, the next start is the only one again.
  {
    plattform::Einzelinstanz spaeter(name);
    EXPECT_FALSE(spaeter.BereitsVorhanden());
  }
  std::filesystem::remove(plattform::Einzelinstanz::Sperrdatei(name));
}

}  // namespace
}  // namespace zaq
