#include "store/BtrKlasse.h"

#include <array>
#include <cmath>
#include <optional>

#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Einstellungen.h"

namespace zaq {
namespace {

constexpr std::array<const char*, kTeilberechnungen> kTeilberechnungsTexte = {
    "Es findet keine Teilberechnung statt.",
    "Berechnung erfolgt taggenau.",
    "Beitrag wird abgerundet auf einen Monat genau berechnet.",
    "Beitrag wird aufgerundet auf einen Monat genau berechnet.",
    "Beitrag wird abgerundet auf zwei Monate genau berechnet.",
    "Beitrag wird aufgerundet auf zwei Monate genau berechnet.",
    "Beitrag wird abgerundet auf ein Quartal genau berechnet.",
    "Beitrag wird aufgerundet auf ein Quartal genau berechnet.",
    "Beitrag wird abgerundet auf vier Monate genau berechnet.",
    "Beitrag wird aufgerundet auf vier Monate genau berechnet.",
    "Beitrag wird abgerundet auf ein halbes Jahr genau berechnet.",
    "Beitrag wird aufgerundet auf ein halbes Jahr genau berechnet.",
    "Jahresbeitrag, abrunden unter 12 Monaten",
    "Jahresbeitrag, aufrunden unter 12 Monaten",
};

}  // namespace

void TeilberechnungText(int modus, std::string& text) {
  if (modus >= 0 && modus < kTeilberechnungen) text = kTeilberechnungsTexte[static_cast<std::size_t>(modus)];
}

std::vector<std::string> TeilberechnungTexte() {
  return {kTeilberechnungsTexte.begin(), kTeilberechnungsTexte.end()};
}

std::span<const Feldbeschreibung<TAltKlasse>> TAltKlasse::Felder() {
  using A = TAltKlasse;
  static const Feldbeschreibung<A> felder[] = {
      {10, "FVerwendungszweck", &A::FVerwendungszweck},
      {20, "FBetrag", &A::FBetrag},
      {30, "FAlterBis", &A::FAlterBis},
  };
  return felder;
}

TBtrKlasse::TBtrKlasse() : FAltKlassen(1) {}

std::span<const Feldbeschreibung<TBtrKlasse>> TBtrKlasse::Felder() {
  using K = TBtrKlasse;
  static const Feldbeschreibung<K> felder[] = {
      {10, "FSchluessel", &K::FSchluessel},
      {20, "FBezeichnung", &K::FBezeichnung},
      {30, "FTeilberechnung", &K::FTeilberechnung},
      {40, "FFaktorText", &K::FFaktorText},
      {200, "FFamilienbeitrag", &K::FFamilienbeitrag},
      {210, "FFamilienMax", &K::FFamilienMax},
      {220, "FFamilienIst", &K::FFamilienIst},
      {230, "FFamilienAlter", &K::FFamilienAlter},
      // One sub-record per age class, all with the same ID.
      {400, "FAltKlassen",
       Sonderfeld<K>{[](const K& k, TZAQStream& s, std::uint16_t id, std::uint32_t flags, bool& ok) {
                       for (const auto& a : k.FAltKlassen) {
                         if (!ok) return;
                         SchreibeUnterblock(s, a, id, flags, ok);
                       }
                     },
                     [](K& k, TZAQStream& s, std::int32_t g, bool& ok) {
                       LeseUnterblock(s, k.FAltKlassen.emplace_back(), g, ok);
                     },
                     [](const K& k, Json& j, const char* name) {
                       if (k.FAltKlassen.empty()) return;
                       Json& liste = j[name] = Json::array();
                       for (const auto& a : k.FAltKlassen) a.ZuJson(liste.emplace_back());
                     }}},
  };
  return felder;
}

void TBtrKlasse::StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) {
  FAltKlassen.clear();
  TFeldDatensatz<TBtrKlasse>::StreamLesen(s, groesse, ok);
}

