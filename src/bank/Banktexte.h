#pragma once
// Display forms of bank data: grouped bank codes, account numbers and IBANs.
#include <string>
#include <string_view>

namespace zaq {

std::string BLZText(std::string_view blz);
std::string KontoText(std::string_view konto, bool mitNullen = false);
std::string IBANText(std::string_view iban);

}  // namespace zaq
