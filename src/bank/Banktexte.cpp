#include "bank/Banktexte.h"

namespace zaq {

std::string BLZText(std::string_view blz) {
  if (blz == "00000000") return {};
  if (blz.size() < 8) return std::string(blz);
  return std::string(blz.substr(0, 3)) + " " + std::string(blz.substr(3, 3)) + " " +
         std::string(blz.substr(6, 2));
}

std::string KontoText(std::string_view konto, bool mitNullen) {
  if (konto.empty() || konto == "0000000000") return {};
  if (konto.size() < 10) return std::string(konto);
  std::string k(konto.substr(0, 10));
  std::string g = k.substr(0, 1) + " " + k.substr(1, 3) + " " + k.substr(4, 3) + " " + k.substr(7, 3);
  if (mitNullen) return g;
  std::size_t a = g.find_first_not_of("0 ");
  return a == std::string::npos ? std::string() : g.substr(a);
}

std::string IBANText(std::string_view iban) {
  std::string out;
  for (std::size_t i = 0; i < iban.size(); i += 4) {
    if (i) out += ' ';
    out.append(iban.substr(i, 4));
  }
  return out;
}

}  // namespace zaq
