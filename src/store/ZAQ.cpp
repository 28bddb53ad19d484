#include "store/ZAQ.h"

#include <zlib.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Einstellungen.h"
#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "platform/Kodierung.h"
#include "platform/Plattform.h"
#include "platform/Version.h"

namespace zaq {
namespace {

constexpr std::size_t kBlock = 16384;

// The notice after the magic: readable text for anyone who opens the file in an editor.
constexpr std::uint8_t kHinweis[] =
    "\r\nZAQ Mitgliederverwaltung\r\nBin\xE4rdatei. Nicht mit Texteditor bearbeiten!\r\n";
static_assert(sizeof(kHinweis) - 1 == 74);

std::uint32_t CRC(std::uint32_t crc, const std::uint8_t* daten, std::size_t n) {
  while (n > 0) {
    auto stueck = static_cast<uInt>(std::min<std::size_t>(n, 1u << 30));
    crc = static_cast<std::uint32_t>(::crc32(crc, daten, stueck));
    daten += stueck;
    n -= stueck;
  }
  return crc;
}

std::uint32_t CRC(const Bytes& b) { return CRC(0, b.data(), b.size()); }
}  // namespace

std::uint32_t CRC32(const Bytes& daten) { return CRC(daten); }

namespace {

// daten ^= muster over n bytes, eight at a time: the whole file passes here
// twice per open and save.
void XorLauf(std::uint8_t* daten, const std::uint8_t* muster, std::size_t n) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t d, m;
    std::memcpy(&d, daten + i, 8);
    std::memcpy(&m, muster + i, 8);
    d ^= m;
    std::memcpy(daten + i, &d, 8);
  }
  for (; i < n; ++i) daten[i] ^= muster[i];
}

// XOR with a repeating byte pattern, starting at position k of the pattern.
void XorMuster(std::uint8_t* daten, std::size_t n, std::size_t k, const std::uint8_t* muster,
               std::size_t laenge) {
  std::size_t pos = k % laenge;
  while (n > 0) {
    const std::size_t lauf = std::min(n, laenge - pos);
    XorLauf(daten, muster + pos, lauf);
    daten += lauf;
    n -= lauf;
    pos = 0;
  }
}

// The scrambling pad and the shared key, both applied by XOR from body offset 0.
class Transformation {
 public:
  Transformation(const std::uint8_t* pad, bool verschleiert, const Bytes* schluessel)
      : FSchluessel(schluessel && !schluessel->empty() ? schluessel : nullptr) {
    // The 50-byte pad repeated to a block's length turns the XOR into one run.
    if (verschleiert) {
      FPad.resize(kBlock + 50);
      for (std::size_t i = 0; i < FPad.size(); ++i) FPad[i] = pad[i % 50];
    }
  }
  void Anwenden(std::uint8_t* daten, std::size_t n, std::size_t k) const {
    if (!FPad.empty()) {
      for (std::size_t erledigt = 0; erledigt < n;) {
        const std::size_t lauf = std::min(n - erledigt, kBlock);
        XorLauf(daten + erledigt, FPad.data() + (k + erledigt) % 50, lauf);
        erledigt += lauf;
      }
    }
    if (FSchluessel) XorMuster(daten, n, k, FSchluessel->data(), FSchluessel->size());
  }

 private:
  Bytes FPad;
  const Bytes* FSchluessel;
};

double GanzeSekunden(double zeit) { return OhneMillisekunden(zeit); }

void MitgliederZuJson(const TMitgliederListe& liste, Json& j) {
  j = Json::array();
  for (const auto& m : liste) {
    Json e;
    m->ZuJson(e);
    j.push_back(std::move(e));
  }
}

