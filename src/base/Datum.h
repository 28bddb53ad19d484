#pragma once
// Dates as day numbers: days since 30.12.1899, 0 = no date; date-times are
// doubles on the same scale with the time of day as fraction.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zaq {

using Tag = std::int32_t;

struct Datum {
  int jahr = 1899;
  int monat = 12;
  int tag = 30;
};

// Calendar conversions of day numbers.
Datum ZerlegeDatum(Tag tag);
Tag KodiereDatum(int jahr, int monat, int tag);  // no range check
bool GueltigesDatum(int jahr, int monat, int tag);

std::string DatumText(Tag tag, bool leerBeiNull = false);
std::string DatumZeitText(double zeit);
std::optional<Tag> TextZuDatum(std::string_view text);
bool IstDatum(std::string_view text);
Tag Heute();
double Jetzt();
Tag Jahresende();
// 31 December of this year, or of the next from July on.
Tag NaechstesJahresende();
Tag NaechstesJahresende(Tag heute);
int VolleJahre(Tag von, Tag bis);
int Monate(Tag von, Tag bis);
int TageOhneSchalttag(Tag von, Tag bis);
Tag PlusJahre(Tag tag, int jahre);
std::int64_t ZeitstempelZahl(double zeit);
double ZahlZuZeitstempel(std::int64_t zahl);
double OhneMillisekunden(double zeit);
// A date-time read from outside: 0 (no date) for a value that is not one
// of the years 1 to 9999.
double GueltigeZeit(double zeit);
// A date in a free format: "dd" "mm" "yy" "yyyy" "hh" "nn" "ss" are replaced.
std::string FormatDatum(std::string_view format, double zeit);

}  // namespace zaq
