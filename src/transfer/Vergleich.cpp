#include "transfer/Vergleich.h"

#include <algorithm>
#include <unordered_map>

#include "base/Datum.h"
#include "interaction/Warten.h"
#include "lists/Tabelle.h"
#include "store/DateiEA.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {

namespace {

std::uint64_t Identitaet(const TMitglied& m) {
  return (static_cast<std::uint64_t>(m.FMitgliedsnummer) << 48) ^
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(m.FGeburtsdatum)) << 24) ^
         static_cast<std::uint64_t>(static_cast<std::uint32_t>(m.FEintrittsdatum));
}

}  // namespace

TVergleich VergleicheMitglieder(TZAQ& offen, TZAQ& andere) {
  TVergleich v;
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Vergleiche Listen");
  for (const auto& m : offen.FMitglieder) m->FVergleich = 0;
  for (const auto& m : andere.FMitglieder) m->FVergleich = 0;
  // The first member of the other list with each identity, found through an
  // index instead of a walk through the list for every member.
  std::unordered_multimap<std::uint64_t, TMitglied*> index;
  index.reserve(static_cast<std::size_t>(andere.AnzahlMitglieder()));
  for (const auto& a : andere.FMitglieder) index.emplace(Identitaet(*a), a.get());
  Warten().ZeigeStatus("Vergleiche Daten");
  const int n = offen.AnzahlMitglieder();
  int position = 0;
  for (const auto& m : offen.FMitglieder) {
    ++position;
    TMitglied* partner = nullptr;
    const auto [von, bis] = index.equal_range(Identitaet(*m));
    for (auto it = von; it != bis; ++it)
      if (GleichesMitglied(*m, *it->second) && (!partner || it->second->Index() < partner->Index()))
        partner = it->second;
    v.partner.push_back(partner);
    if (partner) {
      const bool geaendert = m->FGeaendertVon.FZeit != partner->FGeaendertVon.FZeit;
      m->FVergleich = partner->FVergleich = geaendert ? 2 : 1;
      if (!geaendert) ++v.identisch;
    }
    if (position % 256 == 0 || position == n) {
      Warten().Fortschritt(static_cast<double>(position) / n);
      Warten().Verarbeiten();
      if (Warten().AbbruchGewuenscht()) {
        v.abgebrochen = true;
        return v;
      }
    }
  }
  Warten().ZeigeStatus("Kopiere Daten");
  for (const auto& m : offen.FMitglieder) {
    if (m->FVergleich == 0) v.zusaetzlich.push_back(m.get());
    if (m->FVergleich == 2) v.geaendert.push_back(m.get());
  }
  for (const auto& a : andere.FMitglieder)
    if (a->FVergleich == 0) v.fehlend.push_back(a.get());
  return v;
}

std::string Vergleichsmeldung(const TVergleich& v) {
  return "Der Dateivergleich ergab, daß bei der geöffneten Datei im Vergleich zur gewählten Datei \r\n\r\n     " +
         std::to_string(v.zusaetzlich.size()) + " Mitglieder zusätzlich existieren,\r\n     " +
         std::to_string(v.geaendert.size()) + " Datensätze verändert wurden und\r\n     " +
         std::to_string(v.fehlend.size()) + " Mitglieder nicht vorhanden sind.\r\n\r\n" + std::to_string(v.identisch) +
         " Datensätze sind identisch.\r\n\r\nDie Identität wird mit Mitgliedsnummer, Geburts- und Eintrittsdatum "
         "bestimmt,\r\nEine Änderung über das Änderungsdatum erkannt.";
}

TTabVorlage Vergleichsvorlage() {
  TTabVorlage v;
  v.FSpalten = {1, 3, 25, 28, 41, 43, 61, 161, 162, 163, 164};
  v.FSortierung = {21, 22, 3};
  v.FBezugsdatum = Heute();
  v.FRechendatum = 0;
  return v;
}

std::vector<std::shared_ptr<TTabelle>> Vergleichstabellen(const TVergleich& v, TZAQ& offen, TZAQ& andere) {
  const std::pair<const char*, const std::vector<TMitglied*>*> teile[] = {
      {"Zusätzliche Mitglieder verglichen mit ", &v.zusaetzlich},
      {"Geänderte Daten verglichen mit ", &v.geaendert},
      {"Fehlende Mitglieder verglichen mit ", &v.fehlend}};
  std::vector<std::shared_ptr<TTabelle>> tabellen;
  for (const auto& [titel, liste] : teile) {
    if (liste->empty()) continue;
    TTabVorlage vorlage = Vergleichsvorlage();
    vorlage.FTitel = titel + andere.FBeschreibung;
    // Each table keeps the list it shows alive while its window is open.
    auto tabelle = std::make_shared<TTabelle>(liste == &v.fehlend ? andere : offen, vorlage, false);
    tabelle->SetzeZeilen(*liste);
    tabelle->Aufbauen();
    tabellen.push_back(std::move(tabelle));
  }
  return tabellen;
}

std::vector<std::string> Feldunterschiede(const TMitglied& a, const TMitglied& b) {
  // The record's order of fields, with every optional sub-record present:
  // a field only one side has takes its place among the others.
  static const std::unordered_map<std::string, int> rang = [] {
    TMitglied voll;
    voll.KontoAnlegen();
    voll.ZahlerAnlegen();
    voll.FErstelltVon.FZeit = voll.FGeaendertVon.FZeit = voll.FAustrittVon.FZeit = 1;
    Json j;
    voll.ZuJson(j);
    std::unordered_map<std::string, int> r;
    for (const auto& [name, wert] : j.items()) r.emplace(name, static_cast<int>(r.size()));
    return r;
  }();
  Json ja, jb;
  a.ZuJson(ja);
  b.ZuJson(jb);
  std::vector<std::string> felder;
  for (const auto& [name, wert] : ja.items()) {
    if (name == "FUnbekannt") continue;
    const auto it = jb.find(name);
    if (it == jb.end() || *it != wert) felder.push_back(name);
  }
  for (const auto& [name, wert] : jb.items())
    if (name != "FUnbekannt" && !ja.contains(name)) felder.push_back(name);
  auto stelle = [&](const std::string& name) {
    const auto it = rang.find(name);
    return it == rang.end() ? static_cast<int>(rang.size()) : it->second;
  };
  std::stable_sort(felder.begin(), felder.end(),
                   [&](const std::string& x, const std::string& y) { return stelle(x) < stelle(y); });
  return felder;
}

}  // namespace zaq
