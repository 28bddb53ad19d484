#include "base/Hex.h"

#include <openssl/evp.h>

#include <algorithm>

namespace zaq {

std::vector<std::uint8_t> BytesAusHex(std::string_view hex) {
  auto wert = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
  };
  std::vector<std::uint8_t> out;
  out.reserve(hex.size() / 2);
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(wert(hex[i]) * 16 + wert(hex[i + 1])));
  return out;
}

std::string TextAusHex(std::string_view hex) {
  auto bytes = BytesAusHex(hex);
  return std::string(bytes.begin(), bytes.end());
}

std::uint16_t Zeichensumme(std::string_view bytes) {
  std::uint16_t summe = 0;
  for (unsigned char c : bytes) summe = static_cast<std::uint16_t>(summe + c);
  return summe;
}

std::string MD5Text(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int laenge = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &laenge, EVP_md5(), nullptr);
  return HexText(std::string_view(reinterpret_cast<const char*>(digest), laenge));
}

namespace {
std::string Mische(std::string_view s, std::uint16_t k) {
  std::size_t l = std::min<std::size_t>(s.size(), 255);
  std::string out(s.substr(0, l));
  for (std::size_t i = 0; i < l; ++i)
    out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) ^
                               static_cast<unsigned char>((i + 1 + std::uint32_t{k} * l) % 255));
  return out;
}
}  // namespace

std::string Verschleiere(std::string_view bytes, std::uint16_t schluessel) {
  std::string out = Mische(bytes, schluessel);
  std::reverse(out.begin(), out.end());
  return out;
}

std::string Entschleiere(std::string_view bytes, std::uint16_t schluessel) {
  std::string umgedreht(bytes.substr(0, std::min<std::size_t>(bytes.size(), 255)));
  std::reverse(umgedreht.begin(), umgedreht.end());
  return Mische(umgedreht, schluessel);
}

}  // namespace zaq
