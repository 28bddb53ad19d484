#pragma once
// zaq-cli statistik: the member statistics, the counts between bounds and
// the free member numbers of a member file, as JSON.
#include <ostream>
#include <string>
#include <vector>

#include "base/Datum.h"

namespace zaq::cli {

struct StatistikAufruf {
  std::string datei;
  Tag datum = 0;  // 0: the club's reference dates
  int glaettung = 15;
  struct Bestand {
    std::string art, von, bis;
  };
  std::vector<Bestand> bestand;
  bool abteilung = false;
  std::string abteilungText;
  bool selektion = false;
};
// Reads "ART,VON,BIS" with ART alter, geburtsjahr or geburtsdatum.
bool LeseBestand(const std::string& text, std::vector<StatistikAufruf::Bestand>& bestand);
// 0 printed; 1 a bound refused (its message) or the file not opened.
int Statistik(const StatistikAufruf& aufruf, std::ostream& aus);

}  // namespace zaq::cli
