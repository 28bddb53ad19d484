#include "debits/lgv/Lgv.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "debits/sepa/Buchungsliste.h"
#include "interaction/Warten.h"

namespace zaq {
namespace {

// Field places: offsets of the short strings and their capacities.
constexpr std::size_t kInhaber = 0, kBLZ = 28, kKonto = 37, kBetrag = 48, kZweck1 = 52, kZweck2 = 80;
constexpr std::size_t kReferenz = 52, kAuftraggeber = 80, kBank = 108, kBeschreibung1 = 388, kBeschreibung2 = 416;
constexpr std::size_t kText = 27, kBLZLaenge = 8, kKontoLaenge = 10, kZeilenabstand = 28;

std::size_t Zeile(int j) { return j == 0 ? kZweck1 : kZweck2 + static_cast<std::size_t>(j - 1) * kZeilenabstand; }

TLGV::Satz Kodiere(const TLGVBuchung& b) {
  TLGV::Satz s{};
  SchreibeKurztext(s.data(), kInhaber, kText, b.Kontoinhaber);
  SchreibeKurztext(s.data(), kBLZ, kBLZLaenge, b.BLZ);
  SchreibeKurztext(s.data(), kKonto, kKontoLaenge, b.Kontonummer);
  SchreibeSatzwert(s.data(), kBetrag, b.Betrag);
  for (int j = 0; j < kLgvZeilen; ++j) SchreibeKurztext(s.data(), Zeile(j), kText, b.Zweck[static_cast<std::size_t>(j)]);
  return s;
}

// A field read as a whole number; one that is not counts 0, as it cannot
// be added.
std::int64_t Ganzzahl(const std::string& text) {
  std::string_view t = text;
  bool negativ = false;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    negativ = t[0] == '-';
    t.remove_prefix(1);
  }
  if (t.empty() || t.size() > 18 || !NurZiffern(t)) return 0;
  const std::int64_t wert = std::stoll(std::string(t));
  return negativ ? -wert : wert;
}

}  // namespace

bool TLGV::Oeffnen(const std::string& datei) {
  Schliessen();
  FArt = 0;
  const auto inhalt = LeseListendatei(datei);
  if (!inhalt) return false;
  Satz kopf{};
  std::copy_n(inhalt->begin(), std::min(inhalt->size(), kopf.size()), kopf.begin());
  const std::string schluessel = LiesKurztext(kopf.data(), 0, kText);
  // The key must be there exactly, its length byte included.
  const int art = schluessel == kLgvLastschriften ? 1 : schluessel == kLgvGutschriften ? 2 : 0;
  if (art == 0 || kopf[0] != schluessel.size()) {
    Meldung("Die Datei hat einen ungültigen Textschlüssel.", MeldungsArt::Fehler);
    return false;
  }
  // A header cut short is a damaged file; a piece of a booking after the
  // last whole one is not read.
  if (inhalt->size() < kLgvSatzgroesse) {
    Meldung("Die Datei \"" + datei + "\" ist beschädigt: Ihr Dateikopf ist unvollständig.", MeldungsArt::Fehler);
    return false;
  }
  Laden(datei, *inhalt);
  FArt = art;
  return true;
}

TLGVKopf TLGV::Kopf() const {
  TLGVKopf k;
  if (FSaetze.empty()) return k;
  const std::uint8_t* s = FSaetze[0].data();
  k.Textschluessel = LiesKurztext(s, 0, kText);
  k.BLZ = LiesKurztext(s, kBLZ, kBLZLaenge);
  k.Kontonummer = LiesKurztext(s, kKonto, kKontoLaenge);
  k.Referenznummer = LiesKurztext(s, kReferenz, kText);
  k.Auftraggeber = LiesKurztext(s, kAuftraggeber, kText);
  k.Bankname = LiesKurztext(s, kBank, kText);
  k.Beschreibung1 = LiesKurztext(s, kBeschreibung1, kText);
  k.Beschreibung2 = LiesKurztext(s, kBeschreibung2, kText);
  return k;
}

