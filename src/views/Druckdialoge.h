#pragma once
// The print dialogs "Tabelle ausdrucken" and "Buchungen ausdrucken", and the
// print commands that go through them or straight to the printer.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interaction/Drucker.h"
#include "interaction/Oberflaeche.h"

namespace zaq {

class TMitglied;
class TLGV;
class TSepa;
class TTabelle;
class TZAQ;

// What both dialogs ask: rows from and to, copies, orientation, printer.
class TDruckDialog : public DialogDaten {
 public:
  // The numbers as typed.
  std::string FVon, FBis, FKopien = "1";
  bool FQuer = false;
  std::vector<std::string> FDrucker;
  int FDruckerIndex = -1;
  bool FVorschau = false;  // "Vorschau..." instead of "OK"
  int Anzahl() const { return FAnzahl; }
  // "&Einrichten...": the printer setup.
  void Einrichten() { UI().DruckerEinrichten(); }
  // "OK": the numbers are numbers and the first row is not after the last;
  // false after the message.
  bool OK();
  // The job with the dialog's choices.
  TDruckauftrag Auftrag(std::string titel) const;
  int Von() const;
  int Bis() const;

 protected:
  explicit TDruckDialog(int anzahl);

 private:
  int FAnzahl;
};

class TfrmTabDrucken : public TDruckDialog {
 public:
  static constexpr std::string_view kArt = "Tabelle ausdrucken";
  std::string_view Art() const override { return kArt; }
  explicit TfrmTabDrucken(const TTabelle& tabelle);
  // The choices of the scaling, in the order of FSkalierung's index.
  static std::vector<std::string> Skalierungen();
  std::string FTitel;
  int FSkalierung = 1;  // 0 "nicht skalieren", 1 "verkleinern", 2 "anpassen"
  std::uint8_t Skalierung() const;
};

class TfrmBuchungenDrucken : public TDruckDialog {
 public:
  static constexpr std::string_view kArt = "Buchungen ausdrucken";
  std::string_view Art() const override { return kArt; }
  explicit TfrmBuchungenDrucken(const TSepa& liste);
  TfrmBuchungenDrucken(int anzahl, std::string beschreibung);
  std::string FBeschreibung;
  // At most 100 copies.
  bool OK();
};

// "&Drucken..." of the table window.
bool TabelleDrucken(TTabelle& tabelle);
// "&Drucken..." of the SEPA window.
bool BuchungenDrucken(const TSepa& liste, const TZAQ& verein);
// "&Drucken..." of the LGV window.
bool LgvDrucken(const TLGV& liste);
// "Daten a&usdrucken" and "S&tammdaten drucken": straight to the printer.
bool MitgliedDrucken(TZAQ& liste, TMitglied& m);
bool StammdatenDrucken(TZAQ& liste);
// "&Drucker einrichten...".
void DruckerEinrichten();

}  // namespace zaq
