#pragma once
// Notes: a subject, an optional due date and a formatted text kept as the
// RTF bytes it is.
#include <cstdint>
#include <string>

#include "store/DateiEA.h"
#include "store/Verweis.h"

namespace zaq {

class TNotiz : public TFeldDatensatz<TNotiz> {
 public:
  explicit TNotiz(TZAQ* liste = nullptr);
  TNotiz(const TNotiz& q) : TNotiz(q.FVerfasser.FListe) { *this = q; }
  // Copies re-point the user references to whoever they resolve to now.
  TNotiz& operator=(const TNotiz& q);
  const char* KlassenName() const override { return "TNotiz"; }
  static std::span<const Feldbeschreibung<TNotiz>> Felder();
  void SetzeListe(TZAQ* liste);

  std::uint8_t FArt = 0;
  std::string FBetreff;
  double FTermin = 0;
  Bytes FInhalt;
  std::int32_t FBreite = 820;
  std::int32_t FHoehe = 500;
  TVerweisBen FVerfasser;
  TVerweisBen FBearbeiter;
};

class TNotizListe : public TListe<TNotiz> {
 public:
  explicit TNotizListe(TZAQ* liste = nullptr) { SetzeListe(liste); }
  const char* KlassenName() const override { return "TNotizListe"; }
  void SetzeListe(TZAQ* liste);
};

}  // namespace zaq
