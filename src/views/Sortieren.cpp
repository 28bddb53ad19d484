#include "views/Sortieren.h"

#include "interaction/Einstellungen.h"
#include "store/TabVorlage.h"
#include "store/ZAQ.h"
#include "views/Hauptfenster.h"

namespace zaq {

TfrmZAQSort::TfrmZAQSort(const Sortierschluessel& schluessel) {
  for (std::size_t j = 0; j < 3; ++j) {
    if (j < schluessel.size()) {
      FWahl[j] = SortierIndex(schluessel[j]);
      FAbsteigend[j] = schluessel[j] < 0;
    } else {
      FWahl[j] = 0;
    }
  }
}

std::vector<std::string> TfrmZAQSort::Auswahl() {
  std::vector<std::string> texte;
  for (int i = 0; i < kSortierArten; ++i) texte.emplace_back(SortierText(i));
  return texte;
}

Sortierschluessel TfrmZAQSort::Sortieren() const {
  Sortierschluessel s;
  for (std::size_t j = 0; j < 3; ++j) {
    const std::int32_t art = FWahl[j] >= 0 ? SortierArt(FWahl[j]) : 0;
    s.push_back(FAbsteigend[j] ? -art : art);
  }
  return s;
}

bool SortierDialog(Sortierschluessel& schluessel) {
  TfrmZAQSort dialog(schluessel);
  if (!UI().Dialog(dialog)) return false;
  schluessel = dialog.Sortieren();
  return true;
}

bool SortierSchluessel(int nummer, Sortierschluessel& schluessel) {
  if (auto fest = BefehlsSchluessel(nummer)) {
    schluessel = *fest;
    return true;
  }
  return SortierDialog(schluessel);
}

// --- search window ----------------------------------------------------------

TfrmZAQSuchen::TfrmZAQSuchen(TfrmZAQ& haupt) : FHaupt(haupt) {}

void TfrmZAQSuchen::SetzeSichtbar(bool sichtbar) {
  if (sichtbar && !FSichtbar) FAutomatisch = LeseEinstellungZahl(esAutosuchen).value_or(1) == 1;
  FSichtbar = sichtbar;
  FHaupt.AktualisiereAnzeige(false);
}

void TfrmZAQSuchen::TextGeaendert(const std::string& text) {
  FText = text;
  TZAQ* liste = FHaupt.Liste();
  if (!liste) return;
  if (!FAutomatisch) {
    FHaupt.ZeigeMitglied(liste->FMitglieder.Erstes());
    return;
  }
  if (auto fund = SucheMitglied(*liste, FHaupt.AktuellesMitglied(), FText, false))
    FHaupt.ZeigeMitglied(fund->mitglied);
}

void TfrmZAQSuchen::Suchen() {
  TZAQ* liste = FHaupt.Liste();
  if (!liste) return;
  if (auto fund = SucheMitglied(*liste, FHaupt.AktuellesMitglied(), FText, true)) {
    FHaupt.ZeigeMitglied(fund->mitglied);
    return;
  }
  Meldung(kNichtGefunden, MeldungsArt::Information);
  FTextAuswaehlen = true;
}

TfrmZAQSuchen::Platz TfrmZAQSuchen::GespeicherterPlatz() {
  return {LeseEinstellungZahl(esZAQSuchenX).value_or(0), LeseEinstellungZahl(esZAQSuchenY).value_or(0)};
}

void TfrmZAQSuchen::SpeicherePlatz(Platz p) {
  SchreibeEinstellungZahl(esZAQSuchenX, p.x);
  SchreibeEinstellungZahl(esZAQSuchenY, p.y);
}

}  // namespace zaq
