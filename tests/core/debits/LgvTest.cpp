// The older debit and credit lists: opening with its checks, records as the
// file holds them, exact sums, sorting that ends for equal bookings, saving
// under another name, and a write failure that keeps the list as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "Hilfen.h"
#include "debits/lgv/Lgv.h"
#include "platform/Kodierung.h"

namespace zaq {
namespace {

using test::Lies;
using test::Schreibe;

// A short string at pos: length byte, then the text in Windows-1252.
void Kurz(plattform::Bytes& s, std::size_t pos, std::string_view utf8, int laenge = -1) {
  const std::string cp = Utf8ZuCp1252(utf8);
  s[pos] = static_cast<std::uint8_t>(laenge < 0 ? cp.size() : static_cast<std::size_t>(laenge));
  std::memcpy(s.data() + pos + 1, cp.data(), cp.size());
}

plattform::Bytes Kopfsatz(std::string_view schluessel) {
  plattform::Bytes s(kLgvSatzgroesse, 0);
  Kurz(s, 0, schluessel);
  Kurz(s, 28, "60450050");
  Kurz(s, 37, "0001234569");
  Kurz(s, 52, "0000000042");
  Kurz(s, 80, "TSV Musterstadt");
  Kurz(s, 108, "Kreissparkasse");
  Kurz(s, 388, "Beiträge");
  Kurz(s, 416, " 2014");
  return s;
}

plattform::Bytes Buchungssatz(std::string_view name, std::string_view blz, std::string_view konto, float betrag,
                              std::string_view zweck1 = "", std::string_view zweck2 = "") {
  plattform::Bytes s(kLgvSatzgroesse, 0);
  Kurz(s, 0, name);
  Kurz(s, 28, blz);
  Kurz(s, 37, konto);
  std::memcpy(s.data() + 48, &betrag, 4);
  Kurz(s, 52, zweck1);
  Kurz(s, 80, zweck2);
  return s;
}

plattform::Bytes Liste(std::string_view schluessel, const std::vector<plattform::Bytes>& buchungen) {
  plattform::Bytes d = Kopfsatz(schluessel);
  for (const auto& b : buchungen) d.insert(d.end(), b.begin(), b.end());
  return d;
}

class Lgv : public test::MitOberflaeche {};

TEST_F(Lgv, OeffnenPrueftDenTextschluessel) {
  struct Fall {
    std::string schluessel;
    int art;
  };
  for (const Fall& f : {Fall{"05 000 LASTSCHRIFTEN", 1}, Fall{"51 000 GUTSCHRIFTEN", 2},
                        Fall{"05 000 LASTSCHRIFTEN ", 0}, Fall{"SEPA-LASTSCHRIFTEN", 0}, Fall{"", 0}}) {
    SCOPED_TRACE(f.schluessel);
    ui.Leeren();
    const std::string datei = dir / "liste.lsv";
    Schreibe(datei, Kopfsatz(f.schluessel));
    TLGV l;
    EXPECT_EQ(l.Oeffnen(datei), f.art != 0);
    EXPECT_EQ(l.Art(), f.art);
    if (f.art) {
      EXPECT_EQ(l.Anzahl(), 0);
      EXPECT_TRUE(ui.Texte().empty());
    } else {
      EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Die Datei hat einen ungültigen Textschlüssel."});
    }
  }
  ui.Leeren();
  TLGV l;
  EXPECT_FALSE(l.Oeffnen(dir / "fehlt.lsv"));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Die Datei \"" + (dir / "fehlt.lsv") + "\" existiert nicht."});
}

TEST_F(Lgv, SaetzeUndKopfWieInDerDatei) {
  const std::string datei = dir / "liste.lsv";
  auto b1 = Buchungssatz("Müller, Eva", "62250030", "0538114004", 48.0f, "Beitrag 2014 €", "Zeile 2");
  // A length byte beyond the field reads no further than the field.
  auto b2 = Buchungssatz("Abel", "12AB5678", "0000000017", 0.1f);
  b2[0] = 200;
  Schreibe(datei, Liste(kLgvLastschriften, {b1, b2}));
  TLGV l;
  ASSERT_TRUE(l.Oeffnen(datei));
  const TLGVKopf k = l.Kopf();
  EXPECT_EQ(k.Textschluessel, kLgvLastschriften);
  EXPECT_EQ(k.Referenznummer, "0000000042");
  EXPECT_EQ(k.Beschreibung1 + k.Beschreibung2, "Beiträge 2014");
  ASSERT_EQ(l.Anzahl(), 2);
  const TLGVBuchung a = l.Lesen(1);
  EXPECT_EQ(a.Kontoinhaber, "Müller, Eva");
  EXPECT_EQ(a.Zweck[0], "Beitrag 2014 €");
  EXPECT_EQ(a.Zweck[1], "Zeile 2");
  EXPECT_EQ(l.Lesen(2).Kontoinhaber.size(), 27u);
  EXPECT_EQ(l.Lesen(2).Kontoinhaber.substr(0, 4), "Abel");
  // A bank code that is not a number adds nothing; the amounts are exact cents.
  const TKontrollsummen s = l.Kontrollsummen();
  EXPECT_EQ(s.Anzahl, 2);
  EXPECT_EQ(s.SummeBLZ, 62250030);
  EXPECT_EQ(s.SummeKontonummern, 538114004 + 17);
  EXPECT_EQ(s.SummeCent, 4810);
  // Writing a booking back gives the same bytes.
  const auto vorher = Lies(datei);
  ASSERT_TRUE(l.Schreiben(l.Lesen(1), 1));
  EXPECT_EQ(Lies(datei), vorher);
  // The header keeps what lies in its unused places.
  ASSERT_TRUE(l.SchreibeKopf(l.Kopf()));
  EXPECT_EQ(Lies(datei), vorher);
}

