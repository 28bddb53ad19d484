#include "views/Assistent.h"

#include "interaction/Einstellungen.h"
#include "lists/Selektion.h"

namespace zaq {

TAssistent::TAssistent(TZAQ& liste)
    : FNurSelektierte(LeseEinstellung(esJubiListenSelektiert) == "1"), FListe(liste) {}

bool TAssistent::Weiter() {
  if (!Pruefe()) return false;
  if (!Letzter()) {
    ++FSchritt;
    return true;
  }
  Beenden();
  FFertig = true;
  return true;
}

void TAssistent::Zurueck() {
  if (FSchritt > 1) --FSchritt;
}

void TAssistent::Gesamtselektion() {
  if (SelektionMoeglich()) GesamtSelektion(FListe);
}

void TAssistent::Listenselektion() {
  if (SelektionMoeglich()) ListenSelektion(FListe);
}

}  // namespace zaq
