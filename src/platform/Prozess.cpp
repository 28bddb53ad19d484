#include "platform/Prozess.h"

#include <algorithm>
#include <cctype>

#include "platform/Plattform.h"

namespace zaq::plattform {
namespace {
std::string_view OhneRaender(std::string_view t, bool links) {
  while (links && !t.empty() && static_cast<unsigned char>(t.front()) <= ' ') t.remove_prefix(1);
  while (!t.empty() && static_cast<unsigned char>(t.back()) <= ' ') t.remove_suffix(1);
  return t;
}
}  // namespace

std::vector<std::string> ZerlegeKommandozeile(std::string_view zeile) {
  std::vector<std::string> teile;
  std::string aktuell;
  bool inAnfuehrung = false, begonnen = false;
  for (char c : zeile) {
    if (c == '"') {
      inAnfuehrung = !inAnfuehrung;
      begonnen = true;
    } else if (c == ' ' && !inAnfuehrung) {
      if (begonnen) teile.push_back(std::move(aktuell));
      aktuell.clear();
      begonnen = false;
    } else {
      aktuell += c;
      begonnen = true;
    }
  }
  if (begonnen) teile.push_back(std::move(aktuell));
  return teile;
}

Programmstart StarteProgramm(const std::string& programm, const std::string& parameter,
                             const std::string& verzeichnis) {
  std::string dir(OhneRaender(verzeichnis, true));
  if (dir.empty()) dir = ProgrammVerzeichnis();
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  std::string endung = PfadText(Pfad(programm).extension());
  std::transform(endung.begin(), endung.end(), endung.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  std::string pfad = programm;
  const bool programmDatei = endung == ".EXE" || endung == ".COM" || IstAusfuehrbar(pfad);
  if (!programmDatei) {
    // A document: opened with the program the desktop associates with it.
    if (pfad.find('/') == std::string::npos && pfad.find('\\') == std::string::npos)
      pfad = ProgrammVerzeichnis() + pfad;
    const std::string ordner = PfadText(Pfad(pfad).parent_path());
    if (!ordner.empty() && !VerzeichnisExistiert(ordner)) return {-1, Programmstart::Fehler::PfadFehlt, ordner};
    if (!DateiExistiert(pfad)) return {-1, Programmstart::Fehler::DateiFehlt, pfad};
    if (!DokumentOeffnerVorhanden()) return {-1, Programmstart::Fehler::KeinProgramm, pfad};
    return {StarteProzess({"xdg-open", pfad}, dir), Programmstart::Fehler::Keiner, pfad};
  }
  std::vector<std::string> argumente{pfad};
  for (auto& a : ZerlegeKommandozeile(OhneRaender(parameter, false))) argumente.push_back(std::move(a));
  return {StarteProzess(argumente, dir), Programmstart::Fehler::Keiner, pfad};
}

}  // namespace zaq::plattform
