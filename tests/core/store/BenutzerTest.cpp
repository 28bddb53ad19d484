// Users: password hash, rights, login dialog, password re-entry, pictures.
#include <gtest/gtest.h>

#include <filesystem>

#include "Hilfen.h"
#include "base/Datum.h"
#include "base/Hex.h"
#include "store/Anmeldung.h"
#include "store/Bild.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

class Benutzer : public test::MitOberflaeche {
 protected:
  Benutzer() : liste(TZAQ::CreateNeu(true, true)) {
    kasse = &liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Kasse"));
    kasse->FVollerName = "Karin Kasse";
    kasse->SetzeKennwort("geheim");
  }
  // Answers the login dialog by choosing row i with this password.
  void Anmeldung(int zeile, const std::string& kennwort) {
    ui.Dialoge.push_back([zeile](DialogDaten& d) { return static_cast<TAnmeldeDialog&>(d).Waehle(zeile); });
    ui.Dialoge.push_back([kennwort](DialogDaten& d) {
      static_cast<TKennwortDialog&>(d).FKennwort = kennwort;
      return true;
    });
  }
  std::unique_ptr<TZAQ> liste;
  TBenutzer* kasse;
};

TEST_F(Benutzer, KennwortHashHaengtAmLoginNamen) {
  TBenutzer neu("Neu");
  EXPECT_FALSE(neu.HatKennwort());
  EXPECT_TRUE(neu.PruefeKennwort(""));
  EXPECT_EQ(HexText(std::string(neu.FKennwortHash.begin(), neu.FKennwortHash.end())), MD5Text("Neu"));
  TBenutzer a("Max"), b("max");
  a.SetzeKennwort("Wört");
  b.SetzeKennwort("Wört");
  EXPECT_NE(a.FKennwortHash, b.FKennwortHash);
  EXPECT_EQ(HexText(std::string(a.FKennwortHash.begin(), a.FKennwortHash.end())), MD5Text("W\xF6rtMax"));
  EXPECT_TRUE(a.PruefeKennwort("Wört"));
  EXPECT_FALSE(a.PruefeKennwort("wört"));
  EXPECT_GE(a.FBenutzerNr, 1);
  EXPECT_EQ(a.FGueltigBis, PlusJahre(Heute(), 2));
  EXPECT_EQ(a.FRechte, 0x1FFFFFu);
  EXPECT_EQ(a.FKennwortAktionen, 0x39D80u);
}

TEST_F(Benutzer, Rechtemasken) {
  const struct {
    std::uint32_t rechte;
    std::uint32_t m1, m2;
    bool erlaubt;
  } faelle[] = {
      {0x1000, 0x1000, 0, true},     // one bit of the bulk-change pair suffices for a mask naming one
      {0x1000, 0x21000, 0, false},   // the bulk-change commands need both bits
      {0x21000, 0x21000, 0, true},
      {0x0, 0x80000, 0, true},       // everyone has 80000 hex
      {0x4400, 0x4600, 0, false},    // several bits need all of them
      {0x4600, 0x4600, 0, true},
      {0x80, 0x400, 0x80, true},     // alternatives
      {0x80, 0, 0, false},           // masks of 0 are ignored
  };
  for (const auto& f : faelle) {
    kasse->FRechte = f.rechte;
    EXPECT_EQ(kasse->HatRecht(f.m1, f.m2), f.erlaubt) << std::hex << f.rechte << " " << f.m1;
  }
  // The administrator always has everything.
  liste->Administrator()->FRechte = 0;
  EXPECT_TRUE(liste->Administrator()->HatRecht(0x40000));
}

TEST_F(Benutzer, GueltigkeitUndAdministrator) {
  kasse->FGueltigBis = Heute() + 10;
  EXPECT_TRUE(kasse->IstGueltig(Heute()));
  EXPECT_FALSE(kasse->IstGueltig(Heute() + 11));
  kasse->FGueltigBis = Heute() - 1;
  EXPECT_FALSE(kasse->IstGueltig(0));
  liste->Administrator()->FGueltigBis = 1;
  EXPECT_TRUE(liste->Administrator()->IstGueltig(Heute()));
}

