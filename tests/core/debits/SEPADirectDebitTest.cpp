// The pain.008 document: its own findings, what it writes, and that the
// official XSDs agree with both.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "debits/sepa/SEPADirectDebit.h"
#include "debits/sepa/SEPASchema.h"

namespace zaq::sepa {
namespace {

const std::string_view kSchemas[] = {kPain00800108, kPain00800102, kPain00800302};

std::string Liste(const Messages& m) {
  std::string text;
  for (const auto& s : m) text += s + "\n";
  return text;
}

bool Enthaelt(const Messages& m, const std::string& text) { return std::find(m.begin(), m.end(), text) != m.end(); }

// A document every schema takes: two debits, one IBAN-only, one with a BIC.
class Dokument : public ::testing::Test {
 protected:
  ~Dokument() override { SetExtendedCharsAllowed(false); }
  static TDirectDebitInitiation Gueltig(std::string_view schema) {
    TDirectDebitInitiation d;
    d.Schema = std::string(schema);
    d.SetGrpHdrInitgPtyName("TSV Musterstadt e.V.");
    auto& p = d.Append();
    p.PmtTpInfLclInstrmCd = "CORE";
    p.PmtTpInfSeqTp = "RCUR";
    p.ReqdColltnDt = Heute() + 10;
    p.SetCdtrNm("TSV Musterstadt e.V.");
    p.CdtrAcct.SetIBAN("DE89 3704 0044 0532 0130 00");
    p.CdtrAgt.SetOthrID("NOTPROVIDED");
    p.SetCdtrSchmeIdIdPrvtIdOthrId("DE98ZZZ09999999999");
    auto& a = p.Append();
    a.InstdAmt = Currency::FromCents(123456);
    a.SetDbtrNm("Anna Muster");
    a.DbtrAcct.SetIBAN("DE89370400440532013000");
    a.DbtrAgt.SetOthrID("NOTPROVIDED");
    a.SetRmtInfUstrd("Beitrag 2027");
    a.Mandate.MndtId = "M-0001";
    a.Mandate.DtOfSgntr = TextZuDatum("01.02.2014").value();
    auto& b = p.Append();
    b.PmtIdEndToEndId = "R 2027/1";
    b.InstdAmt = Currency::FromCents(5);
    b.SetDbtrNm("Jan de Vries");
    b.DbtrAcct.SetIBAN("NL91ABNA0417164300");
    b.DbtrAgt.SetBIC("ABNANL2A");
    b.SetRmtInfUstrd("Beitrag 2027");
    b.Mandate.MndtId = "M-0002";
    b.Mandate.DtOfSgntr = Heute();
    return d;
  }
};

TEST_F(Dokument, GueltigInJedemSchema) {
  for (std::string_view schema : kSchemas) {
    const TDirectDebitInitiation d = Gueltig(schema);
    EXPECT_EQ(Liste(d.Validate()), "") << schema;
    const std::string xml = d.Write();
    EXPECT_EQ(Liste(ValidateAgainstXsd(xml, schema)), "") << schema;
    EXPECT_NE(xml.find("<NbOfTxs>2</NbOfTxs>"), std::string::npos);
    EXPECT_NE(xml.find("<CtrlSum>1234.61</CtrlSum>"), std::string::npos);
  }
}

TEST_F(Dokument, FundeMitIhrenMeldungen) {
  using Aendern = std::function<void(TDirectDebitInitiation&)>;
  auto p = [](TDirectDebitInitiation& d) -> TDirectDebitPaymentInformation& { return d.PaymentInformations[0]; };
  auto t = [](TDirectDebitInitiation& d) -> TDirectDebitTransactionInformation& {
    return d.PaymentInformations[0].Transactions[0];
  };
  const struct {
    const char* was;
    Aendern aendern;
    std::string meldung;
    std::string_view nurSchema = {};
  } faelle[] = {
      {"falsche IBAN", [&](auto& d) { t(d).DbtrAcct.SetIBAN("DE89370400440532013001"); },
       "IBAN \"DE89370400440532013001\" not valid."},
      {"IBAN zu kurz", [&](auto& d) { t(d).DbtrAcct.SetIBAN("DE89"); }, "IBAN \"DE89\" not valid."},
      {"keine IBAN", [&](auto& d) { t(d).DbtrAcct.SetIBAN(""); }, "IBAN required."},
      {"falsche BIC",
       [&](auto& d) {
         t(d).DbtrAgt.SetOthrID("");
         t(d).DbtrAgt.SetBIC("COBADEFFX");
       },
       "BIC \"COBADEFFX\" not valid."},
      // Valid by length, but the 2009 schemas want six letters first.
      {"BIC nach altem Muster", [&](auto& d) {
         t(d).DbtrAgt.SetOthrID("");
         t(d).DbtrAgt.SetBIC("1BCDDEFF");
       },
       "BIC \"1BCDDEFF\" not valid.", kPain00800102},
      {"BIC und OthrID",
       [&](auto& d) { t(d).DbtrAgt.SetBIC("COBADEFF"); }, "BIC and OthrID must not be both given at the same time."},
      {"falsche Gläubiger-ID", [&](auto& d) { p(d).SetCdtrSchmeIdIdPrvtIdOthrId("DE99ZZZ09999999999"); },
       "CdtrSchmeIdIdPrvtIdOthrId \"DE99ZZZ09999999999\" not valid."},
      {"keine Gläubiger-ID", [&](auto& d) { p(d).SetCdtrSchmeIdIdPrvtIdOthrId(""); },
       "CdtrSchmeIdIdPrvtIdOthrId required."},
      {"leere Mandatsreferenz", [&](auto& d) { t(d).Mandate.MndtId.clear(); }, "MndtId required."},
      {"Betrag null", [&](auto& d) { t(d).InstdAmt = {}; },
       "InstdAmt \"0.0000\" not valid, positive value with at most 2 decimal places required."},
      {"Betrag negativ", [&](auto& d) { t(d).InstdAmt = Currency::FromCents(-100); },
       "InstdAmt \"-1.0000\" not valid, positive value with at most 2 decimal places required."},
      {"Zehntelcent", [&](auto& d) { t(d).InstdAmt = Currency{123451}; },
       "InstdAmt \"12.3451\" not valid, positive value with at most 2 decimal places required."},
      {"Betrag über der Grenze von pain.008.003.02", [&](auto& d) { t(d).InstdAmt = Currency::FromCents(10'000'000'000'000); },
       "InstdAmt \"100000000000.0000\" not valid, positive value with at most 2 decimal places required.",
       kPain00800302},
      {"ausländische IBAN ohne BIC", [&](auto& d) { t(d).DbtrAcct.SetIBAN("AT611904300234573201"); },
       "Only German bank accounts are allowed for IBAN-only (no BIC given)."},
      {"Mandat in der Zukunft", [&](auto& d) { t(d).Mandate.DtOfSgntr = Heute() + 1; },
       "DtOfSgntr \"" + DatumText(Heute() + 1) + "\" not valid (may not be in the future)."},
      {"Mandat ohne Datum", [&](auto& d) { t(d).Mandate.DtOfSgntr = 0; }, "DtOfSgntr required."},
      {"Fälligkeit heute", [&](auto& d) { p(d).ReqdColltnDt = Heute(); },
       "ReqdColltnDt \"" + DatumText(Heute()) + "\" too early."},
      {"kein Name", [&](auto& d) { t(d).SetDbtrNm(""); }, "DbtrNm required."},
      {"kein Verwendungszweck", [&](auto& d) { t(d).SetRmtInfUstrd(""); }, "RmtInfUstrd required."},
      {"Mandatsreferenz mit Leerzeichen", [&](auto& d) { t(d).Mandate.MndtId = "M 0001"; },
       "MndtId \"M 0001\" not valid.", kPain00800302},
      {"Mandatsreferenz mit Umlaut", [&](auto& d) { t(d).Mandate.MndtId = "MÜ0001"; },
       "MndtId \"MÜ0001\" not valid.", kPain00800302},
      {"Mandatsreferenz zu lang", [&](auto& d) { t(d).Mandate.MndtId = std::string(36, 'M'); },
       "MndtId \"" + std::string(36, 'M') + "\" not valid."},
      {"Kundenreferenz mit Umlaut", [&](auto& d) { t(d).PmtIdEndToEndId = "Kö 1"; },
       "PmtIdEndToEndId \"Kö 1\" not valid.", kPain00800302},
      {"COR1 in pain.008.001.08", [&](auto& d) { p(d).PmtTpInfLclInstrmCd = "COR1"; },
       "PmtTpInfLclInstrmCd \"COR1\" must be replaced by \"CORE\" for schema \"pain.008.001.08\".", kPain00800108},
      {"unbekannte Sequenz", [&](auto& d) { p(d).PmtTpInfSeqTp = "ONCE"; },
       "PmtTpInfSeqTp \"ONCE\" not valid (valid: FRST, RCUR, OOFF, FNAL)."},
      {"Gläubigerkonto im Ausland", [&](auto& d) { p(d).CdtrAcct.SetIBAN("AT611904300234573201"); },
       "Creditor bank account should be of a German bank."},
      {"Währung", [&](auto& d) { t(d).InstdAmtCcy = "eur"; }, "InstdAmtCcy \"eur\" not valid."},
      {"keine Buchung", [&](auto& d) { p(d).Transactions.clear(); }, "No transactions contained."},
  };
  for (const auto& f : faelle)
    for (std::string_view schema : kSchemas) {
      if (!f.nurSchema.empty() && schema != f.nurSchema) continue;
      SetExtendedCharsAllowed(true);
      TDirectDebitInitiation d = Gueltig(schema);
      f.aendern(d);
      const Messages m = d.Validate();
      EXPECT_TRUE(Enthaelt(m, f.meldung)) << f.was << " in " << schema << ":\n" << Liste(m);
    }
}

TEST_F(Dokument, SchemaEigenheiten) {
  // The same mandate reference is fine where the schema has no pattern for it.
  TDirectDebitInitiation d = Gueltig(kPain00800102);
  d.PaymentInformations[0].Transactions[0].Mandate.MndtId = "M 0001";
  EXPECT_EQ(Liste(d.Validate()), "");
  // COR1 belongs to pain.008.003.02 alone; five days' notice there for
  // one-off CORE debits, one day in the 2019 schema.
  d = Gueltig(kPain00800302);
  d.PaymentInformations[0].PmtTpInfLclInstrmCd = "COR1";
  EXPECT_EQ(Liste(d.Validate()), "");
  d = Gueltig("pain.008.009.99");
  EXPECT_TRUE(Enthaelt(d.Validate(), "ISO schema \"pain.008.009.99\" not known or invalid for this type of XML file."));
}

TEST_F(Dokument, Schreiben) {
  SetExtendedCharsAllowed(true);
  TDirectDebitInitiation d = Gueltig(kPain00800108);
  auto& t = d.PaymentInformations[0].Transactions[1];
  t.SetDbtrNm("Müller & Söhne <GmbH>");
  const std::string neu = d.Write();
  EXPECT_EQ(neu.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:"
                      "pain.008.001.08\"",
                      0),
            0u);
  EXPECT_NE(neu.find("<FinInstnId><BICFI>ABNANL2A</BICFI></FinInstnId>\r\n"), std::string::npos);
  EXPECT_NE(neu.find("<FinInstnId><Othr><Id>NOTPROVIDED</Id></Othr></FinInstnId>\r\n"), std::string::npos);
  // "<" and ">" are outside the SEPA set and become blanks; "&" stays, escaped.
  EXPECT_NE(neu.find("<Dbtr><Nm>Müller &amp; Söhne  GmbH </Nm></Dbtr>\r\n"), std::string::npos);
  EXPECT_NE(neu.find("<InstdAmt Ccy=\"EUR\">1234.56</InstdAmt>"), std::string::npos);
  EXPECT_NE(neu.find("<InstdAmt Ccy=\"EUR\">0.05</InstdAmt>"), std::string::npos);
  EXPECT_NE(neu.find("<EndToEndId>NOTPROVIDED</EndToEndId>"), std::string::npos);
  EXPECT_EQ(neu.find('\t'), std::string::npos);
  EXPECT_EQ(neu.find(">\n"), std::string::npos) << "every line ends in CR LF";
  EXPECT_EQ(Liste(ValidateAgainstXsd(neu, kPain00800108)), "");

