#pragma once
// The fee check window "Mitgliedsbeiträge überprüfen" with its report, and
// the invoice wizard "Rechnungen für Mitgliedsbeiträge ausstoßen".
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Datum.h"
#include "fees/Beitragsbericht.h"
#include "interaction/Oberflaeche.h"
#include "views/Assistent.h"

namespace zaq {

class TZAQ;

class TfrmBeitragspruefung : public FensterDaten {
 public:
  static constexpr std::string_view kArt = "Beitragsprüfung";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kVollesJahr = "Vollen Jahresbeitrag einziehen";

  // heute: today's day, for the default calculation date.
  TfrmBeitragspruefung(TZAQ& liste, Tag heute);
  const TZAQ& Liste() const { return FListe; }

  Tag FRechendatum;
  bool FVollesJahr = false;
  // "Berechnen": the check, its table and message, then the report.
  void Berechnen();
  const TBeitragsbericht& Bericht() const { return FBericht; }
  // The report's columns.
  static std::vector<std::string> Spalten();

 private:
  TZAQ& FListe;
  std::shared_ptr<TZAQ> FHalter;
  TBeitragsbericht FBericht;
};

class TfrmRechnungsAssistent : public TAssistent {
 public:
  static constexpr std::string_view kArt = "Rechnungsassistent";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kTitel = "Rechnungen für Mitgliedsbeiträge ausstoßen";
  static constexpr const char* kVollesJahr = "Vollen Jahresbeitrag einziehen";
  static constexpr const char* kNullbetraege = "Mitfinanzierte Mitglieder mit Nullbeitrag mit auflisten";
  static constexpr const char* kTestlauf = "Nein, keine Änderung, da Testlauf";
  static constexpr const char* kVorlaeufig = "Ja, vorläufige Rechendaten tatsächlich aktualisieren.";

  TfrmRechnungsAssistent(TZAQ& liste, Tag heute);
  int Schritte() const override { return 3; }
  std::string SchrittTitel() const override;
  // Step 3: "Neues Rechendatum : " and the date.
  std::string RechendatumText() const;
  // The invoice run of a finished wizard ("OK" on the last step), once it
  // is closed.
  void Ausfuehren();

  Tag FRechendatum;
  bool FVollesJahr = false;
  bool FNullbetraege;
  enum Datumwahl { keine = 0, testlauf = 1, vorlaeufig = 2 } FDatumwahl = keine;

 private:
  bool Pruefe() override;
};

}  // namespace zaq
