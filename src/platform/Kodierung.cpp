#include "platform/Kodierung.h"

#include <unicode/ucnv.h>
#include <unicode/utf8.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace zaq {
namespace {

// The mapping comes from ICU's windows-1252 converter; it is turned into two
// tables once, because member files convert hundreds of thousands of fields.
struct Tabellen {
  // The UTF-8 form of each byte: up to three bytes and their count.
  struct Utf8 {
    char bytes[3];
    std::uint8_t laenge;
  };
  std::array<Utf8, 256> nachUtf8{};
  std::array<std::uint8_t, 0x10000> nachCp1252{};  // 0 = no mapping (except U+0000)

  Tabellen() {
    UErrorCode fehler = U_ZERO_ERROR;
    UConverter* c = ucnv_open("windows-1252", &fehler);
    if (U_FAILURE(fehler)) throw std::runtime_error("ICU-Konverter windows-1252 fehlt");
    for (int b = 0; b < 256; ++b) {
      char quelle = static_cast<char>(b);
      UChar ziel[4];
      fehler = U_ZERO_ERROR;
      int32_t n = ucnv_toUChars(c, ziel, 4, &quelle, 1, &fehler);
      UChar32 cp = n >= 1 && U_SUCCESS(fehler) ? ziel[0] : b;
      char utf8[4];
      int32_t l = 0;
      U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(utf8), l, cp);
      auto& eintrag = nachUtf8[static_cast<std::size_t>(b)];
      std::memcpy(eintrag.bytes, utf8, static_cast<std::size_t>(l));
      eintrag.laenge = static_cast<std::uint8_t>(l);
      if (cp < 0x10000) nachCp1252[static_cast<std::size_t>(cp)] = static_cast<std::uint8_t>(b);
    }
    ucnv_close(c);
  }
};

const Tabellen& T() {
  static const Tabellen t;
  return t;
}

}  // namespace

void Cp1252ZuUtf8(std::string_view text, std::string& out) {
  if (IstAscii(text)) {
    out.assign(text);
    return;
  }
  // Measured first, then written in place: names are full of umlauts.
  const auto& t = T();
  std::size_t laenge = 0;
  for (unsigned char c : text) laenge += c < 0x80 ? 1 : t.nachUtf8[c].laenge;
  out.resize(laenge);
  char* ziel = out.data();
  for (unsigned char c : text) {
    if (c < 0x80) {
      *ziel++ = static_cast<char>(c);
    } else {
      const auto& e = t.nachUtf8[c];
      for (std::uint8_t i = 0; i < e.laenge; ++i) *ziel++ = e.bytes[i];
    }
  }
}

std::string Cp1252ZuUtf8(std::string_view text) {
  std::string out;
  Cp1252ZuUtf8(text, out);
  return out;
}

namespace {
// Calls f with each Windows-1252 byte of a UTF-8 text, '?' for what it cannot hold.
template <class F>
void JedesCp1252Zeichen(std::string_view text, F f) {
  const auto& t = T();
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const auto n = static_cast<int32_t>(text.size());
  int32_t i = 0;
  while (i < n) {
    if (s[i] < 0x80) {
      f(static_cast<char>(s[i++]));
      continue;
    }
    UChar32 cp;
    U8_NEXT(s, i, n, cp);
    if (cp >= 0 && cp < 0x80) f(static_cast<char>(cp));
    else if (cp > 0 && cp < 0x10000 && t.nachCp1252[static_cast<std::size_t>(cp)] != 0)
      f(static_cast<char>(t.nachCp1252[static_cast<std::size_t>(cp)]));
    else f('?');
  }
}
}  // namespace

std::string Utf8ZuCp1252(std::string_view text) {
  if (IstAscii(text)) return std::string(text);
  std::string out;
  out.reserve(text.size());
  JedesCp1252Zeichen(text, [&](char c) { out += c; });
  return out;
}

void Utf8ZuCp1252(std::string_view text, char* ziel) {
  JedesCp1252Zeichen(text, [&](char c) { *ziel++ = c; });
}

std::optional<std::string> ErstesFremdzeichen(std::string_view text) {
  if (IstAscii(text)) return std::nullopt;
  const auto& t = T();
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const auto n = static_cast<int32_t>(text.size());
  int32_t i = 0;
  while (i < n) {
    const int32_t anfang = i;
    UChar32 cp;
    U8_NEXT(s, i, n, cp);
    if (cp < 0) return std::string("\xEF\xBF\xBD");
    if (cp < 0x80 || (cp < 0x10000 && t.nachCp1252[static_cast<std::size_t>(cp)] != 0)) continue;
    return std::string(text.substr(static_cast<std::size_t>(anfang), static_cast<std::size_t>(i - anfang)));
  }
  return std::nullopt;
}

std::string Codepunkt(std::string_view zeichen) {
  const auto* s = reinterpret_cast<const uint8_t*>(zeichen.data());
  const auto n = static_cast<int32_t>(zeichen.size());
  int32_t i = 0;
  UChar32 cp = 0xFFFD;
  if (n > 0) U8_NEXT(s, i, n, cp);
  if (cp < 0) cp = 0xFFFD;
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
  return text;
}

std::size_t Cp1252Laenge(std::string_view utf8) {
  if (IstAscii(utf8)) return utf8.size();
  std::size_t n = 0;
  JedesCp1252Zeichen(utf8, [&](char) { ++n; });
  return n;
}

}  // namespace zaq
