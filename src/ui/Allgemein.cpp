#include "ui/Allgemein.h"

#include <openssl/evp.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/Kodierung.h"
#include "platform/Plattform.h"
#include "ui/Oberflaeche.h"

namespace zaq {
namespace {
namespace chr = std::chrono;
// Day number of 01.01.1970.
constexpr Tag kUnixEpoche = 25569;

bool IstSchaltjahr(int jahr) { return chr::year{jahr}.is_leap(); }

std::string Zwei(int n) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", n % 100 < 0 ? -(n % 100) : n % 100);
  return b;
}
std::string Vier(int n) {
  char b[16];
  std::snprintf(b, sizeof b, "%04d", n);
  return b;
}

template <class F>
std::string WandleGrossKlein(std::string_view text, F f) {
  std::string out;
  out.reserve(text.size());
  int32_t i = 0;
  const auto* s = reinterpret_cast<const uint8_t*>(text.data());
  auto n = static_cast<int32_t>(text.size());
  while (i < n) {
    UChar32 c;
    U8_NEXT(s, i, n, c);
    if (c < 0) c = 0xFFFD;
    c = f(c);
    char buf[4];
    int32_t l = 0;
    U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(buf), l, c);
    out.append(buf, static_cast<std::size_t>(l));
  }
  return out;
}
}  // namespace

