#include "lists/Statistik.h"

#include <algorithm>
#include <cmath>

#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {

namespace {

// "0.0" with a decimal comma, halves rounded away from zero.
std::string EineStelle(double wert) {
  const long long zehntel = std::llround(wert * 10);
  const long long betrag = zehntel < 0 ? -zehntel : zehntel;
  return (zehntel < 0 ? "-" : "") + std::to_string(betrag / 10) + "," + std::to_string(betrag % 10);
}

void Zaehle(THistogramm& h, int wert, bool maennlich) {
  if (wert < 0 || wert > kStatistikHoechstwert) return;
  if (static_cast<int>(h.size()) <= wert) h.resize(static_cast<std::size_t>(wert) + 1, {0, 0, 0});
  auto& z = h[static_cast<std::size_t>(wert)];
  ++z[maennlich ? 0 : 1];
  ++z[2];
}

}  // namespace

std::array<std::string, 3> TStatistik::Statuszeile() const {
  auto jahre = [](const std::optional<double>& w) { return w ? EineStelle(*w) + " Jahre" : std::string("-"); };
  return {"Durchschnittliches Alter: " + jahre(DurchschnittlichesAlter),
          "Durchschnittliche Mitgliedschaft: " + jahre(DurchschnittlicheMitgliedschaft),
          "Mitglieder: " + std::to_string(Mitglieder)};
}

TStatistik Mitgliederstatistik(const TZAQ& liste, Tag bezug) {
  TStatistik s;
  s.Bezugsdatum = bezug ? bezug : liste.FStammdaten.FAlterStichtag;
  double summeAlter = 0, summeJahre = 0;
  for (const auto& m : liste.FMitglieder) {
    const int alter = m->Alter(s.Bezugsdatum), jahre = m->Mitgliedsjahre(s.Bezugsdatum);
    Zaehle(s.Alter, alter, m->FMaennlich);
    Zaehle(s.Mitgliedschaft, jahre, m->FMaennlich);
    summeAlter += alter;
    summeJahre += jahre;
    ++s.Mitglieder;
  }
  // Without an active member there is nothing to average.
  if (s.Mitglieder > 0) {
    s.DurchschnittlichesAlter = summeAlter / s.Mitglieder;
    s.DurchschnittlicheMitgliedschaft = summeJahre / s.Mitglieder;
  }
  return s;
}

std::vector<double> Glaettungskern(int n) {
  n = std::clamp(n, 1, 30);
  std::vector<double> k(static_cast<std::size_t>(n), 0);
  for (int i = 0; i <= (n - 1) / 2; ++i) {
    k[static_cast<std::size_t>(i)] = i + 1;
    k[static_cast<std::size_t>(n - 1 - i)] = i + 1;
  }
  double summe = 0;
  for (double w : k) summe += w;
  for (double& w : k) w /= summe;
  return k;
}

TGeglaettet Glaette(const THistogramm& h, int n) {
  const std::vector<double> k = Glaettungskern(n);
  const int breite = static_cast<int>(k.size()), mitte = (breite - 1) / 2;
  const int laenge = static_cast<int>(h.size());
  TGeglaettet aus(h.size(), {0, 0, 0});
  for (int i = 0; i < laenge; ++i)
    for (int j = 0; j < breite; ++j) {
      const int q = i + mitte - j;
      if (q < 0 || q >= laenge) continue;
      for (std::size_t c = 0; c < 3; ++c)
        aus[static_cast<std::size_t>(i)][c] += h[static_cast<std::size_t>(q)][c] * k[static_cast<std::size_t>(j)];
    }
  return aus;
}

std::optional<TBestandszeile> Bestandszaehlung(const TZAQ& liste, const TBestandsfilter& filter, Bestandsart art,
                                               const std::string& vonText, const std::string& bisText, Tag bezug) {
  std::int64_t von = 0, bis = 0;
  TBestandszeile z;
  if (art == Bestandsart::Geburtsdatum) {
    const auto a = TextZuDatum(vonText), b = TextZuDatum(bisText);
    if (!a || !b) {
      Meldung("Bitte geben Sie bei \"von\" und \"bis\" gültige Daten in der Form TT.MM.JJJJ an.", MeldungsArt::Fehler);
      return std::nullopt;
    }
    if (*b < *a) {
      Meldung("Das Anfangsdatum muß vor dem Enddatum liegen.", MeldungsArt::Fehler);
      return std::nullopt;
    }
    von = *a;
    bis = *b;
    z.von = DatumText(*a);
    z.bis = DatumText(*b);
  } else {
    const auto a = ZuZahl(Trim(vonText)), b = ZuZahl(Trim(bisText));
    if (!a || !b) {
      Meldung("Bitte geben Sie bei \"von\" und \"bis\" ganze Zahlen an.", MeldungsArt::Fehler);
      return std::nullopt;
    }
    if (*b < *a) {
      Meldung(art == Bestandsart::Alter ? "Das Alter bei \"von\" muß kleiner als das Alter bei \"bis\" sein."
                                        : "Das Jahr bei \"von\" muß kleiner als das Jahr bei \"bis\" sein.",
              MeldungsArt::Fehler);
      return std::nullopt;
    }
    von = *a;
    bis = *b;
    z.von = std::to_string(*a);
    z.bis = std::to_string(*b);
  }
  for (const auto& m : liste.FMitglieder) {
    if (filter.abteilung && !m->InAbteilung(filter.abteilungText)) continue;
    if (filter.selektion && !m->FSelektiert) continue;
    std::int64_t wert = 0;
    switch (art) {
      case Bestandsart::Alter: wert = m->Alter(bezug); break;
      case Bestandsart::Geburtsjahr: wert = ZerlegeDatum(m->FGeburtsdatum).jahr; break;
      case Bestandsart::Geburtsdatum: wert = m->FGeburtsdatum; break;
    }
    if (wert < von || wert > bis) continue;
    ++(m->FMaennlich ? z.maenner : z.frauen);
    ++z.gesamt;
  }
  return z;
}

std::string BestandszaehlungText(const std::vector<TBestandszeile>& zeilen) {
  std::string text = "ZAQ Bestandszählung\r\n\r\nvon\tbis\tMänner\tFrauen\tgesamt";
  for (const auto& z : zeilen)
    text += "\r\n" + z.von + "\t" + z.bis + "\t" + std::to_string(z.maenner) + "\t" + std::to_string(z.frauen) +
            "\t" + std::to_string(z.gesamt);
  return text;
}

TFreieNummern FreieNummern(const TZAQ& liste) {
  TFreieNummern f;
  std::vector<bool> belegt(65536, false);
  for (const auto& m : liste.FMitglieder) {
    const std::uint16_t n = m->FMitgliedsnummer;
    belegt[n] = true;
    f.kleinste = f.kleinste ? std::min(*f.kleinste, n) : n;
    f.hoechste = f.hoechste ? std::max(*f.hoechste, n) : n;
  }
  const int hoechste = f.hoechste.value_or(0);
  for (int n = 1; n <= hoechste; ++n)
    if (!belegt[static_cast<std::size_t>(n)]) f.frei.push_back(static_cast<std::uint16_t>(n));
  // With 65535 in use and no gap below it there is no free number; "+ 1"
  // would give 0.
  if (!f.frei.empty()) f.ersteFreie = f.frei.front();
  else if (hoechste < 65535) f.ersteFreie = static_cast<std::uint16_t>(hoechste + 1);
  return f;
}

}  // namespace zaq
