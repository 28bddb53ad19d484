#pragma once
// Member tables ("Tabelle"): the cell text of every column kind, the rows a
// template chooses, sorting, the grid with its column widths, copying and
// saving.  A table is a window beside the main window; its logic lives here,
// front ends render it.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Datum.h"
#include "interaction/Oberflaeche.h"
#include "store/Lebenszeichen.h"
#include "store/TabVorlage.h"

namespace zaq {

class TMitglied;
class TZAQ;

// The text member m shows in a column of kind art; zeile is the 1-based
// grid row, bezug and rechen the template's reference and calculation
// dates.  Without the fee right every fee and account kind shows "***".
std::string SpaltenWert(TMitglied& m, std::int32_t art, int zeile, Tag bezug, Tag rechen, bool beitragsrecht);

// Text measures of tables in screen pixels at 96 dots per inch, from the
// standard metrics of a Helvetica-like sans serif.  The program and zaq-cli
// size columns with the same numbers and so write the same RTF.
inline constexpr int kBildschirmDpi = 96;
int TextBreite(const TSchrift& schrift, std::string_view text);
int TextHoehe(const TSchrift& schrift);

// The forms a table is written in.
enum class Exportform { Tabulator, Semikolon, Komma, Rtf };
// The save dialog's file types, in the order of Exportform.
std::vector<DateiFilter> TabellenDateifilter();

// A range of body cells: rows 1 to n, columns 0 to m-1, inclusive.
struct TZellbereich {
  int links = 0, oben = 1, rechts = 0, unten = 1;
};

class TTabelle : public FensterDaten {
 public:
  static constexpr std::string_view kArt = "Tabelle";
  std::string_view Art() const override { return kArt; }

  // A table of the list from a copy of the template; a filter table chooses
  // its members itself, a handed list shows the rows it is given.  The
  // table keeps a list that is shared with it alive.
  TTabelle(TZAQ& liste, const TTabVorlage& vorlage, bool filterTabelle);
  // A table without a member list ("Tabelle ohne Vereinsbezug"): findings
  // and reports whose cells are given as they are.
  TTabelle(std::string titel, std::vector<std::string> kopf, const std::vector<std::vector<std::string>>& zeilen);
  ~TTabelle() override;

  // The rows of a filter table from the template's criteria, groups and
  // departments, or the archive.
  void ZeilenWaehlen();
  // The rows of a handed list, in the order given.
  void SetzeZeilen(const std::vector<TMitglied*>& mitglieder);
  // By the template's sort keys and reference date; not stable.
  void Sortieren();
  // The grid from the rows; false after the warning when the template has
  // no columns (the grid then stays as it was).
  bool Fuellen();
  // Row height and column widths from the cells.
  void Spaltenbreiten();
  // Rows (a filter table only), sort, fill, widths.
  bool Aufbauen();

  // --- the grid: row 0 holds the headings ---
  int Zeilenzahl() const { return static_cast<int>(FZeilen.size()); }
  int Spaltenzahl() const { return FSpaltenzahl; }
  const std::string& Zelle(int zeile, int spalte) const;
  // A body cell as it is drawn: computed again from its member, so that the
  // table follows later changes.
  const std::string& ZelleZeichnen(int zeile, int spalte);
  // The member of body row zeile (1-based), or none when it is gone.
  TMitglied* Mitglied(int zeile) const;
  bool ErsteSpalteFest() const { return FErsteSpalteFest; }
  bool KopfFest() const { return Zeilenzahl() > 0; }
  const std::vector<int>& Breiten() const { return FBreiten; }
  // A width set by the window (scaling with the window, the user's drag).
  void SetzeBreite(int spalte, int breite) {
    if (spalte >= 0 && spalte < static_cast<int>(FBreiten.size())) FBreiten[static_cast<std::size_t>(spalte)] = breite;
  }
  int Zeilenhoehe() const { return FZeilenhoehe; }
  // The sum of the column widths.
  int Gesamtbreite() const;

