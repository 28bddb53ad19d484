#include "lists/Sortierung.h"

#include <algorithm>
#include <string>
#include <variant>

#include "base/Text.h"
#include "store/Mitglied.h"
#include "store/TabVorlage.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

enum class Vergleichsart { Keine, Zahl, Text };


Vergleichsart ArtVon(std::int32_t art) {
  switch (art) {
    case 21: case 22: case 41: case 42: case 43: case 46: case 69: return Vergleichsart::Text;
    case 3: case 27: case 28: case 29: case 31: case 32: case 61: case 65: case 67: case 70: case 162: case 164:
      return Vergleichsart::Zahl;
    default: return Vergleichsart::Keine;
  }
}

const std::string& Text(const TMitglied& m, std::int32_t art) {
  switch (art) {
    case 21: return m.FName;
    case 22: return m.FVorname;
    case 41: return m.FStrasse;
    case 42: return m.FPLZ;
    case 43: return m.FOrt;
    case 46: return m.FLand;
    default: return m.FAbteilungen;
  }
}

// Dates and times compare by value, so every number kind fits a double.
double Zahl(const TMitglied& m, std::int32_t art, std::int32_t stichtag) {
  switch (art) {
    case 3: return m.FMitgliedsnummer;
    case 27: return m.FMaennlich ? 0 : 1;
    case 28: return m.FGeburtsdatum;
    case 29: return m.Alter(stichtag);
    case 31: return m.Geburtstagsjubilaeum(stichtag).datum;
    case 32: return m.Geburtstagsnummer();
    case 61: return m.FEintrittsdatum;
    case 65: return m.Mitgliedsjahre(stichtag);
    case 67: return m.FaelligeEhrung(stichtag);
    case 70: return m.FAustrittsdatum;
    case 162: return m.FErstelltVon.FZeit;
    default: return m.LetzteAenderung();
  }
}

std::int32_t Betrag(std::int32_t schluessel) {
  return schluessel < 0 ? (schluessel == INT32_MIN ? 0 : -schluessel) : schluessel;
}

template <class T>
int Drei(const T& a, const T& b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

int Vergleiche(const TMitglied& a, const TMitglied& b, std::span<const std::int32_t> schluessel,
               std::int32_t stichtag) {
  for (std::int32_t k : schluessel) {
    const std::int32_t art = Betrag(k);
    int r = 0;
    switch (ArtVon(art)) {
      case Vergleichsart::Text: r = VergleicheText(Text(a, art), Text(b, art)); break;
      case Vergleichsart::Zahl: r = Drei(Zahl(a, art, stichtag), Zahl(b, art, stichtag)); break;
      case Vergleichsart::Keine: break;
    }
    if (r != 0) return k < 0 ? -r : r;
  }
  return 0;
}

TSortierwerte::TSortierwerte(std::span<const TMitglied* const> mitglieder, std::span<const std::int32_t> schluessel,
                             std::int32_t stichtag) {
  for (std::int32_t k : schluessel)
    if (ArtVon(Betrag(k)) != Vergleichsart::Keine) FAktiv.push_back(k);
  // Every value is worked out once per member, texts as collation keys:
  // a sort compares each member about log2(n) times.
  const std::size_t breite = FAktiv.size();
  FWerte.resize(mitglieder.size() * breite);
  for (std::size_t i = 0; i < mitglieder.size(); ++i) {
    const TMitglied& m = *mitglieder[i];
    for (std::size_t j = 0; j < breite; ++j) {
      const std::int32_t art = Betrag(FAktiv[j]);
      Wert& w = FWerte[i * breite + j];
      if (ArtVon(art) == Vergleichsart::Text) w = Sortierform(Text(m, art));
      else w = Zahl(m, art, stichtag);
    }
  }
}

bool TSortierwerte::Vor(std::size_t a, std::size_t b) const {
  const std::size_t breite = FAktiv.size();
  const Wert* wa = FWerte.data() + a * breite;
  const Wert* wb = FWerte.data() + b * breite;
  for (std::size_t j = 0; j < breite; ++j) {
    const int r = wa[j].index() == 0 ? Drei(std::get<0>(wa[j]), std::get<0>(wb[j]))
                                     : std::get<1>(wa[j]).compare(std::get<1>(wb[j]));
    if (r != 0) return FAktiv[j] < 0 ? r > 0 : r < 0;
  }
  return false;
}

bool SortiereMitglieder(TZAQ& liste, std::span<const std::int32_t> schluessel, std::int32_t stichtag) {
  const int mitglieder = liste.FMitglieder.Anzahl(), archiv = liste.FArchiv.Anzahl();
  std::vector<const TMitglied*> zeiger;
  zeiger.reserve(static_cast<std::size_t>(mitglieder));
  for (const auto& m : liste.FMitglieder) zeiger.push_back(m.get());
  const TSortierwerte werte(zeiger, schluessel, stichtag);
  // No key that compares anything leaves the order as it is.
  if (!werte.Leer())
    liste.FMitglieder.Sortieren([&](const TMitglied& a, const TMitglied& b) {
      return werte.Vor(static_cast<std::size_t>(a.Index()), static_cast<std::size_t>(b.Index()));
    });
  return liste.PruefeSortierung(mitglieder, archiv);
}

std::optional<Sortierschluessel> BefehlsSchluessel(int nummer) {
  switch (nummer) {
    case 10: return Sortierschluessel{21, 22, 3};
    case 11: return Sortierschluessel{22, 21, 3};
    case 12: return Sortierschluessel{46, 42, 43, 41};
    case 20: return Sortierschluessel{32, 21, 22};
    case 21: return Sortierschluessel{28, 21, 22};
    case 22: return Sortierschluessel{29, -28, 21, 22};
    case 30: return Sortierschluessel{61, 21, 22};
    case 31: return Sortierschluessel{65, -61, 21, 22};
    case 32: return Sortierschluessel{-70, 21, 22};
    case 40: return Sortierschluessel{3, 21, 22};
    case 41: return Sortierschluessel{164, 21, 22};
    default: return std::nullopt;
  }
}

std::optional<std::int32_t> LeseSortierSchluessel(std::string_view text) {
  if (auto zahl = ZuZahl(text); zahl && Trim(text) == text) return *zahl;
  const bool ab = text.starts_with('-');
  const std::string_view name = ab ? text.substr(1) : text;
  for (int i = 0; i < kSortierArten; ++i)
    if (SortierText(i) == name) return ab ? -SortierArt(i) : SortierArt(i);
  return std::nullopt;
}

std::optional<TSuchfund> SucheMitglied(const TZAQ& liste, const TMitglied* aktuell, std::string_view text,
                                       bool weiter) {
  const std::string muster = GrossVergleich(Trim(text));
  if (muster.empty()) return std::nullopt;
  const bool einZeichen = Zeichenzahl(Trim(text)) == 1;
  const int start = weiter && aktuell && aktuell->InListe() && !aktuell->ImArchiv() ? aktuell->Index() + 1 : 0;
  for (int i = start; i < liste.FMitglieder.Anzahl(); ++i) {
    TMitglied& m = const_cast<TMitglied&>(liste.FMitglieder[i]);
    bool passt;
    if (einZeichen) passt = GrossVergleich(ErsteZeichen(m.FName, 1)) == muster;
    else passt = WorteEnthalten(muster, GrossVergleich(m.NameKomplett()));
    if (passt) return TSuchfund{&m, i + 1};
  }
  return std::nullopt;
}

}  // namespace zaq