void Ladefehler(Ladezustand zustand, const std::string& n, const std::string& z, int version) {
  std::string text;
  switch (zustand) {
    case Ladezustand::DateiIDFehler: text = "Fehler beim Erkennen oder Lesen der Datei-ID bei " + n + "."; break;
    case Ladezustand::LesenFehler: text = "Fehler beim Öffnen und Einlesen von \"" + n + "."; break;
    case Ladezustand::StreamFehler: text = "Fehler beim Einlesen des Datei-Streams zur Aufbereitung der Datenstrukur."; break;
    case Ladezustand::VersionFehler: text = "Fehler bei Versionserkennung, die Datei " + n + " kann nicht geöffnet werden."; break;
    case Ladezustand::EndungFehler: text = "ZAQ kann die Datei nicht öffnen, weil sie eine ungültige Dateiendung aufweist."; break;
    case Ladezustand::DatenbankFehlt: text = "Die Datenbank \"" + n + "\" existiert nicht."; break;
    case Ladezustand::ZusatzdateiFehlt: text = "Die Zusatzdatei \"" + z + "\" existiert nicht."; break;
    case Ladezustand::VersionUnbekannt: text = "ZAQ kann keine Datei von Datenbankversion " + std::to_string(version) + " öffnen."; break;
    case Ladezustand::DatenbankOeffnen: text = "Die Datenbank \"" + n + "\" kann nicht geöffnet werden."; break;
    case Ladezustand::KeineDatensaetze: text = "Die Datenbank \"" + n + "\" enthält keine Datensätze."; break;
    case Ladezustand::StammdatenFehler: text = "Kann Stammdatensatz von \"" + n + "\" nicht auslesen."; break;
    case Ladezustand::PruefsummeFehler: text = "Kann Prüfsumme von \"" + n + "\" nicht bilden."; break;
    case Ladezustand::DatensaetzeFehler: text = "Fehler beim Einlesen der Datensätze aus " + n + "."; break;
    default: return;  // cancelled or refused: silent
  }
  Meldung(text, MeldungsArt::Fehler);
}

std::string Erweiterung(const std::string& name) {
  return plattform::PfadText(plattform::Pfad(name).extension());
}

std::string MitErweiterung(const std::string& name, const std::string& erweiterung) {
  return plattform::PfadText(plattform::Pfad(name).replace_extension(erweiterung));
}

}  // namespace

std::span<const Feldbeschreibung<TZAQ>> TZAQ::Felder() {
  static const Feldbeschreibung<TZAQ> felder[] = {
      {1, "FFormatVersion",
       Sonderfeld<TZAQ>{
           [](const TZAQ&, TZAQStream& s, std::uint16_t id, std::uint32_t, bool&) {
             SchreibeInt32(s, kFormatVersion, id);
           },
           [](TZAQ& r, TZAQStream& s, std::int32_t g, bool&) { LeseInt32(s, r.FFormatVersion, g); },
           [](const TZAQ& r, Json& j, const char* name) { j[name] = r.FFormatVersion; }}},
      {2, nullptr,
       Sonderfeld<TZAQ>{
           [](const TZAQ&, TZAQStream& s, std::uint16_t id, std::uint32_t, bool&) {
             const auto version = Dateiversion();
             SchreibeBlock(s, version.data(), sizeof version, id);
           },
           [](TZAQ&, TZAQStream& s, std::int32_t g, bool&) {
             std::uint8_t version[16];
             LeseBlock(s, version, sizeof version, g);
           },
           nullptr}},
      {10, "FErstellt", &TZAQ::FErstellt},
      {20, "FGeaendertAm", &TZAQ::FGeaendertAm},
      {30, "FSchreibvorgaenge", &TZAQ::FSchreibvorgaenge},
      {40, "FReserviert40", &TZAQ::FReserviert40},
      {50, "FAustrittsliste", &TZAQ::FAustrittsliste},
      {70, "FUnbekannteBehalten", &TZAQ::FUnbekannteBehalten},
      {60, "FLetzteAenderungVon", Unterfeld<TZAQ>{[](const TZAQ& r) -> const TDateiEA& { return r.FLetzteAenderungVon; }}},
      {200, "FBeschreibung", &TZAQ::FBeschreibung},
      {210, "FZAQFormat", &TZAQ::FZAQFormat},
      {220, "FNullbetragMelden", &TZAQ::FNullbetragMelden},
      {230, "FHauptanwender", &TZAQ::FHauptanwender},
      {2000, "FStammdaten", Unterfeld<TZAQ>{[](const TZAQ& r) -> const TDateiEA& { return r.FStammdaten; }}},
      {2010, "FFtpDaten", Unterfeld<TZAQ>{[](const TZAQ& r) -> const TDateiEA& { return r.FFtpDaten; }}},
      {2020, "FBenutzer", Unterfeld<TZAQ>{[](const TZAQ& r) -> const TDateiEA& { return r.FBenutzer; }}},
      {2030, "FVerwaisteBenutzer", Unterfeld<TZAQ>{[](const TZAQ& r) -> const TDateiEA& { return r.FVerwaisteBenutzer; }}},
      {2040, "FNotizen", Unterfeld<TZAQ>{[](const TZAQ& r) -> const TDateiEA& { return r.FNotizen; }}},
      {3000, "FMitglieder", Sonderfeld<TZAQ>{
           [](const TZAQ& r, TZAQStream& s, std::uint16_t id, std::uint32_t flags, bool& ok) {
             r.SchreibeMitglieder(s, flags, ok, false, id);
           },
           [](TZAQ& r, TZAQStream& s, std::int32_t g, bool& ok) { r.LeseMitglied(s, g, ok, false); },
           [](const TZAQ& r, Json& j, const char* name) { MitgliederZuJson(r.FMitglieder, j[name]); }}},
      {3010, "FArchiv", Sonderfeld<TZAQ>{
           [](const TZAQ& r, TZAQStream& s, std::uint16_t id, std::uint32_t flags, bool& ok) {
             r.SchreibeMitglieder(s, flags, ok, true, id);
           },
           [](TZAQ& r, TZAQStream& s, std::int32_t g, bool& ok) { r.LeseMitglied(s, g, ok, true); },
           [](const TZAQ& r, Json& j, const char* name) { MitgliederZuJson(r.FArchiv, j[name]); }}},
  };
  return felder;
}

