#pragma once
// Collecting fees as the user meets it: the wizards "Mitgliedsbeiträge
// einziehen" (six steps) and "Sonderbuchungsliste erstellen" (five), whose
// runs end in the SEPA window.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Datum.h"
#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/Einzug.h"
#include "interaction/Oberflaeche.h"
#include "views/Assistent.h"
#include "views/Sepafenster.h"

namespace zaq {

class TTabelle;
class TZAQ;

class TfrmSEPAAssistent : public TAssistent {
 public:
  static constexpr std::string_view kArt = "SEPA-Assistent";
  std::string_view Art() const override { return kArt; }
  static constexpr std::size_t kBeschreibungLaenge = 54, kZweckLaenge = 50;
  static constexpr const char* kKeineAenderung = "Keine Änderung, da Testlauf";
  static constexpr const char* kVorlaeufig = "Vorläufiges Datum setzen";
  static constexpr const char* kKontofilter = "Empfängerkonto berücksichtigen";
  static constexpr const char* kAlleKonten = "Alle Mitglieder auflisten";

  // heute: today's day.
  TfrmSEPAAssistent(TZAQ& liste, bool sonder, Tag heute);
  bool Sonder() const { return FSonder; }
  // "Mitgliedsbeiträge einziehen" or "Sonderbuchungsliste erstellen".
  std::string Titel() const;
  int Schritte() const override { return FSonder ? 5 : 6; }
  // What the current step asks for; "Weiter" is "Speichern" on the last.
  enum class Seiten { Beschreibung, Zweck, Rechendatum, Konto, Kontoselektion, Mitglieder };
  Seiten AktuelleSeite() const;
  int Seite() const override { return static_cast<int>(AktuelleSeite()); }
  std::string SchrittTitel() const override;
  // "Variablen...": what the placeholders of the purpose template mean.
  static std::string VariablenText();

  // The fields, as typed.
  std::string FBeschreibung;
  std::string FZweck;
  std::string FBetrag;  // special bookings: amount per member
  Tag FRechendatum;
  bool FVollesJahr = false;
  enum Datumwahl { keine = 0, testlauf = 1, vorlaeufig = 2 } FDatumwahl = keine;
  std::vector<std::string> FKonten;  // "key;description"
  int FKonto = -1;
  bool FKontofilter;

  // The run's options from the fields of a finished wizard.
  TSepaSammelOptionen Optionen() const;
  std::string Kontoschluessel() const;

 private:
  bool Pruefe() override;
  void Beenden() override;
  bool FSonder;
};

}  // namespace zaq
