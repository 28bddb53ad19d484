// A member file downloaded from the shared server: enciphered with the
// club's key, it replaces the open list only when it reads whole.
#include <memory>

#include "Fuzzhilfen.h"
#include "store/ZAQ.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  static const std::unique_ptr<TZAQ> vorlage = [] {
    auto v = TZAQ::CreateNeu(true, true);
    v->FFtpDaten.FSchluessel = Bytes{0x13, 0x57, 0x9B, 0xDF, 0x24};
    v->FFtpDaten.FSchluesselZeit = 46000.5;
    v->FDateiname = "verein.zaq";
    return v;
  }();
  auto neu = TZAQ::CreateAusStream(Bytes(daten, daten + groesse), *vorlage);
  if (!neu) return 0;
  if (neu->FFtpDaten.FSchluessel != vorlage->FFtpDaten.FSchluessel || neu->FDateiname != vorlage->FDateiname)
    __builtin_trap();
  // The list taken over writes and reads again.
  TZAQStream aus;
  if (!neu->SchreibeStream(aus, sfLokal | sfLokaleDaten)) return 0;
  TZAQStream wieder(aus.Daten());
  auto zweite = std::make_unique<TZAQ>();
  if (!zweite->LeseStream(wieder)) __builtin_trap();
  return 0;
}
