#include "interaction/Einstellungen.h"

#include <filesystem>
#include <map>
#include <vector>

#include "base/Hex.h"
#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "interaction/Systemdienste.h"
#include "platform/Kodierung.h"
#include "platform/Plattform.h"

namespace zaq {
namespace fs = std::filesystem;

namespace {

struct Schluessel {
  int code;
  const char* name;
  const char* vorgabe;  // nullptr: the program directory
};

constexpr Schluessel kTabelle[] = {
    {101, "Schrift Verein", "Arial;14;255;1;0;0"},
    {102, "Schrift Seiten", "Arial;8;0;0;0;0"},
    {103, "Schrift Zusatz", "Arial;8;16711680;1;0;0"},
    {111, "Schrift ZAQ-Kopf", "Arial;10;0;1;0;0"},
    {112, "Schrift ZAQ-Text", "Arial;10;0;0;0;0"},
    {113, "Schrift ZAQ-Ausdruck", "Arial;12;0;0;0;0"},
    {121, "Schrift LGV-Kopf", "Arial;8;0;1;0;0"},
    {122, "Schrift LGV-Text", "Courier New;8;0;1;0;0"},
    {123, "Schrift LGV-Erweitert", "Courier New;8;0;0;0;0"},
    {124, "Schrift LGV-Begleitzettel", "Arial;12;0;0;0;0"},
    {131, "Schrift Anzeige", "Tahoma;10;0;0;0;0"},
    {132, "Schrift Meldung", "Lucida Console;10;0;0;0;0"},
    {200, "Letzte Datei", ""},
    {201, "Ende Meldung", "0"},
    {202, "Autosuchen", "1"},
    {204, "Auto Sortieren", "0"},
    {205, "Programme anzeigen", "1"},
    {206, "Meldung vorne", "0"},
    {208, "Sicherungskopie", "0"},
    {209, "Sicherungsdatei", "0"},
    {210, "Sicherungsverzeichnis", nullptr},
    {211, "Druckabstand oben", "10"},
    {212, "Druckabstand links", "20"},
    {213, "Druckabstand rechts", "10"},
    {214, "Druckabstand unten", "10"},
    {215, "ZAQ-Suchen Fenster X", "0"},
    {216, "ZAQ-Suchen Fenster Y", "0"},
    {217, "LGV-Suchen Fenster X", "0"},
    {218, "LGV-Suchen Fenster Y", "0"},
    {219, "Mitfin Fenster X", "0"},
    {220, "Mitfin Fenster Y", "0"},
    {221, "Selektion", "0"},
    {222, "Sonderbuchung Betrag", "0,00"},
    {223, "Sonderbuchung Hauptverwendung", "Sonderbeitrag"},
    {225, "Jubi-Listen sortieren", "1"},
    {226, "Jubi-Listen selektiert", "0"},
    {227, "Mitfin Fenster B", "0"},
    {228, "Mitfin Fenster H", "0"},
    {229, "Datei merken", "1"},
    {230, "Block Einträge", "5"},
    {231, "Block Abstand", "150"},
    {232, "Selektion Fenster X", "0"},
    {233, "Selektion Fenster Y", "0"},
    {236, "Schattierung", "0"},
    {237, "Schattierfarbe", "12632256"},
    {238, "DTA-Sonderzeichen auflösen", "1"},
    {239, "Zeilenabstand", "110"},
    {240, "FTP-Server beim Öffnen", "0"},
    {245, "FTP-Aktualisierabstand", "5"},
    {246, "FTP passiv", "0"},
    {248, "Gitternetz X", "0"},
    {249, "Gitternetz Y", "1"},
    {250, "Letzte ProgAkt", "0"},
    {251, "ProgAkt-Intervall", "30"},
    {252, "ProgAkt-Server", ""},
    {253, "ProgAkt-Proxy", ""},
    {254, "ProgAkt-Port", "8080"},
    {255, "ProgAkt-Name", ""},
    {256, "ProgAkt-Kennw", ""},
    {257, "Auto-Login", ""},
    {258, "Auto-Hash", ""},
    {259, "Seitenrand zeigen", "1"},
    {260, "Spalten skalieren", "1"},
    {261, "Automatisches Einspeichern", "1"},
    {262, "Verbindungsversuche", "5"},
    {300, "Programme", "0"},
    {400, "Tabellen", "0"},
};

const Schluessel* Finde(int code) {
  for (const auto& s : kTabelle)
    if (s.code == code) return &s;
  return nullptr;
}

std::string& Verzeichnis() {
  static std::string v;
  return v;
}

// Finds a file in a directory regardless of case, as the Windows file system would.
fs::path DateiOhneGross(const std::string& verzeichnis, const std::string& name) {
  fs::path dir = plattform::Pfad(verzeichnis);
  std::error_code fehler;
  fs::path genau = dir / name;
  if (fs::exists(genau, fehler)) return genau;
  for (const auto& eintrag : fs::directory_iterator(dir, fehler))
    if (GleichOhneGross(plattform::PfadText(eintrag.path().filename()), name)) return eintrag.path();
  return {};
}

// The profile file as lines, Windows-1252 bytes, as the Windows profile functions treat it.
std::vector<std::string> LeseZeilen(const fs::path& datei) {
  std::vector<std::string> zeilen;
  plattform::Bytes inhalt;
  if (datei.empty() || !plattform::LeseDatei(datei, inhalt)) return zeilen;
  std::string zeile;
  for (std::uint8_t b : inhalt) {
    if (b == '\n') {
      if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
      zeilen.push_back(zeile);
      zeile.clear();
    } else {
      zeile += static_cast<char>(b);
    }
  }
  if (!zeile.empty()) {
    if (zeile.back() == '\r') zeile.pop_back();
    zeilen.push_back(zeile);
  }
  return zeilen;
}

bool IstAbschnitt(const std::string& zeile, std::string* name = nullptr) {
  std::string t = Trim(zeile);
  if (t.size() < 2 || t.front() != '[') return false;
  std::size_t ende = t.find(']');
  if (ende == std::string::npos) return false;
  if (name) *name = Trim(t.substr(1, ende - 1));
  return true;
}

// Index range [anfang, ende) of the section's lines after its header; anfang = -1 when absent.
std::pair<long, long> AbschnittBereich(const std::vector<std::string>& zeilen,
                                       const std::string& abschnitt) {
  for (std::size_t i = 0; i < zeilen.size(); ++i) {
    std::string name;
    if (IstAbschnitt(zeilen[i], &name) && GleichOhneGross(Cp1252ZuUtf8(name), abschnitt)) {
      std::size_t j = i + 1;
      while (j < zeilen.size() && !IstAbschnitt(zeilen[j])) ++j;
      return {static_cast<long>(i + 1), static_cast<long>(j)};
    }
  }
  return {-1, -1};
}

long FindeSchluessel(const std::vector<std::string>& zeilen, std::pair<long, long> bereich,
                     const std::string& schluessel, std::string* wert) {
  for (long i = bereich.first; i >= 0 && i < bereich.second; ++i) {
    const std::string& z = zeilen[static_cast<std::size_t>(i)];
    std::size_t gleich = z.find('=');
    if (gleich == std::string::npos) continue;
    std::string name = Trim(z.substr(0, gleich));
    if (name.empty() || name[0] == ';') continue;
    if (GleichOhneGross(Cp1252ZuUtf8(name), schluessel)) {
      if (wert) *wert = Trim(z.substr(gleich + 1));
      return i;
    }
  }
  return -1;
}

}  // namespace

std::string ProfilLesen(const std::string& datei, const std::string& abschnitt,
                        const std::string& schluessel, const std::string& vorgabe) {
  if (schluessel.empty()) return vorgabe;
  auto zeilen = LeseZeilen(plattform::Pfad(datei));
  std::string wert;
  if (FindeSchluessel(zeilen, AbschnittBereich(zeilen, abschnitt), schluessel, &wert) < 0)
    return vorgabe;
  // Quotes around the whole value are not part of it.
  if (wert.size() >= 2 && (wert.front() == '"' || wert.front() == '\'') && wert.back() == wert.front())
    wert = wert.substr(1, wert.size() - 2);
  // The profile buffer holds 127 characters.
  if (wert.size() > 127) wert.resize(127);
  return Cp1252ZuUtf8(wert);
}

bool ProfilSchreiben(const std::string& datei, const std::string& abschnitt,
                     const std::string& schluessel, const std::string& wert) {
  if (schluessel.empty()) return false;
  auto zeilen = LeseZeilen(plattform::Pfad(datei));
  std::string neu = Utf8ZuCp1252(schluessel) + "=" + Utf8ZuCp1252(wert);
  auto bereich = AbschnittBereich(zeilen, abschnitt);
  if (bereich.first < 0) {
    if (!zeilen.empty() && !Trim(zeilen.back()).empty()) zeilen.emplace_back();
    zeilen.push_back("[" + Utf8ZuCp1252(abschnitt) + "]");
    zeilen.push_back(neu);
  } else if (long i = FindeSchluessel(zeilen, bereich, schluessel, nullptr); i >= 0) {
    zeilen[static_cast<std::size_t>(i)] = neu;
  } else {
    long ende = bereich.second;
    while (ende > bereich.first && Trim(zeilen[static_cast<std::size_t>(ende - 1)]).empty()) --ende;
    zeilen.insert(zeilen.begin() + ende, neu);
  }
  std::string text;
  for (const auto& z : zeilen) text += z + "\r\n";
  return plattform::SchreibeDateiSicher(plattform::Pfad(datei), reinterpret_cast<const std::uint8_t*>(text.data()),
                                        text.size());
}


bool ProfilLoeschen(const std::string& datei, const std::string& abschnitt, const std::string& schluessel) {
  auto zeilen = LeseZeilen(plattform::Pfad(datei));
  const long i = FindeSchluessel(zeilen, AbschnittBereich(zeilen, abschnitt), schluessel, nullptr);
  if (i < 0) return true;
  zeilen.erase(zeilen.begin() + i);
  std::string text;
  for (const auto& z : zeilen) text += z + "\r\n";
  return plattform::SchreibeDateiSicher(plattform::Pfad(datei), reinterpret_cast<const std::uint8_t*>(text.data()),
                                        text.size());
}

std::string EinstellungsVerzeichnis() {
  return Verzeichnis().empty() ? plattform::ProgrammVerzeichnis() : Verzeichnis();
}

void SetzeEinstellungsVerzeichnis(const std::string& verzeichnis) {
  Verzeichnis() = verzeichnis;
  if (!Verzeichnis().empty() && Verzeichnis().back() != '/') Verzeichnis() += '/';
}

EinstellungsVerzeichnisSetzen::EinstellungsVerzeichnisSetzen(const std::string& verzeichnis) : FAlt(Verzeichnis()) {
  SetzeEinstellungsVerzeichnis(verzeichnis);
}

EinstellungsVerzeichnisSetzen::~EinstellungsVerzeichnisSetzen() { Verzeichnis() = FAlt; }

std::string EinstellungsDatei() {
  fs::path datei = DateiOhneGross(EinstellungsVerzeichnis(), "zaq.ini");
  return datei.empty() ? EinstellungsVerzeichnis() + "zaq.ini" : plattform::PfadText(datei);
}

std::string EinstellungsName(int code) {
  if (code >= 301 && code <= 399) return "Programm " + std::to_string(code - 300);
  if (code >= 401 && code <= 499) return "Tabelle " + std::to_string(code - 400);
  const Schluessel* s = Finde(code);
  return s ? s->name : "";
}

std::string EinstellungsVorgabe(int code) {
  if ((code >= 301 && code <= 399) || (code >= 401 && code <= 499)) return "0";
  const Schluessel* s = Finde(code);
  if (!s) return "";
  return s->vorgabe ? s->vorgabe : plattform::ProgrammVerzeichnis();
}

std::string LeseEinstellung(int code) {
  std::string vorgabe = EinstellungsVorgabe(code);
  std::string wert = ProfilLesen(EinstellungsDatei(), kEinstellungsAbschnitt, EinstellungsName(code), vorgabe);
  return wert.empty() ? vorgabe : wert;
}

std::optional<std::int32_t> LeseEinstellungZahl(int code) {
  std::string text = LeseEinstellung(code);
  auto wert = ZuZahl(text);
  if (!wert)
    Meldung("\"" + text + "\" ist kein gültiger ganzzahliger Wert für die Einstellung \"" +
                EinstellungsName(code) + "\" in " + EinstellungsDatei() + ".",
            MeldungsArt::Fehler);
  return wert;
}

void SchreibeEinstellung(int code, const std::string& wert) {
  ProfilSchreiben(EinstellungsDatei(), kEinstellungsAbschnitt, EinstellungsName(code), wert);
}

void SchreibeEinstellungZahl(int code, std::int32_t wert) {
  SchreibeEinstellung(code, std::to_string(wert));
}

std::string LeseEinstellungHex(int code) {
  std::string bytes = TextAusHex(LeseEinstellung(code));
  if (code == esProgAktKennw) bytes = Entschleiere(bytes, 1);
  return Cp1252ZuUtf8(bytes);
}

void SchreibeEinstellungHex(int code, const std::string& wert) {
  std::string bytes = Utf8ZuCp1252(wert);
  if (code == esProgAktKennw) bytes = Verschleiere(bytes, 1);
  SchreibeEinstellung(code, HexText(bytes));
}

void PruefeEinstellungsdatei() {
  std::string dir = EinstellungsVerzeichnis();
  fs::path standard = DateiOhneGross(dir, "STANDARD.INI");
  if (standard.empty() || !DateiOhneGross(dir, "ZAQ.INI").empty()) return;
  KopiereDatei(plattform::PfadText(standard), dir + "ZAQ.INI");
}

}  // namespace zaq
