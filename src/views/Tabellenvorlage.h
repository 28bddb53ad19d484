#pragma once
// The template dialog "Tabelleneigenschaften" and its relatives: title,
// columns (chosen from the field list and put in order), criteria, groups,
// departments, reference date, sort keys, print options and fonts.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Datum.h"
#include "interaction/Oberflaeche.h"
#include "store/TabVorlage.h"

namespace zaq {

class TfrmZAQBenutzerTab : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Tabellenvorlage";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kAbteilungenHinweis = "Mehrere durch Komma trennen. Alle=*";
  static constexpr const char* kKeineSortierung = "keine Sortierung";

  enum Modus { mdProgramm = 0, mdVerein = 1, mdTabelle = 2, mdFilter = 3 };
  enum Skalierung { skNicht = 0, skVerkleinern = 1, skAnpassen = 2 };

  // Works on a copy of the template; the group names are those of the
  // master data (none in mode 0).
  TfrmZAQBenutzerTab(const TTabVorlage& vorlage, int modus, std::vector<std::string> gruppennamen = {});

  int Modus() const { return FModus; }
  std::string Titel() const;
  // What the mode offers besides title and columns.
  bool ZeigtKriterien() const { return FModus == mdVerein || FModus == mdFilter; }
  bool ZeigtGruppen() const { return ZeigtKriterien(); }
  bool GruppenAenderbar() const { return ZeigtGruppen() && !FGruppennamen.empty(); }
  bool ZeigtAbteilungen() const { return ZeigtKriterien(); }
  bool ZeigtBezugsdatum() const { return FModus == mdTabelle || FModus == mdFilter; }
  bool ZeigtSortierung() const { return FModus != mdProgramm; }
  bool ZeigtDruck() const { return FModus != mdProgramm; }
  const std::vector<std::string>& Gruppennamen() const { return FGruppennamen; }

  // An entry of the field lists: "025;Name, Vorname kombiniert".  Group
  // headings stay in the available list and cannot be chosen.
  struct Eintrag {
    std::int32_t art = 0;
    std::string text;
    bool kopf = false;
    bool operator==(const Eintrag&) const = default;
  };
  std::vector<Eintrag> FVerfuegbar;
  std::vector<Eintrag> FGewaehlt;
  // Available entry i into the chosen list before entry ziel (the end for
  // -1): double click or dragging.  False for a heading.
  bool Waehle(int i, int ziel = -1);
  // Chosen entry i back into the available list, at its place by kind.
  bool Entferne(int i);
  // Chosen entry von into the gap luecke (0 to size) of the chosen list.
  bool Verschiebe(int von, int luecke);
  // The gap nearest to a point: y in the list's coordinates, rows of equal height.
  static int NaechsteLuecke(int y, int zeilenhoehe, int zeilen);

  // The 20 sortable kinds and "keine Sortierung" (index 20).
  static std::vector<std::string> SortierAuswahl();

  std::string FTitel;
  std::string FAbteilungen;
  Tag FBezugsdatum = 0;
  std::array<bool, kTabFilter> FKriterien{};
  std::vector<bool> FGruppen;  // one per group name
  std::array<int, 3> FSortWahl{};
  std::array<bool, 3> FAbsteigend{};
  bool FProgrammSchrift = false;  // "aus Programmeinstellungen übernehmen", else "Schrift aus dieser Vorlage verwenden"
  int FSkalierung = skVerkleinern;

  // "Kopfzeile..." and "Tabelle...": the font chooser on the copy's formats.
  void KopfSchrift();
  void TabellenSchrift();
  const TTabVorlage& Kopie() const { return FKopie; }

  // "OK": the dialog's state into the copy.
  void Uebernehmen();

 private:
  TTabVorlage FKopie;
  int FModus;
  std::vector<std::string> FGruppennamen;
};

// Edits a template; true and the template changed only on "OK".
bool BearbeiteVorlage(TTabVorlage& vorlage, int modus, const std::vector<std::string>& gruppennamen = {});
// A program template on its line form; the new line on "OK".  A new one
// starts from "Vorgabe".
std::optional<std::string> BearbeiteProgrammvorlage(const std::string& zeile = "Vorgabe");

}  // namespace zaq
