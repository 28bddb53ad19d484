#include "fees/Platzhalter.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "base/Datum.h"

namespace zaq {

std::string ErsetzePlatzhalter(std::string_view text, Tag von, Tag bis) {
  const int jahrVon = ZerlegeDatum(von).jahr, jahrBis = ZerlegeDatum(bis).jahr;
  std::string jahre = FormatDatum("yyyy", von);
  if (jahrBis == jahrVon + 1) jahre += "+" + FormatDatum("yy", bis);
  else if (jahrBis != jahrVon) jahre += "-" + FormatDatum("yy", bis);
  const std::pair<const char*, std::string> ersetzungen[] = {
      {"%JAHRE%", jahre},
      {"%JAHRVON2%", FormatDatum("yy", von)},
      {"%JAHRVON4%", FormatDatum("yyyy", von)},
      {"%JAHRBIS2%", FormatDatum("yy", bis)},
      {"%JAHRBIS4%", FormatDatum("yyyy", bis)},
      {"%DATVON4%", FormatDatum("mm/yy", von)},
      {"%DATVON6%", FormatDatum("dd.mm.yy", von)},
      {"%DATVON8%", DatumText(von)},
      {"%DATBIS4%", FormatDatum("mm/yy", bis)},
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

}  // namespace zaq
