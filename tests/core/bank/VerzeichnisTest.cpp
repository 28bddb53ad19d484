// The bank directory: every main record of the Bundesbank file is found with
// its data, the record layout, the index walk's edge cases, damaged files.
#include <gtest/gtest.h>

#include <map>

#include "BankHilfen.h"
#include "app/Programm.h"
#include "bank/BLZImport.h"
#include "base/Text.h"
#include "platform/Kodierung.h"

namespace zaq {
namespace {

const std::string kFehlen =
    "Die Dateien \"ZAQ-BLZ.IND\" und \"ZAQ-BLZ.DAT\" für die BLZ-Datenbank fehlen oder sind unvollständig. Ohne "
    "diese Dateien kann ZAQ Mitgliederverwaltung nicht ausgeführt werden. Bitte richten Sie das Programm neu ein!";

std::string Spalten(const std::string& zeile, std::size_t von, std::size_t laenge) {
  return Trim(Cp1252ZuUtf8(zeile.substr(von - 1, laenge)));
}

int Verfahrensnummer(const std::string& k) {
  if (k[0] >= 'A') return 100 + 10 * (k[0] - 'A') + (k[1] - '0');
  return std::stoi(k);
}

class Verzeichnis : public test::MitBank {};

TEST_F(Verzeichnis, JederHauptdatensatzDerBundesbankdateiWirdGefunden) {
  auto inhalt = test::Lies(test::kBundesbankDatei);
  std::string text(inhalt.begin(), inhalt.end());
  std::map<std::string, int> regeln;
  {
    auto r = test::Lies(test::kIBANRegeln);
    std::string t(r.begin(), r.end());
    std::size_t a = 0;
    while (a < t.size()) {
      std::size_t e = t.find('\n', a);
      std::string z = t.substr(a, e - a);
      if (!z.empty() && z[0] != '#') regeln[z.substr(0, 8)] = std::stoi(z.substr(9));
      a = e == std::string::npos ? t.size() : e + 1;
    }
  }
  std::size_t hauptsaetze = 0, mitRegel = 0, buchstaben = 0;
  std::size_t a = 0;
  while (a < text.size()) {
    std::size_t e = text.find('\n', a);
    std::string zeile = text.substr(a, e - a);
    a = e == std::string::npos ? text.size() : e + 1;
    if (zeile.size() < 168 || zeile[8] != '1') continue;
    ++hauptsaetze;
    std::string blz = zeile.substr(0, 8);
    ASSERT_TRUE(bank.Lade(blz)) << blz;
    EXPECT_EQ(bank.BLZ(), blz);
    EXPECT_EQ(bank.Bezeichnung(), Spalten(zeile, 10, 58)) << blz;
    EXPECT_EQ(bank.PLZ(), Spalten(zeile, 68, 5)) << blz;
    EXPECT_EQ(bank.Ort(), Spalten(zeile, 73, 35)) << blz;
    EXPECT_EQ(bank.Kurzbezeichnung(), Spalten(zeile, 108, 27)) << blz;
    EXPECT_EQ(bank.BIC(), Spalten(zeile, 140, 11)) << blz;
    EXPECT_EQ(bank.Pruefverfahren(), Verfahrensnummer(zeile.substr(150, 2))) << blz;
    if (bank.Pruefverfahren() >= 100) ++buchstaben;
    int regel = regeln.count(blz) ? regeln[blz] : 0;
    if (regel) ++mitRegel;
    EXPECT_EQ(bank.IBANRegel(), regel / 100) << blz;
    EXPECT_EQ(bank.IBANRegelVersion(), regel % 100) << blz;
  }
  EXPECT_EQ(hauptsaetze, 3542u);
  EXPECT_EQ(bank.AnzahlBanken(), hauptsaetze);
  EXPECT_EQ(buchstaben, 101u);
  EXPECT_GT(mitRegel, 1000u);
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Verzeichnis, BekannteBanken) {
  ASSERT_TRUE(bank.Lade("37040044"));
  EXPECT_EQ(bank.Bezeichnung(), "Commerzbank");
  EXPECT_EQ(bank.Ort(), "Köln");
  EXPECT_EQ(bank.Pruefverfahren(), 13);
  EXPECT_EQ(bank.IBANRegel(), 5);
  EXPECT_EQ(bank.IBANRegelVersion(), 3);
  ASSERT_TRUE(bank.Lade("50010517"));  // ING-DiBa, method C1
  EXPECT_EQ(bank.Pruefverfahren(), 121);
  EXPECT_EQ(bank.BIC(), "INGDDEFFXXX");
  ASSERT_TRUE(bank.Lade("10050000"));  // Berliner Sparkasse, method B8
  EXPECT_EQ(bank.Pruefverfahren(), 118);
  EXPECT_FALSE(bank.Lade("37040045"));
  EXPECT_FALSE(bank.Lade("3704004"));
  EXPECT_FALSE(bank.Lade("370400440"));
  EXPECT_FALSE(bank.Lade("3704"));  // ends on an inner node of the tree
}

TEST_F(Verzeichnis, DasMitgebauteVerzeichnisGleichtDemFrischGebauten) {
  for (const char* name : {kBLZDatei, kBLZIndex}) {
    auto gebaut = test::Lies(std::string(ZAQ_BINAER) + "/bin/" + name);
    auto frisch = test::Lies(test::BundesbankVerzeichnis() + "/" + name);
    EXPECT_TRUE(gebaut == frisch) << name;
  }
}

TEST_F(Verzeichnis, SatzaufbauDerDatendatei) {
  std::int32_t nr = bank.SucheBLZ("37040044");
  ASSERT_GE(nr, 0);
  auto daten = test::Lies(test::BundesbankVerzeichnis() + "/ZAQ-BLZ.DAT");
  ASSERT_EQ(daten.size() % 154, 0u);
  const std::uint8_t* s = daten.data() + static_cast<std::size_t>(nr) * 154;
  auto kurztext = [&](std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(s + offset + 1), s[offset]);
  };
  EXPECT_EQ(kurztext(0), "37040044");
  EXPECT_EQ(kurztext(9), "Commerzbank");
  EXPECT_EQ(kurztext(68), "Commerzbank K\xF6ln");  // Windows-1252 in the file
  EXPECT_EQ(kurztext(96), "50447");
  EXPECT_EQ(kurztext(102), "K\xF6ln");
  EXPECT_EQ(s[138], 13);
  EXPECT_EQ(kurztext(139), "COBADEFFXXX");
  EXPECT_EQ(s[151], 5);
  EXPECT_EQ(s[152], 0);
  EXPECT_EQ(s[153], 3);
  // Records follow the bank codes in order, so a number is also a position.
  EXPECT_EQ(bank.SucheBLZ("10000000"), 0);
}

TEST_F(Verzeichnis, LadeBankNimmtDieBLZAusDerDeutschenIBAN) {
  const struct {
    const char* blz;
    const char* iban;
    bool gefunden;
    const char* erwartet;
  } faelle[] = {
      {"", "DE89370400440532013000", true, "37040044"},
      {"10010010", "DE89370400440532013000", true, "37040044"},  // the IBAN wins
      {"", "  DE89370400440532013000 ", true, "37040044"},
      {"", "DE8937040044", false, ""},  // 12 characters: no bank code from it
      {"10010010", "DE8937040044", true, "10010010"},
      {"10010010", "AT611904300234573201", true, "10010010"},
      {"  ", "", false, ""},
      {"99999999", "", false, ""},
  };
  for (const auto& f : faelle) {
    ASSERT_TRUE(bank.Lade("20050550"));
    EXPECT_EQ(bank.LadeBank(f.blz, f.iban), f.gefunden) << f.blz << " " << f.iban;
    EXPECT_EQ(bank.BLZ(), f.gefunden ? f.erwartet : "20050550") << f.blz << " " << f.iban;
  }
  EXPECT_EQ(bank.BezeichnungZu("", "DE89370400440532013000"), "Commerzbank");
  EXPECT_EQ(bank.KurzbezeichnungZu("37040044", ""), "Commerzbank Köln");
  EXPECT_EQ(bank.BezeichnungZu("99999999", ""), "");
  EXPECT_EQ(bank.KurzbezeichnungZu("", ""), "");
  EXPECT_EQ(BankText("370 400 44", ""), "Commerzbank, 50447 Köln");
  EXPECT_EQ(BankText("", "DE89 3704 0044 0532 0130 00"), "Commerzbank, 50447 Köln");
  EXPECT_EQ(BankText("99999999", ""), "");
}

TEST(Bankverfahren, ImplementierteVerfahrenUndRegeln) {
  const std::vector<int> implementiert = {0, 1, 6, 10, 13, 20, 24, 28, 32, 63, 70, 76, 81, 82, 84, 88, 95, 99};
  std::vector<int> gefunden;
  for (int v = -1; v < 256; ++v)
    if (TBank::VerfahrenImplementiert(v)) gefunden.push_back(v);
  EXPECT_EQ(gefunden, implementiert);
  EXPECT_TRUE(TBank::IBANRegelImplementiert(0, 0));
  EXPECT_FALSE(TBank::IBANRegelImplementiert(0, 1));
  EXPECT_FALSE(TBank::IBANRegelImplementiert(1, 0));
  EXPECT_FALSE(TBank::IBANRegelImplementiert(5, 3));
}

TEST(Bankverfahren, KennzeichenMitBuchstaben) {
  const struct {
    const char* kennzeichen;
    int nummer;
  } faelle[] = {{"00", 0}, {"09", 9}, {"99", 99}, {"A0", 100}, {"B3", 113}, {"C1", 121}, {"E4", 144},
                {"F0", -1}, {"a0", -1}, {"0A", -1}, {"1", -1}, {"123", -1}, {"", -1}};
  for (const auto& f : faelle) EXPECT_EQ(VerfahrenAusKennzeichen(f.kennzeichen), f.nummer) << f.kennzeichen;
  for (int v = 0; v <= 149; ++v) EXPECT_EQ(VerfahrenAusKennzeichen(KennzeichenVonVerfahren(v)), v) << v;
}

// Hand-made trees for the corners of the index walk.
class Index : public test::MitOberflaeche {
 protected:
  struct Knoten {
    char zeichen;
    std::int32_t wert;
    std::uint16_t anzahl;
  };
  void SchreibeIndex(const std::vector<Knoten>& knoten) {
    plattform::Bytes b;
    for (const auto& k : knoten) {
      b.push_back(static_cast<std::uint8_t>(k.zeichen));
      for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(k.wert) >> (8 * i)));
      b.push_back(static_cast<std::uint8_t>(k.anzahl & 0xFF));
      b.push_back(static_cast<std::uint8_t>(k.anzahl >> 8));
    }
    test::Schreibe(dir / kBLZIndex, b);
  }
  void SchreibeDaten(const std::vector<std::string>& codes) {
    std::vector<Bankdatensatz> banken;
    for (const auto& c : codes) {
      Bankdatensatz b;
      b.FBLZ = c;
      b.FBezeichnung = "Bank " + c;
      banken.push_back(b);
    }
    test::Schreibe(dir / kBLZDatei, BLZDatenDatei(banken));
  }
};

