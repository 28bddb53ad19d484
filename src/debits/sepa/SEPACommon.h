#pragma once
// Low-level rules of SEPA documents: the SEPA character set, the checks of
// IBAN, BIC and creditor identifier, the text forms of amounts, dates and
// Booleans in the XML file, the earliest collection date, new identifiers.
// Like the SEPA documents themselves, this module uses English names.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Datum.h"

namespace zaq::sepa {

// When true, ConvertToSepaCharset keeps $ % & * Ä Ö Ü ß ä ö ü instead of
// replacing them.  The XML export sets it before it builds a document.
bool ExtendedCharsAllowed();
void SetExtendedCharsAllowed(bool allowed);

// Each character outside the SEPA set replaced ("&" by "+", "Ä" by "A", "ß"
// by "s", "$ % *" by ".", any other by a blank), then cut to maxLength
// characters (-1: no limit).  Texts are UTF-8 and never grow.
std::string ConvertToSepaCharset(std::string_view text, int maxLength = -1);
// The same conversion appended to out; with escape, the kept "&" (and any
// other character XML reserves) as its entity.
void AppendSepaCharset(std::string& out, std::string_view text, int maxLength, bool escape);
// True when ConvertToSepaCharset(text, maxLength) gives the text unchanged.
bool IsSepaText(std::string_view text, int maxLength);

// Upper case, without blanks and without leading or trailing control characters.
std::string NormalizeId(std::string_view text);
// Digits stay, letters A..Z become 10..35; any other character: none.
std::optional<std::string> LettersToDigits(std::string_view text);
// The remainder modulo 97 of a decimal digit string of any length; none for
// an empty or non-numeric text.
std::optional<int> Modulo97(std::string_view ziffern);
// The mod-97 check of an IBAN (no country-specific length check).
bool IsValidIban(std::string_view text);
// Eight or eleven letters A..Z and digits.
bool IsValidBic(std::string_view text);
// The mod-97 check of a SEPA creditor identifier ("Gläubiger-ID"); the
// business code (positions 5 to 7) does not take part.
bool IsValidCreditorId(std::string_view text);
bool IsGermanIban(std::string_view text);

// An amount exact to four decimal places, as the document holds it.
struct Currency {
  std::int64_t value = 0;  // ten-thousandths of a euro
  static constexpr Currency FromCents(std::int64_t cents) { return {cents * 100}; }
  auto operator<=>(const Currency&) const = default;
  Currency& operator+=(Currency c) {
    value += c.value;
    return *this;
  }
};
// "1234.50": fixed point with "." and no thousands separator; decimals 0 to 4.
std::string AmountToText(Currency amount, int decimals);
std::string BoolToText(bool value);
// "2026-12-10"
std::string DateToText(double dateTime);
// "2026-12-10T15:30:00.000Z": the local time as it is, without conversion.
std::string DateTimeToText(double dateTime);

// The earliest allowed requested collection date: one business day after
// start (0 = today), five for first and one-off CORE debits of
// pain.008.002.02 and pain.008.003.02, two for their other CORE debits.
// Weekends are skipped, bank holidays are not known.
Tag EarliestCollectionDate(std::string_view localInstrument, std::string_view sequenceType,
                           std::string_view schema, Tag start);

// A new identifier of 32 hexadecimal characters.
std::string NewMessageId();

}  // namespace zaq::sepa
