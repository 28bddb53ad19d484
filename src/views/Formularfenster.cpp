#include "views/Formularfenster.h"

#include <algorithm>

#include "base/Text.h"

namespace zaq {

std::string TFormularfenster::Formulartext() const {
  return "Formular " + std::to_string(FIndex) + " von " + std::to_string(Buchungen()) +
         (FGeaendert ? " (geändert)" : "");
}

void TFormularfenster::Zeige(int i) {
  FIndex = Buchungen() == 0 ? 0 : std::clamp(i, 1, Buchungen());
  FGeaendert = false;
  FelderZeigen(FIndex);
}

bool TFormularfenster::Zeigen(int i) {
  if (!AenderungenBehandeln()) return false;
  Zeige(i);
  return true;
}

void TFormularfenster::Geaendert() {
  if (FIndex > 0) FGeaendert = true;
}

bool TFormularfenster::AenderungenBehandeln() {
  if (!FGeaendert) return true;
  switch (Meldung("Das aktuelle Formular wurde geändert. Sollen die Änderungen gespeichert werden?",
                  MeldungsArt::Frage, Knoepfe::JaNeinAbbrechen)) {
    case Antwort::Ja: return Speichern();
    case Antwort::Nein: Zeige(FIndex); return true;
    default: return false;
  }
}

bool TFormularfenster::GeheZu(int i) {
  if (i < 1 || i > Buchungen()) return false;
  return Zeigen(i);
}

bool TFormularfenster::Hinzufuegen() {
  if (!ListeOffen() || !AenderungenBehandeln()) return false;
  if (!ListeAnhaengen()) return false;
  Zeige(Buchungen());
  return true;
}

Ausgang TFormularfenster::Entfernen() {
  if (!ListeOffen() || !AenderungenBehandeln()) return Ausgang::Fehler;
  if (Buchungen() < 2) {
    Meldung("Mindestens ein Formular muß vorhanden sein.", MeldungsArt::Fehler);
    return Ausgang::Fehler;
  }
  if (Meldung("Hiermit entfernen Sie dieses Formular. Fortfahren?", MeldungsArt::Frage, Knoepfe::JaNein, 2) !=
      Antwort::Ja)
    return Ausgang::Nein;
  if (!ListeLoeschen(FIndex)) return Ausgang::Fehler;
  Zeige(FIndex);
  return Ausgang::Erledigt;
}

bool TFormularfenster::Sortieren(int schluessel) {
  if (!ListeOffen() || !AenderungenBehandeln()) return false;
  const bool fertig = ListeSortieren(schluessel);
  Zeige(1);
  return fertig;
}

bool TFormularfenster::SpeichernUnter(const std::string& datei) {
  if (!ListeOffen() || !AenderungenBehandeln()) return false;
  if (GleichOhneGross(datei, ListenDatei())) {
    Meldung("Diese Datei ist bereits geöffnet. Bitte wählen Sie eine andere Datei.", MeldungsArt::Fehler);
    return false;
  }
  if (!ListeSpeichernUnter(datei)) return false;
  Zeige(FIndex);
  return true;
}

bool TFormularfenster::Schliessen() {
  if (!AenderungenBehandeln()) return false;
  FSucheSichtbar = false;
  ListeSchliessen();
  FIndex = 0;
  FGeaendert = false;
  FelderZeigen(0);
  if (BeimSchliessen) BeimSchliessen();
  return true;
}

void TFormularfenster::SuchtextGeaendert(const std::string& text) {
  FSuchtext = text;
  if (!FAutoSuche) {
    Zeigen(1);
    return;
  }
  if (const int i = ListeSuchen(text, 1); i > 0) Zeigen(i);
}

bool TFormularfenster::SucheWeiter() { return Suche(FSuchtext, FIndex + 1) > 0; }

int TFormularfenster::Suche(const std::string& text, int ab) {
  if (!ListeOffen() || !AenderungenBehandeln()) return 0;
  const int i = ListeSuchen(text, ab);
  if (i > 0) {
    Zeige(i);
    return i;
  }
  Meldung("Keinen weiteren Datensatz gefunden.", MeldungsArt::Information);
  FSucheAuswaehlen = true;
  return 0;
}

}  // namespace zaq
