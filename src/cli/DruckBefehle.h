#pragma once
// zaq-cli drucken: a table, a member sheet or the master data sheet as PDF,
// printed as the program prints them.
#include <cstdint>
#include <optional>
#include <string>

#include "base/Datum.h"

namespace zaq::cli {

class CliOberflaeche;

struct Druckaufruf {
  std::string datei, vorlage, ziel;
  Tag datum = 0;
  std::optional<std::uint16_t> mitglied;
  bool stammdaten = false;
};
// 0 written; 1 refused or failed (no PDF written).
int Drucke(const Druckaufruf& a, CliOberflaeche& ui);

}  // namespace zaq::cli
