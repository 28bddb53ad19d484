#include "support/SkriptOberflaeche.h"

#include <utility>

#include "interaction/Warten.h"

namespace zaq {

Antwort SkriptOberflaeche::Meldung(const MeldungsDaten& meldung) {
  Eintrag e{meldung, meldung.VorgabeAntwort(), false};
  if (!Antworten.empty()) {
    e.antwort = Antworten.front();
    Antworten.pop_front();
    e.beantwortet = true;
  }
  Meldungen.push_back(e);
  return e.antwort;
}

void SkriptOberflaeche::WartenZeigen(const WarteZustand& zustand) {
  if (WarteTexte.empty() || WarteTexte.back() != zustand.text) {
    WarteTexte.push_back(zustand.text);
    FAbbruchGedrueckt = false;
  }
  WartenSichtbar = true;
}

void SkriptOberflaeche::WartenVerbergen() { WartenSichtbar = false; }

void SkriptOberflaeche::Verarbeiten() {
  if (!AbbrechenBeiText.empty() && !FAbbruchGedrueckt && WartenSichtbar && !WarteTexte.empty() &&
      WarteTexte.back() == AbbrechenBeiText) {
    FAbbruchGedrueckt = true;
    Warten().AbbrechenGeklickt();
  }
}

std::optional<std::string> SkriptOberflaeche::NaechsterName() {
  if (Dateinamen.empty()) return std::nullopt;
  auto name = Dateinamen.front();
  Dateinamen.pop_front();
  return name;
}

std::optional<std::string> SkriptOberflaeche::DateiOeffnen(DateiDialog& dialog) {
  DateiDialoge.push_back(dialog);
  return NaechsterName();
}

std::optional<std::string> SkriptOberflaeche::DateiSpeichern(DateiDialog& dialog) {
  DateiDialoge.push_back(dialog);
  return NaechsterName();
}

std::optional<std::string> SkriptOberflaeche::Eingabe(const std::string&, const std::string&,
                                                      const std::string&) {
  return NaechsterName();
}

bool SkriptOberflaeche::Dialog(DialogDaten& dialog) {
  DialogArten.emplace_back(dialog.Art());
  if (Dialoge.empty()) return false;
  auto skript = std::move(Dialoge.front());
  Dialoge.pop_front();
  return skript(dialog);
}

void SkriptOberflaeche::MeldungsListe(const std::vector<std::string>& zeilen) {
  MeldungsListen.push_back(zeilen);
}

void SkriptOberflaeche::Zwischenablage(const std::string& text) {
  ZwischenablageText = text;
  ZwischenablageRtfText.clear();
}

void SkriptOberflaeche::ZwischenablageRtf(const std::string& text, const std::string& rtf) {
  ZwischenablageText = text;
  ZwischenablageRtfText = rtf;
}

void SkriptOberflaeche::Fenster(std::shared_ptr<FensterDaten> fenster) { Fensterliste.push_back(std::move(fenster)); }

bool SkriptOberflaeche::Drucken(TDruckauftrag& auftrag) {
  Druck d{auftrag, std::make_shared<ProtokollDrucker>(), false};
  if (auftrag.quer) {
    TDruckerMasse& m = d.geraet->masse;
    std::swap(m.HR, m.VR);
    std::swap(m.PW, m.PH);
    std::swap(m.HS, m.VS);
  }
  d.gedruckt = auftrag.drucken && auftrag.drucken(*d.geraet);
  Druckauftraege.push_back(d);
  return d.gedruckt;
}

std::vector<std::string> SkriptOberflaeche::Texte() const {
  std::vector<std::string> texte;
  for (const auto& e : Meldungen) texte.push_back(e.meldung.text);
  return texte;
}

bool SkriptOberflaeche::AlleBeantwortet() const {
  for (const auto& e : Meldungen)
    if (!e.beantwortet && KnoepfeVon(e.meldung.knoepfe).size() > 1) return false;
  return true;
}

void SkriptOberflaeche::Leeren() {
  Meldungen.clear();
  WarteTexte.clear();
  DialogArten.clear();
  DateiDialoge.clear();
  MeldungsListen.clear();
  Fensterliste.clear();
  Druckauftraege.clear();
}

}  // namespace zaq
