#pragma once
// The member statistics (age and membership histograms with their means and
// smoothing), the member count between bounds for association surveys, and
// the free member numbers.  None of them changes the list.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Datum.h"

namespace zaq {

class TZAQ;

// Per whole year from 0 to the largest value counted (at most 150): men,
// women, all.
using THistogramm = std::vector<std::array<int, 3>>;
using TGeglaettet = std::vector<std::array<double, 3>>;

inline constexpr int kStatistikHoechstwert = 150;

struct TStatistik {
  Tag Bezugsdatum = 0;
  int Mitglieder = 0;
  THistogramm Alter, Mitgliedschaft;
  // Over every active member, values above 150 included; none without one.
  std::optional<double> DurchschnittlichesAlter, DurchschnittlicheMitgliedschaft;
  // The status line's three texts.
  std::array<std::string, 3> Statuszeile() const;
};

// The statistics at the reference date (0: the club's age reference date).
TStatistik Mitgliederstatistik(const TZAQ& liste, Tag bezug = 0);
// The smoothing kernel of width n (1 to 30), normalised.
std::vector<double> Glaettungskern(int n);
TGeglaettet Glaette(const THistogramm& h, int n);
// The menu "Glättung": "Stark" 30, "Mittel" 15, "Schwach" 5, "Kaum" 3, "Kein Filter" 1.
inline constexpr int kGlaettungen[] = {30, 15, 5, 3, 1};

// The member count for association surveys.
enum class Bestandsart { Alter, Geburtsjahr, Geburtsdatum };
struct TBestandsfilter {
  bool abteilung = false;
  std::string abteilungText;
  bool selektion = false;
};
struct TBestandszeile {
  std::string von, bis;  // as shown: numbers, or dates "DD.MM.YYYY"
  int maenner = 0, frauen = 0, gesamt = 0;
};
// The bounds as typed; none after the message (not a number or date,
// reversed).  An age counts at the reference date, stopping at the exit.
std::optional<TBestandszeile> Bestandszaehlung(const TZAQ& liste, const TBestandsfilter& filter, Bestandsart art,
                                               const std::string& von, const std::string& bis, Tag bezug);
// "Kopieren": "ZAQ Bestandszählung", the headings and the lines, tab-separated.
std::string BestandszaehlungText(const std::vector<TBestandszeile>& zeilen);

struct TFreieNummern {
  std::optional<std::uint16_t> kleinste, hoechste;  // none without an active member
  std::vector<std::uint16_t> frei;                   // 1 to the largest, unused
  // The first free number, or the largest + 1; none when every number up
  // to 65535 is taken.
  std::optional<std::uint16_t> ersteFreie;
};
TFreieNummern FreieNummern(const TZAQ& liste);

}  // namespace zaq