bool TLGV::SchreibeKopf(const TLGVKopf& k) {
  if (FSaetze.empty()) return false;
  // The unused places keep what the file had there.
  Satz s = FSaetze[0];
  SchreibeKurztext(s.data(), 0, kText, k.Textschluessel);
  SchreibeKurztext(s.data(), kBLZ, kBLZLaenge, k.BLZ);
  SchreibeKurztext(s.data(), kKonto, kKontoLaenge, k.Kontonummer);
  SchreibeKurztext(s.data(), kReferenz, kText, k.Referenznummer);
  SchreibeKurztext(s.data(), kAuftraggeber, kText, k.Auftraggeber);
  SchreibeKurztext(s.data(), kBank, kText, k.Bankname);
  SchreibeKurztext(s.data(), kBeschreibung1, kText, k.Beschreibung1);
  SchreibeKurztext(s.data(), kBeschreibung2, kText, k.Beschreibung2);
  return Ersetzen(0, s);
}

TLGVBuchung TLGV::Lesen(int i) const {
  TLGVBuchung b;
  if (i < 1 || i > Anzahl()) return b;
  const std::uint8_t* s = FSaetze[static_cast<std::size_t>(i)].data();
  b.Kontoinhaber = LiesKurztext(s, kInhaber, kText);
  b.BLZ = LiesKurztext(s, kBLZ, kBLZLaenge);
  b.Kontonummer = LiesKurztext(s, kKonto, kKontoLaenge);
  b.Betrag = LiesSatzwert<float>(s, kBetrag);
  for (int j = 0; j < kLgvZeilen; ++j) b.Zweck[static_cast<std::size_t>(j)] = LiesKurztext(s, Zeile(j), kText);
  return b;
}

bool TLGV::Schreiben(const TLGVBuchung& buchung, int i) {
  if (!Offen() || i < 1 || i > Anzahl() + 1) return false;
  if (i == Anzahl() + 1 && Anzahl() >= kLgvHoechstzahl) {
    Meldung("Die Liste ist voll: sie kann höchstens " + std::to_string(kLgvHoechstzahl) + " Buchungen aufnehmen.",
            MeldungsArt::Fehler);
    return false;
  }
  return i == Anzahl() + 1 ? Anfuegen(Kodiere(buchung)) : Ersetzen(static_cast<std::size_t>(i), Kodiere(buchung));
}

bool TLGV::Loeschen(int i) { return Offen() && i >= 1 && i <= Anzahl() && Entfernen(static_cast<std::size_t>(i)); }

int TLGV::Suchen(std::string_view text, int start) const {
  for (int i = std::max(start, 1); i <= Anzahl(); ++i) {
    const TLGVBuchung b = Lesen(i);
    if (EnthaeltAlleWorte(ErsteZeichen(ErsteZeichen(b.Kontoinhaber + b.BLZ, 35) + b.Kontonummer, 45), text))
      return i;
  }
  return 0;
}

bool TLGV::SpeichernUnter(const std::string& datei) {
  return Offen() && !GleichOhneGross(datei, FDatei) && Umbenennen(datei);
}

TKontrollsummen TLGV::Kontrollsummen() const {
  if (FSummen) return *FSummen;
  TKontrollsummen k;
  k.Anzahl = Anzahl();
  for (int i = 1; i <= Anzahl(); ++i) {
    const std::uint8_t* s = FSaetze[static_cast<std::size_t>(i)].data();
    k.SummeBLZ += Ganzzahl(LiesKurztext(s, kBLZ, kBLZLaenge));
    k.SummeKontonummern += Ganzzahl(LiesKurztext(s, kKonto, kKontoLaenge));
    k.SummeCent += BetragInCent(LiesSatzwert<float>(s, kBetrag)).value_or(0);
  }
  FSummen = k;
  return k;
}

bool TLGV::Sortieren(int schluessel) {
  if (!Offen() || schluessel < 1 || schluessel > 4) return false;
  return SortiereNach(Anzahl(), [&](int i) -> TSortierschluessel {
    const TLGVBuchung b = Lesen(i);
    switch (schluessel) {
      case 1: return {Sortierform(b.Kontoinhaber), {}, 0};
      case 2: return {Sortierform(b.Zweck[0]), Sortierform(b.Zweck[1]), 0};
      case 3: return {Sortierform(b.BLZ), Sortierform(b.Kontonummer), 0};
      default: return {{}, {}, Sortierbetrag(b.Betrag)};
    }
  });
}

}  // namespace zaq