  d.Schema = std::string(kPain00800102);
  const std::string alt = d.Write();
  EXPECT_NE(alt.find("<FinInstnId><BIC>ABNANL2A</BIC></FinInstnId>"), std::string::npos);
  EXPECT_EQ(alt.find("BICFI"), std::string::npos);
  EXPECT_EQ(Liste(ValidateAgainstXsd(alt, kPain00800102)), "");

  // Without the extended characters "&" is "+" and umlauts lose their dots.
  SetExtendedCharsAllowed(false);
  t.SetDbtrNm("Müller & Söhne");
  EXPECT_NE(d.Write().find("<Dbtr><Nm>Muller + Sohne</Nm></Dbtr>"), std::string::npos);
}

TEST_F(Dokument, Mandatsaenderung) {
  for (std::string_view schema : kSchemas) {
    SCOPED_TRACE(schema);
    TDirectDebitInitiation d = Gueltig(schema);
    auto& p = d.PaymentInformations[0];
    auto& m = p.Transactions[0].Mandate;
    m.AmdmntInd = true;
    EXPECT_TRUE(Enthaelt(d.Validate(), "Not all fields of mandate amendment information details may be empty at once."));
    m.Details26.OrgnlMndtId = m.Details30.OrgnlMndtId = "ALT-1";
    m.Details26.SetOrgnlCdtrSchmeIdIdPrvtIdOthrId("DE98ZZZ09999999999");
    m.Details30.SetOrgnlCdtrSchmeIdIdPrvtIdOthrId("DE98ZZZ09999999999");
    m.Details30.OrgnlDbtrAcct = "SMNDA";
    EXPECT_EQ(Liste(d.Validate()), "");
    const std::string xml = d.Write();
    EXPECT_EQ(Liste(ValidateAgainstXsd(xml, schema)), "");
    EXPECT_NE(xml.find("<OrgnlMndtId>ALT-1</OrgnlMndtId>"), std::string::npos);
    // A new debtor agent is marked SMNDA only with a first debit.
    m.Details26.OrgnlDbtrAgtFinInstIdOthrId = "SMNDA";
    if (schema == kPain00800302) {
      EXPECT_TRUE(Enthaelt(d.Validate(), "Mandate amendment details are marked \"SMNDA\" (same mandate, new debtor "
                                         "agent) but the sequence type is not \"FRST\"."));
    }
    m.Details30.OrgnlDbtrAcct = "NEU";
    if (schema != kPain00800302) {
      EXPECT_TRUE(Enthaelt(d.Validate(),
                           "OrgnlDbtrAcct \"NEU\" not valid (valid: SMNDA = same mandate, new debtor account)."));
    }
  }
}

// What the program's own check lets through, the XSD must take too: random
// identifiers, names, BICs and amounts, in every schema.
TEST_F(Dokument, EigenePruefungFaengtAllesWasDasXsdAblehnt) {
  std::mt19937 zufall(20261210);
  const std::vector<std::string> zeichen = {"A", "z", "0", "9", " ", "-", "+", "?", "/", ":", "(", ")", ".", ",",
                                            "'", "|", "&", "Ä", "ü", "ß", "é", "_", "<", "\"", "*", "$", "%", "\t"};
  auto text = [&](int hoechstens) {
    std::string t;
    const int n = std::uniform_int_distribution<int>(0, hoechstens)(zufall);
    for (int i = 0; i < n; ++i) t += zeichen[zufall() % zeichen.size()];
    return t;
  };
  const std::vector<std::string> bics = {"COBADEFF", "COBADEFFXXX", "1BCDDEFF", "ABCD12FF", "COBADEF0", "COBADEFO",
                                         "COBADE1F", "cobadeff", "COBADEFFXX"};
  int angenommen = 0;
  for (int runde = 0; runde < 150; ++runde)
    for (std::string_view schema : kSchemas) {
      SetExtendedCharsAllowed(zufall() % 2 == 0);
      TDirectDebitInitiation d = Gueltig(schema);
      auto& t = d.PaymentInformations[0].Transactions[1];
      switch (zufall() % 6) {
        case 0: t.Mandate.MndtId = text(36); break;
        case 1: t.PmtIdEndToEndId = text(36); break;
        case 2: d.GrpHdrMsgId = text(36); break;
        case 3: t.DbtrAgt.SetBIC(bics[zufall() % bics.size()]); break;
        case 4: t.InstdAmt = Currency{static_cast<std::int64_t>(zufall() % 2'000'000) * (zufall() % 2 ? 1 : 50)}; break;
        default: t.SetDbtrNm(text(72)); t.SetRmtInfUstrd(text(142)); break;
      }
      if (!d.Validate().empty()) continue;
      ++angenommen;
      const std::string xml = d.Write();
      ASSERT_EQ(Liste(ValidateAgainstXsd(xml, schema)), "") << schema << "\n" << xml;
    }
  EXPECT_GT(angenommen, 100);
}

// The validator itself: the official samples pass, a broken one does not.
TEST(Xsd, BeispieleUndFehler) {
  for (const char* name : {"pain.008.001.02", "pain.008.003.02"}) {
    std::ifstream f(std::string(ZAQ_QUELLEN) + "/data/sepa/samples/" + name + ".xml", std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    const std::string xml = s.str();
    ASSERT_FALSE(xml.empty()) << name;
    EXPECT_EQ(Liste(ValidateAgainstXsd(xml, name)), "") << name;
    // The same document against the other schema fails on its namespace.
    EXPECT_FALSE(ValidateAgainstXsd(xml, std::string(name) == "pain.008.001.02" ? kPain00800302 : kPain00800102).empty());
  }
  const Messages kaputt = ValidateAgainstXsd("<Document><CstmrDrctDbtInitn>", kPain00800108);
  ASSERT_EQ(kaputt.size(), 1u);
  EXPECT_EQ(kaputt[0].rfind("XSD: the document is no well-formed XML", 0), 0u);
  EXPECT_EQ(ValidateAgainstXsd("<x/>", "pain.008.009.99"),
            Messages{"XSD: no schema for \"pain.008.009.99\"."});
  const Messages falsch = ValidateAgainstXsd(
      "<?xml version=\"1.0\"?>\r\n<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:pain.008.001.08\">\r\n"
      "<CstmrDrctDbtInitn/>\r\n</Document>\r\n",
      kPain00800108);
  ASSERT_FALSE(falsch.empty());
  EXPECT_EQ(falsch[0].rfind("XSD: line 3: ", 0), 0u) << falsch[0];
}

}  // namespace
}  // namespace zaq::sepa