const TAltKlasse* TBtrKlasse::AltKlasseFuerAlter(int alter) const {
  if (alter < 0 || alter > 255) return nullptr;
  for (const auto& a : FAltKlassen)
    if (a.FAlterBis >= alter) return &a;
  return nullptr;
}

TAltKlasse* TBtrKlasse::AltKlasseFuerAlter(int alter) {
  return const_cast<TAltKlasse*>(std::as_const(*this).AltKlasseFuerAlter(alter));
}

void TBtrKlasse::StatistikZuruecksetzen() {
  for (auto& a : FAltKlassen) {
    a.FSumme = 0;
    a.FAnzahl = 0;
  }
}

std::int64_t TBtrKlasse::StatistikSumme() const {
  std::int64_t summe = 0;
  for (const auto& a : FAltKlassen) summe += a.FSumme;
  return summe;
}

std::int32_t TBtrKlasse::StatistikAnzahl() const {
  std::int32_t anzahl = 0;
  for (const auto& a : FAltKlassen) anzahl += a.FAnzahl;
  return anzahl;
}

const TBtrKlasse* TBtrKlassenListe::Suche(const std::string& schluessel) const {
  if (Trim(schluessel).empty()) return nullptr;
  for (const auto& k : *this)
    if (k->FSchluessel == schluessel) return k.get();
  return nullptr;
}

TBtrKlasse* TBtrKlassenListe::Suche(const std::string& schluessel) {
  return const_cast<TBtrKlasse*>(std::as_const(*this).Suche(schluessel));
}

bool LadeAusIni(TBtrKlasse& klasse, const std::string& datei, const std::string& schluessel) {
  const std::string abschnitt = "BSL" + schluessel;
  bool ok = true;
  auto text = [&](const std::string& name, const std::string& vorgabe) {
    return ProfilLesen(datei, abschnitt, name, vorgabe);
  };
  // A whole number within [von, bis]; anything else keeps the default and fails the import.
  auto zahl = [&](const std::string& name, std::int64_t vorgabe, std::int64_t von, std::int64_t bis) {
    auto wert = ZuZahl64(text(name, std::to_string(vorgabe)));
    if (!wert || *wert < von || *wert > bis) {
      ok = false;
      return vorgabe;
    }
    return *wert;
  };
  auto byte = [&](const std::string& name, std::uint8_t vorgabe) {
    return static_cast<std::uint8_t>(zahl(name, vorgabe, 0, 255));
  };
  klasse.FBezeichnung = text("Bezeichnung", klasse.FBezeichnung);
  klasse.FFamilienbeitrag = text("Familienbeitrag", text("Einmalig berechnen", "")) == "ja";
  klasse.FFamilienMax = byte("Familien Max", klasse.FFamilienMax);
  klasse.FFamilienIst = byte("Familien Ist", klasse.FFamilienIst);
  klasse.FFamilienAlter = byte("Familien Alter", klasse.FFamilienAlter);
  const auto anzahl = zahl("Altersklassen", zahl("Anzahl", 0, 0, 255), 0, 255);
  klasse.FAltKlassen.assign(static_cast<std::size_t>(std::max<std::int64_t>(anzahl, 1)), TAltKlasse());
  for (std::int64_t i = 1; i <= anzahl; ++i) {
    TAltKlasse& a = klasse.FAltKlassen[static_cast<std::size_t>(i - 1)];
    const std::string nr = std::to_string(i);
    a.FVerwendungszweck = text("Verwendungszweck " + nr, a.FVerwendungszweck);
    const auto cent = zahl("Betrag " + nr, std::llround(static_cast<double>(a.FBetrag) * 100), -(std::int64_t{1} << 50),
                           std::int64_t{1} << 50);
    a.FBetrag = static_cast<float>(static_cast<double>(cent) / 100.0);
    a.FAlterBis = byte("Alter " + nr, a.FAlterBis);
  }
  return ok;
}

}  // namespace zaq
