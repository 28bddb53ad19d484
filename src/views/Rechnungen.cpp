#include "views/Rechnungen.h"

#include "debits/sepa/Beitragspruefung.h"
#include "store/ZAQ.h"

namespace zaq {

// --- the fee check window ---

TfrmBeitragspruefung::TfrmBeitragspruefung(TZAQ& liste, Tag heute)
    : FRechendatum(NaechstesJahresende(heute)), FListe(liste), FHalter(liste.weak_from_this().lock()) {}

void TfrmBeitragspruefung::Berechnen() {
  PruefeBeitraege(FListe, FRechendatum, FVollesJahr, false);
  FBericht = ErstelleBeitragsbericht(FListe.FStammdaten);
}

std::vector<std::string> TfrmBeitragspruefung::Spalten() {
  return {"Bezeichnung", "Ergebnis absolut", "Ergebnis relativ", "Balance"};
}

// --- the invoice wizard ---

TfrmRechnungsAssistent::TfrmRechnungsAssistent(TZAQ& liste, Tag heute)
    : TAssistent(liste), FRechendatum(NaechstesJahresende(heute)), FNullbetraege(liste.FNullbetragMelden) {}

std::string TfrmRechnungsAssistent::SchrittTitel() const {
  switch (Schritt()) {
    case 1: return "Schritt 1 von 3: Berechnungszeitraum (Rechendatum)";
    case 2: return "Schritt 2 von 3: Mitgliederselektion";
    default: return "Schritt 3 von 3: Vorläufige Rechendaten aktualisieren";
  }
}

std::string TfrmRechnungsAssistent::RechendatumText() const { return "Neues Rechendatum : " + DatumText(FRechendatum); }

bool TfrmRechnungsAssistent::Pruefe() {
  if (!Letzter() || FDatumwahl != keine) return true;
  Meldung("Sie müssen wählen, ob die Rechendaten (Beitrag-Bezahlt-Datum) in den ZQA-Datensätzen nun aktualisiert "
          "werden sollen!",
          MeldungsArt::Fehler);
  return false;
}

void TfrmRechnungsAssistent::Ausfuehren() {
  if (Fertig())
    ErstelleRechnungen(FListe, FRechendatum, FVollesJahr, FDatumwahl == vorlaeufig, FNurSelektierte, FNullbetraege);
}

}  // namespace zaq
