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

class TfrmRechnungsAssistent : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Rechnungsassistent";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kTitel = "Rechnungen für Mitgliedsbeiträge ausstoßen";
  static constexpr const char* kVollesJahr = "Vollen Jahresbeitrag einziehen";
  static constexpr const char* kNullbetraege = "Mitfinanzierte Mitglieder mit Nullbeitrag mit auflisten";
  static constexpr const char* kNurSelektierte = "Nur selektierte Mitglieder heranziehen";
  static constexpr const char* kAlleMitglieder = "Alle Mitglieder auflisten";
  static constexpr const char* kTestlauf = "Nein, keine Änderung, da Testlauf";
  static constexpr const char* kVorlaeufig = "Ja, vorläufige Rechendaten tatsächlich aktualisieren.";
  static constexpr int kSchritte = 3;

  TfrmRechnungsAssistent(TZAQ& liste, Tag heute);
  int Schritt() const { return FSchritt; }
  std::string SchrittTitel() const;
  bool Letzter() const { return FSchritt == kSchritte; }
  bool Fertig() const { return FFertig; }
  // Step 3: "Neues Rechendatum : " and the date.
  std::string RechendatumText() const;

  // "Weiter" ("OK" on the last step): checks the step; false after its
  // message.  The last step finishes.
  bool Weiter();
  // The invoice run of a finished wizard, once it is closed.
  void Ausfuehren();
  void Zurueck();
  // Step 2's "Gesamtselektion..." and "Listenselektion...": only with
  // "Nur selektierte Mitglieder heranziehen".
  bool SelektionMoeglich() const { return FNurSelektierte; }
  void Gesamtselektion();
  void Listenselektion();

  Tag FRechendatum;
  bool FVollesJahr = false;
  bool FNullbetraege;
  bool FNurSelektierte;
  enum Datumwahl { keine = 0, testlauf = 1, vorlaeufig = 2 } FDatumwahl = keine;

 private:
  TZAQ& FListe;
  int FSchritt = 1;
  bool FFertig = false;
};

}  // namespace zaq
