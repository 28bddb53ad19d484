// Login, rights and the operations on the member lists of a TZAQ.
#include <algorithm>
#include <cmath>

#include "base/Datum.h"
#include "base/Hex.h"
#include "base/Text.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "platform/Plattform.h"
#include "store/Anmeldung.h"
#include "store/ZAQ.h"

namespace zaq {

// --- login and rights ---

bool TZAQ::Anmelden(bool automatischErlaubt) {
  if (automatischErlaubt) {
    const std::string login = LeseEinstellungHex(esAutoLogin);
    const Bytes hash = BytesAusHex(LeseEinstellung(esAutoHash));
    TBenutzer* b = hash.size() == 16 ? SucheBenutzer(login, 0) : nullptr;
    if (b && b->VergleicheHash(hash)) {
      SetzeAktuellerBenutzer(b);
      return true;
    }
  }
  Warten().Schliessen();
  TAnmeldeDialog dialog(*this);
  if (!UI().Dialog(dialog) || !dialog.Gewaehlt()) return false;
  SetzeAktuellerBenutzer(dialog.Gewaehlt());
  FKennwortBestaetigt = false;
  return true;
}

bool TZAQ::PruefeRecht(std::uint32_t m1, std::uint32_t m2, std::uint32_t m3, std::uint32_t m4) {
  TBenutzer* b = AktuellerBenutzer();
  if (!b || !b->HatRecht(m1, m2, m3, m4)) {
    Meldung("Sie sind im Moment als " + (b ? b->FVollerName : std::string()) +
                " angemeldet und besitzen leider nicht das Recht, die gewünschte Aktion auszuführen.",
            MeldungsArt::Information);
    return false;
  }
  if (FKennwortBestaetigt || !b->VerlangtKennwort(m1 | m2 | m3 | m4)) return true;
  const std::string name = plattform::PfadText(plattform::Pfad(FDateiname).filename());
  auto kennwort = FrageKennwort("", "Die Datei " + name);
  if (!kennwort) return false;
  if (!KennwortStimmt(*b, *kennwort, "Ungültiges Kennwort.", MeldungsArt::Warnung)) return false;
  FKennwortBestaetigt = true;
  return true;
}

// --- numbers and positions ---

std::string TZAQ::MitgliedsnummerText(std::uint16_t nummer) const {
  const auto stellen = static_cast<std::size_t>(std::count(FZAQFormat.begin(), FZAQFormat.end(), '0'));
  return NullenAuffuellen(std::to_string(nummer), stellen);
}

std::uint16_t TZAQ::FreieNummern(std::vector<std::string>* liste) const {
  int hoechste = 0;
  for (const auto& m : FMitglieder) hoechste = std::max<int>(hoechste, m->FMitgliedsnummer);
  if (hoechste == 0) return 1;
  std::vector<bool> belegt(static_cast<std::size_t>(hoechste) + 1, false);
  for (const auto& m : FMitglieder) belegt[m->FMitgliedsnummer] = true;
  std::uint16_t erste = 0;
  for (int n = 1; n <= hoechste; ++n) {
    if (belegt[static_cast<std::size_t>(n)]) continue;
    if (!erste) erste = static_cast<std::uint16_t>(n);
    if (liste) liste->push_back(MitgliedsnummerText(static_cast<std::uint16_t>(n)));
    else break;
  }
  return erste ? erste : static_cast<std::uint16_t>(std::min(hoechste + 1, 65535));
}

std::uint16_t TZAQ::NaechsteFreieNummer() const { return FreieNummern(nullptr); }

int TZAQ::Position(const TMitglied* m) const {
  return m && m->InListe() && !m->ImArchiv() && m->Liste() == this ? m->Index() + 1 : 0;
}

TMitglied* TZAQ::Schritt(TMitglied* m, int n) const {
  while (m && n > 0) m = m->Nachfolger(), --n;
  while (m && n < 0) m = m->Vorgaenger(), ++n;
  return m;
}

TMitglied* TZAQ::NaechsterSelektierter(TMitglied* m, bool rueckwaerts, int& position) const {
  const int schritt = rueckwaerts ? -1 : 1;
  int pos = position;
  for (TMitglied* x = Schritt(m, schritt); x; x = Schritt(x, schritt)) {
    pos += schritt;
    if (x->FSelektiert) {
      position = pos;
      return x;
    }
  }
  return nullptr;
}

int TZAQ::AnzahlSelektierte() const {
  return static_cast<int>(std::count_if(FMitglieder.begin(), FMitglieder.end(), [](const auto& m) { return m->FSelektiert; }));
}

void TZAQ::SetzeSelektion(TMitglied& m, bool an) {
  FNurSelektierteAntwort = 0;
  if (m.FSelektiert != an) m.SetzeSelektiert(an);
}

int TZAQ::AnzahlAustretende() const {
  return static_cast<int>(std::count_if(FMitglieder.begin(), FMitglieder.end(), [](const auto& m) { return m->TrittAus(); }));
}

int TZAQ::AnzahlArchiv() const {
  return static_cast<int>(std::count_if(FArchiv.begin(), FArchiv.end(), [](const auto& m) { return !m->FSelektiert; }));
}

bool TZAQ::PruefeSortierung(int mitgliederVorher, int archivVorher) const {
  if (FMitglieder.Anzahl() != mitgliederVorher)
    Meldung("Fataler Programmfehler: Achtung, die Anzahl der Mitglieder hat sich beim Sortieren geändert. "
            "Speichern Sie die Datei sicherheitshalber unter einem anderen Namen ab!",
            MeldungsArt::Fehler);
  if (FArchiv.Anzahl() != archivVorher)
    Meldung("Fataler Programmfehler: Achtung, die Anzahl der Mitglieder im Archiv hat sich beim Sortieren "
            "geändert. Speichern Sie die Datei sicherheitshalber unter einem anderen Namen ab!",
            MeldungsArt::Fehler);
  return FMitglieder.Anzahl() == mitgliederVorher && FArchiv.Anzahl() == archivVorher;
}

void MeldeNichtUebernommene(const std::vector<std::string>& meldungen) {
  if (meldungen.empty()) return;
  std::vector<std::string> zeilen = {"Die Liste wurde erstellt. Folgende Datensätze", "wurden nicht übernommen:"};
  zeilen.insert(zeilen.end(), meldungen.begin(), meldungen.end());
  UI().MeldungsListe(zeilen);
}

// --- deleting ---

TMitglied* TZAQ::EntferneMitglied(TMitglied& m, std::vector<std::string>& meldungen) {
  std::vector<std::string> bericht;
  int umgestellt = 0;
  if (!m.Zahler() && m.Konto()) {
    for (const auto& x : FMitglieder) {
      if (x.get() == &m || x->FZahlart != zaMitfinanziert || !x->Zahler() || x->Zahler()->GetZiel() != &m) continue;
      if (bericht.empty()) {
        bericht.push_back(m.NameAnzeige() + " hat bisher die untenstehenden Mitglieder mitfinanziert. Das Programm "
                          "hat diese Mitglieder nun auf selbstzahlende Mitglieder geändert mit den "
                          "Bankverbindungsdaten von " + m.NameAnzeige() + ".");
        bericht.emplace_back();
      }
      x->KontoAnlegen() = *m.Konto();
      x->FZahlart = zaLastschrift;
      x->ZahlerEntfernen();
      x->Geaendert();
      bericht.push_back(x->MitgliedsnummerText() + " " + x->NameKomplett());
      ++umgestellt;
    }
  }
  if (m.FAustrittsdatum == 0) m.FAustrittsdatum = Heute();
  TMitglied* nachbar = m.Vorgaenger() ? m.Vorgaenger() : m.Nachfolger();
  std::unique_ptr<TMitglied> heraus = FMitglieder.Herausnehmen(m);
  if (FAustrittsliste && heraus) {
    heraus->KontoEntfernen();
    heraus->ZahlerEntfernen();
    heraus->FSelektiert = false;
    FArchiv.Anhaengen(std::move(heraus));
  }
  Geaendert();
  if (umgestellt > 0) {
    bericht.emplace_back();
    bericht.push_back("Anzahl der umgestellten Datensätze: " + std::to_string(umgestellt));
    if (!meldungen.empty()) meldungen.insert(meldungen.end(), 3, std::string());
    meldungen.insert(meldungen.end(), bericht.begin(), bericht.end());
  }
  return nachbar;
}

TMitglied* TZAQ::AusArchivEntfernen(TMitglied& m) {
  TMitglied* nachbar = m.Vorgaenger() ? m.Vorgaenger() : m.Nachfolger();
  FArchiv.Loeschen(m);
  Geaendert();
  return nachbar;
}

int TZAQ::AnzahlFaellig() const {
  const Tag heute = Heute();
  return static_cast<int>(std::count_if(FMitglieder.begin(), FMitglieder.end(), [&](const auto& m) {
    return m->FAustrittsdatum > 0 && m->FAustrittsdatum < heute;
  }));
}

void TZAQ::LoescheFaellige() {
  const int faellig = AnzahlFaellig();
  if (faellig == 0) return;
  if (faellig == FMitglieder.Anzahl()) {
    Meldung("ZAQ hat festgestellt, daß durch die automatische Löschung nun alle Mitglieder gelöscht würden. \r\n"
            "Der Verein hätte danach keine Mitglieder mehr. Bitte löschen Sie den Verein manuell!",
            MeldungsArt::Fehler);
    return;
  }
  const Tag heute = Heute();
  std::vector<TMitglied*> faellige;
  for (const auto& m : FMitglieder)
    if (m->FAustrittsdatum > 0 && m->FAustrittsdatum < heute) faellige.push_back(m.get());
  std::vector<std::string> meldungen;
  for (TMitglied* m : faellige) EntferneMitglied(*m, meldungen);
  Geaendert();
  MeldeNichtUebernommene(meldungen);
}

void TZAQ::FaelligeAnbieten() {
  const int n = AnzahlFaellig();
  if (n == 0) return;
  const std::string frage = "Es sind " + std::to_string(n) + " Mitglieder zur Löschung ab dem heutigen Tag festgelegt. " +
                            "\r\n" + "Möchten Sie, daß diese Mitglieder nun endgültig gelöscht werden?";
  if (!FFtpDaten.IstAktiv() || FFtpDaten.IstAusgespeichert()) {
    if (Meldung(frage, MeldungsArt::Frage, Knoepfe::JaNein) == Antwort::Ja) LoescheFaellige();
  }
  // A shared list must be checked out for this; that joins with the shared server.
}

// --- member numbers ---

int TZAQ::AendereMitgliedsnummer(TMitglied& m, std::uint16_t neu, bool mitVerweisen) {
  int ergebnis = 0;
  if (mitVerweisen) {
    const std::uint16_t alt = m.FMitgliedsnummer;
    TMitglied* ziel = SucheNummer(alt);
    if (!ziel) return 0;
    ziel->FMitgliedsnummer = neu;
    IndexVeraltet();
    ergebnis = 1;
    for (const auto& x : FMitglieder) {
      if (x->Zahler() && x->Zahler()->FNummer == alt) {
        x->Zahler()->Setze(ziel);
        ++ergebnis;
      }
    }
    ziel->Geaendert();
  } else {
    m.FMitgliedsnummer = neu;
    IndexVeraltet();
    m.Geaendert();
    ergebnis = 1;
  }
  Geaendert();
  return ergebnis;
}

int TZAQ::NeueMitgliedsnummern(int start, int schritt, int& verloren) {
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Neuvergabe der Mitgliedsnummern");
  int geaendert = 0;
  verloren = 0;
  // The position of the first member with each number, found once.
  std::unordered_map<std::uint16_t, int> erstePosition;
  for (int k = FMitglieder.Anzahl() - 1; k >= 0; --k) erstePosition[FMitglieder[k].FMitgliedsnummer] = k;
  const double gesamt = std::max(1, 2 * FMitglieder.Anzahl());
  int schrittZaehler = 0;
  for (const auto& m : FMitglieder) {
    Warten().Fortschritt(++schrittZaehler / gesamt);
    TVerweisMitgl* z = m->Zahler();
    if (!z || z->FNummer == 0) continue;
    auto it = erstePosition.find(z->FNummer);
    if (it == erstePosition.end()) {
      m->ZahlerEntfernen();
      ++verloren;
    } else {
      z->FNummer = static_cast<std::uint16_t>(start + it->second * schritt);
      ++geaendert;
    }
  }
  int k = 0;
  for (const auto& m : FMitglieder) {
    Warten().Fortschritt(++schrittZaehler / gesamt);
    m->FMitgliedsnummer = static_cast<std::uint16_t>(start + k++ * schritt);
    ++geaendert;
  }
  IndexVeraltet();
  Geaendert();
  return geaendert;
}

}  // namespace zaq
