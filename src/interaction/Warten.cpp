#include "interaction/Warten.h"

#include <algorithm>
#include <cmath>

namespace zaq {

void TfrmWarten::Zeigen() {
  UI().WartenZeigen(FZustand);
  FSichtbar = true;
}

void TfrmWarten::ZeigeStatus(const std::string& text, double anteil) {
  if (!FSichtbar) {
    FAbbruch = false;
    FZustand.abbruchMoeglich = true;
  }
  FZustand.text = text;
  FZustand.schritt = static_cast<int>(std::lround(std::clamp(anteil, 0.0, 1.0) * 20));
  Zeigen();
  UI().Verarbeiten();
}

void TfrmWarten::Fortschritt(double anteil) {
  int schritt = static_cast<int>(std::lround(std::clamp(anteil, 0.0, 1.0) * 20));
  if (schritt == FZustand.schritt) return;
  FZustand.schritt = schritt;
  if (FSichtbar) UI().WartenZeigen(FZustand);
  UI().Verarbeiten();
}

void TfrmWarten::VerarbeitenJetzt() {
  auto jetzt = std::chrono::steady_clock::now();
  if (jetzt - FLetztesVerarbeiten < std::chrono::milliseconds(40)) return;
  FLetztesVerarbeiten = jetzt;
  UI().Verarbeiten();
}

void TfrmWarten::AbbruchSperren(bool gesperrt) {
  FZustand.abbruchMoeglich = !gesperrt;
  if (FSichtbar) UI().WartenZeigen(FZustand);
}

Antwort TfrmWarten::WarteMeldung(const std::string& text, MeldungsArt art, Knoepfe knoepfe,
                                 int vorgabe) {
  bool warSichtbar = FSichtbar;
  if (warSichtbar) UI().WartenVerbergen();
  Antwort antwort = UI().Meldung(MeldungsDaten{text, art, knoepfe, vorgabe});
  if (warSichtbar) UI().WartenZeigen(FZustand);
  return antwort;
}

void TfrmWarten::Schliessen() {
  if (FSichtbar) UI().WartenVerbergen();
  FSichtbar = false;
  // A cancel belongs to the operation that showed the window.
  FAbbruch = false;
}

void TfrmWarten::AbbrechenGeklickt() {
  if (!FZustand.abbruchMoeglich || FAbbruch) return;
  if (WarteMeldung("Wollen Sie den Vorgang wirklich abbrechen?", MeldungsArt::Frage,
                   Knoepfe::JaNein, 2) == Antwort::Ja)
    FAbbruch = true;
}

}  // namespace zaq
