#pragma once
// A printer for the tests: an A4 page at 600 pixels per inch without
// unprintable border, text measured with the core's Helvetica metric, and
// every page kept as the list of what was drawn on it.
#include <cstdint>
#include <string>
#include <vector>

#include "interaction/Drucker.h"

namespace zaq {

class ProtokollDrucker : public TDruckgeraet {
 public:
  struct Zeichnung {
    enum Art { Text, Rechteck, Linie } art;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // text: its position; else the corners
    std::string text;
    TSchrift schrift;
    std::uint32_t farbe = 0;
    int stift = 0;
    int clipRechts = 0, clipUnten = 0;  // text: the clip rectangle's far edges, 0 without
  };
  struct Seite {
    std::vector<Zeichnung> zeichnungen;
    // Every text of the page in drawing order.
    std::vector<std::string> Texte() const;
    bool Enthaelt(const std::string& text) const;
  };

  ProtokollDrucker();
  TDruckerMasse masse;
  std::vector<Seite> seiten;

  TDruckerMasse Masse() const override { return masse; }
  void NeueSeite() override { seiten.emplace_back(); }
  int Seitennummer() const override { return static_cast<int>(seiten.size()); }
  void SetzeSchrift(const TSchrift& schrift) override { FSchrift = schrift; }
  int TextBreite(std::string_view text) override;
  int TextHoehe(std::string_view text) override;
  int Zellenhoehe() override { return TextHoehe("Ag"); }
  void Text(int x, int y, std::string_view text) override;
  void TextGeschnitten(int links, int oben, int rechts, int unten, int x, int y, std::string_view text) override;
  void Rechteck(int links, int oben, int rechts, int unten, std::uint32_t farbe) override;
  void Linie(int x1, int y1, int x2, int y2, int stift) override;

 private:
  TSchrift FSchrift;
};

}  // namespace zaq
