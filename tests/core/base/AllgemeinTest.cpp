// Date arithmetic, text fields, encodings and bank texts.
#include <gtest/gtest.h>

#include "bank/Banktexte.h"
#include "base/Datum.h"
#include "base/Hex.h"
#include "base/Text.h"
#include "fees/Platzhalter.h"

namespace zaq {
namespace {

Tag D(const char* text) { return TextZuDatum(text).value(); }

TEST(Datum, TagesnummernUndTexte) {
  EXPECT_EQ(KodiereDatum(2000, 1, 1), 36526);
  EXPECT_EQ(KodiereDatum(1899, 12, 30), 0);
  EXPECT_EQ(DatumText(36525), "31.12.1999");
  EXPECT_EQ(DatumText(0), "30.12.1899");
  EXPECT_EQ(DatumText(0, true), "");
  EXPECT_EQ(DatumZeitText(43536 + 0.5 + 61.0 / 86400), "12.03.2019, 12:01:01");
  for (const char* kein : {"", "1.13.2000", "29.02.2001", "1.1", "a.b.c", "01.01.2000x", "1..2000"})
    EXPECT_FALSE(IstDatum(kein)) << kein;
  EXPECT_EQ(D("29.02.2000"), KodiereDatum(2000, 2, 29));
  EXPECT_EQ(D(" 1.3.2001 "), KodiereDatum(2001, 3, 1));
}

TEST(Datum, VolleJahreMonateTage) {
  const struct {
    const char *von, *bis;
    int jahre, monate;
  } faelle[] = {
      {"29.02.2000", "28.02.2001", 0, 11},
      {"29.02.2000", "01.03.2001", 1, 12},
      {"31.01.2019", "28.02.2019", 0, 0},
      {"15.01.2019", "15.02.2019", 0, 1},
      {"10.03.1950", "09.03.2019", 68, 827},
      {"10.03.1950", "10.03.2019", 69, 828},
      {"01.01.2020", "01.01.2019", 0, -1},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(VolleJahre(D(f.von), D(f.bis)), f.jahre) << f.von << " " << f.bis;
    EXPECT_EQ(Monate(D(f.von), D(f.bis)), f.monate) << f.von << " " << f.bis;
  }
  EXPECT_EQ(TageOhneSchalttag(D("01.02.2000"), D("01.03.2000")), 28);
  EXPECT_EQ(TageOhneSchalttag(D("01.01.2019"), D("01.01.2020")), 365);
  EXPECT_EQ(TageOhneSchalttag(D("01.03.2020"), D("01.03.2020")), 0);
}

TEST(Datum, PlusJahreUndZeitstempel) {
  EXPECT_EQ(DatumText(PlusJahre(D("29.02.2000"), 1)), "01.03.2001");
  EXPECT_EQ(DatumText(PlusJahre(D("29.02.2000"), -1)), "28.02.1999");
  EXPECT_EQ(DatumText(PlusJahre(D("29.02.2000"), 4)), "29.02.2004");
  EXPECT_EQ(ZeitstempelZahl(43536 + (13 * 3600 + 14 * 60 + 15) / 86400.0), 43536131415);
  EXPECT_EQ(DatumZeitText(ZahlZuZeitstempel(43536259900)), "12.03.2019, 00:00:00");
  EXPECT_EQ(DatumZeitText(ZahlZuZeitstempel(43536131415)), "12.03.2019, 13:14:15");
}

TEST(Text, FelderUndFuellen) {
  EXPECT_EQ(Feld("A;B;C", ";", 1), "A");
  EXPECT_EQ(Feld("A;B;C", ";", 3), "C");
  EXPECT_EQ(Feld("A;B;C", ";", 4), "");
  EXPECT_EQ(Feld("ABC", ";", 1), "ABC");
  EXPECT_EQ(FeldAnzahl("A;B;C", ";"), 3);
  EXPECT_EQ(FeldZahl("1;x;-7", ";", 3), -7);
  EXPECT_EQ(FeldZahl("1;x;-7", ";", 2), 0);
  EXPECT_EQ(LinksAuffuellen("ab", 4), "  ab");
  EXPECT_EQ(LinksAuffuellen("abcdef", 4), "abcd");
  EXPECT_EQ(NullenAuffuellen("7", 3), "007");
  EXPECT_EQ(NullenAuffuellen("1234", 3), "1234");
  EXPECT_EQ(AnhaengenMitTrenner("  ", "x", ", "), "x");
  EXPECT_EQ(AnhaengenMitTrenner(" a ", "x", ", "), "a, x");
  EXPECT_EQ(Einfach("a  b   c", ' '), "a b c");
  EXPECT_TRUE(IstZahltext("12,50"));
  EXPECT_FALSE(NurZiffern(""));
  EXPECT_EQ(Gross("Müller-ßtraße"), "MÜLLER-ßTRAßE");
}

TEST(Text, WorteEnthalten) {
  EXPECT_TRUE(WorteEnthalten("MÜL HANS", "MÜLLER, HANS"));
  EXPECT_FALSE(WorteEnthalten("MÜL  HANS", "MÜLLER, HANS"));
  EXPECT_FALSE(WorteEnthalten(" HANS", "MÜLLER, HANS"));
  EXPECT_TRUE(WorteEnthalten("", "x"));
}

TEST(Kodierung, HexUndVerschleiern) {
  EXPECT_EQ(HexText("\x01\xAB"), "01AB");
  EXPECT_EQ(TextAusHex("01ab5"), "\x01\xAB");
  EXPECT_EQ(Verschleiere("abc", 1), std::string("\x65\x67\x65"));
  for (std::string s : {std::string("Geheim 123"), std::string(255, '\xFF'), std::string()})
    EXPECT_EQ(Entschleiere(Verschleiere(s, 4711), 4711), s);
  EXPECT_EQ(MD5Text(""), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(Zeichensumme("\xFF\xFF\x02"), 0x200);
}

TEST(Bank, Texte) {
  EXPECT_EQ(BLZText("37040044"), "370 400 44");
  EXPECT_EQ(BLZText("00000000"), "");
  EXPECT_EQ(BLZText("3704"), "3704");
  EXPECT_EQ(KontoText("0001234567"), "1 234 567");
  EXPECT_EQ(KontoText("0001234567", true), "0 001 234 567");
  EXPECT_EQ(KontoText("0000000000"), "");
  EXPECT_EQ(KontoText("12345"), "12345");
  EXPECT_EQ(IBANText("DE89370400440532013000"), "DE89 3704 0044 0532 0130 00");
}

TEST(Platzhalter, ZeitraumImZweckText) {
  const struct {
    const char *text, *von, *bis, *ergebnis;
  } faelle[] = {
      {"Beitrag %Jahre%", "01.01.2015", "31.12.2016", "Beitrag 2015+16"},
      {"Beitrag %jahre%", "01.01.2015", "31.12.2015", "Beitrag 2015"},
      {"Beitrag %Jahre%", "01.01.2015", "31.12.2018", "Beitrag 2015-18"},
      {"%DatVon8% bis %DatBis6% (%JahrVon2%/%JahrBis4%) %DatVon4%", "05.03.2015", "31.12.2016",
       "05.03.2015 bis 31.12.16 (15/2016) 03/15"},
      {"%Jahre% und %Jahre%", "01.01.2015", "31.12.2015", "2015 und %Jahre%"},
  };
  for (const auto& f : faelle) EXPECT_EQ(ErsetzePlatzhalter(f.text, D(f.von), D(f.bis)), f.ergebnis) << f.text;
}

}  // namespace
}  // namespace zaq
