// The older debit and credit lists (.lsv, .gsv).  Opening leaves the file as
// it was; a booking written back reads as it was read; the sums never fail;
// a sort keeps every booking.
#include <bit>
#include <cstring>

#include "Fuzzhilfen.h"
#include "debits/lgv/Lgv.h"
#include "platform/Plattform.h"

namespace {

bool Gleich(const zaq::TLGVBuchung& a, const zaq::TLGVBuchung& b) {
  // Bitwise for the amount: a NaN in the file is still the same NaN.
  return a.Kontoinhaber == b.Kontoinhaber && a.BLZ == b.BLZ && a.Kontonummer == b.Kontonummer &&
         std::bit_cast<std::uint32_t>(a.Betrag) == std::bit_cast<std::uint32_t>(b.Betrag) && a.Zweck == b.Zweck;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  const std::string datei = fuzz::Datei("liste.lsv", fuzz::Text(daten, groesse));
  TLGV liste;
  const bool offen = liste.Oeffnen(datei);
  plattform::Bytes danach;
  if (!plattform::LeseDatei(plattform::Pfad(datei), danach) || danach.size() != groesse ||
      (groesse > 0 && std::memcmp(danach.data(), daten, groesse) != 0))
    __builtin_trap();
  if (!offen) return 0;
  if (liste.Art() != 1 && liste.Art() != 2) __builtin_trap();
  (void)liste.Kopf();
  if (liste.Kontrollsummen().Anzahl != liste.Anzahl()) __builtin_trap();
  (void)liste.Suchen("A 1", 1);
  for (int i = 1; i <= liste.Anzahl(); ++i) {
    const TLGVBuchung b = liste.Lesen(i);
    if (!liste.Schreiben(b, i)) __builtin_trap();
    if (!Gleich(liste.Lesen(i), b)) __builtin_trap();
  }
  const int anzahl = liste.Anzahl();
  if (anzahl > 1 && !liste.Sortieren(daten[groesse - 1] % 4 + 1)) __builtin_trap();
  if (liste.Anzahl() != anzahl) __builtin_trap();
  return 0;
}
