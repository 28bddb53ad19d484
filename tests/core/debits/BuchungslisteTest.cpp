// The SEPA booking list: its file of 298-byte records, every change on disk
// at once, and damaged files left as they are.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "Hilfen.h"
#include "base/Datum.h"
#include "debits/sepa/Buchungsliste.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

using Bytes = plattform::Bytes;

TSepaBuchung Buchung(const std::string& name, const std::string& iban, float betrag) {
  TSepaBuchung b;
  b.Name = name;
  b.IBAN = iban;
  b.Mandatsreferenz = "M-" + name;
  b.Mandatsdatum = TextZuDatum("01.02.2014").value();
  b.Betrag = betrag;
  b.Kundenreferenz = "K-" + name;
  b.Verwendungszweck = "Beitrag " + name;
  return b;
}

class Buchungsliste : public test::MitOberflaeche {
 protected:
  // A new list with Berg, Adam, Cem.
  void Drei() {
    ASSERT_TRUE(liste.Anlegen(datei));
    ASSERT_TRUE(liste.Schreiben(Buchung("Berg", "DE02120300000000202051", 20), 1));
    ASSERT_TRUE(liste.Schreiben(Buchung("Adam", "DE89370400440532013000", 12.5f), 2));
    ASSERT_TRUE(liste.Schreiben(Buchung("Cem", "AT611904300234573201", 7.25f), 3));
  }
  std::vector<std::string> Namen() const {
    std::vector<std::string> n;
    for (int i = 1; i <= liste.Anzahl(); ++i) n.push_back(liste.Lesen(i).Name);
    return n;
  }
  std::string datei = dir / "lauf.slv";
  TSepa liste;
};

TEST_F(Buchungsliste, NeuSchreibenLesen) {
  ASSERT_TRUE(liste.Anlegen(datei));
  EXPECT_EQ(test::Lies(datei).size(), kSepaSatzgroesse);
  const TSepaKopf kopf = liste.Kopf();
  EXPECT_EQ(kopf.Kennung, "SEPA-LASTSCHRIFTEN");
  EXPECT_NEAR(kopf.Datum, Jetzt() + 3, 0.01);
  EXPECT_EQ(liste.Anzahl(), 0);

  TSepaBuchung b = Buchung("Jürgen Müller-Lüdenscheidt", "DE89370400440532013000", 1234.56f);
  b.Verwendungszweck = "Beitrag 2027\r\nAbteilung Tennis";
  b.Sequenz = 2;
  ASSERT_TRUE(liste.Schreiben(b, 1));
  // Too long for the file: cut to the field's capacity there.
  TSepaBuchung lang = Buchung(std::string(40, 'x'), "DE89370400440532013000", 1);
  lang.Verwendungszweck = std::string(150, 'v');
  ASSERT_TRUE(liste.Schreiben(lang, 2));
  EXPECT_FALSE(liste.Schreiben(b, 4)) << "only the place after the last";
  TSepaKopf k = kopf;
  k.Kontoschluessel = "HAUPT";
  k.Sequenz = 1;
  k.Beschreibung = "Beitragslauf 2027";
  ASSERT_TRUE(liste.SchreibeKopf(k));

  // Every change is on disk already: a second reader sees it all.
  const Bytes inhalt = test::Lies(datei);
  ASSERT_EQ(inhalt.size(), 3 * kSepaSatzgroesse);
  EXPECT_EQ(inhalt[kSepaSatzgroesse], 26) << "length byte of the name";
  EXPECT_EQ(inhalt[kSepaSatzgroesse + 1 + 1], 0xFC) << "ü in Windows-1252";
  TSepa zweite;
  ASSERT_TRUE(zweite.Oeffnen(datei));
  EXPECT_EQ(zweite.Kopf(), k);
  EXPECT_EQ(zweite.Lesen(1), b);
  EXPECT_EQ(zweite.Lesen(2).Name, std::string(35, 'x'));
  EXPECT_EQ(zweite.Lesen(2).Verwendungszweck, std::string(140, 'v'));
  EXPECT_EQ(zweite.Gesamtbetrag(), 123556);
  EXPECT_EQ(zweite.Lesen(3), TSepaBuchung{}) << "outside the list";
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Buchungsliste, LoeschenSuchenSpeichernUnter) {
  Drei();
  ASSERT_TRUE(liste.Loeschen(1));
  ASSERT_TRUE(liste.Loeschen(2));
  EXPECT_FALSE(liste.Loeschen(2));
  EXPECT_EQ(Namen(), std::vector<std::string>{"Adam"});
  EXPECT_EQ(test::Lies(datei).size(), 2 * kSepaSatzgroesse);

  Drei();
  // Every word in name or IBAN, in any case; from the start given on.
  EXPECT_EQ(liste.Suchen("cem at61", 1), 3);
  EXPECT_EQ(liste.Suchen("DE", 1), 1);
  EXPECT_EQ(liste.Suchen("DE", 2), 2);
  EXPECT_EQ(liste.Suchen("DE", 3), 0);
  EXPECT_EQ(liste.Suchen("adam berg", 1), 0);
  EXPECT_EQ(liste.Suchen("", 2), 2);

  const std::string kopie = dir / "kopie.slv";
  EXPECT_FALSE(liste.SpeichernUnter(datei));
  ASSERT_TRUE(liste.SpeichernUnter(kopie));
  EXPECT_EQ(liste.Dateiname(), kopie);
  EXPECT_EQ(test::Lies(kopie), test::Lies(datei));
  ASSERT_TRUE(liste.Anhaengen());
  EXPECT_EQ(test::Lies(kopie).size(), 5 * kSepaSatzgroesse);
  EXPECT_EQ(test::Lies(datei).size(), 4 * kSepaSatzgroesse);

  liste.SchliessenUndLoeschen();
  EXPECT_FALSE(std::filesystem::exists(kopie));
  EXPECT_FALSE(liste.Offen());
}

