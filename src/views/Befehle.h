#pragma once
// The main window's commands as data: menus, menu items and tool buttons with
// caption, shortcut, hint, the rights they need and the guards that run
// before them.  The table itself lives with the window logic (TfrmZAQ), whose
// handlers it names; front ends build their menus and tool bar from it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zaq {

class TfrmZAQ;

struct TMenue {
  const char* name;            // "mnuDatei"
  const char* eltern;          // menu of a submenu, nullptr for the menu bar
  const char* titel;           // "&Datei"
  const char* hinweis;         // "short|long" like every hint
  bool sichtbar = true;
};

struct TBefehl {
  using Handler = void (TfrmZAQ::*)();

  const char* name;                // "mnuMitglAendern", "befBearb"
  const char* menue = nullptr;     // the menu it sits in; nullptr: tool bar or field
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
  const char* wie = nullptr;       // a tool button acting as this command
  const char* wieUmschalt = nullptr;  // ... and as this one with Shift held
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
