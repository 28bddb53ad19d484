// The member file container: header, checksum, key, backup copies, safe saving.
#include <gtest/gtest.h>

#include <filesystem>
#include <zlib.h>

#include "Hilfen.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

namespace fs = std::filesystem;

class ZAQDatei : public test::MitOberflaeche {
 protected:
  void SetUp() override { SpeichereAutomatischeAnmeldung("Admin", ""); }
  std::unique_ptr<TZAQ> NeueListe() {
    auto liste = TZAQ::CreateNeu(true, true);
    liste->FBeschreibung = "Turnverein Äpfelbach € 1899";
    liste->FMitglieder[0].FName = "Müller";
    return liste;
  }
  std::string Gespeichert(const std::string& name) {
    auto liste = NeueListe();
    EXPECT_TRUE(liste->SpeichernAls(dir / name, false));
    return dir / name;
  }
  static std::uint32_t KoerperCRC(const Bytes& datei) {
    std::uint32_t crc;
    std::memcpy(&crc, datei.data() + datei.size() - 4, 4);
    return crc;
  }
};

TEST_F(ZAQDatei, GespeichertUndWiederGeoeffnetGleicheFelder) {
  auto liste = NeueListe();
  ASSERT_TRUE(liste->SpeichernAls(dir / "a.zaq", false));
  EXPECT_EQ(liste->FSchreibvorgaenge, 1);
  EXPECT_FALSE(liste->FGeaendert);
  auto geladen = TZAQ::CreateAusDatei(dir / "a.zaq");
  ASSERT_TRUE(geladen);
  Json a, b;
  liste->ZuJson(a);
  geladen->ZuJson(b);
  EXPECT_EQ(a, b);
  EXPECT_EQ(geladen->FMitglieder[0].FName, "Müller");
  ASSERT_TRUE(geladen->SpeichernAls(dir / "a.zaq", false));
  EXPECT_EQ(geladen->FSchreibvorgaenge, 2);
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(ZAQDatei, KopfUndPruefsumme) {
  const Bytes datei = test::Lies(Gespeichert("a.zaq"));
  ASSERT_GT(datei.size(), kKopfGroesse + 4);
  EXPECT_EQ(std::string(datei.begin(), datei.begin() + 10), "ZAQ32**700");
  EXPECT_EQ(datei[10], '\r');
  EXPECT_EQ(datei[10 + 31], 0xE4);  // "ä" of "Binärdatei" as Windows-1252
  EXPECT_EQ(datei[84], 0);
  EXPECT_EQ(datei[210], 0);  // no key
  EXPECT_EQ(datei[215], 1);  // scrambled
  // Undo the pad and check the CRC of the plain body.
  Bytes koerper(datei.begin() + kKopfGroesse, datei.end() - 4);
  for (std::size_t k = 0; k < koerper.size(); ++k) koerper[k] ^= datei[216 + k % 50];
  EXPECT_EQ(crc32(0, koerper.data(), static_cast<uInt>(koerper.size())), KoerperCRC(datei));
  // The body starts with the format version field 704.
  EXPECT_EQ(koerper[0], 0x18);
  EXPECT_EQ(koerper[2] | koerper[3] << 8, 704);
}

TEST_F(ZAQDatei, ZweiSpeicherungenNeuesPadGleicheCRC) {
  auto liste = NeueListe();
  liste->FSchreibvorgaenge = 7;
  ASSERT_TRUE(liste->SpeichernAls(dir / "a.zaq", true));
  liste->FSchreibvorgaenge = 7;
  ASSERT_TRUE(liste->SpeichernAls(dir / "b.zaq", true));
  const Bytes a = test::Lies(dir / "a.zaq"), b = test::Lies(dir / "b.zaq");
  EXPECT_NE(a, b);
  EXPECT_EQ(KoerperCRC(a), KoerperCRC(b));
}

TEST_F(ZAQDatei, BeschaedigteDateienWerdenAbgelehnt) {
  const std::string gut = Gespeichert("gut.zaq");
  const Bytes original = test::Lies(gut);
  const std::string stream = "Fehler beim Einlesen des Datei-Streams zur Aufbereitung der Datenstrukur.";
  const std::string pruefsumme =
      "Die Prüfsumme der Datei stimmt nicht. Soll ZAQ trotzdem versuchen, die Daten zu lesen?\r\n\r\n"
      "Beachten Sie, dass die Daten vollständig oder zumindest teilweise falsch sind, und öffnen Sie "
      "statt dieser Datei sicherheitshalber eine Sicherungskopie.";
  struct Fall {
    const char* name;
    std::function<Bytes(Bytes)> beschaedigen;
    std::vector<std::string> meldungen;
  };
  const Fall faelle[] = {
      {"gekippt.zaq", [](Bytes b) { b[kKopfGroesse + 20] ^= 0x10; return b; }, {pruefsumme, stream}},
      {"kurz.zaq", [](Bytes b) { b.resize(b.size() / 2 + kKopfGroesse / 2); return b; }, {pruefsumme, stream}},
      {"winzig.zaq", [](Bytes) { return Bytes{'Z', 'A', 'Q'}; },
       {"Fehler beim Erkennen oder Lesen der Datei-ID bei " + (dir / "winzig.zaq") + "."}},
      {"text.zaq", [](Bytes) { const std::string t = "Mitgliederliste als Text\r\n"; return Bytes(t.begin(), t.end()); },
       {"Die Zusatzdatei \"" + (dir / "text.zaz") + "\" existiert nicht."}},
  };
  for (const auto& f : faelle) {
    ui.Leeren();
    const std::string name = dir / f.name;
    const Bytes kaputt = f.beschaedigen(original);
    test::Schreibe(name, kaputt);
    ui.Antworten = {Antwort::Nein};
    Ladezustand zustand;
    EXPECT_FALSE(TZAQ::CreateAusDatei(name, &zustand)) << f.name;
    EXPECT_EQ(ui.Texte(), f.meldungen) << f.name;
    EXPECT_EQ(test::Lies(name), kaputt) << f.name;
  }
}

TEST_F(ZAQDatei, PruefsummeFalschAberJaLiestDieDaten) {
  const std::string name = Gespeichert("a.zaq");
  Bytes b = test::Lies(name);
  b[b.size() - 1] ^= 0xFF;  // only the stored CRC is wrong
  test::Schreibe(name, b);
  ui.Antworten = {Antwort::Ja};
  auto liste = TZAQ::CreateAusDatei(name);
  ASSERT_TRUE(liste);
  EXPECT_EQ(liste->FMitglieder[0].FName, "Müller");
  EXPECT_EQ(ui.Meldungen.size(), 1u);
}

TEST_F(ZAQDatei, VerschluesselteDateiNurMitPassendemSchluessel) {
  auto liste = NeueListe();
  liste->FFtpDaten.FSchluessel = {1, 2, 3, 4, 5, 6, 7};
  TZAQStream s;
  ASSERT_TRUE(liste->SchreibeStream(s, sfVerschluesseln));
  EXPECT_EQ(s.Daten()[210], 1);
  const std::string meldung = "Schlüssel stimmen nicht überein. Datei kann nicht entschlüsselt werden!";
  for (const Bytes& schluessel : {Bytes{}, Bytes{1, 2, 3}, Bytes{1, 2, 3, 4, 5, 6, 7}}) {
    ui.Leeren();
    TZAQ ziel;
    ziel.FFtpDaten.FSchluessel = schluessel;
    TZAQStream kopie(s.Daten());
    bool ok = ziel.LeseStream(kopie);
    EXPECT_EQ(ok, schluessel.size() == 7);
    EXPECT_EQ(ui.Texte(), ok ? std::vector<std::string>{} : std::vector<std::string>{meldung});
    if (ok) {
      EXPECT_EQ(ziel.FMitglieder[0].FName, "Müller");
    }
  }
  // Written to a file, the list cannot open it on its own.
  test::Schreibe(dir / "k.zaq", s.Daten());
  ui.Leeren();
  EXPECT_FALSE(TZAQ::CreateAusDatei(dir / "k.zaq"));
  ASSERT_FALSE(ui.Meldungen.empty());
  EXPECT_EQ(ui.Meldungen[0].meldung.text, meldung);
}

TEST_F(ZAQDatei, GleicheDateiOhneGrossUndEndung) {
  const struct {
    const char* a;
    const char* b;
    bool gleich;
  } faelle[] = {
      {"/v/Verein.zaq", "/v/verein.ZAQ", true},
      {"/v/Verein.zaq", "/v/Verein.~aq", true},
      {"/v/Verein.zaq", "/v/Verein2.zaq", false},
      {"/v/Verein.zaq", "/w/Verein.zaq", false},
  };
  for (const auto& f : faelle) EXPECT_EQ(IstGleicheDatei(f.a, f.b), f.gleich) << f.a << " " << f.b;
}

TEST_F(ZAQDatei, SicherungskopienRotierenUndUeberschreibenNull) {
  SchreibeEinstellung(esSicherungsverzeichnis, "Datei");
  auto liste = NeueListe();
  ASSERT_TRUE(liste->SpeichernAls(dir / "v.zaq", false));
  for (int i = 0; i < 10; ++i) {
    liste->FBeschreibung = "Stand " + std::to_string(i);
    liste->Sicherungskopie();
  }
  for (int i = 0; i <= 9; ++i) {
    const std::string kopie = dir / ("~Sicherungskopie" + std::to_string(i) + ".~aq");
    ASSERT_TRUE(fs::exists(kopie)) << i;
    auto k = TZAQ::CreateAusDatei(kopie);
    ASSERT_TRUE(k);
    // The counter starts at 0, so the first copy is number 1.
    EXPECT_EQ(k->FBeschreibung, "Stand " + std::to_string((i + 9) % 10)) << i;
  }
  liste->FBeschreibung = "Stand 10";
  liste->Sicherungskopie();
  EXPECT_EQ(TZAQ::CreateAusDatei(dir / "~Sicherungskopie1.~aq")->FBeschreibung, "Stand 10");
  EXPECT_EQ(LeseEinstellung(esSicherungsdatei), "1");
  EXPECT_FALSE(liste->FGeaendert);
  EXPECT_EQ(liste->FDateiname, dir / "v.zaq");
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(ZAQDatei, VonEinerSicherungskopieKeineWeitere) {
  SchreibeEinstellung(esSicherungsverzeichnis, "Datei");
  auto liste = NeueListe();
  ASSERT_TRUE(liste->SpeichernAls(dir / "v.~aq", false));
  const auto anzahl = std::distance(fs::directory_iterator(dir.Pfad()), fs::directory_iterator());
  liste->Sicherungskopie();
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Pfad()), fs::directory_iterator()), anzahl);
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_EQ(ui.Meldungen[0].meldung.art, MeldungsArt::Information);
  EXPECT_EQ(LeseEinstellung(esSicherungsdatei), "0");
}

