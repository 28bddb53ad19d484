#include "views/Listenoperationen.h"

#include <memory>
#include <string>
#include <vector>

#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "store/ZAQ.h"
#include "views/Bearbeiten.h"
#include "views/Mitgliederdialoge.h"

namespace zaq {

TMitglied* HinzufuegenMitglied(TZAQ& liste, std::uint16_t nummer) {
  auto m = std::make_unique<TMitglied>(&liste, nummer ? nummer : liste.NaechsteFreieNummer());
  TfrmZAQBearbeiten editor(*m, liste, Editormodus::Hinzufuegen, "Mitglied " + m->MitgliedsnummerText() + " hinzufügen");
  if (!UI().Dialog(editor)) return nullptr;
  editor.SpeichereMitglied();
  TMitglied& neu = liste.FMitglieder.Anhaengen(std::move(m));
  liste.Geaendert();
  return &neu;
}

TMitglied* DupliziereMitglied(TZAQ& liste, const TMitglied& quelle) {
  auto m = std::make_unique<TMitglied>(quelle);
  m->FMitgliedsnummer = liste.NaechsteFreieNummer();
  m->FVorname.clear();
  m->FZusatz.clear();
  m->FGeburtsdatum = 2;
  TfrmZAQBearbeiten editor(*m, liste, Editormodus::Duplizieren,
                           "Mitglied " + m->MitgliedsnummerText() + " hinzufügen (dupliziert)");
  if (!UI().Dialog(editor)) return nullptr;
  editor.SpeichereMitglied();
  m->FErstelltVon.Setze(liste.AktuellerBenutzer());
  m->FGeaendertVon.Setze(nullptr);
  TMitglied& neu = liste.FMitglieder.Anhaengen(std::move(m));
  liste.Geaendert();
  return &neu;
}

bool BearbeiteMitglied(TZAQ& liste, TMitglied& mitglied, bool archiv) {
  TMitglied kopie(mitglied);
  TfrmZAQBearbeiten editor(kopie, liste, archiv ? Editormodus::Archiv : Editormodus::Bearbeiten,
                           "Mitglied " + mitglied.MitgliedsnummerText() + " bearbeiten: " + mitglied.NameKomplett());
  if (!UI().Dialog(editor)) return false;
  editor.SpeichereMitglied();
  const bool nummerGeaendert = kopie.FMitgliedsnummer != mitglied.FMitgliedsnummer;
  mitglied = kopie;
  mitglied.Geaendert();
  if (nummerGeaendert) liste.IndexVeraltet();
  return true;
}

namespace {
void Austritt(TZAQ& liste, TMitglied& m, const TLoeschDialog& d) {
  m.FAustrittsdatum = *TextZuDatum(d.FDatum);
  m.FAustrittsgrund = Trim(d.FBegruendung);
  m.FAustrittVon.Setze(liste.AktuellerBenutzer());
  m.Geaendert();
}

}  // namespace

bool LoeschDialog(TZAQ& liste, TMitglied& m, bool alleSelektierten) {
  TLoeschDialog d(m, alleSelektierten);
  if (!UI().Dialog(d)) return false;
  switch (d.FKnopf) {
    case TLoeschDialog::Knopf::Sofort:
      Austritt(liste, m, d);
      return true;
    case TLoeschDialog::Knopf::NachAustrittsdatum:
      Austritt(liste, m, d);
      return false;
    case TLoeschDialog::Knopf::Widerrufen:
      m.FAustrittsdatum = 0;
      m.FAustrittsgrund.clear();
      m.FAustrittVon.Setze(nullptr);
      m.Geaendert();
      return false;
    case TLoeschDialog::Knopf::Abbrechen:
      return false;
  }
  return false;
}

bool LoescheMitglied(TZAQ& liste, TMitglied*& m) {
  if (!m || !LoeschDialog(liste, *m, false)) return false;
  std::vector<std::string> meldungen;
  m = liste.EntferneMitglied(*m, meldungen);
  MeldeNichtUebernommene(meldungen);
  return true;
}

int LoescheSelektierte(TZAQ& liste) {
  TMitglied rohling(&liste, 0);
  TLoeschDialog d(rohling, true);
  if (!UI().Dialog(d) || d.FKnopf == TLoeschDialog::Knopf::Abbrechen) return 0;
  std::vector<TMitglied*> selektierte;
  for (const auto& m : liste.FMitglieder)
    if (m->FSelektiert) selektierte.push_back(m.get());
  std::vector<std::string> meldungen;
  int geloescht = 0;
  for (TMitglied* m : selektierte) {
    Austritt(liste, *m, d);
    if (d.FKnopf == TLoeschDialog::Knopf::Sofort) {
      liste.EntferneMitglied(*m, meldungen);
      ++geloescht;
    }
  }
  liste.Geaendert();
  MeldeNichtUebernommene(meldungen);
  return geloescht;
}

}  // namespace zaq
