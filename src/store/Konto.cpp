#include "store/Konto.h"

namespace zaq {

std::span<const Feldbeschreibung<TMitgliedskonto>> TMitgliedskonto::Felder() {
  using K = TMitgliedskonto;
  static const Feldbeschreibung<K> felder[] = {
      {10, "FIBAN", &K::FIBAN},
      {20, "FBLZ", &K::FBLZ},
      {30, "FKontonummer", &K::FKontonummer},
      {40, "FInhaber", &K::FInhaber},
      {200, "FMandatsreferenz", &K::FMandatsreferenz},
      {210, "FMandatsdatum", &K::FMandatsdatum},
      {220, "FErstlastschrift", &K::FErstlastschrift},
      {230, "FEmpfaengerKonto", &K::FEmpfaengerKonto},
  };
  return felder;
}

std::span<const Feldbeschreibung<TVereinskonto>> TVereinskonto::Felder() {
  using K = TVereinskonto;
  static const Feldbeschreibung<K> felder[] = {
      {10, "FIBAN", &K::FIBAN},
      {20, "FBLZ", &K::FBLZ},
      {30, "FKontonummer", &K::FKontonummer},
      {40, "FInhaber", &K::FInhaber},
      {400, "FKontoSchluessel", &K::FKontoSchluessel},
      {410, "FBezeichnung", &K::FBezeichnung},
      {420, "FBankname", &K::FBankname},
      {430, "FGlaeubigerID", &K::FGlaeubigerID},
      // An older program wrote a number here; it is read and dropped.
      {440, nullptr,
       Sonderfeld<K>{[](const K&, TZAQStream&, std::uint16_t, std::uint32_t, bool&) {},
                     [](K&, TZAQStream& s, std::int32_t g, bool&) {
                       std::int32_t weg = 0;
                       LeseInt32(s, weg, g);
                     },
                     nullptr}},
  };
  return felder;
}

}  // namespace zaq
