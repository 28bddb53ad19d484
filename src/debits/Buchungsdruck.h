#pragma once
// The printout of a booking list: a heading block, the table's two heading
// lines, then the bookings, each at least three lines, page by page.  The
// SEPA and the older lists fill it each with their own texts.
#include <functional>
#include <string>
#include <vector>

#include "interaction/Drucker.h"

namespace zaq {

struct TDruckbuchung {
  std::string name, bank;        // first column: holder, then the bank line
  std::vector<std::string> zweck;  // second column, one text per line
  std::string betrag, unten;     // third column: amount, then the line below it
};

struct TBuchungsblatt {
  std::vector<std::string> links, rechts;  // the heading block
  std::string kopfUnten[3];                // the second heading line of the three columns
  std::string fuss;                        // at the foot of every page, when set
};

struct TBuchungsdruck {
  std::string beschreibung;  // the heading block's first line
  int von = 1, bis = 1;      // bookings, 1-based
};

// False when the user cancelled in the wait window.
bool DruckeBuchungen(const TBuchungsblatt& blatt, int von, int bis, const std::function<TDruckbuchung(int)>& buchung,
                     TDruckgeraet& geraet);

}  // namespace zaq
