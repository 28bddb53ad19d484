#pragma once
// Dialogs of the member list operations, as data and logic: "Mitglied
// löschen" and "Mitgliedsnummer ändern".
#include <cstdint>
#include <string>
#include <vector>

#include "interaction/Oberflaeche.h"

namespace zaq {

class TZAQ;
class TMitglied;

class TLoeschDialog : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Mitglied löschen";
  std::string_view Art() const override { return kArt; }

  enum class Knopf { Sofort, NachAustrittsdatum, Widerrufen, Abbrechen };

  TLoeschDialog(const TMitglied& mitglied, bool alleSelektierten);

  std::string FText;
  std::string FBitte;
  std::string FDatum;        // "Austrittsdatum:" as text
  std::string FBegruendung;  // "Begründung:"
  bool FWiderrufenMoeglich = false;
  Knopf FKnopf = Knopf::Abbrechen;  // the button that closed the dialog

  static std::vector<std::string> Gruende();  // "Austritt", "Ausschluß", "Todesfall"
  // The last days of 25 months from the current one.
  static std::vector<std::string> Datumsvorschlaege();
  // A button was pressed: true when the dialog may close.
  bool Druecke(Knopf knopf);
};

class TNummerDialog : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Mitgliedsnummer ändern";
  std::string_view Art() const override { return kArt; }

  explicit TNummerDialog(TMitglied& aktuell);

  std::string FAlt;   // "A&lte Nummer:"
  std::string FNeu;   // "&Neue Nummer:"
  bool FGlobal = true;  // "&Globale Durchführung (inkl. Verweisen)", else "&Nur aktueller Datensatz"
  bool AltAktiv() const { return FGlobal; }
  void SetzeGlobal(bool global);

  // "Ausführen": checks, changes, reports; true when the dialog closes.
  bool Ausfuehren();
  int Ergebnis() const { return FErgebnis; }

 private:
  TZAQ& FListe;
  TMitglied& FAktuell;
  int FErgebnis = 0;
};

}  // namespace zaq
