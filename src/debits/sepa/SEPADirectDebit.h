#pragma once
// The ISO 20022 customer direct-debit initiation ("pain.008") in memory: the
// document, its payment information blocks, their transactions with debtor,
// amount, remittance text and mandate.  Every class validates itself against
// a schema and collects English messages; writing gives the XML text line by
// line, UTF-8, CR LF, without indentation.
//
// Schemas: "pain.008.001.08" (what German banks take since November 2025),
// "pain.008.001.02", "pain.008.002.02" and "pain.008.003.02".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "debits/sepa/SEPACommon.h"

namespace zaq::sepa {

using Messages = std::vector<std::string>;

inline constexpr std::string_view kPain00800108 = "pain.008.001.08";
inline constexpr std::string_view kPain00800102 = "pain.008.001.02";
inline constexpr std::string_view kPain00800202 = "pain.008.002.02";
inline constexpr std::string_view kPain00800302 = "pain.008.003.02";
bool IsKnownSchema(std::string_view schema);

// The XML text of a document as it is written.
class XmlWriter {
 public:
  // One line; the text is UTF-8 already, CR LF follows.
  void Line(std::string_view text);
  // The line vor + text + nach: the text in the SEPA character set, cut to
  // maxLength characters, escaped.
  void Field(std::string_view vor, std::string_view text, std::string_view nach, int maxLength = -1);
  // The same for a text that needs neither (numbers, dates).
  void Value(std::string_view vor, std::string_view text, std::string_view nach);
  // Pieces of a line that End() closes.
  void Raw(std::string_view text) { FText.append(text); }
  void Sepa(std::string_view text, int maxLength = -1) { AppendSepaCharset(FText, text, maxLength, true); }
  void End() { FText.append("\r\n"); }
  const std::string& Text() const { return FText; }
  void Reserve(std::size_t n) { FText.reserve(n); }

 private:
  std::string FText;
};

class TFinancialInstitution {
 public:
  const std::string& BIC() const { return FBIC; }
  void SetBIC(std::string_view bic) { FBIC = NormalizeId(bic); }
  const std::string& OthrID() const { return FOthrID; }
  void SetOthrID(std::string_view id) { FOthrID = std::string(id); }
  void Validate(std::string_view schema, Messages& messages) const;
  // The bank line inside an agent element.
  void Write(XmlWriter& w, std::string_view schema) const;

 private:
  std::string FBIC;
  std::string FOthrID;
};

class TAccountIdentification {
 public:
  const std::string& IBAN() const { return FIBAN; }
  void SetIBAN(std::string_view iban) { FIBAN = NormalizeId(iban); }
  void Validate(Messages& messages) const;
  void Write(XmlWriter& w) const;

 private:
  std::string FIBAN;
};

// Mandate amendment details; two forms by specification version.
class TAmendmentInformationDetails {
 public:
  virtual ~TAmendmentInformationDetails() = default;
  virtual void Validate(std::string_view schema, std::string_view sequenceType, Messages& messages) const = 0;
  virtual void Write(XmlWriter& w) const = 0;

  std::string OrgnlMndtId;
  std::string OrgnlCdtrSchmeIdNm;
  const std::string& OrgnlCdtrSchmeIdIdPrvtIdOthrId() const { return FOrgnlCdtrSchmeId; }
  void SetOrgnlCdtrSchmeIdIdPrvtIdOthrId(std::string_view id) { FOrgnlCdtrSchmeId = NormalizeId(id); }