TEST_F(Benutzer, AnmeldedialogBegruesstUndPrueft) {
  const struct {
    double stunde;
    const char* gruss;
  } zeiten[] = {{2.9, "Guten Abend "}, {3, "Guten Morgen "}, {8.99, "Guten Morgen "}, {9, "Moin Moin "},
                {12, "Hallo "}, {17.99, "Hallo "}, {18, "Guten Abend "}};
  for (const auto& z : zeiten) EXPECT_EQ(TAnmeldeDialog::Gruss(45000 + z.stunde / 24), z.gruss) << z.stunde;

  TAnmeldeDialog d(*liste);
  ASSERT_EQ(d.Zeilen().size(), 2u);
  EXPECT_EQ(d.Zeilen()[0].login, "Admin (angemeldet)");
  EXPECT_EQ(d.Titel(), "Anmeldung an ");
  // Wrong password, then cancelled password question, then right.
  ui.Dialoge = {[](DialogDaten& k) {
                  static_cast<TKennwortDialog&>(k).FKennwort = "falsch";
                  return true;
                },
                [](DialogDaten&) { return false; },
                [](DialogDaten& k) {
                  auto& kd = static_cast<TKennwortDialog&>(k);
                  EXPECT_EQ(kd.FZeile1.substr(kd.FZeile1.size() - 6), "Kasse,");
                  EXPECT_EQ(kd.FTitel, "Anmeldung");
                  kd.FKennwort = "geheim";
                  return true;
                }};
  EXPECT_FALSE(d.Waehle(1));
  EXPECT_FALSE(d.Waehle(1));
  EXPECT_TRUE(d.Waehle(1));
  EXPECT_EQ(d.Gewaehlt(), kasse);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Das Kennwort ist falsch, probieren Sie es nochmal."});

  // Expired before the day of the list's last change, though valid today.
  kasse->FGueltigBis = Heute() + 5;
  liste->FGeaendertAm = Heute() + 6;
  ui.Leeren();
  EXPECT_FALSE(d.Waehle(1));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Das Zugangsprofil ist abgelaufen. Kontaktieren Sie den Administrator."});
  EXPECT_TRUE(ui.DialogArten.empty());
}

TEST_F(Benutzer, ElfBenutzerZeigenSiebenZeilen) {
  for (int i = 0; i < 8; ++i) liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("B" + std::to_string(i)));
  EXPECT_EQ(TAnmeldeDialog(*liste).SichtbareZeilen(), 10);
  liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Elf"));
  EXPECT_EQ(TAnmeldeDialog(*liste).SichtbareZeilen(), 7);
}

TEST_F(Benutzer, AutomatischeAnmeldung) {
  SpeichereAutomatischeAnmeldung("Kasse", "geheim");
  EXPECT_TRUE(liste->Anmelden(true));
  EXPECT_EQ(liste->AktuellerBenutzer(), kasse);
  EXPECT_TRUE(ui.DialogArten.empty());
  // A hash that does not match falls back to the dialog, silently.
  SpeichereAutomatischeAnmeldung("Kasse", "anders");
  Anmeldung(0, "");
  EXPECT_TRUE(liste->Anmelden(true));
  EXPECT_EQ(liste->AktuellerBenutzer(), liste->Administrator());
  EXPECT_EQ(ui.DialogArten, (std::vector<std::string>{"Benutzeranmeldung", "Kennwort"}));
  EXPECT_TRUE(ui.Meldungen.empty());
  // Without automatic login allowed, the settings are not looked at.
  SpeichereAutomatischeAnmeldung("Kasse", "geheim");
  ui.Leeren();
  EXPECT_FALSE(liste->Anmelden(false));
  EXPECT_EQ(liste->AktuellerBenutzer(), liste->Administrator());
}

