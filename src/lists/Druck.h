#pragma once
// Printing: the page engine (page metrics from the printer and the margin
// settings, fonts from the settings, the page header, text, cells, lines
// and shading) and the printouts built on it: tables, the member sheet and
// the master data sheet.  It draws on a TDruckgeraet, so the program, the
// command line and the tests print the same pages.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interaction/Drucker.h"

namespace zaq {

class TMitglied;
class TTabelle;
class TZAQ;

// x rounded to the nearest whole number, halves to the even one.
int Naechste(double x);

// The page in printer pixels: the margins (already less the unprintable
// border), the printable width B and height H, the gap after a block of
// table rows, one millimetre, the resolution, and whether a printer is there.
struct TSeitenmasse {
  int oben = 0, links = 0, rechts = 0, unten = 0;
  int B = 0, H = 0;
  int blockabstand = 0, mm = 0, dpi = 600;
  bool drucker = false;
};
TSeitenmasse Seitenmasse(const TDruckerMasse& d);

// A settings font by its number (1 "Schrift Verein" ... 32).
TSchrift EinstellungsSchrift(int nummer);

// Alignments of text in a cell.
enum Ausrichtung { kLinks = 1, kRechts = 2, kMitte = 3 };
enum Senkrecht { kOben = 1, kUnten = 2, kMittig = 3 };

class TSeite {
 public:
  explicit TSeite(TDruckgeraet& geraet);
  TDruckgeraet& Geraet() { return FGeraet; }
  const TSeitenmasse& M() const { return FM; }

  // The font for what follows, its size scaled; the new cell height.
  int SetzeSchrift(int nummer, double faktor = 1);
  int SetzeSchrift(const TSchrift& schrift, double faktor = 1);
  const TSchrift& Schrift() const { return FSchrift; }
  // The current font's cell height.
  int h() const { return FH; }

  void Vorschub(int& y, double faktor);
  void DruckeText(int x, int& y, Ausrichtung ausrichtung, std::string_view text, double faktor);
  // The text in the cell x..x+breite, y..y+hoehe, clipped to it; a tab
  // prints as "»".  Then y advances by hoehe × faktor.
  void DruckeZelle(int x, int& y, int breite, std::string_view text, double faktor, Senkrecht senkrecht,
                   Ausrichtung waagrecht, int hoehe);
  void DruckeLinie(int& y, int x1, int x2, bool doppelt, double faktor, int stift);
  void Schattiere(int x, int y, int breite, std::uint32_t farbe, int hoehe);
  // The header of a page; y is set to the top margin and left below it.
  void Seitenkopf(const std::string& verein, const std::vector<std::string>& links, int seite,
                  const std::vector<std::string>& rechts, int& y);
  void NeueSeite() { FGeraet.NeueSeite(); }

 private:
  TDruckgeraet& FGeraet;
  TSeitenmasse FM;
  TSchrift FSchrift;
  int FH = 0;
};

// The program line of the last page: "ZAQ32 Ausgabe ..., Februar 2019".
std::string Programmzeile();

// --- the table printout ---

struct TTabellendruck {
  std::string titel;        // the header's first left text
  int von = 1, bis = 1;     // body rows, 1-based
  std::uint8_t skalierung;  // tdNichtSkalieren, tdVerkleinern or tdAnpassen
};
// The defaults of the print dialog for a table.
TTabellendruck Tabellendruck(const TTabelle& tabelle);
// Prints the rows; false when the user cancelled in the wait window.
bool DruckeTabelle(TTabelle& tabelle, const TTabellendruck& druck, TDruckgeraet& geraet);

// --- the sheets ---

// "Einzelausdruck Mitgliedsdaten"; the fee section only with the right to
// see fee data.
bool DruckeMitglied(TZAQ& liste, TMitglied& m, TDruckgeraet& geraet);
// "Vereinsstammdaten": file, administration, club, lists, accounts and, on
// further pages, the fee classes (only with the right to see fee data).
bool DruckeStammdaten(TZAQ& liste, TDruckgeraet& geraet);

// The message when there is no default printer.
inline constexpr const char* kKeinDrucker =
    "Bitte wählen Sie in den Windows-Einstellungen zuerste einen Standarddrucker aus!";
// Commands that print check this first; false after the message.
bool PruefeDrucker();

}  // namespace zaq