TEST_F(Lgv, SummeExaktInCent) {
  // 3,000 bookings of 12.34: a float sum drifts by euros, the cents do not.
  std::vector<plattform::Bytes> buchungen(3000, Buchungssatz("A", "60450050", "1", 12.34f));
  const std::string datei = dir / "viele.lsv";
  Schreibe(datei, Liste(kLgvLastschriften, buchungen));
  TLGV l;
  ASSERT_TRUE(l.Oeffnen(datei));
  const TKontrollsummen s = l.Kontrollsummen();
  EXPECT_EQ(s.SummeCent, 3000 * 1234);
  EXPECT_EQ(s.SummeBLZ, 3000LL * 60450050);
  float summe = 0;
  for (int i = 0; i < 3000; ++i) summe += 12.34f;
  EXPECT_NE(static_cast<std::int64_t>(summe * 100 + 0.5), 3000 * 1234);
}

TEST_F(Lgv, SortierenEndetUndIstStabil) {
  const std::string datei = dir / "sort.lsv";
  Schreibe(datei, Liste(kLgvGutschriften, {Buchungssatz("Zander", "2", "1", 5.0f, "B", "2"),
                                          Buchungssatz("abel", "1", "9", 7.0f, "A", "3"),
                                          Buchungssatz("Abel", "1", "2", 5.0f, "B", "1"),
                                          Buchungssatz("Zander", "2", "1", 5.0f, "A", "9")}));
  TLGV l;
  ASSERT_TRUE(l.Oeffnen(datei));
  auto namen = [&] {
    std::string s;
    for (int i = 1; i <= l.Anzahl(); ++i) {
      const TLGVBuchung b = l.Lesen(i);
      s += b.Kontoinhaber + "/" + b.Zweck[0] + b.Zweck[1] + " ";
    }
    return s;
  };
  ASSERT_TRUE(l.Sortieren(2));
  EXPECT_EQ(namen(), "abel/A3 Zander/A9 Abel/B1 Zander/B2 ");
  ASSERT_TRUE(l.Sortieren(3));
  EXPECT_EQ(namen(), "Abel/B1 abel/A3 Zander/A9 Zander/B2 ");
  ASSERT_TRUE(l.Sortieren(4));
  EXPECT_EQ(namen(), "Abel/B1 Zander/A9 Zander/B2 abel/A3 ");
  // The file holds the sorted list.
  TLGV wieder;
  ASSERT_TRUE(wieder.Oeffnen(datei));
  EXPECT_EQ(wieder.Lesen(4).Kontoinhaber, "abel");
  // Many equal bookings, and a NaN amount, sort and keep every booking.
  std::vector<plattform::Bytes> gleich(2000, Buchungssatz("Gleich", "1", "1", 1.0f));
  gleich[7] = Buchungssatz("Gleich", "1", "1", std::numeric_limits<float>::quiet_NaN());
  Schreibe(datei, Liste(kLgvLastschriften, gleich));
  ASSERT_TRUE(l.Oeffnen(datei));
  for (int k = 1; k <= 4; ++k) {
    ASSERT_TRUE(l.Sortieren(k));
    EXPECT_EQ(l.Anzahl(), 2000);
  }
  EXPECT_TRUE(std::isnan(l.Lesen(2000).Betrag));
}

TEST_F(Lgv, SpeichernUnterLoeschenUndSchreibfehler) {
  const std::string datei = dir / "liste.lsv";
  Schreibe(datei, Liste(kLgvLastschriften, {Buchungssatz("A", "1", "1", 1.0f), Buchungssatz("B", "2", "2", 2.0f)}));
  const auto inhalt = Lies(datei);
  TLGV l;
  ASSERT_TRUE(l.Oeffnen(datei));
  EXPECT_FALSE(l.SpeichernUnter(dir / "LISTE.LSV"));
  ASSERT_TRUE(l.SpeichernUnter(dir / "kopie.lsv"));
  EXPECT_EQ(Lies(dir / "kopie.lsv"), inhalt);
  EXPECT_EQ(l.Dateiname(), dir / "kopie.lsv");
  ASSERT_TRUE(l.Loeschen(1));
  EXPECT_EQ(Lies(dir / "kopie.lsv").size(), 2 * kLgvSatzgroesse);
  EXPECT_EQ(Lies(datei), inhalt);
  EXPECT_EQ(l.Suchen("b 2", 1), 1);
  EXPECT_EQ(l.Suchen("x", 1), 0);
  // A list whose directory went away: the message, and the list as before.
  std::filesystem::create_directories(dir.Pfad() / "weg");
  ASSERT_TRUE(l.SpeichernUnter(dir / "weg/liste.lsv"));
  std::filesystem::remove_all(dir.Pfad() / "weg");
  ui.Leeren();
  EXPECT_FALSE(l.Anhaengen());
  EXPECT_EQ(l.Anzahl(), 1);
  ASSERT_EQ(ui.Texte().size(), 1u);
  EXPECT_TRUE(ui.Texte()[0].starts_with("Fehler beim Schreiben von "));
}

}  // namespace
}  // namespace zaq
