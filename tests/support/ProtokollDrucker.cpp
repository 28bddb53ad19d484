#include "support/ProtokollDrucker.h"

#include <algorithm>

#include "lists/Tabelle.h"

namespace zaq {

ProtokollDrucker::ProtokollDrucker() {
  masse.vorhanden = true;
  seiten.emplace_back();
}

// The screen metric at 96 dpi, scaled to the printer's resolution.
int ProtokollDrucker::TextBreite(std::string_view text) { return zaq::TextBreite(FSchrift, text) * masse.dpi / 96; }
int ProtokollDrucker::TextHoehe(std::string_view) { return zaq::TextHoehe(FSchrift) * masse.dpi / 96; }

void ProtokollDrucker::Text(int x, int y, std::string_view text) {
  seiten.back().zeichnungen.push_back({Zeichnung::Text, x, y, x, y, std::string(text), FSchrift, FSchrift.farbe, 0, 0, 0});
}

void ProtokollDrucker::TextGeschnitten(int, int, int rechts, int unten, int x, int y, std::string_view text) {
  seiten.back().zeichnungen.push_back(
      {Zeichnung::Text, x, y, x, y, std::string(text), FSchrift, FSchrift.farbe, 0, rechts, unten});
}

void ProtokollDrucker::Rechteck(int links, int oben, int rechts, int unten, std::uint32_t farbe) {
  seiten.back().zeichnungen.push_back({Zeichnung::Rechteck, links, oben, rechts, unten, "", FSchrift, farbe, 0, 0, 0});
}

void ProtokollDrucker::Linie(int x1, int y1, int x2, int y2, int stift) {
  seiten.back().zeichnungen.push_back({Zeichnung::Linie, x1, y1, x2, y2, "", FSchrift, 0, stift, 0, 0});
}

std::vector<std::string> ProtokollDrucker::Seite::Texte() const {
  std::vector<std::string> t;
  for (const auto& z : zeichnungen)
    if (z.art == Zeichnung::Text) t.push_back(z.text);
  return t;
}

bool ProtokollDrucker::Seite::Enthaelt(const std::string& text) const {
  const auto t = Texte();
  return std::find(t.begin(), t.end(), text) != t.end();
}

}  // namespace zaq
