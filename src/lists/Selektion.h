#pragma once
// The selection: every member's mark, the operations that set it (reset,
// invert, the full selection by criteria, the list selection), the question
// whether a list covers only the selected members, and the selection list
// files (".zas") that save and restore a selection.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Datum.h"
#include "interaction/Oberflaeche.h"

namespace zaq {

class TMitglied;
class TZAQ;

void SelektionAufheben(TZAQ& liste);
void SelektionUmkehren(TZAQ& liste);

// --- selection list files ---
inline constexpr const char* kSelektionKennung = "ZAQ Selektion 500";
inline constexpr const char* kSelektionKennungAlt = "ZAQ Selektion";
// The check values of the older format count days from another origin.
inline constexpr std::int64_t kSelektionVersatzAlt = 1387188;

// A selection list as read: header lines and the pairs of member number and
// check value (in the current origin).  A check value too large for any
// member is kept as none.
struct TSelektionsliste {
  bool altesFormat = false;
  std::string beschreibung;
  std::string verein;
  struct Paar {
    std::uint16_t nummer = 0;
    std::optional<std::int64_t> pruefwert;
  };
  std::vector<Paar> paare;
};
enum class Selektionslesen { Ok, Ungueltig, Beschaedigt };
// Reads the bytes of a .zas file completely before anything is applied.
Selektionslesen LeseSelektionsliste(std::string_view inhalt, TSelektionsliste& liste);

// Writes the .zas file of the current selection; false after the message.
bool SpeichereSelektion(const TZAQ& liste, const std::string& datei);
// Reads a .zas file and selects its members: the number of members of the
// file that were not found, or -1 when the file was not taken (after its
// message).  A damaged or refused file changes no mark.
int LadeSelektion(TZAQ& liste, const std::string& datei, bool fragen);

// --- "Nachfragen": only the selected members? ---
class TfrmZAQSelFrage : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Mitgliederverwaltung";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kFrage =
      "Sollen alle Mitglieder aufgelistet werden oder nur die, die selektiert sind?";
  std::string FText;              // "Momentan sind 3 von 40 Mitgliedern selektiert."
  bool FSelektiertZuerst = false;  // "&Selektiert" has the focus first
  bool FAntwortMerken = false;     // "Antwort merken"
  int FAntwort = 0;                // 1 "&Alle", 2 "&Selektiert", 0 "Abbrechen"
};
// 0 cancelled, 1 all, 2 selected only.
int FrageNurSelektierte(TZAQ& liste);
// "Momentan ist eins von N Mitgliedern selektiert." or
// "Momentan sind n von N Mitgliedern selektiert."
std::string SelektionsText(int anzahl, int gesamt);

// --- the full selection ---
struct TSelektionskriterien {
  // Texts as the dialog's fields hold them: "*" means not used.
  std::string NachnameVon = "*", NachnameBis = "*";
  std::string PLZVon = "*", PLZBis = "*";
  std::string WohnortVon = "*", WohnortBis = "*";
  std::string LandVon = "*", LandBis = "*";
  std::string GeburtsdatumVon = "*", GeburtsdatumBis = "*";
  std::string AlterVon = "*", AlterBis = "*";
  bool Maenner = true, Frauen = true;
  std::string EintrittsdatumVon = "*", EintrittsdatumBis = "*";
  std::string MitgliedschaftVon = "*", MitgliedschaftBis = "*";
  std::string AustrittsdatumVon = "*", AustrittsdatumBis = "*";
  std::string EhrungVon = "*", EhrungBis = "*";
  enum Ehren { egal = 0, ja = 1, nein = 2 } Ehrenmitglied = egal;
  std::string Abteilung = "*";
  int Gruppe = 0;  // 0 = "*", else group 1 to 32
  bool Rechnung = true, Lastschrift = true, Mitfinanziert = true;
  std::string Beitragsschluessel = "*";
  std::string BezahltVon = "*", BezahltBis = "*";
  std::string Empfaengerkonto = "*";
  std::string BLZVon = "*", BLZBis = "*";
  std::string ErstbuchungVon = "*", ErstbuchungBis = "*";
  std::string ErstelltVon = "*", ErstelltBis = "*";
  std::string GeaendertVon = "*", GeaendertBis = "*";
  // The existing selection: kept (OR) or the only candidates (AND).
  enum Vorhanden { keine = 0, oder = 1, und = 2 } Option = keine;

  // The message of the first invalid field, in the dialog's order; none
  // when every field is valid.
  std::optional<std::string> Pruefe() const;
  // Sets a field by the name of the command line ("NachnameVon", "Gruppe",
  // "Ehrenmitglied", ...); false for an unknown name or a value the field
  // cannot hold.
  bool Setze(std::string_view name, std::string_view wert);
};

// Counts and applies a checked set of criteria.
class TSelektion {
 public:
  TSelektion(TZAQ& liste, const TSelektionskriterien& k);
  // Whether the criteria (without the option) take the member; none when a
  // "Bezahlt" bound is no date.
  std::optional<bool> Passt(const TMitglied& m) const;
  // How many active members the criteria and the option select; none after
  // the message when a "Bezahlt" bound is no date.
  std::optional<int> Zaehle() const;
  // The question before selecting W members (P selected now).
  std::string Frage(int w) const;
  // Every active member gets its mark by the criteria and the option.
  void Anwenden();

 private:
  bool Nimmt(const TMitglied& m, bool passt) const;
  TZAQ& FListe;
  const TSelektionskriterien& FK;
};

// The dialog "Gesamtselektion".
class TfrmZAQSelGesamt : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Gesamtselektion";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kAbteilungHinweis = "Mehrere Abteilungen durch Komma trennen.";

  explicit TfrmZAQSelGesamt(TZAQ& liste);
  TSelektionskriterien K;
  // The status line and whether the two options may be used.
  std::string Status() const;
  bool OptionenMoeglich() const;
  // Unticking one sex while the other is unticked ticks the other.
  void SetzeMaenner(bool an);
  void SetzeFrauen(bool an);
  // The two options exclude each other.
  void SetzeOption(TSelektionskriterien::Vorhanden option, bool an);
  // Emptying the "from" first-debit field sets "to" to "*".
  void SetzeErstbuchungVon(const std::string& text);
  // The group chooser: "*" then the club's group names.
  std::vector<std::string> Gruppenliste() const;
  // "OK": checks, counts, asks; true when the selection was made and the
  // dialog closes.
  bool OK();
  TZAQ& Liste() { return FListe; }

 private:
  TZAQ& FListe;
};
bool GesamtSelektion(TZAQ& liste);

// The dialog "Listenselektion": one row per active member.
class TfrmZAQSelListe : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Listenselektion";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kUebernehmenFrage = "Wollen Sie die Änderungen übernehmen?";
  explicit TfrmZAQSelListe(TZAQ& liste);
  struct Zeile {
    TMitglied* mitglied;
    std::string nummer, name, anschrift;
    bool selektiert;
  };
  std::vector<Zeile> FZeilen;
  void Umschalten(int zeile);
  // "OK": every member gets the mark of its row.
  void Uebernehmen();
  // The window closed otherwise: asks, then takes over on "Ja"; true when
  // taken over.
  bool Schliessen();
  bool Geaendert() const;

 private:
  TZAQ& FListe;
};
bool ListenSelektion(TZAQ& liste);

}  // namespace zaq
