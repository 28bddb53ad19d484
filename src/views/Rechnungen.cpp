#include "views/Rechnungen.h"

#include "debits/sepa/Beitragspruefung.h"
#include "interaction/Einstellungen.h"
#include "lists/Selektion.h"
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
    : FRechendatum(NaechstesJahresende(heute)),
      FNullbetraege(liste.FNullbetragMelden),
      FNurSelektierte(LeseEinstellung(esJubiListenSelektiert) == "1"),
      FListe(liste) {}

std::string TfrmRechnungsAssistent::SchrittTitel() const {
  switch (FSchritt) {
    case 1: return "Schritt 1 von 3: Berechnungszeitraum (Rechendatum)";
    case 2: return "Schritt 2 von 3: Mitgliederselektion";
    default: return "Schritt 3 von 3: Vorläufige Rechendaten aktualisieren";
  }
}

std::string TfrmRechnungsAssistent::RechendatumText() const { return "Neues Rechendatum : " + DatumText(FRechendatum); }

bool TfrmRechnungsAssistent::Weiter() {
  if (!Letzter()) {
    ++FSchritt;
    return true;
  }
  if (FDatumwahl == keine) {
    Meldung("Sie müssen wählen, ob die Rechendaten (Beitrag-Bezahlt-Datum) in den ZQA-Datensätzen nun aktualisiert "
            "werden sollen!",
            MeldungsArt::Fehler);
    return false;
  }
  FFertig = true;
  return true;
}

void TfrmRechnungsAssistent::Ausfuehren() {
  if (FFertig)
    ErstelleRechnungen(FListe, FRechendatum, FVollesJahr, FDatumwahl == vorlaeufig, FNurSelektierte, FNullbetraege);
}

void TfrmRechnungsAssistent::Zurueck() {
  if (FSchritt > 1) --FSchritt;
}

void TfrmRechnungsAssistent::Gesamtselektion() {
  if (SelektionMoeglich()) GesamtSelektion(FListe);
}

void TfrmRechnungsAssistent::Listenselektion() {
  if (SelektionMoeglich()) ListenSelektion(FListe);
}

}  // namespace zaq
