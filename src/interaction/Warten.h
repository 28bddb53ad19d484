#pragma once
// The wait window's logic: status text, a 21-step progress bar and the
// cancel request.  Front ends only render its WarteZustand.
#include <chrono>
#include <string>

#include "interaction/Oberflaeche.h"

namespace zaq {

class TfrmWarten {
 public:
  // Shows the window with a text; a fresh show clears an old cancel request.
  void ZeigeStatus(const std::string& text, double anteil = 0);
  // Fraction 0..1; only a changed step is redrawn.  Lets events run.
  void Fortschritt(double anteil);
  // Lets pending events run now and then during long loops, cheaply: it is
  // called between the fields of a file, so the clock is read only rarely.
  void Verarbeiten() {
    if (++FAufrufe % 512 == 0) VerarbeitenJetzt();
  }
  bool AbbruchGewuenscht() const { return FAbbruch; }
  void AbbruchSperren(bool gesperrt);
  // Hides the window for the message, then shows it again as it was.
  Antwort WarteMeldung(const std::string& text, MeldungsArt art, Knoepfe knoepfe, int vorgabe = 1);
  void Schliessen();
  bool Sichtbar() const { return FSichtbar; }
  const WarteZustand& Zustand() const { return FZustand; }

  // The front end's cancel button.
  void AbbrechenGeklickt();

 private:
  void VerarbeitenJetzt();
  void Zeigen();
  WarteZustand FZustand;
  bool FSichtbar = false;
  bool FAbbruch = false;
  std::chrono::steady_clock::time_point FLetztesVerarbeiten{};
  unsigned FAufrufe = 0;
};

// The one wait window of the program.
inline TfrmWarten& Warten() {
  static TfrmWarten warten;
  return warten;
}

// Closes the wait window when it leaves scope, on every path.
class WartenSchliessen {
 public:
  WartenSchliessen() = default;
  ~WartenSchliessen() { Warten().Schliessen(); }
  WartenSchliessen(const WartenSchliessen&) = delete;
  WartenSchliessen& operator=(const WartenSchliessen&) = delete;
};

}  // namespace zaq
