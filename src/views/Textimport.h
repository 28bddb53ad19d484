#pragma once
// "Textdatei &exportieren..." and the import dialog "Datei importieren"
// (`TfrmZAQImport`) of the bulk changes.
#include <string>
#include <string_view>
#include <vector>

#include "interaction/Oberflaeche.h"
#include "transfer/Textdatei.h"

namespace zaq {

class TZAQ;

// Asks for the file and exports the member list into it; false when
// cancelled or refused (after the message).
bool TextExportieren(TZAQ& liste);

class TfrmZAQImport : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Datei importieren";
  std::string_view Art() const override { return kArt; }
  // The dialog's read-only hint, line by line.
  static const std::vector<std::string>& Hinweis();

  explicit TfrmZAQImport(TZAQ& liste) : FListe(liste) {}
  TTextimport& Import() { return FImport; }
  const TTextimport& Import() const { return FImport; }
  bool Geladen() const { return FGeladen; }

  // "Datei laden...": the open dialog, then the file.
  bool Laden();
  bool LadeDatei(const std::string& datei);
  // The number of header lines (0 to 100); the preview is built again.
  bool SetzeKopfzeilen(int n);
  // "&Importieren": true when imported; the dialog then closes.
  bool Importieren();

  Importziel FZiel = Importziel::Keines;

 private:
  TZAQ& FListe;
  TTextimport FImport;
  bool FGeladen = false;
};

// "Textdatei &importieren...": the dialog; true when members were imported.
bool TextImportieren(TZAQ& liste);

}  // namespace zaq
