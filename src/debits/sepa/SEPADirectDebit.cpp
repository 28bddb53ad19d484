#include "debits/sepa/SEPADirectDebit.h"

#include <algorithm>
#include <cmath>

#include "base/Datum.h"

namespace zaq::sepa {
namespace {

std::string Fmt(std::string_view muster, std::string_view wert) {
  std::string text(muster);
  const auto p = text.find("%s");
  if (p != std::string::npos) text.replace(p, 2, wert);
  return text;
}

bool IsAlnum(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// The characters of pain.008.003.02's restricted identifiers besides letters
// and digits; "|" stands in the schema's character class as a literal too.
bool IsRestrictedSign(char c, bool blank) {
  return c == '+' || c == '?' || c == '/' || c == '-' || c == ':' || c == '(' || c == ')' || c == '.' || c == ',' ||
         c == '\'' || c == '|' || (blank && c == ' ');
}

// RestrictedIdentificationSEPA1 (blank allowed) and ...SEPA2 (no blank) of
// pain.008.003.02: 1 to 35 characters.
bool IsRestrictedIdentification(std::string_view text, bool blank) {
  if (text.empty() || text.size() > 35) return false;
  for (char c : text)
    if (!IsAlnum(c) && !IsRestrictedSign(c, blank)) return false;
  return true;
}

// RestrictedPersonIdentifierSEPA of pain.008.003.02, the creditor identifier.
bool IsRestrictedPersonIdentifier(std::string_view id) {
  if (id.size() < 8 || id.size() > 35) return false;
  for (std::size_t i = 0; i < id.size(); ++i) {
    const char c = id[i];
    if (i < 2 && !((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    if (i >= 2 && i < 4 && !(c >= '0' && c <= '9')) return false;
    if (i >= 4 && !IsAlnum(c) && !IsRestrictedSign(c, false)) return false;
  }
  return true;
}

// The BIC patterns of the schemas: BICIdentifier of the 2009 versions,
// BICFIDec2014Identifier of pain.008.001.08.
bool BicFitsSchema(std::string_view bic, std::string_view schema) {
  if (bic.size() != 8 && bic.size() != 11) return false;
  auto gross = [](char c) { return c >= 'A' && c <= 'Z'; };
  auto alnum = [&](char c) { return gross(c) || (c >= '0' && c <= '9'); };
  for (char c : bic)
    if (!alnum(c)) return false;
  if (schema == kPain00800108) return gross(bic[4]) && gross(bic[5]);
  for (int i = 0; i < 6; ++i)
    if (!gross(bic[static_cast<std::size_t>(i)])) return false;
  const char c6 = bic[6], c7 = bic[7];
  return (gross(c6) || (c6 >= '2' && c6 <= '9')) && (alnum(c7) && c7 != 'O');
}

// IBAN2007Identifier: two letters, two digits, 1 to 30 letters or digits.
bool IbanFitsSchema(std::string_view iban) {
  if (iban.size() < 5 || iban.size() > 34) return false;
  for (std::size_t i = 0; i < iban.size(); ++i) {
    const char c = iban[i];
    if (i < 2 ? !(c >= 'A' && c <= 'Z') : i < 4 ? !(c >= '0' && c <= '9') : !IsAlnum(c)) return false;
  }
  return true;
}

// An identifier field: a SEPA text of at most 35 characters, and in
// pain.008.003.02 the restricted form of that schema.
bool IsValidIdentification(std::string_view text, std::string_view schema, bool blank) {
  if (!IsSepaText(text, 35)) return false;
  return schema != kPain00800302 || IsRestrictedIdentification(text, blank);
}

bool IsValidCreditorIdFor(std::string_view id, std::string_view schema) {
  return IsValidCreditorId(id) && (schema != kPain00800302 || IsRestrictedPersonIdentifier(id));
}

std::string Tagestext(double zeit) { return DatumText(static_cast<Tag>(std::floor(zeit))); }

}  // namespace

bool IsKnownSchema(std::string_view schema) {
  return schema == kPain00800108 || schema == kPain00800102 || schema == kPain00800202 || schema == kPain00800302;
}

void XmlWriter::Line(std::string_view text) {
  FText.append(text);
  FText.append("\r\n");
}

void XmlWriter::Field(std::string_view vor, std::string_view text, std::string_view nach, int maxLength) {
  FText.append(vor);
  Sepa(text, maxLength);
  FText.append(nach);
  FText.append("\r\n");
}

void XmlWriter::Value(std::string_view vor, std::string_view text, std::string_view nach) {
  FText.append(vor);
  FText.append(text);
  FText.append(nach);
  FText.append("\r\n");
}

// --- banks and accounts ---

void TFinancialInstitution::Validate(std::string_view schema, Messages& m) const {
  if (FBIC.empty() && FOthrID.empty()) m.push_back("BIC required (or OthrID = NOTPROVIDED must be given).");
  if (!FBIC.empty() && !FOthrID.empty()) m.push_back("BIC and OthrID must not be both given at the same time.");
  if (!FBIC.empty() && (!IsValidBic(FBIC) || !BicFitsSchema(FBIC, schema)))
    m.push_back(Fmt("BIC \"%s\" not valid.", FBIC));
  if (!FOthrID.empty() && FOthrID != "NOTPROVIDED")
    m.push_back(Fmt("OthrID \"%s\" not valid (valid: empty or NOTPROVIDED).", FOthrID));
  if ((schema == "pain.001.002.03" || schema == kPain00800202) && FBIC.empty() && !FOthrID.empty())
    m.push_back("IBAN-only is not allowed (or not yet allowed, before 2014-02-01) for this schema.");
}

void TFinancialInstitution::Write(XmlWriter& w, std::string_view schema) const {
  if (!FBIC.empty() || FOthrID.empty()) {
    if (schema == kPain00800108) w.Field("<FinInstnId><BICFI>", FBIC, "</BICFI></FinInstnId>");
    else w.Field("<FinInstnId><BIC>", FBIC, "</BIC></FinInstnId>");
  } else {
    w.Field("<FinInstnId><Othr><Id>", FOthrID, "</Id></Othr></FinInstnId>");
  }
}

void TAccountIdentification::Validate(Messages& m) const {
  if (FIBAN.empty()) m.push_back("IBAN required.");
  else if (!IsValidIban(FIBAN) || !IbanFitsSchema(FIBAN)) m.push_back(Fmt("IBAN \"%s\" not valid.", FIBAN));
}

void TAccountIdentification::Write(XmlWriter& w) const { w.Field("<Id><IBAN>", FIBAN, "</IBAN></Id>"); }

// --- mandate amendments ---

void TAmendmentInformationDetails::ValidateCommon(std::string_view schema, Messages& m) const {
  if (!IsSepaText(OrgnlMndtId, 35) ||
      (schema == kPain00800302 && !OrgnlMndtId.empty() && !IsRestrictedIdentification(OrgnlMndtId, false)))
    m.push_back(Fmt("OrgnlMndtId \"%s\" not valid.", OrgnlMndtId));
  if (!IsSepaText(OrgnlCdtrSchmeIdNm, 70)) m.push_back(Fmt("OrgnlCdtrSchmeIdNm \"%s\" not valid.", OrgnlCdtrSchmeIdNm));
  if (!FOrgnlCdtrSchmeId.empty() && !IsValidCreditorIdFor(FOrgnlCdtrSchmeId, schema))
    m.push_back(Fmt("OrgnlCdtrSchmeIdIdPrvtIdOthrId \"%s\" not valid.", FOrgnlCdtrSchmeId));
}

void TAmendmentInformationDetails::WriteCommon(XmlWriter& w) const {
  w.Line("<AmdmntInfDtls>");
  if (!OrgnlMndtId.empty()) w.Field("<OrgnlMndtId>", OrgnlMndtId, "</OrgnlMndtId>");
  if (!OrgnlCdtrSchmeIdNm.empty() || !FOrgnlCdtrSchmeId.empty()) {
    w.Line("<OrgnlCdtrSchmeId>");
    if (!OrgnlCdtrSchmeIdNm.empty()) w.Field("<Nm>", OrgnlCdtrSchmeIdNm, "</Nm>", 70);
    if (!FOrgnlCdtrSchmeId.empty())
      w.Field("<Id><PrvtId><Othr><Id>", FOrgnlCdtrSchmeId, "</Id><SchmeNm><Prtry>SEPA</Prtry></SchmeNm></Othr></PrvtId></Id>");
    w.Line("</OrgnlCdtrSchmeId>");
  }
}

void TAmendmentInformationDetails26::Validate(std::string_view schema, std::string_view seq, Messages& m) const {
  const bool leer = OrgnlMndtId.empty() && OrgnlCdtrSchmeIdNm.empty() && FOrgnlCdtrSchmeId.empty() &&
                    OrgnlDbtrAcct.IBAN().empty() && OrgnlDbtrAgtFinInstIdOthrId.empty();
  if (leer) m.push_back("Not all fields of mandate amendment information details may be empty at once.");
  if (schema != kPain00800202 && schema != kPain00800302)
    m.push_back(Fmt("Mandate amendment information details according to specification in version 2.6 to 2.9 does "
                    "not apply for schema \"%s\".",
                    schema));
  ValidateCommon(schema, m);
  const bool smnda = OrgnlDbtrAgtFinInstIdOthrId == "SMNDA";
  if (!OrgnlDbtrAgtFinInstIdOthrId.empty() && !smnda)
    m.push_back(Fmt("OrgnlDbtrAgtFinInstIdOthrId \"%s\" not valid (valid: SMNDA).", OrgnlDbtrAgtFinInstIdOthrId));
  if (!leer && seq == "FRST" && !smnda)
    m.push_back("Mandate amendment details must be marked \"SMNDA\" (same mandate, new debtor agent) for sequence "
                "type \"FRST\".");
  if (seq != "FRST" && smnda)
    m.push_back("Mandate amendment details are marked \"SMNDA\" (same mandate, new debtor agent) but the sequence "
                "type is not \"FRST\".");
  if (!OrgnlDbtrAcct.IBAN().empty()) OrgnlDbtrAcct.Validate(m);
}

void TAmendmentInformationDetails26::Write(XmlWriter& w) const {
  WriteCommon(w);
  if (!OrgnlDbtrAcct.IBAN().empty()) {
    w.Line("<OrgnlDbtrAcct>");
    OrgnlDbtrAcct.Write(w);
    w.Line("</OrgnlDbtrAcct>");
  }
  if (!OrgnlDbtrAgtFinInstIdOthrId.empty())
    w.Field("<OrgnlDbtrAgt><FinInstnId><Othr><Id>", OrgnlDbtrAgtFinInstIdOthrId, "</Id></Othr></FinInstnId></OrgnlDbtrAgt>");
  w.Line("</AmdmntInfDtls>");
}

void TAmendmentInformationDetails30::Validate(std::string_view schema, std::string_view, Messages& m) const {
  if (OrgnlMndtId.empty() && OrgnlCdtrSchmeIdNm.empty() && FOrgnlCdtrSchmeId.empty() && OrgnlDbtrAcct.empty())
    m.push_back("Not all fields of mandate amendment information details may be empty at once.");
  if (schema != kPain00800102 && schema != kPain00800108)
    m.push_back(Fmt("Mandate amendment information details according to specification in version 3.0 does not "
                    "apply for schema \"%s\".",
                    schema));
  ValidateCommon(schema, m);
  if (!OrgnlDbtrAcct.empty() && OrgnlDbtrAcct != "SMNDA")
    m.push_back(Fmt("OrgnlDbtrAcct \"%s\" not valid (valid: SMNDA = same mandate, new debtor account).", OrgnlDbtrAcct));
}

void TAmendmentInformationDetails30::Write(XmlWriter& w) const {
  WriteCommon(w);
  if (!OrgnlDbtrAcct.empty()) {
    w.Line("<OrgnlDbtrAcct>");
    w.Field("<Id><Othr><Id>", OrgnlDbtrAcct, "</Id></Othr></Id>");
    w.Line("</OrgnlDbtrAcct>");
  }
  w.Line("</AmdmntInfDtls>");
}

// --- mandate ---

const TAmendmentInformationDetails& TMandateRelatedInformation::Details(std::string_view schema) const {
  if (schema == kPain00800202 || schema == kPain00800302) return Details26;
  return Details30;
}

void TMandateRelatedInformation::Validate(std::string_view schema, std::string_view seq, Messages& m) const {
  if (MndtId.empty()) m.push_back("MndtId required.");
  const auto tag = static_cast<Tag>(std::floor(DtOfSgntr));
  if (tag == 0) m.push_back("DtOfSgntr required.");
  if (!IsValidIdentification(MndtId, schema, false) && !MndtId.empty())
    m.push_back(Fmt("MndtId \"%s\" not valid.", MndtId));
  if (tag > Heute()) m.push_back(Fmt("DtOfSgntr \"%s\" not valid (may not be in the future).", Tagestext(DtOfSgntr)));
  if (AmdmntInd) Details(schema).Validate(schema, seq, m);
}

void TMandateRelatedInformation::Write(XmlWriter& w, std::string_view schema) const {
  w.Line("<MndtRltdInf>");
  w.Field("<MndtId>", MndtId, "</MndtId>", 35);
  w.Value("<DtOfSgntr>", DateToText(DtOfSgntr), "</DtOfSgntr>");
  w.Value("<AmdmntInd>", BoolToText(AmdmntInd), "</AmdmntInd>");
  if (AmdmntInd) Details(schema).Write(w);
  w.Line("</MndtRltdInf>");
}

// --- transaction ---

void TDirectDebitTransactionInformation::Validate(std::string_view schema, std::string_view seq, Messages& m) const {
  if (PmtIdEndToEndId.empty()) m.push_back("PmtIdEndToEndId required, set to NOTPROVIDED if necessary.");
  if (InstdAmtCcy.empty()) m.push_back("InstdAmtCcy required.");
  if (FDbtrNm.empty()) m.push_back("DbtrNm required.");
  if (FRmtInfUstrd.empty()) m.push_back("RmtInfUstrd required.");
  if (!PmtIdEndToEndId.empty() && !IsValidIdentification(PmtIdEndToEndId, schema, true))
    m.push_back(Fmt("PmtIdEndToEndId \"%s\" not valid.", PmtIdEndToEndId));
  // The schemas' upper bounds: 11 digits in pain.008.003.02, 18 with five decimals in the others.
  const Currency hoechstens{schema == kPain00800302 ? 99'999'999'999 * 100 : 9'999'999'999'999 * 10'000 + 9'900};
  if (InstdAmt.value <= 0 || InstdAmt.value % 100 != 0 || InstdAmt > hoechstens)
    m.push_back(Fmt("InstdAmt \"%s\" not valid, positive value with at most 2 decimal places required.",
                    AmountToText(InstdAmt, 4)));
  const bool ccy = InstdAmtCcy.size() == 3 && std::all_of(InstdAmtCcy.begin(), InstdAmtCcy.end(),
                                                          [](char c) { return c >= 'A' && c <= 'Z'; });
  if (!InstdAmtCcy.empty() && (!ccy || (schema == kPain00800302 && InstdAmtCcy != "EUR")))
    m.push_back(Fmt("InstdAmtCcy \"%s\" not valid.", InstdAmtCcy));
  if (!IsSepaText(FDbtrNm, 70)) m.push_back(Fmt("DbtrNm \"%s\" not valid.", FDbtrNm));
  if (!IsSepaText(UltmtDbtrNm, 70)) m.push_back(Fmt("UltmtDbtrNm \"%s\" not valid.", UltmtDbtrNm));
  if (!IsSepaText(FRmtInfUstrd, 140)) m.push_back(Fmt("RmtInfUstrd \"%s\" not valid.", FRmtInfUstrd));
  DbtrAgt.Validate(schema, m);
  DbtrAcct.Validate(m);
  Mandate.Validate(schema, seq, m);
  if (DbtrAgt.OthrID() == "NOTPROVIDED" && !IsGermanIban(DbtrAcct.IBAN()))
    m.push_back("Only German bank accounts are allowed for IBAN-only (no BIC given).");
}

void TDirectDebitTransactionInformation::Write(XmlWriter& w, std::string_view schema) const {
  w.Line("<DrctDbtTxInf>");
  w.Field("<PmtId><EndToEndId>", PmtIdEndToEndId, "</EndToEndId></PmtId>");
  w.Raw("<InstdAmt Ccy=\"");
  w.Sepa(InstdAmtCcy);
  w.Value("\">", AmountToText(InstdAmt, 2), "</InstdAmt>");
  w.Line("<DrctDbtTx>");
  Mandate.Write(w, schema);
  w.Line("</DrctDbtTx>");
  w.Line("<DbtrAgt>");
  DbtrAgt.Write(w, schema);
  w.Line("</DbtrAgt>");
  w.Field("<Dbtr><Nm>", FDbtrNm, "</Nm></Dbtr>", 70);
  w.Line("<DbtrAcct>");
  DbtrAcct.Write(w);
  w.Line("</DbtrAcct>");
  if (!UltmtDbtrNm.empty()) w.Field("<UltmtDbtr><Nm>", UltmtDbtrNm, "</Nm></UltmtDbtr>", 70);
  w.Field("<RmtInf><Ustrd>", FRmtInfUstrd, "</Ustrd></RmtInf>", 140);
  w.Line("</DrctDbtTxInf>");
}

// --- payment information ---

TDirectDebitPaymentInformation::TDirectDebitPaymentInformation() : PmtInfId(NewMessageId()) {}

Currency TDirectDebitPaymentInformation::CtrlSum() const {
  Currency summe;
  for (const auto& t : Transactions) summe += t.InstdAmt;
  return summe;
}

void TDirectDebitPaymentInformation::Validate(std::string_view schema, Messages& m) const {
  if (PmtInfId.empty()) m.push_back("PmtInfId required.");
  if (FCdtrNm.empty()) m.push_back("CdtrNm required.");
  if (FCdtrSchmeId.empty()) m.push_back("CdtrSchmeIdIdPrvtIdOthrId required.");
  if (!PmtInfId.empty() && !IsValidIdentification(PmtInfId, schema, true))
    m.push_back(Fmt("PmtInfId \"%s\" not valid.", PmtInfId));
  if (PmtMtd != "DD") m.push_back(Fmt("PmtMtd \"%s\" not valid (valid: DD).", PmtMtd));
  const std::string& li = PmtTpInfLclInstrmCd;
  if (li != "CORE" && li != "COR1" && li != "B2B")
    m.push_back(Fmt("PmtTpInfLclInstrmCd \"%s\" not valid (valid: CORE, B2B and COR1 depending on schema).", li));
  if (li == "COR1" && schema != kPain00800302) {
    if (schema == kPain00800202)
      m.push_back("PmtTpInfLclInstrmCd \"COR1\" is not supported with schema \"pain.008.002.02\".");
    else
      m.push_back(Fmt("PmtTpInfLclInstrmCd \"COR1\" must be replaced by \"CORE\" for schema \"%s\".",
                      schema == kPain00800108 ? kPain00800108 : kPain00800102));
  }
  const std::string& seq = PmtTpInfSeqTp;
  if (seq != "FRST" && seq != "RCUR" && seq != "OOFF" && seq != "FNAL")
    m.push_back(Fmt("PmtTpInfSeqTp \"%s\" not valid (valid: FRST, RCUR, OOFF, FNAL).", seq));
  if (static_cast<Tag>(std::floor(ReqdColltnDt)) < EarliestCollectionDate(li, seq, schema, 0))
    m.push_back(Fmt("ReqdColltnDt \"%s\" too early.", Tagestext(ReqdColltnDt)));
  if (PmtTpInfSvcLvlCd != "SEPA") m.push_back(Fmt("PmtTpInfSvcLvlCd \"%s\" not valid (valid: SEPA).", PmtTpInfSvcLvlCd));
  if (ChrgBr != "SLEV") m.push_back(Fmt("ChrgBr \"%s\" not valid (valid: SLEV).", ChrgBr));
  if (!IsSepaText(FCdtrNm, 70)) m.push_back(Fmt("CdtrNm \"%s\" not valid.", FCdtrNm));
  if (!IsValidCreditorIdFor(FCdtrSchmeId, schema))
    m.push_back(Fmt("CdtrSchmeIdIdPrvtIdOthrId \"%s\" not valid.", FCdtrSchmeId));
  if (CdtrSchmeIdIdPrvtIdOthrSchmeNmPrtry != "SEPA")
    m.push_back(Fmt("CdtrSchmeIdIdPrvtIdOthrSchmeNmPrtry \"%s\" not valid (valid: SEPA).",
                    CdtrSchmeIdIdPrvtIdOthrSchmeNmPrtry));
  CdtrAcct.Validate(m);
  CdtrAgt.Validate(schema, m);
  for (const auto& t : Transactions) t.Validate(schema, seq, m);
  if (!IsGermanIban(CdtrAcct.IBAN())) m.push_back("Creditor bank account should be of a German bank.");
}

void TDirectDebitPaymentInformation::Write(XmlWriter& w, std::string_view schema) const {
  w.Line("<PmtInf>");
  w.Field("<PmtInfId>", PmtInfId, "</PmtInfId>");
  w.Field("<PmtMtd>", PmtMtd, "</PmtMtd>");
  w.Value("<NbOfTxs>", std::to_string(NbOfTxs()), "</NbOfTxs>");
  w.Value("<CtrlSum>", AmountToText(CtrlSum(), 2), "</CtrlSum>");
  w.Line("<PmtTpInf>");
  w.Field("<SvcLvl><Cd>", PmtTpInfSvcLvlCd, "</Cd></SvcLvl>");
  w.Field("<LclInstrm><Cd>", PmtTpInfLclInstrmCd, "</Cd></LclInstrm>");
  w.Field("<SeqTp>", PmtTpInfSeqTp, "</SeqTp>");
  w.Line("</PmtTpInf>");
  w.Value("<ReqdColltnDt>", DateToText(ReqdColltnDt), "</ReqdColltnDt>");
  w.Field("<Cdtr><Nm>", FCdtrNm, "</Nm></Cdtr>", 70);
  w.Line("<CdtrAcct>");
  CdtrAcct.Write(w);
  w.Line("</CdtrAcct>");
  w.Line("<CdtrAgt>");
  CdtrAgt.Write(w, schema);
  w.Line("</CdtrAgt>");
  w.Field("<ChrgBr>", ChrgBr, "</ChrgBr>");
  w.Line("<CdtrSchmeId><Id><PrvtId><Othr>");
  w.Field("<Id>", FCdtrSchmeId, "</Id>");
  w.Field("<SchmeNm><Prtry>", CdtrSchmeIdIdPrvtIdOthrSchmeNmPrtry, "</Prtry></SchmeNm>");
  w.Line("</Othr></PrvtId></Id></CdtrSchmeId>");
  for (const auto& t : Transactions) t.Write(w, schema);
  w.Line("</PmtInf>");
}

// --- document ---

TDirectDebitInitiation::TDirectDebitInitiation() : GrpHdrMsgId(NewMessageId()), GrpHdrCreDtTm(Jetzt()) {}

std::size_t TDirectDebitInitiation::NbOfTxs() const {
  std::size_t n = 0;
  for (const auto& p : PaymentInformations) n += p.NbOfTxs();
  return n;
}

Currency TDirectDebitInitiation::CtrlSum() const {
  Currency summe;
  for (const auto& p : PaymentInformations) summe += p.CtrlSum();
  return summe;
}

Messages TDirectDebitInitiation::Validate() const {
  Messages m;
  const std::string_view schema = EffectiveSchema();
  if (!IsKnownSchema(schema)) m.push_back(Fmt("ISO schema \"%s\" not known or invalid for this type of XML file.", schema));
  if (GrpHdrMsgId.empty()) m.push_back("GrpHdrMsgId required.");
  if (FInitgPtyName.empty()) m.push_back("GrpHdrInitgPtyName required.");
  if (!GrpHdrMsgId.empty() && !IsValidIdentification(GrpHdrMsgId, schema, true))
    m.push_back(Fmt("GrpHdrMsgId \"%s\" not valid.", GrpHdrMsgId));
  if (!IsSepaText(FInitgPtyName, 70)) m.push_back(Fmt("GrpHdrInitgPtyName \"%s\" not valid.", FInitgPtyName));
  for (const auto& p : PaymentInformations) p.Validate(schema, m);
  if (NbOfTxs() == 0) m.push_back("No transactions contained.");
  for (const auto& p : PaymentInformations)
    if (p.PmtTpInfLclInstrmCd != PaymentInformations.front().PmtTpInfLclInstrmCd) {
      m.push_back("One file may only contain payment instructions with the same PmtTpInfLclInstrmCd.");
      break;
    }
  return m;
}

std::string TDirectDebitInitiation::Write() const {
  const std::string schema(EffectiveSchema());
  XmlWriter w;
  w.Reserve(1024 + NbOfTxs() * 900);
  w.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  w.Line("<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:" + schema +
         "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\"urn:iso:std:iso:20022:tech:xsd:" +
         schema + " " + schema + ".xsd\">");
  w.Line("<CstmrDrctDbtInitn>");
  w.Line("<GrpHdr>");
  w.Field("<MsgId>", GrpHdrMsgId, "</MsgId>");
  w.Value("<CreDtTm>", DateTimeToText(GrpHdrCreDtTm), "</CreDtTm>");
  w.Value("<NbOfTxs>", std::to_string(NbOfTxs()), "</NbOfTxs>");
  w.Value("<CtrlSum>", AmountToText(CtrlSum(), 2), "</CtrlSum>");
  w.Field("<InitgPty><Nm>", FInitgPtyName, "</Nm></InitgPty>", 70);
  w.Line("</GrpHdr>");
  for (const auto& p : PaymentInformations)
    if (p.NbOfTxs() > 0) p.Write(w, schema);
  w.Line("</CstmrDrctDbtInitn>");
  w.Line("</Document>");
  return w.Text();
}

}  // namespace zaq::sepa
