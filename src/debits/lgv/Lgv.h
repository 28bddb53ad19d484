#pragma once
// The debit and credit lists from before SEPA (".lsv" "Lastschriften",
// ".gsv" "Gutschriften"): fixed records of 444 bytes in the layout of the
// domestic data-carrier exchange, record 0 the header.  They are opened,
// corrected, summed, sorted, printed and saved under another name; new ones
// are not made.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "debits/Satzdatei.h"

namespace zaq {

inline constexpr std::size_t kLgvSatzgroesse = 444;
inline constexpr std::string_view kLgvLastschriften = "05 000 LASTSCHRIFTEN";
inline constexpr std::string_view kLgvGutschriften = "51 000 GUTSCHRIFTEN";
inline constexpr int kLgvHoechstzahl = 65534;
inline constexpr int kLgvZeilen = 14;  // purpose lines of a booking

// One booking; texts UTF-8 here, Windows-1252 in the file, each at most
// 27 characters there.
struct TLGVBuchung {
  std::string Kontoinhaber;
  std::string BLZ = "00000000";
  std::string Kontonummer = "0000000000";
  float Betrag = 0;  // euro
  std::array<std::string, kLgvZeilen> Zweck;
  bool operator==(const TLGVBuchung&) const = default;
};

struct TLGVKopf {
  std::string Textschluessel;
  std::string BLZ, Kontonummer;  // the club's account
  std::string Referenznummer;    // 10 digits
  std::string Auftraggeber;      // the club
  std::string Bankname;          // the bank that executes the bookings
  std::string Beschreibung1, Beschreibung2;  // the description, 27 + 27 characters
  bool operator==(const TLGVKopf&) const = default;
};

// The list's control sums: bank codes and account numbers added as whole
// numbers (a field that is not one counts 0), the amounts as the exact sum
// of each rounded to whole cents.
struct TKontrollsummen {
  int Anzahl = 0;
  std::int64_t SummeBLZ = 0;
  std::int64_t SummeKontonummern = 0;
  std::int64_t SummeCent = 0;
};

class TLGV : public TSatzdatei<kLgvSatzgroesse> {
 public:
  // An existing list; false after the message.
  bool Oeffnen(const std::string& datei);
  // 1 debit list, 2 credit list (0 when none is open).
  int Art() const { return FArt; }
  int Anzahl() const { return std::min(static_cast<int>(FSaetze.size()) - 1, kLgvHoechstzahl); }

  TLGVKopf Kopf() const;
  bool SchreibeKopf(const TLGVKopf& kopf);
  // Booking i, 1 to Anzahl().
  TLGVBuchung Lesen(int i) const;
  // Writes booking i; Anzahl() + 1 appends.  False after the message.
  bool Schreiben(const TLGVBuchung& buchung, int i);
  bool Anhaengen() { return Schreiben(TLGVBuchung{}, Anzahl() + 1); }
  bool Loeschen(int i);
  // The first booking from start on whose holder, bank code and account
  // number contain every word of the text; 0 for none.
  int Suchen(std::string_view text, int start) const;
  // Copies the list to the new name, which then becomes the list's file;
  // false for the open file's own name.
  bool SpeichernUnter(const std::string& datei);
  TKontrollsummen Kontrollsummen() const;
  // Sorts by key 1 holder, 2 purpose lines 1 and 2, 3 bank code and account
  // number, 4 amount.  Equal bookings keep their order.  False when
  // cancelled or not written.
  bool Sortieren(int schluessel);

 private:
  void Geaendert() override { FSummen.reset(); }
  int FArt = 0;
  mutable std::optional<TKontrollsummen> FSummen;
};

}  // namespace zaq
