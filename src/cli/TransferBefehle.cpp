#include "cli/TransferBefehle.h"

#include "base/Text.h"
#include "cli/CliOberflaeche.h"
#include "debits/lgv/Lgv.h"
#include "debits/sepa/Buchungsliste.h"
#include "interaction/Oberflaeche.h"
#include "store/DateiEA.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"
#include "lists/Tabelle.h"
#include "store/Mitglied.h"
#include "transfer/Textdatei.h"
#include "transfer/Vergleich.h"

namespace zaq::cli {

int Export(const std::string& datei, const std::string& ziel) {
  auto liste = TZAQ::CreateAusDatei(datei);
  if (!liste) return 1;
  if (!liste->PruefeRecht(rBeitragsdatenAnzeigen)) return 1;
  if (IstMitgliederdatei(*liste, ziel)) {
    Meldung("Diese Datei ist bereits geöffnet.", MeldungsArt::Fehler);
    return 1;
  }
  return ExportiereText(*liste, ziel) ? 0 : 1;
}

bool LeseFelder(const std::string& text, std::vector<int>& felder) {
  felder.clear();
  for (int i = 1; i <= FeldAnzahl(text, ","); ++i) {
    const std::string f = Trim(Feld(text, ",", i));
    if (f.empty()) {
      felder.push_back(0);
      continue;
    }
    const auto n = NurZiffern(f) && f.size() <= 3 ? ZuZahl(f) : std::nullopt;
    if (!n || !ImportFeld(*n)) return false;
    felder.push_back(*n);
  }
  return true;
}

int Import(const ImportAufruf& a, CliOberflaeche& ui) {
  auto liste = TZAQ::CreateAusDatei(a.datei);
  if (!liste) return 1;
  if (!liste->PruefeRecht(rMassenaenderung | rMassenaenderung2)) return 1;
  TTextimport import;
  if (!import.LadeDatei(a.textdatei) || !import.SetzeKopfzeilen(a.kopfzeilen)) return 1;
  if (static_cast<int>(a.felder.size()) > import.Spaltenanzahl()) {
    Meldung("Die Datei hat " + std::to_string(import.Spaltenanzahl()) + " Spalten, es wurden aber " +
                std::to_string(a.felder.size()) + " Felder zugeordnet.",
            MeldungsArt::Fehler);
    return 1;
  }
  for (std::size_t c = 0; c < a.felder.size(); ++c) import.SetzeFeld(static_cast<int>(c), a.felder[c]);
  const Importziel ziel = a.archiv ? Importziel::Archiv : Importziel::Mitgliederliste;
  if (a.pruefen) return import.Pruefen(*liste, ziel) ? 0 : 1;
  ui.SetzeJa(true);
  const bool importiert = import.Importiere(*liste, ziel);
  ui.SetzeJa(false);
  return importiert && liste->Speichern() ? 0 : 1;
}

int Vergleichen(const std::string& dateiA, const std::string& dateiB, std::ostream& aus) {
  std::shared_ptr<TZAQ> a = TZAQ::CreateAusDatei(dateiA);
  if (!a) return 1;
  if (a->IstDatei(dateiB)) {
    Meldung("Diese Datei ist bereits geöffnet. Geben Sie eine andere Datei an!", MeldungsArt::Fehler);
    return 1;
  }
  std::shared_ptr<TZAQ> b = TZAQ::CreateAusDatei(dateiB);
  if (!b) return 1;
  const TVergleich v = VergleicheMitglieder(*a, *b);
  Json j;
  Json mitglieder = Json::array();
  for (int i = 0; i < a->FMitglieder.Anzahl(); ++i) {
    const TMitglied& m = a->FMitglieder[i];
    const TMitglied* p = v.partner[static_cast<std::size_t>(i)];
    mitglieder.push_back({{"Mitgliedsnummer", m.FMitgliedsnummer},
                          {"Zustand", m.FVergleich},
                          {"Felder", p ? Feldunterschiede(m, *p) : std::vector<std::string>{}}});
  }
  j["Mitglieder"] = std::move(mitglieder);
  Json andere = Json::array();
  for (const auto& m : b->FMitglieder)
    andere.push_back({{"Mitgliedsnummer", m->FMitgliedsnummer}, {"Zustand", m->FVergleich}});
  j["Vergleichsmitglieder"] = std::move(andere);
  // The tables as the windows show them: sorted by the template.
  Json tabellen = Json::array();
  for (const auto& t : Vergleichstabellen(v, *a, *b)) {
    Json nummern = Json::array();
    for (int r = 1; r <= t->Zeilenzahl(); ++r)
      if (const TMitglied* m = t->Mitglied(r)) nummern.push_back(m->FMitgliedsnummer);
    tabellen.push_back({{"Titel", t->Vorlage().FTitel}, {"Mitglieder", nummern}});
  }
  j["Tabellen"] = std::move(tabellen);
  j["Identisch"] = v.identisch;
  j["Meldung"] = Vergleichsmeldung(v);
  aus << j.dump(1) << '\n';
  return 0;
}

namespace {

Json Betrag(float betrag) {
  const auto cent = BetragInCent(betrag);
  return cent ? Json(*cent) : Json(nullptr);
}

}  // namespace

int LgvDump(const std::string& datei, std::ostream& aus) {
  TLGV liste;
  if (!liste.Oeffnen(datei)) return 1;
  const TLGVKopf k = liste.Kopf();
  Json j;
  j["Art"] = liste.Art();
  j["Kopf"] = {{"Textschluessel", k.Textschluessel}, {"BLZ", k.BLZ},
               {"Kontonummer", k.Kontonummer},       {"Referenznummer", k.Referenznummer},
               {"Auftraggeber", k.Auftraggeber},     {"Bankname", k.Bankname},
               {"Beschreibung", k.Beschreibung1 + k.Beschreibung2}};
  Json buchungen = Json::array();
  for (int i = 1; i <= liste.Anzahl(); ++i) {
    const TLGVBuchung b = liste.Lesen(i);
    buchungen.push_back({{"Kontoinhaber", b.Kontoinhaber},
                         {"BLZ", b.BLZ},
                         {"Kontonummer", b.Kontonummer},
                         {"Betrag", Betrag(b.Betrag)},
                         {"Verwendungszweck", b.Zweck}});
  }
  j["Buchungen"] = std::move(buchungen);
  const TKontrollsummen s = liste.Kontrollsummen();
  j["Kontrollsummen"] = {{"Anzahl", s.Anzahl},
                         {"SummeBLZ", s.SummeBLZ},
                         {"SummeKontonummern", s.SummeKontonummern},
                         {"Summe", s.SummeCent}};
  aus << j.dump(1) << '\n';
  return 0;
}

int LgvSpeichern(const std::string& datei, const std::string& ziel) {
  TLGV liste;
  if (!liste.Oeffnen(datei)) return 1;
  if (GleichOhneGross(ziel, datei)) {
    Meldung("Diese Datei ist bereits geöffnet. Bitte wählen Sie eine andere Datei.", MeldungsArt::Fehler);
    return 1;
  }
  return liste.SpeichernUnter(ziel) ? 0 : 1;
}

int LgvSortieren(const std::string& datei, int schluessel) {
  TLGV liste;
  if (!liste.Oeffnen(datei)) return 1;
  return liste.Sortieren(schluessel) ? 0 : 1;
}

}  // namespace zaq::cli