TEST_F(Index, KurzeCodesGeschwisterInBeliebigerFolgeUndKaputteVerweise) {
  // "123" is a leaf one level early; the children of "12" stand in falling
  // order; "19" points outside the file, "18" to a negative record, "17" is
  // a leaf beyond the data file.
  SchreibeIndex({
      {'1', 2, 1},     // 0
      {'\0', -1, 0},   // 1: end of the first level
      {'2', 3, 2},     // 2: "1" -> "12"
      {'4', 5, 1},     // 3: "124"
      {'3', 0, 0},     // 4: "123" = record 0
      {'5', 6, 4},     // 5: "1245"
      {'9', 1000, 2},  // 6: "12459" -> outside
      {'8', -5, 1},    // 7: "12458" -> negative
      {'7', 7, 0},     // 8: "12457" = record 7, beyond the data
      {'6', 1, 0},     // 9: "12456" = record 1
  });
  SchreibeDaten({"123", "12456"});
  TBank bank(dir.Pfad().string());
  ASSERT_TRUE(bank.Geoeffnet());
  EXPECT_EQ(bank.SucheBLZ("123"), 0);
  EXPECT_EQ(bank.SucheBLZ("12456"), 1);
  EXPECT_EQ(bank.SucheBLZ("1234"), -1);   // the leaf "123" is no match for a longer code
  EXPECT_EQ(bank.SucheBLZ("12"), -1);     // ends on an inner node
  EXPECT_EQ(bank.SucheBLZ("124567"), -1);
  EXPECT_EQ(bank.SucheBLZ("12459000"), -1);
  EXPECT_EQ(bank.SucheBLZ("12458000"), -1);
  EXPECT_EQ(bank.SucheBLZ("2"), -1);
  EXPECT_EQ(bank.SucheBLZ(""), -1);
  EXPECT_EQ(bank.SucheBLZ("12457"), 7);
  EXPECT_FALSE(bank.Lade("12457"));  // no such record: not found rather than a crash
  EXPECT_TRUE(bank.Lade("12456"));
  EXPECT_EQ(bank.Bezeichnung(), "Bank 12456");
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Index, NullBLZWirdNieGesucht) {
  Bankdatensatz null, eins;
  null.FBLZ = "00000000";
  eins.FBLZ = "00000001";
  test::SchreibeVerzeichnis(dir.Pfad(), {null, eins});
  TBank bank(dir.Pfad().string());
  EXPECT_EQ(bank.SucheBLZ("00000000"), -1);
  EXPECT_EQ(bank.SucheBLZ("00000001"), 1);
  EXPECT_FALSE(bank.Lade("00000000"));
}

