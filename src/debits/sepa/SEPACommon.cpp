#include "debits/sepa/SEPACommon.h"

#include "base/Text.h"

namespace zaq::sepa {

std::string NormalizeId(std::string_view text) {
  std::string t = OhneLeerzeichen(Gross(text));
  std::size_t a = 0, e = t.size();
  while (a < e && static_cast<unsigned char>(t[a]) < 0x20) ++a;
  while (e > a && static_cast<unsigned char>(t[e - 1]) < 0x20) --e;
  return t.substr(a, e - a);
}

std::optional<std::string> LettersToDigits(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    if (c >= '0' && c <= '9') out += c;
    else if (c >= 'A' && c <= 'Z') out += std::to_string(c - 'A' + 10);
    else return std::nullopt;
  }
  return out;
}

std::optional<int> Modulo97(std::string_view ziffern) {
  if (ziffern.empty()) return std::nullopt;
  int rest = 0;
  for (char c : ziffern) {
    if (c < '0' || c > '9') return std::nullopt;
    rest = (rest * 10 + (c - '0')) % 97;
  }
  return rest;
}

bool IsValidCreditorId(std::string_view text) {
  const std::string id = NormalizeId(text);
  if (id.size() >= 36) return false;
  auto ziffern = LettersToDigits((id.size() > 7 ? id.substr(7) : std::string()) + id.substr(0, 4));
  if (!ziffern) return false;
  auto rest = Modulo97(*ziffern);
  return rest && *rest == 1;
}

}  // namespace zaq::sepa
