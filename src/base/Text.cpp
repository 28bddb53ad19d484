#include "base/Text.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <memory>

namespace zaq {
namespace {
std::string WandleGrossKlein(std::string_view text, bool gross) {
  std::string out;
  out.reserve(text.size());
  // ASCII, by far the most common text, needs no tables.
  const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    const char von = gross ? 'a' : 'A', bis = gross ? 'z' : 'Z';
    for (char c : text) out.push_back(c >= von && c <= bis ? static_cast<char>(c ^ 0x20) : c);
    return out;
  }
  int32_t i = 0;
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  auto n = static_cast<int32_t>(text.size());
  while (i < n) {
    UChar32 c;
    U8_NEXT(s, i, n, c);
    if (c < 0) c = 0xFFFD;
    c = gross ? u_toupper(c) : u_tolower(c);
    char buf[4];
    int32_t l = 0;
    U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(buf), l, c);
    out.append(buf, static_cast<std::size_t>(l));
  }
  return out;
}
}  // namespace

std::string TrimLinks(std::string_view t) {
  std::size_t a = 0;
  while (a < t.size() && static_cast<unsigned char>(t[a]) <= ' ') ++a;
  return std::string(t.substr(a));
}
std::string TrimRechts(std::string_view t) {
  std::size_t e = t.size();
  while (e > 0 && static_cast<unsigned char>(t[e - 1]) <= ' ') --e;
  return std::string(t.substr(0, e));
}
std::string Trim(std::string_view t) { return TrimLinks(TrimRechts(t)); }

std::string Gross(std::string_view text) {
  return WandleGrossKlein(text, true);
}
std::string Klein(std::string_view text) {
  return WandleGrossKlein(text, false);
}
std::string GrossVergleich(std::string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return Gross(text);
  icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  u.toUpper(icu::Locale::getRoot());
  std::string out;
  u.toUTF8String(out);
  return out;
}

std::size_t Zeichenzahl(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool GleichOhneGross(std::string_view a, std::string_view b) { return GrossVergleich(a) == GrossVergleich(b); }

std::string Feld(std::string_view text, std::string_view trenner, int n) {
  if (n < 1 || trenner.empty()) return n == 1 ? std::string(text) : std::string();
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) {
    std::size_t p = text.find(trenner, start);
    if (p == std::string_view::npos) return {};
    start = p + trenner.size();
  }
  std::size_t ende = text.find(trenner, start);
  return std::string(text.substr(start, ende == std::string_view::npos ? std::string_view::npos : ende - start));
}

std::int64_t FeldZahl(std::string_view text, std::string_view trenner, int n) {
  return ZuZahl64(Feld(text, trenner, n)).value_or(0);
}

int FeldAnzahl(std::string_view text, std::string_view trenner) {
  if (trenner.empty()) return 1;
  int n = 1;
  for (std::size_t p = text.find(trenner); p != std::string_view::npos; p = text.find(trenner, p + trenner.size())) ++n;
  return n;
}

std::string OhneLeerzeichen(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ') out += c;
  return out;
}

std::string ErsteZeichen(std::string_view text, std::size_t n) {
  std::size_t i = 0, gezaehlt = 0;
  while (i < text.size() && gezaehlt < n) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    ++gezaehlt;
  }
  return std::string(text.substr(0, i));
}

std::string Einfach(std::string_view text, char zeichen) {
  std::string out;
  for (char c : text)
    if (!(c == zeichen && !out.empty() && out.back() == zeichen)) out += c;
  return out;
}

std::string Teiltext(std::string_view text, std::size_t ab, std::size_t n) {
  const std::size_t pos = std::min(ErsteZeichen(text, ab).size(), text.size());
  return ErsteZeichen(text.substr(pos), n);
}

std::string LinksAuffuellen(std::string_view text, std::size_t n) {
  if (text.size() >= n) return std::string(text.substr(0, n));
  return std::string(n - text.size(), ' ') + std::string(text);
}

std::string NullenAuffuellen(std::string_view text, std::size_t n) {
  if (text.size() >= n) return std::string(text);
  return std::string(n - text.size(), '0') + std::string(text);
}

std::string AnhaengenMitTrenner(std::string_view text, std::string_view zusatz,
                                std::string_view trenner) {
  std::string t = Trim(text);
  if (t.empty()) return std::string(zusatz);
  return t + std::string(trenner) + std::string(zusatz);
}