TZAQ::TZAQ()
    : FLetzteAenderungVon(this),
      FStammdaten(this),
      FFtpDaten(this),
      FNotizen(this),
      FMitglieder(this, false),
      FArchiv(this, true) {
  FErstellt = GanzeSekunden(Jetzt());
  FGeaendertAm = FErstellt;
}

TZAQ::~TZAQ() {
  // Members first: their destructors must not find a half-destroyed list.
  FMitglieder.Leeren();
  FArchiv.Leeren();
}

std::unique_ptr<TZAQ> TZAQ::CreateNeu(bool mitMitglied, bool mitAdministrator) {
  auto liste = std::make_unique<TZAQ>();
  if (mitAdministrator) {
    auto& admin = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Admin"));
    admin.FVollerName = "Administrator";
    liste->SetzeAktuellerBenutzer(&admin);
    liste->FLetzteAenderungVon.Setze(&admin);
  }
  if (mitMitglied) liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), 1));
  return liste;
}

void TZAQ::SetzeAktuellerBenutzer(TBenutzer* benutzer) { FAktuellerBenutzer.Setze(benutzer); }

TBenutzer* TZAQ::SucheBenutzer(const std::string& login, std::uint16_t nummer) {
  const std::string gesucht = Trim(login);
  auto suche = [&](TBenutzerListe& liste) -> TBenutzer* {
    TBenutzer* gefunden = nullptr;
    for (auto& b : liste)
      if (b->FLogin == gesucht && (nummer == 0 || b->FBenutzerNr == nummer)) gefunden = b.get();
    return gefunden;
  };
  if (TBenutzer* b = suche(FBenutzer)) return b;
  if (nummer != 0) return suche(FVerwaisteBenutzer);
  return nullptr;
}

TBenutzer* TZAQ::GleicherBenutzer(const TBenutzer& benutzer) {
  return SucheBenutzer(benutzer.FLogin, benutzer.FBenutzerNr);
}

