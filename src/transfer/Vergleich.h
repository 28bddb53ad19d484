#pragma once
// Comparing the open member list with another member file: members are
// matched by identity (number, birth date, entry date) through an index,
// a match is changed when the last-change stamps differ.
#include <memory>
#include <string>
#include <vector>

#include "store/TabVorlage.h"

namespace zaq {

class TMitglied;
class TTabelle;
class TZAQ;

struct TVergleich {
  int identisch = 0;
  std::vector<TMitglied*> zusaetzlich;  // only in the open list
  std::vector<TMitglied*> geaendert;    // the open list's version
  std::vector<TMitglied*> fehlend;      // only in the other list
  std::vector<TMitglied*> partner;      // per active member of the open list: its match, or none
  bool abgebrochen = false;
};

// Sets the comparison state of every active member of both lists (0 no
// partner, 1 identical, 2 changed) and collects the three lists.  The wait
// window shows the progress and may cancel.
TVergleich VergleicheMitglieder(TZAQ& offen, TZAQ& andere);
// The summary after a complete comparison.
std::string Vergleichsmeldung(const TVergleich& v);
// The template of the comparison tables (its title is set per table).
TTabVorlage Vergleichsvorlage();
// The tables of the added, changed and missing members that are not empty,
// in this order, titled with the other list's description and sorted by
// the template: the first two on the open list, the missing on the other.
std::vector<std::shared_ptr<TTabelle>> Vergleichstabellen(const TVergleich& v, TZAQ& offen, TZAQ& andere);
// The stored fields in which two members differ, in the order of the member
// record; a sub-record counts as one field, kept unknown fields do not count.
std::vector<std::string> Feldunterschiede(const TMitglied& a, const TMitglied& b);

}  // namespace zaq
