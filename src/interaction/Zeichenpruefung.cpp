#include "interaction/Zeichenpruefung.h"

#include "interaction/Oberflaeche.h"
#include "platform/Kodierung.h"

namespace zaq {

std::string FremdzeichenText(std::string_view zeichen, std::string_view feld) {
  return "Das Zeichen „" + std::string(zeichen) + "“ (" + Codepunkt(zeichen) + ") im Feld „" + std::string(feld) +
         "“ kann in der Mitgliederdatei nicht gespeichert werden. Bitte ersetzen Sie es durch ein anderes Zeichen.";
}

bool Speicherbar(std::string_view text, std::string_view feld) {
  const auto zeichen = ErstesFremdzeichen(text);
  if (!zeichen) return true;
  Meldung(FremdzeichenText(*zeichen, feld), MeldungsArt::Fehler);
  return false;
}

}  // namespace zaq
