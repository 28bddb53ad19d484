#pragma once
// The table window "Tabelle" as the user meets it: its commands over the
// core's table (template dialog, selection, sorting, fonts, hiding and
// moving columns, copying, saving, going to a member), the grid settings,
// and the honours dialog of the Tables menu.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/Datum.h"
#include "interaction/Oberflaeche.h"
#include "lists/Tabelle.h"

namespace zaq {

class TfrmTab {
 public:
  static constexpr const char* kTitel = "Tabelle";
  explicit TfrmTab(std::shared_ptr<TTabelle> tabelle);

  TTabelle& Tabelle() { return *FTabelle; }
  const TTabelle& Tabelle() const { return *FTabelle; }
  // Commands that need the member list: not for a detached table.
  bool MitListe() const { return FTabelle->Liste() != nullptr; }

  // "Tabelleneigenschaften...": mode 2 for a handed list, 3 for a filter
  // table; when accepted the table is built again.
  bool Eigenschaften();
  // "Mitglieder-Selektion...": the full selection, then the table anew.
  bool MitgliederSelektion();
  // "&Sortieren" and "Tabelle sortieren": a sort command's number (0 asks).
  bool Sortiere(int nummer);
  // "Schriftart" > "Kopfzeile...", "Tabelle...".
  bool Schrift(bool kopf);
  // "&Drucken...": the print dialog, then the printout.
  bool Drucken();
  // "Spalte ausblenden" of the selected columns; offered only with a list.
  void Ausblenden(int erste, int letzte);

  // Settings of the grid, "1" meaning on.
  static bool SpaltenSkalieren();
  static void SetzeSpaltenSkalieren(bool an);
  static bool HorizontaleLinien();
  static void SetzeHorizontaleLinien(bool an);
  static bool VertikaleLinien();
  static void SetzeVertikaleLinien(bool an);
  static bool DruckrandZeigen();
  static void SetzeDruckrandZeigen(bool an);

  // Proportional scaling: the widths at the start of a resize, and the
  // widths while it goes on.
  void GroesseBeginnt(int innenbreite);
  void GroesseAendert(int innenbreite, bool minimiert);
  void GroesseEndet() { FStartbreiten.clear(); }

 private:
  std::shared_ptr<TTabelle> FTabelle;
  int FStartbreite = 0;
  std::vector<int> FStartbreiten;
};

// "Ehrungsliste erstellen": the day membership is counted for, and whether
// only selected members are listed.
class TfrmZAQTabEhrung : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Ehrungsliste erstellen";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kFrage = "Für welches Datum soll die Mitgliedschaft berechnet werden?";
  static constexpr const char* kNurSelektierte = "Nur &selektierte Mitglieder auflisten";

  // heute: today's day; selektiert: members selected now.
  TfrmZAQTabEhrung(Tag heute, int selektiert);
  // "Dezember " + year for the three buttons, and their dates.
  std::string KnopfText(int i) const;
  void Knopf(int i);
  std::string AuswahlText() const { return "Auswahl: " + DatumText(FDatum); }
  bool NurSelektierteMoeglich() const { return FSelektiert > 0; }
  // "OK": writes the box's state to "Selektion".
  void Bestaetigen();

  Tag FDatum;
  bool FNurSelektierte = false;

 private:
  int FJahr;
  int FSelektiert;
};

}  // namespace zaq
