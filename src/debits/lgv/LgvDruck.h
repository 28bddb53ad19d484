#pragma once
// The printout of a debit or credit list.
#include "debits/Buchungsdruck.h"

namespace zaq {

class TLGV;

// False when the user cancelled in the wait window.
bool DruckeLgv(const TLGV& liste, const TBuchungsdruck& druck, TDruckgeraet& geraet);

}  // namespace zaq
