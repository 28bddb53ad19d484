#include "views/Fenster.h"

#include <filesystem>

#include "base/Text.h"
#include "interaction/Einstellungen.h"
#include "platform/Plattform.h"

namespace zaq {

TfrmMeldung::TfrmMeldung(std::vector<std::string> zeilen) : FZeilen(std::move(zeilen)) {
  auto vorne = LeseEinstellungZahl(esMeldungVorne);
  FImmerVorne = vorne && *vorne == 1;
}

std::string TfrmMeldung::Kopiertext() const {
  std::string text = "ZAQ Mitgliederverwaltung";
  for (const auto& z : FZeilen) text += "\r\n" + z;
  return text;
}

TfrmVerzAuswahl::TfrmVerzAuswahl(const std::string& start) {
  FVerzeichnis = plattform::VerzeichnisExistiert(start) ? start : plattform::PfadText(std::filesystem::current_path());
}

bool TfrmVerzAuswahl::Neu() {
  auto name = UI().Eingabe("Neues Verzeichnis", "Bitte geben Sie den Namen\r\ndes neuen Verzeichnisses ein!", "");
  if (!name || Trim(*name).empty()) return false;
  std::error_code fehler;
  const auto neu = plattform::Pfad(FVerzeichnis) / plattform::Pfad(Trim(*name));
  if (!std::filesystem::create_directory(neu, fehler) || fehler) {
    Meldung("Verzeichnis konnte nicht erstellt werden.", MeldungsArt::Fehler);
    return false;
  }
  FVerzeichnis = plattform::PfadText(neu);
  return true;
}

std::optional<std::string> WaehleVerzeichnis(const std::string& start) {
  TfrmVerzAuswahl d(start);
  if (!UI().Dialog(d)) return std::nullopt;
  return d.FVerzeichnis;
}

}  // namespace zaq
