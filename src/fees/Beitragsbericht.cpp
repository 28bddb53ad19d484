#include "fees/Beitragsbericht.h"

#include <cstdio>

#include "fees/Beitrag.h"
#include "store/Stammdaten.h"

namespace zaq {

std::string EineNachkommastelle(double wert) {
  char puffer[64];
  std::snprintf(puffer, sizeof puffer, "%.1f", wert);
  std::string text = puffer;
  for (char& c : text)
    if (c == '.') c = ',';
  return text;
}

namespace {

std::string Mitglieder(std::int32_t n) { return std::to_string(n) + " Mitglied" + (n != 1 ? "er" : ""); }

// "Rechenanzahl" and "Rechensumme" of a class or an age class, measured
// against the whole run.
void Anteile(std::vector<std::string>& z, const std::string& vorsatz, std::int32_t anzahl, std::int64_t summe,
             std::int32_t gesamtAnzahl, std::int64_t gesamtSumme) {
  const double n = gesamtAnzahl, s = static_cast<double>(gesamtSumme);
  z.push_back(vorsatz + "anzahl:;" + Mitglieder(anzahl) + ";" + EineNachkommastelle(anzahl / n * 100) + " %");
  std::string zeile = vorsatz + "summe:;" + BetragText(summe) + " €;" +
                      EineNachkommastelle(static_cast<double>(summe) / s * 100) + " %";
  const double erwartet = static_cast<double>(anzahl) * s / n;
  if (erwartet > 0) {
    const double balance = (static_cast<double>(summe) / erwartet - 1) * 100;
    zeile += std::string(";") + (balance > 0 ? "+" : "") + EineNachkommastelle(balance) + " %";
  }
  z.push_back(std::move(zeile));
}

}  // namespace

TBeitragsbericht ErstelleBeitragsbericht(const TStammdaten& stamm) {
  TBeitragsbericht b;
  b.Anzahl = stamm.StatistikAnzahl();
  b.Summe = stamm.StatistikSumme();
  for (const auto& k : stamm.FBtrKlassen) {
    TBerichtKlasse& bk = b.Klassen.emplace_back();
    bk.Schluessel = k->FSchluessel;
    bk.Anzahl = k->StatistikAnzahl();
    bk.Summe = k->StatistikSumme();
    for (const TAltKlasse& a : k->FAltKlassen) bk.Altersklassen.push_back({a.FAnzahl, a.FSumme});
  }
  if (b.Summe <= 0 || b.Anzahl <= 0) return b;

  auto& z = b.Zeilen;
  z.push_back("Die Summe an Beiträgen entsteht durch;" + std::to_string(b.Anzahl) + " Mitglieder.");
  z.push_back("Die Gesamtsumme der Beiträge lautet;" + BetragText(b.Summe) + " €.");
  z.insert(z.end(), {"", "Auflistung:", "-"});
  bool erste = true;
  for (const auto& k : stamm.FBtrKlassen) {
    if (!erste) z.push_back("-");
    erste = false;
    z.push_back("Beitragsklasse " + k->FSchluessel + ":;" + k->FBezeichnung);
    z.push_back(k->FFamilienbeitrag ? "Option:;Familienbeitrag" : "Option:;Altersklassen");
    Anteile(z, "Rechen", k->StatistikAnzahl(), k->StatistikSumme(), b.Anzahl, b.Summe);
    if (k->FFamilienbeitrag || k->FAltKlassen.size() <= 1) continue;
    int j = 0;
    for (const TAltKlasse& a : k->FAltKlassen) {
      z.push_back("");
      z.push_back("  >  Altersklasse " + std::to_string(++j) + ":;" + a.FVerwendungszweck);
      z.push_back("  >  Alter:;bis " + std::to_string(a.FAlterBis) + " Jahre");
      Anteile(z, "  >  Teilrechen", a.FAnzahl, a.FSumme, b.Anzahl, b.Summe);
    }
    z.push_back("");
  }
  return b;
}

}  // namespace zaq
