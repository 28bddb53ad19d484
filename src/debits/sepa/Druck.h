#pragma once
// The printout of a SEPA booking list: a heading block with the list's
// account and total, then the bookings, each at least three lines, page by
// page.
#include <string>

#include "interaction/Drucker.h"

namespace zaq {

class TSepa;
class TStammdaten;

struct TBuchungsdruck {
  std::string beschreibung;  // the heading block's first line
  int von = 1, bis = 1;      // bookings, 1-based
};

// False when the user cancelled in the wait window.
bool DruckeBuchungsliste(const TSepa& liste, const TStammdaten& stamm, const TBuchungsdruck& druck,
                         TDruckgeraet& geraet);

}  // namespace zaq
