#include "store/Stammdaten.h"

#include <algorithm>
#include <random>
#include <utility>

#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "platform/Plattform.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

std::int32_t Stichtag(std::uint8_t regel, std::int32_t datum1, std::int32_t datum2, std::int32_t datum3) {
  const int jahr = ZerlegeDatum(Heute()).jahr;
  auto imJahr = [](std::int32_t datum, int j) {
    Datum d = ZerlegeDatum(datum);
    // 29 February in a year without it: the last day of February.
    if (!GueltigesDatum(j, d.monat, d.tag)) return KodiereDatum(j, 3, 1) - 1;
    return KodiereDatum(j, d.monat, d.tag);
  };
  switch (regel) {
    case 1: return imJahr(datum1, jahr - 1);
    case 2: return imJahr(datum2, jahr);
    case 3: return datum3;
    default: return Heute();
  }
}

template <std::size_t I>
void LeseGruppenname(TStammdaten& r, TZAQStream& s, std::int32_t g, bool&) {
  LeseText(s, r.FGruppenname[I], g);
}

template <std::size_t... I>
constexpr auto GruppennamenLeser(std::index_sequence<I...>) {
  return std::array<void (*)(TStammdaten&, TZAQStream&, std::int32_t, bool&), sizeof...(I)>{
      &LeseGruppenname<I>...};
}

}  // namespace

TStammdaten::TStammdaten(TZAQ* liste) : FListe(liste) {
  FGruendungsdatum = Heute();
  static const char* const namen[] = {"Aktives Mitglied", "Fördermitglied", "Vorstandschaft", "Beisitzer",
                                      "1. Mannschaft",    "Übungsleiter",   "Per Rechnung",   "Rücklastschrift"};
  for (int i = 0; i < kGruppen; ++i)
    FGruppenname[static_cast<std::size_t>(i)] = i < 8 ? namen[i] : "Gruppe " + std::to_string(i + 1);
  BerechneStichtage();
}

std::span<const Feldbeschreibung<TStammdaten>> TStammdaten::Felder() {
  using S = TStammdaten;
  static const auto felder = [] {
    std::vector<Feldbeschreibung<S>> f = {
        {10, "FVereinsname", &S::FVereinsname},
        {20, "FVereinsPLZ", &S::FVereinsPLZ},
        {30, "FVereinsort", &S::FVereinsort},
        {40, "FGruendungsdatum", &S::FGruendungsdatum},
        {50, "FVereinsnummern", &S::FVereinsnummern},
        {200, "FJahresberechnung", &S::FJahresberechnung},
        {210, "FJahresdatum1", &S::FJahresdatum1},
        {220, "FJahresdatum2", &S::FJahresdatum2},
        {230, "FJahresdatum3", &S::FJahresdatum3},
        {240, "FGeburtstage", &S::FGeburtstage},
        {250, "FEhrungen", &S::FEhrungen},
        {260, "FGeburtstagsJahre", &S::FGeburtstagsJahre},
        {400, "FBeitragsberechnung", &S::FBeitragsberechnung},
        {410, "FBeitragsdatum1", &S::FBeitragsdatum1},
        {420, "FBeitragsdatum2", &S::FBeitragsdatum2},
        {430, "FBeitragsdatum3", &S::FBeitragsdatum3},
        {460, "FZweckVorlage", &S::FZweckVorlage},
        {440, "FVereinskonten", Unterfeld<S>{[](const S& r) -> const TDateiEA& { return r.FVereinskonten; }}},
        {450, "FBtrKlassen", Unterfeld<S>{[](const S& r) -> const TDateiEA& { return r.FBtrKlassen; }}},
        {600, "FTabVorlagen", Unterfeld<S>{[](const S& r) -> const TDateiEA& { return r.FTabVorlagen; }}},
        {800, "FGruppenAnzahl", &S::FGruppenAnzahl},
    };
    // The 32 group names have IDs 801..832 and one array in the dump.
    static constexpr auto leser = GruppennamenLeser(std::make_index_sequence<kGruppen>());
    for (int i = 0; i < kGruppen; ++i) {
      f.push_back({static_cast<std::uint16_t>(801 + i), i == 0 ? "FGruppenname" : nullptr,
                   Sonderfeld<S>{
                       [](const S& r, TZAQStream& s, std::uint16_t id, std::uint32_t, bool&) {
                         SchreibeText(s, r.FGruppenname[static_cast<std::size_t>(id - 801)], id);
                       },
                       leser[static_cast<std::size_t>(i)],
                       [](const S& r, Json& j, const char* name) {
                         j[name] = Json::array();
                         for (const auto& g : r.FGruppenname) j[name].push_back(g);
                       }}});
    }
    return f;
  }();
  return felder;
}