TEST_F(Buchungsliste, Sortieren) {
  Drei();
  const struct {
    int schluessel;
    std::vector<std::string> namen;
  } faelle[] = {
      {1, {"Adam", "Berg", "Cem"}},
      // The IBAN without country and check digits: 1203... < 1904... < 3704...
      {5, {"Berg", "Cem", "Adam"}},
      {6, {"Cem", "Adam", "Berg"}},
  };
  for (const auto& f : faelle) {
    ASSERT_TRUE(liste.Sortieren(f.schluessel));
    EXPECT_EQ(Namen(), f.namen) << f.schluessel;
    TSepa zweite;
    ASSERT_TRUE(zweite.Oeffnen(datei));
    EXPECT_EQ(zweite.Lesen(1).Name, f.namen[0]);
  }
  EXPECT_FALSE(liste.Sortieren(7));

  // Cancelled in the wait window: the list stays as it was, in memory and on disk.
  const Bytes vorher = test::Lies(datei);
  ui.AbbrechenBeiText = "Sortiere";
  ui.Antworten.push_back(Antwort::Ja);
  Warten().ZeigeStatus("Sortiere");
  EXPECT_FALSE(liste.Sortieren(1));
  Warten().Schliessen();
  EXPECT_EQ(Namen(), faelle[2].namen);
  EXPECT_EQ(test::Lies(datei), vorher);
}

TEST_F(Buchungsliste, BeschaedigteOderFehlendeDatei) {
  const std::string kaputt = dir / "kaputt.slv";
  Bytes falsch(2 * kSepaSatzgroesse, 0);
  falsch[0] = 18;
  std::copy_n("SEPA-LASTSCHRIFTEM", 18, falsch.begin() + 1);
  const struct {
    const char* was;
    Bytes inhalt;
  } faelle[] = {
      {"leer", {}},
      {"zu kurz", Bytes(kSepaSatzgroesse - 1, 18)},
      {"andere Kennung", falsch},
      {"Text", Bytes{'H', 'a', 'l', 'l', 'o'}},
  };
  for (const auto& f : faelle) {
    test::Schreibe(kaputt, f.inhalt);
    ui.Leeren();
    EXPECT_FALSE(liste.Oeffnen(kaputt)) << f.was;
    EXPECT_FALSE(liste.Offen());
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Die Datei beinhaltet keine gültigen SEPA-Lastschriften."}) << f.was;
    EXPECT_EQ(test::Lies(kaputt), f.inhalt) << "opening never changes the file";
  }
  ui.Leeren();
  EXPECT_FALSE(liste.Oeffnen(dir / "fehlt.slv"));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Die Datei \"" + (dir / "fehlt.slv") + "\" existiert nicht."});
  EXPECT_FALSE(std::filesystem::exists(dir / "fehlt.slv"));

  // Half a record after the last whole one is no booking, and stays on disk
  // until the list next changes.
  Drei();
  liste.Schliessen();
  Bytes inhalt = test::Lies(datei);
  inhalt.resize(inhalt.size() + 100, 'x');
  test::Schreibe(datei, inhalt);
  ASSERT_TRUE(liste.Oeffnen(datei));
  EXPECT_EQ(liste.Anzahl(), 3);
  EXPECT_EQ(test::Lies(datei), inhalt);
}