TEST_F(Index, AnfangsdatensatzUndFehlgeschlagenesLaden) {
  Bankdatensatz a;
  a.FBLZ = "10020030";
  a.FBezeichnung = "Testbank";
  a.FPruefverfahren = 6;
  test::SchreibeVerzeichnis(dir.Pfad(), {a});
  TBank bank(dir.Pfad().string());
  EXPECT_EQ(bank.BLZ(), "00000000");
  EXPECT_EQ(bank.Bezeichnung(), "");
  EXPECT_EQ(bank.Pruefverfahren(), 0);
  EXPECT_EQ(bank.IBANRegel(), 0);
  EXPECT_EQ(bank.IBANRegelVersion(), 0);
  ASSERT_TRUE(bank.Lade("10020030"));
  EXPECT_FALSE(bank.Lade("10020031"));
  EXPECT_EQ(bank.BLZ(), "10020030");  // the current record stays
  EXPECT_EQ(bank.Bezeichnung(), "Testbank");
  EXPECT_EQ(bank.Pruefverfahren(), 6);
}

TEST_F(Index, BeschaedigteSaetzeUndFremdeDatendateiLiefernKeineBank) {
  Bankdatensatz a, b;
  a.FBLZ = "10020030";
  b.FBLZ = "10020040";
  test::SchreibeVerzeichnis(dir.Pfad(), {a, b});
  // A data file of other banks: the index leads to a record of another code.
  Bankdatensatz x, y;
  x.FBLZ = "55555555";
  y.FBLZ = "10020040";
  test::Schreibe(dir / kBLZDatei, BLZDatenDatei({x, y}));
  {
    TBank bank(dir.Pfad().string());
    EXPECT_FALSE(bank.Lade("10020030"));
    EXPECT_TRUE(bank.Lade("10020040"));
  }
  // A length byte beyond its field.
  auto daten = BLZDatenDatei({a, b});
  daten[154 + 9] = 60;
  test::Schreibe(dir / kBLZDatei, daten);
  TBank bank(dir.Pfad().string());
  EXPECT_TRUE(bank.Lade("10020030"));
  EXPECT_FALSE(bank.Lade("10020040"));
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Index, FehlendeOderUnvollstaendigeDateien) {
  Bankdatensatz a;
  a.FBLZ = "10020030";
  const std::vector<std::pair<const char*, std::function<void()>>> faelle = {
      {"beide fehlen", [] {}},
      {"Index fehlt", [&] { test::Schreibe(dir / kBLZDatei, BLZDatenDatei({a})); }},
      {"Daten fehlen", [&] { test::Schreibe(dir / kBLZIndex, BLZIndexDatei({a})); }},
      {"Daten abgeschnitten",
       [&] {
         auto d = BLZDatenDatei({a});
         d.pop_back();
         test::Schreibe(dir / kBLZDatei, d);
         test::Schreibe(dir / kBLZIndex, BLZIndexDatei({a}));
       }},
      {"Index abgeschnitten",
       [&] {
         auto i = BLZIndexDatei({a});
         i.resize(i.size() - 3);
         test::Schreibe(dir / kBLZDatei, BLZDatenDatei({a}));
         test::Schreibe(dir / kBLZIndex, i);
       }},
      {"leer",
       [&] {
         test::Schreibe(dir / kBLZDatei, std::string());
         test::Schreibe(dir / kBLZIndex, std::string());
       }},
  };
  for (const auto& [fall, anlegen] : faelle) {
    std::filesystem::remove(dir / kBLZDatei);
    std::filesystem::remove(dir / kBLZIndex);
    anlegen();
    ui.Leeren();
    TBank bank(dir.Pfad().string());
    EXPECT_FALSE(bank.Geoeffnet()) << fall;
    EXPECT_FALSE(bank.Lade("10020030")) << fall;
    ASSERT_EQ(ui.Meldungen.size(), 1u) << fall;
    EXPECT_EQ(ui.Meldungen[0].meldung.text, kFehlen) << fall;
    EXPECT_EQ(ui.Meldungen[0].meldung.art, MeldungsArt::Fehler) << fall;
    EXPECT_EQ(ui.Meldungen[0].meldung.knoepfe, Knoepfe::OK) << fall;
  }
}

TEST_F(Index, DasProgrammEndetOhneVerzeichnis) {
  plattform::SetzeProgrammVerzeichnis(dir.Pfad().string());
  BankverzeichnisSetzen vorher(nullptr);
  {
    TProgramm programm;
    EXPECT_FALSE(programm.Starten({}));
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{kFehlen});
    EXPECT_TRUE(ui.DateiDialoge.empty());  // ended before asking for a member file
    EXPECT_EQ(Bankverzeichnis(), nullptr);
  }
  Bankdatensatz a;
  a.FBLZ = "10020030";
  test::SchreibeVerzeichnis(dir.Pfad(), {a});
  ui.Leeren();
  EXPECT_TRUE(LadeBankverzeichnis());
  ASSERT_NE(Bankverzeichnis(), nullptr);
  EXPECT_TRUE(Bankverzeichnis()->Lade("10020030"));
  EXPECT_TRUE(ui.Meldungen.empty());
  plattform::SetzeProgrammVerzeichnis("");
}

}  // namespace
}  // namespace zaq
