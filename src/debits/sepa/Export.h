#pragma once
// The XML export of a booking list: the pain.008 document for the bank,
// checked by its own rules and against the official XSD before it is written.
#include <string>
#include <string_view>

#include "base/Datum.h"
#include "debits/sepa/SEPADirectDebit.h"
#include "interaction/Oberflaeche.h"

namespace zaq {

class TSepa;
class TStammdaten;
class TVereinskonto;

// The schema versions of the export: 37 is what German banks take since
// November 2025 (DFÜ-Abkommen Anlage 3 V3.7, pain.008.001.08), 30 and 29 the
// older ones for banks that still take them.
inline constexpr int kSepaVersion37 = 37;
inline constexpr int kSepaVersion30 = 30;
inline constexpr int kSepaVersion29 = 29;
// The schema of a version; empty for another value.
std::string_view SchemaVonVersion(int version);
// The save dialog's file types, the preselected first: 37, 30, 29.
std::vector<DateiFilter> XmlDateifilter();
int VersionVonFilter(int filterIndex);

// The dialog "DTA-Datei erstellen": the day the bookings are to be collected.
class TAusfuehrungsdatumDialog : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "DTA-Datei erstellen";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kFrage = "Bitte geben Sie das Datum an, an dem die Buchungen ausgeführt werden sollen!";

  // Starts at tomorrow, at the header's date when that lies within the next
  // 14 days, or at today + 14.
  explicit TAusfuehrungsdatumDialog(Tag kopfdatum);
  Tag Erstes() const { return Heute() + 1; }
  Tag Letztes() const { return Heute() + 14; }
  Tag FDatum;
  // "OK": false after the message when the day lies outside.
  bool Bestaetigen();
};

// The document of a list without asking anything: schema, collection day
// and the club account that receives the money.  Amounts are the bookings'
// floats rounded to whole cents.
sepa::TDirectDebitInitiation BaueDokument(const TSepa& liste, const TVereinskonto& konto, std::string_view schema,
                                          Tag ausfuehrung);
// The document's own findings, then those of the official XSD for its text.
sepa::Messages PruefeDokument(const sepa::TDirectDebitInitiation& dokument, const std::string& xml);

// "XML-Datei erzeugen": the club account of the header, the collection day,
// the document, its findings (OK writes nothing, Ignore writes); true when
// a file was written.
bool ErzeugeXML(const TSepa& liste, const TStammdaten& stamm, const std::string& datei, int version);

}  // namespace zaq