Datum ZerlegeDatum(Tag tag) {
  chr::year_month_day ymd{chr::sys_days{chr::days{tag - kUnixEpoche}}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

Tag KodiereDatum(int jahr, int monat, int tag) {
  chr::year_month_day ymd{chr::year{jahr}, chr::month{static_cast<unsigned>(monat)},
                          chr::day{static_cast<unsigned>(tag)}};
  return static_cast<Tag>(chr::sys_days{ymd}.time_since_epoch().count()) + kUnixEpoche;
}

bool GueltigesDatum(int jahr, int monat, int tag) {
  if (jahr < 1 || jahr > 9999 || monat < 1 || monat > 12 || tag < 1) return false;
  return chr::year_month_day{chr::year{jahr}, chr::month{static_cast<unsigned>(monat)},
                             chr::day{static_cast<unsigned>(tag)}}
      .ok();
}

std::string DatumText(Tag tag, bool leerBeiNull) {
  if (tag == 0 && leerBeiNull) return {};
  Datum d = ZerlegeDatum(tag);
  return Zwei(d.tag) + "." + Zwei(d.monat) + "." + Vier(d.jahr);
}

std::string DatumZeitText(double zeit) { return FormatDatum("dd.mm.yyyy, hh:nn:ss", zeit); }

std::string FormatDatum(std::string_view format, double zeit) {
  Tag tag = static_cast<Tag>(std::floor(zeit));
  Datum d = ZerlegeDatum(tag);
  auto sekunden = static_cast<long>(std::floor((zeit - std::floor(zeit)) * 86400.0 + 1e-6));
  if (sekunden >= 86400) sekunden = 86399;
  int h = static_cast<int>(sekunden / 3600), n = static_cast<int>(sekunden / 60 % 60),
      s = static_cast<int>(sekunden % 60);
  std::string out;
  for (std::size_t i = 0; i < format.size();) {
    auto rest = format.substr(i);
    if (rest.starts_with("yyyy")) { out += Vier(d.jahr); i += 4; }
    else if (rest.starts_with("yy")) { out += Zwei(d.jahr); i += 2; }
    else if (rest.starts_with("mm")) { out += Zwei(d.monat); i += 2; }
    else if (rest.starts_with("dd")) { out += Zwei(d.tag); i += 2; }
    else if (rest.starts_with("hh")) { out += Zwei(h); i += 2; }
    else if (rest.starts_with("nn")) { out += Zwei(n); i += 2; }
    else if (rest.starts_with("ss")) { out += Zwei(s); i += 2; }
    else { out += format[i]; ++i; }
  }
  return out;
}

std::optional<Tag> TextZuDatum(std::string_view text) {
  std::string t = Trim(text);
  int teile[3] = {0, 0, 0};
  int anzahl = 0;
  std::size_t pos = 0;
  while (anzahl < 3) {
    std::size_t ende = t.find('.', pos);
    std::string_view stueck = std::string_view(t).substr(pos, ende == std::string::npos ? std::string::npos : ende - pos);
    if (stueck.empty() || stueck.size() > 4 || !NurZiffern(stueck)) return std::nullopt;
    std::from_chars(stueck.data(), stueck.data() + stueck.size(), teile[anzahl]);
    ++anzahl;
    if (ende == std::string::npos) break;
    pos = ende + 1;
  }
  if (anzahl != 3 || pos == 0) return std::nullopt;
  if (t.find('.', pos) != std::string::npos) return std::nullopt;
  int jahr = teile[2];
  std::size_t jahrStellen = t.size() - t.rfind('.') - 1;
  if (jahrStellen <= 2) jahr += jahr < 50 ? 2000 : 1900;  // two-digit years as the date format reads them
  if (!GueltigesDatum(jahr, teile[1], teile[0])) return std::nullopt;
  return KodiereDatum(jahr, teile[1], teile[0]);
}

bool IstDatum(std::string_view text) { return TextZuDatum(text).has_value(); }

Tag Heute() { return plattform::Heute(); }
double Jetzt() { return plattform::Jetzt(); }

Tag Jahresende() { return KodiereDatum(ZerlegeDatum(Heute()).jahr, 12, 31); }

Tag NaechstesJahresende() {
  Datum d = ZerlegeDatum(Heute());
  return KodiereDatum(d.monat > 6 ? d.jahr + 1 : d.jahr, 12, 31);
}

int VolleJahre(Tag von, Tag bis) {
  Datum a = ZerlegeDatum(von), b = ZerlegeDatum(bis);
  if (a.jahr >= b.jahr) return 0;
  int j = b.jahr - a.jahr;
  if (b.monat < a.monat || (b.monat == a.monat && b.tag < a.tag)) --j;
  return j;
}

int Monate(Tag von, Tag bis) {
  if (bis < von) return -1;
  Datum a = ZerlegeDatum(von), b = ZerlegeDatum(bis);
  int m = (b.jahr - a.jahr) * 12 + b.monat - a.monat;
  if (b.tag < a.tag) --m;
  return m;
}

int TageOhneSchalttag(Tag von, Tag bis) {
  if (bis <= von) return 0;
  int tage = bis - von;
  Datum a = ZerlegeDatum(von), b = ZerlegeDatum(bis - 1);
  for (int j = a.jahr; j <= b.jahr; ++j) {
    if (!IstSchaltjahr(j)) continue;
    Tag schalttag = KodiereDatum(j, 2, 29);
    if (schalttag >= von && schalttag < bis) --tage;
  }
  return tage;
}

Tag PlusJahre(Tag tag, int jahre) {
  Datum d = ZerlegeDatum(tag);
  int ziel = d.jahr + jahre;
  if (d.monat == 2 && d.tag == 29 && !IstSchaltjahr(ziel))
    return jahre >= 0 ? KodiereDatum(ziel, 3, 1) : KodiereDatum(ziel, 2, 28);
  return KodiereDatum(ziel, d.monat, d.tag);
}

std::int64_t ZeitstempelZahl(double zeit) {
  Tag tag = static_cast<Tag>(std::floor(zeit));
  auto sekunden = static_cast<std::int64_t>(std::floor((zeit - tag) * 86400.0 + 1e-6));
  if (sekunden >= 86400) sekunden = 86399;
  return static_cast<std::int64_t>(tag) * 1000000 + sekunden / 3600 * 10000 +
         sekunden / 60 % 60 * 100 + sekunden % 60;
}

double ZahlZuZeitstempel(std::int64_t zahl) {
  std::int64_t tag = zahl / 1000000, rest = zahl % 1000000;
  std::int64_t h = rest / 10000, m = rest / 100 % 100, s = rest % 100;
  if (h >= 25 || m >= 61 || s >= 61) h = m = s = 0;
  return static_cast<double>(tag) + static_cast<double>(h * 3600 + m * 60 + s) / 86400.0;
}

double OhneMillisekunden(double zeit) {
  double tag = std::floor(zeit);
  double sekunden = std::floor((zeit - tag) * 86400.0 + 1e-6);
  return tag + sekunden / 86400.0;
}

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
  return WandleGrossKlein(text, [](UChar32 c) { return u_toupper(c); });
}
std::string Klein(std::string_view text) {
  return WandleGrossKlein(text, [](UChar32 c) { return u_tolower(c); });
}
bool GleichOhneGross(std::string_view a, std::string_view b) { return Gross(a) == Gross(b); }

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
  for (char c : text)
    if (c != ' ') out += c;
  return out;
}

