#pragma once
// Builds "ZAQ-BLZ.DAT" and "ZAQ-BLZ.IND" from the Deutsche Bundesbank's
// bank code file (fixed width, 168 characters a line, or 174 in the older
// layout that still carried the IBAN rule), taking one record per bank code:
// the main record (feature "1").  Banks of a file without the rule column
// get their IBAN rule from a table "BLZ;rule*100+version".
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bank/Bank.h"

namespace zaq {

struct BLZImportBericht {
  std::size_t FZeilen = 0;           // lines of the bank code file
  std::size_t FHauptsaetze = 0;      // banks taken
  std::size_t FFilialen = 0;         // branch lines, not needed
  std::size_t FFehlerhaft = 0;       // lines skipped as damaged or doubled
  std::size_t FBuchstabenverfahren = 0;  // methods A0..E4
  std::size_t FRegelnAusDatei = 0;   // banks whose rule the file itself carried
  std::size_t FRegelnTabelle = 0;    // entries of the rule table
  std::size_t FRegelnZugeordnet = 0;  // of these, given to a bank
  std::size_t FRegelnFehlerhaft = 0;  // table lines skipped
  std::size_t FKnoten = 0;           // index nodes written
  std::vector<std::string> FHinweise;  // one line per skipped line

  // The report as lines of text.
  std::vector<std::string> Zeilen() const;
};

// The parts, for tests and tools.  Texts of the returned banks are UTF-8.
// FIBANRegel = -1 marks a bank whose line did not carry the rule.
std::vector<Bankdatensatz> LiesBundesbankDatei(const std::vector<std::uint8_t>& inhalt, BLZImportBericht& bericht);
// BLZ -> rule*100+version.
std::map<std::string, int> LiesIBANRegeln(const std::vector<std::uint8_t>& inhalt, BLZImportBericht& bericht);
// The two files; the banks must be sorted by bank code, each code 8 digits and once.
std::vector<std::uint8_t> BLZDatenDatei(const std::vector<Bankdatensatz>& banken);
std::vector<std::uint8_t> BLZIndexDatei(const std::vector<Bankdatensatz>& banken);

// The whole build.  regelDatei may be empty when the bank code file carries
// the rules.  False after a message; an existing directory is then unchanged.
bool ErzeugeBLZVerzeichnis(const std::string& bundesbankDatei, const std::string& zielVerzeichnis,
                           const std::string& regelDatei, BLZImportBericht& bericht);

}  // namespace zaq
