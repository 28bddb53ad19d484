#include "transfer/Textdatei.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "interaction/Zeichenpruefung.h"
#include "platform/Kodierung.h"
#include "store/Benutzer.h"
#include "store/Konto.h"
#include "store/Mitglied.h"
#include "store/Verweis.h"
#include "store/ZAQ.h"

namespace zaq {

// --- export ---

namespace {

void Feld(std::string& zeile, std::string_view wert, char trenner, bool erstes = false) {
  if (!erstes) zeile += trenner;
  zeile += wert;
}

std::string Zeile(TMitglied& m, char trenner) {
  std::string z;
  Feld(z, m.MitgliedsnummerText(), trenner, true);
  Feld(z, m.FName, trenner);
  Feld(z, m.FVorname, trenner);
  Feld(z, m.FZusatz, trenner);
  Feld(z, m.FStrasse, trenner);
  Feld(z, m.FPLZ, trenner);
  Feld(z, m.FOrt, trenner);
  Feld(z, DatumText(m.FGeburtsdatum), trenner);
  Feld(z, m.FMaennlich ? "m" : "w", trenner);
  Feld(z, m.FTelefon, trenner);
  Feld(z, m.FEMail, trenner);
  Feld(z, DatumText(m.FEintrittsdatum), trenner);
  Feld(z, std::to_string(m.FAnrechnung), trenner);
  Feld(z, m.IstEhrenmitglied() ? DatumText(m.FEhrenmitgliedSeit) : std::string(), trenner);
  Feld(z, std::to_string(m.FEhrung), trenner);
  Feld(z, m.FAbteilungen, trenner);
  Feld(z, m.GruppenBits(), trenner);
  Feld(z, m.FBeitragsschluessel.wert, trenner);
  if (const TMitgliedskonto* k = m.Konto()) {
    Feld(z, k->FBLZ, trenner);
    Feld(z, k->FKontonummer, trenner);
    Feld(z, k->FInhaber, trenner);
    Feld(z, k->FIBAN, trenner);
    Feld(z, k->FMandatsreferenz, trenner);
    Feld(z, DatumText(k->FMandatsdatum), trenner);
    Feld(z, k->FEmpfaengerKonto.wert, trenner);
  } else {
    for (int i = 0; i < 7; ++i) Feld(z, "", trenner);
  }
  // The paying member as the tables show it: a co-financed member's resolved
  // payer; a reference left from another payment kind pays nothing.
  const TMitglied* zahler = ZahlerVon(m);
  Feld(z, zahler ? zahler->MitgliedsnummerText() : std::string(), trenner);
  return z;
}

}  // namespace

std::string ExportText(TZAQ& liste, char trenner) {
  static const char* const kKopf[] = {"Mitgl.-Nr", "Nachname", "Vorname",   "Zusatz",   "Straße",     "PLZ",
                                      "Wohnort",   "Geburt",   "Geschl.",   "Telefon",  "Email",      "Eintritt",
                                      "Anrechn.",  "Ehrenmitl.", "Ehrung",  "Abteilungen", "Gruppen", "BTS",
                                      "BLZ",       "Kto.-Nr.", "Kto.-Inh.", "IBAN",     "Mandat",     "Ma.-Dat.",
                                      "EKS",       "ZMG"};
  std::string kopf;
  for (const char* k : kKopf) Feld(kopf, k, trenner, kopf.empty());
  std::string text = Utf8ZuCp1252(kopf) + "\r\n";
  const int n = liste.FMitglieder.Anzahl();
  for (int i = 0; i < n; ++i) {
    if (i % 512 == 0) {
      Warten().Fortschritt(static_cast<double>(i) / std::max(n, 1));
      Warten().Verarbeiten();
    }
    text += Utf8ZuCp1252(Zeile(liste.FMitglieder[i], trenner));
    text += "\r\n";
  }
  return text;
}

bool IstMitgliederdatei(const TZAQ& liste, const std::string& datei) {
  if (liste.FDateiname.empty()) return false;
  if (Gross(datei) == Gross(liste.FDateiname)) return true;
  std::error_code fehler;
  return std::filesystem::equivalent(plattform::Pfad(datei), plattform::Pfad(liste.FDateiname), fehler) && !fehler;
}

bool ExportiereText(TZAQ& liste, const std::string& datei, char trenner) {
  Warten().ZeigeStatus("Exportiere Datensätze");
  const std::string text = ExportText(liste, trenner);
  Warten().Schliessen();
  // Written beside the target and renamed over it: a failure leaves the old
  // file, never part of the new one.
  if (!plattform::SchreibeDateiSicher(plattform::Pfad(datei), reinterpret_cast<const std::uint8_t*>(text.data()),
                                      text.size())) {
    Meldung("Die Datei konnte nicht angelegt werden.", MeldungsArt::Fehler);
    return false;
  }
  Meldung("Alle Datensätze wurden erfolgreich exportiert.", MeldungsArt::Information);
  return true;
}

// --- import ---

const std::vector<TImportFeld>& ImportFelder() {
  static const std::vector<TImportFeld> felder = {
      {0, "Frei (wird ignoriert)", "»", ""},
      {10, "Mitgliedsnummer", "MNr.", ""},
      {20, "Nachname", "Nachname", "Persönliche Angaben"},
      {21, "Vorname", "Vorname", "Persönliche Angaben"},
      {22, "Titel", "Titel", "Persönliche Angaben"},
      {23, "Zusatz", "Zusatz", "Persönliche Angaben"},
      {24, "Geschlecht (m/w)", "Geschl.", "Persönliche Angaben"},
      {25, "Geburtsdatum", "Geburtsdt.", "Persönliche Angaben"},
      {30, "Straße", "Straße", "Adresse und Kontakt"},
      {31, "PLZ", "PLZ", "Adresse und Kontakt"},
      {32, "Wohnort", "Wohnort", "Adresse und Kontakt"},
      {33, "Land", "Land", "Adresse und Kontakt"},
      {34, "Festnetz", "Festnetz", "Adresse und Kontakt"},
      {35, "Mobilnummer", "Mobil", "Adresse und Kontakt"},
      {36, "E-Mail", "E-Mail", "Adresse und Kontakt"},
      {37, "Link", "Link", "Adresse und Kontakt"},
      {40, "Eintrittsdatum", "Eintrittsdt.", "Vereinsdaten"},
      {41, "Ehrenmitgliedschaft sei", "Ehrenm. seit", "Vereinsdaten"},
      {42, "Abteilungen (String)", "Abteilungen", "Vereinsdaten"},
      {43, "Austrittsdatum", "Austr.-Dt.", "Vereinsdaten"},
      {44, "Austrittsgrund", "Austrittsgrund (String)", "Vereinsdaten"},
      {50, "Beitragsschlüssel (max. 5 Zeichen)", "BTS", "Beitragsdaten"},
      {51, "Beitrag-Gezahlt-Bis-Datum", "Gez.-Bis.-Dat.", "Beitragsdaten"},
      {52, "Zahlart (Rech, Last, Zahler)", "Zahlart", "Beitragsdaten"},
      {60, "IBAN", "IBAN", "Bankverbindung"},
      {61, "Bankleitzahl", "Bankleitzahl", "Bankverbindung"},
      {62, "Kontonummer", "Kontonummer", "Bankverbindung"},
      {63, "Kontoinhaber", "Kontoinhaber", "Bankverbindung"},
      {64, "Mandatsreferenz", "Mandatsref.", "Bankverbindung"},
      {65, "Mandatsdatum", "Mandatsdt.", "Bankverbindung"},
      {66, "Empfängerkontoschlüssel (max. 5 Zeichen)", "EKS", "Bankverbindung"},
      {70, "Zahler (Mitgliedsnummer)", "Zahler", ""},
      {80, "Gruppenzuordnung (Binär max. 32 Bit)", "Gruppen", ""},
      {90, "Erstellt von (Name)", "Ersteller", "Datensatz"},
      {91, "Erstelldatum", "Erstelldat.", "Datensatz"},
      {92, "Bearbeitet von (Name)", "Bearbeiter", "Datensatz"},
      {93, "Bearbeitungsdatum", "Änderungsdt.", "Datensatz"},
  };
  return felder;
}

const TImportFeld* ImportFeld(int nummer) {
  for (const auto& f : ImportFelder())
    if (f.nummer == nummer) return &f;
  return nullptr;
}

namespace {

// A decimal whole number, blanks around it allowed.
std::optional<std::int64_t> Ganzzahl(std::string_view zelle) {
  std::string t = Trim(zelle);
  bool negativ = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    negativ = t[0] == '-';
    t.erase(0, 1);
  }
  if (t.empty() || t.size() > 12 || !NurZiffern(t)) return std::nullopt;
  const std::int64_t wert = std::stoll(t);
  return negativ ? -wert : wert;
}

std::optional<std::uint16_t> Mitgliedsnummer(std::string_view zelle) {
  const auto n = Ganzzahl(zelle);
  if (!n || *n < 0 || *n > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(*n);
}

std::vector<std::string> Teile(const std::string& zeile, char trenner) {
  std::vector<std::string> teile;
  std::size_t a = 0;
  for (;;) {
    const std::size_t e = zeile.find(trenner, a);
    teile.push_back(zeile.substr(a, e == std::string::npos ? std::string::npos : e - a));
    if (e == std::string::npos) return teile;
    a = e + 1;
  }
}

constexpr bool IstTextfeld(int feld) {
  switch (feld) {
    case 20: case 21: case 22: case 23: case 30: case 31: case 32: case 33: case 34: case 35: case 36: case 37:
    case 42: case 44: case 50: case 60: case 61: case 62: case 63: case 64: case 66: case 90: case 92:
      return true;
    default:
      return false;
  }
}

std::string Wert(std::string_view zelle) {
  return "Wert bzw. Text = \"" + std::string(zelle) + "\"";
}

}  // namespace

bool TTextimport::Laden(const plattform::Bytes& inhalt) {
  FZeilen.clear();
  FVorschau.clear();
  FFelder.clear();
  FTrenner = 0;
  std::string_view roh(reinterpret_cast<const char*>(inhalt.data()), inhalt.size());
  // A UTF-16 file (or any with zero bytes) is no text of this kind; reading
  // it byte by byte would import garbage.
  if (roh.find('\0') != std::string_view::npos || roh.starts_with("\xFF\xFE") || roh.starts_with("\xFE\xFF")) {
    Meldung("Die Datei ist keine Textdatei im Windows-Zeichensatz (ANSI), sondern zum Beispiel eine "
            "Unicode-Datei (UTF-16). Bitte speichern Sie sie als Text (ANSI oder UTF-8) und laden Sie sie erneut.",
            MeldungsArt::Fehler);
    return false;
  }
  // A file that says it is UTF-8 is read as such; its characters are checked
  // when they are imported.
  const bool utf8 = roh.starts_with("\xEF\xBB\xBF");
  if (utf8) roh.remove_prefix(3);
  const std::string text = utf8 ? std::string(roh) : Cp1252ZuUtf8(roh);
  std::size_t a = 0;
  while (a < text.size()) {
    const std::size_t e = text.find_first_of("\r\n", a);
    if (e == std::string::npos) {
      FZeilen.push_back(text.substr(a));
      break;
    }
    FZeilen.push_back(text.substr(a, e - a));
    a = e + (text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n' ? 2 : 1);
  }
  return true;
}

bool TTextimport::LadeDatei(const std::string& datei) {
  plattform::Bytes inhalt;
  if (!plattform::LeseDatei(plattform::Pfad(datei), inhalt)) {
    Meldung("Die Datei \"" + datei + "\" kann nicht gelesen werden.", MeldungsArt::Fehler);
    return false;
  }
  return Laden(inhalt);
}

bool TTextimport::SetzeKopfzeilen(int n) {
  FKopfzeilen = std::clamp(n, 0, 100);
  FVorschau.clear();
  FFelder.clear();
  FTrenner = 0;
  const int zeilen = Zeilenanzahl();
  if (zeilen - FKopfzeilen <= 0) {
    Meldung("Keine Datensätze da. Anzahl eingelesener Zeilen: " + std::to_string(zeilen), MeldungsArt::Information);
    return false;
  }
  const std::string& mitte = FZeilen[static_cast<std::size_t>(zeilen / 2)];
  for (char t : {';', '\t', '/', ','})
    if (mitte.find(t) != std::string::npos) {
      FTrenner = t;
      break;
    }
  if (!FTrenner) {
    Meldung("Kann keine Trenner (;,/Tab) finden.", MeldungsArt::Information);
    return false;
  }
  std::size_t spalten = 0;
  for (int i = FKopfzeilen; i < zeilen; ++i) {
    const auto& z = FZeilen[static_cast<std::size_t>(i)];
    spalten = std::max<std::size_t>(spalten, static_cast<std::size_t>(std::count(z.begin(), z.end(), FTrenner)) + 1);
  }
  for (int i = FKopfzeilen; i < zeilen; ++i) {
    const auto& z = FZeilen[static_cast<std::size_t>(i)];
    if (Trim(z).empty()) continue;
    auto teile = Teile(z, FTrenner);
    teile.resize(spalten);
    FVorschau.push_back(std::move(teile));
  }
  FFelder.assign(spalten, 0);
  return true;
}

void TTextimport::SetzeFeld(int spalte, int feld) {
  if (spalte < 0 || spalte >= Spaltenanzahl() || !ImportFeld(feld)) return;
  FFelder[static_cast<std::size_t>(spalte)] = feld;
}

std::string TTextimport::Kopf(int spalte) const {
  const TImportFeld* f = ImportFeld(Feld(spalte));
  return f ? std::string(f->kopf) : "»";
}

bool TTextimport::Speichere(TMitglied& m, int feld, const std::string& zelle, TZAQ& liste, bool versuch) const {
  const std::string t = Trim(zelle);
  auto datum = [&](std::int32_t& ziel) {
    const auto d = TextZuDatum(zelle);
    if (!d) return false;
    ziel = *d;
    return true;
  };
  // An empty bank cell makes no account: an exported member without one
  // comes back without one.
  auto konto = [&]() -> TMitgliedskonto* {
    if (t.empty() && !m.Konto()) return nullptr;
    return m.Konto() ? m.Konto() : &m.KontoAnlegen();
  };
  switch (feld) {
    case 20: m.FName = t; return true;
    case 21: m.FVorname = t; return true;
    case 22: m.FTitel = t; return true;
    case 23: m.FZusatz = t; return true;
    case 24: {
      const std::string g = Gross(zelle);
      m.FMaennlich = !(g == "W" || g == "F");
      return true;
    }
    case 25: return datum(m.FGeburtsdatum);
    case 30: m.FStrasse = t; return true;
    case 31: m.FPLZ = t; return true;
    case 32: m.FOrt = t; return true;
    case 33: m.FLand = t; return true;
    case 34: m.FTelefon = t; return true;
    case 35: m.FMobil = t; return true;
    case 36: m.FEMail = t; return true;
    case 37: m.FHomepage = t; return true;
    case 40: return datum(m.FEintrittsdatum);
    case 41: return t.empty() || datum(m.FEhrenmitgliedSeit);
    case 42: m.FAbteilungen = t; return true;
    case 43: return t.empty() || datum(m.FAustrittsdatum);
    case 44: m.FAustrittsgrund = t; return true;
    case 50: m.FBeitragsschluessel.wert = ErsteZeichen(t, 5); return true;
    case 51: return datum(m.FBezahltBis);
    case 52: {
      const std::string g = Gross(zelle);
      if (g == "LA") m.FZahlart = zaLastschrift;
      else if (g == "RE") m.FZahlart = zaRechnung;
      else if (g == "ZA") m.FZahlart = zaMitfinanziert;
      return true;
    }
    case 60: if (auto* k = konto()) k->FIBAN = t; return true;
    case 61: if (auto* k = konto()) k->FBLZ = t; return true;
    case 62: if (auto* k = konto()) k->FKontonummer = t; return true;
    case 63: if (auto* k = konto()) k->FInhaber = t; return true;
    case 64: if (auto* k = konto()) k->FMandatsreferenz = t; return true;
    case 65: {
      if (t.empty()) return true;
      std::int32_t tag = 0;
      if (!datum(tag)) return false;
      konto()->FMandatsdatum = tag;
      return true;
    }
    case 66: if (auto* k = konto()) k->FEmpfaengerKonto.wert = ErsteZeichen(t, 5); return true;
    case 70: {
      if (t.empty()) return true;
      const auto n = Ganzzahl(zelle);
      if (!n) return false;
      if (versuch) return true;
      TMitglied* zahler = *n >= 0 && *n <= 65535 ? liste.SucheNummer(static_cast<std::uint16_t>(*n)) : nullptr;
      if (zahler) m.ZahlerAnlegen().Setze(zahler);
      else m.ZahlerEntfernen();
      return true;
    }
    case 80: m.SetzeGruppenBits(t); return true;
    case 90: m.FErstelltVon.Setze(liste.SucheBenutzer(t, 0), false); return true;
    case 91: {
      std::int32_t tag = 0;
      if (!datum(tag)) return false;
      m.FErstelltVon.FZeit = tag;
      return true;
    }
    case 92: m.FGeaendertVon.Setze(liste.SucheBenutzer(t, 0), false); return true;
    case 93: {
      std::int32_t tag = 0;
      if (!datum(tag)) return false;
      m.FGeaendertVon.FZeit = tag;
      return true;
    }
    default: return true;
  }
}

bool TTextimport::Pruefen(TZAQ& liste, Importziel ziel) const {
  if (ziel == Importziel::Keines) {
    Meldung("Bitte wählen, ob Datensätze als Mitglieder oder als ehemalige Mitglieder ins Archiv importiert "
            "werden sollen!",
            MeldungsArt::Information);
    return false;
  }
  if (std::find(FFelder.begin(), FFelder.end(), 10) == FFelder.end()) {
    Meldung("Die Spalte der Mitgliedsnummer steuert das Erstellen eines Mitglieds und ist dringend notwendig. "
            "Diese Spalte fehlt bzw. wurde nicht ausgewählt.",
            MeldungsArt::Fehler);
    return false;
  }
  const auto nummernspalte = static_cast<std::size_t>(FFelder.rend() - std::find(FFelder.rbegin(), FFelder.rend(), 10) - 1);
  // Numbers must stay unique: payer references find their member by number.
  std::set<std::uint16_t> vergeben;
  for (const auto& m : ziel == Importziel::Archiv ? liste.FArchiv : liste.FMitglieder)
    vergeben.insert(m->FMitgliedsnummer);
  for (std::size_t r = 0; r < FVorschau.size(); ++r) {
    const auto& zeile = FVorschau[r];
    const std::string zeilennr = std::to_string(r + 1);
    const auto nr = Mitgliedsnummer(zeile[nummernspalte]);
    if (!nr) {
      Meldung("Fehler bei der Typumwandlung der Mitgliedsnummer in Zeile " + zeilennr + "\r\n\r\n" +
                  Wert(zeile[nummernspalte]),
              MeldungsArt::Information);
      return false;
    }
    if (*nr == 0 || !vergeben.insert(*nr).second) {
      Meldung("Fehler in Zeile " + zeilennr + ": " +
                  (*nr == 0 ? std::string("Die Mitgliedsnummer 0 ist nicht zulässig.")
                            : "Die Mitgliedsnummer " + std::to_string(*nr) + " ist bereits vergeben" +
                                  (ziel == Importziel::Archiv ? " (im Archiv)." : ".")) +
                  "\r\n\r\nJede Mitgliedsnummer darf nur einmal vorkommen. Es wurde nichts importiert.",
              MeldungsArt::Fehler);
      return false;
    }
    TMitglied probe(nullptr, *nr);
    for (std::size_t c = 0; c < FFelder.size(); ++c) {
      const int feld = FFelder[c];
      if (feld == 0 || feld == 10) continue;
      const TImportFeld* f = ImportFeld(feld);
      if (IstTextfeld(feld) && !Speicherbar(zeile[c], f->kopf)) return false;
      if (!Speichere(probe, feld, zeile[c], liste, true)) {
        Meldung("Fehler beim Einlesen und Typumwandlung in Zeile " + zeilennr + " Spalte " + std::string(f->kopf) +
                    "\r\n\r\n" + Wert(zeile[c]),
                MeldungsArt::Information);
        return false;
      }
    }
  }
  return true;
}

bool TTextimport::Importiere(TZAQ& liste, Importziel ziel) const {
  if (ziel == Importziel::Keines) return Pruefen(liste, ziel);
  // No is preselected: the import cannot be undone.
  if (Meldung("Hiermit wird die Textdatei unwiderruflich importiert.", MeldungsArt::Frage, Knoepfe::JaNein, 2) !=
      Antwort::Ja)
    return false;
  return Uebernehmen(liste, ziel);
}

bool TTextimport::Uebernehmen(TZAQ& liste, Importziel ziel) const {
  if (!Pruefen(liste, ziel)) return false;
  const auto nummernspalte = static_cast<std::size_t>(FFelder.rend() - std::find(FFelder.rbegin(), FFelder.rend(), 10) - 1);
  TMitgliederListe& ziele = ziel == Importziel::Archiv ? liste.FArchiv : liste.FMitglieder;
  const int vorher = ziele.Anzahl();
  for (const auto& zeile : FVorschau) {
    auto m = std::make_unique<TMitglied>(&liste, *Mitgliedsnummer(zeile[nummernspalte]));
    for (std::size_t c = 0; c < FFelder.size(); ++c)
      if (FFelder[c] != 0 && FFelder[c] != 10 && FFelder[c] != 70) Speichere(*m, FFelder[c], zeile[c], liste, false);
    ziele.Anhaengen(std::move(m));
  }
  liste.IndexVeraltet();
  for (std::size_t r = 0; r < FVorschau.size(); ++r) {
    TMitglied& m = ziele[vorher + static_cast<int>(r)];
    if (m.FMitgliedsnummer != *Mitgliedsnummer(FVorschau[r][nummernspalte])) {
      // Nothing of a failed import stays in the list.
      while (ziele.Anzahl() > vorher) ziele.Loeschen(*ziele.Letztes());
      liste.IndexVeraltet();
      Meldung("Programmfehler beim Importieren.", MeldungsArt::Fehler);
      return false;
    }
    if (ziel == Importziel::Mitgliederliste)
      for (std::size_t c = 0; c < FFelder.size(); ++c)
        if (FFelder[c] == 70) Speichere(m, 70, FVorschau[r][c], liste, false);
    if (!m.FErstelltVon.IstGesetzt()) {
      const bool mitDatum = std::find(FFelder.begin(), FFelder.end(), 91) != FFelder.end();
      const double zeit = m.FErstelltVon.FZeit;
      m.FErstelltVon.Setze(liste.AktuellerBenutzer(), !mitDatum);
      if (mitDatum) m.FErstelltVon.FZeit = zeit;
    }
  }
  liste.Geaendert();
  Meldung("Die Mitglieder wurden importiert.", MeldungsArt::Information);
  return true;
}

}  // namespace zaq
