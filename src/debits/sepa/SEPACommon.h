#pragma once
// Low-level rules of SEPA documents.  Like the SEPA documents themselves,
// this module uses English names.
#include <optional>
#include <string>
#include <string_view>

namespace zaq::sepa {

// Upper case, without blanks and without leading or trailing control characters.
std::string NormalizeId(std::string_view text);
// Digits stay, letters A..Z become 10..35; any other character: none.
std::optional<std::string> LettersToDigits(std::string_view text);
// The remainder modulo 97 of a decimal digit string of any length; none for
// an empty or non-numeric text.
std::optional<int> Modulo97(std::string_view ziffern);
// The mod-97 check of a SEPA creditor identifier ("Gläubiger-ID"); the
// business code (positions 5 to 7) does not take part.
bool IsValidCreditorId(std::string_view text);

}  // namespace zaq::sepa