std::string Einfach(std::string_view text, char zeichen) {
  std::string out;
  for (char c : text)
    if (!(c == zeichen && !out.empty() && out.back() == zeichen)) out += c;
  return out;
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

std::string ErsetzePlatzhalter(std::string_view text, Tag von, Tag bis) {
  Datum a = ZerlegeDatum(von), b = ZerlegeDatum(bis);
  std::string jahre;
  if (a.jahr == b.jahr) jahre = Vier(a.jahr);
  else if (b.jahr == a.jahr + 1) jahre = Vier(a.jahr) + "+" + Zwei(b.jahr);
  else jahre = Vier(a.jahr) + "-" + Zwei(b.jahr);
  const std::pair<const char*, std::string> ersetzungen[] = {
      {"%JAHRE%", jahre},
      {"%JAHRVON2%", Zwei(a.jahr)},
      {"%JAHRVON4%", Vier(a.jahr)},
      {"%JAHRBIS2%", Zwei(b.jahr)},
      {"%JAHRBIS4%", Vier(b.jahr)},
      {"%DATVON4%", Zwei(a.monat) + "/" + Zwei(a.jahr)},
      {"%DATVON6%", FormatDatum("dd.mm.yy", von)},
      {"%DATVON8%", DatumText(von)},
      {"%DATBIS4%", Zwei(b.monat) + "/" + Zwei(b.jahr)},
      {"%DATBIS6%", FormatDatum("dd.mm.yy", bis)},
      {"%DATBIS8%", DatumText(bis)},
  };
  std::string out(text);
  for (const auto& [platzhalter, wert] : ersetzungen) {
    // Placeholders are ASCII, so an ASCII upper-casing keeps byte positions.
    std::string gross = out;
    std::transform(gross.begin(), gross.end(), gross.begin(),
                   [](unsigned char c) { return c < 0x80 ? static_cast<char>(std::toupper(c)) : static_cast<char>(c); });
    std::size_t p = gross.find(platzhalter);
    if (p != std::string::npos) out.replace(p, std::char_traits<char>::length(platzhalter), wert);
  }
  return out;
}

std::vector<std::string> ZerlegeKommandozeile(std::string_view zeile) {
  std::vector<std::string> teile;
  std::string aktuell;
  bool inAnfuehrung = false, begonnen = false;
  for (char c : zeile) {
    if (c == '"') {
      inAnfuehrung = !inAnfuehrung;
      begonnen = true;
    } else if (c == ' ' && !inAnfuehrung) {
      if (begonnen) teile.push_back(std::move(aktuell));
      aktuell.clear();
      begonnen = false;
    } else {
      aktuell += c;
      begonnen = true;
    }
  }
  if (begonnen) teile.push_back(std::move(aktuell));
  return teile;
}

long StarteProgramm(const std::string& programm, const std::string& parameter, const std::string& verzeichnis) {
  std::string dir = Trim(verzeichnis);
  if (dir.empty()) dir = plattform::ProgrammVerzeichnis();
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  const std::string endung = Gross(plattform::PfadText(plattform::Pfad(programm).extension()));
  std::string pfad = programm;
  const bool programmDatei = endung == ".EXE" || endung == ".COM" || plattform::IstAusfuehrbar(pfad);
  if (!programmDatei) {
    // A document: opened with the program the desktop associates with it.
    if (pfad.find('/') == std::string::npos && pfad.find('\\') == std::string::npos)
      pfad = plattform::ProgrammVerzeichnis() + pfad;
    const std::string ordner = plattform::PfadText(plattform::Pfad(pfad).parent_path());
    if (!ordner.empty() && !VerzeichnisExistiert(ordner)) {
      Meldung("Der angegebene Pfad \"" + ordner + "\" konnte nicht gefunden werden.", MeldungsArt::Fehler);
      return -1;
    }
    if (!DateiExistiert(pfad)) {
      Meldung("Die angegebene Datei \"" + pfad + "\" konnte nicht gefunden werden.", MeldungsArt::Fehler);
      return -1;
    }
    if (!plattform::DokumentOeffnerVorhanden()) {
      Meldung("Für den angegebenen Dateitypen ist kein ausführbares Programm verfügbar.", MeldungsArt::Fehler);
      return -1;
    }
    return plattform::StarteProzess({"xdg-open", pfad}, dir);
  }
  std::vector<std::string> argumente{pfad};
  for (auto& a : ZerlegeKommandozeile(TrimRechts(parameter))) argumente.push_back(std::move(a));
  return plattform::StarteProzess(argumente, dir);
}

std::string ProgrammVersion() {
  std::string v = std::to_string(ZAQ_VERSION_MAJOR) + "." + std::to_string(ZAQ_VERSION_MINOR);
  if (ZAQ_VERSION_RELEASE != 0) v += static_cast<char>(ZAQ_VERSION_RELEASE + 96);
  return v + "." + std::to_string(ZAQ_VERSION_BUILD);
}

std::string Ausgabe() { return "Ausgabe " + ProgrammVersion() + ", Februar 2019"; }

bool KopiereDatei(const std::string& quelle, const std::string& ziel) {
  plattform::Bytes inhalt;
  if (!plattform::LeseDatei(plattform::Pfad(quelle), inhalt)) {
    Meldung("Fehler beim Öffnen der Quelldatei.", MeldungsArt::Fehler);
    return false;
  }
  if (!plattform::SchreibeDateiSicher(plattform::Pfad(ziel), inhalt)) {
    Meldung("Fehler beim Öffnen der Zieldatei.", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

std::uint64_t Dateigroesse(const std::string& name) {
  std::error_code fehler;
  auto groesse = std::filesystem::file_size(plattform::Pfad(name), fehler);
  return fehler ? 0 : groesse;
}

bool DateiExistiert(const std::string& name) {
  std::error_code fehler;
  return std::filesystem::is_regular_file(plattform::Pfad(name), fehler);
}

bool VerzeichnisExistiert(const std::string& name) {
  std::error_code fehler;
  return !name.empty() && std::filesystem::is_directory(plattform::Pfad(name), fehler);
}

}  // namespace zaq
