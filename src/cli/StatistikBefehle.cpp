#include "cli/StatistikBefehle.h"

#include "base/Text.h"
#include "lists/Statistik.h"
#include "store/DateiEA.h"
#include "store/ZAQ.h"

namespace zaq::cli {

bool LeseBestand(const std::string& text, std::vector<StatistikAufruf::Bestand>& bestand) {
  if (FeldAnzahl(text, ",") != 3) return false;
  StatistikAufruf::Bestand b{Feld(text, ",", 1), Feld(text, ",", 2), Feld(text, ",", 3)};
  if (b.art != "alter" && b.art != "geburtsjahr" && b.art != "geburtsdatum") return false;
  bestand.push_back(std::move(b));
  return true;
}

namespace {

Json Verteilung(const THistogramm& h) {
  Json j = Json::array();
  for (const auto& z : h) j.push_back({z[0], z[1], z[2]});
  return j;
}

Json Verteilung(const TGeglaettet& h) {
  Json j = Json::array();
  for (const auto& z : h) j.push_back({z[0], z[1], z[2]});
  return j;
}

Json Wert(const std::optional<double>& w) { return w ? Json(*w) : Json(nullptr); }

}  // namespace

int Statistik(const StatistikAufruf& a, std::ostream& aus) {
  auto liste = TZAQ::CreateAusDatei(a.datei);
  if (!liste) return 1;
  const TStatistik s = Mitgliederstatistik(*liste, a.datum);
  const Tag stichtag = a.datum ? a.datum : liste->FStammdaten.FBeitragStichtag;
  TBestandsfilter filter{a.abteilung, a.abteilungText, a.selektion};
  std::vector<TBestandszeile> zeilen;
  for (const auto& b : a.bestand) {
    const Bestandsart art = b.art == "alter"         ? Bestandsart::Alter
                            : b.art == "geburtsjahr" ? Bestandsart::Geburtsjahr
                                                     : Bestandsart::Geburtsdatum;
    const auto z = Bestandszaehlung(*liste, filter, art, b.von, b.bis, stichtag);
    if (!z) return 1;
    zeilen.push_back(*z);
  }
  Json j;
  j["Bezugsdatum"] = DatumText(s.Bezugsdatum);
  j["Mitglieder"] = s.Mitglieder;
  j["DurchschnittlichesAlter"] = Wert(s.DurchschnittlichesAlter);
  j["DurchschnittlicheMitgliedschaft"] = Wert(s.DurchschnittlicheMitgliedschaft);
  const auto status = s.Statuszeile();
  j["Statuszeile"] = {status[0], status[1], status[2]};
  j["Altersverteilung"] = Verteilung(s.Alter);
  j["Vereinszugehoerigkeit"] = Verteilung(s.Mitgliedschaft);
  j["Glaettung"] = a.glaettung;
  j["AltersverteilungGeglaettet"] = Verteilung(Glaette(s.Alter, a.glaettung));
  j["VereinszugehoerigkeitGeglaettet"] = Verteilung(Glaette(s.Mitgliedschaft, a.glaettung));
  Json z = Json::array();
  for (const auto& zeile : zeilen)
    z.push_back({{"von", zeile.von},
                 {"bis", zeile.bis},
                 {"Maenner", zeile.maenner},
                 {"Frauen", zeile.frauen},
                 {"gesamt", zeile.gesamt}});
  // "Kopieren" copies only with a line.
  j["Bestandszaehlung"] = {{"Stichtag", DatumText(stichtag)},
                           {"Zeilen", z},
                           {"Text", zeilen.empty() ? std::string() : BestandszaehlungText(zeilen)}};
  const TFreieNummern f = FreieNummern(*liste);
  auto nummer = [&](const std::optional<std::uint16_t>& n) {
    return n ? Json(liste->MitgliedsnummerText(*n)) : Json(nullptr);
  };
  Json frei = Json::array();
  for (std::uint16_t n : f.frei) frei.push_back(liste->MitgliedsnummerText(n));
  j["FreieNummern"] = {{"Kleinste", nummer(f.kleinste)},
                       {"Hoechste", nummer(f.hoechste)},
                       {"Frei", frei},
                       {"ErsteFreie", f.ersteFreie ? Json(*f.ersteFreie) : Json(nullptr)}};
  aus << j.dump(1) << '\n';
  return 0;
}

}  // namespace zaq::cli
