#pragma once
// The fee collection run: the fee engine's payers with a debit mandate become
// the bookings of a new SEPA booking list; special bookings of a fixed
// amount; the list check "Bankverbindungen prüfen".
//
// A run is all or nothing: the bookings are computed first and written in
// one step, and only a run whose list was written changes members (their
// preliminary pay dates and first-debit dates).  A cancelled run leaves the
// list as it was created and every member as it was.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Datum.h"

namespace zaq {

class TMitglied;
class TSepa;
class TStammdaten;
class TTabelle;
class TZAQ;

struct TSepaSammelOptionen {
  std::string Vorlage;           // the purpose template; "Testlauf" for the test run
  std::string Kontoschluessel;   // the club account receiving the debits
  bool Sonder = false;           // a fixed amount per member instead of the fees
  std::int64_t FesterBetrag = 0; // cents per member, special bookings
  bool NurSelektierte = false;
  bool Kontofilter = false;      // only payers whose receiving account is this one
  bool VollesJahr = false;
  bool VorlDatumSetzen = false;  // a real run, as opposed to a trial
  Tag Rechendatum = 0;           // 0: the fee age reference date
};

struct TSammelErgebnis {
  int Buchungen = 0;
  std::int64_t Summe = 0;  // cents of the bookings written
  bool Abgebrochen = false;
  bool Schreibfehler = false;
  // The members the fee engine found fault with (shown with standard
  // template 10 when zeigen is set).
  std::vector<TMitglied*> Hinweisliste;
  std::shared_ptr<TTabelle> Befunde;
};

// Appends the bookings of a run to a list just created.  With
// befundeZeigen, the findings table opens beside the list.
TSammelErgebnis SammleBuchungen(TSepa& liste, TZAQ& verein, const TSepaSammelOptionen& o, bool befundeZeigen = true);

// A whole run of the fee menu into a list just created: the bookings under
// the wait text, then the header (description, club account, debit date,
// sequence kind) and the sort by name.  A run without bookings deletes the
// list file and says "Es wurden keine Mitglieder gefunden."; a cancelled or
// failed run deletes it too, and changes nobody.
TSammelErgebnis Einzugslauf(TSepa& liste, TZAQ& verein, const TSepaSammelOptionen& o, const std::string& beschreibung,
                            std::uint8_t sequenz, double abbuchung, const std::string& warteText,
                            bool befundeZeigen = true);

// A finding of the list check: the booking (0 the header), field and fault.
struct TListenbefund {
  int formular = 0;
  std::string feld;
  std::string fehler;
  bool operator==(const TListenbefund&) const = default;
};
// Every finding of the list check; the wait window's cancel ends it with a
// last row "Ende der Prüfung" / "Abbruch durch Benutzer".
std::vector<TListenbefund> ListenBefunde(const TSepa& liste, const TStammdaten& stamm);
// "Überprüfe Datenbank": true without findings; otherwise the findings
// table "Nicht übernommene Datensätze" opens and the result is false.
bool PruefeListe(const TSepa& liste, const TStammdaten& stamm);

}  // namespace zaq
