#include "cli/BeitragsBefehle.h"

#include "base/Text.h"
#include "fees/Beitrag.h"
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
  Json& hinweise = j["Hinweisliste"] = Json::array();
  for (const TMitglied* m : o.Hinweisliste)
    hinweise.push_back({{"Mitgliedsnummer", m->FMitgliedsnummer}, {"Hinweise", m->FHinweise}});
  aus << j.dump(1) << '\n';
  return 0;
}

}  // namespace zaq::cli
