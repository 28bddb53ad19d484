// The SEPA character set, the checks of IBAN, BIC and creditor identifier,
// the text forms of the XML file, the earliest collection date.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "debits/sepa/SEPACommon.h"

namespace zaq::sepa {
namespace {

Tag D(const char* text) { return TextZuDatum(text).value(); }

class Zeichensatz : public ::testing::Test {
 protected:
  ~Zeichensatz() override { SetExtendedCharsAllowed(false); }
};

TEST_F(Zeichensatz, ErsetzenUndBehalten) {
  const struct {
    const char* text;
    bool erweitert;
    const char* ergebnis;
  } faelle[] = {
      {"Müller & Söhne", false, "Muller + Sohne"},
      {"Müller & Söhne", true, "Müller & Söhne"},
      {"Straße", false, "Strase"},
      {"Straße", true, "Straße"},
      {"a_b@c\nd", false, "a b c d"},
      {"100 $ 5 % 3*", false, "100 . 5 . 3."},
      {"Çağla Ñoño € „x“", true, " a la  o o    x "},
      {"(0815) +49 1/2-3:4?5.6,'7'", false, "(0815) +49 1/2-3:4?5.6,'7'"},
  };
  for (const auto& f : faelle) {
    SetExtendedCharsAllowed(f.erweitert);
    EXPECT_EQ(ConvertToSepaCharset(f.text), f.ergebnis) << f.text;
  }
  SetExtendedCharsAllowed(false);
  const std::string t141(141, 'x');
  EXPECT_FALSE(IsSepaText(t141, 140));
  EXPECT_EQ(ConvertToSepaCharset(t141, 140), std::string(140, 'x'));
  EXPECT_TRUE(IsSepaText("", 35));
  EXPECT_FALSE(IsSepaText("Müller", 70));
  SetExtendedCharsAllowed(true);
  EXPECT_TRUE(IsSepaText("Müller", 70));
  // Length counts characters, not bytes.
  EXPECT_TRUE(IsSepaText(std::string(69, 'x') + "ü", 70));
}

TEST(SepaPruefungen, IbanBicGlaeubigerId) {
  EXPECT_TRUE(IsValidIban("de89 3704 0044 0532 0130 00"));
  EXPECT_FALSE(IsValidIban("DE89 3704 0044 0532 0130 01"));
  EXPECT_FALSE(IsValidIban("DE89-3704"));
  EXPECT_FALSE(IsValidIban(""));
  EXPECT_FALSE(IsValidIban(std::string(35, '1')));
  EXPECT_TRUE(IsValidIban("AT611904300234573201"));
  EXPECT_TRUE(IsGermanIban(" de89"));
  EXPECT_FALSE(IsGermanIban("AT61"));
  for (const char* bic : {"COBADEFF", "COBADEFFXXX", "cobadeff"}) EXPECT_TRUE(IsValidBic(bic)) << bic;
  for (const char* bic : {"COBADEFFX", "COBADEFFXX", "COBA-EFF", ""}) EXPECT_FALSE(IsValidBic(bic)) << bic;
  EXPECT_TRUE(IsValidCreditorId("DE98ZZZ09999999999"));
  EXPECT_TRUE(IsValidCreditorId("DE98ABC09999999999"));  // the business code does not count
  EXPECT_FALSE(IsValidCreditorId("DE00ZZZ00099999999"));
  EXPECT_EQ(NormalizeId(" de 89\t"), "DE89");
  // Too short to hold a check: "1" leaves remainder 1 and once passed.
  for (const std::string& id : std::vector<std::string>{"1", "", "DE9", std::string(36, '1')})
    EXPECT_FALSE(IsValidCreditorId(id)) << id;
  EXPECT_TRUE(IsGermanIban("DE-89"));
  EXPECT_FALSE(IsGermanIban("D-E89"));
  EXPECT_FALSE(IsGermanIban("D"));
}

// The checks work on the characters as NormalizeId leaves them, without
// building any text; they must agree with the digit string they stand for.
TEST(SepaPruefungen, IbanWieUeberZiffernfolge) {
  auto nachZiffern = [](std::string_view text, std::size_t weg, std::size_t hoechstens) {
    const std::string id = NormalizeId(text);
    if (id.size() > hoechstens || id.size() < 4) return false;
    auto ziffern = LettersToDigits((id.size() > weg ? id.substr(weg) : std::string()) + id.substr(0, 4));
    auto rest = ziffern ? Modulo97(*ziffern) : std::nullopt;
    return rest && *rest == 1;
  };
  std::mt19937 zufall(7);
  const std::string zeichen = "DEATNL0123456789abcz -\t\x01";
  const std::string gueltig[] = {"DE89370400440532013000", "DE98ZZZ09999999999", "AT611904300234573201"};
  int treffer = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string t = gueltig[i % 3];
    for (int k = static_cast<int>(zufall() % 3); k > 0; --k) {
      const std::size_t p = zufall() % (t.size() + 1);
      if (zufall() % 2 && p < t.size()) t[p] = zeichen[zufall() % zeichen.size()];
      else t.insert(p, 1, zeichen[zufall() % zeichen.size()]);
    }
    if (zufall() % 8 == 0) t.resize(zufall() % 6);
    treffer += IsValidIban(t);
    ASSERT_EQ(IsValidIban(t), nachZiffern(t, 4, 34)) << t;
    ASSERT_EQ(IsValidCreditorId(t), nachZiffern(t, 7, 35)) << t;
  }
  EXPECT_GT(treffer, 100);
}

TEST(SepaTexte, BetraegeDatenWahrheitswerte) {
  EXPECT_EQ(AmountToText(Currency{12345000}, 2), "1234.50");
  EXPECT_EQ(AmountToText(Currency{50}, 4), "0.0050");
  EXPECT_EQ(AmountToText(Currency::FromCents(1250), 2), "12.50");
  EXPECT_EQ(AmountToText(Currency{0}, 2), "0.00");
  EXPECT_EQ(AmountToText(Currency::FromCents(-7), 2), "-0.07");
  EXPECT_EQ(BoolToText(true), "true");
  EXPECT_EQ(DateToText(D("05.03.2026") + 0.75), "2026-03-05");
  EXPECT_EQ(DateTimeToText(D("05.03.2026") + 0.5 + 1.5 / 86400), "2026-03-05T12:00:01.500Z");
}

TEST(SepaTermine, FruehesterEinzug) {
  const Tag freitag = D("04.12.2026");
  EXPECT_EQ(EarliestCollectionDate("CORE", "OOFF", "pain.008.003.02", freitag), D("11.12.2026"));
  EXPECT_EQ(EarliestCollectionDate("CORE", "RCUR", "pain.008.003.02", freitag), D("08.12.2026"));
  EXPECT_EQ(EarliestCollectionDate("CORE", "RCUR", "pain.008.001.02", freitag), D("07.12.2026"));
  EXPECT_EQ(EarliestCollectionDate("CORE", "FRST", "pain.008.001.08", freitag), D("07.12.2026"));
  EXPECT_EQ(EarliestCollectionDate("B2B", "OOFF", "pain.008.003.02", D("07.12.2026")), D("08.12.2026"));
}

TEST(SepaKennungen, ImmerNeuUndHexadezimal) {
  std::set<std::string> gesehen;
  for (int i = 0; i < 1000; ++i) {
    const std::string id = NewMessageId();
    ASSERT_EQ(id.size(), 32u);
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_TRUE(gesehen.insert(id).second);
  }
}

}  // namespace
}  // namespace zaq::sepa
