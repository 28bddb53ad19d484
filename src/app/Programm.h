#pragma once
// The program's file commands, start-up and shutdown: the part of the main
// window that holds the one open member list.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "interaction/Oberflaeche.h"
#include "share/Ftp.h"
#include "store/ZAQ.h"

namespace zaq {

// Kinds of AenderungenSichern.
enum class Sichern { Neu = 1, Oeffnen = 2, Beenden = 3, BeendenAktualisierung = 4 };

class TProgramm {
 public:
  TProgramm();
  virtual ~TProgramm();

  // Start-up; false = end the program.
  bool Starten(const std::vector<std::string>& argumente);

  bool AenderungenSichern(Sichern art);
  void mnuDateiNeuClick();
  void mnuDateiOeffnenClick() { DateiOeffnen(""); }
  // 0 cancelled, 1 opened, 2 failed.
  int DateiOeffnen(const std::string& name);
  void mnuDateiSpeichernUnterClick() { SpeichernUnter(false); }
  void mnuDateiKopieErstellenClick() { SpeichernUnter(true); }
  // 0 cancelled, 1 saved, 2 failed.
  int SpeichernUnter(bool kopie);
  // Close query: true = the program may close.
  bool FormCloseQuery();
  void FormClose();
  void BeiSitzungsende() { FSitzungEndet = true; }

  TZAQ* Liste() { return FZAQ.get(); }
  const TZAQ* Liste() const { return FZAQ.get(); }
  // Replaces the open list (tests, the shared server's refresh).
  void SetzeListe(std::unique_ptr<TZAQ> liste);

  // Windows that must be closed before the program ends.
  bool FLGVOffen = false;
  bool FSEPAOffen = false;
  bool FSitzungEndet = false;

  // The file dialogs' filters; the first is the member file.
  static std::vector<zaq::DateiFilter> Dateifilter();

  // The shared server: the connection of the open list.
  TFtpSitzung& Ftp();
  // Check-out and check-in with their messages; true on success.
  bool FtpAusspeichern();
  bool FtpEinspeichern();
  // "Von Server herunterladen": the forced download; the list may be replaced.
  void FtpHerunterladen();
  // The automatic check-in before a list is closed.
  void AutomatischEinspeichern();

 protected:
  // Called when the list or the current member changed (the view repaints).
  virtual void ListeGewechselt() {}
  // The commands' states must be worked out again (a check-in, a check-out).
  virtual void MenuesNeu() {}

 private:
  // Saves a changed list under its name, or asks for one; true = go on.
  bool SichernOderFragen(const std::string& frageBeiFehler);
  // The shared server's runs after opening, then the offer to delete the
  // members whose exit date has passed.
  void NachDemOeffnen();
  void FaelligeAnbieten();
  // ListeGewechselt when a download replaced the list.
  void NachFtp(const TZAQ* vorher);
  // Shared with the table windows that show it.
  std::shared_ptr<TZAQ> FZAQ;
  std::string FOeffnenVorschlag;
  std::unique_ptr<TFtpSitzung> FFtp;
};

}  // namespace zaq
