#pragma once
// A small club for the fee tests: fee reference date 31.12.2010, a club
// account "HAUPT", classes and members made to measure.
#include <initializer_list>
#include <memory>
#include <string>

#include "Hilfen.h"
#include "base/Datum.h"
#include "store/BtrKlasse.h"
#include "store/ZAQ.h"

namespace zaq::test {

inline Tag D(const char* text) { return TextZuDatum(text).value(); }

struct Altersstufe {
  const char* zweck;
  float betrag;
  int bis;
};

class MitVerein : public MitOberflaeche {
 protected:
  MitVerein();
  TStammdaten& stamm() { return liste->FStammdaten; }
  // A class with these age classes (a family class uses the first).
  TBtrKlasse& Klasse(const std::string& schluessel, std::initializer_list<Altersstufe> stufen, int modus = 0,
                     bool faktorText = false);
  TBtrKlasse& Familie(const std::string& schluessel, float betrag, const char* zweck, bool faktorText = false);
  // A member paying by direct debit with a complete account, born 01.01.1980,
  // paid until 31.12.2009.
  TMitglied& Mitglied(std::uint16_t nummer, const std::string& klasse, const std::string& name = "Muster",
                      const std::string& vorname = "Anna");
  // A member co-financed by zahler.
  TMitglied& Kind(std::uint16_t nummer, const std::string& klasse, TMitglied& zahler, const char* geburt = "01.01.2000");
  std::unique_ptr<TZAQ> liste;
};

}  // namespace zaq::test
