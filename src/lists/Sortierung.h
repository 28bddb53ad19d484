#pragma once
// The order of members: comparison by sort keys, the stable sort of the
// member list, the keys of the sort commands, and the member search.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zaq {

class TMitglied;
class TZAQ;

// A sort key is a signed column kind: +k ascending, -k descending, 0 none.
using Sortierschluessel = std::vector<std::int32_t>;

// <0 when a comes first, 0 when every key finds them equal.  A reference
// date of 0 means the club's reference date.
int Vergleiche(const TMitglied& a, const TMitglied& b, std::span<const std::int32_t> schluessel,
               std::int32_t stichtag);

// The sort values of members, worked out once: member i of the span sorts
// before member j when Vor(i, j).
class TSortierwerte {
 public:
  TSortierwerte(std::span<const TMitglied* const> mitglieder, std::span<const std::int32_t> schluessel,
                std::int32_t stichtag);
  // True when no key compares anything.
  bool Leer() const { return FAktiv.empty(); }
  bool Vor(std::size_t i, std::size_t j) const;

 private:
  using Wert = std::variant<double, std::string>;
  std::vector<std::int32_t> FAktiv;
  std::vector<Wert> FWerte;
};

// Sorts the active members in place; members that compare equal keep their
// order.  False after the fatal message when the number of members changed.
bool SortiereMitglieder(TZAQ& liste, std::span<const std::int32_t> schluessel, std::int32_t stichtag = 0);

// The keys of a sort command ("nach Nachname" is 10); none for a number
// without fixed keys, which asks for them instead.
std::optional<Sortierschluessel> BefehlsSchluessel(int nummer);

// A key as written by hand: a signed column kind ("21", "-70") or a text of
// the sort choice list, "-" in front for descending ("-Nachname").
std::optional<std::int32_t> LeseSortierSchluessel(std::string_view text);

// "Mitglied suchen": the first active member from the start (or after the
// current one when continuing) whose surname starts with a one-character
// text, or whose "surname, title first name addition" holds every word of a
// longer text; upper and lower case do not count.  Position is 1-based.
struct TSuchfund {
  TMitglied* mitglied = nullptr;
  int position = 0;
};
std::optional<TSuchfund> SucheMitglied(const TZAQ& liste, const TMitglied* aktuell, std::string_view text,
                                       bool weiter);

}  // namespace zaq
