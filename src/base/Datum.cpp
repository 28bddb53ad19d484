#include "base/Datum.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "base/Text.h"
#include "platform/Plattform.h"

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

Tag NaechstesJahresende() { return NaechstesJahresende(Heute()); }

Tag NaechstesJahresende(Tag heute) {
  const Datum d = ZerlegeDatum(heute);
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
  // To the nearest second: a time held as a double is a hair off its second.
  const auto gesamt = static_cast<std::int64_t>(std::llround(GueltigeZeit(zeit) * 86400.0));
  auto tag = gesamt / 86400, sekunden = gesamt % 86400;
  if (sekunden < 0) {
    sekunden += 86400;
    --tag;
  }
  return static_cast<std::int64_t>(tag) * 1000000 + sekunden / 3600 * 10000 +
         sekunden / 60 % 60 * 100 + sekunden % 60;
}

double ZahlZuZeitstempel(std::int64_t zahl) {
  std::int64_t tag = zahl / 1000000, rest = zahl % 1000000;
  std::int64_t h = rest / 10000, m = rest / 100 % 100, s = rest % 100;
  if (h >= 25 || m >= 61 || s >= 61) h = m = s = 0;
  return static_cast<double>(tag) + static_cast<double>(h * 3600 + m * 60 + s) / 86400.0;
}

double GueltigeZeit(double zeit) {
  // 01.01.0001 and the day after 31.12.9999.
  constexpr double kErster = -693593, kNachLetztem = 2958466;
  return zeit >= kErster && zeit < kNachLetztem ? zeit : 0;
}

double OhneMillisekunden(double zeit) {
  double tag = std::floor(zeit);
  double sekunden = std::floor((zeit - tag) * 86400.0 + 1e-6);
  return tag + sekunden / 86400.0;
}

}  // namespace zaq