void TStammdaten::StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) {
  TFeldDatensatz<TStammdaten>::StreamLesen(s, groesse, ok);
  BerechneStichtage();
}

void TStammdaten::BerechneStichtage() {
  FAlterStichtag = Stichtag(FJahresberechnung, FJahresdatum1, FJahresdatum2, FJahresdatum3);
  FBeitragStichtag = Stichtag(FBeitragsberechnung, FBeitragsdatum1, FBeitragsdatum2, FBeitragsdatum3);
}

const TVereinskonto* TStammdaten::SucheVereinskonto(const std::string& schluessel) const {
  if (Trim(schluessel).empty()) return nullptr;
  for (const auto& k : FVereinskonten)
    if (k->FKontoSchluessel == schluessel) return k.get();
  return nullptr;
}

TVereinskonto* TStammdaten::SucheVereinskonto(const std::string& schluessel) {
  return const_cast<TVereinskonto*>(std::as_const(*this).SucheVereinskonto(schluessel));
}

#define ZAQ_KONTOFELD(Name, Feld)                                          \
  std::string TStammdaten::Name(const std::string& schluessel) const {     \
    const TVereinskonto* k = SucheVereinskonto(schluessel);                \
    return k ? k->Feld : std::string();                                    \
  }
ZAQ_KONTOFELD(KontoBezeichnung, FBezeichnung)
ZAQ_KONTOFELD(KontoBLZ, FBLZ)
ZAQ_KONTOFELD(KontoKontonummer, FKontonummer)
ZAQ_KONTOFELD(KontoIBAN, FIBAN)
ZAQ_KONTOFELD(KontoBankname, FBankname)
ZAQ_KONTOFELD(KontoGlaeubigerID, FGlaeubigerID)
ZAQ_KONTOFELD(KontoInhaber, FInhaber)
#undef ZAQ_KONTOFELD

void TStammdaten::StatistikZuruecksetzen() {
  for (auto& k : FBtrKlassen) k->StatistikZuruecksetzen();
}

std::int64_t TStammdaten::StatistikSumme() const {
  std::int64_t summe = 0;
  for (const auto& k : FBtrKlassen) summe += k->StatistikSumme();
  return summe;
}

std::int32_t TStammdaten::StatistikAnzahl() const {
  std::int32_t anzahl = 0;
  for (const auto& k : FBtrKlassen) anzahl += k->StatistikAnzahl();
  return anzahl;
}

// --- master data of older files ---

namespace {
constexpr const char* kZusatzAbschnitt = "ZAQ Vereinsstammdaten";

// "TT.MM." in the year 2000, or "TT.MM.JJJJ"; an unreadable date keeps the old one.
std::int32_t LeseDatum(const std::string& text, bool mitJahr, std::int32_t alt) {
  auto datum = TextZuDatum(mitJahr ? text : text + "2000");
  return datum ? *datum : alt;
}
}  // namespace