TMitglied* TZAQ::SucheNummer(std::uint16_t nummer) {
  if (FIndexStand != FAenderungszaehler) {
    FNummernIndex.clear();
    FNummernIndex.reserve(static_cast<std::size_t>(FMitglieder.Anzahl()));
    for (const auto& m : FMitglieder) FNummernIndex.emplace(m->FMitgliedsnummer, m.get());
    FIndexStand = FAenderungszaehler;
  }
  TMitglied* erstes = nullptr;
  auto [von, bis] = FNummernIndex.equal_range(nummer);
  for (auto it = von; it != bis; ++it)
    if (!erstes || it->second->Index() < erstes->Index()) erstes = it->second;
  return erstes;
}

void TZAQ::SchreibeMitglieder(TZAQStream& s, std::uint32_t flags, bool& ok, bool archiv,
                              std::uint16_t id) const {
  const TMitgliederListe& liste = archiv ? FArchiv : FMitglieder;
  const double gesamt = std::max(1, FMitglieder.Anzahl() + FArchiv.Anzahl());
  int geschrieben = archiv ? FMitglieder.Anzahl() : 0;
  const std::int32_t grenze = Heute() - FFtpDaten.FArchivTage;
  for (const auto& m : liste) {
    if (!ok) return;
    if (Warten().AbbruchGewuenscht()) {
      ok = false;
      return;
    }
    if (archiv && (flags & sfArchivFrist) && !ImArchivZeitraum(*m, grenze)) continue;
    SchreibeUnterblock(s, *m, id, flags, ok);
    Warten().Fortschritt(++geschrieben / gesamt);
  }
}

bool TZAQ::ImArchivZeitraum(const TMitglied& m, std::int32_t grenze) const {
  if (m.FAustrittsdatum >= grenze) return true;
  return m.FGeaendertVon.IstGesetzt() && m.FGeaendertVon.FZeit >= grenze;
}

void TZAQ::LeseMitglied(TZAQStream& s, std::int32_t g, bool& ok, bool archiv) {
  auto m = std::make_unique<TMitglied>(this, 0);
  LeseUnterblock(s, *m, g, ok);
  (archiv ? FArchiv : FMitglieder).Anhaengen(std::move(m));
}

void TZAQ::FeldLesen(std::uint16_t id, TZAQStream& s, bool& ok, bool& unbekannt, std::int32_t groesse) {
  // The file information shows how the bytes divide among the parts of the list.
  const std::int64_t n = std::max(groesse, 0);
  if (id == 2000 || id == 2010) FStammdatenGroesse += n;
  else if (id == 3000) FMitgliederGroesse += n;
  else if (id == 3010) FArchivGroesse += n;
  TFeldDatensatz<TZAQ>::FeldLesen(id, s, ok, unbekannt, groesse);
}

void TZAQ::LeseFortschritt(double anteil) { Warten().Fortschritt(anteil); }

bool TZAQ::SchreibeStream(TZAQStream& s, std::uint32_t flags) {
  if (FUnbekannteBehalten) flags |= sfUnbekannte;
  const bool mitSchluessel = flags & sfVerschluesseln;

  std::uint8_t pad[50];
  {
    std::random_device zufall;
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& b : pad) b = static_cast<std::uint8_t>(byte(zufall));
  }

  // A list written before is about that size again; the buffer need not grow.
  s.Reservieren(static_cast<std::size_t>(FGeleseneGroesse) + kKopfGroesse + 4 +
                static_cast<std::size_t>(FMitglieder.Anzahl() + FArchiv.Anzahl()) * 64);
  std::uint8_t kopf[kKopfGroesse] = {};
  std::memcpy(kopf, kZAQMagie, 10);
  std::memcpy(kopf + 10, kHinweis, 74);
  kopf[210] = mitSchluessel ? 1 : 0;
  std::uint32_t pruefwert = CRC(Schluessel());
  std::memcpy(kopf + 211, &pruefwert, 4);
  kopf[215] = FVerschleiert ? 1 : 0;
  std::memcpy(kopf + 216, pad, 50);
  s.Schreibe(kopf, sizeof kopf);

  ++FSchreibvorgaenge;
  bool ok = true;
  StreamSchreiben(s, flags, ok);
  if (!ok || s.FFehler || Warten().AbbruchGewuenscht()) return false;

  Warten().ZeigeStatus("Verarbeite Stream");
  std::uint8_t* body = s.Daten().data() + kKopfGroesse;
  const std::size_t laenge = s.Groesse() - kKopfGroesse;
  const Transformation transformation(pad, FVerschleiert, mitSchluessel ? &Schluessel() : nullptr);
  std::uint32_t crc = 0;
  for (std::size_t k = 0; k < laenge; k += kBlock) {
    std::size_t n = std::min(kBlock, laenge - k);
    crc = CRC(crc, body + k, n);
    transformation.Anwenden(body + k, n, k);
  }
  s.Positionieren(s.Groesse());
  s.Schreibe(&crc, 4);
  return true;
}

