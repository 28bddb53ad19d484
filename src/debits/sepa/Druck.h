#pragma once
// The printout of a SEPA booking list: a heading block with the list's
// account and total, then the bookings, each at least three lines, page by
// page.
#include <string>

#include "debits/Buchungsdruck.h"

namespace zaq {

class TSepa;
class TStammdaten;

// False when the user cancelled in the wait window.
bool DruckeBuchungsliste(const TSepa& liste, const TStammdaten& stamm, const TBuchungsdruck& druck,
                         TDruckgeraet& geraet);

}  // namespace zaq
