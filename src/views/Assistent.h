#pragma once
// What every wizard of the fee menu shares: its steps, "Weiter" that checks
// the step and finishes on the last, "Zurück", and the member step whose
// selection buttons work only with "Nur selektierte Mitglieder heranziehen".
#include <string>

#include "interaction/Oberflaeche.h"

namespace zaq {

class TZAQ;

class TAssistent : public DialogDaten {
 public:
  static constexpr const char* kNurSelektierte = "Nur selektierte Mitglieder heranziehen";
  static constexpr const char* kAlleMitglieder = "Alle Mitglieder auflisten";

  virtual int Schritte() const = 0;
  virtual std::string SchrittTitel() const = 0;
  // The page the current step shows, from 0.
  virtual int Seite() const { return FSchritt - 1; }
  int Schritt() const { return FSchritt; }
  bool Letzter() const { return FSchritt == Schritte(); }
  bool Fertig() const { return FFertig; }
  // "Weiter": checks the step, false after its message; on the last step it
  // finishes.
  bool Weiter();
  void Zurueck();
  bool SelektionMoeglich() const { return FNurSelektierte; }
  void Gesamtselektion();
  void Listenselektion();

  // Preset from the setting "Jubi-Listen selektiert".
  bool FNurSelektierte;

 protected:
  explicit TAssistent(TZAQ& liste);
  // The current step's check.
  virtual bool Pruefe() = 0;
  // What a finished wizard keeps for next time.
  virtual void Beenden() {}
  TZAQ& FListe;

 private:
  int FSchritt = 1;
  bool FFertig = false;
};

}  // namespace zaq
