#pragma once
// What a printout needs of a printer, and the print job the core hands to
// the front end.  Coordinates are device pixels from the top-left corner of
// the printable area.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "interaction/Oberflaeche.h"

namespace zaq {

// The printer's page: printable and physical size in pixels, the offsets of
// the printable area, the paper in millimetres and the resolution.  The
// values are those of an A4 page at 600 pixels per inch without a printer.
struct TDruckerMasse {
  int HR = 4958, VR = 7016;  // printable width and height
  int PW = 4958, PH = 7016;  // physical width and height
  int OX = 0, OY = 0;        // physical offsets
  int HS = 210, VS = 297;    // width and height in millimetres
  int dpi = 600;             // pixels per inch, horizontally
  bool vorhanden = false;    // a printer (or a file) stands behind them
};

class TDruckgeraet {
 public:
  virtual ~TDruckgeraet() = default;
  virtual TDruckerMasse Masse() const = 0;
  virtual void NeueSeite() = 0;
  virtual int Seitennummer() const = 0;
  // Font for what follows: name, size in points, style and colour.
  virtual void SetzeSchrift(const TSchrift& schrift) = 0;
  virtual int TextBreite(std::string_view text) = 0;
  virtual int TextHoehe(std::string_view text) = 0;
  // The current font's cell height, the line height of printouts.
  virtual int Zellenhoehe() = 0;
  // Text whose top-left corner is at x, y.
  virtual void Text(int x, int y, std::string_view text) = 0;
  // The same, clipped to the rectangle.
  virtual void TextGeschnitten(int links, int oben, int rechts, int unten, int x, int y, std::string_view text) = 0;
  // A solid rectangle in the colour 0x00BBGGRR.
  virtual void Rechteck(int links, int oben, int rechts, int unten, std::uint32_t farbe) = 0;
  virtual void Linie(int x1, int y1, int x2, int y2, int stift) = 0;
};

// A print job: the job's title, the copies, the orientation and the printer
// chosen in the print dialog (empty: the default one), and the printout,
// which draws its pages and returns false when the user cancelled it.
struct TDruckauftrag {
  std::string titel;
  int kopien = 1;
  bool quer = false;
  std::string drucker;
  bool vorschau = false;  // show it on the screen first
  std::function<bool(TDruckgeraet&)> drucken;
};

}  // namespace zaq
