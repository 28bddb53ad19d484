#include "interaction/Systemdienste.h"

#include "interaction/Oberflaeche.h"
#include "platform/Plattform.h"
#include "platform/Prozess.h"

namespace zaq {

long StarteProgramm(const std::string& programm, const std::string& parameter, const std::string& verzeichnis) {
  const auto start = plattform::StarteProgramm(programm, parameter, verzeichnis);
  using Fehler = plattform::Programmstart::Fehler;
  switch (start.fehler) {
    case Fehler::Keiner:
      return start.prozess;
    case Fehler::PfadFehlt:
      Meldung("Der angegebene Pfad \"" + start.pfad + "\" konnte nicht gefunden werden.", MeldungsArt::Fehler);
      break;
    case Fehler::DateiFehlt:
      Meldung("Die angegebene Datei \"" + start.pfad + "\" konnte nicht gefunden werden.", MeldungsArt::Fehler);
      break;
    case Fehler::KeinProgramm:
      Meldung("Für den angegebenen Dateitypen ist kein ausführbares Programm verfügbar.", MeldungsArt::Fehler);
      break;
  }
  return -1;
}

bool KopiereDatei(const std::string& quelle, const std::string& ziel) {
  plattform::Bytes inhalt;
  if (!plattform::LeseDatei(plattform::Pfad(quelle), inhalt)) {
    Meldung("Fehler beim Öffnen der Quelldatei.", MeldungsArt::Fehler);
    return false;
  }
  if (!plattform::SchreibeDateiSicher(plattform::Pfad(ziel), inhalt)) {
    Meldung("Fehler beim Öffnen der Zieldatei.", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

}  // namespace zaq