// A header cut short after the identifier still makes a list; bookings
// beyond the 65534 a list addresses stay in the file through every change.
TEST_F(Buchungsliste, KurzerKopfUndUeberzaehligeBuchungen) {
  const std::string kopf = "\x12" + std::string(kSepaKennung);
  const Bytes kurz(kopf.begin(), kopf.end());
  test::Schreibe(datei, kurz);
  ASSERT_TRUE(liste.Oeffnen(datei));
  EXPECT_EQ(liste.Anzahl(), 0);
  EXPECT_EQ(liste.Kopf().Kennung, "SEPA-LASTSCHRIFTEN");
  EXPECT_EQ(test::Lies(datei), kurz);

  const int gesamt = kSepaHoechstzahl + 2;
  ASSERT_TRUE(liste.Anlegen(datei));
  {
    TSepa::Stapel stapel(liste);
    for (int i = 1; i <= kSepaHoechstzahl; ++i) ASSERT_TRUE(liste.Schreiben(Buchung(std::to_string(i), "", 1), i));
  }
  liste.Schliessen();
  // Two more records, as another program may have written them.
  Bytes inhalt = test::Lies(datei);
  for (int i = kSepaHoechstzahl + 1; i <= gesamt; ++i) {
    const Bytes satz(inhalt.end() - static_cast<long>(kSepaSatzgroesse), inhalt.end());
    inhalt.insert(inhalt.end(), satz.begin(), satz.end());
    inhalt[inhalt.size() - kSepaSatzgroesse + 1] = 'X';
  }
  test::Schreibe(datei, inhalt);
  ASSERT_TRUE(liste.Oeffnen(datei));
  EXPECT_EQ(liste.Anzahl(), kSepaHoechstzahl);
  ui.Leeren();
  EXPECT_FALSE(liste.Anhaengen());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Die Liste ist voll: sie kann höchstens 65534 Buchungen aufnehmen."});
  EXPECT_EQ(test::Lies(datei), inhalt);
  ASSERT_TRUE(liste.Sortieren(6));
  EXPECT_EQ(test::Lies(datei).size(), inhalt.size());
  ASSERT_TRUE(liste.Loeschen(1));
  const Bytes danach = test::Lies(datei);
  ASSERT_EQ(danach.size(), inhalt.size() - kSepaSatzgroesse);
  EXPECT_TRUE(std::equal(danach.end() - 2 * static_cast<long>(kSepaSatzgroesse), danach.end(),
                         inhalt.end() - 2 * static_cast<long>(kSepaSatzgroesse)))
      << "the records beyond move forward, unchanged";
}

// Amounts and dates of a damaged list never reach the bank file as numbers
// they are not.
TEST(BuchungslisteWerte, BetragInCent) {
  const struct {
    float betrag;
    std::optional<std::int64_t> cent;
  } faelle[] = {
      {1234.56f, 123456},
      {-7.25f, -725},
      {1e9f, 100000000000},
      {std::nanf(""), std::nullopt},
      {INFINITY, std::nullopt},
      {-INFINITY, std::nullopt},
      {4.6e16f, std::nullopt},
      {3.4e38f, std::nullopt},
  };
  for (const auto& f : faelle) EXPECT_EQ(BetragInCent(f.betrag), f.cent) << f.betrag;
  for (double zeit : {std::nan(""), 1e300, -1e300, 3e6, -7e5}) EXPECT_EQ(GueltigeZeit(zeit), 0) << zeit;
  for (double zeit : {0.0, 36526.5, 2958465.9, -693593.0}) EXPECT_EQ(GueltigeZeit(zeit), zeit);
}

