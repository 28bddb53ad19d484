#pragma once
// The main window's commands as data: menus, menu items and tool buttons with
// caption, shortcut, hint, the rights they need and the guards that run
// before them.  The table itself lives with the window logic (TfrmZAQ), whose
// handlers it names; front ends build their menus and tool bar from it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zaq {

class TfrmZAQ;

// Every menu and command once, by the name of its component; the compiler
// checks each use.
#define ZAQ_MENUES(X) \
  X(mnuDatei) X(mnuMitgl) X(mnuTab) X(mnuSel) \
  X(mnuAufgaben) X(mnuLSV) X(mnuExtras) X(mnuSort) \
  X(mnuExtrasMassen) X(mnuLGVWechsel) X(mnuSEPAWechsel) X(mnuZubehoer) \
  X(mnuInfo)

#define ZAQ_BEFEHLE(X) \
  X(mnuDateiNeu) X(mnuDateiOeffnen) X(mnuDateiSpeichernUnter) \
  X(mnuDateiKopieErstellen) X(mnuDateiKopieAktualisieren) X(mnuDateiAusspeichern) \
  X(mnuDateiEinspeichern) X(mnuDateiZAQImport) X(Dateivergleich1) \
  X(mnuDateiDruckereinrichten) X(mnuDateiStammdatenDrucken) X(mnuDateiBeenden) \
  X(mnuMitglSuchen) X(mnuMitglMitfin) X(mnuMitgliedInfo) \
  X(mnuMitglVorher) X(mnuMitglNaechst) X(mnuMitglAendern) \
  X(mnuMitglHinzu) X(mnuMitglDuplizieren) X(mnuMitglEntfernen) \
  X(mnuMitglMitglnraendern) X(mnuMitglAnredKopieren) X(mnuMitglKopieren) \
  X(mnuMitglMitglDrucken) X(mnuMitglSelekt) X(mnuMitglZugSelekt) \
  X(mnuTabPers) X(mnuTabVerein) X(mnuTabBeitr) \
  X(mnuTabBestand) X(mnuTabGebTag) X(mnuTabEhrungen) \
  X(mnuTabEMG) X(mnuTabGeloeschte) X(mnuSelGesamt) \
  X(mnuSelEinzel) X(mnuSelUmk) X(mnuSelAufheben) \
  X(mnuSelSpeichern) X(mnuSelLaden) X(mnuSelFragen) \
  X(mnuSelStatus) X(mnuAufgabenNotiz) X(mnuAufgabenNeu) \
  X(mnuNotizOeffnen) X(mnuNotizNeu) X(mnuLSVOeffnen) \
  X(mnuLSVNeu) X(AlleMitgliedsbeitrgeberprfen1) X(mnuLSVTestlauf) \
  X(mnuLSVZahldatenUebernahme) X(mnuLSVRechnungen) X(mnuLSVBeitraege) \
  X(mnuLSVSonderbuchungen) X(mnuLSVLGVOeffnen) X(mnuSortName) \
  X(mnuSortVorname) X(mnuSortAdresse) X(mnuSortGebtag) \
  X(mnuSortGebDat) X(mnuSortAlter) X(mnuSortEintritt) \
  X(mnuSortMitgl) X(mnuSortAustritt) X(mnuSortMNr) \
  X(mnuSortAenderung) X(mnuSortErweitert) X(mnuExtrasMassenEhrungenAkt) \
  X(mnuExtrasMassenManipul) X(mnuExtrasMassenNeueMGN) X(mnuExtrasMassenSelekLoschen) \
  X(mnuExtrasMassenBereinigung) X(mnuExtrasMassenSEPA) X(mnuExtrasImport) \
  X(mnuExtrasExport) X(mnuExtrasBesterh) X(mnuExtrasFreieMGN) \
  X(mnuExtrasBenutzer) X(mnuExtrasStammdaten) X(Dateieinstellungen1) \
  X(mnuExtrasAustritte) X(mnuExtrasFormulare) X(mnuExtrasBankVerz) \
  X(mnuExtrasSchriftEinstellungen) X(mnuExtrasOptionen) X(mnuInfoVerein) \
  X(mnuInfoDatensatz) X(mnuInfoStatistik) X(mnuInfoVersion) \
  X(AufUpdateprfen1) X(mnuInfoProgramm) X(cboSuche) \
  X(befZur) X(befVor) X(befMitfin) \
  X(befNotiz) X(befBearb) X(befHinz) \
  X(befEntf) X(befSel) X(befGesSel) \
  X(befTabelle) X(bldlPos) X(befMail) \
  X(befHttp) X(befZWechsel)

#define ZAQ_AUFZAEHLEN(name) name,
enum class Menue : std::uint8_t { ZAQ_MENUES(ZAQ_AUFZAEHLEN) };
enum class Bef : std::uint8_t { ZAQ_BEFEHLE(ZAQ_AUFZAEHLEN) };
#undef ZAQ_AUFZAEHLEN
#define ZAQ_ZAEHLEN(name) +1
inline constexpr std::size_t kAnzahlMenues = 0 ZAQ_MENUES(ZAQ_ZAEHLEN);
inline constexpr std::size_t kAnzahlBefehle = 0 ZAQ_BEFEHLE(ZAQ_ZAEHLEN);
#undef ZAQ_ZAEHLEN

// The component name ("mnuDatei", "befSel").
const char* Name(Menue menue);
const char* Name(Bef befehl);
// What the pointer rests on: nothing, a menu or a command.
using THinweisZiel = std::variant<std::monostate, Menue, Bef>;
// A front end that carries names (status tips) turns them back here;
// an unknown name is nothing.
THinweisZiel HinweisZielNamens(std::string_view name);

struct TMenue {
  Menue id;
  std::optional<Menue> eltern;  // the menu of a submenu; none for the menu bar
  const char* titel;           // "&Datei"
  const char* hinweis;         // "short|long" like every hint
  bool sichtbar = true;
};

struct TBefehl {
  using Handler = void (TfrmZAQ::*)();

  Bef id;
  std::optional<Menue> menue = std::nullopt;  // the menu it sits in; none: tool bar or field
  const char* titel = "";          // caption with "&" accelerator
  const char* taste = "";          // "F5", "Shift+F1", "Ctrl+A", "PgDown"
  const char* hinweis = "";        // "short|long"; without "|" both are the same
  std::array<std::uint32_t, 4> rechte{};  // alternative masks; all 0 = no check
  bool R = false;                  // PruefeReservierung runs first
  bool M = false;                  // PruefeMitgliedAktuell runs first
  bool verfuegbar = false;         // false while its subsystem is not built
  Handler handler = nullptr;
  bool trennerDavor = false;       // a separator line before it in its menu
  bool eigenePruefung = false;     // the handler checks rights and guards itself
  std::optional<Bef> wie = std::nullopt;  // a tool button acting as this command
  std::optional<Bef> wieUmschalt = std::nullopt;  // ... and as this one with Shift held
  bool ohneListe = false;          // runs without an open list (file commands)
};

struct TBefehlsZustand {
  bool aktiv = true;
  bool sichtbar = true;
  bool markiert = false;  // check mark of a menu item, pressed state of a tool button
};

// The two halves of a hint "short|long": the tool tip and the status line text.
std::string KurzHinweis(std::string_view hinweis);
std::string LangHinweis(std::string_view hinweis);

}  // namespace zaq