 protected:
  void ValidateCommon(std::string_view schema, Messages& messages) const;
  void WriteCommon(XmlWriter& w) const;
  std::string FOrgnlCdtrSchmeId;
};

// The form of the German specification versions 2.6 to 2.9 (pain.008.002.02, pain.008.003.02).
class TAmendmentInformationDetails26 : public TAmendmentInformationDetails {
 public:
  void Validate(std::string_view schema, std::string_view sequenceType, Messages& messages) const override;
  void Write(XmlWriter& w) const override;
  TAccountIdentification OrgnlDbtrAcct;
  std::string OrgnlDbtrAgtFinInstIdOthrId;  // only "SMNDA" is valid
};

// The form of version 3.0 (pain.008.001.02, pain.008.001.08).
class TAmendmentInformationDetails30 : public TAmendmentInformationDetails {
 public:
  void Validate(std::string_view schema, std::string_view sequenceType, Messages& messages) const override;
  void Write(XmlWriter& w) const override;
  std::string OrgnlDbtrAcct;  // only "SMNDA" is valid
};

class TMandateRelatedInformation {
 public:
  std::string MndtId;
  double DtOfSgntr = 0;
  bool AmdmntInd = false;
  TAmendmentInformationDetails26 Details26;
  TAmendmentInformationDetails30 Details30;
  // The details the schema uses.
  const TAmendmentInformationDetails& Details(std::string_view schema) const;
  void Validate(std::string_view schema, std::string_view sequenceType, Messages& messages) const;
  void Write(XmlWriter& w, std::string_view schema) const;
};

class TDirectDebitTransactionInformation {
 public:
  std::string PmtIdEndToEndId = "NOTPROVIDED";
  std::string InstdAmtCcy = "EUR";
  Currency InstdAmt;
  TMandateRelatedInformation Mandate;
  TFinancialInstitution DbtrAgt;
  const std::string& DbtrNm() const { return FDbtrNm; }
  void SetDbtrNm(std::string_view name) { FDbtrNm = ConvertToSepaCharset(name); }
  TAccountIdentification DbtrAcct;
  std::string UltmtDbtrNm;
  const std::string& RmtInfUstrd() const { return FRmtInfUstrd; }
  void SetRmtInfUstrd(std::string_view text) { FRmtInfUstrd = ConvertToSepaCharset(text); }

  void Validate(std::string_view schema, std::string_view sequenceType, Messages& messages) const;
  void Write(XmlWriter& w, std::string_view schema) const;

 private:
  std::string FDbtrNm;
  std::string FRmtInfUstrd;
};

class TDirectDebitPaymentInformation {
 public:
  TDirectDebitPaymentInformation();
  std::string PmtInfId;
  std::string PmtMtd = "DD";
  std::string PmtTpInfSvcLvlCd = "SEPA";
  std::string PmtTpInfLclInstrmCd;  // "CORE", "COR1" or "B2B"
  std::string PmtTpInfSeqTp;        // "FRST", "RCUR", "OOFF" or "FNAL"
  double ReqdColltnDt = 0;
  const std::string& CdtrNm() const { return FCdtrNm; }
  void SetCdtrNm(std::string_view name) { FCdtrNm = ConvertToSepaCharset(name); }
  TAccountIdentification CdtrAcct;
  TFinancialInstitution CdtrAgt;
  std::string ChrgBr = "SLEV";
  const std::string& CdtrSchmeIdIdPrvtIdOthrId() const { return FCdtrSchmeId; }
  void SetCdtrSchmeIdIdPrvtIdOthrId(std::string_view id) { FCdtrSchmeId = NormalizeId(id); }
  std::string CdtrSchmeIdIdPrvtIdOthrSchmeNmPrtry = "SEPA";

  std::vector<TDirectDebitTransactionInformation> Transactions;
  TDirectDebitTransactionInformation& Append() { return Transactions.emplace_back(); }
  std::size_t NbOfTxs() const { return Transactions.size(); }
  Currency CtrlSum() const;

  void Validate(std::string_view schema, Messages& messages) const;
  void Write(XmlWriter& w, std::string_view schema) const;

 private:
  std::string FCdtrNm;
  std::string FCdtrSchmeId;
};

class TDirectDebitInitiation {
 public:
  TDirectDebitInitiation();
  // Empty reads as pain.008.001.02.
  std::string Schema;
  std::string_view EffectiveSchema() const { return Schema.empty() ? kPain00800102 : std::string_view(Schema); }
  std::string GrpHdrMsgId;
  double GrpHdrCreDtTm = 0;
  const std::string& GrpHdrInitgPtyName() const { return FInitgPtyName; }
  void SetGrpHdrInitgPtyName(std::string_view name) { FInitgPtyName = ConvertToSepaCharset(name); }
  std::vector<TDirectDebitPaymentInformation> PaymentInformations;
  TDirectDebitPaymentInformation& Append() { return PaymentInformations.emplace_back(); }

  std::size_t NbOfTxs() const;
  Currency CtrlSum() const;
  Messages Validate() const;
  // The whole file as it goes to the bank.
  std::string Write() const;

 private:
  std::string FInitgPtyName;
};

}  // namespace zaq::sepa
