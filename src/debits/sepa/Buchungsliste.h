#pragma once
// The SEPA booking list (".slv", "SEPA-Lastschriften"): fixed records of 298
// bytes, record 0 the header, then one booking per debit.  Every change
// reaches the file at once, and the file is always replaced whole (written
// beside it, flushed, renamed over it), so a failure never leaves half a list.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "debits/Satzdatei.h"

namespace zaq {

class TMitglied;
class TStammdaten;
class TVereinskonto;

inline constexpr std::size_t kSepaSatzgroesse = 298;
inline constexpr std::string_view kSepaKennung = "SEPA-LASTSCHRIFTEN";
inline constexpr int kSepaHoechstzahl = 65534;

// One booking.  Texts are UTF-8 here, Windows-1252 in the file, cut to the
// field's capacity there.
struct TSepaBuchung {
  std::string Name;              // the debtor ("Kontoinhaber"), 35
  std::string IBAN;              // 35
  std::string Mandatsreferenz;   // 35
  double Mandatsdatum = 0;       // date of signature, day number with time
  std::uint8_t Sequenz = 0;      // 2 recurring (fee run), 0 otherwise; informative
  float Betrag = 0;              // euro
  std::string Kundenreferenz;    // 35; the end-to-end identifier of the XML
  std::string Verwendungszweck;  // 140, lines separated by CR LF
  // All empty, the mandate date now.
  static TSepaBuchung Vorgabe();
  bool operator==(const TSepaBuchung&) const = default;
};

// The header, in the places of a booking's fields.
struct TSepaKopf {
  std::string Kennung;           // "SEPA-LASTSCHRIFTEN"
  std::string Kontoschluessel;   // the club account of the list ("Verknüpfter Kontoschlüssel")
  double Datum = 0;              // requested debit date ("Abbuchungsdatum")
  std::uint8_t Sequenz = 0;      // 0 one-off debits (OOFF), else recurring (RCUR)
  std::string Beschreibung;      // "Dateibeschreibung", 140
  // The identifier, the date now plus three days.
  static TSepaKopf Neu();
  bool operator==(const TSepaKopf&) const = default;
};

// A booking's amount in whole cents, the float rounded once; none for a
// value no bank file can carry (not a number, infinite, or beyond
// 10,000,000,000,000 euro).
std::optional<std::int64_t> BetragInCent(float betrag);

class TSepa : public TSatzdatei<kSepaSatzgroesse> {
 public:
  // An existing list; false after the message (the list is then not open).
  bool Oeffnen(const std::string& datei);
  // A new list with its header only, replacing a file of that name; the
  // failure's message only when asked for.
  bool Anlegen(const std::string& datei, bool melden = true);
  // The bookings the list addresses; records beyond them are kept as they are.
  int Anzahl() const { return std::min(static_cast<int>(FSaetze.size()) - 1, kSepaHoechstzahl); }

  TSepaKopf Kopf() const;
  bool SchreibeKopf(const TSepaKopf& kopf);
  // Booking i, 1 to Anzahl().
  TSepaBuchung Lesen(int i) const;
  // Writes booking i; i = Anzahl() + 1 appends.  False after the message.
  bool Schreiben(const TSepaBuchung& buchung, int i);
  bool Anhaengen();
  // A booking from the member's account; false for a member without one.
  bool MitgliedAnhaengen(const TMitglied& mitglied);
  bool Loeschen(int i);
  // The first booking from start on whose name and IBAN contain every word
  // of the text (upper case A to Z); 0 for none.
  int Suchen(std::string_view text, int start) const;
  // Copies the list to the new name, which then becomes the list's file;
  // false for the same name.
  bool SpeichernUnter(const std::string& datei);
  // For a list that received no booking.
  void SchliessenUndLoeschen();
  // The exact sum of the bookings' amounts in cents, each rounded once (a
  // float sum loses cents); an amount no bank file can carry counts 0.
  std::int64_t Gesamtbetrag() const;
  const TVereinskonto* Vereinskonto(const TStammdaten& stamm) const;
  // Sorts the bookings by key 1 name, 2 purpose, 3 mandate reference,
  // 4 customer reference, 5 IBAN without its first four characters, 6 amount.
  // Returns false when cancelled; the order of equal bookings is not kept.
  bool Sortieren(int schluessel);

  // Whether every character of the text in upper case is one a list allows.
  static bool ZeichenGueltig(std::string_view text);
  // Acute, grave and circumflex accents of the vowels removed.
  static std::string AkzenteEntfernen(std::string_view text);

 private:
  void Geaendert() override { FSumme.reset(); }
  mutable std::optional<std::int64_t> FSumme;
};

}  // namespace zaq
