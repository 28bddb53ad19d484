#pragma once
// The member list as a separated text file, and members read from one.
// On disk: Windows-1252, every line ended by CR LF, the last one too.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Plattform.h"

namespace zaq {

class TMitglied;
class TZAQ;

// The export's text in Windows-1252: the header and one line per active
// member, in list order.
std::string ExportText(TZAQ& liste, char trenner = ';');
// Writes it to the file at once (never half a file); messages on failure
// and on success.
bool ExportiereText(TZAQ& liste, const std::string& datei, char trenner = ';');
// Whether the name is the open member file's, by its name or as the same
// file on disk.
bool IstMitgliederdatei(const TZAQ& liste, const std::string& datei);

// A field a column of the import can be given.
struct TImportFeld {
  int nummer;
  std::string_view menue;      // text in the field menu
  std::string_view kopf;       // column heading
  std::string_view gruppe;     // menu group; empty for the fields that stand alone
};
const std::vector<TImportFeld>& ImportFelder();
const TImportFeld* ImportFeld(int nummer);

// Where imported members go.
enum class Importziel { Keines, Mitgliederliste, Archiv };

// A loaded text file, its preview and the fields of its columns.
class TTextimport {
 public:
  // The file's lines; false after the message for a file that is no text.
  bool Laden(const plattform::Bytes& inhalt);
  bool LadeDatei(const std::string& datei);
  // The preview for this number of header lines (0 to 100); false after the
  // message when there are no rows or no separator.  Every column's field
  // goes back to 0.
  bool SetzeKopfzeilen(int n);
  int Kopfzeilen() const { return FKopfzeilen; }
  int Zeilenanzahl() const { return static_cast<int>(FZeilen.size()); }
  char Trenner() const { return FTrenner; }
  int Spaltenanzahl() const { return static_cast<int>(FFelder.size()); }
  // The preview rows, their cells editable before importing.
  std::vector<std::vector<std::string>>& Vorschau() { return FVorschau; }
  const std::vector<std::vector<std::string>>& Vorschau() const { return FVorschau; }
  void SetzeFeld(int spalte, int feld);
  int Feld(int spalte) const { return FFelder[static_cast<std::size_t>(spalte)]; }
  std::string Kopf(int spalte) const;

  // The checks and the trial pass, without asking and without changing
  // the list; false after the message.
  bool Pruefen(TZAQ& liste, Importziel ziel) const;
  // The import: asks first (No stops), checks, then appends the members;
  // false after a message when nothing was imported.
  bool Importiere(TZAQ& liste, Importziel ziel) const;
  // The same without the question.
  bool Uebernehmen(TZAQ& liste, Importziel ziel) const;

 private:
  bool Speichere(TMitglied& m, int feld, const std::string& zelle, TZAQ& liste, bool versuch) const;
  std::vector<std::string> FZeilen;  // UTF-8
  int FKopfzeilen = 1;
  char FTrenner = 0;
  std::vector<std::vector<std::string>> FVorschau;
  std::vector<int> FFelder;
};

}  // namespace zaq