TEST_F(Buchungsliste, SchreibfehlerVerliertNichts) {
  const std::string ordner = dir / "weg";
  std::filesystem::create_directory(ordner);
  datei = ordner + "/lauf.slv";
  Drei();
  std::filesystem::remove_all(ordner);
  ui.Leeren();
  EXPECT_FALSE(liste.Schreiben(Buchung("Dora", "DE89370400440532013000", 1), 4));
  EXPECT_FALSE(liste.Loeschen(1));
  EXPECT_FALSE(liste.Sortieren(1));
  EXPECT_EQ(Namen(), (std::vector<std::string>{"Berg", "Adam", "Cem"}));
  ASSERT_FALSE(ui.Texte().empty());
  EXPECT_EQ(ui.Texte()[0], SchreibfehlerText(datei));
  EXPECT_EQ(ui.Texte()[0].rfind("Fehler beim Schreiben von " + datei + "!", 0), 0u);

  // A batch that cannot be written leaves the list as before the batch.
  {
    TSepa::Stapel stapel(liste);
    EXPECT_TRUE(liste.Anhaengen());
    EXPECT_TRUE(liste.Loeschen(1));
    EXPECT_EQ(liste.Anzahl(), 3);
    EXPECT_FALSE(stapel.Ende());
  }
  EXPECT_EQ(Namen(), (std::vector<std::string>{"Berg", "Adam", "Cem"}));

  // With the directory back, a batch is written once, at its end.
  std::filesystem::create_directory(ordner);
  {
    TSepa::Stapel stapel(liste);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(liste.Anhaengen());
    EXPECT_FALSE(std::filesystem::exists(datei));
  }
  EXPECT_EQ(test::Lies(datei).size(), 9 * kSepaSatzgroesse);
}

TEST_F(Buchungsliste, MitgliedAnhaengen) {
  ASSERT_TRUE(liste.Anlegen(datei));
  auto verein = TZAQ::CreateNeu(false, true);
  TMitglied m(verein.get(), 42);
  m.FVorname = " Xaver";
  EXPECT_FALSE(liste.MitgliedAnhaengen(m)) << "no account";
  auto& k = m.KontoAnlegen();
  k.FInhaber = "Xaver Huber";
  k.FIBAN = "DE89370400440532013000";
  ASSERT_TRUE(liste.MitgliedAnhaengen(m));
  const TSepaBuchung b = liste.Lesen(1);
  EXPECT_EQ(b.Name, "Xaver Huber");
  EXPECT_EQ(b.IBAN, "DE89370400440532013000");
  EXPECT_EQ(b.Mandatsdatum, Heute());
  // Member number, first letter of the first name, the moment.
  EXPECT_EQ(b.Mandatsreferenz.substr(0, m.MitgliedsnummerText().size() + 1), m.MitgliedsnummerText() + "X");
  EXPECT_EQ(b.Mandatsreferenz.size(), m.MitgliedsnummerText().size() + 1 + 13);
  EXPECT_EQ(b.Mandatsreferenz[m.MitgliedsnummerText().size() + 7], '-');
}

TEST(BuchungslisteZeichen, ErlaubtUndAkzente) {
  const struct {
    const char* text;
    bool gueltig;
  } faelle[] = {
      {"Müller & Söhne, Straße 1/2 (Hof) 10% $ *", true},
      {"a:b?c.d+e-f'g", true},
      {"ÄÖÜäöüß", true},
      {"", true},
      {"Zoë", false},
      {"René", false},
      {"a_b", false},
      {"a@b", false},
      {"x\r\ny", false},
      {"€", false},
  };
  for (const auto& f : faelle) EXPECT_EQ(TSepa::ZeichenGueltig(f.text), f.gueltig) << f.text;
  EXPECT_EQ(TSepa::AkzenteEntfernen("René Côté à Ù Ýves"), "Rene Cote a U Yves");
  EXPECT_EQ(TSepa::AkzenteEntfernen("Zoë Müller"), "Zoë Müller");
  EXPECT_TRUE(TSepa::ZeichenGueltig(TSepa::AkzenteEntfernen("René")));
}

}  // namespace
}  // namespace zaq