  // --- copying and saving ---
  // The heading row and the body rows of the range (all without one), as
  // text with CR LF line ends; UTF-8.
  std::string Text(Exportform form, std::optional<TZellbereich> bereich = std::nullopt) const;
  // "Tabelle kopieren", "Auswahl kopieren": plain text and RTF together.
  void Kopieren(std::optional<TZellbereich> bereich = std::nullopt) const;
  // The whole table in Windows-1252; false after the message.
  bool Speichern(const std::string& datei, Exportform form) const;
  // "Als Textdatei speichern unter...": the save dialog, then Speichern.
  bool SpeichernUnter() const;

  // --- the template ---
  TTabVorlage& Vorlage() { return FVorlage; }
  const TTabVorlage& Vorlage() const { return FVorlage; }
  bool Filtertabelle() const { return FFilterTabelle; }
  // A sort command's keys become the template's, the rows are sorted.
  void SortiereNach(const std::vector<std::int32_t>& schluessel);
  // "Spalte ausblenden": the columns erste..letzte leave the template.
  void SpaltenAusblenden(int erste, int letzte);
  // The caption of that command for a selection of columns.
  std::string AusblendenText(int erste, int letzte) const;
  // A column dragged to another place.
  void SpalteVerschieben(int von, int nach);

  // --- going to a member ---
  // The active member of the current row when one row is selected, or none.
  TMitglied* MitgliedZumAufrufen(int oben, int unten) const;

  // A download from the shared server replaced the list: the table goes over
  // to the new one (a filter table chooses its rows anew, a handed list finds
  // its members there).  True when it did.
  bool FolgeListe();

  // --- the window's texts ---
  TZAQ* Liste() const { return FListe; }
  std::string Titel() const { return FVorlage.FTitel; }
  std::array<std::string, 2> FKopfLinks, FKopfRechts;  // the print header
  std::array<std::string, 4> FStatus;                   // the status line
  bool Beitragsrecht() const;
  bool Archivrecht() const;

 private:
  struct Zeile {
    Zwischenspeicher<TMitglied> ziel;
    std::uint16_t nummer = 0;
    std::int32_t geburtsdatum = 0;
    bool archiv = false;
  };
  TMitglied* Aufloesen(const Zeile& z) const;
  std::optional<std::size_t> Index(int zeile, int spalte) const;
  void Anhaengen(TMitglied& m);
  std::string Wert(int zeile, int spalte) const;

  TZAQ* FListe = nullptr;
  std::shared_ptr<TZAQ> FHalter;  // keeps a shared list alive
  Lebenszeichen FLebt;
  TTabVorlage FVorlage;
  bool FFilterTabelle = false;
  std::vector<Zeile> FZeilen;
  int FSpaltenzahl = 0;
  std::vector<std::string> FZellen;  // (rows + 1) × columns, row 0 the headings
  std::vector<int> FBreiten;
  int FZeilenhoehe = 0;
  bool FErsteSpalteFest = false;
  bool FBeitragsrecht = false;
};

// --- entry operations ---
// A filter table from the template, shown; none when no member passes (the
// caller decides what to say).
std::shared_ptr<TTabelle> ZeigeFilterTabelle(TZAQ& liste, const TTabVorlage& vorlage);
// A table of the members handed in, shown.  The caller sets the template's
// reference and calculation dates.
std::shared_ptr<TTabelle> ZeigeTabelle(TZAQ& liste, const std::vector<TMitglied*>& mitglieder,
                                       const TTabVorlage& vorlage);
// Standard template n; a reference date of 0 takes the club's; false after
// the information when no member passes.
bool ZeigeStandardtabelle(TZAQ& liste, int n, Tag bezug, bool nurSelektierte);
// The template standard template n makes, with its dates set as a standard
// table sets them.
TTabVorlage Standardtabelle(const TZAQ& liste, int n, Tag bezug, bool nurSelektierte);

// Program templates from the settings file: the title and columns of each
// line "Tabelle 1" to "Tabelle n", n from "Tabellen".
std::vector<TTabVorlage> Programmvorlagen();
void SchreibeProgrammvorlagen(const std::vector<TTabVorlage>& vorlagen);

}  // namespace zaq
