#pragma once
// The two fee runs that collect nothing: the fee check, which lists every
// member with a fault in its fee data and reports the total, and the
// invoice run, which lists the members who pay by invoice.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Datum.h"

namespace zaq {

class TMitglied;
class TTabelle;
class TZAQ;

struct TBeitragspruefung {
  std::int64_t Summe = 0;  // cents
  std::vector<TMitglied*> Hinweisliste;
  // The closing message.
  std::string Meldung;
  std::shared_ptr<TTabelle> Befunde;
};

// "Überprüfe Zahlungen": the fee run over invoice and direct-debit payers.
// With anzeigen, the findings table opens and the closing message is shown.
// The member file does not change; the age classes' statistics hold the
// run's counts for the report.
TBeitragspruefung PruefeBeitraege(TZAQ& liste, Tag rechendatum, bool vollesJahr, bool nurSelektierte,
                                  bool anzeigen = true);

struct TRechnungslauf {
  std::int64_t Summe = 0;
  std::vector<TMitglied*> Rechnungsliste;  // the members invoiced, payer by payer
  std::vector<TMitglied*> Hinweisliste;
  std::shared_ptr<TTabelle> Rechnungen;    // the invoice table
  std::shared_ptr<TTabelle> Befunde;
};

// "Erstelle Rechnungen": the invoice table of the members whose fees are
// paid by invoice, with the findings table and the closing message.  With
// vorlDatumSetzen, every member of every invoice payer gets the date as its
// preliminary pay date.  nullbetraege lists members whose fee is 0 too.
TRechnungslauf ErstelleRechnungen(TZAQ& liste, Tag rechendatum, bool vollesJahr, bool vorlDatumSetzen,
                                  bool nurSelektierte, bool nullbetraege);

}  // namespace zaq
