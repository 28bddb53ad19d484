#pragma once
// Logic of two small windows every part uses: the message list window and
// the directory chooser.
#include <string>
#include <vector>

#include "interaction/Oberflaeche.h"

namespace zaq {

// "Mitgliederverwaltung": lines of text, copied or printed on request.
class TfrmMeldung {
 public:
  explicit TfrmMeldung(std::vector<std::string> zeilen);
  const std::vector<std::string>& Zeilen() const { return FZeilen; }
  // What "Kopieren" puts on the clipboard.
  std::string Kopiertext() const;
  // "&Immer im Vordergrund" starts checked when the setting asks for it.
  bool FImmerVorne;

 private:
  std::vector<std::string> FZeilen;
};

// "Verzeichnis wählen": choosing a directory, with "Neu..." to create one.
class TfrmVerzAuswahl : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Verzeichnis wählen";
  std::string_view Art() const override { return kArt; }

  explicit TfrmVerzAuswahl(const std::string& start);
  std::string FVerzeichnis;  // the current choice
  // "Neu...": asks for the name, creates it below the current directory and
  // moves there; false after the message when it cannot be created.
  bool Neu();
};

// Shows the chooser; the chosen directory, or nullopt.
std::optional<std::string> WaehleVerzeichnis(const std::string& start);

}  // namespace zaq
