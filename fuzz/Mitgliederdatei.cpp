// The member file: the container (header, scrambling, CRC) and the record
// tree it holds.  An input starting with an even byte is a plain record
// tree, so the fuzzer need not forge the scrambling to reach the records.
#include "Fuzzhilfen.h"
#include "store/ZAQ.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  if (groesse == 0) return 0;
  auto liste = std::make_unique<TZAQ>();
  bool ok = true;
  if (daten[0] & 1) {
    TZAQStream s(Bytes(daten + 1, daten + groesse));
    ok = liste->LeseStream(s);
  } else {
    TZAQStream s(Bytes(daten + 1, daten + groesse));
    liste->StreamLesen(s, static_cast<std::int64_t>(groesse - 1), ok);
  }
  if (!ok) return 0;
  // What was read must write and read again.
  TZAQStream aus;
  if (!liste->SchreibeStream(aus, sfLokal)) return 0;
  TZAQStream wieder(aus.Daten());
  auto zweite = std::make_unique<TZAQ>();
  if (!zweite->LeseStream(wieder)) __builtin_trap();
  return 0;
}
