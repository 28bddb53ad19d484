// The info file of the shared server (".zai"), as the status query reads it
// after the download: any text, however broken, reads to values or none.
#include "Fuzzhilfen.h"
#include "share/Ftp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  const std::string datei = fuzz::Datei("info.zai", fuzz::Text(daten, groesse));
  TInfodatei info;
  if (!LeseInfodatei(datei, "Mein Verein.zaq", info)) __builtin_trap();
  // Every time stamp decodes to a time of day.
  for (std::int64_t kode : {info.dateiVers, info.schluessel, info.resZeit, info.uploadZeit}) {
    const double zeit = ZeitAusKode(kode);
    (void)Zeitkode(zeit);
  }
  return 0;
}