bool TZAQ::LeseStream(TZAQStream& s) {
  if (s.Groesse() < kKopfGroesse + 4) return false;
  const std::uint8_t* kopf = s.Daten().data();
  const bool mitSchluessel = kopf[210] == 1;
  std::uint32_t pruefwert;
  std::memcpy(&pruefwert, kopf + 211, 4);
  FVerschleiert = kopf[215] == 1;
  std::uint8_t pad[50];
  std::memcpy(pad, kopf + 216, 50);

  Warten().ZeigeStatus("Verarbeite Stream");
  if (mitSchluessel && (Schluessel().empty() || CRC(Schluessel()) != pruefwert)) {
    Meldung("Schlüssel stimmen nicht überein. Datei kann nicht entschlüsselt werden!",
            MeldungsArt::Fehler);
    return false;
  }

  std::uint8_t* body = s.Daten().data() + kKopfGroesse;
  const std::size_t laenge = s.Groesse() - kKopfGroesse - 4;
  const Transformation transformation(pad, FVerschleiert, mitSchluessel ? &Schluessel() : nullptr);
  std::uint32_t crc = 0;
  for (std::size_t k = 0; k < laenge; k += kBlock) {
    std::size_t n = std::min(kBlock, laenge - k);
    transformation.Anwenden(body + k, n, k);
    crc = CRC(crc, body + k, n);
  }
  std::uint32_t gespeichert;
  std::memcpy(&gespeichert, body + laenge, 4);
  if (crc != gespeichert &&
      Meldung("Die Prüfsumme der Datei stimmt nicht. Soll ZAQ trotzdem versuchen, die Daten zu "
              "lesen?\r\n\r\nBeachten Sie, dass die Daten vollständig oder zumindest teilweise "
              "falsch sind, und öffnen Sie statt dieser Datei sicherheitshalber eine "
              "Sicherungskopie.",
              MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja)
    return false;

  // The record must not read into the checksum.
  s.Begrenzen(kKopfGroesse + laenge);
  s.Positionieren(kKopfGroesse);
  bool ok = true;
  StreamLesen(s, static_cast<std::int64_t>(laenge), ok);
  FGeleseneGroesse = static_cast<std::int64_t>(laenge);
  FAnzahlUnbekannt = s.FAnzahlUnbekannt;
  return ok;
}

std::unique_ptr<TZAQ> TZAQ::CreateAusStream(Bytes daten, const TZAQ& vorlage) {
  auto neu = std::make_unique<TZAQ>();
  neu->FFtpDaten.FSchluessel = vorlage.FFtpDaten.FSchluessel;
  neu->FFtpDaten.FSchluesselZeit = vorlage.FFtpDaten.FSchluesselZeit;
  if (daten.size() < kKopfGroesse + 4 || std::memcmp(daten.data(), kZAQMagie, 10) != 0) return nullptr;
  TZAQStream s(std::move(daten));
  if (!neu->LeseStream(s)) return nullptr;
  // The key never travels; a file from the server lacks it.
  neu->FFtpDaten.FSchluessel = vorlage.FFtpDaten.FSchluessel;
  if (const TBenutzer* b = vorlage.AktuellerBenutzer()) neu->SetzeAktuellerBenutzer(neu->SucheBenutzer(b->FLogin, 0));
  const TFtpDaten& alt = vorlage.FFtpDaten;
  neu->FFtpDaten.FAusgespeichertVon = alt.FAusgespeichertVon;
  neu->FFtpDaten.FUploadVon = alt.FUploadVon;
  neu->FFtpDaten.FUploadVersion = alt.FUploadVersion;
  neu->FFtpDaten.FUploadZeit = alt.FUploadZeit;
  // Users who do not share keep the passwords and pictures of this computer.
  for (auto& b : neu->FBenutzer) {
    if (b->HatRecht(rOnline)) continue;
    for (const auto& a : vorlage.FBenutzer)
      if (a->FLogin == b->FLogin && a->FBenutzerNr == b->FBenutzerNr) {
        b->FKennwortHash = a->FKennwortHash;
        b->FKennwortAktionen = a->FKennwortAktionen;
        b->FBildNr = a->FBildNr;
        b->FBild = a->FBild;
      }
  }
  for (const auto& m : vorlage.FArchiv) {
    bool vorhanden = false;
    for (const auto& n : neu->FArchiv)
      if (GleichesMitglied(*m, *n)) vorhanden = true;
    if (!vorhanden) neu->FArchiv.Anhaengen(std::make_unique<TMitglied>(*m));
  }
  const std::int32_t grenze = Heute() - neu->FFtpDaten.FArchivTage;
  std::vector<TMitglied*> weg;
  for (const auto& m : neu->FArchiv)
    if (m->FSelektiert && !neu->ImArchivZeitraum(*m, grenze)) weg.push_back(m.get());
  for (TMitglied* m : weg) neu->FArchiv.Loeschen(*m);
  if (!neu->AktuellerBenutzer() && !neu->Anmelden(false)) return nullptr;
  neu->FDateiname = vorlage.FDateiname;
  return neu;
}

std::unique_ptr<TZAQ> TZAQ::CreateAusDatei(const std::string& name, Ladezustand* zustandAus) {
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Lade Datei");
  Ladezustand zustand = Ladezustand::Ok;
  std::unique_ptr<TZAQ> liste;
  std::string zusatz;
  int version = 0;

  plattform::Bytes inhalt = Dateipuffer();
  const bool gelesen = plattform::LeseDatei(plattform::Pfad(name), inhalt);
  if (!gelesen || inhalt.size() < 10) {
    zustand = Ladezustand::DateiIDFehler;
  } else if (std::memcmp(inhalt.data(), kZAQMagie, 10) == 0) {
    liste = std::make_unique<TZAQ>();
    TZAQStream s(std::move(inhalt));
    if (Warten().AbbruchGewuenscht()) zustand = Ladezustand::Abgebrochen;
    if (zustand == Ladezustand::Ok) {
      Warten().ZeigeStatus("Lese Stream");
      if (!liste->LeseStream(s)) zustand = Ladezustand::StreamFehler;
    }
    if (zustand == Ladezustand::Ok && !liste->Anmelden(true)) zustand = Ladezustand::Abgebrochen;
    if (zustand == Ladezustand::Ok) liste->FDateiname = Trim(name);
  } else {
    // Files of the older formats come as a data file and an additional file.
    version = inhalt[0] | inhalt[1] << 8;
    Warten().ZeigeStatus("Importiere Datei");
    std::string klein = Klein(name);
    bool sicherung = klein.size() >= 3 && klein.ends_with("~aq");
    std::string daten = MitErweiterung(name, sicherung ? ".~aq" : ".zaq");
    zusatz = MitErweiterung(name, sicherung ? ".~az" : ".zaz");
    std::string endung = Gross(Erweiterung(name));
    if (endung != ".ZAQ" && endung != ".~AQ") zustand = Ladezustand::EndungFehler;
    else if (!plattform::DateiExistiert(daten)) zustand = Ladezustand::DatenbankFehlt;
    else if (!plattform::DateiExistiert(zusatz)) zustand = Ladezustand::ZusatzdateiFehlt;
    else zustand = Ladezustand::VersionUnbekannt;  // the older formats are read by the importer
  }
  DateipufferAbgeben(std::move(inhalt));

  if (zustandAus) *zustandAus = zustand;
  if (zustand != Ladezustand::Ok) {
    Ladefehler(zustand, name, zusatz, version);
    return nullptr;
  }
  return liste;
}

bool TZAQ::SchreibeDatei(const std::string& name, const std::string& warteText,
                         std::uint32_t flags) {
  Warten().ZeigeStatus("Erzeuge Stream");
  TZAQStream s;
  bool ergebnis = SchreibeStream(s, flags) && !Warten().AbbruchGewuenscht();
  Warten().ZeigeStatus(warteText);
  if (!ergebnis) return false;
  if (!plattform::SchreibeDateiSicher(plattform::Pfad(name), s.Daten())) {
    Meldung("Fehler beim Schreiben von " + name + "!", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

bool TZAQ::Speichern() { return SpeichernAls(FDateiname, false); }

bool TZAQ::SpeichernAls(const std::string& name, bool kopie) {
  WartenSchliessen schliessen;
  if (!SchreibeDatei(name, "Speichere Datei", sfLokal | sfLokaleDaten)) return false;
  if (!kopie) {
    FGeaendert = false;
    FDateiname = Trim(name);
  }
  return true;
}

void TZAQ::Sicherungskopie() {
  if (Gross(Erweiterung(FDateiname)) == ".~AQ") {
    Meldung("Die Datei, die Sie gerade bearbeiten, ist eine Sicherungskopie. ZAQ legt von dieser "
            "Sicherungskopie keine weitere Sicherungskopie an. Bitte speichern Sie die Datei unter "
            "einem anderen Namen, falls Sie sie wiederherstellen möchten!",
            MeldungsArt::Information);
    return;
  }
  auto letzte = LeseEinstellungZahl(esSicherungsdatei);
  if (!letzte) return;
  int n = *letzte + 1;
  if (n > 9 || n < 0) n = 0;
  SchreibeEinstellungZahl(esSicherungsdatei, n);
  std::string d = LeseEinstellung(esSicherungsverzeichnis);
  if (d == "Datei") d = Verzeichnis();
  if (!plattform::VerzeichnisExistiert(d)) {
    Meldung("Kann keine Sicherungskopie erstellen, da ein ungültiges Verzeichnis angegeben ist. "
            "Bitte geben Sie in den Programmeinstellungen ein gültiges Verzeichnis für "
            "Sicherungskopien an!",
            MeldungsArt::Fehler);
    return;
  }
  bool mitTrenner = d.ends_with('/') || d.ends_with('\\');
  std::string name = d + (mitTrenner ? "" : "/") + "~Sicherungskopie" + std::to_string(n) + ".~aq";
  WartenSchliessen schliessen;
  SchreibeDatei(name, "Speichere Sicherungskopie", sfLokal | sfLokaleDaten);
}

bool IstGleicheDatei(const std::string& a, const std::string& b) {
  // Relative and absolute spellings of one path must compare equal too.
  auto ohneEndung = [](const std::string& name) {
    std::error_code fehler;
    std::string s = plattform::PfadText(
        std::filesystem::absolute(plattform::Pfad(Trim(name)), fehler).lexically_normal());
    return s.size() >= 4 ? s.substr(0, s.size() - 4) : std::string();
  };
  return GleichOhneGross(ohneEndung(a), ohneEndung(b));
}

bool TZAQ::IstDatei(const std::string& name) const { return IstGleicheDatei(FDateiname, name); }

bool TZAQ::HatDateiname() const { return !Trim(FDateiname).empty(); }

std::string TZAQ::Verzeichnis() const {
  std::string dir = plattform::PfadText(plattform::Pfad(FDateiname).parent_path());
  if (dir.empty()) dir = ".";
  return dir + "/";
}

void TZAQ::Geaendert() {
  FLetzteAenderungVon.Setze(AktuellerBenutzer());
  FGeaendertAm = GanzeSekunden(Jetzt());
  FGeaendert = true;
  ++FAenderungszaehler;
}

}  // namespace zaq