void LadeAusIni(TVereinskonto& konto, const std::string& datei, const std::string& schluessel) {
  const std::string abschnitt = "KSL" + schluessel;
  auto lies = [&](const char* name, std::string& ziel) { ziel = ProfilLesen(datei, abschnitt, name, ziel); };
  lies("Bezeichnung", konto.FBezeichnung);
  lies("Bankleitzahl", konto.FBLZ);
  lies("Kontonummer", konto.FKontonummer);
  lies("IBAN", konto.FIBAN);
  lies("Bankname", konto.FBankname);
  lies("Auftraggebername", konto.FInhaber);
  lies("Auftraggeberident", konto.FGlaeubigerID);
  konto.FKontoSchluessel = schluessel;
}

bool LeseZusatzdatei(const std::string& datei, TZAQ& liste) {
  Warten().ZeigeStatus("Lade Stammdaten");
  TStammdaten& s = liste.FStammdaten;
  auto text = [&](const char* schluessel, const std::string& vorgabe) {
    return ProfilLesen(datei, kZusatzAbschnitt, schluessel, vorgabe);
  };
  auto zahl = [&](const std::string& schluessel, std::int64_t vorgabe) {
    return ZuZahl64(ProfilLesen(datei, kZusatzAbschnitt, schluessel, std::to_string(vorgabe))).value_or(vorgabe);
  };
  const auto stellen = zahl("MGN-Format", static_cast<std::int64_t>(liste.FZAQFormat.size()));
  liste.FZAQFormat = std::string(static_cast<std::size_t>(std::clamp<std::int64_t>(stellen, 0, 255)), '0');
  liste.FNullbetragMelden = zahl("Nullbetrag melden", liste.FNullbetragMelden) != 0;
  liste.FAustrittsliste = zahl("Austrittsliste", liste.FAustrittsliste) != 0;
  s.FGeburtstage = text("Geburtstage", s.FGeburtstage);
  s.FEhrungen = text("Ehrungen", s.FEhrungen);
  s.FJahresdatum1 = LeseDatum(text("Jahresdatum 1", "01.01."), false, s.FJahresdatum1);
  s.FJahresdatum2 = LeseDatum(text("Jahresdatum 2", "01.01."), false, s.FJahresdatum2);
  s.FJahresdatum3 = LeseDatum(text("Jahresdatum 3", "01.01.2000"), true, s.FJahresdatum3);
  s.FJahresberechnung = static_cast<std::uint8_t>(zahl("Jahresberechnung", s.FJahresberechnung));
  s.FBeitragsdatum1 = LeseDatum(text("Beitragsdatum 1", "01.01."), false, s.FBeitragsdatum1);
  s.FBeitragsdatum2 = LeseDatum(text("Beitragsdatum 2", "01.01."), false, s.FBeitragsdatum2);
  s.FBeitragsdatum3 = LeseDatum(text("Beitragsdatum 3", "01.01.2000"), true, s.FBeitragsdatum3);
  s.FBeitragsberechnung = static_cast<std::uint8_t>(zahl("Beitragsberechnung", s.FBeitragsberechnung));
  for (int i = 1; i <= 16; ++i) {
    auto& name = s.FGruppenname[static_cast<std::size_t>(i - 1)];
    name = ProfilLesen(datei, kZusatzAbschnitt, "Gruppe " + std::to_string(i), name);
  }
  const auto konten = zahl("K-Schlüsselanzahl", 0);
  for (std::int64_t i = 1; i <= konten; ++i) {
    const std::string schluessel = text(("K-Schlüssel " + std::to_string(i)).c_str(), "");
    auto konto = std::make_unique<TVereinskonto>();
    LadeAusIni(*konto, datei, schluessel);
    s.FVereinskonten.Hinzufuegen(std::move(konto));
  }
  bool ok = true;
  const auto klassen = zahl("B-Schlüsselanzahl", 0);
  for (std::int64_t i = 1; i <= klassen; ++i) {
    const std::string schluessel = text(("B-Schlüssel " + std::to_string(i)).c_str(), "");
    auto klasse = std::make_unique<TBtrKlasse>();
    klasse->FSchluessel = schluessel;
    ok = LadeAusIni(*klasse, datei, schluessel) && ok;
    s.FBtrKlassen.Hinzufuegen(std::move(klasse));
  }
  s.BerechneStichtage();
  return ok;
}

