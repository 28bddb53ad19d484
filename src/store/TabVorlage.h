#pragma once
// Table templates: what a member table shows (columns), which members it
// lists (criteria, groups, departments), how it is sorted and printed.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "interaction/Oberflaeche.h"
#include "store/DateiEA.h"

namespace zaq {

inline constexpr std::uint8_t kFett = 1, kKursiv = 2, kUnterstrichen = 4, kDurchgestrichen = 8;

class TFormat : public TFeldDatensatz<TFormat> {
 public:
  TFormat() { SchriftAusFeldern(); }
  TFormat(std::string schriftart, std::int32_t groesse, std::uint8_t stil, std::uint32_t farbe);
  const char* KlassenName() const override { return "TFormat"; }
  static std::span<const Feldbeschreibung<TFormat>> Felder();
  void StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) override;

  // Size, style and colour go through the font and keep what it holds.
  void SetzeGroesse(std::int32_t groesse);
  void SetzeStil(std::uint8_t stil);
  void SetzeFarbe(std::uint32_t farbe);
  // A font chosen in a dialog: its four values become the stored ones.
  void SetzeSchrift(const TSchrift& schrift);
  const TSchrift& Schrift() const { return FFont; }

  std::string FSchriftart = "Tahoma";
  std::int32_t FGroesse = 11;
  std::uint8_t FStil = 0;
  std::uint32_t FFarbe = 0;
  std::uint32_t FZweitfarbe = 0xFFFFFF;

 private:
  void SchriftAusFeldern();
  TSchrift FFont;
};

// Member criteria (FFilter), in bit order.
enum TabFilter : std::uint8_t {
  tfNichtSelektiert = 1,
  tfSelektiert = 2,
  tfOhneAustritt = 4,
  tfAustretend = 8,
  tfEhrenmitglied = 16,
  tfVereinsehrung = 32,
  tfGeburtstagsjubilaeum = 64,
  tfArchiv = 128,
};
inline constexpr int kTabFilter = 8;
// The criterion's text in the template dialog; bit 0 to 7.
std::string_view FilterText(int bit);

// Print options (FDruckOptionen).
enum TabDruck : std::uint8_t {
  tdVorlagenSchrift = 1,
  tdProgrammSchrift = 2,
  tdNichtSkalieren = 4,
  tdAnpassen = 8,
  tdVerkleinern = 16,
};

inline constexpr int kStandardvorlagen = 12;

class TTabVorlage : public TFeldDatensatz<TTabVorlage> {
 public:
  TTabVorlage();
  const char* KlassenName() const override { return "TTabVorlage"; }
  static std::span<const Feldbeschreibung<TTabVorlage>> Felder();

  // Standard template n (0 to 11): sort keys emptied, then title, columns
  // and, where it has them, criteria and sort keys; another n only empties
  // the sort keys.
  void Standardvorlage(int n);
  // The line form "Titel;1;3;25": title and columns, nothing else.
  void LeseZeile(std::string_view zeile);
  std::string SchreibeZeile() const;

  void SpalteHinzufuegen(std::int32_t art);
  // Columns erste..letzte, zero-based and inclusive.
  void SpaltenEntfernen(int erste, int letzte);
  int SpaltenAnzahl() const { return static_cast<int>(FSpalten.size()); }
  // The kind at i; 0 outside.
  std::int32_t Spalte(int i) const;
  int SortierAnzahl() const { return static_cast<int>(FSortierung.size()); }
  void SetzeSortierAnzahl(int n);

  std::string FTitel = "Adressenliste";
  std::uint8_t FDruckOptionen = tdVorlagenSchrift | tdVerkleinern;
  TFormat FKopfFormat{"Tahoma", 10, kFett, 0x800000};
  TFormat FTabellenFormat{"Tahoma", 11, 0, 0};
  std::vector<std::int32_t> FSpalten{1, 3, 25, 41, 44};
  std::vector<std::int32_t> FSortierung{21, 22, 3};
  std::string FAbteilungen = "*";
  std::uint8_t FFilter = 0;
  std::uint32_t FGruppen = 0;
  // Not stored.
  std::int32_t FBezugsdatum;
  std::int32_t FRechendatum = 0;
};

class TTabVorlagenListe : public TListe<TTabVorlage> {
 public:
  const char* KlassenName() const override { return "TTabVorlagenListe"; }
};

// Column kinds 0 to 170; their headings are TMitglied::SpaltenTitel.
// Kinds 0, 20, ..., 160 head a group of fields.
inline constexpr int kHoechsteSpalte = 170;
bool IstGruppenkopf(std::int32_t art);

// The sortable kinds in the order of the sort choice lists.
inline constexpr int kSortierArten = 20;
// Text i of the choice list; "Keine Sortierung" outside 0..19.
std::string_view SortierText(int i);
// Kind of entry i; 0 outside.
std::int32_t SortierArt(int i);
// The entry of a kind, the sign ignored; -1 for a kind that cannot be sorted.
int SortierIndex(std::int32_t art);

}  // namespace zaq