TEST_F(Benutzer, KennwortHoechstensEinmalZwischenZweiAnmeldungen) {
  liste->FDateiname = "/verein/Turnverein.zaq";
  Anmeldung(1, "geheim");
  ASSERT_TRUE(liste->Anmelden(false));
  kasse->FRechte = 0x400 | 0x200 | 0x800;
  ui.Dialoge.push_back([](DialogDaten& d) {
    auto& k = static_cast<TKennwortDialog&>(d);
    EXPECT_EQ(k.FZeile1, "Die Datei Turnverein.zaq");
    k.FKennwort = "falsch";
    return true;
  });
  EXPECT_FALSE(liste->PruefeRecht(0x400));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Ungültiges Kennwort."});
  ui.Dialoge.push_back([](DialogDaten& d) {
    static_cast<TKennwortDialog&>(d).FKennwort = "geheim";
    return true;
  });
  EXPECT_TRUE(liste->PruefeRecht(0x400));
  const auto dialoge = ui.DialogArten.size();
  EXPECT_TRUE(liste->PruefeRecht(0x800));  // asked once: no further question
  EXPECT_TRUE(liste->PruefeRecht(0x200));  // no password action at all
  EXPECT_EQ(ui.DialogArten.size(), dialoge);
  ui.Leeren();
  EXPECT_FALSE(liste->PruefeRecht(0x8000));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Sie sind im Moment als Karin Kasse angemeldet und besitzen leider "
                                                 "nicht das Recht, die gewünschte Aktion auszuführen."});
  // A new login asks again.
  Anmeldung(1, "geheim");
  ASSERT_TRUE(liste->Anmelden(false));
  ui.Dialoge.push_back([](DialogDaten&) { return false; });
  EXPECT_FALSE(liste->PruefeRecht(0x800));
}

// A Cyrillic password would be stored as "?" in each place, the same as
// every other password of its length: it is refused, and nothing changes.
// One stored that way before keeps working.
TEST_F(Benutzer, KennwortMitZeichenDieDieDateiNichtHaelt) {
  const Hash vorher = kasse->FKennwortHash;
  EXPECT_FALSE(kasse->SetzeKennwort("пароль"));
  EXPECT_EQ(kasse->FKennwortHash, vorher);
  EXPECT_TRUE(kasse->PruefeKennwort("geheim"));
  SpeichereAutomatischeAnmeldung("Kasse", "geheim");
  EXPECT_FALSE(SpeichereAutomatischeAnmeldung("Kasse", "пароль"));
  EXPECT_FALSE(SpeichereAutomatischeAnmeldung("Kаsse", "geheim"));  // a Cyrillic "а"
  EXPECT_TRUE(liste->Anmelden(true));  // the stored login is still the old one
  EXPECT_EQ(liste->AktuellerBenutzer(), kasse);

  // Typing such a password names the character instead of "wrong password".
  Anmeldung(1, "пароль");
  EXPECT_FALSE(liste->Anmelden(false));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Das Zeichen „п“ (U+043F) im Feld „Kennwort“ kann in der "
                                                 "Mitgliederdatei nicht gespeichert werden. Bitte ersetzen Sie es "
                                                 "durch ein anderes Zeichen."});
  // The old hash of "??????" still opens with the Cyrillic word.
  kasse->FKennwortHash = KennwortHash("??????", "Kasse");
  ui.Leeren();
  Anmeldung(1, "пароль");
  EXPECT_TRUE(liste->Anmelden(false));
  EXPECT_TRUE(ui.Meldungen.empty());
}

// A bitmap whose header promises more pixels than the file holds is refused
// before anything is allocated for them (the fuzzer found the reader asking
// for gigabytes).
TEST_F(Benutzer, BitmapMitFalschemKopf) {
  const auto bitmap = [](std::int32_t breite, std::int32_t hoehe, std::uint16_t bits, std::size_t pixelBytes) {
    std::string b = "BM";
    auto zahl = [&](std::uint32_t w, int n) {
      for (int i = 0; i < n; ++i) b += static_cast<char>(w >> (8 * i) & 0xFF);
    };
    zahl(static_cast<std::uint32_t>(54 + pixelBytes), 4);
    zahl(0, 4);
    zahl(54, 4);
    zahl(40, 4);
    zahl(static_cast<std::uint32_t>(breite), 4);
    zahl(static_cast<std::uint32_t>(hoehe), 4);
    zahl(1, 2);
    zahl(bits, 2);
    for (int i = 0; i < 6; ++i) zahl(0, 4);
    return b + std::string(pixelBytes, '\x40');
  };
  test::Schreibe(dir / "gut.bmp", bitmap(4, 3, 24, 36));
  ASSERT_TRUE(LadeBilddatei(dir / "gut.bmp"));
  EXPECT_EQ(LadeBilddatei(dir / "gut.bmp")->breite, 4);
  const struct {
    const char* fall;
    std::string inhalt;
  } faelle[] = {
      {"zu wenig Pixel", bitmap(4, 3, 24, 35)},
      {"riesig", bitmap(100000, 100000, 24, 36)},
      {"ohne Breite", bitmap(0, 3, 24, 36)},
      {"9 Bit", bitmap(4, 3, 9, 36)},
      {"kein Kopf", "BM1234"},
  };
  for (const auto& f : faelle) {
    test::Schreibe(dir / "bild.bmp", f.inhalt);
    EXPECT_FALSE(LadeBilddatei(dir / "bild.bmp")) << f.fall;
  }
}