// --- shared-server settings ---

std::span<const Feldbeschreibung<TFtpDaten>> TFtpDaten::Felder() {
  using F = TFtpDaten;
  static const Feldbeschreibung<F> felder[] = {
      {10, "FServer", &F::FServer},
      {20, "FFtpBenutzer", &F::FFtpBenutzer},
      {30, "FFtpKennwort", &F::FFtpKennwort},
      {40, "FServerDatei", &F::FServerDatei},
      {50, "FDeaktiviert", &F::FDeaktiviert},
      {200, "FAusgespeichertVon", &F::FAusgespeichertVon},
      {210, "FLetzteAktualisierung", &F::FLetzteAktualisierung},
      {220, "FUploadVon", &F::FUploadVon},
      {230, "FUploadZeit", &F::FUploadZeit},
      {240, "FUploadVersion", &F::FUploadVersion},
      {400, "FArchivTage", &F::FArchivTage},
      {600, "FSchluesselZeit", &F::FSchluesselZeit},
      // The key never leaves this computer.
      {610, "FSchluessel", &F::FSchluessel, [](const F&, std::uint32_t flags) { return (flags & sfLokaleDaten) != 0; }},
  };
  return felder;
}

void TFtpDaten::StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const {
  // Unknown fields of a newer program stay in local files but never go to the
  // server: they may be as private as the key.
  if (!(flags & sfLokal)) flags &= ~static_cast<std::uint32_t>(sfUnbekannte);
  TFeldDatensatz<TFtpDaten>::StreamSchreiben(s, flags, ok);
}

bool TFtpDaten::HatZugangsdaten() const {
  return !Trim(FServer).empty() && !Trim(FFtpBenutzer).empty() && !Trim(FFtpKennwort).empty();
}

bool TFtpDaten::IstAktiv() const {
  return HatZugangsdaten() && !Trim(FServerDatei).empty() && !FSchluessel.empty() && !FDeaktiviert;
}

bool TFtpDaten::IstAusgespeichert() const { return !Trim(FAusgespeichertVon).empty(); }

void TFtpDaten::SetzeAusgespeichert(const std::string& login) {
  FAusgespeichertVon = login;
  // The mark is this copy's own business: the list must be saved, but its
  // version (the change time stamp) stays, or the copy would look newer
  // than the server.
  if (FListe) FListe->FGeaendert = true;
}

std::string TFtpDaten::Serverdateiname(const std::string& erweiterung) const {
  // Server paths use "/" whatever the local system does.
  std::string name = FServerDatei;
  std::size_t trenner = name.find_last_of("/\\");
  if (trenner != std::string::npos) name = name.substr(trenner + 1);
  std::size_t punkt = name.rfind('.');
  if (punkt != std::string::npos) name.resize(punkt);
  return name + "." + erweiterung;
}

void TFtpDaten::NeuerSchluessel() {
  std::random_device zufall;
  std::uniform_int_distribution<int> byte(0, 255);
  const int mitglieder = FListe ? FListe->FMitglieder.Anzahl() : 0;
  FSchluessel.resize(static_cast<std::size_t>(5 * mitglieder));
  for (auto& b : FSchluessel) b = static_cast<std::uint8_t>(byte(zufall));
  FSchluesselZeit = OhneMillisekunden(Jetzt());
}

void TFtpDaten::SchluesselEntfernen() {
  FSchluessel.clear();
  FSchluesselZeit = 0;
}

std::uint32_t TFtpDaten::SchluesselPruefwert() const { return CRC32(FSchluessel); }

}  // namespace zaq
