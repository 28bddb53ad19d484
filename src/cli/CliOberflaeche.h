#pragma once
// The front end of zaq-cli: never waits for a person.  Every message goes to
// stderr as "kind: text"; a question gets the answer that changes and loses
// nothing (No, Cancel), or the confirming one with --yes.
#include <functional>
#include <map>
#include <ostream>
#include <string>

#include "interaction/Oberflaeche.h"

namespace zaq::cli {

class CliOberflaeche : public Oberflaeche {
 public:
  explicit CliOberflaeche(std::ostream& fehler, bool ja = false) : FFehler(fehler), FJa(ja) {}

  // Answers for dialogs that the command line can fill (the login, ...).
  std::map<std::string, std::function<bool(DialogDaten&)>, std::less<>> DialogAntworten;

  Antwort Meldung(const MeldungsDaten& meldung) override;
  void WartenZeigen(const WarteZustand&) override {}
  void WartenVerbergen() override {}
  void Verarbeiten() override {}
  std::optional<std::string> DateiOeffnen(DateiDialog&) override { return std::nullopt; }
  std::optional<std::string> DateiSpeichern(DateiDialog&) override { return std::nullopt; }
  std::optional<std::string> Eingabe(const std::string&, const std::string&,
                                     const std::string&) override {
    return std::nullopt;
  }
  bool Dialog(DialogDaten& dialog) override;
  void MeldungsListe(const std::vector<std::string>& zeilen) override;
  void Zwischenablage(const std::string&) override {}

  // Printing goes into this PDF file.
  std::string PdfDatei;
  bool DruckerVorhanden() override { return true; }
  std::vector<std::string> Druckerliste() override { return {"PDF"}; }
  int Standarddrucker() override { return 0; }
  bool Drucken(TDruckauftrag& auftrag) override;

  // Confirms questions from now on (a command whose option says yes).
  void SetzeJa(bool ja) { FJa = ja; }

  // The answer the command line gives to a set of buttons.
  static Antwort AntwortFuer(Knoepfe knoepfe, bool ja);

 private:
  std::ostream& FFehler;
  bool FJa;
};

}  // namespace zaq::cli
