#pragma once
// zaq-cli fees: the fee run over a member file, as JSON.
#include <cstdint>
#include <ostream>
#include <string>

#include "base/Datum.h"

namespace zaq::cli {

struct Beitragsaufruf {
  Tag datum = 0;  // 0: the fee age reference date
  bool vollesJahr = false;
  bool nurSelektierte = false;
  std::uint8_t zahlarten = 1u << 1;  // direct debit
};

// Parses "0,1,2" into a set of payment kinds; false for anything else.
bool LeseZahlarten(const std::string& text, std::uint8_t& zahlarten);

// Opens the file, runs the fee calculation and prints {"Summe", "Zahlerliste",
// "Hinweisliste"}; the file stays unchanged.
int Beitraege(const std::string& datei, const Beitragsaufruf& aufruf, std::ostream& aus);

}  // namespace zaq::cli
