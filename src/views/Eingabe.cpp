#include "views/Eingabe.h"

#include <cmath>

#include "base/Text.h"

namespace zaq {

std::string Getippt(const TEingaberegel& regel, std::string_view text) {
  // Upper case character by character (ICU's simple mapping): "ß" keeps its
  // one character, which Windows-1252 has no capital for.
  std::string t = regel.gross ? Gross(text) : std::string(text);
  if (regel.kommaZuPunkt) t = Ersetze(t, ",", ".");
  return regel.laenge > 0 ? ErsteZeichen(t, regel.laenge) : t;
}

std::string DatumsfeldText(Tag tag) {
  if (tag == 0) return {};
  if (tag == kDatumOffen) return "TT.MM.JJJJ";
  return DatumText(tag);
}

std::optional<Tag> LeseDatumsfeld(std::string_view eingabe) {
  const std::string text = Ersetze(Trim(eingabe), ",", ".");
  if (text.empty()) return 0;
  if (text == "TT.MM.JJJJ") return kDatumOffen;
  return TextZuDatum(text);
}

std::optional<std::int64_t> LeseCent(std::string_view eingabe) {
  const std::string text = Trim(eingabe);
  std::string_view t = text;
  bool negativ = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    negativ = t[0] == '-';
    t.remove_prefix(1);
  }
  const std::size_t komma = t.find(',');
  const std::string_view ganz = t.substr(0, komma);
  const std::string_view bruch = komma == std::string_view::npos ? std::string_view() : t.substr(komma + 1);
  if ((ganz.empty() && bruch.empty()) || (!ganz.empty() && !NurZiffern(ganz)) || (!bruch.empty() && !NurZiffern(bruch)))
    return std::nullopt;
  if ((komma != std::string_view::npos && bruch.empty()) || bruch.size() > 2 || ganz.size() > 15) return std::nullopt;
  std::int64_t cent = 0;
  for (char c : ganz) cent = cent * 10 + (c - '0');
  cent *= 100;
  if (!bruch.empty()) cent += (bruch[0] - '0') * 10 + (bruch.size() > 1 ? bruch[1] - '0' : 0);
  return negativ ? -cent : cent;
}

std::optional<double> LeseBetrag(std::string_view text) {
  const auto cent = LeseCent(text);
  if (!cent) return std::nullopt;
  return static_cast<double>(*cent) / 100.0;
}

std::optional<float> LeseFloatBetrag(std::string_view text, bool* zuGross) {
  if (zuGross) *zuGross = false;
  const auto cent = LeseCent(text);
  if (!cent) return std::nullopt;
  const auto wert = static_cast<float>(static_cast<double>(*cent) / 100.0);
  // The stored float must give the same cent back.
  if (std::llround(static_cast<double>(wert) * 100.0) != *cent) {
    if (zuGross) *zuGross = true;
    return std::nullopt;
  }
  return wert;
}

std::string ZuGrosserBetragText(std::string_view text) {
  return "Der Betrag " + Trim(text) +
         " kann nicht auf den Cent genau gespeichert werden. Ab 131.072,00 € sind nicht mehr alle Centbeträge "
         "möglich.";
}

}  // namespace zaq
