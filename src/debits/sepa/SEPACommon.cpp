#include "debits/sepa/SEPACommon.h"

#include <openssl/rand.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <random>

#include "base/Text.h"

namespace zaq::sepa {
namespace {

std::atomic<bool> sExtended{false};

bool Erweitert(UChar32 c) {
  switch (c) {
    case '$': case '%': case '&': case '*':
    case 0xC4: case 0xD6: case 0xDC: case 0xDF: case 0xE4: case 0xF6: case 0xFC:
      return true;
    default:
      return false;
  }
}

// The replacement of a character that is not kept.
char Ersatz(UChar32 c) {
  switch (c) {
    case '$': case '%': case '*': return '.';
    case '&': return '+';
    case 0xC4: return 'A';
    case 0xD6: return 'O';
    case 0xDC: return 'U';
    case 0xE4: return 'a';
    case 0xF6: return 'o';
    case 0xFC: return 'u';
    case 0xDF: return 's';
    default: return ' ';
  }
}

}  // namespace

bool ExtendedCharsAllowed() { return sExtended; }
void SetExtendedCharsAllowed(bool allowed) { sExtended = allowed; }

namespace {

// The ASCII characters that always stay; runs of them are copied whole.
constexpr bool AsciiImmer(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '\'' ||
         c == '(' || c == ')' || c == '+' || c == ',' || c == '-' || c == '.' || c == '/' || c == ':' || c == '?';
}
constexpr auto kImmer = [] {
  std::array<bool, 256> t{};
  for (int c = 0; c < 128; ++c) t[static_cast<std::size_t>(c)] = AsciiImmer(static_cast<unsigned char>(c));
  return t;
}();

// The end of the run of always-kept characters from i on, at most bis.
int32_t EndeDerFolge(const uint8_t* s, int32_t i, int32_t bis) {
  while (i < bis && kImmer[s[i]]) ++i;
  return i;
}

void AnhaengenEscaped(std::string& out, char c, bool escape) {
  if (escape) {
    switch (c) {
      case '&': out += "&amp;"; return;
      case '<': out += "&lt;"; return;
      case '>': out += "&gt;"; return;
      case '"': out += "&quot;"; return;
      default: break;
    }
  }
  out.push_back(c);
}

}  // namespace

void AppendSepaCharset(std::string& out, std::string_view text, int maxLength, bool escape) {
  const bool erweitert = sExtended;
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const auto n = static_cast<int32_t>(text.size());
  int32_t i = 0;
  int zeichen = 0;
  while (i < n && (maxLength < 0 || zeichen < maxLength)) {
    const int32_t bis = maxLength < 0 ? n : std::min<int32_t>(n, i + (maxLength - zeichen));
    const int32_t ende = EndeDerFolge(s, i, bis);
    if (ende > i) {
      out.append(text.data() + i, static_cast<std::size_t>(ende - i));
      zeichen += ende - i;
      i = ende;
      continue;
    }
    ++zeichen;
    if (s[i] < 0x80) {
      const char c = static_cast<char>(s[i++]);
      if (erweitert && Erweitert(c)) AnhaengenEscaped(out, c, escape);
      else out.push_back(Ersatz(c));
      continue;
    }
    const int32_t anfang = i;
    UChar32 c;
    U8_NEXT(s, i, n, c);
    if (erweitert && Erweitert(c)) out.append(text.data() + anfang, static_cast<std::size_t>(i - anfang));
    else out.push_back(Ersatz(c));
  }
}

std::string ConvertToSepaCharset(std::string_view text, int maxLength) {
  std::string out;
  out.reserve(text.size());
  AppendSepaCharset(out, text, maxLength, false);
  return out;
}

bool IsSepaText(std::string_view text, int maxLength) {
  // The conversion would change the text exactly when a character is
  // replaced or the text is cut: checked without building it.
  const bool erweitert = sExtended;
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const auto n = static_cast<int32_t>(text.size());
  int32_t i = 0;
  int zeichen = 0;
  while (i < n) {
    const int32_t ende = EndeDerFolge(s, i, n);
    zeichen += ende - i;
    i = ende;
    if (maxLength >= 0 && zeichen > maxLength) return false;
    if (i == n) break;
    if (maxLength >= 0 && zeichen == maxLength) return false;
    ++zeichen;
    if (s[i] < 0x80) {
      if (!erweitert || !Erweitert(s[i++])) return false;
      continue;
    }
    UChar32 c;
    U8_NEXT(s, i, n, c);
    if (!erweitert || !Erweitert(c)) return false;
  }
  return true;
}

std::string NormalizeId(std::string_view text) {
  std::size_t a = 0, e = text.size();
  const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  std::string t;
  if (ascii) {
    // One pass for what identifiers nearly always are.
    t.reserve(text.size());
    for (char c : text)
      if (c != ' ') t.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  } else {
    t = OhneLeerzeichen(Gross(text));
  }
  a = 0;
  e = t.size();
  while (a < e && static_cast<unsigned char>(t[a]) < 0x20) ++a;
  while (e > a && static_cast<unsigned char>(t[e - 1]) < 0x20) --e;
  if (a == 0 && e == t.size()) return t;
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

namespace {

// Calls f with each byte of an identifier as NormalizeId leaves it, without
// building it: blanks dropped, ASCII letters in upper case, control
// characters at either end dropped.  The number of bytes.
template <class F>
std::size_t JedesIdZeichen(std::string_view text, F f) {
  std::size_t a = 0, e = text.size();
  auto aussen = [](unsigned char c) { return c < 0x20 || c == ' '; };
  while (a < e && aussen(static_cast<unsigned char>(text[a]))) ++a;
  while (e > a && aussen(static_cast<unsigned char>(text[e - 1]))) --e;
  std::size_t n = 0;
  for (std::size_t i = a; i < e; ++i) {
    char c = text[i];
    if (c == ' ') continue;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    f(c, n++);
  }
  return n;
}

bool IstIdZiffer(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Letters count as 10..35, as LettersToDigits writes them.
int Mod97Weiter(int rest, char c) {
  if (c <= '9') return (rest * 10 + (c - '0')) % 97;
  return (rest * 100 + (c - 'A' + 10)) % 97;
}

// The mod-97 check of an identifier whose first four characters move to the
// end; the characters from position 4 to vorn (exclusive) do not take part:
// none for the IBAN, the business code of the creditor identifier.
bool Mod97Pruefung(std::string_view text, std::size_t vorn, std::size_t hoechstens) {
  char kopf[4];
  int rest = 0;
  bool gueltig = true;
  const std::size_t n = JedesIdZeichen(text, [&](char c, std::size_t i) {
    if (i >= 4 && i < vorn) return;
    if (!IstIdZiffer(c)) gueltig = false;
    else if (i < 4) kopf[i] = c;
    else rest = Mod97Weiter(rest, c);
  });
  if (!gueltig || n > hoechstens || n < 4) return false;
  for (char c : kopf) rest = Mod97Weiter(rest, c);
  return rest == 1;
}

}  // namespace

bool IsValidIban(std::string_view text) { return Mod97Pruefung(text, 4, 34); }

bool IsValidBic(std::string_view text) {
  const std::string bic = NormalizeId(text);
  if (bic.size() != 8 && bic.size() != 11) return false;
  for (char c : bic)
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

bool IsValidCreditorId(std::string_view text) { return Mod97Pruefung(text, 7, 35); }

bool IsGermanIban(std::string_view text) {
  bool de = true;
  const std::size_t n = JedesIdZeichen(text, [&](char c, std::size_t i) {
    if (i < 2) de = de && c == "DE"[i];
  });
  return de && n >= 2;
}

std::string AmountToText(Currency amount, int decimals) {
  decimals = std::clamp(decimals, 0, 4);
  const bool negativ = amount.value < 0;
  std::uint64_t betrag = static_cast<std::uint64_t>(negativ ? -amount.value : amount.value);
  // Rounded half away from zero to the shown decimals, as currency formatting does.
  static constexpr std::uint64_t kTeiler[] = {10000, 1000, 100, 10, 1};
  const std::uint64_t teiler = kTeiler[decimals];
  betrag = (betrag + teiler / 2) / teiler;
  const std::uint64_t stellen = 10000 / teiler;
  std::string text = std::to_string(betrag / stellen);
  if (decimals > 0) {
    std::string bruch = std::to_string(betrag % stellen);
    text += "." + std::string(static_cast<std::size_t>(decimals) - bruch.size(), '0') + bruch;
  }
  return negativ && betrag != 0 ? "-" + text : text;
}

std::string BoolToText(bool value) { return value ? "true" : "false"; }

std::string DateToText(double dateTime) {
  // A document repeats few dates: the day of signature of most mandates.
  thread_local double letzterTag = -1;
  thread_local std::string letzterText;
  const double tag = std::floor(dateTime);
  if (tag != letzterTag) {
    letzterText = FormatDatum("yyyy-mm-dd", tag);
    letzterTag = tag;
  }
  return letzterText;
}

std::string DateTimeToText(double dateTime) {
  const double tag = std::floor(dateTime);
  const auto ms = static_cast<long>(std::floor((dateTime - tag) * 86400000.0 + 0.5)) % 1000;
  char teil[8];
  std::snprintf(teil, sizeof teil, ".%03ldZ", ms < 0 ? 0 : ms);
  return FormatDatum("yyyy-mm-ddThh:nn:ss", dateTime) + teil;
}

Tag EarliestCollectionDate(std::string_view instrument, std::string_view sequenz, std::string_view schema, Tag start) {
  int tage = 1;
  if (instrument == "CORE" && (schema == "pain.008.002.02" || schema == "pain.008.003.02"))
    tage = sequenz == "FRST" || sequenz == "OOFF" ? 5 : 2;
  Tag d = start > 0 ? start : Heute();
  // Day 0, 30.12.1899, was a Saturday: a remainder of 0 is a Saturday, 1 a Sunday.
  auto wochenende = [](Tag t) {
    const int w = ((t % 7) + 7) % 7;
    return w == 0 || w == 1;
  };
  for (int i = 0; i < tage; ++i) {
    ++d;
    while (wochenende(d)) ++d;
  }
  return d;
}

std::string NewMessageId() {
  unsigned char bytes[16];
  if (RAND_bytes(bytes, sizeof bytes) != 1) {
    std::random_device zufall;
    return std::to_string(std::uniform_int_distribution<long>(10000, 2147483646)(zufall));
  }
  static const char* ziffern = "0123456789ABCDEF";
  std::string id;
  for (unsigned char b : bytes) {
    id += ziffern[b >> 4];
    id += ziffern[b & 15];
  }
  return id;
}

}  // namespace zaq::sepa
