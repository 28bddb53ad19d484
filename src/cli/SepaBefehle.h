#pragma once
// zaq-cli's SEPA commands: a booking list as JSON, and the pain.008 file of a list.
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

}  // namespace zaq::cli
