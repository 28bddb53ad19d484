#pragma once
// "Informationen zur Datei" (the file and the club, as key and value lines)
// and "Datensatzinfo" (who made and changed a member, its exit, its size).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "interaction/Oberflaeche.h"

namespace zaq {

class TMitglied;
class TZAQ;

// A number in the form "#,#0": thousands separated by ".".
std::string Tausender(long long zahl);

class TfrmDateiInfo : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Informationen zur Datei";
  std::string_view Art() const override { return kArt; }
  // fenster: the captions of the windows that depend on the list.
  TfrmDateiInfo(const TZAQ& liste, const std::vector<std::string>& fenster);
  // Each line as key and value; an empty pair is an empty line.
  std::vector<std::pair<std::string, std::string>> Zeilen;
  // "Kopieren": "ZAQ Mitgliederverwaltung", then every line with a tab
  // between key and value.
  void Kopieren() const;
  // "Drucken": the master data sheet.
  std::function<void()> Drucken;
};

class TfrmDatensatzInfo : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Datensatzinfo";
  std::string_view Art() const override { return kArt; }
  explicit TfrmDatensatzInfo(TMitglied& m);
  // "Aufnahme und letzte Änderung", "Austritt", "Speicherbedarf".
  std::string Aufnahme, Aenderung, Austritt, Speicherbedarf;
  // The pictures of creator, last editor and remover (empty: none).
  std::vector<std::uint8_t> BildErsteller, BildBearbeiter, BildAustritt;
};

}  // namespace zaq
