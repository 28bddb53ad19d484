// User pictures: BMP and JPEG files, and the JPEG bytes a member file holds.
// The first byte chooses the reader.
#include "Fuzzhilfen.h"
#include "store/Bild.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  using namespace zaq;
  if (groesse == 0) return 0;
  std::optional<Bild> bild;
  switch (daten[0] % 3) {
    case 0: bild = LadeBilddatei(fuzz::Datei("bild.bmp", fuzz::Text(daten + 1, groesse - 1))); break;
    case 1: bild = LadeBilddatei(fuzz::Datei("bild.jpg", fuzz::Text(daten + 1, groesse - 1))); break;
    default: bild = AusJpeg(std::vector<std::uint8_t>(daten + 1, daten + groesse)); break;
  }
  // What was read is scaled and compressed as the program stores it.
  if (bild && static_cast<std::int64_t>(bild->breite) * bild->hoehe <= 4096 * 4096)
    (void)AlsJpeg(Verkleinere(*bild, 64), 98);
  return 0;
}
