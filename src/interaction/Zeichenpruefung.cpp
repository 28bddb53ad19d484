#include "interaction/Zeichenpruefung.h"

#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "platform/Kodierung.h"

namespace zaq {

std::string FremdzeichenText(std::string_view zeichen, std::string_view feld, std::string_view ort) {
  return "Das Zeichen „" + std::string(zeichen) + "“ (" + Codepunkt(zeichen) + ") im Feld „" + std::string(feld) +
         "“ kann " + std::string(ort) + " nicht gespeichert werden. Bitte ersetzen Sie es durch ein anderes Zeichen.";
}

bool Speicherbar(std::string_view text, std::string_view feld, std::string_view ort) {
  const auto zeichen = ErstesFremdzeichen(text);
  if (!zeichen) return true;
  Meldung(FremdzeichenText(*zeichen, feld, ort), MeldungsArt::Fehler);
  return false;
}

bool PasstInFeld(std::string_view text, std::size_t laenge, std::string_view feld) {
  if (Zeichenzahl(text) <= laenge) return true;
  Meldung("Der Text für das Feld „" + std::string(feld) + "“ ist zu lang: Es sind höchstens " +
              std::to_string(laenge) + " Zeichen möglich.",
          MeldungsArt::Fehler);
  return false;
}

}  // namespace zaq
