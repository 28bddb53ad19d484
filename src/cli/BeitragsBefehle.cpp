#include "cli/BeitragsBefehle.h"

#include "base/Text.h"
#include "debits/sepa/Beitragspruefung.h"
#include "fees/Beitrag.h"
#include "fees/Beitragsbericht.h"
#include "store/ZAQ.h"

namespace zaq::cli {

bool LeseZahlarten(const std::string& text, std::uint8_t& zahlarten) {
  std::uint8_t arten = 0;
  const int anzahl = FeldAnzahl(text, ",");
  for (int i = 1; i <= anzahl; ++i) {
    const std::string feld = Trim(Feld(text, ",", i));
    auto art = NurZiffern(feld) ? ZuZahl(feld) : std::nullopt;
    if (!art || *art > 7) return false;
    arten = static_cast<std::uint8_t>(arten | TBeitragslaufOptionen::Zahlart(*art));
  }
  zahlarten = arten;
  return true;
}

int Beitraege(const std::string& datei, const Beitragsaufruf& aufruf, std::ostream& aus) {
  auto liste = TZAQ::CreateAusDatei(datei);
  if (!liste) return 1;
  TBeitragslaufOptionen o;
  o.Zahlarten = aufruf.zahlarten;
  o.MitZahlerliste = true;
  o.NurSelektierte = aufruf.nurSelektierte;
  Beitragslauf(*liste, aufruf.datum, aufruf.vollesJahr, o);
  Json j = Json::object();
  j["Summe"] = o.Summe;
  Json& zahler = j["Zahlerliste"] = Json::array();
  for (const auto& z : o.Zahlerliste)
    zahler.push_back({{"Mitgliedsnummer", z.mitglied->FMitgliedsnummer},
                      {"Betrag", z.cent},
                      {"Verwendungszweck", z.verwendungszweck}});
  j["Hinweisliste"] = HinweisJson(o.Hinweisliste);
  aus << j.dump(1) << '\n';
  return 0;
}

Json HinweisJson(const std::vector<TMitglied*>& hinweisliste) {
  Json hinweise = Json::array();
  for (const TMitglied* m : hinweisliste)
    hinweise.push_back({{"Mitgliedsnummer", m->FMitgliedsnummer}, {"Hinweise", m->FHinweise}});
  return hinweise;
}

int Beitragspruefung(const std::string& datei, const Beitragsaufruf& aufruf, std::ostream& aus) {
  auto liste = TZAQ::CreateAusDatei(datei);
  if (!liste) return 1;
  const Tag datum = aufruf.datum != 0 ? aufruf.datum : NaechstesJahresende();
  const TBeitragspruefung p = PruefeBeitraege(*liste, datum, aufruf.vollesJahr, aufruf.nurSelektierte, false);
  const TBeitragsbericht b = ErstelleBeitragsbericht(liste->FStammdaten);
  Json klassen = Json::array();
  for (const TBerichtKlasse& k : b.Klassen) {
    Json alter = Json::array();
    for (const TBerichtAltersklasse& a : k.Altersklassen) alter.push_back({{"Anzahl", a.Anzahl}, {"Summe", a.Summe}});
    klassen.push_back(
        {{"Schluessel", k.Schluessel}, {"Anzahl", k.Anzahl}, {"Summe", k.Summe}, {"Altersklassen", std::move(alter)}});
  }
  Json j = Json::object();
  j["Rechendatum"] = DatumText(datum);
  j["Summe"] = p.Summe;
  j["Hinweisliste"] = HinweisJson(p.Hinweisliste);
  j["Meldung"] = p.Meldung;
  j["Bericht"] = {{"Anzahl", b.Anzahl}, {"Summe", b.Summe}, {"Beitragsklassen", std::move(klassen)},
                  {"Zeilen", b.Zeilen}};
  aus << j.dump(1) << '\n';
  return 0;
}

}  // namespace zaq::cli
