#pragma once
// Fee classes: what a member pays per year, by age class or as one family
// amount, and how a period shorter or longer than a year is charged.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "store/DateiEA.h"

namespace zaq {

// Partial-period modes 0..13 (FTeilberechnung).
inline constexpr int kTeilberechnungen = 14;
// The editor's text of a mode; any other value leaves text unchanged.
void TeilberechnungText(int modus, std::string& text);
std::vector<std::string> TeilberechnungTexte();

class TAltKlasse : public TFeldDatensatz<TAltKlasse> {
 public:
  const char* KlassenName() const override { return "TAltKlasse"; }
  static std::span<const Feldbeschreibung<TAltKlasse>> Felder();

  // Statistics of the last fee run.
  void Zaehle(std::int64_t cent) {
    FSumme += cent;
    ++FAnzahl;
  }

  std::string FVerwendungszweck;
  float FBetrag = 0;  // euro per year, as stored
  std::uint8_t FAlterBis = 150;

  // Run-time statistics: sum in cents and number of counted fees.
  std::int64_t FSumme = 0;
  std::int32_t FAnzahl = 0;
};

class TBtrKlasse : public TFeldDatensatz<TBtrKlasse> {
 public:
  // A new class has one default age class.
  TBtrKlasse();
  const char* KlassenName() const override { return "TBtrKlasse"; }
  static std::span<const Feldbeschreibung<TBtrKlasse>> Felder();
  // A class read from a file has exactly the age classes of the file.
  void StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) override;

  // The first age class whose upper bound is at least the age; ages above
  // 255 find none.
  const TAltKlasse* AltKlasseFuerAlter(int alter) const;
  TAltKlasse* AltKlasseFuerAlter(int alter);

  void StatistikZuruecksetzen();
  std::int64_t StatistikSumme() const;  // cents
  std::int32_t StatistikAnzahl() const;

  std::string FSchluessel;
  std::string FBezeichnung;
  std::uint8_t FTeilberechnung = 0;
  bool FFaktorText = false;
  bool FFamilienbeitrag = false;
  std::uint8_t FFamilienMax = 0;
  std::uint8_t FFamilienIst = 0;
  std::uint8_t FFamilienAlter = 18;
  std::vector<TAltKlasse> FAltKlassen;
};

class TBtrKlassenListe : public TListe<TBtrKlasse> {
 public:
  const char* KlassenName() const override { return "TBtrKlassenListe"; }
  // The first class with exactly this key; none for a blank key.
  const TBtrKlasse* Suche(const std::string& schluessel) const;
  TBtrKlasse* Suche(const std::string& schluessel);
};

// A fee class from the additional file of an older member file (section
// "BSL" + key).  False when a number does not fit its field; the class then
// holds what could be read.
bool LadeAusIni(TBtrKlasse& klasse, const std::string& datei, const std::string& schluessel);

}  // namespace zaq