TEST_F(Benutzer, EigenesBildWirdVerkleinertUndAlsJpegGespeichert) {
  Bild gross{200, 100, std::vector<std::uint8_t>(200 * 100 * 3)};
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) gross.rgb[(y * 200 + x) * 3] = static_cast<std::uint8_t>(x < 100 ? 0 : 255);
  const std::string jpg = dir / "bild.jpg";
  test::Schreibe(jpg, AlsJpeg(gross, 90));
  ASSERT_TRUE(kasse->LadeBild(jpg));
  EXPECT_EQ(kasse->FBildNr, 255);
  auto zurueck = AusJpeg(kasse->FBild);
  ASSERT_TRUE(zurueck);
  EXPECT_EQ(zurueck->breite, 64);
  EXPECT_EQ(zurueck->hoehe, 32);
  EXPECT_LT(zurueck->rgb[0], 20);
  EXPECT_GT(zurueck->rgb[(63) * 3], 235);
  EXPECT_EQ(ui.WarteTexte, std::vector<std::string>{"Lade Bild"});
  // A small picture is never enlarged; other extensions fail.
  test::Schreibe(dir / "klein.JPEG", AlsJpeg(Bild{10, 20, std::vector<std::uint8_t>(600, 128)}, 90));
  ASSERT_TRUE(kasse->LadeBild(dir / "klein.JPEG"));
  EXPECT_EQ(AusJpeg(kasse->FBild)->breite, 10);
  EXPECT_FALSE(kasse->LadeBild(dir / "bild.png"));
  EXPECT_FALSE(kasse->LadeBild(dir / "fehlt.bmp"));
  test::Schreibe(dir / "kaputt.jpg", std::string("kein Bild"));
  EXPECT_FALSE(kasse->LadeBild(dir / "kaputt.jpg"));
  // Built-in pictures clear the own one.
  EXPECT_TRUE(kasse->SetzeBild(2));
  EXPECT_TRUE(kasse->FBild.empty());
  EXPECT_EQ(kasse->FBildNr, 2);
  EXPECT_FALSE(kasse->SetzeBild(AnzahlEingebauteBilder()));
  EXPECT_EQ(kasse->FBildNr, 0);
}

TEST_F(Benutzer, BitmapDateiWirdGelesen) {
  // A 2 × 2 bitmap, 24 bits, bottom-up rows padded to 4 bytes.
  std::vector<std::uint8_t> bmp = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2,
                                   0,   0,   0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B,
                                   0,   0,   0, 0, 0, 0, 0, 0, 0, 0,
                                   // bottom row: blue, green (BGR)
                                   255, 0, 0, 0, 255, 0, 0, 0,
                                   // top row: red, white
                                   0, 0, 255, 255, 255, 255, 0, 0};
  test::Schreibe(dir / "b.BMP", bmp);
  auto b = LadeBilddatei(dir / "b.BMP");
  ASSERT_TRUE(b);
  ASSERT_EQ(b->breite, 2);
  EXPECT_EQ((std::vector<std::uint8_t>(b->rgb.begin(), b->rgb.begin() + 3)), (std::vector<std::uint8_t>{255, 0, 0}));
  EXPECT_EQ((std::vector<std::uint8_t>(b->rgb.begin() + 6, b->rgb.begin() + 9)), (std::vector<std::uint8_t>{0, 0, 255}));
}

}  // namespace
}  // namespace zaq
