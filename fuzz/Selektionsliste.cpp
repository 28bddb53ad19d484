// Selection lists (.zas).  Reading checks the whole file first: a list that
// is refused changes no mark, and one that is taken selects exactly the
// members its pairs name.
#include <memory>
#include <set>

#include "Fuzzhilfen.h"
#include "lists/Selektion.h"
#include "store/ZAQ.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  static const std::unique_ptr<TZAQ> liste = [] {
    auto l = TZAQ::CreateNeu(false, false);
    for (std::uint16_t nr = 1; nr <= 8; ++nr) {
      auto m = std::make_unique<TMitglied>(l.get(), nr);
      m->FGeburtsdatum = 20000 + nr;
      m->FEintrittsdatum = 40000;
      m->FSelektiert = nr % 3 == 0;
      l->FMitglieder.Anhaengen(std::move(m));
    }
    return l;
  }();
  TSelektionsliste gelesen;
  const auto zustand = LeseSelektionsliste(fuzz::Text(daten, groesse), gelesen);
  std::set<std::uint16_t> vorher;
  for (const auto& m : liste->FMitglieder)
    if (m->FSelektiert) vorher.insert(m->FMitgliedsnummer);
  const int ergebnis = LadeSelektion(*liste, fuzz::Datei("liste.zas", fuzz::Text(daten, groesse)), false);
  std::set<std::uint16_t> nachher;
  for (const auto& m : liste->FMitglieder)
    if (m->FSelektiert) nachher.insert(m->FMitgliedsnummer);
  if ((ergebnis < 0) != (zustand != Selektionslesen::Ok)) __builtin_trap();
  if (ergebnis < 0 && nachher != vorher) __builtin_trap();
  if (ergebnis >= 0) {
    std::set<std::uint16_t> erwartet;
    int fehlt = 0;
    for (const auto& p : gelesen.paare) {
      if (p.nummer >= 1 && p.nummer <= 8 && p.pruefwert == 20000 + p.nummer + 40000) erwartet.insert(p.nummer);
      else ++fehlt;
    }
    if (nachher != erwartet || fehlt != ergebnis) __builtin_trap();
  }
  return 0;
}
