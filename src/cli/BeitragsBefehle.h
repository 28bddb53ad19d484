#pragma once
// zaq-cli fees: the fee run over a member file, as JSON.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "base/Datum.h"
#include "store/DateiEA.h"

namespace zaq {
class TMitglied;
}

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

// The fee check with its report, as JSON; a date of 0 is the check window's
// default.  The file stays unchanged.
int Beitragspruefung(const std::string& datei, const Beitragsaufruf& aufruf, std::ostream& aus);

// [{"Mitgliedsnummer", "Hinweise"}] of the members a run found fault with.
Json HinweisJson(const std::vector<TMitglied*>& hinweisliste);

}  // namespace zaq::cli
