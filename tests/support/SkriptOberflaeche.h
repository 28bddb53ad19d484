#pragma once
// The front end of the tests: records every message and answers from queues.
// A message with no queued answer gets its preselected button and is marked
// unanswered, so a test can tell an expected question from a surprise.
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "interaction/Drucker.h"
#include "interaction/Oberflaeche.h"
#include "support/ProtokollDrucker.h"

namespace zaq {

class SkriptOberflaeche : public Oberflaeche {
 public:
  struct Eintrag {
    MeldungsDaten meldung;
    Antwort antwort;
    bool beantwortet;
  };
  using DialogSkript = std::function<bool(DialogDaten&)>;

  // What happened.
  std::vector<Eintrag> Meldungen;
  std::vector<std::string> WarteTexte;  // every status text shown, in order
  std::vector<std::string> DialogArten;  // every dialog shown, by Art()
  std::vector<DateiDialog> DateiDialoge;  // every open/save dialog, as shown
  std::vector<std::vector<std::string>> MeldungsListen;
  std::string ZwischenablageText;
  std::string ZwischenablageRtfText;
  std::vector<std::shared_ptr<FensterDaten>> Fensterliste;  // every window shown, kept open
  bool WartenSichtbar = false;
  // Print jobs, each with the printer it drew on.
  struct Druck {
    TDruckauftrag auftrag;
    std::shared_ptr<ProtokollDrucker> geraet;
    bool gedruckt = false;
  };
  std::vector<Druck> Druckauftraege;
  int DruckerEinrichtungen = 0;

  // What to answer.
  std::deque<Antwort> Antworten;
  std::deque<std::optional<std::string>> Dateinamen;  // open, save, directory and input dialogs
  std::deque<DialogSkript> Dialoge;
  bool MitDrucker = true;
  std::vector<std::string> Drucker{"Testdrucker", "Zweiter Drucker"};
  // Presses the wait window's cancel button when this status text is shown.
  std::string AbbrechenBeiText;

  Antwort Meldung(const MeldungsDaten& meldung) override;
  void WartenZeigen(const WarteZustand& zustand) override;
  void WartenVerbergen() override;
  void Verarbeiten() override;
  std::optional<std::string> DateiOeffnen(DateiDialog& dialog) override;
  std::optional<std::string> DateiSpeichern(DateiDialog& dialog) override;
  std::optional<std::string> Eingabe(const std::string& titel, const std::string& frage,
                                     const std::string& vorgabe) override;
  bool Dialog(DialogDaten& dialog) override;
  void MeldungsListe(const std::vector<std::string>& zeilen) override;
  void Zwischenablage(const std::string& text) override;
  void ZwischenablageRtf(const std::string& text, const std::string& rtf) override;
  void Fenster(std::shared_ptr<FensterDaten> fenster) override;
  bool DruckerVorhanden() override { return MitDrucker; }
  std::vector<std::string> Druckerliste() override { return MitDrucker ? Drucker : std::vector<std::string>{}; }
  int Standarddrucker() override { return MitDrucker ? 0 : -1; }
  void DruckerEinrichten() override { ++DruckerEinrichtungen; }
  bool Drucken(TDruckauftrag& auftrag) override;

  // Convenience for tests.
  std::vector<std::string> Texte() const;
  bool AlleBeantwortet() const;
  void Leeren();

 private:
  std::optional<std::string> NaechsterName();
  bool FAbbruchGedrueckt = false;
};

}  // namespace zaq
