#pragma once
// The report of the fee check: how the counted fees of the last fee run are
// made up by fee class and age class, and how far each class's share of the
// money is from its share of the members ("Balance").
#include <cstdint>
#include <string>
#include <vector>

namespace zaq {

class TStammdaten;

struct TBerichtAltersklasse {
  std::int32_t Anzahl = 0;
  std::int64_t Summe = 0;  // cents
};

struct TBerichtKlasse {
  std::string Schluessel;
  std::int32_t Anzahl = 0;
  std::int64_t Summe = 0;
  std::vector<TBerichtAltersklasse> Altersklassen;
};

struct TBeitragsbericht {
  std::int32_t Anzahl = 0;
  std::int64_t Summe = 0;
  std::vector<TBerichtKlasse> Klassen;
  // The lines, columns separated by ";" ("Bezeichnung", "Ergebnis absolut",
  // "Ergebnis relativ", "Balance"); none when nothing was counted.
  std::vector<std::string> Zeilen;
};

// From the age classes' statistics of the last fee run.  A class nobody was
// counted in has no expected sum and so no balance column.
TBeitragsbericht ErstelleBeitragsbericht(const TStammdaten& stamm);

// "12,5": one decimal, decimal comma, no thousands separator.
std::string EineNachkommastelle(double wert);

}  // namespace zaq
