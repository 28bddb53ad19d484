#pragma once
// Sorting and searching as the user meets them: the extended sort dialog,
// the keys of the sort commands, and the search window "Mitglied suchen".
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interaction/Oberflaeche.h"
#include "lists/Sortierung.h"

namespace zaq {

class TfrmZAQ;

// "Sortierreihenfolge wählen": three criteria among the sortable kinds,
// each with "Absteigend".
class TfrmZAQSort : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Sortierreihenfolge wählen";
  std::string_view Art() const override { return kArt; }
  static constexpr std::array<const char*, 3> kKriterien = {"Erstes Sortierkriterium", "Zweites Sortierkriterium",
                                                            "Drittes Sortierkriterium"};
  static constexpr const char* kAbsteigendHinweis = "Absteigende sortierreihenfolge";

  explicit TfrmZAQSort(const Sortierschluessel& schluessel);
  // The 20 texts every choice offers.
  static std::vector<std::string> Auswahl();

  // Index into Auswahl(); -1 when nothing is chosen.
  std::array<int, 3> FWahl{};
  std::array<bool, 3> FAbsteigend{};

  // "&Sortieren": exactly three keys.
  Sortierschluessel Sortieren() const;
};

// The extended sort dialog on a key list; unchanged when cancelled.
bool SortierDialog(Sortierschluessel& schluessel);
// The keys of sort command nummer; a number without fixed keys asks.
bool SortierSchluessel(int nummer, Sortierschluessel& schluessel);

// "Mitglied suchen": a window beside the main window that finds members by
// name and makes them current there.
class TfrmZAQSuchen {
 public:
  static constexpr const char* kTitel = "Mitglied suchen";
  static constexpr const char* kNichtGefunden = "Keinen weiteren Datensatz gefunden.";

  explicit TfrmZAQSuchen(TfrmZAQ& haupt);

  // Shown and hidden by the main window's "&Suchen..."; the automatic
  // search starts as the settings say each time it is shown.
  bool Sichtbar() const { return FSichtbar; }
  void SetzeSichtbar(bool sichtbar);

  // The text changed: with "&Automatisch suchen" the first match becomes
  // current, without it the first member.
  void TextGeaendert(const std::string& text);
  // "Suchen": the next match; none: the message, and the text is selected.
  void Suchen();
  // "Schließen".
  void Schliessen() { SetzeSichtbar(false); }

  struct Platz {
    int x = 0, y = 0;
  };
  static Platz GespeicherterPlatz();
  static void SpeicherePlatz(Platz p);

  std::string FText;
  bool FAutomatisch = true;
  bool FTextAuswaehlen = false;  // the front end selects the whole text, then clears it

 private:
  TfrmZAQ& FHaupt;
  bool FSichtbar = false;
};

}  // namespace zaq
