#pragma once
// What the windows of booking lists share: one booking at a time as a form
// ("Formular i von n"), the question before typed changes are left, adding,
// deleting, finding, sorting, saving under another name and closing.  Each
// list's window fills the form from a booking and stores it back.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "interaction/Oberflaeche.h"

namespace zaq {

// What a command that may ask came to.
enum class Ausgang { Erledigt, Nein, Fehler };

class TFormularfenster : public FensterDaten {
 public:
  int Index() const { return FIndex; }
  // The bookings of the list.
  int Anzahl() const { return Buchungen(); }
  bool IstGeaendert() const { return FGeaendert; }
  // "Formular i von n", with " (geändert)" after an edit.
  std::string Formulartext() const;
  bool VorherigeMoeglich() const { return FIndex > 1; }
  bool NaechsteMoeglich() const { return FIndex < Buchungen(); }

  // An edit of a field.
  void Geaendert();
  // Before leaving the shown booking: true when the window may go on.
  bool AenderungenBehandeln();
  // Shows booking i (1 to n) after the unsaved changes are handled.
  bool GeheZu(int i);
  bool Naechste() { return GeheZu(FIndex + 1); }
  bool Vorherige() { return GeheZu(FIndex - 1); }
  // "Speichern": stores the form; false after the message.
  virtual bool Speichern() = 0;
  bool Hinzufuegen();
  Ausgang Entfernen();
  bool Sortieren(int schluessel);
  // Saving under another name; the open file's own name is refused.
  bool SpeichernUnter(const std::string& datei);
  // "Sch&ließen": false when the user stays.
  bool Schliessen();
  // The window is closed: the list is released.
  std::function<void()> BeimSchliessen;

  // --- the search window ---
  bool FSucheSichtbar = false;
  std::string FSuchtext;
  bool FAutoSuche = false;
  bool FSucheAuswaehlen = false;  // the front end selects the search text, then clears it
  void SuchtextGeaendert(const std::string& text);
  // "Suchen": from the booking after the shown one.
  bool SucheWeiter();
  // The search from booking ab; the booking found, or 0 after
  // "Keinen weiteren Datensatz gefunden.".
  int Suche(const std::string& text, int ab);

 protected:
  // Shows booking i without asking (0 for none).
  void Zeige(int i);
  bool Zeigen(int i);

  // The list behind the window.
  virtual bool ListeOffen() const = 0;
  virtual int Buchungen() const = 0;
  virtual const std::string& ListenDatei() const = 0;
  // Fills the form from booking i, or empties it for 0.
  virtual void FelderZeigen(int i) = 0;
  virtual bool ListeAnhaengen() = 0;
  virtual bool ListeLoeschen(int i) = 0;
  virtual int ListeSuchen(const std::string& text, int ab) const = 0;
  virtual bool ListeSortieren(int schluessel) = 0;
  virtual bool ListeSpeichernUnter(const std::string& datei) = 0;
  virtual void ListeSchliessen() = 0;

  int FIndex = 0;
  bool FGeaendert = false;
};

// The form of a booking list class Liste (the SEPA list, the older lists),
// whose operations carry the same names.
template <class Liste>
class TListenformular : public TFormularfenster {
 protected:
  explicit TListenformular(std::unique_ptr<Liste> liste) : FListe(std::move(liste)) {}
  bool ListeOffen() const override { return FListe->Offen(); }
  int Buchungen() const override { return FListe->Anzahl(); }
  const std::string& ListenDatei() const override { return FListe->Dateiname(); }
  bool ListeAnhaengen() override { return FListe->Anhaengen(); }
  bool ListeLoeschen(int i) override { return FListe->Loeschen(i); }
  int ListeSuchen(const std::string& text, int ab) const override { return FListe->Suchen(text, ab); }
  bool ListeSortieren(int schluessel) override { return FListe->Sortieren(schluessel); }
  bool ListeSpeichernUnter(const std::string& datei) override { return FListe->SpeichernUnter(datei); }
  void ListeSchliessen() override { FListe->Schliessen(); }
  std::unique_ptr<Liste> FListe;
};

}  // namespace zaq