TEST_F(ZAQDatei, UngueltigesSicherungsverzeichnis) {
  SchreibeEinstellung(esSicherungsverzeichnis, dir / "gibtsnicht");
  auto liste = NeueListe();
  liste->FDateiname = dir / "v.zaq";
  liste->Sicherungskopie();
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_EQ(ui.Meldungen[0].meldung.text,
            "Kann keine Sicherungskopie erstellen, da ein ungültiges Verzeichnis angegeben ist. Bitte geben Sie "
            "in den Programmeinstellungen ein gültiges Verzeichnis für Sicherungskopien an!");
}

TEST_F(ZAQDatei, FehlgeschlagenesSpeichernLaesstAlteDateiUnberuehrt) {
  const std::string name = Gespeichert("a.zaq");
  const Bytes vorher = test::Lies(name);
  auto liste = NeueListe();
  liste->FBeschreibung = "neu";
  // A directory where the file should go cannot be replaced by rename.
  fs::create_directory(dir / "ordner.zaq");
  EXPECT_FALSE(liste->SpeichernAls(dir / "ordner.zaq", false));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Fehler beim Schreiben von " + (dir / "ordner.zaq") + "!"});
  EXPECT_TRUE(fs::is_directory(dir / "ordner.zaq"));
  EXPECT_TRUE(liste->FDateiname.empty());
  // No temporary file is left behind.
  for (const auto& e : fs::directory_iterator(dir.Pfad()))
    EXPECT_FALSE(e.path().filename().string().starts_with(".")) << e.path();
  EXPECT_EQ(test::Lies(name), vorher);
}

TEST_F(ZAQDatei, AbbrechenBeimSchreibenSchreibtNichts) {
  auto liste = NeueListe();
  for (int i = 0; i < 50; ++i) liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), i + 2));
  ui.AbbrechenBeiText = "Erzeuge Stream";
  ui.Antworten = {Antwort::Ja};  // "Wollen Sie den Vorgang wirklich abbrechen?"
  EXPECT_FALSE(liste->SpeichernAls(dir / "a.zaq", false));
  EXPECT_FALSE(fs::exists(dir / "a.zaq"));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Wollen Sie den Vorgang wirklich abbrechen?"});
}

}  // namespace
}  // namespace zaq