bool NurZiffern(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

namespace {
UChar32 ErstesZeichen(std::string_view text) {
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  const auto n = static_cast<int32_t>(text.size());
  int32_t i = 0;
  UChar32 c = -1;
  if (n > 0) U8_NEXT(s, i, n, c);
  return c;
}
}  // namespace

bool IstBuchstabe(std::string_view zeichen) {
  const UChar32 c = ErstesZeichen(zeichen);
  return c >= 0 && u_isalpha(c);
}

bool IstZiffer(std::string_view zeichen) {
  const UChar32 c = ErstesZeichen(zeichen);
  return c >= 0 && u_isdigit(c);
}

namespace {
std::unique_ptr<icu::Collator> NeuerCollator(icu::Collator::ECollationStrength staerke) {
  UErrorCode fehler = U_ZERO_ERROR;
  std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(icu::Locale("de"), fehler));
  if (U_FAILURE(fehler)) return nullptr;
  c->setStrength(staerke);
  return c;
}
// One collator per thread: creating one costs far more than a comparison.
icu::Collator* DeutscherCollator() {
  thread_local std::unique_ptr<icu::Collator> collator = NeuerCollator(icu::Collator::TERTIARY);
  return collator.get();
}
// Secondary strength: accents count, case does not.
icu::Collator* CollatorOhneGross() {
  thread_local std::unique_ptr<icu::Collator> collator = NeuerCollator(icu::Collator::SECONDARY);
  return collator.get();
}
int Vergleich(icu::Collator* collator, std::string_view a, std::string_view b) {
  if (!collator) return a.compare(b);
  UErrorCode fehler = U_ZERO_ERROR;
  const UCollationResult r = collator->compareUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
                                                   icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), fehler);
  if (U_FAILURE(fehler)) return a.compare(b);
  return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}
}  // namespace

std::string Sortierform(std::string_view text) {
  icu::Collator* collator = DeutscherCollator();
  if (!collator) return std::string(text);
  const icu::UnicodeString u =
      icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  std::string schluessel(static_cast<std::size_t>(u.length()) * 4 + 16, '\0');
  auto* ziel = reinterpret_cast<uint8_t*>(schluessel.data());
  int32_t n = collator->getSortKey(u, ziel, static_cast<int32_t>(schluessel.size()));
  if (n > static_cast<int32_t>(schluessel.size())) {
    schluessel.resize(static_cast<std::size_t>(n));
    ziel = reinterpret_cast<uint8_t*>(schluessel.data());
    n = collator->getSortKey(u, ziel, n);
  }
  // Without the closing zero byte.
  schluessel.resize(n > 0 ? static_cast<std::size_t>(n - 1) : 0);
  return schluessel;
}

int VergleicheText(std::string_view a, std::string_view b) { return Vergleich(DeutscherCollator(), a, b); }

int VergleicheTextOhneGross(std::string_view a, std::string_view b) {
  return Vergleich(CollatorOhneGross(), a, b);
}

bool IstZahltext(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == ','; });
}

bool WorteEnthalten(std::string_view muster, std::string_view text) {
  if (muster.empty()) return true;
  std::size_t start = 0;
  while (true) {
    std::size_t p = muster.find(' ', start);
    std::string_view wort = muster.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start);
    if (wort.empty()) return false;
    if (text.find(wort) == std::string_view::npos) return false;
    if (p == std::string_view::npos) return true;
    start = p + 1;
  }
}

std::string Ersetze(std::string_view text, std::string_view alt, std::string_view neu) {
  if (alt.empty()) return std::string(text);
  std::string out;
  std::size_t start = 0;
  for (std::size_t p = text.find(alt); p != std::string_view::npos; p = text.find(alt, start)) {
    out.append(text.substr(start, p - start));
    out.append(neu);
    start = p + alt.size();
  }
  out.append(text.substr(start));
  return out;
}

std::string ListeMitKomma(std::string_view text) { return Ersetze(text, ";", ", "); }
std::string ListeMitTab(std::string_view text) { return Ersetze(text, ";", "\t"); }

std::optional<std::int64_t> ZuZahl64(std::string_view text) {
  std::string t = Trim(text);
  std::string_view s = t;
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  std::int64_t wert = 0;
  if (s.empty()) return std::nullopt;
  auto [ende, fehler] = std::from_chars(s.data(), s.data() + s.size(), wert);
  if (fehler != std::errc() || ende != s.data() + s.size()) return std::nullopt;
  return wert;
}

std::optional<std::int32_t> ZuZahl(std::string_view text) {
  auto wert = ZuZahl64(text);
  if (!wert || *wert < INT32_MIN || *wert > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(*wert);
}

std::string HexText(std::string_view bytes) {
  static const char* ziffern = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += ziffern[c >> 4];
    out += ziffern[c & 15];
  }
  return out;
}

}  // namespace zaq
