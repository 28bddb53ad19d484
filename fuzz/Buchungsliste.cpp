// The SEPA booking list (.slv).  Opening must leave the file as it was, and
// a booking written back must read as it was read.
#include <bit>
#include <cstring>

#include "Fuzzhilfen.h"
#include "debits/sepa/Buchungsliste.h"
#include "platform/Plattform.h"

namespace {

bool Gleich(const zaq::TSepaBuchung& a, const zaq::TSepaBuchung& b) {
  // Bitwise for the numbers: a NaN in the file is still the same NaN.
  return a.Name == b.Name && a.IBAN == b.IBAN && a.Mandatsreferenz == b.Mandatsreferenz &&
         std::bit_cast<std::uint64_t>(a.Mandatsdatum) == std::bit_cast<std::uint64_t>(b.Mandatsdatum) &&
         a.Sequenz == b.Sequenz && std::bit_cast<std::uint32_t>(a.Betrag) == std::bit_cast<std::uint32_t>(b.Betrag) &&
         a.Kundenreferenz == b.Kundenreferenz && a.Verwendungszweck == b.Verwendungszweck;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  const std::string datei = fuzz::Datei("liste.slv", fuzz::Text(daten, groesse));
  TSepa liste;
  const bool offen = liste.Oeffnen(datei);
  plattform::Bytes danach;
  if (!plattform::LeseDatei(plattform::Pfad(datei), danach) || danach.size() != groesse ||
      (groesse > 0 && std::memcmp(danach.data(), daten, groesse) != 0))
    __builtin_trap();
  if (!offen) return 0;
  (void)liste.Kopf();
  (void)liste.Gesamtbetrag();
  (void)liste.Suchen("A DE", 1);
  for (int i = 1; i <= liste.Anzahl(); ++i) {
    const TSepaBuchung b = liste.Lesen(i);
    if (!liste.Schreiben(b, i)) __builtin_trap();
    if (!Gleich(liste.Lesen(i), b)) __builtin_trap();
  }
  const int anzahl = liste.Anzahl();
  if (anzahl > 1 && !liste.Sortieren(daten[groesse - 1] % 6 + 1)) __builtin_trap();
  if (liste.Anzahl() != anzahl) __builtin_trap();
  return 0;
}
