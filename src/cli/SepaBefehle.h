#pragma once
// zaq-cli's SEPA commands: a booking list as JSON, and the pain.008 file of a list.
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "base/Datum.h"

namespace zaq::cli {

// slv-dump LIST: 0 read, 1 not a booking list.
int SlvDump(const std::string& liste, std::ostream& aus);

struct SepaXmlAufruf {
  std::string mitgliederdatei, liste, ziel;
  std::string schema;  // empty: pain.008.001.08
  Tag datum = 0;       // 0: as the export's date dialog starts
};
// sepa-xml: 0 written; 1 refused (findings on stderr, nothing written).
int SepaXml(const SepaXmlAufruf& aufruf, std::ostream& aus);

struct EinzugAufruf {
  std::string mitgliederdatei, liste, konto;
  Tag datum = 0;  // 0: the wizard's default
  bool vollesJahr = false, nurSelektierte = false, echt = false;
  int kontofilter = -1;  // -1 the wizard's default, 0 off, 1 on
  std::optional<std::string> beschreibung, zweck;
};
// einzug: the fee collection into a new booking list, as the wizard's run
// makes it; prints {"Buchungen", "Summe", "Hinweisliste"}.  With echt the
// preliminary pay dates are set and the member file saved; else it stays
// as it was.  0 written; 1 no bookings or refused.
int Einzug(const EinzugAufruf& aufruf, std::ostream& aus);

// slv-edit LISTE [--zaq DATEI]: the SEPA window's operations, read as a JSON
// array from ein, each written to the list at once; prints {"Anzahl",
// "Gesamtbetrag", "Gefunden"}.  0 all done; 1 the list could not be opened
// or an operation was refused (those before it are written); 2 the input is
// no array of operations.
int SlvEdit(const std::string& liste, const std::string& mitgliederdatei, std::istream& ein, std::ostream& aus,
            std::ostream& fehler);

}  // namespace zaq::cli
